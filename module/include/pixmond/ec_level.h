#pragma once
// Error-correction levels L, M, Q, H (ISO/IEC 18004, 6.5.1 and table 12 for the indicator bits).

#include <array>
#include <cstdint>
#include <string>

namespace pixmond {

class EcLevel {
public:
    EcLevel() = default;  // empty: ordinal 0, bits 0, no name
    EcLevel(std::int32_t ordinal, std::int32_t bits, std::string name)
        : ordinal_(ordinal), bits_(bits), name_(std::move(name)) {}

    void Init(std::int32_t ordinal, std::int32_t bits, std::string name) {
        ordinal_ = ordinal;
        bits_ = bits;
        name_ = std::move(name);
    }
    // 1 for L .. 4 for H; 0 while empty.
    std::int32_t GetOrdinal() const noexcept { return ordinal_; }
    // The two-bit level indicator of the format information: L 1, M 0, Q 3, H 2.
    std::int32_t GetBits() const noexcept { return bits_; }
    std::string GetName() const { return name_; }

    friend bool operator==(const EcLevel&, const EcLevel&) = default;

private:
    std::int32_t ordinal_ = 0;
    std::int32_t bits_ = 0;
    std::string name_;
};

// The four levels, built once per process and read-only afterwards.
struct EcLevelSet {
    EcLevel L, M, Q, H;
    std::array<EcLevel, 4> byIndex;  // [0] = L .. [3] = H
};

const EcLevelSet& EcLevels();

// The level whose ordinal is index (1 to 4). Fails with source "二维码类",
// method "取容错级别_按索引" for any other index.
EcLevel GetEcLevelByIndex(std::int32_t index);

}  // namespace pixmond
