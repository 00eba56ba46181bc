#include "pixmond/picture.h"

#include <algorithm>
#include <cstring>

namespace pixmond {

ByteMatrix ScaleMatrix(const QrCode& record, std::int32_t width, std::int32_t height) {
    const ByteMatrix& symbol = record.GetMatrix();
    const std::int32_t inputWidth = symbol.GetWidth();
    const std::int32_t inputHeight = symbol.GetHeight();
    // A quiet zone of 2 modules on each side.
    const std::int32_t qrWidth = inputWidth + 4;
    const std::int32_t qrHeight = inputHeight + 4;
    const std::int32_t outputWidth = std::max(width, qrWidth);
    const std::int32_t outputHeight = std::max(height, qrHeight);
    // The smaller of the two whole ratios: integer division equals the truncated real quotient.
    const std::int32_t multiple = std::min(outputWidth / qrWidth, outputHeight / qrHeight);
    const std::int32_t leftPadding = (outputWidth - inputWidth * multiple) / 2;
    const std::int32_t topPadding = (outputHeight - inputHeight * multiple) / 2;

    ByteMatrix out(outputWidth, outputHeight);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(outputWidth), 0);
    for (std::int32_t y = 0; y < inputHeight; ++y) {
        const std::uint8_t* in = symbol.Row(y);
        for (std::int32_t x = 0; x < inputWidth; ++x)
            std::fill_n(line.begin() + leftPadding + x * multiple, multiple, in[x] == 1 ? 1 : 0);
        for (std::int32_t b = 0; b < multiple; ++b)
            std::memcpy(out.Row(topPadding + y * multiple + b), line.data(), line.size());
    }
    return out;
}

namespace {
void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
}  // namespace

std::vector<std::uint8_t> MatrixToPicture(const ByteMatrix& grid, std::int32_t width, std::int32_t height,
                                          Colour background, Colour foreground) {
    constexpr std::uint32_t kHeaderBytes = 54;
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    const std::uint64_t stride = (24 * w + 31) / 32 * 4;
    const std::uint64_t fileSize = kHeaderBytes + stride * h;
    std::vector<std::uint8_t> bmp(fileSize, 0);
    std::uint8_t* p = bmp.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, static_cast<std::uint32_t>(fileSize));
    Put32(p + 10, kHeaderBytes);
    Put32(p + 14, 40);
    Put32(p + 18, static_cast<std::uint32_t>(width));
    Put32(p + 22, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
    Put16(p + 26, 1);
    Put16(p + 28, 24);
    // Compression, image size, resolutions and colour counts stay 0.

    const std::uint8_t light[3] = {static_cast<std::uint8_t>(background >> 16), static_cast<std::uint8_t>(background >> 8),
                                   static_cast<std::uint8_t>(background)};
    const std::uint8_t dark[3] = {static_cast<std::uint8_t>(foreground >> 16), static_cast<std::uint8_t>(foreground >> 8),
                                  static_cast<std::uint8_t>(foreground)};
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = p + kHeaderBytes + stride * static_cast<std::uint64_t>(height - 1 - y);
        const std::uint8_t* cells = grid.Row(y);
        for (std::int32_t x = 0; x < width; ++x) std::memcpy(row + 3 * x, cells[x] == 1 ? dark : light, 3);
    }
    return bmp;
}

}  // namespace pixmond
