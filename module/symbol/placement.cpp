#include "pixmond/failure.h"
#include "symbol/mask.h"
#include "symbol/matrix_apply.h"

namespace pixmond {

void MatrixApply::BuildSymbol(const BitVector& dataBits, const EcLevel& level, std::int32_t version,
                              std::int32_t mask, ByteMatrix& matrix) const {
    ResetCells(matrix);
    PlaceFunctionPatterns(version, matrix);
    PlaceTypeInfo(level, mask, matrix);
    PlaceVersionInfo(version, matrix);
    PlaceDataBits(dataBits, mask, matrix);
}

void MatrixApply::PlaceDataBits(const BitVector& dataBits, std::int32_t mask, ByteMatrix& matrix) {
    const std::int32_t w = matrix.GetWidth();
    const std::int32_t h = matrix.GetHeight();
    const std::int32_t size = dataBits.Size();
    std::int32_t index = 0;
    std::int32_t direction = -1;
    std::int32_t x = w - 1;
    std::int32_t y = h - 1;
    while (x > 0) {
        if (x == 6) x = 5;  // the vertical timing line
        while (y >= 0 && y < h) {
            for (std::int32_t cx : {x, x - 1}) {
                if (!IsEmptyCell(matrix.Get(cx, y))) continue;
                std::int32_t bit = 0;
                if (index < size) bit = dataBits.GetBit(index++);
                if (mask != -1 && MaskHelper::DataMaskBit(mask, cx, y)) bit ^= 1;
                matrix.Set(cx, y, bit);
            }
            y += direction;
        }
        direction = -direction;
        y += direction;
        x -= 2;
    }
    if (index != size)
        Fail(ClassName(), "插入数据信息位",
             "数据位未被全部填充，n：" + std::to_string(index) + "；位向量大小：" + std::to_string(size));
}

}  // namespace pixmond
