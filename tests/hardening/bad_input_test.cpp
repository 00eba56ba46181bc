// Bad input, one table of cases, each through the module's public entry and through the
// command-line program: every case gets its defined outcome, and nothing crashes or hangs.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "capacity.h"
#include "pixmond/pixmond.h"
#include "support/bmp.h"
#include "support/zbar_reader.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using hardening::Level;

const std::string kEntry = "二维码模块";
const std::string kLevelMessage = "容错等级必须为L、M、Q、H四个之一。";

// What the entry must do: draw a picture of this size, or fail with these texts.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool decodable = false;  // large enough for zbar to read it back
};
struct Refusal {
    std::string source;
    std::string method;
    std::string message;  // a part of the message; empty: the message must be empty
};

struct Row {
    std::string name;
    std::string text;                // GB18030, for the entry
    std::optional<std::string> cli;  // UTF-8 on the program's standard input; nullopt: the text's UTF-8
    std::optional<std::string> level;
    std::optional<std::int64_t> width;
    std::optional<std::int32_t> height;
    std::optional<std::string> cliSize;  // -s; nullopt: not given (200)
    std::variant<Picture, Refusal> entry;
    int cliStatus = 0;  // 0 written, 1 the module refused, 2 usage or input error
};

Refusal TooLong() { return {"编码类", "初始化二维码", ""}; }
Refusal BadLevel() { return {kEntry, "创建二维码()", kLevelMessage}; }
Refusal TooLarge(const std::string& size) { return {kEntry, "创建二维码()", "图片尺寸超出范围，宽和高最大为16384像素。当前尺寸：" + size}; }
Refusal BadText(const std::string& why) { return {"文本转换", "ToUtf8", why}; }

std::vector<Row> Rows() {
    std::vector<Row> rows = {
        // Invalid GB18030 to the entry; the program reads UTF-8, and the same kind of fault there.
        {"a byte no GB18030 character starts with", "ab\x80" "cd", "ab\x80" "cd", {}, {}, {}, {},
         BadText("含有无效字节。字节偏移：2"), 2},
        {"a lead byte with a trail byte out of range", "\xC4\x20x", "\xE4\x20x", {}, {}, {}, {},
         BadText("含有无效字节。字节偏移：0"), 2},
        {"a lead byte alone at the end", "\xC4\xE3\xC4", "你\xE4", {}, {}, {}, {},
         BadText("以不完整的字符结束。字节偏移：2"), 2},
        {"a four-byte character cut short", "x\x81\x30\x81", "x\xF0\x9F\x98", {}, {}, {}, {},
         BadText("以不完整的字符结束。字节偏移：1"), 2},
        {"NUL bytes are text like any other", std::string("a\0b\0", 4), {}, {}, {}, {}, {}, Picture{100, 100, true}, 0},
        {"a text of one NUL", std::string(1, '\0'), {}, {}, {}, {}, {}, Picture{100, 100, true}, 0},
        {"an empty text", "", {}, {}, {}, {}, {}, Refusal{kEntry, "编码()", "没有编码内容"}, 1},
        {"only ideographic and ASCII spaces", "\xA1\xA1 \xA1\xA1", {}, {}, {}, {}, {}, Refusal{kEntry, "编码()", "没有编码内容"}, 1},
        // Sides: 0 and negative mean the default to the entry; the program takes positive numbers only.
        {"size 0", "x", {}, {}, 0, 0, "0", Picture{100, 100, true}, 2},
        {"a negative size", "x", {}, {}, -5, -1, "-5", Picture{100, 100, true}, 2},
        {"the most negative width", "x", {}, {}, INT64_MIN, INT32_MIN, "-9223372036854775808", Picture{100, 100, true}, 2},
        {"width 2^32", "x", {}, {}, std::int64_t{1} << 32, 100, "4294967296x100", TooLarge("4294967296x100"), 2},
        {"height 2^32 (the program only: the entry's height is 32 bits)", "x", {}, {}, {}, {}, "100x4294967296",
         Picture{100, 100, true}, 2},
        {"width 2^32 + 100 does not wrap to 100", "x", {}, {}, (std::int64_t{1} << 32) + 100, 100, "4294967396",
         TooLarge("4294967396x100"), 2},
        {"width one over the limit", "x", {}, {}, 16385, 100, "16385x100", TooLarge("16385x100"), 1},
        {"height one over the limit", "x", {}, {}, 100, 16385, "100x16385", TooLarge("100x16385"), 1},
        {"the largest 32-bit side", "x", {}, {}, INT32_MAX, INT32_MAX, "2147483647", TooLarge("2147483647x2147483647"), 1},
        {"the limit itself", "x", {}, {}, 16384, 1, "16384x1", Picture{16384, 1, false}, 0},
        // Level texts: exact letters only, nothing trimmed.
        {"level \"\"", "x", {}, "", {}, {}, {}, BadLevel(), 1},
        {"level \" H\"", "x", {}, " H", {}, {}, {}, BadLevel(), 1},
        {"level \"H \"", "x", {}, "H ", {}, {}, {}, BadLevel(), 1},
        {"level \"HH\"", "x", {}, "HH", {}, {}, {}, BadLevel(), 1},
        {"level full-width Ｈ", "x", {}, "\xA3\xC8", {}, {}, {}, BadLevel(), 1},
        {"level \"h\"", "x", {}, "h", {}, {}, {}, Picture{100, 100, true}, 0},
    };
    // One byte over the capacity of each level, and the capacity itself.
    for (Level level : hardening::kLevels) {
        const std::int32_t capacity = hardening::ByteCapacity(level);
        const std::string name = std::string("level ") + hardening::Name(level);
        const std::int32_t side = (177 + 4) * 3;
        rows.push_back({name + ": the capacity in bytes", std::string(static_cast<std::size_t>(capacity), 'a'), {},
                        hardening::Name(level), side, side, std::to_string(side), Picture{side, side, true}, 0});
        rows.push_back({name + ": one byte over", std::string(static_cast<std::size_t>(capacity) + 1, 'a'), {},
                        hardening::Name(level), {}, {}, {}, TooLong(), 1});
    }
    // Capacity counts UTF-8 bytes: 424 Chinese characters and two letters are 850 GB18030 bytes
    // but 1,274 UTF-8 bytes, one over what level H holds.
    std::string chinese;
    for (int i = 0; i < 424; ++i) chinese += "\xC4\xE3";
    rows.push_back({"level H: Chinese one UTF-8 byte over", chinese + "ab", {}, "H", {}, {}, {}, TooLong(), 1});
    rows.push_back({"level H: Chinese at the capacity", chinese + "a", {}, "H", 600, 600, "600",
                    Picture{600, 600, true}, 0});
    const std::int32_t digits = hardening::NumericCapacity(Level::L);
    rows.push_back({"level L: digits one over", std::string(static_cast<std::size_t>(digits) + 1, '7'), {}, "L", {}, {},
                    {}, TooLong(), 1});
    return rows;
}

