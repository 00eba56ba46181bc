#include "pixmond/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "pixmond/failure.h"

namespace pixmond {
namespace {

// One conversion descriptor per thread and direction: iconv_t keeps shift state and may not
// be shared between threads, and opening one costs far more than a short conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // On a refusal, describe(in, offset) gives the message.
    using Describe = std::string (*)(std::string_view in, std::size_t offset, bool cutShort);
    void Convert(std::string_view in, const char* method, Describe describe, std::string& out) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) Fail("文本转换", method, "系统不支持此编码转换");
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        out.resize(std::max(out.capacity(), in.size() * 2 + 16));
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::size_t done = 0;
        while (true) {
            char* dst = out.data() + done;
            std::size_t dstLeft = out.size() - done;
            const std::size_t r = iconv(cd_, srcLeft ? &src : nullptr, &srcLeft, &dst, &dstLeft);
            done = out.size() - dstLeft;
            if (r != static_cast<std::size_t>(-1)) {
                if (srcLeft == 0) break;
                continue;
            }
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            Fail("文本转换", method, describe(in, in.size() - srcLeft, errno == EINVAL));
        }
        out.resize(done);
    }

private:
    iconv_t cd_;
};

std::string Refusal(const char* what, std::size_t offset, bool cutShort) {
    return std::string(what) + (cutShort ? "以不完整的字符结束。字节偏移：" : "含有无效字节。字节偏移：") + std::to_string(offset);
}

std::string DescribeGb18030(std::string_view, std::size_t offset, bool cutShort) {
    return Refusal("文本不是有效的GB18030编码，", offset, cutShort);
}

std::string DescribeUtf8(std::string_view in, std::size_t offset, bool cutShort) {
    // Everything before the offset converted; the character there is either malformed or
    // well formed with no GB18030 form.
    if (FindInvalidUtf8(in.substr(offset)) == std::size_t{0}) return Refusal("文本不是有效的UTF-8编码，", offset, cutShort);
    return "文本含有无法用GB18030表示的字符。字节偏移：" + std::to_string(offset);
}

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

void ToUtf8(std::string_view gb18030, std::string& out) {
    if (IsAscii(gb18030)) {  // the same bytes in both
        out.assign(gb18030);
        return;
    }
    thread_local Converter converter("UTF-8", "GB18030");
    converter.Convert(gb18030, "ToUtf8", DescribeGb18030, out);
}

std::string ToUtf8(std::string_view gb18030) {
    std::string out;
    ToUtf8(gb18030, out);
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    thread_local Converter converter("GB18030", "UTF-8");
    std::string out;
    converter.Convert(utf8, "FromUtf8", DescribeUtf8, out);
    return out;
}

std::optional<std::size_t> FindInvalidUtf8(std::string_view s) noexcept {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            if (c == 0xE0) lo = 0xA0;  // overlong
            if (c == 0xED) hi = 0x9F;  // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            if (c == 0xF0) lo = 0x90;  // overlong
            if (c == 0xF4) hi = 0x8F;  // above U+10FFFF
        } else {
            return i;
        }
        if (i + n >= s.size()) return i;  // cut off at the end
        for (std::size_t k = 1; k <= n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF)) return i;
        }
        i += n + 1;
    }
    return std::nullopt;
}

}  // namespace pixmond
