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
    if (n < 0 || n > 32) return;
    const auto v = static_cast<std::uint32_t>(value);
    while (n > 0) {
        const std::int32_t used = bitCount_ & 7;
        const auto at = static_cast<std::size_t>(bitCount_ >> 3);
        const std::int32_t take = std::min(8 - used, n);
        const auto chunk = static_cast<std::uint8_t>(((v >> (n - take)) & ((1u << take) - 1u)) << (8 - used - take));
        if (used == 0) {
            // A new byte is written whole, so whatever SetBytes left past the end is dropped.
            if (at == storage_.size()) Grow();
            storage_[at] = chunk;
        } else {
            storage_[at] |= chunk;
        }
        bitCount_ += take;
        n -= take;
    }
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
