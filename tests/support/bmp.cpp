#include "support/bmp.h"

namespace testsupport {
namespace {
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
}  // namespace

std::optional<Picture> ReadBmp(const std::vector<std::uint8_t>& b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
    if (U32(b, 2) != b.size() || U32(b, 10) != 54 || U32(b, 14) != 40) return std::nullopt;
    const auto w = static_cast<std::int32_t>(U32(b, 18));
    const auto h = static_cast<std::int32_t>(U32(b, 22));
    if (w <= 0 || h <= 0 || U16(b, 26) != 1 || U16(b, 28) != 24 || U32(b, 30) != 0) return std::nullopt;
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    if (54 + stride * static_cast<std::size_t>(h) != b.size()) return std::nullopt;
    Picture p{w, h, std::vector<Rgb>(static_cast<std::size_t>(w) * static_cast<std::size_t>(h))};
    for (std::int32_t y = 0; y < h; ++y) {
        const std::size_t row = 54 + stride * static_cast<std::size_t>(h - 1 - y);
        for (std::int32_t x = 0; x < w; ++x) {
            const std::size_t at = row + 3 * static_cast<std::size_t>(x);
            p.pixels[static_cast<std::size_t>(y) * w + x] = Rgb{b[at + 2], b[at + 1], b[at]};
        }
    }
    return p;
}

std::vector<std::uint8_t> ToGrey(const Picture& p) {
    std::vector<std::uint8_t> grey(p.pixels.size());
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = static_cast<std::uint8_t>((p.pixels[i].r * 299 + p.pixels[i].g * 587 + p.pixels[i].b * 114) / 1000);
    return grey;
}

}  // namespace testsupport
