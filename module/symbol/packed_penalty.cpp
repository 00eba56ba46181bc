#include "symbol/packed_penalty.h"

namespace pixmond {

std::int32_t PackedRunPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept {
    const BitLine pairs = BitLine::Ones(length - 1);
    std::int32_t penalty = 0;
    for (std::int32_t i = 0; i < count; ++i) penalty += RunScore(EqualToNext(p.lines[static_cast<std::size_t>(i)], pairs));
    return penalty;
}

std::int32_t PackedBlockPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept {
    const BitLine pairs = BitLine::Ones(length - 1);
    std::int32_t blocks = 0;
    for (std::int32_t i = 0; i + 1 < count; ++i) {
        const BitLine& upper = p.lines[static_cast<std::size_t>(i)];
        blocks += BlockCount(upper, EqualToNext(upper, pairs), p.lines[static_cast<std::size_t>(i + 1)]);
    }
    return 3 * blocks;
}

std::int32_t PackedFinderPenalty(const PackedLines& p, std::int32_t count, std::int32_t length) noexcept {
    const BitLine valid = BitLine::Ones(length);
    std::int32_t found = 0;
    for (std::int32_t i = 0; i < count; ++i) found += FinderCount(p.lines[static_cast<std::size_t>(i)], valid);
    return 40 * found;
}

std::int32_t PackedDarkCount(const PackedLines& p, std::int32_t count) noexcept {
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < count; ++i) n += p.lines[static_cast<std::size_t>(i)].Count();
    return n;
}

}  // namespace pixmond
