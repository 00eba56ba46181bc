#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include "cli/batch.h"
#include "cli_test_support.h"
#include "pixmond/create.h"
#include "pixmond/failure.h"
#include "pixmond/text.h"
#include "support/zbar_reader.h"

using namespace pixmond;
using clitest::RunCli;
using clitest::TempDir;

namespace {

// Lines 2 and 5 are empty (one of them CRLF), 4 is spaces only, 7 is not UTF-8, 9 is longer
// than any symbol holds; the file starts with a byte-order mark and does not end in LF.
const std::string kList = "\xEF\xBB\xBFhello\r\n"
                          "\r\n"
                          "你好，世界\n"
                          "   \n"
                          "\n"
                          "tab\there 😀\r\n"
                          "bad \xC3\x28\n"
                          "0123456789\n" +
                          std::string(100000, 'z') + "\n" + "last line";

struct Expected {
    std::string file;
    std::string text;
};
const Expected kWritten[] = {
    {"0001", "hello"}, {"0003", "你好，世界"}, {"0006", "tab\there 😀"}, {"0008", "0123456789"}, {"0010", "last line"},
};

std::string Extension(const std::vector<std::string>& args) {
    const auto t = std::find(args.begin(), args.end(), "-t");
    return t == args.end() ? "png" : t[1];
}

}  // namespace

TEST(Batch, GoodLinesAreWrittenByLineNumberAndBadOnesReported) {
    const TempDir dir;
    clitest::WriteFile(dir / "list.txt", kList);
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{}, std::vector<std::string>{"-t", "bmp"}, std::vector<std::string>{"-t", "svg"}}) {
        std::vector<std::string> args{"--batch", "list.txt", "-d", "out", "-j", "2"};
        args.insert(args.end(), extra.begin(), extra.end());
        const std::string ext = Extension(args);
        std::filesystem::remove_all(dir / "out");
        const auto r = RunCli(args, "", dir.path());
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_TRUE(r.out.empty());

        std::vector<std::string> names;
        for (const Expected& e : kWritten) names.push_back(e.file + "." + ext);
        std::vector<std::string> listed;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "out"))
            listed.push_back(entry.path().filename().string());
        std::sort(listed.begin(), listed.end());
        ASSERT_EQ(listed, names);

        for (const Expected& e : kWritten) {
            const auto path = dir / "out" / (e.file + "." + ext);
            const auto bytes = clitest::ReadFile(path);
            std::optional<std::string> decoded;
            if (ext == "bmp") {
                EXPECT_EQ(bytes, CreateQrCode(FromUtf8(e.text), "H", 200, 200, kWhite, kBlack));
                decoded = testsupport::DecodeBmp(bytes);
            } else if (ext == "png") {
                decoded = clitest::Decode(*clitest::ReadPng(bytes));
            } else {
                decoded = clitest::Decode(*clitest::RasteriseSvg(path));
            }
            EXPECT_EQ(decoded, e.text) << e.file;
        }

        std::string spaces;
        try {
            CreateQrCode("   ", "H", 200, 200, kWhite, kBlack);
        } catch (const ModuleFailure& f) {
            spaces = f.what();
        }
        EXPECT_NE(r.err.find("pixmond-cli: line 4: " + spaces + "\n"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("pixmond-cli: line 7: the line is not valid UTF-8"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("pixmond-cli: line 9: the line holds more than"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("pixmond-cli: 5 written, 2 skipped (empty), 3 failed, "), std::string::npos) << r.err;
        // Off a terminal there is no progress bar: no carriage return but those inside the
        // module's reports, whatever order the threads printed them in.
        std::string withoutReports = r.err;
        for (std::size_t at; (at = withoutReports.find(spaces)) != std::string::npos;) withoutReports.erase(at, spaces.size());
        EXPECT_EQ(withoutReports.find('\r'), std::string::npos) << "no progress bar off a terminal";
    }
}

TEST(Batch, TheSameFilesWithOneThreadAndWithFour) {
    const TempDir dir;
    std::string list;
    for (int i = 1; i <= 120; ++i) list += (i % 17 == 0 ? std::string() : "第" + std::to_string(i) + "行 line") + "\n";
    clitest::WriteFile(dir / "list.txt", list);
    const auto one = RunCli({"--batch", "list.txt", "-d", "one", "-j1", "--fg", "123456"}, "", dir.path());
    const auto four = RunCli({"--batch", "list.txt", "-d", "four", "-j", "4", "--fg", "123456"}, "", dir.path());
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_EQ(four.status, 0) << four.err;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "one")) {
        const auto name = entry.path().filename();
        EXPECT_EQ(clitest::ReadFile(entry.path()), clitest::ReadFile(dir / "four" / name)) << name;
        ++files;
    }
    EXPECT_EQ(files, 113u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "four"), {}), 113);
    EXPECT_EQ(clitest::Decode(*clitest::ReadPng(clitest::ReadFile(dir / "four" / "0120.png"))), "第120行 line");
}

