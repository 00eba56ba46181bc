// The module's entry and its process-wide state.
#include <mutex>
#include <string>

#include "codewords/encoder.h"
#include "ecc/gf256.h"
#include "pixmond/create.h"
#include "pixmond/failure.h"
#include "pixmond/picture.h"

namespace pixmond {
namespace {

const std::string kModuleName = "二维码模块";

// One set per process: the record every CreateQrCode fills and the colours it last recorded.
// The lock keeps two calls from writing them at once.
struct ModuleState {
    std::mutex lock;
    QrCode sharedQrCode;
    Colour backgroundColour = 0;
    Colour foregroundColour = 0;
};

ModuleState& State() {
    static ModuleState state;
    return state;
}

// True when the text holds nothing but spaces: 0x20 and the ideographic space A1 A1. Scanning
// stops at the first other byte, so an A1 A1 is only ever seen where a character starts.
bool OnlySpaces(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0x20) {
            ++i;
        } else if (c == 0xA1 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA1) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

std::int32_t SideOrDefault(std::optional<std::int64_t> side) {
    if (!side || *side <= 0) return kDefaultPictureSide;
    return static_cast<std::int32_t>(*side);
}

}  // namespace

EcLevel LevelFromText(std::optional<std::string_view> level) {
    const EcLevelSet& set = EcLevels();
    if (!level) return set.L;
    std::string upper(*level);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const EcLevel* l : {&set.L, &set.M, &set.Q, &set.H})
        if (upper == l->GetName()) return *l;
    Fail(kModuleName, "创建二维码()", "容错等级必须为L、M、Q、H四个之一。");
}

void EncodeText(std::string_view text, const EcLevel& level, QrCode& record) { Encoder().EncodeFast(text, level, record); }

ByteMatrix EncodeAndScale(std::string_view text, const EcLevel& level, std::int32_t width, std::int32_t height,
                          QrCode& record) {
    EncodeText(text, level, record);
    return ScaleMatrix(record, width, height);
}

CheckedSize CheckAndEncode(QrCode& record, std::string_view text, std::optional<std::string_view> level,
                           std::optional<std::int64_t> width, std::optional<std::int32_t> height) {
    if (OnlySpaces(text)) Fail(kModuleName, "编码()", "没有编码内容");
    const EcLevel chosen = LevelFromText(level);
    // Sides above the limit are refused before they are cut to 32 bits, so that a huge
    // request never turns into a small or negative one.
    const std::int64_t w = width.value_or(0);
    const std::int64_t h = height.value_or(0);
    if (w > kMaxPictureSide || h > kMaxPictureSide)
        Fail(kModuleName, "创建二维码()",
             "图片尺寸超出范围，宽和高最大为" + std::to_string(kMaxPictureSide) + "像素。当前尺寸：" + std::to_string(w) +
                 "x" + std::to_string(h));
    const CheckedSize size{SideOrDefault(width), SideOrDefault(height)};
    EncodeText(text, chosen, record);
    return size;
}

std::vector<std::uint8_t> CreateQrCodeInto(QrCode& record, std::string_view text, std::optional<std::string_view> level,
                                           std::optional<std::int64_t> width, std::optional<std::int32_t> height,
                                           Colour background, Colour foreground) {
    const CheckedSize size = CheckAndEncode(record, text, level, width, height);
    // Straight from the symbol: the same bytes as drawing the scaled grid, without building it.
    return DrawPicture(record, size.width, size.height, background, foreground);
}

std::vector<std::uint8_t> CreateQrCode(std::string_view text, std::optional<std::string_view> level,
                                       std::optional<std::int64_t> width, std::optional<std::int32_t> height,
                                       Colour background, Colour foreground) {
    ModuleState& s = State();
    const std::lock_guard<std::mutex> guard(s.lock);
    s.backgroundColour = background;
    s.foregroundColour = foreground;
    return CreateQrCodeInto(s.sharedQrCode, text, level, width, height, s.backgroundColour, s.foregroundColour);
}

void ModuleInit() {
    State();
    EcLevels();
    Modes();
    QrField();
}

QrCode SharedQrCode() {
    ModuleState& s = State();
    const std::lock_guard<std::mutex> guard(s.lock);
    return s.sharedQrCode;
}

Colour BackgroundColour() {
    ModuleState& s = State();
    const std::lock_guard<std::mutex> guard(s.lock);
    return s.backgroundColour;
}

Colour ForegroundColour() {
    ModuleState& s = State();
    const std::lock_guard<std::mutex> guard(s.lock);
    return s.foregroundColour;
}

}  // namespace pixmond
