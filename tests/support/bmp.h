#pragma once
// Reading back the 24-bit BMP files the module writes, independently of the module's writer.

#include <cstdint>
#include <optional>
#include <vector>

namespace testsupport {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<Rgb> pixels;  // row by row from the top
    const Rgb& at(std::int32_t x, std::int32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// nullopt unless the bytes are a bottom-up, uncompressed 24-bit BMP whose sizes add up.
std::optional<Picture> ReadBmp(const std::vector<std::uint8_t>& bytes);

// Grey levels, 0 black: what a camera would see.
std::vector<std::uint8_t> ToGrey(const Picture& p);

}  // namespace testsupport
