#pragma once
// Running the built pixmond-cli as a child process and reading back what it writes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/bmp.h"

namespace clitest {

struct RunResult {
    int status = -1;          // exit status; 128 + n when ended by signal n
    std::string out;
    std::string err;
    long maxRssKilobytes = 0;  // the child's peak resident memory
};

// Runs the program with args (no program name) in dir, feeding input on standard input.
RunResult RunCli(const std::vector<std::string>& args, const std::string& input = "",
                 const std::filesystem::path& dir = std::filesystem::current_path());

// The same with standard output and standard error on a pseudo-terminal; out holds both.
RunResult RunOnTerminal(const std::vector<std::string>& args);

// A fresh folder, removed with everything in it when the value goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // Names of the entries, sorted, hidden ones included.
    std::vector<std::string> Names() const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// Any PNG, through libpng, as 8-bit RGB pixels; nullopt when libpng refuses it.
std::optional<testsupport::Picture> ReadPng(const std::vector<std::uint8_t>& bytes);
// The bytes of the QR symbol zbar finds in a picture.
std::optional<std::string> Decode(const testsupport::Picture& picture);
// Rasterises an SVG file with rsvg-convert at its own size.
std::optional<testsupport::Picture> RasteriseSvg(const std::filesystem::path& svg);

}  // namespace clitest
