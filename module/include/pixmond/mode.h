#pragma once
// Data encoding modes (ISO/IEC 18004, 7.4.1 table 2 for the indicators, table 3 for the
// character-count widths). Modes are compared by name.

#include <array>
#include <cstdint>
#include <string>

namespace pixmond {

class Mode {
public:
    Mode() = default;  // empty: no widths, indicator 0, no name
    Mode(std::array<std::int32_t, 3> countWidths, std::int32_t indicator, std::string name)
        : countWidths_(countWidths), hasWidths_(true), indicator_(indicator), name_(std::move(name)) {}

    // Width of the character-count indicator for a version number: the first width for
    // versions 1 to 9, the second for 10 to 26, the third from 27 on. 0 for an empty mode.
    std::int32_t GetCharacterCountBits(std::int32_t version) const noexcept;
    std::int32_t GetIndicator() const noexcept { return indicator_; }
    std::string GetName() const { return name_; }
    const std::string& Name() const noexcept { return name_; }
    bool IsEmpty() const noexcept { return !hasWidths_; }

    // Same mode exactly when the names are equal.
    friend bool operator==(const Mode& a, const Mode& b) noexcept { return a.name_ == b.name_; }

private:
    std::array<std::int32_t, 3> countWidths_{};
    bool hasWidths_ = false;
    std::int32_t indicator_ = 0;
    std::string name_;
};

struct ModeSet {
    Mode numeric, alphanumeric, byte;
};

const ModeSet& Modes();

// A copy of the mode with that indicator (1, 2 or 4); an empty mode for any other value.
Mode ModeForBits(std::int32_t indicator);

}  // namespace pixmond