std::string Expected(const Row& row) { return row.cli ? *row.cli : pixmond::ToUtf8(row.text); }

TEST(BadInput, ThroughThePublicEntry) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        std::optional<std::vector<std::uint8_t>> bmp;
        std::optional<pixmond::ModuleFailure> failure;
        try {
            bmp = pixmond::CreateQrCode(row.text, row.level, row.width, row.height, pixmond::kWhite, pixmond::kBlack);
        } catch (const pixmond::ModuleFailure& e) {
            failure = e;
        }
        if (const auto* want = std::get_if<Refusal>(&row.entry)) {
            ASSERT_TRUE(failure) << "drew a picture";
            EXPECT_EQ(failure->source(), want->source);
            EXPECT_EQ(failure->method(), want->method);
            if (want->message.empty()) {
                EXPECT_EQ(failure->message(), "");
            } else {
                EXPECT_NE(failure->message().find(want->message), std::string::npos) << failure->message();
            }
            continue;
        }
        const auto& want = std::get<Picture>(row.entry);
        ASSERT_FALSE(failure) << failure->what();
        const auto picture = testsupport::ReadBmp(*bmp);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->width, want.width);
        EXPECT_EQ(picture->height, want.height);
        if (want.decodable) {
            EXPECT_EQ(testsupport::DecodeBmp(*bmp), pixmond::ToUtf8(row.text));
        }
    }
}

#ifdef PIXMOND_CLI

struct Ran {
    int status = -1;  // exit status; 128 + n when ended by signal n; -1 when it had to be killed
    std::string err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the program in dir with input on standard input, killing it after a generous bound.
Ran RunCli(const std::vector<std::string>& args, const std::string& input, const fs::path& dir) {
    std::ofstream(dir / "stdin", std::ios::binary) << input;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, (dir / "stdin").c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, (dir / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> all{PIXMOND_CLI};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const fs::path here = fs::current_path();
    fs::current_path(dir);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, PIXMOND_CLI, &actions, nullptr, argv.data(), environ);
    fs::current_path(here);
    posix_spawn_file_actions_destroy(&actions);
    Ran run;
    if (spawned != 0) return run;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            run.err = "hung: killed after 60 s";
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.err = Slurp(dir / "stderr");
    return run;
}

class ScratchDir {
public:
    ScratchDir() {
        std::string name = (fs::temp_directory_path() / "pixmond-bad-input-XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("mkdtemp");
        path_ = name;
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

TEST(BadInput, ThroughTheCommandLine) {
    const ScratchDir dir;
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        const fs::path out = dir.path() / "out.bmp";
        fs::remove(out);
        std::vector<std::string> args{"-o", "out.bmp"};
        if (row.level) args.insert(args.end(), {"-l", pixmond::ToUtf8(*row.level)});
        if (row.cliSize) args.insert(args.end(), {"-s", *row.cliSize});
        const Ran run = RunCli(args, Expected(row), dir.path());
        ASSERT_EQ(run.status, row.cliStatus) << run.err;
        if (row.cliStatus == 0) {
            const auto bytes = Slurp(out);
            const std::vector<std::uint8_t> bmp(bytes.begin(), bytes.end());
            const auto picture = testsupport::ReadBmp(bmp);
            ASSERT_TRUE(picture);
            if (std::get<Picture>(row.entry).decodable) {
                EXPECT_EQ(testsupport::DecodeBmp(bmp), Expected(row));
            }
            continue;
        }
        EXPECT_FALSE(fs::exists(out)) << "a refused request left a picture";
        if (row.cliStatus == 1) {
            const auto& want = std::get<Refusal>(row.entry);
            EXPECT_TRUE(run.err.starts_with("异常来源：[" + want.source + "]\r\n方法名称：" + want.method + "()\r\n"))
                << run.err;
        } else {
            EXPECT_TRUE(run.err.starts_with("pixmond-cli: ")) << run.err;
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        }
    }
}

#endif

}  // namespace
