#pragma once
// A grid of bytes: height rows of width columns. Cell (x, y) is row y, column x, both from 0.
// In a symbol: 0 light, 1 dark, 255 empty (not yet laid).

#include <cstdint>
#include <string>
#include <vector>

namespace pixmond {

// A two-dimensional table handed between routines: rows × cols cells, row by row.
template <class T>
struct Table2D {
    std::int32_t rows = 0;
    std::int32_t cols = 0;
    std::vector<T> cells;

    T& at(std::int32_t row, std::int32_t col) { return cells[static_cast<std::size_t>(row) * cols + col]; }
    const T& at(std::int32_t row, std::int32_t col) const {
        return cells[static_cast<std::size_t>(row) * cols + col];
    }
    friend bool operator==(const Table2D&, const Table2D&) = default;
};

class ByteMatrix {
public:
    static constexpr std::uint8_t kLight = 0;
    static constexpr std::uint8_t kDark = 1;
    static constexpr std::uint8_t kEmpty = 255;

    // A new matrix has width 0 and height 0.
    ByteMatrix() = default;
    ByteMatrix(std::int32_t width, std::int32_t height) { Init(width, height); }

    std::int32_t GetHeight() const noexcept { return height_; }
    std::int32_t GetWidth() const noexcept { return width_; }
    // A copy of the cells (height rows of width columns).
    Table2D<std::uint8_t> GetCells() const;
    // Copies cells[i][j] into cell (j, i) for every cell of the argument; the matrix keeps its
    // size. Precondition (not checked): the argument is no larger than the matrix. Fails with
    // source "字节矩阵类", method "置字节矩阵()", message "不是矩阵" when it has no rows or columns.
    void SetCells(const Table2D<std::uint8_t>& cells);
    // New cells, all 0. Precondition (not checked): width and height at least 1.
    void Init(std::int32_t width, std::int32_t height);
    // Preconditions (not checked): 0 <= x < width, 0 <= y < height.
    std::uint8_t Get(std::int32_t x, std::int32_t y) const noexcept {
        return cells_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    }
    // Stores the low 8 bits of value.
    void Set(std::int32_t x, std::int32_t y, std::int32_t value) noexcept {
        cells_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
            static_cast<std::uint8_t>(value & 0xFF);
    }
    // Every cell := the low 8 bits of value.
    void Clear(std::int32_t value = 0) noexcept;

    // Row-major view of the cells, for readers that walk them in bulk.
    const std::uint8_t* Row(std::int32_t y) const noexcept {
        return cells_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    std::uint8_t* Row(std::int32_t y) noexcept {
        return cells_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    const std::vector<std::uint8_t>& Data() const noexcept { return cells_; }

    friend bool operator==(const ByteMatrix&, const ByteMatrix&) = default;

    static const std::string& ClassName();  // "字节矩阵类"

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::uint8_t> cells_;
};

}  // namespace pixmond
