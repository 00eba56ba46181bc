// The batch list's line reader on arbitrary bytes, some stretched past its buffer and its line
// limit: it hands back exactly the lines of the input, each cut at the limit and flagged.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "cli/io.h"

namespace {

struct Line {
    std::string text;
    bool tooLong = false;
    friend bool operator==(const Line&, const Line&) = default;
};

// The same rules, written plainly over the whole input at once.
std::vector<Line> ExpectedLines(std::string_view all) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t nl = all.find('\n', start);
        const std::size_t end = nl == std::string_view::npos ? all.size() : nl;
        std::string_view piece = all.substr(start, end - start);
        Line line;
        line.tooLong = piece.size() > pixmond::cli::kMaxTextBytes;
        line.text = std::string(piece.substr(0, pixmond::cli::kMaxTextBytes));
        if (lines.empty() && line.text.starts_with("\xEF\xBB\xBF")) line.text.erase(0, 3);
        if (!line.tooLong && !line.text.empty() && line.text.back() == '\r') line.text.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // An odd first byte repeats the rest until it crosses the reader's 64 KiB buffer and limit.
    std::string all(reinterpret_cast<const char*>(data) + 1, size - 1);
    if ((data[0] & 1) && !all.empty()) {
        const std::size_t target = 60000 + static_cast<std::size_t>(data[0] >> 1) * 100;
        const std::string unit = all;
        while (all.size() < target) all += unit;
    }
    if (all.empty()) return 0;
    std::FILE* stream = fmemopen(all.data(), all.size(), "rb");
    FUZZ_CHECK(stream);
    pixmond::cli::LineReader reader(stream);
    std::vector<Line> got;
    Line line;
    while (reader.Next(line.text, line.tooLong)) got.push_back(line);
    std::fclose(stream);
    FUZZ_CHECK(got == ExpectedLines(all));
    return 0;
}
