#pragma once
// Lays out one QR symbol in a byte matrix, step by step: function patterns (ISO/IEC 18004,
// 6.3), format and version information (6.9, 6.10), and the masked code-word bits in the
// two-column zig-zag (6.7.3). This is the plain procedure; the encoder's fast path is built on
// its results and checked against it.

#include <cstdint>
#include <string>

#include "pixmond/byte_matrix.h"
#include "pixmond/ec_level.h"
#include "symbol/bit_vector.h"

namespace pixmond {

class MatrixApply {
public:
    MatrixApply() { LoadPatternTables(); }

    // Empties the matrix, then lays the function patterns, the format and version
    // information and the data bits with the mask.
    // Preconditions (not checked): version 1..40; the matrix is 17 + 4 × version square.
    void BuildSymbol(const BitVector& dataBits, const EcLevel& level, std::int32_t version, std::int32_t mask,
                     ByteMatrix& matrix) const;

    static void ResetCells(ByteMatrix& matrix) noexcept { matrix.Clear(ByteMatrix::kEmpty); }
    void PlaceFunctionPatterns(std::int32_t version, ByteMatrix& matrix) const;
    void PlaceFindersAndSeparators(ByteMatrix& matrix) const;
    static bool IsEmptyCell(std::int32_t value) noexcept { return value == ByteMatrix::kEmpty; }
    static bool IsValidCell(std::int32_t value) noexcept { return value == 0 || value == 1 || value == 255; }
    void LoadPatternTables();
    void PlaceFinderPattern(std::int32_t x0, std::int32_t y0, ByteMatrix& matrix) const;
    static void PlaceDarkModule(ByteMatrix& matrix);
    void PlaceAlignmentPatterns(std::int32_t version, ByteMatrix& matrix) const;
    void PlaceAlignmentPattern(std::int32_t x0, std::int32_t y0, ByteMatrix& matrix) const;
    static void PlaceTimingPatterns(ByteMatrix& matrix);

    // Number of significant bits of value taken as unsigned 32 bits: 0 for 0.
    static constexpr std::int32_t BitLength(std::int32_t value) noexcept {
        auto v = static_cast<std::uint32_t>(value);
        std::int32_t n = 0;
        while (v != 0) {
            v >>= 1;
            ++n;
        }
        return n;
    }
    // The remainder of value × x^(BitLength(generator) − 1) divided by generator over GF(2).
    static constexpr std::int32_t BchRemainder(std::int32_t value, std::int32_t generator) noexcept {
        const std::int32_t n = BitLength(generator);
        auto v = static_cast<std::uint32_t>(value) << (n - 1);
        while (BitLength(static_cast<std::int32_t>(v)) >= n)
            v ^= static_cast<std::uint32_t>(generator) << (BitLength(static_cast<std::int32_t>(v)) - n);
        return static_cast<std::int32_t>(v);
    }
    static constexpr std::int32_t kTypeInfoGenerator = 0x537;
    static constexpr std::int32_t kTypeInfoMask = 0x5412;
    static constexpr std::int32_t kVersionInfoGenerator = 0x1F25;

    // Replaces bits (empty on entry) by the 15 format bits. Fails (method "标记类型信息位") with
    // "掩图无效" for a mask outside 0..7.
    static void BuildTypeInfoBits(const EcLevel& level, std::int32_t mask, BitVector& bits);
    void PlaceTypeInfo(const EcLevel& level, std::int32_t mask, ByteMatrix& matrix) const;
    // Appends the 18 version bits to bits (empty on entry).
    static void BuildVersionInfoBits(std::int32_t version, BitVector& bits);
    static void PlaceVersionInfo(std::int32_t version, ByteMatrix& matrix);
    // mask −1 places the bits unmasked. Fails (method "插入数据信息位") when bits are left over.
    static void PlaceDataBits(const BitVector& dataBits, std::int32_t mask, ByteMatrix& matrix);
    void PlaceHorizontalSeparator(std::int32_t x0, std::int32_t y0, ByteMatrix& matrix) const;
    void PlaceVerticalSeparator(std::int32_t x0, std::int32_t y0, ByteMatrix& matrix) const;

    const Table2D<std::int32_t>& AlignmentCentres() const noexcept { return alignmentCentres_; }
    const Table2D<std::int32_t>& TypeInfoCoordinates() const noexcept { return typeInfoCoordinates_; }

    static const std::string& ClassName();  // "矩阵应用类"

private:
    Table2D<std::int32_t> finderPattern_;
    Table2D<std::int32_t> horizontalSeparator_;
    Table2D<std::int32_t> verticalSeparator_;
    Table2D<std::int32_t> alignmentPattern_;
    Table2D<std::int32_t> alignmentCentres_;
    Table2D<std::int32_t> typeInfoCoordinates_;
};

}  // namespace pixmond
