#include "time_text.h"

#include <array>
#include <ctime>

namespace pixmond::app {
namespace {

std::string Pad2(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

// The file-name form: no padding, and the time stops at its last unit that is not zero.
std::string PlatformText(const DateTime& t) {
    std::string text = std::to_string(t.year) + "年" + std::to_string(t.month) + "月" + std::to_string(t.day) + "日";
    const std::string h = std::to_string(t.hour), m = std::to_string(t.minute), s = std::to_string(t.second);
    if (t.second != 0) return text + h + "时" + m + "分" + s + "秒";
    if (t.minute != 0) return text + h + "时" + m + "分";
    if (t.hour != 0) return text + h + "时";
    return text;
}

}  // namespace

DateTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string TimeToText(std::optional<DateTime> time, std::optional<int> format, std::optional<int> part) {
    const int f = format.value_or(0);
    const int p = part.value_or(0);
    if (f < 0 || f > 3 || p < 0 || p > 5) return "时间_到文本() 命令参数填写有误";
    const DateTime t = time ? *time : LocalNow();
    const std::string y = std::to_string(t.year), mo = Pad2(t.month), d = Pad2(t.day);
    const std::string h = Pad2(t.hour), mi = Pad2(t.minute), s = Pad2(t.second);

    if (f == 0) {
        switch (p) {
            case 0: return PlatformText(t);
            case 1: return y + "年" + mo + "月" + d + "日";
            case 2: return mo + "月" + d + "日";
            case 3: return h + "时" + mi + "分" + s + "秒";
            case 4: return h + "时" + mi + "分";
            default: return mi + "分" + s + "秒";
        }
    }
    static constexpr std::array<const char*, 3> kDateSep{"-", "/", ""};
    static constexpr std::array<const char*, 3> kTimeSep{":", "/", ""};
    static constexpr std::array<const char*, 3> kGap{" ", " ", ""};
    const std::string ds = kDateSep[static_cast<std::size_t>(f - 1)];
    const std::string ts = kTimeSep[static_cast<std::size_t>(f - 1)];
    switch (p) {
        case 0: return y + ds + mo + ds + d + kGap[static_cast<std::size_t>(f - 1)] + h + ts + mi + ts + s;
        case 1: return y + ds + mo + ds + d;
        case 2: return mo + ds + d;
        case 3: return h + ts + mi + ts + s;
        case 4: return h + ts + mi;
        default: return mi + ts + s;
    }
}

}  // namespace pixmond::app
