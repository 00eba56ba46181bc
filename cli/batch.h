#pragma once
// Many codes from a list: one picture per line, made on all cores.

#include <cstdint>
#include <string>

#include "cli/options.h"

namespace pixmond::cli {

struct BatchSettings {
    std::string file;
    std::string dir;
    OutputType type = OutputType::Png;
    std::string level = "H";
    PictureSize size;
    Colour background = kWhite;
    Colour foreground = kBlack;
    unsigned jobs = 1;
    bool progressBar = false;  // redrawn on stderr; only for a terminal
};

// "0001", "0042", ... : at least four digits, more when the file has more lines.
std::string LineFileStem(std::uint64_t lineNumber, std::uint64_t lineCount);

// Reports each failing line on stderr and a summary line at the end. Returns the exit status:
// 0 all written, 1 some line failed, 2 the file or folder is unusable, 130 interrupted.
int RunBatch(const BatchSettings& settings);

}  // namespace pixmond::cli
