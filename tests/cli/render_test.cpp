#include <gtest/gtest.h>

#include <set>

#include "cli/render.h"
#include "cli_test_support.h"
#include "pixmond/picture.h"
#include "pixmond/text.h"

using namespace pixmond;
using namespace pixmond::cli;
using clitest::TempDir;
using testsupport::Rgb;

namespace {

Rgb RgbOf(Colour c) {
    return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
            static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

struct Made {
    QrCode record;
    std::vector<std::uint8_t> bytes;
};

Made Make(const std::string& utf8, OutputType type, PictureSize size = {}, Colour bg = kWhite, Colour fg = kBlack,
          const char* level = "H") {
    Made m;
    const std::string text = FromUtf8(utf8);
    m.bytes = MakePicture(m.record, {text, level, size, bg, fg, type, false});
    return m;
}

// Modules read back from terminal text: true for light. Half blocks give two rows a line.
std::vector<std::vector<bool>> ReadTerminal(const std::string& text, TextStyle style) {
    std::vector<std::vector<bool>> rows;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        std::vector<bool> top, bottom;
        if (style == TextStyle::Ascii) {
            for (std::size_t i = 0; i + 1 < line.size() + 1; i += 2) {
                const std::string cell = line.substr(i, 2);
                EXPECT_TRUE(cell == "  " || cell == "##") << "'" << cell << "'";
                top.push_back(cell == "  ");
            }
            rows.push_back(top);
            continue;
        }
        for (std::size_t i = 0; i < line.size();) {
            if (line[i] == ' ') {
                top.push_back(false), bottom.push_back(false), ++i;
                continue;
            }
            const std::string c = line.substr(i, 3);
            i += 3;
            EXPECT_TRUE(c == "█" || c == "▀" || c == "▄") << c;
            top.push_back(c == "█" || c == "▀");
            bottom.push_back(c == "█" || c == "▄");
        }
        rows.push_back(top);
        rows.push_back(bottom);
    }
    return rows;
}

}  // namespace

TEST(Png, SamePixelsAsTheBmpInAOneBitPaletteAndZbarReadsIt) {
    struct Case {
        std::string text;
        PictureSize size;
        Colour bg, fg;
    };
    const Case cases[] = {
        {"你好，Pixmond", {200, 200}, kWhite, kBlack},
        {"HELLO WORLD 123", {300, 200}, 0xE7F8FF, 0x8A3A1E},  // wide: centred with side margins
        {"1234567890", {101, 333}, kWhite, 0x0000FF},         // odd sizes: rows not a whole byte
        {std::string(600, 'a') + "😀", {400, 400}, kWhite, kBlack},
        {"tiny", {20, 20}, kWhite, kBlack},  // smaller than the symbol: the top-left part only
    };
    for (const Case& c : cases) {
        const Made png = Make(c.text, OutputType::Png, c.size, c.bg, c.fg);
        ASSERT_GE(png.bytes.size(), 26u);
        EXPECT_EQ(png.bytes[24], 1) << "bit depth";
        EXPECT_EQ(png.bytes[25], 3) << "palette colour type";
        const auto fromPng = clitest::ReadPng(png.bytes);
        ASSERT_TRUE(fromPng) << c.text;

        QrCode record;
        const auto bmp = testsupport::ReadBmp(CreateQrCodeInto(record, FromUtf8(c.text), "H", c.size.width,
                                                               c.size.height, c.bg, c.fg));
        ASSERT_TRUE(bmp);
        ASSERT_EQ(fromPng->width, bmp->width);
        ASSERT_EQ(fromPng->height, bmp->height);
        EXPECT_TRUE(fromPng->pixels == bmp->pixels) << c.text;
        if (c.size.width >= 100) {
            EXPECT_EQ(clitest::Decode(*fromPng), c.text);
        }
    }
}

TEST(Svg, RasterisedByRsvgItIsTheBmpWhereModulesFallOnWholePixels) {
    // 21 modules at 200 pixels: 8 pixels a module and a margin of exactly 2 modules, so the
    // vector and the bitmap agree pixel for pixel.
    const TempDir dir;
    const Made svg = Make("你好", OutputType::Svg, {200, 200}, 0xE7F8FF, 0x8A3A1E);
    ASSERT_EQ(svg.record.GetDimension(), 21);
    const std::string text(svg.bytes.begin(), svg.bytes.end());
    EXPECT_EQ(text.find("<path"), text.rfind("<path")) << "one path";
    clitest::WriteFile(dir / "a.svg", text);
    const auto raster = clitest::RasteriseSvg(dir / "a.svg");
    ASSERT_TRUE(raster);
    const auto bmp = testsupport::ReadBmp(Make("你好", OutputType::Bmp, {200, 200}, 0xE7F8FF, 0x8A3A1E).bytes);
    ASSERT_EQ(raster->width, 200);
    ASSERT_EQ(raster->height, 200);
    EXPECT_TRUE(raster->pixels == bmp->pixels);
    EXPECT_EQ(clitest::Decode(*raster), "你好");
}

