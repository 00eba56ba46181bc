#include "pixmond/failure.h"
#include "pixmond/qr_code.h"
#include "symbol/matrix_apply.h"

namespace pixmond {

static_assert(MatrixApply::BitLength(0) == 0 && MatrixApply::BitLength(1) == 1);
static_assert(MatrixApply::BitLength(MatrixApply::kTypeInfoGenerator) == 11);
static_assert(MatrixApply::BitLength(MatrixApply::kVersionInfoGenerator) == 13);
static_assert(MatrixApply::BchRemainder(7, MatrixApply::kVersionInfoGenerator) == 0xC94);

void MatrixApply::BuildTypeInfoBits(const EcLevel& level, std::int32_t mask, BitVector& bits) {
    if (!QrCode::IsValidMaskPattern(mask)) Fail(ClassName(), "标记类型信息位", "掩图无效");
    const std::int32_t t = (level.GetBits() << 3) | mask;
    bits.AppendBits(t, 5);
    bits.AppendBits(BchRemainder(t, kTypeInfoGenerator), 10);
    BitVector maskBits;
    maskBits.AppendBits(kTypeInfoMask, 15);
    BitVectorSub sub;
    sub.SetInner(bits);
    bits = sub.XorWith(maskBits);
    if (bits.Size() != 15) Fail(ClassName(), "标记类型信息位", "位向量长度不对。");
}

void MatrixApply::PlaceTypeInfo(const EcLevel& level, std::int32_t mask, ByteMatrix& matrix) const {
    const std::int32_t w = matrix.GetWidth();
    const std::int32_t h = matrix.GetHeight();
    BitVector bits;
    BuildTypeInfoBits(level, mask, bits);
    for (std::int32_t i = 0; i < 15; ++i) {
        const std::int32_t bit = bits.GetBit(14 - i);
        matrix.Set(typeInfoCoordinates_.at(i, 0), typeInfoCoordinates_.at(i, 1), bit);
        if (i < 8)
            matrix.Set(w - 1 - i, 8, bit);
        else
            matrix.Set(8, h - 7 + (i - 8), bit);
    }
}

void MatrixApply::BuildVersionInfoBits(std::int32_t version, BitVector& bits) {
    bits.AppendBits(version, 6);
    bits.AppendBits(BchRemainder(version, kVersionInfoGenerator), 12);
    if (bits.Size() != 18) Fail(ClassName(), "标记版本信息位", "版本信息不为18位");
}

void MatrixApply::PlaceVersionInfo(std::int32_t version, ByteMatrix& matrix) {
    if (version < 7) return;
    const std::int32_t h = matrix.GetHeight();
    BitVector bits;
    BuildVersionInfoBits(version, bits);
    std::int32_t k = 17;
    for (std::int32_t i = 0; i < 6; ++i)
        for (std::int32_t j = 0; j < 3; ++j) {
            const std::int32_t bit = bits.GetBit(k--);
            matrix.Set(i, h - 11 + j, bit);
            matrix.Set(h - 11 + j, i, bit);
        }
}

}  // namespace pixmond
