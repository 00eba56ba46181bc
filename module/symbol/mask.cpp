#include "symbol/mask.h"

#include <cstdlib>

#include "pixmond/failure.h"
#include "pixmond/qr_code.h"

namespace pixmond {

const std::string& MaskHelper::ClassName() {
    static const std::string name = "掩码辅助类";
    return name;
}

bool MaskHelper::DataMaskBit(std::int32_t mask, std::int32_t x, std::int32_t y) {
    if (!QrCode::IsValidMaskPattern(mask)) Fail(ClassName(), "取数据掩码位", "掩图无效。");
    std::int32_t v = 0;
    const std::int32_t p = x * y;
    switch (mask) {
        case 0: v = (x + y) & 1; break;
        case 1: v = y & 1; break;
        case 2: v = x % 3; break;
        case 3: v = (x + y) % 3; break;
        case 4: v = ((y >> 1) + x / 3) & 1; break;
        case 5: v = (p & 1) + (p % 3); break;
        case 6: v = ((p & 1) + (p % 3)) & 1; break;
        default: v = ((p % 3) + ((x + y) & 1)) & 1; break;
    }
    return v == 0;
}

std::int32_t MaskHelper::PenaltyRunsInDirection(const ByteMatrix& m, bool alongRows) {
    const std::int32_t lines = alongRows ? m.GetHeight() : m.GetWidth();
    const std::int32_t length = alongRows ? m.GetWidth() : m.GetHeight();
    std::int32_t penalty = 0;
    for (std::int32_t line = 0; line < lines; ++line) {
        std::int32_t count = 0;
        std::int32_t previous = -1;
        for (std::int32_t i = 0; i < length; ++i) {
            const std::int32_t cell = alongRows ? m.Get(i, line) : m.Get(line, i);
            if (count > 0 && cell == previous) {
                ++count;
                if (count == 5)
                    penalty += 3;
                else if (count > 5)
                    penalty += 1;
            } else {
                count = 1;
                previous = cell;
            }
        }
    }
    return penalty;
}

std::int32_t MaskHelper::PenaltyRuns(const ByteMatrix& m) {
    return PenaltyRunsInDirection(m, true) + PenaltyRunsInDirection(m, false);
}

std::int32_t MaskHelper::PenaltyBlocks(const ByteMatrix& m) {
    std::int32_t penalty = 0;
    for (std::int32_t y = 0; y + 1 < m.GetHeight(); ++y)
        for (std::int32_t x = 0; x + 1 < m.GetWidth(); ++x) {
            const auto c = m.Get(x, y);
            if (c == m.Get(x + 1, y) && c == m.Get(x, y + 1) && c == m.Get(x + 1, y + 1)) penalty += 3;
        }
    return penalty;
}

namespace {

// The 1:1:3:1:1 sequence at (x, y) going along (dx, dy), with four light cells inside the
// symbol after it or before it.
bool FinderLikeAt(const ByteMatrix& m, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy) {
    static constexpr std::uint8_t kPattern[7] = {1, 0, 1, 1, 1, 0, 1};
    const std::int32_t length = dx ? m.GetWidth() : m.GetHeight();
    const std::int32_t pos = dx ? x : y;
    if (pos + 6 >= length) return false;
    for (std::int32_t k = 0; k < 7; ++k)
        if (m.Get(x + k * dx, y + k * dy) != kPattern[k]) return false;
    auto lightRun = [&](std::int32_t from, std::int32_t step) {
        for (std::int32_t k = 0; k < 4; ++k)
            if (m.Get(x + (from + k * step) * dx, y + (from + k * step) * dy) != 0) return false;
        return true;
    };
    return (pos + 10 < length && lightRun(7, 1)) || (pos - 4 >= 0 && lightRun(-1, -1));
}

}  // namespace

std::int32_t MaskHelper::PenaltyFinderLike(const ByteMatrix& m) {
    std::int32_t penalty = 0;
    for (std::int32_t y = 0; y < m.GetHeight(); ++y)
        for (std::int32_t x = 0; x < m.GetWidth(); ++x) {
            if (FinderLikeAt(m, x, y, 1, 0)) penalty += 40;
            if (FinderLikeAt(m, x, y, 0, 1)) penalty += 40;
        }
    return penalty;
}

std::int32_t MaskHelper::DarkRatioScore(std::int64_t dark, std::int64_t total) noexcept {
    const float r = static_cast<float>(dark) / static_cast<float>(total);
    const auto d = static_cast<std::int32_t>(r * 100.0f - 50.0f);
    return std::abs(d) / 50;
}

std::int32_t MaskHelper::PenaltyDarkRatio(const ByteMatrix& m) {
    std::int64_t dark = 0;
    for (std::uint8_t c : m.Data()) dark += c == 1;
    return DarkRatioScore(dark, static_cast<std::int64_t>(m.GetWidth()) * m.GetHeight());
}

std::int32_t MaskHelper::MaskPenalty(const ByteMatrix& m) {
    return PenaltyRuns(m) + PenaltyBlocks(m) + PenaltyFinderLike(m) + PenaltyDarkRatio(m);
}

}  // namespace pixmond
