#pragma once
// The symbol build used by the encoder: function patterns laid once per version into a frame,
// the code words placed once in zig-zag order, then the eight masks applied as word-wide XORs
// and rated on packed bits. Same mask and same matrix as MatrixApply::BuildSymbol with the mask
// that MaskHelper's rules choose.

#include <cstdint>
#include <vector>

#include "pixmond/byte_matrix.h"
#include "pixmond/ec_level.h"

namespace pixmond {

struct MaskChoice {
    std::int32_t mask = -1;
    std::int32_t penalty = 0;
};

// Builds the symbol of the final code words with the best mask into matrix (resized to the
// version's dimension) and returns the mask and its penalty.
// Preconditions (not checked): version 1..40; level one of L, M, Q, H; codewords holds the
// version's total code words.
MaskChoice BuildBestSymbol(const std::vector<std::uint8_t>& codewords, const EcLevel& level, std::int32_t version,
                           ByteMatrix& matrix);

// The penalty of each mask, in mask order, for the same inputs (for tests and tools).
std::vector<std::int32_t> AllMaskPenalties(const std::vector<std::uint8_t>& codewords, const EcLevel& level,
                                           std::int32_t version);

}  // namespace pixmond
