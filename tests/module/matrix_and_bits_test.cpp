// The byte matrix, the bit vector and the QR code record.
#include <gtest/gtest.h>

#include "pixmond/byte_matrix.h"
#include "pixmond/qr_code.h"
#include "support/failure_of.h"
#include "symbol/bit_vector.h"

using namespace pixmond;
using testsupport::FailureOf;
using testsupport::Record;

TEST(ByteMatrix, InitGetSetAndClear) {
    ByteMatrix m(21, 21);
    EXPECT_EQ(m.GetWidth(), 21);
    EXPECT_EQ(m.GetHeight(), 21);
    for (std::uint8_t c : m.Data()) ASSERT_EQ(c, 0);

    ByteMatrix r(3, 2);  // 2 rows of 3 columns
    r.Set(2, 1, 1);
    EXPECT_EQ(r.Get(2, 1), 1);
    EXPECT_EQ(r.GetCells().cells, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 1}));
    r.Set(0, 0, 511);
    EXPECT_EQ(r.Get(0, 0), 255);
    r.Set(1, 0, -1);
    EXPECT_EQ(r.Get(1, 0), 255);
    r.Clear(255);
    for (std::uint8_t c : r.Data()) EXPECT_EQ(c, 255);
    r.Clear();
    for (std::uint8_t c : r.Data()) EXPECT_EQ(c, 0);
}

TEST(ByteMatrix, CellsAreCopiesBothWays) {
    ByteMatrix m(3, 2);
    auto cells = m.GetCells();
    cells.at(0, 0) = 1;
    EXPECT_EQ(m.Get(0, 0), 0);
    m.SetCells(Table2D<std::uint8_t>{1, 2, {1, 1}});  // a smaller table fills the top-left corner
    EXPECT_EQ(m.GetCells().cells, (std::vector<std::uint8_t>{1, 1, 0, 0, 0, 0}));
    ByteMatrix copy = m;
    m.Clear(7);
    EXPECT_EQ(copy.Get(0, 0), 1);
}

TEST(ByteMatrix, SetCellsWithoutRowsOrColumnsIsNotAMatrix) {
    ByteMatrix m(3, 2);
    for (const Table2D<std::uint8_t>& t : {Table2D<std::uint8_t>{0, 3, {}}, Table2D<std::uint8_t>{3, 0, {}}})
        EXPECT_EQ(FailureOf([&] { m.SetCells(t); }), Record("字节矩阵类", "置字节矩阵()", "不是矩阵"));
}

TEST(BitVector, NewVectorIsEmptyWithThirtyTwoBytes) {
    BitVector v;
    EXPECT_EQ(v.Size(), 0);
    EXPECT_EQ(v.SizeInBytes(), 0);
    EXPECT_EQ(v.ToBytes(), std::vector<std::uint8_t>(32, 0));
    EXPECT_EQ(v.ToText(), "");
}

TEST(BitVector, AppendsMostSignificantFirst) {
    BitVector v;
    v.AppendBits(5, 3);
    v.AppendBits(1, 1);
    EXPECT_EQ(v.ToText(), "1,0,1,1");
    EXPECT_EQ(v.ToBytes()[0], 176);

    BitVector w;
    w.AppendBits(0x5412, 15);
    EXPECT_EQ(w.ToBytes()[0], 0xA8);
    EXPECT_EQ(w.ToBytes()[1], 0x24);
    EXPECT_EQ(w.SizeInBytes(), 2);
    w.AppendBit(1);
    EXPECT_EQ(w.SizeInBytes(), 2);
    w.AppendBit(0);
    EXPECT_EQ(w.SizeInBytes(), 3);

    BitVector x;
    x.AppendBits(-1, 32);
    x.AppendBits(0x1234, 33);
    x.AppendBits(0x1234, -1);
    EXPECT_EQ(x.Size(), 32);
    EXPECT_EQ(x.ToBytes()[3], 0xFF);
}

