#pragma once
// The 40 QR versions and their Reed–Solomon block structure
// (ISO/IEC 18004, 6.5.1 table 9: error-correction characteristics).

#include <array>
#include <cstdint>
#include <string>

#include "pixmond/ec_level.h"

namespace pixmond {

// A run of blocks with the same number of data code words.
struct EcBlockGroup {
    std::int32_t count = 0;
    std::int32_t dataCodewords = 0;

    constexpr std::int32_t GetCount() const noexcept { return count; }
    constexpr std::int32_t GetDataCodewords() const noexcept { return dataCodewords; }
};

// The blocks of one version at one level: one or two groups, the second group's blocks one
// data code word longer, every block with the same number of EC code words.
struct EcBlocks {
    std::int32_t ecCodewordsPerBlock = 0;
    std::array<EcBlockGroup, 2> groups{};
    std::int32_t groupCount = 0;

    constexpr std::int32_t GetEcCodewordsPerBlock() const noexcept { return ecCodewordsPerBlock; }
    constexpr std::int32_t GetNumBlocks() const noexcept {
        std::int32_t n = 0;
        for (std::int32_t i = 0; i < groupCount; ++i) n += groups[i].count;
        return n;
    }
    constexpr std::int32_t GetTotalEcCodewords() const noexcept { return ecCodewordsPerBlock * GetNumBlocks(); }
};

class Version {
public:
    constexpr Version() = default;
    // Total code words = the sum over L's groups of count × (data + EC per block).
    constexpr Version(std::int32_t number, const std::array<EcBlocks, 4>& blocks) : number_(number), blocks_(blocks) {
        const EcBlocks& l = blocks_[0];
        for (std::int32_t i = 0; i < l.groupCount; ++i)
            totalCodewords_ += l.groups[i].count * (l.groups[i].dataCodewords + l.ecCodewordsPerBlock);
    }

    constexpr std::int32_t GetNumber() const noexcept { return number_; }
    constexpr std::int32_t GetTotalCodewords() const noexcept { return totalCodewords_; }
    constexpr std::int32_t GetDimension() const noexcept { return 17 + 4 * number_; }
    // Precondition (not checked): the level is one of L, M, Q, H (ordinal 1 to 4).
    const EcBlocks& GetEcBlocksForLevel(const EcLevel& level) const noexcept {
        return blocks_[static_cast<std::size_t>(level.GetOrdinal() - 1)];
    }
    constexpr const EcBlocks& GetEcBlocksForOrdinal(std::int32_t ordinal) const noexcept {
        return blocks_[static_cast<std::size_t>(ordinal - 1)];
    }
    std::string ToText() const { return std::to_string(number_); }

private:
    std::int32_t number_ = 0;
    std::array<EcBlocks, 4> blocks_{};
    std::int32_t totalCodewords_ = 0;
};

// Version v is element v − 1.
const std::array<Version, 40>& VersionTable() noexcept;

// Fails (source "二维码类", method "取版本_通过版本号") unless 1 <= number <= 40.
const Version& GetVersionByNumber(std::int32_t number);
// Fails (method "取版本_通过维长度") unless dimension is 4k + 1; then as GetVersionByNumber.
const Version& GetVersionByDimension(std::int32_t dimension);

}  // namespace pixmond
