#pragma once
// Reed–Solomon error correction for QR code blocks (ISO/IEC 18004, 7.5.2): the data, shifted
// up by the number of EC code words, divided by the generator prod (x - 2^i), i = 0..n-1;
// the remainder is the error correction.

#include <cstdint>
#include <string>
#include <vector>

#include "ecc/polynomial.h"

namespace pixmond {

// The plain procedure, on the polynomial classes.
class RsEncoder {
public:
    // Fails (source "RS编码器类", method "RS编码器", message "GF标识不相同") unless field is
    // the same field as QrField(). Precondition (not checked): field is not null.
    void Init(FieldPtr field);
    // The generator of that degree, extending the cache. Precondition (not checked): degree >= 0.
    Polynomial BuildGenerator(std::int32_t degree);
    // codewords holds the data followed by ecCount entries; those are overwritten with the EC
    // code words. Fails (method "编码") with "没有容错字节" for ecCount 0, then with
    // "未提供数据字节" when there are no data entries. Precondition (not checked): ecCount >= 0.
    void Encode(std::vector<std::int32_t>& codewords, std::int32_t ecCount);

    static const std::string& ClassName();  // "RS编码器类"

private:
    FieldPtr field_;
    std::vector<Polynomial> generatorCache_;
};

// The fast path: generators for every EC count up to kMaxEcCodewords built at compile time,
// the division done as a shift register on byte arrays. The same code words as RsEncoder.
inline constexpr std::int32_t kMaxEcCodewords = 30;

// Writes ecCount EC code words for data[0 .. dataCount) to ec.
// Preconditions (not checked): 1 <= ecCount <= kMaxEcCodewords; ec has room for ecCount bytes.
void ComputeEcCodewords(const std::uint8_t* data, std::int32_t dataCount, std::int32_t ecCount, std::uint8_t* ec);

// Coefficients of the generator of a degree, highest first (1 first), as field elements.
// Precondition (not checked): 0 <= degree <= kMaxEcCodewords.
std::vector<std::int32_t> FastGenerator(std::int32_t degree);

}  // namespace pixmond
