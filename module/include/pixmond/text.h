#pragma once
// Text conversions between the module's code page (GB18030, a superset of GBK: every GBK
// text has the same bytes) and UTF-8, through the C library's iconv.
// Invalid input is never dropped or replaced: it fails with the byte offset of the first
// invalid sequence (source "文本转换", method "ToUtf8" or "FromUtf8").

#include <string>
#include <string_view>

namespace pixmond {

std::string ToUtf8(std::string_view gb18030);
std::string FromUtf8(std::string_view utf8);

}  // namespace pixmond
