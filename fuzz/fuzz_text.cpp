// The text conversions on arbitrary bytes: each either refuses with the offset of the first
// bad byte, or gives a text that converts back without loss.
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "pixmond/failure.h"
#include "pixmond/text.h"

namespace {

// Where the first invalid UTF-8 sequence starts (shortest forms only, no surrogates, nothing
// above U+10FFFF), or npos. Private-use points are noted: a few of them have no GB18030 form.
std::size_t FirstInvalidUtf8(std::string_view s, bool& privateUse) {
    privateUse = false;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        char32_t c = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            n = 1, c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            n = 2, c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3, c = b & 0x07;
        } else {
            return i;
        }
        if (i + n >= s.size()) return i;  // cut short
        for (std::size_t k = 1; k <= n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return i;
            c = c << 6 | (t & 0x3F);
        }
        const char32_t least = n == 1 ? 0x80 : n == 2 ? 0x800 : 0x10000;
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return i;
        if (c >= 0xE000 && c <= 0xF8FF) privateUse = true;
        i += n + 1;
    }
    return std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // As GB18030.
    try {
        const std::string utf8 = pixmond::ToUtf8(bytes);
        bool privateUse = false;
        FUZZ_CHECK(FirstInvalidUtf8(utf8, privateUse) == std::string_view::npos);
        // Two GB18030 spellings may name one character, so the way back need not give the same
        // bytes; it must give bytes that name the same characters.
        const std::string back = pixmond::FromUtf8(utf8);
        FUZZ_CHECK(pixmond::ToUtf8(back) == utf8);
    } catch (const pixmond::ModuleFailure& e) {
        FUZZ_CHECK(e.source() == "文本转换" && e.method() == "ToUtf8");
        const auto at = e.message().rfind("：");
        FUZZ_CHECK(at != std::string::npos);
        FUZZ_CHECK(std::stoull(e.message().substr(at + 3)) < size);
    }

    // As UTF-8.
    bool privateUse = false;
    const std::size_t invalid = FirstInvalidUtf8(bytes, privateUse);
    try {
        const std::string gb = pixmond::FromUtf8(bytes);
        FUZZ_CHECK(invalid == std::string_view::npos);
        FUZZ_CHECK(pixmond::ToUtf8(gb) == bytes);
    } catch (const pixmond::ModuleFailure& e) {
        FUZZ_CHECK(e.source() == "文本转换" && e.method() == "FromUtf8");
        const auto at = e.message().rfind("：");
        FUZZ_CHECK(at != std::string::npos);
        const std::size_t offset = std::stoull(e.message().substr(at + 3));
        // Refused at the first invalid sequence, or earlier only for a private-use point.
        FUZZ_CHECK(offset == invalid || (privateUse && offset < invalid));
    }
    return 0;
}
