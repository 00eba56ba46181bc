#pragma once
// From a finished symbol to picture bytes: scaling with a quiet zone, then a 24-bit BMP.

#include <cstdint>
#include <vector>

#include "pixmond/byte_matrix.h"
#include "pixmond/create.h"
#include "pixmond/qr_code.h"

namespace pixmond {

// The symbol enlarged by a whole factor with a quiet zone of 2 modules on each side, centred in
// a grid of max(W, dimension + 4) × max(H, dimension + 4) cells of 0 (light) and 1 (dark).
// Only cells holding exactly 1 are dark. An odd remainder leaves the extra column on the right
// and the extra row at the bottom.
// Preconditions (not checked): the record holds a matrix; 1 <= W, H <= kMaxPictureSide.
ByteMatrix ScaleMatrix(const QrCode& record, std::int32_t width, std::int32_t height);

// A whole BMP file of width × height pixels: 54-byte header, no colour table, rows bottom-up,
// 3 bytes per pixel in the order blue, green, red, each row padded with zeros to a multiple of
// 4 bytes. Pixel (x, y) takes the foreground colour where grid cell (x, y) is 1.
// Preconditions (not checked): 1 <= width <= grid width, 1 <= height <= grid height.
std::vector<std::uint8_t> MatrixToPicture(const ByteMatrix& grid, std::int32_t width, std::int32_t height,
                                          Colour background, Colour foreground);

// The same bytes as MatrixToPicture(ScaleMatrix(record, width, height), width, height, ...),
// drawn straight from the symbol without the intermediate grid.
// Preconditions (not checked): the record holds a matrix; 1 <= width, height <= kMaxPictureSide.
std::vector<std::uint8_t> DrawPicture(const QrCode& record, std::int32_t width, std::int32_t height, Colour background,
                                      Colour foreground);

}  // namespace pixmond
