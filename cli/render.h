#pragma once
// The formats the command line writes besides the module's own BMP.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "pixmond/byte_matrix.h"
#include "pixmond/create.h"
#include "pixmond/qr_code.h"

namespace pixmond::cli {

// Light modules around the symbol in terminal output: the four that ISO/IEC 18004 asks for,
// so a phone camera finds the code on a dark screen.
inline constexpr std::int32_t kTerminalMargin = 4;

// The top-left width × height cells of a scaled grid (ScaleMatrix) as a 1-bit palette PNG:
// index 0 background, 1 foreground. Throws std::bad_alloc when libpng cannot go on.
std::vector<std::uint8_t> EncodePng(const ByteMatrix& grid, std::int32_t width, std::int32_t height,
                                    Colour background, Colour foreground);

// The symbol as an SVG of width × height pixels: a square of dimension + 4 module units (the
// module's 2-module quiet zone on each side) centred on the background, the dark modules one
// path.
std::string EncodeSvg(const ByteMatrix& symbol, std::int32_t width, std::int32_t height, Colour background,
                      Colour foreground);

// The symbol as text with a kTerminalMargin light margin. Half blocks draw two module rows per
// line with light modules as ink (a terminal's ink is light on its dark background); ANSI
// colours fix the ink white on black for light-themed terminals. Ascii draws "##" for a dark
// module and two spaces for a light one.
enum class TextStyle { HalfBlocks, Ascii };
std::string SymbolText(const ByteMatrix& symbol, TextStyle style, bool ansiColours);

// One line (no line feed) describing the symbol; dataBytes is the length of the data as the
// symbol carries it.
std::string SymbolJson(const QrCode& record, std::size_t dataBytes);

// "#RRGGBB" for a module colour.
std::string HtmlColour(Colour colour);

struct PictureRequest {
    std::string_view text;  // GB18030, the module's text
    std::string_view level;
    PictureSize size;
    Colour background = kWhite;
    Colour foreground = kBlack;
    OutputType type = OutputType::Png;
    bool ansiColours = false;
};

// Encodes into the caller's record and renders it. Throws ModuleFailure when the module refuses.
std::vector<std::uint8_t> MakePicture(QrCode& record, const PictureRequest& request);

}  // namespace pixmond::cli
