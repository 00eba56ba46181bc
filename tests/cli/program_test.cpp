// The built program, run as a user runs it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "cli_test_support.h"
#include "pixmond/create.h"
#include "pixmond/failure.h"
#include "pixmond/text.h"
#include "support/zbar_reader.h"

using namespace pixmond;
using clitest::RunCli;
using clitest::RunOnTerminal;
using clitest::TempDir;

namespace {

std::vector<std::uint8_t> ModuleBmp(const std::string& utf8, const char* level = "H", std::int32_t side = 200) {
    return CreateQrCode(FromUtf8(utf8), level, side, side, kWhite, kBlack);
}

std::string ModuleReport(const std::string& utf8, const char* level, std::int32_t side) {
    try {
        ModuleBmp(utf8, level, side);
    } catch (const ModuleFailure& e) {
        return e.what();
    }
    return "(no failure)";
}

}  // namespace

TEST(Program, TheReadmeExampleWritesExactlyTheModulesBmp) {
    const TempDir dir;
    const auto r = RunCli({"你好，Pixmond", "-o", "hello.bmp"}, "", dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_TRUE(r.err.empty());
    const auto bytes = clitest::ReadFile(dir / "hello.bmp");
    EXPECT_EQ(bytes, ModuleBmp("你好，Pixmond"));
    EXPECT_EQ(testsupport::DecodeBmp(bytes), "你好，Pixmond");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"hello.bmp"});
}

TEST(Program, StandardInputIsTakenByteForByte) {
    const TempDir dir;
    // A final line feed, tabs and inner spaces are part of the text.
    const std::string text = "第一行\t tab\n  二 行 😀\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-o", "a.bmp", "-l", "M"}, std::vector<std::string>{"-", "-o", "a.bmp", "-l", "M"}}) {
        const auto r = RunCli(args, text, dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        const auto bytes = clitest::ReadFile(dir / "a.bmp");
        EXPECT_EQ(bytes, ModuleBmp(text, "M"));
        EXPECT_EQ(testsupport::DecodeBmp(bytes), text);
    }
}

