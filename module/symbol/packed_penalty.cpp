#include "symbol/packed_penalty.h"

namespace pixmond {

BitLine LineMask(std::int32_t length) noexcept {
    BitLine m;
    for (std::int32_t i = 0; i < kLineWords; ++i) {
        const std::int32_t bits = length - 64 * i;
        m.w[static_cast<std::size_t>(i)] = bits >= 64 ? ~std::uint64_t{0} : bits <= 0 ? 0 : (std::uint64_t{1} << bits) - 1;
    }
    return m;
}

namespace {
std::int32_t RunScore(const BitLine& c) noexcept {
    // a: cells that start five equal cells of this colour.
    BitLine a = c & c.Ahead(1);
    a = a & a.Ahead(2);
    a = a & c.Ahead(4);
    const BitLine starts = a & ~a.Behind(1);
    // A run of n >= 5 has n − 4 such cells and one start: (n − 4) + 2 = 3 + (n − 5).
    return a.Count() + 2 * starts.Count();
}
}  // namespace

std::int32_t PackedRunPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept {
    const BitLine valid = LineMask(length);
    std::int32_t penalty = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const BitLine& dark = p.lines[static_cast<std::size_t>(i)];
        penalty += RunScore(dark) + RunScore(~dark & valid);
    }
    return penalty;
}

std::int32_t PackedBlockPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept {
    const BitLine valid = LineMask(length - 1);
    std::int32_t blocks = 0;
    for (std::int32_t i = 0; i + 1 < count; ++i) {
        const BitLine& r0 = p.lines[static_cast<std::size_t>(i)];
        const BitLine& r1 = p.lines[static_cast<std::size_t>(i + 1)];
        const BitLine sameDown = ~(r0 ^ r1);
        const BitLine sameRight = ~(r0 ^ r0.Ahead(1));
        blocks += (sameDown & sameDown.Ahead(1) & sameRight & valid).Count();
    }
    return 3 * blocks;
}

std::int32_t PackedFinderPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept {
    const BitLine valid = LineMask(length);
    std::int32_t found = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const BitLine& d = p.lines[static_cast<std::size_t>(i)];
        const BitLine l = ~d & valid;
        const BitLine pattern = d & l.Ahead(1) & d.Ahead(2) & d.Ahead(3) & d.Ahead(4) & l.Ahead(5) & d.Ahead(6);
        const BitLine after = l.Ahead(7) & l.Ahead(8) & l.Ahead(9) & l.Ahead(10);
        const BitLine before = l.Behind(1) & l.Behind(2) & l.Behind(3) & l.Behind(4);
        found += (pattern & (after | before)).Count();
    }
    return 40 * found;
}

std::int32_t PackedDarkCount(const PackedLines& p, std::int32_t count) noexcept {
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < count; ++i) n += p.lines[static_cast<std::size_t>(i)].Count();
    return n;
}

}  // namespace pixmond
