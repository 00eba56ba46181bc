#include "pixmond/byte_matrix.h"

#include <algorithm>

#include "pixmond/failure.h"

namespace pixmond {

const std::string& ByteMatrix::ClassName() {
    static const std::string name = "字节矩阵类";
    return name;
}

Table2D<std::uint8_t> ByteMatrix::GetCells() const { return Table2D<std::uint8_t>{height_, width_, cells_}; }

void ByteMatrix::SetCells(const Table2D<std::uint8_t>& cells) {
    if (cells.rows <= 0 || cells.cols <= 0) Fail(ClassName(), "置字节矩阵()", "不是矩阵");
    for (std::int32_t i = 0; i < cells.rows; ++i)
        std::copy_n(cells.cells.begin() + static_cast<std::ptrdiff_t>(i) * cells.cols, cells.cols, Row(i));
}

void ByteMatrix::Init(std::int32_t width, std::int32_t height) {
    width_ = width;
    height_ = height;
    cells_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

void ByteMatrix::Clear(std::int32_t value) noexcept {
    std::fill(cells_.begin(), cells_.end(), static_cast<std::uint8_t>(value & 0xFF));
}

}  // namespace pixmond
