#pragma once
// What the command line asks for, checked before anything is encoded.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pixmond/create.h"

namespace pixmond::cli {

enum class OutputType { Bmp, Png, Svg, Utf8, Ascii };

std::string_view TypeName(OutputType type);
// The file extension batch pictures get, without the dot.
std::string_view TypeExtension(OutputType type);
// bmp, png, svg, utf8, ascii (case-insensitive); nullopt for anything else.
std::optional<OutputType> ParseType(std::string_view name);
// By a file name's extension: .bmp .png .svg, and .txt for the half-block text.
std::optional<OutputType> TypeFromFileName(std::string_view fileName);
// "RRGGBB" with an optional leading '#', to the module's 0x00BBGGRR.
std::optional<Colour> ParseColour(std::string_view text);

struct PictureSize {
    std::int64_t width = 200;
    std::int32_t height = 200;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};
// "N" or "WxH" with positive decimal numbers no larger than a 32-bit int; nullopt otherwise.
// Sides the module cannot draw are left for the module to refuse with its own report.
std::optional<PictureSize> ParseSize(std::string_view text);

// Where the single picture goes.
enum class Destination { File, Stdout, Nowhere };

struct Options {
    bool help = false;
    bool version = false;

    // nullopt or "-": all of standard input.
    std::optional<std::string> text;
    std::string level = "H";
    PictureSize size;
    Colour foreground = kBlack;
    Colour background = kWhite;
    bool randomColour = false;
    bool json = false;

    Destination destination = Destination::Stdout;
    std::string outputPath;  // for Destination::File
    OutputType type = OutputType::Utf8;

    // Batch mode when batchFile is set.
    std::optional<std::string> batchFile;
    std::string batchDir;
    unsigned jobs = 0;  // 0: one per core

    bool ReadsStdin() const { return !text || *text == "-"; }
};

struct ParseResult {
    Options options;
    std::optional<std::string> error;  // one line, without the program name
};

// args excludes the program name.
ParseResult ParseArguments(const std::vector<std::string_view>& args);

std::string HelpText();

}  // namespace pixmond::cli
