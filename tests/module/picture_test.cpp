// Scaling with the quiet zone and the BMP bytes, read back by an independent reader.
#include <gtest/gtest.h>

#include "pixmond/picture.h"
#include "support/bmp.h"

using namespace pixmond;

namespace {
// A record whose symbol is all dark, so the module area shows exactly where it lands.
QrCode DarkSymbol(std::int32_t side) {
    QrCode r;
    ByteMatrix m(side, side);
    m.Clear(1);
    r.SetMatrix(m);
    return r;
}
struct Bounds {
    std::int32_t left, top, right, bottom;  // inclusive
    friend bool operator==(const Bounds&, const Bounds&) = default;
};
Bounds DarkBounds(const ByteMatrix& g) {
    Bounds b{g.GetWidth(), g.GetHeight(), -1, -1};
    for (std::int32_t y = 0; y < g.GetHeight(); ++y)
        for (std::int32_t x = 0; x < g.GetWidth(); ++x)
            if (g.Get(x, y) == 1) b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
    return b;
}
}  // namespace

TEST(ScaleMatrix, MultipleAndPaddingByRequestedSize) {
    const struct {
        std::int32_t symbol, w, h;
        std::int32_t gridW, gridH;
        Bounds dark;
    } cases[] = {
        {21, 200, 200, 200, 200, {16, 16, 183, 183}},  // multiple 8, padding 16
        {177, 200, 200, 200, 200, {11, 11, 187, 187}}, // multiple 1: 11 before, 12 after
        {21, 100, 100, 100, 100, {8, 8, 91, 91}},      // multiple 4
        {21, 20, 20, 25, 25, {2, 2, 22, 22}},          // the grid grows to the symbol plus its zone
        {21, 300, 200, 300, 200, {66, 16, 233, 183}},  // ratios 12 and 8: the smaller wins
    };
    for (const auto& c : cases) {
        const ByteMatrix g = ScaleMatrix(DarkSymbol(c.symbol), c.w, c.h);
        EXPECT_EQ(g.GetWidth(), c.gridW);
        EXPECT_EQ(g.GetHeight(), c.gridH);
        EXPECT_EQ(DarkBounds(g), c.dark) << c.symbol << " at " << c.w << "x" << c.h;
    }
}

TEST(ScaleMatrix, OnlyCellsHoldingOneAreDark) {
    QrCode r;
    ByteMatrix m(21, 21);
    m.Clear(255);
    m.Set(0, 0, 1);
    r.SetMatrix(m);
    const ByteMatrix g = ScaleMatrix(r, 25, 25);
    EXPECT_EQ(DarkBounds(g), (Bounds{2, 2, 2, 2}));
}

TEST(MatrixToPicture, HeaderRowsPaddingAndColours) {
    ByteMatrix grid(101, 3);
    grid.Set(0, 0, 1);     // top-left
    grid.Set(100, 2, 1);   // bottom-right
    grid.Set(50, 1, 255);  // empty is light
    const auto bmp = MatrixToPicture(grid, 101, 3, 0xFFFFFF, 0x0000FF);
    ASSERT_EQ(bmp.size(), 54u + 304u * 3);
    const std::vector<std::uint8_t> header{'B', 'M', 0xC6, 0x03, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                           101, 0, 0, 0, 3, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bmp.begin()));
    for (std::size_t i = 34; i < 54; ++i) EXPECT_EQ(bmp[i], 0) << i;
    // Rows are stored bottom-up: the first stored row is y = 2, ending with the red pixel.
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54 + 300, bmp.begin() + 54 + 303), (std::vector<std::uint8_t>{0, 0, 0xFF}));
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54 + 2 * 304, bmp.begin() + 54 + 2 * 304 + 3),
              (std::vector<std::uint8_t>{0, 0, 0xFF}));
    EXPECT_EQ(bmp[54 + 3], 0xFF);

    const auto p = testsupport::ReadBmp(bmp);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->at(0, 0), (testsupport::Rgb{0xFF, 0, 0}));
    EXPECT_EQ(p->at(50, 1), (testsupport::Rgb{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(p->at(100, 2), (testsupport::Rgb{0xFF, 0, 0}));
}

TEST(MatrixToPicture, SizeOfA200PixelPicture) {
    ByteMatrix grid(200, 200);
    const auto bmp = MatrixToPicture(grid, 200, 200, 0xFFFFFF, 0);
    EXPECT_EQ(bmp.size(), 120054u);
    EXPECT_EQ(bmp[54], 0xFF);
}

TEST(DrawPicture, SameBytesAsDrawingTheScaledGrid) {
    QrCode r;
    ByteMatrix m(25, 25);
    for (std::int32_t y = 0; y < 25; ++y)
        for (std::int32_t x = 0; x < 25; ++x) m.Set(x, y, (x * 7 + y * 3) % 5 == 0 ? 1 : (x + y) % 11 == 0 ? 255 : 0);
    r.SetMatrix(m);
    const std::pair<std::int32_t, std::int32_t> sizes[] = {{200, 200}, {29, 29}, {20, 20}, {1, 1}, {300, 201},
                                                           {57, 290}, {101, 3}, {30, 31}, {1000, 999}};
    for (const auto& [w, h] : sizes)
        EXPECT_EQ(DrawPicture(r, w, h, 0x123456, 0xABCDEF), MatrixToPicture(ScaleMatrix(r, w, h), w, h, 0x123456, 0xABCDEF))
            << w << "x" << h;
}