TEST(BitVector, MatchesBitByBitAppendingOnSeededInput) {
    const unsigned seed = 20261211;
    std::srand(seed);
    BitVector fast, slow;
    for (int i = 0; i < 2000; ++i) {
        const std::int32_t n = std::rand() % 33;
        const auto value = static_cast<std::int32_t>(std::rand() * 65599u + std::rand());
        fast.AppendBits(value, n);
        for (std::int32_t k = n - 1; k >= 0; --k) slow.AppendBit((static_cast<std::uint32_t>(value) >> k) & 1);
    }
    ASSERT_EQ(fast.Size(), slow.Size()) << "seed " << seed;
    EXPECT_EQ(fast.ToBytes(), slow.ToBytes()) << "seed " << seed;
}

TEST(BitVector, StorageDoublesWhenFull) {
    BitVector v;
    for (int i = 0; i < 256; ++i) v.AppendBit(1);
    EXPECT_EQ(v.ToBytes().size(), 32u);
    v.AppendBit(1);
    EXPECT_EQ(v.ToBytes().size(), 64u);
    v.Clear();
    EXPECT_EQ(v.Size(), 0);
    EXPECT_EQ(v.ToBytes(), std::vector<std::uint8_t>(32, 0));
}

TEST(BitVector, Failures) {
    BitVector v;
    v.AppendBits(3, 2);
    EXPECT_EQ(FailureOf([&] { v.GetBit(2); }), Record("位向量类", "取位值", "索引超限"));
    EXPECT_EQ(FailureOf([&] { v.GetBit(-1); }), Record("位向量类", "取位值", "索引超限"));
    EXPECT_EQ(FailureOf([&] { v.AppendBit(2); }), Record("位向量类", "追加位", "位数据只能是0或1"));
    BitVector a, b;
    a.AppendBits(0, 15);
    b.AppendBits(0, 14);
    BitVectorSub sub;
    sub.SetInner(a);
    EXPECT_EQ(FailureOf([&] { sub.XorWith(b); }),
              Record("位向量子类", "异或", "两个位向量长度不同，不能做异或运算。"));
}

TEST(BitVectorSub, AppendsVectorsAndXorsWholeBytes) {
    BitVector a, b;
    a.AppendBits(0b1010, 4);
    b.AppendBits(0b0110, 4);
    BitVectorSub sub;
    sub.SetInner(a);
    const BitVector x = sub.XorWith(b);
    EXPECT_EQ(x.ToText(), "1,1,0,0");
    sub.AppendVector(b);
    EXPECT_EQ(sub.GetInner().ToText(), "1,1,0,0,0,1,1,0");
}

TEST(QrCodeRecord, ValidOnlyWithEveryIntegerSet) {
    QrCode r;
    EXPECT_FALSE(r.IsValid());
    r.SetVersion(99);
    r.SetDimension(1);
    r.SetTotalCodewords(1);
    r.SetDataCodewords(1);
    r.SetEcCodewords(1);
    r.SetBlockCount(1);
    EXPECT_FALSE(r.IsValid());  // mask still −1
    r.SetMaskPattern(0);
    EXPECT_TRUE(r.IsValid());   // no range checks
    r.ResetFields();
    EXPECT_FALSE(r.IsValid());
    EXPECT_EQ(r.GetVersion(), -1);
    EXPECT_TRUE(QrCode::IsValidMaskPattern(0));
    EXPECT_TRUE(QrCode::IsValidMaskPattern(7));
    EXPECT_FALSE(QrCode::IsValidMaskPattern(-1));
    EXPECT_FALSE(QrCode::IsValidMaskPattern(8));
}

TEST(QrCodeRecord, MatrixValueMustBeLightOrDark) {
    QrCode r;
    ByteMatrix m(2, 1);
    m.Set(0, 0, 1);
    m.Set(1, 0, 255);
    r.SetMatrix(m);
    EXPECT_EQ(r.GetMatrixValue(0, 0), 1);
    EXPECT_EQ(FailureOf([&] { r.GetMatrixValue(1, 0); }), Record("二维码类", "矩阵取值", "值异常，当前值为：255"));
}
