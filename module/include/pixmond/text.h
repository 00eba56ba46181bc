#pragma once
// Text conversions between the module's code page (GB18030, a superset of GBK: every GBK
// text has the same bytes) and UTF-8, through the C library's iconv.
// Invalid input is never dropped or replaced: it fails with the byte offset of the first
// invalid sequence (source "文本转换", method "ToUtf8" or "FromUtf8").

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pixmond {

std::string ToUtf8(std::string_view gb18030);
// The same into out (replacing its contents), reusing out's storage.
void ToUtf8(std::string_view gb18030, std::string& out);
std::string FromUtf8(std::string_view utf8);

// The offset of the first byte that does not start a well-formed UTF-8 character (no overlong
// forms, no surrogates, nothing above U+10FFFF, nothing cut off at the end), or nullopt when
// the whole text is well formed. FromUtf8 also refuses a few well-formed characters that have
// no GB18030 form (some private-use ones); its message tells the two apart.
std::optional<std::size_t> FindInvalidUtf8(std::string_view utf8) noexcept;

}  // namespace pixmond
