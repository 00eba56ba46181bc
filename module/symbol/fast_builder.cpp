#include "symbol/fast_builder.h"

#include <array>
#include <memory>
#include <mutex>

#include "symbol/mask.h"
#include "symbol/matrix_apply.h"
#include "symbol/packed_penalty.h"

namespace pixmond {
namespace {

struct Cell {
    std::uint8_t x, y;
};

// Everything about a version that does not depend on the code words, level or mask.
struct Frame {
    std::int32_t dim = 0;
    PackedLines fixedRows{}, fixedCols{};  // function patterns and version information; format cells 0
    std::array<PackedLines, 8> maskRows{}, maskCols{};  // data cells the mask inverts
    std::vector<Cell> order;                            // data cells in placement order
    std::array<Cell, 15> formatA{}, formatB{};          // where format bit i (from the low end) goes
};

// Format information for level bits and mask (ISO/IEC 18004, 7.9.1): 5 data bits, 10 BCH bits,
// XOR 101010000010010.
constexpr std::array<std::array<std::int32_t, 8>, 4> kFormatBits = [] {
    std::array<std::array<std::int32_t, 8>, 4> t{};
    for (std::int32_t bits = 0; bits < 4; ++bits)
        for (std::int32_t mask = 0; mask < 8; ++mask) {
            const std::int32_t v = (bits << 3) | mask;
            t[static_cast<std::size_t>(bits)][static_cast<std::size_t>(mask)] =
                ((v << 10) | MatrixApply::BchRemainder(v, MatrixApply::kTypeInfoGenerator)) ^ MatrixApply::kTypeInfoMask;
        }
    return t;
}();
static_assert(kFormatBits[0][0] == 0x5412);   // M, mask 0
static_assert(kFormatBits[1][0] == 0b111011111000100);  // L, mask 0

std::unique_ptr<Frame> MakeFrame(std::int32_t version) {
    auto f = std::make_unique<Frame>();
    const std::int32_t dim = 17 + 4 * version;
    f->dim = dim;
    const MatrixApply apply;
    ByteMatrix m(dim, dim);
    MatrixApply::ResetCells(m);
    apply.PlaceFunctionPatterns(version, m);
    // Lay format information only to claim its cells; their values differ per level and mask.
    apply.PlaceTypeInfo(EcLevel(2, 0, "M"), 0, m);
    MatrixApply::PlaceVersionInfo(version, m);

    const auto& coords = apply.TypeInfoCoordinates();
    for (std::int32_t i = 0; i < 15; ++i) {
        f->formatA[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(coords.at(i, 0)), static_cast<std::uint8_t>(coords.at(i, 1))};
        f->formatB[static_cast<std::size_t>(i)] = i < 8 ? Cell{static_cast<std::uint8_t>(dim - 1 - i), 8}
                                                        : Cell{8, static_cast<std::uint8_t>(dim - 7 + (i - 8))};
    }
    auto isFormat = [&](std::int32_t x, std::int32_t y) {
        for (std::int32_t i = 0; i < 15; ++i) {
            if (f->formatA[static_cast<std::size_t>(i)].x == x && f->formatA[static_cast<std::size_t>(i)].y == y) return true;
            if (f->formatB[static_cast<std::size_t>(i)].x == x && f->formatB[static_cast<std::size_t>(i)].y == y) return true;
        }
        return false;
    };
    for (std::int32_t y = 0; y < dim; ++y)
        for (std::int32_t x = 0; x < dim; ++x)
            if (m.Get(x, y) == 1 && !isFormat(x, y)) {
                f->fixedRows.lines[static_cast<std::size_t>(y)].Set(x);
                f->fixedCols.lines[static_cast<std::size_t>(x)].Set(y);
            }

    // The zig-zag walk of the data region, as MatrixApply::PlaceDataBits makes it.
    std::int32_t direction = -1;
    std::int32_t y = dim - 1;
    for (std::int32_t x = dim - 1; x > 0; x -= 2) {
        if (x == 6) x = 5;
        for (; y >= 0 && y < dim; y += direction)
            for (std::int32_t cx : {x, x - 1})
                if (m.Get(cx, y) == ByteMatrix::kEmpty) f->order.push_back({static_cast<std::uint8_t>(cx), static_cast<std::uint8_t>(y)});
        direction = -direction;
        y += direction;
    }
    for (std::int32_t mask = 0; mask < 8; ++mask)
        for (const Cell& c : f->order)
            if (MaskHelper::DataMaskBit(mask, c.x, c.y)) {
                f->maskRows[static_cast<std::size_t>(mask)].lines[c.y].Set(c.x);
                f->maskCols[static_cast<std::size_t>(mask)].lines[c.x].Set(c.y);
            }
    return f;
}

const Frame& FrameFor(std::int32_t version) {
    static std::array<std::once_flag, 40> once;
    static std::array<std::unique_ptr<Frame>, 40> frames;
    const auto i = static_cast<std::size_t>(version - 1);
    std::call_once(once[i], [&] { frames[i] = MakeFrame(version); });
    return *frames[i];
}

// The code-word bits in their cells, unmasked; rows and columns.
struct Placed {
    PackedLines rows{}, cols{};
};

void PlaceCodewords(const Frame& f, const std::vector<std::uint8_t>& codewords, Placed& out) {
    const std::size_t bits = std::min(codewords.size() * 8, f.order.size());
    for (std::size_t k = 0; k < bits; ++k) {
        if (!((codewords[k >> 3] >> (7 - (k & 7))) & 1)) continue;
        const Cell c = f.order[k];
        out.rows.lines[c.y].Set(c.x);
        out.cols.lines[c.x].Set(c.y);
    }
}

void Compose(const Frame& f, const Placed& placed, std::int32_t levelBits, std::int32_t mask, PackedLines& rows,
             PackedLines& cols) {
    const auto m = static_cast<std::size_t>(mask);
    for (std::int32_t i = 0; i < f.dim; ++i) {
        const auto k = static_cast<std::size_t>(i);
        rows.lines[k] = f.fixedRows.lines[k] | (placed.rows.lines[k] ^ f.maskRows[m].lines[k]);
        cols.lines[k] = f.fixedCols.lines[k] | (placed.cols.lines[k] ^ f.maskCols[m].lines[k]);
    }
    const std::int32_t format = kFormatBits[static_cast<std::size_t>(levelBits)][m];
    for (std::size_t i = 0; i < 15; ++i) {
        if (!((format >> i) & 1)) continue;
        for (const Cell& c : {f.formatA[i], f.formatB[i]}) {
            rows.lines[c.y].Set(c.x);
            cols.lines[c.x].Set(c.y);
        }
    }
}

std::int32_t Penalty(const PackedLines& rows, const PackedLines& cols, std::int32_t dim) {
    return PackedRunPenalty(rows, dim, dim) + PackedRunPenalty(cols, dim, dim) + PackedBlockPenalty(rows, dim, dim) +
           PackedFinderPenalty(rows, dim, dim) + PackedFinderPenalty(cols, dim, dim) +
           MaskHelper::DarkRatioScore(PackedDarkCount(rows, dim), static_cast<std::int64_t>(dim) * dim);
}

}  // namespace

std::vector<std::int32_t> AllMaskPenalties(const std::vector<std::uint8_t>& codewords, const EcLevel& level,
                                           std::int32_t version) {
    const Frame& f = FrameFor(version);
    auto placed = std::make_unique<Placed>();
    PlaceCodewords(f, codewords, *placed);
    auto rows = std::make_unique<PackedLines>();
    auto cols = std::make_unique<PackedLines>();
    std::vector<std::int32_t> out;
    for (std::int32_t mask = 0; mask < 8; ++mask) {
        Compose(f, *placed, level.GetBits(), mask, *rows, *cols);
        out.push_back(Penalty(*rows, *cols, f.dim));
    }
    return out;
}

MaskChoice BuildBestSymbol(const std::vector<std::uint8_t>& codewords, const EcLevel& level, std::int32_t version,
                           ByteMatrix& matrix) {
    const Frame& f = FrameFor(version);
    // About 25 KB of packed lines: kept per thread so a call allocates nothing of its own.
    thread_local Placed placed;
    thread_local PackedLines rows, cols, bestRows;
    placed = Placed{};
    PlaceCodewords(f, codewords, placed);
    MaskChoice best{-1, 0x7FFFFFFF};
    for (std::int32_t mask = 0; mask < 8; ++mask) {
        Compose(f, placed, level.GetBits(), mask, rows, cols);
        const std::int32_t penalty = Penalty(rows, cols, f.dim);
        if (penalty < best.penalty) {  // ties keep the lower mask
            best = {mask, penalty};
            bestRows = rows;
        }
    }
    if (matrix.GetWidth() != f.dim || matrix.GetHeight() != f.dim) matrix.Init(f.dim, f.dim);
    for (std::int32_t y = 0; y < f.dim; ++y) {
        std::uint8_t* row = matrix.Row(y);
        const BitLine& line = bestRows.lines[static_cast<std::size_t>(y)];
        for (std::int32_t x = 0; x < f.dim; ++x) row[x] = line.Test(x) ? 1 : 0;
    }
    return best;
}

}  // namespace pixmond
