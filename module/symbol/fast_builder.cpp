#include "symbol/fast_builder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>

#include "symbol/mask.h"
#include "symbol/matrix_apply.h"
#include "symbol/packed_penalty.h"

// Counting bits is most of the penalty work: where the compiler can pick the bit-count
// instruction at load time, the mask search is built twice and the better one chosen then.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__) && \
    !defined(__SANITIZE_THREAD__)
#define PIXMOND_BIT_COUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define PIXMOND_BIT_COUNT_CLONES
#endif

namespace pixmond {
namespace {

// Lines of one orientation, each kLineWords words, flat: line i starts at word i × kLineWords.
// 192 lines, so that whole 64 × 64 blocks can be turned over.
constexpr std::int32_t kPlaneLines = 64 * kLineWords;
using Plane = std::array<std::uint64_t, static_cast<std::size_t>(kPlaneLines * kLineWords)>;

template <std::size_t W>
Bits<W> Load(const Plane& p, std::int32_t line) noexcept {
    Bits<W> b;
    const auto at = static_cast<std::size_t>(line * kLineWords);
    for (std::size_t i = 0; i < W; ++i) b.w[i] = p[at + i];
    return b;
}

struct Cell {
    std::uint8_t x, y;
};

// Everything about a version that does not depend on the code words, level or mask.
struct Frame {
    std::int32_t dim = 0;
    std::int32_t words = 0;             // words a line needs
    // Per mask: the dark cells of the function patterns and version information, and the data
    // cells the mask inverts. Format and data cells come from the placed bits, which are 0 on
    // every other cell, so a line of the symbol is placed XOR this.
    std::array<Plane, 8> maskRows{}, maskCols{};
    std::vector<std::uint32_t> slots;   // data cells in placement order: row word << 6 | bit
    // How each whole code word lies. Most lie in a column pair (x, x − 1) on rows that go up or
    // down one at a time, cells in one word, so that a row takes two bits at once: either as
    // four pairs, or, when the column pair has an odd number of cells before it, as one cell at
    // x − 1, three pairs and one cell at x. Step: words from one row to the next; 0 for any
    // other code word, which goes bit by bit.
    struct Lie {
        std::int8_t step = 0;
        bool oddStart = false;
    };
    std::vector<Lie> lies;
    // Where format bit i (from the low end) goes: cells 2i and 2i + 1, as words and bits of
    // the row and column planes.
    struct FormatCell {
        std::size_t rowWord, colWord;
        std::uint64_t rowBit, colBit;
    };
    std::array<FormatCell, 30> format{};
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

void SetCell(Plane& rows, Plane& cols, std::int32_t x, std::int32_t y) noexcept {
    rows[static_cast<std::size_t>(y * kLineWords + (x >> 6))] |= std::uint64_t{1} << (x & 63);
    cols[static_cast<std::size_t>(x * kLineWords + (y >> 6))] |= std::uint64_t{1} << (y & 63);
}

std::unique_ptr<Frame> MakeFrame(std::int32_t version) {
    auto f = std::make_unique<Frame>();
    const std::int32_t dim = 17 + 4 * version;
    f->dim = dim;
    f->words = (dim + 63) / 64;
    const MatrixApply apply;
    ByteMatrix m(dim, dim);
    MatrixApply::ResetCells(m);
    apply.PlaceFunctionPatterns(version, m);
    // Lay format information only to claim its cells; their values differ per level and mask.
    apply.PlaceTypeInfo(EcLevel(2, 0, "M"), 0, m);
    MatrixApply::PlaceVersionInfo(version, m);

    const auto& coords = apply.TypeInfoCoordinates();
    ByteMatrix isFormat(dim, dim);
    for (std::int32_t i = 0; i < 15; ++i) {
        const Cell a{static_cast<std::uint8_t>(coords.at(i, 0)), static_cast<std::uint8_t>(coords.at(i, 1))};
        const Cell b = i < 8 ? Cell{static_cast<std::uint8_t>(dim - 1 - i), 8}
                             : Cell{8, static_cast<std::uint8_t>(dim - 7 + (i - 8))};
        for (std::size_t k = 0; k < 2; ++k) {
            const Cell c = k == 0 ? a : b;
            f->format[static_cast<std::size_t>(2 * i) + k] = {
                static_cast<std::size_t>(c.y * kLineWords + (c.x >> 6)), static_cast<std::size_t>(c.x * kLineWords + (c.y >> 6)),
                std::uint64_t{1} << (c.x & 63), std::uint64_t{1} << (c.y & 63)};
        }
        isFormat.Set(a.x, a.y, 1);
        isFormat.Set(b.x, b.y, 1);
    }
    for (std::int32_t y = 0; y < dim; ++y)
        for (std::int32_t x = 0; x < dim; ++x)
            if (m.Get(x, y) == 1 && isFormat.Get(x, y) == 0)
                for (std::size_t mask = 0; mask < 8; ++mask) SetCell(f->maskRows[mask], f->maskCols[mask], x, y);

    // The zig-zag walk of the data region, as MatrixApply::PlaceDataBits makes it.
    std::int32_t direction = -1;
    std::int32_t y = dim - 1;
    for (std::int32_t x = dim - 1; x > 0; x -= 2) {
        if (x == 6) x = 5;
        for (; y >= 0 && y < dim; y += direction)
            for (std::int32_t cx : {x, x - 1})
                if (m.Get(cx, y) == ByteMatrix::kEmpty) {
                    f->slots.push_back(static_cast<std::uint32_t>(((y * kLineWords + (cx >> 6)) << 6) | (cx & 63)));
                    for (std::int32_t mask = 0; mask < 8; ++mask)
                        if (MaskHelper::DataMaskBit(mask, cx, y))
                            SetCell(f->maskRows[static_cast<std::size_t>(mask)], f->maskCols[static_cast<std::size_t>(mask)], cx, y);
                }
        direction = -direction;
        y += direction;
    }
    const std::size_t whole = f->slots.size() / 8;
    f->lies.resize(whole);
    for (std::size_t c = 0; c < whole; ++c) {
        const std::uint32_t* s = f->slots.data() + 8 * c;
        // Cell b is x and cell b + 1 is x − 1 of the same row, both in one word.
        auto pair = [&](std::size_t b) { return s[b] == s[b + 1] + 1 && (s[b + 1] & 63) != 63; };
        for (const bool odd : {false, true}) {
            const std::size_t first = odd ? 1 : 0;  // the first pair
            const auto step = static_cast<std::int32_t>(s[first + 3]) - static_cast<std::int32_t>(s[first + 1]);
            if (step != 64 * kLineWords && step != -64 * kLineWords) continue;
            bool fits = true;
            for (std::size_t i = 0; i < (odd ? 3u : 4u); ++i)
                fits = fits && pair(first + 2 * i) &&
                       static_cast<std::int32_t>(s[first + 2 * i + 1]) ==
                           static_cast<std::int32_t>(s[first + 1]) + static_cast<std::int32_t>(i) * step;
            if (odd)
                fits = fits && static_cast<std::int32_t>(s[0]) == static_cast<std::int32_t>(s[2]) - step &&
                       static_cast<std::int32_t>(s[7]) == static_cast<std::int32_t>(s[5]) + step;
            if (fits) f->lies[c] = {static_cast<std::int8_t>(step / 64), odd};
        }
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

// Turns a 64 × 64 bit block over its diagonal: bit c of a[r] becomes bit r of a[c]. Halves,
// then quarters, and so on, swap across the diagonal.
void Transpose64(std::array<std::uint64_t, 64>& a) noexcept {
    std::uint64_t m = 0x00000000FFFFFFFFu;
    for (std::size_t j = 32; j != 0; j >>= 1, m ^= m << j)
        for (std::size_t k = 0; k < 64; k = ((k | j) + 1) & ~j) {
            const std::uint64_t t = ((a[k] >> j) ^ a[k | j]) & m;
            a[k] ^= t << j;
            a[k | j] ^= t;
        }
}

// The code-word bits in their cells, unmasked: rows, and the same turned into columns.
struct Placed {
    Plane rows{}, cols{};
};

void PlaceCodewords(const Frame& f, const std::vector<std::uint8_t>& codewords, Placed& out) noexcept {
    const auto words = static_cast<std::size_t>(f.words);
    // Lines past the symbol stay 0: the turned-over blocks read them.
    for (std::size_t line = 0; line < 64 * words; ++line) std::fill_n(out.rows.begin() + static_cast<std::ptrdiff_t>(line * kLineWords), words, 0);
    std::uint64_t* rows = out.rows.data();
    // Every bit is written, 0 or 1, so that no branch depends on the data bits.
    const std::size_t whole = std::min(codewords.size(), f.lies.size());
    const std::uint32_t* slot = f.slots.data();
    for (std::size_t c = 0; c < whole; ++c) {
        const std::uint64_t byte = codewords[c];
        const Frame::Lie lie = f.lies[c];
        const std::uint32_t* s = slot + 8 * c;
        if (lie.step != 0 && !lie.oddStart) {
            std::uint64_t* word = rows + (s[1] >> 6);
            const std::uint32_t shift = s[1] & 63;
            for (std::int32_t i = 0; i < 4; ++i) word[i * lie.step] |= ((byte >> (6 - 2 * i)) & 3u) << shift;
        } else if (lie.step != 0) {
            std::uint64_t* word = rows + (s[0] >> 6);
            const std::uint32_t shift = s[0] & 63;
            word[0] |= (byte >> 7) << shift;
            for (std::int32_t i = 1; i < 4; ++i) word[i * lie.step] |= ((byte >> (7 - 2 * i)) & 3u) << shift;
            word[4 * lie.step] |= (byte & 1u) << (shift + 1);
        } else {
            for (std::size_t j = 0; j < 8; ++j) rows[s[j] >> 6] |= ((byte >> (7 - j)) & 1u) << (s[j] & 63);
        }
    }
    // Code-word bits past the whole bytes of the data region: only for a short last byte.
    const std::size_t bits = std::min(codewords.size() * 8, f.slots.size());
    for (std::size_t k = whole * 8; k < bits; ++k) {
        const std::uint64_t bit = (codewords[k >> 3] >> (7 - (k & 7))) & 1u;
        rows[slot[k] >> 6] |= bit << (slot[k] & 63);
    }
    std::array<std::uint64_t, 64> block;
    for (std::size_t j = 0; j < words; ++j)
        for (std::size_t k = 0; k < words; ++k) {
            for (std::size_t r = 0; r < 64; ++r) block[r] = out.rows[(64 * j + r) * kLineWords + k];
            Transpose64(block);
            for (std::size_t c = 0; c < 64; ++c) out.cols[(64 * k + c) * kLineWords + j] = block[c];
        }
}

// Lays the format information of a level and mask into the placed bits: its cells are neither
// function patterns nor data, so no fixed cell or mask bit covers them.
void PlaceFormat(const Frame& f, std::int32_t levelBits, std::int32_t mask, Placed& p) noexcept {
    const std::int32_t format = kFormatBits[static_cast<std::size_t>(levelBits)][static_cast<std::size_t>(mask)];
    for (std::size_t k = 0; k < f.format.size(); ++k) {
        const Frame::FormatCell& c = f.format[k];
        const std::uint64_t on = 0 - static_cast<std::uint64_t>((format >> (k / 2)) & 1);
        p.rows[c.rowWord] = (p.rows[c.rowWord] & ~c.rowBit) | (on & c.rowBit);
        p.cols[c.colWord] = (p.cols[c.colWord] & ~c.colBit) | (on & c.colBit);
    }
}

template <std::size_t W>
[[gnu::always_inline]] inline Bits<W> Compose(const Plane& placed, const Plane& mask, std::int32_t line) noexcept {
    return Load<W>(placed, line) ^ Load<W>(mask, line);
}

// The penalty of one mask, rows and columns composed line by line and rated as they come; or,
// once the sum so far reaches `bound`, that sum (the mask can no longer win). The dark-ratio
// rule is left out: it scores only a symbol of one colour, and every symbol has the dark and
// light cells of its finder patterns, which no mask touches.
template <std::size_t W>
[[gnu::always_inline]] inline std::int32_t MaskPenalty(const Frame& f, const Placed& p, std::int32_t mask,
                                                       std::int32_t bound) noexcept {
    const std::int32_t dim = f.dim;
    const auto m = static_cast<std::size_t>(mask);
    const Bits<W> valid = Bits<W>::Ones(dim);
    const Bits<W> pairs = Bits<W>::Ones(dim - 1);
    std::int32_t runs = 0, blocks = 0, finders = 0;
    Bits<W> above = Compose<W>(p.rows, f.maskRows[m], 0);
    Bits<W> aboveEqual = EqualToNext(above, pairs);
    runs += RunScore(aboveEqual);
    finders += FinderCount(above, valid);
    for (std::int32_t i = 1; i < dim; ++i) {
        if (i % 16 == 0 && runs + 3 * blocks + 40 * finders >= bound) return runs + 3 * blocks + 40 * finders;
        const Bits<W> d = Compose<W>(p.rows, f.maskRows[m], i);
        const Bits<W> equal = EqualToNext(d, pairs);
        runs += RunScore(equal);
        finders += FinderCount(d, valid);
        blocks += BlockCount(above, aboveEqual, d);
        above = d;
        aboveEqual = equal;
    }
    for (std::int32_t i = 0; i < dim; ++i) {
        if (i % 16 == 0 && runs + 3 * blocks + 40 * finders >= bound) break;
        const Bits<W> d = Compose<W>(p.cols, f.maskCols[m], i);
        runs += RunScore(EqualToNext(d, pairs));
        finders += FinderCount(d, valid);
    }
    return runs + 3 * blocks + 40 * finders;
}

// Each mask's penalty. With `onlyBest`, a mask that cannot beat an earlier one stops early with
// a value no lower than that one's: the first lowest value and its mask stay exact.
PIXMOND_BIT_COUNT_CLONES
void AllPenalties(const Frame& f, Placed& p, std::int32_t levelBits, bool onlyBest,
                  std::array<std::int32_t, 8>& out) noexcept {
    std::int32_t best = std::numeric_limits<std::int32_t>::max();
    for (std::int32_t mask = 0; mask < 8; ++mask) {
        PlaceFormat(f, levelBits, mask, p);
        const std::int32_t bound = onlyBest ? best : std::numeric_limits<std::int32_t>::max();
        auto& o = out[static_cast<std::size_t>(mask)];
        switch (f.words) {
            case 1: o = MaskPenalty<1>(f, p, mask, bound); break;
            case 2: o = MaskPenalty<2>(f, p, mask, bound); break;
            default: o = MaskPenalty<3>(f, p, mask, bound); break;
        }
        best = std::min(best, o);
    }
}

// Eight cells of 0 or 1 for each byte of bits, lowest bit first.
constexpr std::array<std::uint64_t, 256> kSpread = [] {
    std::array<std::uint64_t, 256> t{};
    for (std::size_t b = 0; b < 256; ++b)
        for (std::size_t i = 0; i < 8; ++i)
            if ((b >> i) & 1) t[b] |= std::uint64_t{1} << (8 * i);
    return t;
}();

void WriteMatrix(const Frame& f, Placed& p, std::int32_t levelBits, std::int32_t mask, ByteMatrix& matrix) {
    const std::int32_t dim = f.dim;
    if (matrix.GetWidth() != dim || matrix.GetHeight() != dim) matrix.Init(dim, dim);
    PlaceFormat(f, levelBits, mask, p);
    for (std::int32_t y = 0; y < dim; ++y) {
        const BitLine line = Compose<kLineWords>(p.rows, f.maskRows[static_cast<std::size_t>(mask)], y);
        std::uint8_t* row = matrix.Row(y);
        std::int32_t x = 0;
        if constexpr (std::endian::native == std::endian::little)
            for (; x + 8 <= dim; x += 8) {
                const auto byte = static_cast<std::size_t>((line.w[static_cast<std::size_t>(x >> 6)] >> (x & 63)) & 0xFF);
                std::memcpy(row + x, &kSpread[byte], 8);  // the cells are bytes, lowest address first
            }
        for (; x < dim; ++x) row[x] = line.Test(x) ? 1 : 0;
    }
}

std::array<std::int32_t, 8> Penalties(const Frame& f, const std::vector<std::uint8_t>& codewords, std::int32_t levelBits,
                                      bool onlyBest, Placed& placed) {
    PlaceCodewords(f, codewords, placed);
    std::array<std::int32_t, 8> out{};
    AllPenalties(f, placed, levelBits, onlyBest, out);
    return out;
}

}  // namespace

std::vector<std::int32_t> AllMaskPenalties(const std::vector<std::uint8_t>& codewords, const EcLevel& level,
                                           std::int32_t version) {
    auto placed = std::make_unique<Placed>();
    const auto penalties = Penalties(FrameFor(version), codewords, level.GetBits(), false, *placed);
    return {penalties.begin(), penalties.end()};
}

MaskChoice BuildBestSymbol(const std::vector<std::uint8_t>& codewords, const EcLevel& level, std::int32_t version,
                           ByteMatrix& matrix) {
    const Frame& f = FrameFor(version);
    // About 9 KB of packed lines: kept per thread so a call allocates nothing of its own.
    thread_local Placed placed;
    const auto penalties = Penalties(f, codewords, level.GetBits(), true, placed);
    const auto best = std::min_element(penalties.begin(), penalties.end());  // ties keep the lower mask
    const auto mask = static_cast<std::int32_t>(best - penalties.begin());
    WriteMatrix(f, placed, level.GetBits(), mask, matrix);
    return {mask, *best};
}

}  // namespace pixmond
