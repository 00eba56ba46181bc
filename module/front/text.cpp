#include "pixmond/text.h"

#include <iconv.h>

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

    std::string Convert(std::string_view in, const char* method, const char* what) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) Fail("文本转换", method, "系统不支持此编码转换");
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        std::string out;
        out.resize(in.size() * 2 + 16);
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
            const std::size_t offset = in.size() - srcLeft;
            Fail("文本转换", method,
                 std::string(what) + (errno == EINVAL ? "以不完整的字符结束。字节偏移：" : "含有无效字节。字节偏移：") +
                     std::to_string(offset));
        }
        out.resize(done);
        return out;
    }

private:
    iconv_t cd_;
};

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::string ToUtf8(std::string_view gb18030) {
    if (IsAscii(gb18030)) return std::string(gb18030);  // the same bytes in both
    thread_local Converter converter("UTF-8", "GB18030");
    return converter.Convert(gb18030, "ToUtf8", "文本不是有效的GB18030编码，");
}

std::string FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    thread_local Converter converter("GB18030", "UTF-8");
    return converter.Convert(utf8, "FromUtf8", "文本不是有效的UTF-8编码，");
}

}  // namespace pixmond
