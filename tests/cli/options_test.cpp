#include <gtest/gtest.h>

#include "cli/options.h"

using namespace pixmond;
using namespace pixmond::cli;

namespace {

ParseResult Parse(std::vector<std::string_view> args) { return ParseArguments(args); }

}  // namespace

TEST(ParseArguments, DefaultsAreTheWindowsPictureInTheTerminal) {
    const ParseResult r = Parse({"你好"});
    ASSERT_FALSE(r.error) << *r.error;
    EXPECT_EQ(r.options.text, "你好");
    EXPECT_EQ(r.options.level, "H");
    EXPECT_EQ(r.options.size, (PictureSize{200, 200}));
    EXPECT_EQ(r.options.foreground, kBlack);
    EXPECT_EQ(r.options.background, kWhite);
    EXPECT_EQ(r.options.destination, Destination::Stdout);
    EXPECT_EQ(r.options.type, OutputType::Utf8);
    EXPECT_FALSE(r.options.ReadsStdin());
}

TEST(ParseArguments, WhereThePictureGoesAndInWhichFormat) {
    struct Case {
        std::vector<std::string_view> args;
        Destination destination;
        OutputType type;
    };
    const Case cases[] = {
        {{"x", "-o", "a.bmp"}, Destination::File, OutputType::Bmp},
        {{"x", "-o", "a.PNG"}, Destination::File, OutputType::Png},
        {{"x", "--output=a.svg"}, Destination::File, OutputType::Svg},
        {{"x", "-oa.txt"}, Destination::File, OutputType::Utf8},
        {{"x", "-o", "a.png", "-t", "svg"}, Destination::File, OutputType::Svg},
        {{"x", "-o", "noext", "--type=ascii"}, Destination::File, OutputType::Ascii},
        {{"x", "-o", "-"}, Destination::Stdout, OutputType::Png},
        {{"x", "-o", "-", "-t", "bmp"}, Destination::Stdout, OutputType::Bmp},
        {{"x", "-t", "ascii"}, Destination::Stdout, OutputType::Ascii},
        {{"x", "--json"}, Destination::Nowhere, OutputType::Utf8},
        {{"x", "--json", "-o", "a.png"}, Destination::File, OutputType::Png},
    };
    for (const Case& c : cases) {
        const ParseResult r = Parse(c.args);
        ASSERT_FALSE(r.error) << c.args[1] << ": " << *r.error;
        EXPECT_EQ(r.options.destination, c.destination) << c.args[1];
        if (c.destination != Destination::Nowhere) {
            EXPECT_EQ(r.options.type, c.type) << c.args[1];
        }
    }
}

TEST(ParseArguments, ValuesSpelledEveryWay) {
    const ParseResult r =
        Parse({"-l", "m", "--size=300x200", "--fg", "#1E3A8A", "--bg=fff8e7", "--", "-5 ℃"});
    ASSERT_FALSE(r.error) << *r.error;
    EXPECT_EQ(r.options.level, "m");  // as given: the module judges it
    EXPECT_EQ(r.options.size, (PictureSize{300, 200}));
    EXPECT_EQ(r.options.foreground, 0x8A3A1Eu);
    EXPECT_EQ(r.options.background, 0xE7F8FFu);
    EXPECT_EQ(r.options.text, "-5 ℃");

    EXPECT_TRUE(Parse({"-"}).options.ReadsStdin());
    EXPECT_TRUE(Parse({"-o", "a.png"}).options.ReadsStdin());

    const ParseResult batch = Parse({"--batch", "list.txt", "-d", "out", "-j", "3"});
    ASSERT_FALSE(batch.error) << *batch.error;
    EXPECT_EQ(batch.options.batchFile, "list.txt");
    EXPECT_EQ(batch.options.batchDir, "out");
    EXPECT_EQ(batch.options.jobs, 3u);
    EXPECT_EQ(batch.options.type, OutputType::Png);
    EXPECT_EQ(Parse({"--batch", "l", "-d", "o", "-t", "svg"}).options.type, OutputType::Svg);
}

TEST(ParseArguments, UsageErrorsAreOneLine) {
    const std::vector<std::vector<std::string_view>> cases = {
        {"--bogus"},
        {"-x"},
        {"a", "b"},
        {"x", "-o"},
        {"x", "-o", ""},
        {"x", "-t", "gif"},
        {"x", "-s", "0"},
        {"x", "-s", "-5"},
        {"x", "-s", "10x"},
        {"x", "-s", "2147483648"},
        {"x", "--fg", "12345"},
        {"x", "--bg", "GGGGGG"},
        {"x", "--fg", "000000", "--random-colour"},
        {"x", "-o", "picture"},
        {"x", "-o", "-", "--json"},
        {"x", "--json", "-t", "utf8"},
        {"x", "--json=yes"},
        {"x", "-d", "out"},
        {"x", "-j", "2"},
        {"--batch", "l"},
        {"--batch", "l", "-d", "o", "text"},
        {"--batch", "l", "-d", "o", "-o", "a.png"},
        {"--batch", "l", "-d", "o", "--json"},
        {"--batch", "l", "-d", "o", "-j", "0"},
        {"--batch", "l", "-d", "o", "-j", "many"},
    };
    for (const auto& args : cases) {
        const ParseResult r = Parse(args);
        std::string shown;
        for (auto a : args) shown += std::string(a) + " ";
        ASSERT_TRUE(r.error) << shown;
        EXPECT_EQ(r.error->find('\n'), std::string::npos) << shown;
    }
}

TEST(ParseArguments, HelpAndVersionWinOverMissingPieces) {
    EXPECT_TRUE(Parse({"--help"}).options.help);
    EXPECT_TRUE(Parse({"-h", "--batch", "x"}).options.help);
    EXPECT_FALSE(Parse({"-h", "--batch", "x"}).error);
    EXPECT_TRUE(Parse({"-V"}).options.version);
}

TEST(ParseColourAndSize, Values) {
    EXPECT_EQ(ParseColour("FF0000"), 0x0000FFu);  // red lands in the low byte
    EXPECT_EQ(ParseColour("00ff00"), 0x00FF00u);
    EXPECT_EQ(ParseColour("#0000FF"), 0xFF0000u);
    for (const char* bad : {"", "#", "FFF", "FF00000", "+FFFFF", "0xFFFF", "FF 000"})
        EXPECT_FALSE(ParseColour(bad)) << bad;

    EXPECT_EQ(ParseSize("1"), (PictureSize{1, 1}));
    EXPECT_EQ(ParseSize("16385X7"), (PictureSize{16385, 7}));
    EXPECT_EQ(ParseSize("2147483647"), (PictureSize{2147483647, 2147483647}));
    for (const char* bad : {"", "x", "0", "5x0", "x5", "+5", " 5", "5x5x5", "1e3"}) EXPECT_FALSE(ParseSize(bad)) << bad;
}
