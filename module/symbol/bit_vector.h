#pragma once
// A growable sequence of bits, most significant first: bit i lives in byte i / 8 under the
// mask 0x80 >> (i % 8). Storage starts at 32 bytes and grows by doubling.

#include <cstdint>
#include <string>
#include <vector>

namespace pixmond {

class BitVector {
public:
    BitVector() : storage_(kInitialBytes, 0) {}

    // A copy of the whole storage (its full length, not only SizeInBytes()).
    std::vector<std::uint8_t> ToBytes() const { return storage_; }
    const std::vector<std::uint8_t>& Bytes() const noexcept { return storage_; }
    // Replaces the storage; the bit count stays.
    void SetBytes(std::vector<std::uint8_t> bytes) { storage_ = std::move(bytes); }
    std::int32_t Size() const noexcept { return bitCount_; }
    std::int32_t SizeInBytes() const noexcept { return (bitCount_ + 7) >> 3; }
    // Fails (method "取位值", message "索引超限") unless 0 <= index < Size().
    std::int32_t GetBit(std::int32_t index) const;
    // Unchecked read for hot loops. Precondition (not checked): 0 <= index < Size().
    std::int32_t Bit(std::int32_t index) const noexcept {
        return (storage_[static_cast<std::size_t>(index >> 3)] >> (7 - (index & 7))) & 1;
    }
    // Fails (method "追加位", message "位数据只能是0或1") unless bit is 0 or 1.
    void AppendBit(std::int32_t bit);
    // Appends the low 8 bits as one byte. Precondition (not checked): Size() % 8 == 0.
    void AppendByte(std::int32_t value);
    // Appends the low n bits of value, highest first; n outside 0..32 is ignored.
    void AppendBits(std::int32_t value, std::int32_t n);
    void Clear();
    // Empties the vector but keeps (and zeroes) its storage, so that a buffer reused from one
    // encode to the next stops allocating once it has grown; ToBytes then reports the kept length.
    void Rewind() noexcept;
    // "0" and "1" items joined by ","; empty for an empty vector.
    std::string ToText() const;

    static const std::string& ClassName();  // "位向量类"

protected:
    static constexpr std::size_t kInitialBytes = 32;

private:
    void Grow();

    std::vector<std::uint8_t> storage_;
    std::int32_t bitCount_ = 0;
};

// A bit vector that acts on an inner vector: appending a whole vector, and exclusive or.
class BitVectorSub : public BitVector {
public:
    void SetInner(const BitVector& v) { inner_ = v; }
    BitVector GetInner() const { return inner_; }
    void AppendVector(const BitVector& v);
    // inner := inner XOR other, byte by byte; returns a copy of the new inner. Fails (source
    // "位向量子类", method "异或") when the sizes differ.
    BitVector XorWith(const BitVector& other);

    static const std::string& SubClassName();  // "位向量子类"

private:
    BitVector inner_;
};

}  // namespace pixmond
