#pragma once
// The module's entry: from a text to the bytes of a 24-bit BMP picture of its QR symbol.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "pixmond/ec_level.h"
#include "pixmond/qr_code.h"

namespace pixmond {

// 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;

// The largest picture side, in pixels. A picture of 16384 × 16384 is 805,306,422 bytes, well
// inside the 32-bit file-size field of a BMP.
inline constexpr std::int32_t kMaxPictureSide = 16384;
// A width or height that is omitted or 0 or less.
inline constexpr std::int32_t kDefaultPictureSide = 100;

// The public entry.
//  text:   GB18030 bytes (GBK texts are the same bytes); any length the largest symbol holds.
//  level:  "L", "M", "Q" or "H", ASCII letters in either case, nothing trimmed; omitted: L.
//  width:  omitted or <= 0: 100; above kMaxPictureSide: failure.
//  height: the same.
//  background, foreground: 0x00BBGGRR.
// Returns a whole BMP file of width × height pixels. Records both colours first (process-wide,
// as BackgroundColour() and ForegroundColour() report them), then checks in this order:
//  - the text is empty once spaces (0x20 and the ideographic space A1A1) are removed:
//    source "二维码模块", method "编码()", message "没有编码内容";
//  - the level matches none of L, M, Q, H: method "创建二维码()",
//    message "容错等级必须为L、M、Q、H四个之一。";
//  - a side is larger than kMaxPictureSide: method "创建二维码()", message naming the size;
// then encodes (the text too long for version 40 fails with source "编码类",
// method "初始化二维码", empty message; invalid GB18030 fails naming the byte offset).
// Calls are serialised: concurrent calls are safe but run one at a time, and each leaves its
// symbol in the process-wide record that SharedQrCode() copies.
std::vector<std::uint8_t> CreateQrCode(std::string_view text, std::optional<std::string_view> level,
                                       std::optional<std::int64_t> width, std::optional<std::int32_t> height,
                                       Colour background, Colour foreground);

// The same checks and picture, with no process-wide state touched: the symbol goes into the
// caller's record and the colours are only used for drawing. Safe to call from many threads
// at once, each with its own record.
std::vector<std::uint8_t> CreateQrCodeInto(QrCode& record, std::string_view text,
                                           std::optional<std::string_view> level,
                                           std::optional<std::int64_t> width,
                                           std::optional<std::int32_t> height, Colour background,
                                           Colour foreground);

// The checks of CreateQrCodeInto, in the same order with the same failures, and the encode into
// the record, without drawing: for programs that draw the symbol themselves. Returns the
// picture size the request comes to (defaults applied).
struct CheckedSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
CheckedSize CheckAndEncode(QrCode& record, std::string_view text, std::optional<std::string_view> level,
                           std::optional<std::int64_t> width, std::optional<std::int32_t> height);

// The level that a level text chooses (omitted: L); fails as CreateQrCode does.
EcLevel LevelFromText(std::optional<std::string_view> level);

// Encodes a text at a level into the record: mode, version, code words, mask and matrix.
// No spaces test here: only the encoder's own failures. Reentrant.
void EncodeText(std::string_view text, const EcLevel& level, QrCode& record);

// Builds the module's process-wide tables (levels, modes, the GF(256) field) now rather than
// on first use, so that a program can do it before its first window opens. Calling it again
// does nothing; every other entry also builds them on first use, once, thread-safely.
void ModuleInit();

// Encodes the text at the level into the record and returns its symbol scaled to width ×
// height with the quiet zone (see ScaleMatrix). Preconditions (not checked): 1 <= width,
// height <= kMaxPictureSide.
ByteMatrix EncodeAndScale(std::string_view text, const EcLevel& level, std::int32_t width, std::int32_t height,
                          QrCode& record);

// A copy of the process-wide record as the last CreateQrCode left it.
QrCode SharedQrCode();
Colour BackgroundColour();
Colour ForegroundColour();

}  // namespace pixmond