TEST(Batch, FileNamesWidenWithTheNumberOfLines) {
    EXPECT_EQ(cli::LineFileStem(1, 1), "0001");
    EXPECT_EQ(cli::LineFileStem(42, 9999), "0042");
    EXPECT_EQ(cli::LineFileStem(7, 10000), "00007");
    EXPECT_EQ(cli::LineFileStem(100000, 100000), "100000");
}

TEST(Batch, UnusableListsAndFoldersAreUsageErrors) {
    const TempDir dir;
    clitest::WriteFile(dir / "empty.txt", "");
    clitest::WriteFile(dir / "blank.txt", "\n\r\n\n");
    clitest::WriteFile(dir / "good.txt", "a\n");
    clitest::WriteFile(dir / "afile", "x");
    std::filesystem::create_directory(dir / "sub");
    const std::vector<std::vector<std::string>> cases = {
        {"--batch", "missing.txt", "-d", "out"}, {"--batch", "empty.txt", "-d", "out"},
        {"--batch", "blank.txt", "-d", "out"},   {"--batch", "sub", "-d", "out"},
        {"--batch", "good.txt", "-d", "afile"},  {"--batch", "good.txt", "-d", "/proc/nowhere"},
        {"--batch", "good.txt"},
    };
    for (const auto& args : cases) {
        const auto r = RunCli(args, "", dir.path());
        EXPECT_EQ(r.status, 2) << args[1] << " " << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out")) << args[1];
    }
}

TEST(Batch, MemoryStaysFlatOverAHundredThousandLines) {
    const TempDir dir;
    std::string small, large;
    for (int i = 0; i < 1000; ++i) small += "line " + std::to_string(i) + "\n";
    for (int i = 0; i < 100000; ++i) large += "line " + std::to_string(i) + "\n";
    clitest::WriteFile(dir / "small.txt", small);
    clitest::WriteFile(dir / "large.txt", large);
    // One-pixel BMPs keep the disk work small; every line still goes through the encoder.
    const auto a = RunCli({"--batch", "small.txt", "-d", "a", "-t", "bmp", "-s", "1", "-j", "2"}, "", dir.path());
    const auto b = RunCli({"--batch", "large.txt", "-d", "b", "-t", "bmp", "-s", "1", "-j", "2"}, "", dir.path());
    ASSERT_EQ(a.status, 0) << a.err;
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_NE(b.err.find("100000 written"), std::string::npos) << b.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "b" / "100000.bmp"));
    EXPECT_LT(b.maxRssKilobytes, a.maxRssKilobytes + 2048)
        << a.maxRssKilobytes << " kB for 1,000 lines, " << b.maxRssKilobytes << " kB for 100,000";
}

TEST(Batch, ProgressBarOnATerminal) {
    const TempDir dir;
    std::string list;
    for (int i = 0; i < 400; ++i) list += "progress " + std::to_string(i) + "\n";
    clitest::WriteFile(dir / "list.txt", list);
    const auto r = clitest::RunOnTerminal(
        {"--batch", (dir / "list.txt").string(), "-d", (dir / "out").string(), "-s", "600", "-j", "1"});
    const std::string& seen = r.out;
    EXPECT_EQ(r.status, 0) << seen;
    EXPECT_NE(seen.find("\r["), std::string::npos) << seen;
    EXPECT_NE(seen.find("/400 "), std::string::npos) << seen;
    EXPECT_NE(seen.find(" left"), std::string::npos) << seen;
    EXPECT_NE(seen.find("400 written"), std::string::npos) << seen;
}

TEST(Batch, AnInterruptFinishesThePicturesInHandAndLeavesNoPartialFile) {
    const TempDir dir;
    std::string list;
    for (int i = 0; i < 20000; ++i) list += "interrupt " + std::to_string(i) + "\n";
    clitest::WriteFile(dir / "list.txt", list);
    const std::string listPath = (dir / "list.txt").string(), outPath = (dir / "out").string();
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::freopen("/dev/null", "w", stderr);
        ::execl(PIXMOND_CLI, PIXMOND_CLI, "--batch", listPath.c_str(), "-d", outPath.c_str(), "-t", "bmp", "-s", "2000",
                "-j", "2", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    ::kill(pid, SIGINT);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "out")) {
        const std::string name = entry.path().filename().string();
        ASSERT_NE(name.front(), '.') << "temporary file left: " << name;
        EXPECT_EQ(std::filesystem::file_size(entry.path()), 54u + 6000u * 2000u) << name;
        ++files;
    }
    EXPECT_LT(files, 20000u);
}
