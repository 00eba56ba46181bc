#include "pixmond/picture.h"

#include <algorithm>
#include <cstring>

namespace pixmond {

namespace {

// Where the enlarged symbol lands in the grid.
struct Geometry {
    std::int32_t outputWidth, outputHeight, multiple, leftPadding, topPadding;
};

Geometry GeometryFor(const ByteMatrix& symbol, std::int32_t width, std::int32_t height) {
    const std::int32_t inputWidth = symbol.GetWidth();
    const std::int32_t inputHeight = symbol.GetHeight();
    // A quiet zone of 2 modules on each side.
    const std::int32_t qrWidth = inputWidth + 4;
    const std::int32_t qrHeight = inputHeight + 4;
    Geometry g{};
    g.outputWidth = std::max(width, qrWidth);
    g.outputHeight = std::max(height, qrHeight);
    // The smaller of the two whole ratios: integer division equals the truncated real quotient.
    g.multiple = std::min(g.outputWidth / qrWidth, g.outputHeight / qrHeight);
    g.leftPadding = (g.outputWidth - inputWidth * g.multiple) / 2;
    g.topPadding = (g.outputHeight - inputHeight * g.multiple) / 2;
    return g;
}

// One grid row of the symbol's row y: light, with the row's modules enlarged into place.
void ScaledRow(const ByteMatrix& symbol, std::int32_t y, const Geometry& g, std::uint8_t* line) {
    std::fill_n(line, g.outputWidth, 0);
    const std::uint8_t* in = symbol.Row(y);
    std::uint8_t* out = line + g.leftPadding;
    for (std::int32_t x = 0; x < symbol.GetWidth(); ++x) {
        const std::uint8_t dark = in[x] == 1;
        for (std::int32_t k = 0; k < g.multiple; ++k) *out++ = dark;
    }
}

}  // namespace

ByteMatrix ScaleMatrix(const QrCode& record, std::int32_t width, std::int32_t height) {
    const ByteMatrix& symbol = record.GetMatrix();
    const Geometry g = GeometryFor(symbol, width, height);
    ByteMatrix out(g.outputWidth, g.outputHeight);
    for (std::int32_t y = 0; y < symbol.GetHeight(); ++y) {
        std::uint8_t* first = out.Row(g.topPadding + y * g.multiple);
        ScaledRow(symbol, y, g, first);
        for (std::int32_t b = 1; b < g.multiple; ++b)
            std::memcpy(out.Row(g.topPadding + y * g.multiple + b), first, static_cast<std::size_t>(g.outputWidth));
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

namespace {

constexpr std::uint32_t kHeaderBytes = 54;

std::uint64_t Stride(std::int32_t width) { return (24 * static_cast<std::uint64_t>(width) + 31) / 32 * 4; }

// A zeroed file of the right size with its 54-byte header; no colour table.
std::vector<std::uint8_t> EmptyBmp(std::int32_t width, std::int32_t height) {
    const std::uint64_t fileSize = kHeaderBytes + Stride(width) * static_cast<std::uint64_t>(height);
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
    return bmp;
}

// Picture row y (0 at the top) sits that many rows from the end: rows are stored bottom-up.
std::uint8_t* PixelRow(std::vector<std::uint8_t>& bmp, std::int32_t width, std::int32_t height, std::int32_t y) {
    return bmp.data() + kHeaderBytes + Stride(width) * static_cast<std::uint64_t>(height - 1 - y);
}

// Pixels of one row in the order blue, green, red; a cell of 1 is dark. The colour is picked by
// index, not by a branch, which random-looking modules would mispredict half the time.
void WritePixels(std::uint8_t* row, const std::uint8_t* cells, std::int32_t width, Colour background, Colour foreground) {
    const std::uint8_t palette[2][3] = {
        {static_cast<std::uint8_t>(background >> 16), static_cast<std::uint8_t>(background >> 8), static_cast<std::uint8_t>(background)},
        {static_cast<std::uint8_t>(foreground >> 16), static_cast<std::uint8_t>(foreground >> 8), static_cast<std::uint8_t>(foreground)},
    };
    for (std::int32_t x = 0; x < width; ++x) std::memcpy(row + 3 * x, palette[cells[x] == 1], 3);
}

}  // namespace

std::vector<std::uint8_t> MatrixToPicture(const ByteMatrix& grid, std::int32_t width, std::int32_t height,
                                          Colour background, Colour foreground) {
    std::vector<std::uint8_t> bmp = EmptyBmp(width, height);
    const std::uint8_t* previousCells = nullptr;
    const std::uint8_t* previousRow = nullptr;
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = PixelRow(bmp, width, height, y);
        const std::uint8_t* cells = grid.Row(y);
        // A scaled symbol repeats each row of modules: a row like the last is copied whole.
        if (previousCells && std::memcmp(cells, previousCells, static_cast<std::size_t>(width)) == 0)
            std::memcpy(row, previousRow, static_cast<std::size_t>(Stride(width)));
        else
            WritePixels(row, cells, width, background, foreground);
        previousCells = cells;
        previousRow = row;
    }
    return bmp;
}

std::vector<std::uint8_t> DrawPicture(const QrCode& record, std::int32_t width, std::int32_t height, Colour background,
                                      Colour foreground) {
    const ByteMatrix& symbol = record.GetMatrix();
    const Geometry g = GeometryFor(symbol, width, height);
    std::vector<std::uint8_t> bmp = EmptyBmp(width, height);
    // One grid row at a time: the symbol row it shows, or −1 for the quiet zone.
    std::vector<std::uint8_t> line(static_cast<std::size_t>(g.outputWidth));
    std::int32_t shown = -2;
    const std::uint8_t* previousRow = nullptr;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t inside = y - g.topPadding;
        const std::int32_t symbolRow = inside >= 0 && inside < symbol.GetHeight() * g.multiple ? inside / g.multiple : -1;
        std::uint8_t* row = PixelRow(bmp, width, height, y);
        if (symbolRow == shown) {
            std::memcpy(row, previousRow, static_cast<std::size_t>(Stride(width)));
        } else {
            if (symbolRow < 0)
                std::fill(line.begin(), line.end(), 0);
            else
                ScaledRow(symbol, symbolRow, g, line.data());
            WritePixels(row, line.data(), width, background, foreground);
            shown = symbolRow;
        }
        previousRow = row;
    }
    return bmp;
}

}  // namespace pixmond
