#pragma once
// How much text each level holds, from the data code words of version 40 (ISO/IEC 18004,
// table 7) and the encoder's rule that the data bits, rounded up to whole bytes, leave three
// code words free for the header.

#include <array>
#include <cstdint>

namespace hardening {

enum class Level { L, M, Q, H };
inline constexpr std::array<Level, 4> kLevels{Level::L, Level::M, Level::Q, Level::H};
inline constexpr std::array<const char*, 4> kLevelNames{"L", "M", "Q", "H"};

inline constexpr std::int32_t kVersion40DataCodewords[4] = {2956, 2334, 1666, 1276};
inline constexpr std::int32_t kHeaderMargin = 3;

inline const char* Name(Level level) { return kLevelNames[static_cast<std::size_t>(level)]; }

// Bytes of data bits the encoder may fill at a level.
inline std::int32_t DataBytes(Level level) {
    return kVersion40DataCodewords[static_cast<std::size_t>(level)] - kHeaderMargin;
}

// The most UTF-8 bytes a byte-mode text may have.
inline std::int32_t ByteCapacity(Level level) { return DataBytes(level); }

inline std::int64_t NumericBits(std::int64_t digits) {
    constexpr std::int64_t tail[3] = {0, 4, 7};
    return digits / 3 * 10 + tail[digits % 3];
}
inline std::int64_t AlphanumericBits(std::int64_t chars) { return chars / 2 * 11 + chars % 2 * 6; }

template <class Bits>
std::int32_t LongestFitting(Level level, Bits bits) {
    std::int32_t n = 0;
    while ((bits(n + 1) + 7) / 8 <= DataBytes(level)) ++n;
    return n;
}
inline std::int32_t NumericCapacity(Level level) { return LongestFitting(level, NumericBits); }
inline std::int32_t AlphanumericCapacity(Level level) { return LongestFitting(level, AlphanumericBits); }

}  // namespace hardening