TEST(Program, EveryFormatToAFileAndToStandardOutput) {
    const TempDir dir;
    const std::string text = "https://example.com/二维码?id=42";
    auto check = [&](const std::vector<std::uint8_t>& bytes, const std::string& type, const std::string& what) {
        std::optional<std::string> decoded;
        if (type == "bmp") decoded = testsupport::DecodeBmp(bytes);
        if (type == "png") decoded = clitest::Decode(*clitest::ReadPng(bytes));
        if (type == "svg") {
            clitest::WriteFile(dir / "check.svg", std::string(bytes.begin(), bytes.end()));
            decoded = clitest::Decode(*clitest::RasteriseSvg(dir / "check.svg"));
        }
        EXPECT_EQ(decoded, text) << what;
    };
    for (const std::string type : {"bmp", "png", "svg"}) {
        auto r = RunCli({text, "-l", "Q", "-s", "300", "-o", "out." + type}, "", dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        check(clitest::ReadFile(dir / ("out." + type)), type, "file " + type);

        r = RunCli({text, "-l", "Q", "-s", "300", "-o", "-", "-t", type});
        ASSERT_EQ(r.status, 0) << r.err;
        check({r.out.begin(), r.out.end()}, type, "stdout " + type);

        // -t wins over the extension.
        r = RunCli({text, "-s", "300", "-o", "named.txt", "-t", type}, "", dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        check(clitest::ReadFile(dir / "named.txt"), type, "-t " + type);
    }
    const auto r = RunCli({text, "-o", "-"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(1, 3), "PNG") << "-o - without -t is a PNG";
}

TEST(Program, TerminalOutputIsTheSymbolsModules) {
    const std::string text = "终端里的二维码";
    QrCode record;
    CreateQrCodeInto(record, FromUtf8(text), "H", 200, 200, kWhite, kBlack);
    const auto r = RunCli({text});
    ASSERT_EQ(r.status, 0) << r.err;
    // Half blocks: light modules are ink; the margin is four modules.
    const ByteMatrix& m = record.GetMatrix();
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = r.out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(r.out.substr(at, end - at));
    const std::int32_t side = m.GetWidth() + 8;
    ASSERT_EQ(lines.size(), static_cast<std::size_t>((side + 1) / 2));
    auto light = [&](std::int32_t x, std::int32_t y) {
        if (y >= side) return false;
        x -= 4, y -= 4;
        return x < 0 || y < 0 || x >= m.GetWidth() || y >= m.GetHeight() || m.Get(x, y) == 0;
    };
    for (std::int32_t row = 0; row < static_cast<std::int32_t>(lines.size()); ++row) {
        std::string expected;
        for (std::int32_t x = 0; x < side; ++x) {
            const bool top = light(x, 2 * row), bottom = light(x, 2 * row + 1);
            expected += top && bottom ? "█" : top ? "▀" : bottom ? "▄" : " ";
        }
        EXPECT_EQ(lines[row], expected) << "line " << row;
    }

    const auto ascii = RunCli({text, "-t", "ascii"});
    ASSERT_EQ(ascii.status, 0);
    EXPECT_EQ(std::count(ascii.out.begin(), ascii.out.end(), '\n'), side);
    EXPECT_EQ(ascii.out.find_first_not_of(" #\n"), std::string::npos);
}

TEST(Program, OnATerminalTextIsColouredAndPicturesAreRefused) {
    const auto text = RunOnTerminal({"终端"});
    EXPECT_EQ(text.status, 0) << text.out;
    EXPECT_NE(text.out.find("\x1b[97;40m"), std::string::npos) << "white ink on black whatever the theme";

    const auto png = RunOnTerminal({"终端", "-o", "-"});
    EXPECT_EQ(png.status, 2);
    EXPECT_NE(png.out.find("terminal"), std::string::npos) << png.out;
    EXPECT_EQ(png.out.find("PNG"), std::string::npos) << "no picture bytes on the screen";
}

TEST(Program, JsonDescribesTheSymbolInOneLine) {
    const TempDir dir;
    const std::string text = "Pixmond 二维码";
    QrCode record;
    CreateQrCodeInto(record, FromUtf8(text), "q", 200, 200, kWhite, kBlack);
    const auto alone = RunCli({text, "-l", "q", "--json"});
    ASSERT_EQ(alone.status, 0) << alone.err;
    ASSERT_EQ(alone.out.back(), '\n');
    EXPECT_EQ(alone.out.find('\n'), alone.out.size() - 1) << "one line and nothing else";
    for (const std::string& part : std::vector<std::string>{"\"mode\":\"字节\"", "\"level\":\"Q\"", "\"version\":" + std::to_string(record.GetVersion()),
          "\"dimension\":" + std::to_string(record.GetDimension()), "\"mask\":" + std::to_string(record.GetMaskPattern()),
          "\"total_codewords\":" + std::to_string(record.GetTotalCodewords()),
          "\"data_codewords\":" + std::to_string(record.GetDataCodewords()),
          "\"ec_codewords\":" + std::to_string(record.GetEcCodewords()),
          "\"blocks\":" + std::to_string(record.GetBlockCount()), "\"data_bytes\":17"})
        EXPECT_NE(alone.out.find(part), std::string::npos) << part << " in " << alone.out;

    const auto withFile = RunCli({text, "-l", "q", "--json", "-o", "a.png"}, "", dir.path());
    ASSERT_EQ(withFile.status, 0) << withFile.err;
    EXPECT_EQ(withFile.out, alone.out);
    EXPECT_EQ(clitest::Decode(*clitest::ReadPng(clitest::ReadFile(dir / "a.png"))), text);
}

TEST(Program, ColoursGivenAndRandom) {
    const TempDir dir;
    auto r = RunCli({"颜色", "--fg", "1E3A8A", "--bg", "FFF8E7", "-o", "a.bmp"}, "", dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(clitest::ReadFile(dir / "a.bmp"), CreateQrCode(FromUtf8("颜色"), "H", 200, 200, 0xE7F8FF, 0x8A3A1E));

    // The random dark colour: one colour besides the white background, as the window draws it.
    r = RunCli({"颜色", "--random-colour", "-o", "r.bmp"}, "", dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto picture = testsupport::ReadBmp(clitest::ReadFile(dir / "r.bmp"));
    ASSERT_TRUE(picture);
    std::set<std::tuple<int, int, int>> colours;
    for (const auto& p : picture->pixels) colours.insert({p.r, p.g, p.b});
    EXPECT_EQ(colours.size(), 2u);
    EXPECT_TRUE(colours.count({255, 255, 255}));
}

TEST(Program, ExitStatusAndMessagesForRefusalsAndBadInput) {
    const TempDir dir;
    std::filesystem::create_directory(dir / "folder.png");
    struct Case {
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string err;  // the whole of stderr when status is 1; a part of it when 2
    };
    const Case cases[] = {
        {{"   ", "-o", "a.png"}, "", 1, ModuleReport("   ", "H", 200) + "\n"},
        {{"　", "-o", "a.png"}, "", 1, ModuleReport("　", "H", 200) + "\n"},  // ideographic space
        {{"-o", "a.png"}, "", 1, ModuleReport("", "H", 200) + "\n"},          // empty standard input
        {{"x", "-l", "X", "-o", "a.png"}, "", 1, ModuleReport("x", "X", 200) + "\n"},
        {{"x", "-s", "16385", "-o", "a.png"}, "", 1, ModuleReport("x", "H", 16385) + "\n"},
        {{std::string(3000, 'a'), "-o", "a.png"}, "", 1, ModuleReport(std::string(3000, 'a'), "H", 200) + "\n"},
        {{"--nope"}, "", 2, "unknown option"},
        {{"ab\xff", "-o", "a.png"}, "", 2, "not valid UTF-8"},
        {{"-o", "a.png"}, "ok\xe4\xbd", 2, "not valid UTF-8"},  // cut inside a character
        {{"-o", "a.png"}, std::string(70000, '1'), 2, "standard input"},
        {{"x", "-o", "folder.png"}, "", 2, "folder"},
        {{"x", "-o", "missing/a.png"}, "", 2, "missing/a.png"},
        {{"x", "-o", "/proc/a.png"}, "", 2, "/proc/a.png"},
        {{"x", "--fg", "red"}, "", 2, "RRGGBB"},
    };
    for (const Case& c : cases) {
        const auto r = RunCli(c.args, c.input, dir.path());
        EXPECT_EQ(r.status, c.status) << c.args[0] << "\n" << r.err;
        if (c.status == 1) {
            EXPECT_EQ(r.err, c.err);
        } else {
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        }
        EXPECT_TRUE(r.out.empty()) << c.args[0];
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder.png"}) << "nothing left behind by " << c.args[0];
    }
}

TEST(Program, AReadOnlyFolderGetsNoFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const auto r = RunCli({"x", "-o", "a.png"}, "", dir.path());
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(dir.Names().empty());
}

TEST(Program, AnExistingFileIsReplacedWholeWithUsualPermissions) {
    const TempDir dir;
    clitest::WriteFile(dir / "a.bmp", std::string(500000, 'z'));
    const auto r = RunCli({"new", "-o", "a.bmp"}, "", dir.path());
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(clitest::ReadFile(dir / "a.bmp"), ModuleBmp("new"));
    const auto perms = std::filesystem::status(dir / "a.bmp").permissions();
    EXPECT_NE(perms & std::filesystem::perms::others_read, std::filesystem::perms::none) << "not left at 0600";
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.bmp"});
}

TEST(Program, HelpShowsEveryOptionWithExamplesAndVersion) {
    const auto help = RunCli({"--help"});
    ASSERT_EQ(help.status, 0);
    for (const char* option : {"--output", "--type", "--level", "--size", "--fg", "--bg", "--json", "--random-colour",
                               "--batch", "--dir", "--jobs", "--help", "--version"}) {
        const auto at = help.out.find(option);
        ASSERT_NE(at, std::string::npos) << option;
        // Each option's description is followed by a line that runs the program.
        EXPECT_NE(help.out.find("pixmond-cli ", at), std::string::npos) << option;
    }
    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "pixmond-cli " PIXMOND_VERSION "\n");
}
