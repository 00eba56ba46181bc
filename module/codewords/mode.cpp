#include "pixmond/mode.h"

namespace pixmond {

std::int32_t Mode::GetCharacterCountBits(std::int32_t version) const noexcept {
    if (!hasWidths_) return 0;
    if (version <= 9) return countWidths_[0];
    if (version <= 26) return countWidths_[1];
    return countWidths_[2];
}

const ModeSet& Modes() {
    // ISO/IEC 18004, 7.4.1 table 2 (indicators) and 7.4.4 table 3 (count widths).
    static const ModeSet set{
        Mode({10, 12, 14}, 1, "数字"),
        Mode({9, 11, 13}, 2, "字母数字"),
        Mode({8, 16, 16}, 4, "字节"),
    };
    return set;
}

Mode ModeForBits(std::int32_t indicator) {
    const ModeSet& m = Modes();
    switch (indicator) {
        case 1: return m.numeric;
        case 2: return m.alphanumeric;
        case 4: return m.byte;
        default: return Mode{};
    }
}

}  // namespace pixmond
