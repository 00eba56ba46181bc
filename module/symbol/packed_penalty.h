#pragma once
// The penalty rules on packed bits: each line of the symbol (a row, or a column read as a
// row) is an array of 64-bit words, bit x = cell x, 1 dark. Every rule then works on whole
// words: a run of five equal cells is an AND of shifted copies, and so on. The results equal
// MaskHelper's cell-by-cell rules.
//
// The rules are templates on the number of words a line needs, so that a small symbol (one
// word a line up to 64 cells) does a third of the work of the largest.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace pixmond {

inline constexpr std::int32_t kMaxDimension = 177;
inline constexpr std::int32_t kLineWords = 3;  // 177 bits fit in three 64-bit words

template <std::size_t W>
struct Bits {
    std::array<std::uint64_t, W> w{};

    void Set(std::int32_t i) noexcept { w[static_cast<std::size_t>(i >> 6)] |= std::uint64_t{1} << (i & 63); }
    bool Test(std::int32_t i) const noexcept { return (w[static_cast<std::size_t>(i >> 6)] >> (i & 63)) & 1u; }
    friend Bits operator&(Bits a, const Bits& b) noexcept {
        for (std::size_t i = 0; i < W; ++i) a.w[i] &= b.w[i];
        return a;
    }
    friend Bits operator|(Bits a, const Bits& b) noexcept {
        for (std::size_t i = 0; i < W; ++i) a.w[i] |= b.w[i];
        return a;
    }
    friend Bits operator^(Bits a, const Bits& b) noexcept {
        for (std::size_t i = 0; i < W; ++i) a.w[i] ^= b.w[i];
        return a;
    }
    Bits operator~() const noexcept {
        Bits r;
        for (std::size_t i = 0; i < W; ++i) r.w[i] = ~w[i];
        return r;
    }
    std::int32_t Count() const noexcept {
        std::int32_t n = 0;
        for (std::uint64_t x : w) n += std::popcount(x);
        return n;
    }
    bool Any() const noexcept {
        std::uint64_t a = 0;
        for (std::uint64_t x : w) a |= x;
        return a != 0;
    }
    // Bit x of the result is bit x + k of this line (0 past the end). 1 <= k <= 63.
    Bits Ahead(std::int32_t k) const noexcept {
        Bits r;
        for (std::size_t i = 0; i < W; ++i) {
            r.w[i] = w[i] >> k;
            if (i + 1 < W) r.w[i] |= w[i + 1] << (64 - k);
        }
        return r;
    }
    // Bit x of the result is bit x − k of this line (0 before the start). 1 <= k <= 63.
    Bits Behind(std::int32_t k) const noexcept {
        Bits r;
        for (std::size_t i = 0; i < W; ++i) {
            r.w[i] = w[i] << k;
            if (i > 0) r.w[i] |= w[i - 1] >> (64 - k);
        }
        return r;
    }
    // The first N words (N <= W).
    template <std::size_t N>
    Bits<N> Head() const noexcept {
        static_assert(N <= W);
        Bits<N> r;
        for (std::size_t i = 0; i < N; ++i) r.w[i] = w[i];
        return r;
    }
    // A line of `length` ones: the cells that exist.
    static Bits Ones(std::int32_t length) noexcept {
        Bits m;
        for (std::size_t i = 0; i < W; ++i) {
            const std::int32_t bits = length - 64 * static_cast<std::int32_t>(i);
            m.w[i] = bits >= 64 ? ~std::uint64_t{0} : bits <= 0 ? 0 : (std::uint64_t{1} << bits) - 1;
        }
        return m;
    }
};

using BitLine = Bits<kLineWords>;

// Lines of one symbol orientation: lines[0 .. count), each `length` cells, no bit set past it.
struct PackedLines {
    std::array<BitLine, kMaxDimension> lines;
};

// The rules on one line of `length` cells (always inlined, so that they take on the
// instruction set of the loop that calls them), given as:
//  dark  the line (no bit set past its end);
//  equal bit x set when cells x and x + 1 exist and have one colour: ~(dark ^ dark.Ahead(1))
//        within Ones(length − 1). Runs and blocks both start from it.
template <std::size_t W>
[[gnu::always_inline]] inline Bits<W> EqualToNext(const Bits<W>& dark, const Bits<W>& validPairs) noexcept {
    return ~(dark ^ dark.Ahead(1)) & validPairs;
}

// Runs of five or more equal cells: 3 + (run − 5) each.
template <std::size_t W>
[[gnu::always_inline]] inline std::int32_t RunScore(const Bits<W>& equal) noexcept {
    // a: cells that start five equal cells. Runs of either colour are never adjacent in a
    // (a set bit x and x + 1 means six equal cells), so each group of a is one run.
    Bits<W> a = equal & equal.Ahead(1);
    a = a & a.Ahead(2);
    const Bits<W> starts = a & ~a.Behind(1);
    // A run of n >= 5 has n − 4 such cells and one start: (n − 4) + 2 = 3 + (n − 5).
    return a.Count() + 2 * starts.Count();
}

// 2 × 2 squares of one colour whose top row is `upper` (with its `upperEqual`) and bottom
// row `lower`.
template <std::size_t W>
[[gnu::always_inline]] inline std::int32_t BlockCount(const Bits<W>& upper, const Bits<W>& upperEqual, const Bits<W>& lower) noexcept {
    const Bits<W> sameDown = ~(upper ^ lower);
    return (sameDown & sameDown.Ahead(1) & upperEqual).Count();
}

// 1011101 with four light cells inside the line after or before it.
template <std::size_t W>
[[gnu::always_inline]] inline std::int32_t FinderCount(const Bits<W>& dark, const Bits<W>& valid) noexcept {
    const Bits<W> light = ~dark & valid;
    const Bits<W> d2 = dark & dark.Ahead(1);
    const Bits<W> pattern = dark & light.Ahead(1) & (d2 & dark.Ahead(2)).Ahead(2) & light.Ahead(5) & dark.Ahead(6);
    if (!pattern.Any()) return 0;
    const Bits<W> l2 = light & light.Ahead(1);
    const Bits<W> l4 = l2 & l2.Ahead(2);  // bit x: cells x .. x + 3 light
    return (pattern & (l4.Ahead(7) | l4.Behind(4))).Count();
}

// Runs of five or more equal cells along each line: 3 + (run − 5) each.
std::int32_t PackedRunPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept;
// 2 × 2 squares of one colour, 3 each; lines are rows.
std::int32_t PackedBlockPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept;
// 1011101 with four light cells inside the symbol after or before it, 40 each, along lines.
std::int32_t PackedFinderPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept;
std::int32_t PackedDarkCount(const PackedLines& p, std::int32_t count) noexcept;

}  // namespace pixmond
