#pragma once
// The program's time-to-text routine, which names the saved pictures.

#include <optional>
#include <string>

namespace pixmond::app {

struct DateTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The local date and time now.
DateTime LocalNow();

// part: 0 date and time, 1 date, 2 month and day, 3 time, 4 hour and minute, 5 minute and second.
// format: 0 Chinese units (part 0: the unpadded "Y年M月D日h时m分s秒" with trailing zero units left
// off), 1 "-" and ":", 2 "/" throughout, 3 digits only. Omitted values: now, format 0, part 0.
// Any other part or format gives "时间_到文本() 命令参数填写有误". The result is UTF-8.
std::string TimeToText(std::optional<DateTime> time = std::nullopt, std::optional<int> format = std::nullopt,
                       std::optional<int> part = std::nullopt);

}  // namespace pixmond::app
