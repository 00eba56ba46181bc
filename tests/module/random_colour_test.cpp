#include <gtest/gtest.h>

#include "pixmond/random_colour.h"

using namespace pixmond;

TEST(RandomColour, LowBytesOfThreeDrawsAreRedGreenBlue) {
    for (std::uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        RandomDraws d(seed);
        const std::int32_t r = d.Next(), g = d.Next(), b = d.Next();
        for (std::int32_t v : {r, g, b}) {
            EXPECT_GE(v, 0);
            EXPECT_LE(v, 32767);
        }
        EXPECT_EQ(ColourFromSeed(seed), static_cast<Colour>(r % 256 + (g % 256) * 256 + (b % 256) * 65536));
    }
}

TEST(RandomColour, TwoSeedingsInOneMillisecondDiffer) {
    const std::uint32_t a = NextColourSeed(5000);
    const std::uint32_t b = NextColourSeed(5000);
    EXPECT_NE(a, b);
    // The counter grows by (seed mod 256) + 100 after each seeding.
    EXPECT_EQ(b - a, a % 256 + 100);
    EXPECT_NE(ColourFromSeed(a), ColourFromSeed(b));
}
