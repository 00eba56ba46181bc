#include "symbol/bit_vector.h"

#include <algorithm>

#include "pixmond/failure.h"

namespace pixmond {

const std::string& BitVector::ClassName() {
    static const std::string name = "位向量类";
    return name;
}

const std::string& BitVectorSub::SubClassName() {
    static const std::string name = "位向量子类";
    return name;
}

void BitVector::Grow() { storage_.resize(storage_.size() * 2, 0); }

std::int32_t BitVector::GetBit(std::int32_t index) const {
    if (index < 0 || index >= bitCount_) Fail(ClassName(), "取位值", "索引超限");
    return Bit(index);
}

void BitVector::AppendBit(std::int32_t bit) {
    if (bit != 0 && bit != 1) Fail(ClassName(), "追加位", "位数据只能是0或1");
    AppendBits(bit, 1);
}

void BitVector::AppendByte(std::int32_t value) {
    const auto at = static_cast<std::size_t>(bitCount_ >> 3);
    if (at == storage_.size()) Grow();
    storage_[at] = static_cast<std::uint8_t>(value & 0xFF);
    bitCount_ += 8;
}

void BitVector::AppendBits(std::int32_t value, std::int32_t n) {
    if (n <= 0 || n > 32) return;
    const std::int32_t used = bitCount_ & 7;
    const auto at = static_cast<std::size_t>(bitCount_ >> 3);
    const std::int32_t total = used + n;  // bits from the start of byte `at`, at most 39
    const auto bytes = static_cast<std::size_t>((total + 7) >> 3);
    while (at + bytes > storage_.size()) Grow();
    // The new bits at their place in a 40-bit window whose top byte is byte `at`.
    const std::uint64_t bits = static_cast<std::uint32_t>(value) & ((std::uint64_t{1} << n) - 1);
    const std::uint64_t window = bits << (40 - total);
    std::uint8_t* p = storage_.data() + at;
    const auto first = static_cast<std::uint8_t>(window >> 32);
    // A new byte is written whole, so whatever SetBytes left past the end is dropped.
    p[0] = used ? static_cast<std::uint8_t>(p[0] | first) : first;
    for (std::size_t i = 1; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(window >> (32 - 8 * i));
    bitCount_ += n;
}

void BitVector::Rewind() noexcept {
    std::fill(storage_.begin(), storage_.end(), 0);
    bitCount_ = 0;
}

void BitVector::Clear() {
    storage_.assign(kInitialBytes, 0);
    bitCount_ = 0;
}

std::string BitVector::ToText() const {
    std::string text;
    if (bitCount_ > 0) text.reserve(static_cast<std::size_t>(bitCount_) * 2);
    for (std::int32_t i = 0; i < bitCount_; ++i) {
        if (i) text += ',';
        text += Bit(i) ? '1' : '0';
    }
    return text;
}

void BitVectorSub::AppendVector(const BitVector& v) {
    for (std::int32_t i = 0; i < v.Size(); ++i) inner_.AppendBit(v.GetBit(i));
}

BitVector BitVectorSub::XorWith(const BitVector& other) {
    if (inner_.Size() != other.Size())
        Fail(SubClassName(), "异或", "两个位向量长度不同，不能做异或运算。");
    std::vector<std::uint8_t> bytes = inner_.ToBytes();
    const auto& theirs = other.Bytes();
    for (std::int32_t k = 0; k < inner_.SizeInBytes(); ++k)
        bytes[static_cast<std::size_t>(k)] ^= theirs[static_cast<std::size_t>(k)];
    inner_.SetBytes(std::move(bytes));
    return inner_;
}

}  // namespace pixmond
