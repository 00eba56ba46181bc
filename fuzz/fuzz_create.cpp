// CreateQrCode on arbitrary text bytes, level texts and sides: it refuses with a full report
// exactly when the request is bad, and otherwise returns a BMP of the size asked for.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "check.h"
#include "input.h"
#include "pixmond/pixmond.h"

namespace {

constexpr std::int64_t kLimit = pixmond::kMaxPictureSide;

// Small sides keep the runs fast; the other classes reach every branch of the size check.
std::optional<std::int64_t> Side(FuzzInput& in) {
    const std::uint8_t kind = in.Byte();
    const std::uint32_t v = in.Word();
    switch (kind % 8) {
        case 0: return std::nullopt;
        case 1: return 0;
        case 2: return -static_cast<std::int64_t>(v);
        case 3: return kLimit + 1 + v % 1000;
        case 4: return (std::int64_t{1} << 32) + v % 301;
        case 5: return v % 2 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
        default: return 1 + v % 300;
    }
}

std::optional<std::string> Level(FuzzInput& in) {
    const std::uint8_t kind = in.Byte();
    static const char* const names[] = {"L", "M", "Q", "H", "l", "m", "q", "h"};
    if (kind < 16) return std::nullopt;
    if (kind < 128) return names[kind % 8];
    return std::string(in.Take(kind % 4));
}

bool OnlySpaces(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text.substr(i, 2) == "\xA1\xA1") {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

bool KnownLevel(const std::optional<std::string>& level) {
    if (!level) return true;
    for (const char* name : {"L", "M", "Q", "H", "l", "m", "q", "h"})
        if (*level == name) return true;
    return false;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::optional<std::string> level = Level(in);
    const std::optional<std::int64_t> width = Side(in);
    std::optional<std::int64_t> height64 = Side(in);
    // The entry's height is 32 bits: a larger class stands for the largest 32-bit value.
    std::optional<std::int32_t> height;
    if (height64) height = static_cast<std::int32_t>(std::clamp<std::int64_t>(*height64, INT32_MIN, INT32_MAX));
    const pixmond::Colour background = in.Word() & 0xFFFFFF;
    const pixmond::Colour foreground = in.Word() & 0xFFFFFF;
    const std::string_view text = in.Rest();

    const bool tooLarge = width.value_or(0) > kLimit || height.value_or(0) > kLimit;
    const bool mustRefuse = OnlySpaces(text) || !KnownLevel(level) || tooLarge;
    try {
        const auto bmp = pixmond::CreateQrCode(text, level, width, height, background, foreground);
        FUZZ_CHECK(!mustRefuse);
        FUZZ_CHECK(pixmond::BackgroundColour() == background && pixmond::ForegroundColour() == foreground);
        const std::uint32_t w = width && *width > 0 ? static_cast<std::uint32_t>(*width) : 100;
        const std::uint32_t h = height && *height > 0 ? static_cast<std::uint32_t>(*height) : 100;
        const std::size_t stride = (w * 3 + 3) / 4 * 4;
        FUZZ_CHECK(bmp.size() == 54 + stride * h);
        FUZZ_CHECK(bmp[0] == 'B' && bmp[1] == 'M');
        FUZZ_CHECK(U32(bmp, 2) == bmp.size() && U32(bmp, 10) == 54 && U32(bmp, 14) == 40);
        FUZZ_CHECK(U32(bmp, 18) == w && U32(bmp, 22) == h);
        FUZZ_CHECK((U32(bmp, 26) & 0xFFFF) == 1 && (U32(bmp, 26) >> 16) == 24 && U32(bmp, 30) == 0);
        // Every pixel is one of the two colours, and the padding is zero.
        for (std::uint32_t y = 0; y < h; ++y) {
            const std::uint8_t* row = bmp.data() + 54 + stride * y;
            for (std::uint32_t x = 0; x < w; ++x) {
                const pixmond::Colour c = row[3 * x + 2] | row[3 * x + 1] << 8 | row[3 * x] << 16;
                FUZZ_CHECK(c == background || c == foreground);
            }
            for (std::size_t p = 3 * w; p < stride; ++p) FUZZ_CHECK(row[p] == 0);
        }
    } catch (const pixmond::ModuleFailure& e) {
        FUZZ_CHECK(!e.source().empty() && !e.method().empty());
        FUZZ_CHECK(std::string(e.what()) == pixmond::FailureReportText(e.record()));
        // The colours are recorded before anything is checked.
        FUZZ_CHECK(pixmond::BackgroundColour() == background && pixmond::ForegroundColour() == foreground);
        if (!mustRefuse) FUZZ_CHECK(e.source() == "文本转换" || e.source() == "编码类");
    }
    return 0;
}
