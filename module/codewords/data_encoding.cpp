// Mode choice and the data bit stream (ISO/IEC 18004, 7.4).
#include <array>
#include <string>

#include "codewords/encoder.h"
#include "pixmond/failure.h"
#include "pixmond/text.h"
#include "pixmond/version.h"

namespace pixmond {
namespace {

// Values of the alphanumeric character set for character codes 0..95 (7.4.5 table 5),
// −1 outside it.
constexpr std::array<std::int8_t, 96> kAlphanumeric = [] {
    std::array<std::int8_t, 96> t{};
    t.fill(-1);
    for (int c = '0'; c <= '9'; ++c) t[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - '0');
    for (int c = 'A'; c <= 'Z'; ++c) t[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'A' + 10);
    const char symbols[] = " $%*+-./:";
    for (int i = 0; i < 9; ++i) t[static_cast<std::size_t>(symbols[i])] = static_cast<std::int8_t>(36 + i);
    return t;
}();
static_assert(kAlphanumeric[' '] == 36 && kAlphanumeric[':'] == 44 && kAlphanumeric['Z'] == 35 && kAlphanumeric['\\'] == -1);

}  // namespace

const std::string& Encoder::ClassName() {
    static const std::string name = "编码类";
    return name;
}

std::int32_t Encoder::AlphanumericCode(std::int32_t code) noexcept {
    if (code >= 0 && code < static_cast<std::int32_t>(kAlphanumeric.size())) return kAlphanumeric[static_cast<std::size_t>(code)];
    return -1;
}

Mode Encoder::ChooseMode(std::string_view text) {
    bool hasNumeric = false;
    bool hasAlphanumeric = false;
    for (unsigned char c : text) {
        if (c >= '0' && c <= '9') {
            hasNumeric = true;
        } else if (AlphanumericCode(c) == -1) {
            return Modes().byte;
        } else {
            hasAlphanumeric = true;
        }
    }
    if (hasAlphanumeric) return Modes().alphanumeric;
    if (hasNumeric) return Modes().numeric;
    return Modes().byte;
}

void Encoder::AppendDataBits(std::string_view text, const Mode& mode, BitVector& bits) {
    if (mode == Modes().numeric)
        AppendNumeric(text, bits);
    else if (mode == Modes().alphanumeric)
        AppendAlphanumeric(text, bits);
    else
        AppendByteMode(text, bits);
}

void Encoder::AppendNumeric(std::string_view text, BitVector& bits) {
    const std::size_t n = text.size();
    auto d = [&](std::size_t i) { return static_cast<std::int32_t>(static_cast<unsigned char>(text[i])) - '0'; };
    std::size_t i = 0;
    while (i < n) {
        if (i + 2 < n) {
            bits.AppendBits(100 * d(i) + 10 * d(i + 1) + d(i + 2), 10);
            i += 3;
        } else if (i + 1 < n) {
            bits.AppendBits(10 * d(i) + d(i + 1), 7);
            i += 2;
        } else {
            bits.AppendBits(d(i), 4);
            i += 1;
        }
    }
}

void Encoder::AppendAlphanumeric(std::string_view text, BitVector& bits) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const std::int32_t c1 = AlphanumericCode(static_cast<unsigned char>(text[i]));
        if (c1 == -1) Fail(ClassName(), "追加字母数字字节", "无效值");
        if (i + 1 < n) {
            const std::int32_t c2 = AlphanumericCode(static_cast<unsigned char>(text[i + 1]));
            if (c2 == -1) Fail(ClassName(), "追加字母数字字节", "无效值");
            bits.AppendBits(45 * c1 + c2, 11);
            i += 2;
        } else {
            bits.AppendBits(c1, 6);
            i += 1;
        }
    }
}

void Encoder::AppendByteMode(std::string_view text, BitVector& bits) {
    thread_local std::string utf8;  // kept per thread: a conversion then allocates nothing
    ToUtf8(text, utf8);
    for (unsigned char c : utf8) bits.AppendBits(c, 8);
}

void Encoder::AppendModeIndicator(const Mode& mode, BitVector& bits) { bits.AppendBits(mode.GetIndicator(), 4); }

void Encoder::AppendLengthInfo(std::int32_t count, std::int32_t version, const Mode& mode, BitVector& bits) {
    const std::int32_t width = mode.GetCharacterCountBits(GetVersionByNumber(version).GetNumber());
    if (static_cast<std::int64_t>(count) > (std::int64_t{1} << width) - 1) Fail(ClassName(), "追加长度信息", "要添加信息过多");
    bits.AppendBits(count, width);
}

void Encoder::TerminateDataBits(std::int32_t dataCodewords, BitVector& bits) {
    const std::int32_t capacity = dataCodewords << 3;
    if (bits.Size() > capacity) Fail(ClassName(), "结束数据位", "数据无法填充");
    if (bits.Size() < capacity) bits.AppendBits(0, 4);  // terminator (7.4.9)
    const std::int32_t r = bits.Size() % 8;
    if (r > 0) bits.AppendBits(0, 8 - r);
    if (bits.Size() % 8 != 0) Fail(ClassName(), "结束数据位", "位数不是8的倍数");
    // Pad code words 11101100 and 00010001 alternately (7.4.10).
    const std::int32_t pad = dataCodewords - bits.SizeInBytes();
    for (std::int32_t k = 1; k <= pad; ++k) bits.AppendBits(k % 2 == 1 ? 0xEC : 0x11, 8);
    if (bits.Size() != capacity) Fail(ClassName(), "结束数据位", "位长度不等于容量");
}

}  // namespace pixmond
