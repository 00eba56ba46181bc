#include "cli/render.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <new>

#include "pixmond/picture.h"

namespace pixmond::cli {
namespace {

struct PngSink {
    std::vector<std::uint8_t>* out;
};

// libpng is C: nothing may unwind through it, so failures leave by its own longjmp.
[[noreturn]] void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        sink->out->insert(sink->out->end(), data, data + length);
    } catch (...) {
        failed = true;
    }
    if (failed) png_error(png, "out of memory");
}

void PngFlush(png_structp) {}

// Only trivially destructible values live here, so the longjmp of a libpng failure skips
// no destructor.
bool WritePngStream(png_structp png, png_infop info, PngSink* sink, const ByteMatrix& grid, std::int32_t width,
                    std::int32_t height, const png_color* palette, png_bytep row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, sink, PngWrite, PngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 1,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, palette, 2);
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* cells = grid.Row(y);
        std::fill(row, row + rowBytes, png_byte{0});
        for (std::int32_t x = 0; x < width; ++x)
            if (cells[x] == ByteMatrix::kDark) row[x >> 3] |= static_cast<png_byte>(0x80u >> (x & 7));
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

png_color PngColour(Colour c) {
    return png_color{static_cast<png_byte>(c & 0xFF), static_cast<png_byte>((c >> 8) & 0xFF),
                     static_cast<png_byte>((c >> 16) & 0xFF)};
}

// Up to four decimals, no trailing zeros: viewBox numbers stay short and exact for whole ones.
std::string Number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4f", v);
    std::string s(buffer);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

void AppendUtf8Block(std::string& out, bool top, bool bottom) {
    if (top && bottom)
        out += "\u2588";
    else if (top)
        out += "\u2580";
    else if (bottom)
        out += "\u2584";
    else
        out += ' ';
}

void AppendJsonString(std::string& out, std::string_view s) {
    out += '"';
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
            out += buffer;
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const ByteMatrix& grid, std::int32_t width, std::int32_t height,
                                    Colour background, Colour foreground) {
    std::vector<std::uint8_t> out;
    std::vector<png_byte> row((static_cast<std::size_t>(width) + 7) / 8);
    const png_color palette[2] = {PngColour(background), PngColour(foreground)};
    PngSink sink{&out};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (!png) throw std::bad_alloc();
    png_infop info = png_create_info_struct(png);
    const bool written = info && WritePngStream(png, info, &sink, grid, width, height, palette, row.data());
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!written) throw std::bad_alloc();
    return out;
}

std::string HtmlColour(Colour colour) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return buffer;
}

std::string EncodeSvg(const ByteMatrix& symbol, std::int32_t width, std::int32_t height, Colour background,
                      Colour foreground) {
    constexpr std::int32_t kQuiet = 2;
    const std::int32_t n = symbol.GetWidth() + 2 * kQuiet;
    // The viewBox keeps the picture's own proportions, so a wide picture centres the code
    // with more margin left and right, as the module's bitmap does.
    const double unit = static_cast<double>(std::min(width, height)) / n;
    const double viewWidth = width / unit, viewHeight = height / unit;
    const double left = -(viewWidth - n) / 2, top = -(viewHeight - n) / 2;
    const std::string box = Number(left) + " " + Number(top) + " " + Number(viewWidth) + " " + Number(viewHeight);

    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + std::to_string(width) +
           "\" height=\"" + std::to_string(height) + "\" viewBox=\"" + box + "\" shape-rendering=\"crispEdges\">\n";
    out += "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" + Number(viewWidth) +
           "\" height=\"" + Number(viewHeight) + "\" fill=\"" + HtmlColour(background) + "\"/>\n";
    out += "<path fill=\"" + HtmlColour(foreground) + "\" d=\"";
    for (std::int32_t y = 0; y < symbol.GetHeight(); ++y) {
        const std::uint8_t* row = symbol.Row(y);
        for (std::int32_t x = 0; x < symbol.GetWidth();) {
            if (row[x] != ByteMatrix::kDark) {
                ++x;
                continue;
            }
            const std::int32_t start = x;
            while (x < symbol.GetWidth() && row[x] == ByteMatrix::kDark) ++x;
            const std::string run = std::to_string(x - start);
            out += 'M';
            out += std::to_string(start + kQuiet);
            out += ' ';
            out += std::to_string(y + kQuiet);
            out += 'h';
            out += run;
            out += "v1h-";
            out += run;
            out += 'z';
        }
    }
    out += "\"/>\n</svg>\n";
    return out;
}

