#pragma once
// The eight data masks (ISO/IEC 18004, 7.8.2 table 10) and the penalty rules that choose
// between them. The rules score runs (N1 = 3), 2 × 2 blocks (N2 = 3) and finder-like
// sequences (N3 = 40) as the standard does; the dark-ratio rule scores 1 only for a matrix of
// one colour, so it never separates two real symbols.

#include <cstdint>
#include <string>

#include "pixmond/byte_matrix.h"

namespace pixmond {

class MaskHelper {
public:
    // True when the mask inverts the cell (x, y), x the column and y the row. Fails (source
    // "掩码辅助类", method "取数据掩码位", message "掩图无效。") for a mask outside 0..7.
    // Precondition (not checked): x, y >= 0.
    static bool DataMaskBit(std::int32_t mask, std::int32_t x, std::int32_t y);
    static std::int32_t PenaltyRuns(const ByteMatrix& matrix);
    static std::int32_t PenaltyBlocks(const ByteMatrix& matrix);
    static std::int32_t PenaltyFinderLike(const ByteMatrix& matrix);
    static std::int32_t PenaltyDarkRatio(const ByteMatrix& matrix);
    static std::int32_t PenaltyRunsInDirection(const ByteMatrix& matrix, bool alongRows);
    // The dark-ratio rule from a count of dark cells among total cells.
    static std::int32_t DarkRatioScore(std::int64_t dark, std::int64_t total) noexcept;
    // The sum of the four rules, in that order.
    static std::int32_t MaskPenalty(const ByteMatrix& matrix);

    static const std::string& ClassName();  // "掩码辅助类"
};

}  // namespace pixmond
