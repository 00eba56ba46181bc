#pragma once
// The penalty rules on packed bits: each line of the symbol (a row, or a column read as a
// row) is a 192-bit word array, bit x = cell x, 1 dark. Every rule then works on whole words:
// a run of five equal cells is an AND of five shifted copies, and so on. The results equal
// MaskHelper's cell-by-cell rules.

#include <array>
#include <bit>
#include <cstdint>

namespace pixmond {

inline constexpr std::int32_t kMaxDimension = 177;
inline constexpr std::int32_t kLineWords = 3;  // 177 bits fit in three 64-bit words

struct BitLine {
    std::array<std::uint64_t, kLineWords> w{};

    void Set(std::int32_t i) noexcept { w[static_cast<std::size_t>(i >> 6)] |= std::uint64_t{1} << (i & 63); }
    bool Test(std::int32_t i) const noexcept { return (w[static_cast<std::size_t>(i >> 6)] >> (i & 63)) & 1u; }
    friend BitLine operator&(BitLine a, const BitLine& b) noexcept {
        for (std::size_t i = 0; i < kLineWords; ++i) a.w[i] &= b.w[i];
        return a;
    }
    friend BitLine operator|(BitLine a, const BitLine& b) noexcept {
        for (std::size_t i = 0; i < kLineWords; ++i) a.w[i] |= b.w[i];
        return a;
    }
    friend BitLine operator^(BitLine a, const BitLine& b) noexcept {
        for (std::size_t i = 0; i < kLineWords; ++i) a.w[i] ^= b.w[i];
        return a;
    }
    BitLine operator~() const noexcept {
        BitLine r;
        for (std::size_t i = 0; i < kLineWords; ++i) r.w[i] = ~w[i];
        return r;
    }
    std::int32_t Count() const noexcept {
        std::int32_t n = 0;
        for (std::uint64_t x : w) n += std::popcount(x);
        return n;
    }
    // Bit x of the result is bit x + k of this line (0 past the end). 1 <= k <= 63.
    BitLine Ahead(std::int32_t k) const noexcept {
        BitLine r;
        for (std::size_t i = 0; i < kLineWords; ++i) {
            r.w[i] = w[i] >> k;
            if (i + 1 < kLineWords) r.w[i] |= w[i + 1] << (64 - k);
        }
        return r;
    }
    // Bit x of the result is bit x − k of this line (0 before the start). 1 <= k <= 63.
    BitLine Behind(std::int32_t k) const noexcept {
        BitLine r;
        for (std::size_t i = 0; i < kLineWords; ++i) {
            r.w[i] = w[i] << k;
            if (i > 0) r.w[i] |= w[i - 1] >> (64 - k);
        }
        return r;
    }
};

// A line of `length` ones: the cells that exist.
BitLine LineMask(std::int32_t length) noexcept;

// Lines of one symbol orientation: lines[0 .. count), each `length` cells, no bit set past it.
struct PackedLines {
    std::array<BitLine, kMaxDimension> lines;
};

// Runs of five or more equal cells along each line: 3 + (run − 5) each.
std::int32_t PackedRunPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept;
// 2 × 2 squares of one colour, 3 each; lines are rows.
std::int32_t PackedBlockPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept;
// 1011101 with four light cells inside the symbol after or before it, 40 each, along lines.
std::int32_t PackedFinderPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept;
std::int32_t PackedDarkCount(const PackedLines& p, std::int32_t count) noexcept;

}  // namespace pixmond
