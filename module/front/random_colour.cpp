#include "pixmond/random_colour.h"

#include <atomic>
#include <chrono>

namespace pixmond {

std::uint32_t NextColourSeed(std::uint32_t tickMilliseconds) noexcept {
    static std::atomic<std::uint32_t> counter{0};
    std::uint32_t c = counter.load(std::memory_order_relaxed);
    std::uint32_t seed;
    do {
        seed = tickMilliseconds + c;
    } while (!counter.compare_exchange_weak(c, c + seed % 256 + 100, std::memory_order_relaxed));
    return seed;
}

Colour ColourFromSeed(std::uint32_t seed) noexcept {
    RandomDraws draws(seed);
    const std::int32_t r = draws.Next();
    const std::int32_t g = draws.Next();
    const std::int32_t b = draws.Next();
    return static_cast<Colour>(r % 256 + (g % 256) * 256 + (b % 256) * 65536);
}

Colour RandomColour() noexcept {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    return ColourFromSeed(NextColourSeed(static_cast<std::uint32_t>(ms)));
}

}  // namespace pixmond