TEST(Svg, AnySizeAndLengthDecodesWithTheQuietZoneAndColours) {
    const TempDir dir;
    struct Case {
        std::string text;
        PictureSize size;
    };
    const Case cases[] = {
        {"Pixmond\t二维码\n第二行", {333, 333}},
        {"WIDE 1", {500, 260}},
        {"tall", {260, 500}},
        {std::string(200, '9'), {480, 480}},
    };
    for (const Case& c : cases) {
        const Made svg = Make(c.text, OutputType::Svg, c.size, kWhite, 0x0000C0);
        clitest::WriteFile(dir / "a.svg", std::string(svg.bytes.begin(), svg.bytes.end()));
        const auto raster = clitest::RasteriseSvg(dir / "a.svg");
        ASSERT_TRUE(raster) << c.text;
        ASSERT_EQ(raster->width, c.size.width);
        ASSERT_EQ(raster->height, c.size.height);
        EXPECT_EQ(clitest::Decode(*raster), c.text);
        // The code is centred: the corners are background; the top-left finder's corner sits 2
        // modules in from the square's edge.
        const auto side = static_cast<std::int32_t>(std::min<std::int64_t>(c.size.width, c.size.height));
        const double unit = static_cast<double>(side) / (svg.record.GetDimension() + 4);
        const auto left = static_cast<std::int32_t>((c.size.width - side) / 2.0 + 2.5 * unit);
        const auto top = static_cast<std::int32_t>((c.size.height - side) / 2.0 + 2.5 * unit);
        EXPECT_EQ(raster->at(0, 0), RgbOf(kWhite));
        EXPECT_EQ(raster->at(c.size.width - 1, c.size.height - 1), RgbOf(kWhite));
        EXPECT_EQ(raster->at(left, top), RgbOf(0x0000C0)) << c.text;
        EXPECT_EQ(raster->at(left - static_cast<std::int32_t>(unit), top), RgbOf(kWhite)) << c.text;
    }
}

TEST(TerminalText, ReadsBackAsTheSymbolInsideALightMargin) {
    for (const TextStyle style : {TextStyle::HalfBlocks, TextStyle::Ascii}) {
        for (const std::string& text : std::vector<std::string>{"1", "你好，Pixmond", std::string(300, 'x')}) {
            const Made made = Make(text, style == TextStyle::Ascii ? OutputType::Ascii : OutputType::Utf8);
            const ByteMatrix& m = made.record.GetMatrix();
            const auto rows = ReadTerminal(std::string(made.bytes.begin(), made.bytes.end()), style);
            const std::int32_t side = m.GetWidth() + 2 * kTerminalMargin;
            ASSERT_GE(rows.size(), static_cast<std::size_t>(side));
            for (std::size_t y = side; y < rows.size(); ++y)  // the half row below the last
                for (bool light : rows[y]) EXPECT_FALSE(light);
            for (std::int32_t y = 0; y < side; ++y) {
                ASSERT_EQ(rows[y].size(), static_cast<std::size_t>(side));
                for (std::int32_t x = 0; x < side; ++x) {
                    const std::int32_t mx = x - kTerminalMargin, my = y - kTerminalMargin;
                    const bool inside = mx >= 0 && my >= 0 && mx < m.GetWidth() && my < m.GetHeight();
                    const bool light = !inside || m.Get(mx, my) != ByteMatrix::kDark;
                    ASSERT_EQ(rows[y][x], light) << text << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(TerminalText, AnsiColoursWrapEveryLineOnly) {
    const Made made = Make("a", OutputType::Utf8);
    const std::string plain = SymbolText(made.record.GetMatrix(), TextStyle::HalfBlocks, false);
    const std::string coloured = SymbolText(made.record.GetMatrix(), TextStyle::HalfBlocks, true);
    EXPECT_EQ(plain.find('\x1b'), std::string::npos);
    std::string stripped = coloured;
    for (const std::string code : {"\x1b[97;40m", "\x1b[0m"})
        for (std::size_t at; (at = stripped.find(code)) != std::string::npos;) stripped.erase(at, code.size());
    EXPECT_EQ(stripped, plain);
}

TEST(SymbolJson, TheStandardsWorkedExampleAndAByteModeText) {
    // ISO/IEC 18004's example: 01234567 at 1-M, 16 data and 10 EC code words in one block.
    const Made numeric = Make("01234567", OutputType::Bmp, {}, kWhite, kBlack, "M");
    EXPECT_EQ(SymbolJson(numeric.record, 8),
              "{\"mode\":\"数字\",\"level\":\"M\",\"version\":1,\"dimension\":21,\"mask\":" +
                  std::to_string(numeric.record.GetMaskPattern()) +
                  ",\"total_codewords\":26,\"data_codewords\":16,\"ec_codewords\":10,\"blocks\":1,\"data_bytes\":8}");

    // 2953 bytes is the most a 40-L symbol holds in byte mode: 25 blocks of 30 EC code words.
    const Made big = Make(std::string(2953, 'a'), OutputType::Bmp, {}, kWhite, kBlack, "L");
    const std::string json = SymbolJson(big.record, 2953);
    for (const char* part : {"\"mode\":\"字节\"", "\"level\":\"L\"", "\"version\":40", "\"dimension\":177",
                             "\"total_codewords\":3706", "\"data_codewords\":2956", "\"ec_codewords\":750",
                             "\"blocks\":25", "\"data_bytes\":2953"})
        EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
}
