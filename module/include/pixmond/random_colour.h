#pragma once
// The random foreground colour of the window's "随机颜色" button, shared with the command line.

#include <cstdint>

#include "pixmond/create.h"

namespace pixmond {

// A generator of numbers 0 to 32767 from a seed (a linear congruential generator).
class RandomDraws {
public:
    explicit RandomDraws(std::uint32_t seed) noexcept : state_(seed) {}
    std::int32_t Next() noexcept {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<std::int32_t>((state_ >> 16) & 0x7FFF);
    }

private:
    std::uint32_t state_;
};

// Seeds from the millisecond tick count plus a process-wide counter, which then grows by
// (seed mod 256) + 100, so two seedings in the same millisecond differ. Thread-safe.
std::uint32_t NextColourSeed(std::uint32_t tickMilliseconds) noexcept;

// Three draws r, g, b; the colour is (r mod 256) + (g mod 256) × 256 + (b mod 256) × 65536.
Colour ColourFromSeed(std::uint32_t seed) noexcept;

// Both steps with the current steady-clock milliseconds.
Colour RandomColour() noexcept;

}  // namespace pixmond