std::string SymbolText(const ByteMatrix& symbol, TextStyle style, bool ansiColours) {
    const std::int32_t side = symbol.GetWidth() + 2 * kTerminalMargin;
    auto light = [&](std::int32_t x, std::int32_t y) {
        x -= kTerminalMargin;
        y -= kTerminalMargin;
        if (x < 0 || y < 0 || x >= symbol.GetWidth() || y >= symbol.GetHeight()) return true;
        return symbol.Get(x, y) != ByteMatrix::kDark;
    };
    const char* const lineStart = ansiColours ? "\x1b[97;40m" : "";
    const char* const lineEnd = ansiColours ? "\x1b[0m\n" : "\n";
    std::string out;
    if (style == TextStyle::Ascii) {
        for (std::int32_t y = 0; y < side; ++y) {
            out += lineStart;
            for (std::int32_t x = 0; x < side; ++x) out += light(x, y) ? "  " : "##";
            out += lineEnd;
        }
        return out;
    }
    // The row below the last one is outside the picture: no ink there.
    for (std::int32_t y = 0; y < side; y += 2) {
        out += lineStart;
        for (std::int32_t x = 0; x < side; ++x) AppendUtf8Block(out, light(x, y), y + 1 < side && light(x, y + 1));
        out += lineEnd;
    }
    return out;
}

std::string SymbolJson(const QrCode& record, std::size_t dataBytes) {
    std::string out = "{\"mode\":";
    AppendJsonString(out, record.GetMode().Name());
    out += ",\"level\":";
    AppendJsonString(out, record.GetEcLevel().GetName());
    auto field = [&](const char* name, long long value) {
        out += ",\"";
        out += name;
        out += "\":" + std::to_string(value);
    };
    field("version", record.GetVersion());
    field("dimension", record.GetDimension());
    field("mask", record.GetMaskPattern());
    field("total_codewords", record.GetTotalCodewords());
    field("data_codewords", record.GetDataCodewords());
    field("ec_codewords", record.GetEcCodewords());
    field("blocks", record.GetBlockCount());
    field("data_bytes", static_cast<long long>(dataBytes));
    out += '}';
    return out;
}

std::vector<std::uint8_t> MakePicture(QrCode& record, const PictureRequest& request) {
    if (request.type == OutputType::Bmp)
        return CreateQrCodeInto(record, request.text, request.level, request.size.width, request.size.height,
                                request.background, request.foreground);
    // The same checks and encode, without drawing a BMP that would be thrown away.
    const auto [width, height] = CheckAndEncode(record, request.text, request.level, request.size.width, request.size.height);
    auto bytes = [](std::string_view s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    switch (request.type) {
        case OutputType::Bmp:
            break;
        case OutputType::Png:
            return EncodePng(ScaleMatrix(record, width, height), width, height, request.background,
                             request.foreground);
        case OutputType::Svg:
            return bytes(EncodeSvg(record.GetMatrix(), width, height, request.background, request.foreground));
        case OutputType::Utf8:
            return bytes(SymbolText(record.GetMatrix(), TextStyle::HalfBlocks, request.ansiColours));
        case OutputType::Ascii:
            return bytes(SymbolText(record.GetMatrix(), TextStyle::Ascii, request.ansiColours));
    }
    return {};
}

}  // namespace pixmond::cli
