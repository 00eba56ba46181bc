#include <array>
#include <string>

#include "pixmond/failure.h"
#include "symbol/matrix_apply.h"

namespace pixmond {
namespace {

template <std::size_t R, std::size_t C>
Table2D<std::int32_t> ToTable(const std::array<std::array<std::int32_t, C>, R>& a) {
    Table2D<std::int32_t> t{static_cast<std::int32_t>(R), static_cast<std::int32_t>(C), {}};
    t.cells.reserve(R * C);
    for (const auto& row : a) t.cells.insert(t.cells.end(), row.begin(), row.end());
    return t;
}

// Position detection pattern (ISO/IEC 18004, 6.3.3, figure 10).
constexpr std::array<std::array<std::int32_t, 7>, 7> kFinder = {{
    {1, 1, 1, 1, 1, 1, 1},
    {1, 0, 0, 0, 0, 0, 1},
    {1, 0, 1, 1, 1, 0, 1},
    {1, 0, 1, 1, 1, 0, 1},
    {1, 0, 1, 1, 1, 0, 1},
    {1, 0, 0, 0, 0, 0, 1},
    {1, 1, 1, 1, 1, 1, 1},
}};
// Separators (6.3.4): one light module around each finder, on the sides facing the symbol.
constexpr std::array<std::array<std::int32_t, 8>, 1> kHorizontalSeparator = {{{0, 0, 0, 0, 0, 0, 0, 0}}};
constexpr std::array<std::array<std::int32_t, 1>, 7> kVerticalSeparator = {{{0}, {0}, {0}, {0}, {0}, {0}, {0}}};
// Alignment pattern (6.3.6, figure 11).
constexpr std::array<std::array<std::int32_t, 5>, 5> kAlignment = {{
    {1, 1, 1, 1, 1},
    {1, 0, 0, 0, 1},
    {1, 0, 1, 0, 1},
    {1, 0, 0, 0, 1},
    {1, 1, 1, 1, 1},
}};
// Row and column coordinates of the alignment pattern centres by version, filled up with -1
// (ISO/IEC 18004, annex E, table E.1).
constexpr std::array<std::array<std::int32_t, 7>, 40> kAlignmentCentres = {{
    {-1, -1, -1, -1, -1, -1, -1},    {6, 18, -1, -1, -1, -1, -1},     {6, 22, -1, -1, -1, -1, -1},
    {6, 26, -1, -1, -1, -1, -1},     {6, 30, -1, -1, -1, -1, -1},     {6, 34, -1, -1, -1, -1, -1},
    {6, 22, 38, -1, -1, -1, -1},     {6, 24, 42, -1, -1, -1, -1},     {6, 26, 46, -1, -1, -1, -1},
    {6, 28, 50, -1, -1, -1, -1},     {6, 30, 54, -1, -1, -1, -1},     {6, 32, 58, -1, -1, -1, -1},
    {6, 34, 62, -1, -1, -1, -1},     {6, 26, 46, 66, -1, -1, -1},     {6, 26, 48, 70, -1, -1, -1},
    {6, 26, 50, 74, -1, -1, -1},     {6, 30, 54, 78, -1, -1, -1},     {6, 30, 56, 82, -1, -1, -1},
    {6, 30, 58, 86, -1, -1, -1},     {6, 34, 62, 90, -1, -1, -1},     {6, 28, 50, 72, 94, -1, -1},
    {6, 26, 50, 74, 98, -1, -1},     {6, 30, 54, 78, 102, -1, -1},    {6, 28, 54, 80, 106, -1, -1},
    {6, 32, 58, 84, 110, -1, -1},    {6, 30, 58, 86, 114, -1, -1},    {6, 34, 62, 90, 118, -1, -1},
    {6, 26, 50, 74, 98, 122, -1},    {6, 30, 54, 78, 102, 126, -1},   {6, 26, 52, 78, 104, 130, -1},
    {6, 30, 56, 82, 108, 134, -1},   {6, 34, 60, 86, 112, 138, -1},   {6, 30, 58, 86, 114, 142, -1},
    {6, 34, 62, 90, 118, 146, -1},   {6, 30, 54, 78, 102, 126, 150},  {6, 24, 50, 76, 102, 128, 154},
    {6, 28, 54, 80, 106, 132, 158},  {6, 32, 58, 84, 110, 136, 162},  {6, 26, 54, 82, 110, 138, 166},
    {6, 30, 58, 86, 114, 142, 170},
}};
// Where the 15 format bits go around the top-left finder, least significant bit first
// (6.9.1, figure 25); (8, 6) and (6, 8) belong to the timing lines.
constexpr std::array<std::array<std::int32_t, 2>, 15> kTypeInfoCoordinates = {{
    {8, 0}, {8, 1}, {8, 2}, {8, 3}, {8, 4}, {8, 5}, {8, 7}, {8, 8},
    {7, 8}, {5, 8}, {4, 8}, {3, 8}, {2, 8}, {1, 8}, {0, 8},
}};

bool Is(const Table2D<std::int32_t>& t, std::int32_t rows, std::int32_t cols) { return t.rows == rows && t.cols == cols; }

}  // namespace

const std::string& MatrixApply::ClassName() {
    static const std::string name = "矩阵应用类";
    return name;
}

void MatrixApply::LoadPatternTables() {
    finderPattern_ = ToTable(kFinder);
    horizontalSeparator_ = ToTable(kHorizontalSeparator);
    verticalSeparator_ = ToTable(kVerticalSeparator);
    alignmentPattern_ = ToTable(kAlignment);
    alignmentCentres_ = ToTable(kAlignmentCentres);
    typeInfoCoordinates_ = ToTable(kTypeInfoCoordinates);
}

void MatrixApply::PlaceFunctionPatterns(std::int32_t version, ByteMatrix& matrix) const {
    PlaceFindersAndSeparators(matrix);
    PlaceDarkModule(matrix);
    PlaceAlignmentPatterns(version, matrix);
    PlaceTimingPatterns(matrix);
}

void MatrixApply::PlaceFindersAndSeparators(ByteMatrix& matrix) const {
    const std::int32_t w = matrix.GetWidth();
    const std::int32_t h = matrix.GetHeight();
    const std::int32_t finder = finderPattern_.cols;
    PlaceFinderPattern(0, 0, matrix);
    PlaceFinderPattern(w - finder, 0, matrix);
    PlaceFinderPattern(0, w - finder, matrix);
    const std::int32_t hs = horizontalSeparator_.cols;
    PlaceHorizontalSeparator(0, hs - 1, matrix);
    PlaceHorizontalSeparator(w - hs, hs - 1, matrix);
    PlaceHorizontalSeparator(0, w - hs, matrix);
    const std::int32_t vs = verticalSeparator_.rows;
    PlaceVerticalSeparator(vs, 0, matrix);
    PlaceVerticalSeparator(h - vs - 1, 0, matrix);
    PlaceVerticalSeparator(vs, h - vs, matrix);
}

void MatrixApply::PlaceFinderPattern(std::int32_t x0, std::int32_t y0, ByteMatrix& matrix) const {
    if (!Is(finderPattern_, 7, 7)) Fail(ClassName(), "插入位置探测图", "方位检测标识异常，不是7*7矩阵。");
    for (std::int32_t dy = 0; dy < 7; ++dy)
        for (std::int32_t dx = 0; dx < 7; ++dx) {
            if (!IsEmptyCell(matrix.Get(x0 + dx, y0 + dy)))
                Fail(ClassName(), "插入位置探测图",
                     "方位检测标识异常，当前位置有空值。当前行索引：" + std::to_string(x0 + dx + 1) + "；列索引：" +
                         std::to_string(y0 + dy + 1));
            matrix.Set(x0 + dx, y0 + dy, finderPattern_.at(dy, dx));
        }
}

void MatrixApply::PlaceHorizontalSeparator(std::int32_t x0, std::int32_t y0, ByteMatrix& matrix) const {
    if (!Is(horizontalSeparator_, 1, 8)) Fail(ClassName(), "插入水平分割图", "无效的水平分割图");
    for (std::int32_t dx = 0; dx < 8; ++dx) {
        if (!IsEmptyCell(matrix.Get(x0 + dx, y0)))
            Fail(ClassName(), "插入水平分割图",
                 "矩阵当前操作位数据不为空。i：" + std::to_string(dx + 1) + "；x：" + std::to_string(x0) + "；y：" +
                     std::to_string(y0));
        matrix.Set(x0 + dx, y0, horizontalSeparator_.at(0, dx));
    }
}

void MatrixApply::PlaceVerticalSeparator(std::int32_t x0, std::int32_t y0, ByteMatrix& matrix) const {
    if (!Is(verticalSeparator_, 7, 1)) Fail(ClassName(), "插入垂直分割图", "无效的垂直分割图");
    for (std::int32_t dy = 0; dy < 7; ++dy) {
        if (!IsEmptyCell(matrix.Get(x0, y0 + dy)))
            Fail(ClassName(), "插入垂直分割图",
                 "矩阵当前操作位数据不为空。i：" + std::to_string(dy + 1) + "；x：" + std::to_string(x0) + "；y：" +
                     std::to_string(y0));
        matrix.Set(x0, y0 + dy, verticalSeparator_.at(dy, 0));
    }
}

void MatrixApply::PlaceDarkModule(ByteMatrix& matrix) {
    const std::int32_t h = matrix.GetHeight();
    if (matrix.Get(8, h - 8) == 0) Fail(ClassName(), "左下角插入黑点", "空值");
    matrix.Set(8, h - 8, 1);
}

void MatrixApply::PlaceAlignmentPatterns(std::int32_t version, ByteMatrix& matrix) const {
    if (version < 2) return;
    const std::int32_t row = version - 1;
    for (std::int32_t i = 0; i < alignmentCentres_.cols; ++i) {
        const std::int32_t y = alignmentCentres_.at(row, i);
        for (std::int32_t j = 0; j < alignmentCentres_.cols; ++j) {
            const std::int32_t x = alignmentCentres_.at(row, j);
            if (x != -1 && y != -1 && IsEmptyCell(matrix.Get(x, y))) PlaceAlignmentPattern(x - 2, y - 2, matrix);
        }
    }
}

void MatrixApply::PlaceAlignmentPattern(std::int32_t x0, std::int32_t y0, ByteMatrix& matrix) const {
    if (!Is(alignmentPattern_, 5, 5)) Fail(ClassName(), "插入方位调整标识", "定位探测图矩阵维度不正确");
    for (std::int32_t dy = 0; dy < 5; ++dy)
        for (std::int32_t dx = 0; dx < 5; ++dx) {
            if (!IsEmptyCell(matrix.Get(x0 + dx, y0 + dy))) Fail(ClassName(), "插入方位调整标识", "值为空");
            matrix.Set(x0 + dx, y0 + dy, alignmentPattern_.at(dy, dx));
        }
}

void MatrixApply::PlaceTimingPatterns(ByteMatrix& matrix) {
    const std::int32_t w = matrix.GetWidth();
    for (std::int32_t i = 8; i < w - 8; ++i) {
        const std::int32_t bit = (i + 1) % 2;
        if (!IsValidCell(matrix.Get(i, 6))) Fail(ClassName(), "插入定位基线", "无效值");
        if (IsEmptyCell(matrix.Get(i, 6))) matrix.Set(i, 6, bit);
        if (!IsValidCell(matrix.Get(6, i))) Fail(ClassName(), "插入定位基线", "无效值");
        if (IsEmptyCell(matrix.Get(6, i))) matrix.Set(6, i, bit);
    }
}

}  // namespace pixmond
