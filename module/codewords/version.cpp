#include "pixmond/version.h"

#include <string>

#include "pixmond/failure.h"
#include "pixmond/qr_code.h"

namespace pixmond {
namespace {

// ISO/IEC 18004, 6.5.1 table 9, by level (L, M, Q, H) and version 1 to 40:
// error-correction code words per block ...
constexpr std::int32_t kEcPerBlock[4][40] = {
    {7, 10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};
// ... and the number of blocks.
constexpr std::int32_t kBlockCount[4][40] = {
    {1, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4, 4, 4, 4, 6, 6, 6, 6, 7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {1, 1, 1, 2, 2, 4, 4, 4, 5, 5, 5, 8, 9, 9, 10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {1, 1, 2, 2, 4, 4, 6, 6, 8, 8, 8, 10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {1, 1, 2, 4, 4, 4, 5, 6, 8, 8, 11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

// Modules left for code words once the function patterns and the format and version
// information are laid (ISO/IEC 18004, 6.4.10 and table 1).
constexpr std::int32_t DataModules(std::int32_t v) {
    std::int32_t n = (16 * v + 128) * v + 64;
    if (v >= 2) {
        const std::int32_t a = v / 7 + 2;
        n -= (25 * a - 10) * a - 55;
        if (v >= 7) n -= 36;
    }
    return n;
}

constexpr EcBlocks MakeBlocks(std::int32_t version, std::int32_t level) {
    const std::int32_t total = DataModules(version) / 8;
    const std::int32_t ec = kEcPerBlock[level][version - 1];
    const std::int32_t blocks = kBlockCount[level][version - 1];
    const std::int32_t data = total - ec * blocks;
    const std::int32_t longBlocks = data % blocks;
    EcBlocks b;
    b.ecCodewordsPerBlock = ec;
    b.groups[0] = EcBlockGroup{blocks - longBlocks, data / blocks};
    b.groupCount = 1;
    if (longBlocks > 0) {
        b.groups[1] = EcBlockGroup{longBlocks, data / blocks + 1};
        b.groupCount = 2;
    }
    return b;
}

constexpr std::array<Version, 40> BuildTable() {
    std::array<Version, 40> t{};
    for (std::int32_t v = 1; v <= 40; ++v)
        t[v - 1] = Version(v, {MakeBlocks(v, 0), MakeBlocks(v, 1), MakeBlocks(v, 2), MakeBlocks(v, 3)});
    return t;
}

constexpr std::array<Version, 40> kTable = BuildTable();

constexpr bool LevelsAgree() {
    for (const Version& v : kTable) {
        for (std::int32_t l = 1; l <= 4; ++l) {
            const EcBlocks& b = v.GetEcBlocksForOrdinal(l);
            std::int32_t sum = 0;
            for (std::int32_t g = 0; g < b.groupCount; ++g)
                sum += b.groups[g].count * (b.groups[g].dataCodewords + b.ecCodewordsPerBlock);
            if (sum != v.GetTotalCodewords()) return false;
        }
    }
    return true;
}

static_assert(kTable[0].GetTotalCodewords() == 26);
static_assert(kTable[4].GetTotalCodewords() == 134);
static_assert(kTable[6].GetTotalCodewords() == 196);
static_assert(kTable[39].GetTotalCodewords() == 3706);
static_assert(kTable[39].GetEcBlocksForOrdinal(4).GetNumBlocks() == 81);
static_assert(kTable[39].GetEcBlocksForOrdinal(4).groups[1].dataCodewords == 16);
static_assert(LevelsAgree(), "every level of a version must add up to the same total");

}  // namespace

const std::array<Version, 40>& VersionTable() noexcept { return kTable; }

const Version& GetVersionByNumber(std::int32_t number) {
    if (number >= 1 && number <= 40) return kTable[number - 1];
    Fail(QrCode::ClassName(), "取版本_通过版本号", "版本号不在0到40之间。当前版本号：" + std::to_string(number));
}

const Version& GetVersionByDimension(std::int32_t dimension) {
    // The dimension is 4 × version + 17; a negative dimension leaves a negative remainder.
    if (dimension % 4 != 1)
        Fail(QrCode::ClassName(), "取版本_通过维长度", "维长度不为4的位数加1。当前维数：" + std::to_string(dimension));
    return GetVersionByNumber((dimension - 17) >> 2);
}

}  // namespace pixmond
