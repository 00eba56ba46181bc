// Symbol layout (function patterns, format and version information, data placement) and the
// masks with their penalty rules, including the packed-bit rules against the plain ones.
#include <gtest/gtest.h>

#include <random>

#include "codewords/encoder.h"
#include "pixmond/version.h"
#include "support/failure_of.h"
#include "symbol/fast_builder.h"
#include "symbol/mask.h"
#include "symbol/matrix_apply.h"
#include "symbol/packed_penalty.h"

using namespace pixmond;
using testsupport::FailureOf;
using testsupport::Record;

namespace {
ByteMatrix Patterns(std::int32_t version) {
    ByteMatrix m(17 + 4 * version, 17 + 4 * version);
    MatrixApply::ResetCells(m);
    MatrixApply().PlaceFunctionPatterns(version, m);
    return m;
}
std::string BitsOf(const BitVector& v) {
    std::string s;
    for (std::int32_t i = 0; i < v.Size(); ++i) s += v.GetBit(i) ? '1' : '0';
    return s;
}
// Counts the 5 × 5 alignment patterns by their dark centres with a light ring around them.
int AlignmentCount(const ByteMatrix& m) {
    int n = 0;
    for (std::int32_t y = 2; y + 2 < m.GetHeight(); ++y)
        for (std::int32_t x = 2; x + 2 < m.GetWidth(); ++x) {
            bool ok = m.Get(x, y) == 1;
            for (std::int32_t d = -1; d <= 1 && ok; ++d)
                for (std::int32_t e = -1; e <= 1 && ok; ++e)
                    if ((d || e) && m.Get(x + d, y + e) != 0) ok = false;
            for (std::int32_t k = -2; k <= 2 && ok; ++k)
                ok = m.Get(x + k, y - 2) == 1 && m.Get(x + k, y + 2) == 1 && m.Get(x - 2, y + k) == 1 && m.Get(x + 2, y + k) == 1;
            n += ok;
        }
    return n;
}
}  // namespace

TEST(FunctionPatterns, VersionOne) {
    const ByteMatrix m = Patterns(1);
    for (std::int32_t i = 8; i <= 12; ++i) {
        EXPECT_EQ(m.Get(i, 6), i % 2 == 0 ? 1 : 0);
        EXPECT_EQ(m.Get(6, i), i % 2 == 0 ? 1 : 0);
    }
    EXPECT_EQ(m.Get(8, 13), 1);  // the dark module
    EXPECT_EQ(m.Get(7, 7), 0);
    EXPECT_EQ(m.Get(13, 7), 0);
    EXPECT_EQ(m.Get(7, 13), 0);
    EXPECT_EQ(AlignmentCount(m), 0);
}

TEST(FunctionPatterns, AlignmentPatternsByVersion) {
    EXPECT_EQ(AlignmentCount(Patterns(2)), 1);
    const ByteMatrix v2 = Patterns(2);
    EXPECT_EQ(v2.Get(18, 18), 1);
    EXPECT_EQ(v2.Get(16, 16), 1);
    EXPECT_EQ(v2.Get(17, 17), 0);
    EXPECT_EQ(v2.Get(20, 20), 1);

    const ByteMatrix v7 = Patterns(7);
    EXPECT_EQ(AlignmentCount(v7), 6);
    // The pattern at (22, 6) lies across the row-6 timing line and keeps its own cells there.
    EXPECT_EQ(v7.Get(21, 6), 0);
    EXPECT_EQ(v7.Get(23, 6), 0);
    EXPECT_EQ(AlignmentCount(Patterns(40)), 46);
}

TEST(FunctionPatterns, FinderRingsSeparatorsAndRepeatedBuilds) {
    for (std::int32_t version : {1, 6, 21, 40}) {
        ByteMatrix m = Patterns(version);
        const std::int32_t w = m.GetWidth();
        for (const auto& [x0, y0] : {std::pair{0, 0}, std::pair{w - 7, 0}, std::pair{0, w - 7}}) {
            for (std::int32_t k = 0; k < 7; ++k) {
                EXPECT_EQ(m.Get(x0 + k, y0), 1);
                EXPECT_EQ(m.Get(x0, y0 + k), 1);
                EXPECT_EQ(m.Get(x0 + 6, y0 + k), 1);
            }
            EXPECT_EQ(m.Get(x0 + 3, y0 + 3), 1);
            EXPECT_EQ(m.Get(x0 + 1, y0 + 1), 0);
        }
        for (std::int32_t k = 0; k < 8; ++k) {
            EXPECT_EQ(m.Get(k, 7), 0);
            EXPECT_EQ(m.Get(w - 1 - k, 7), 0);
            EXPECT_EQ(m.Get(k, w - 8), 0);
        }
        const ByteMatrix first = m;
        MatrixApply::ResetCells(m);
        MatrixApply().PlaceFunctionPatterns(version, m);
        EXPECT_EQ(m, first);
    }
}

TEST(FunctionPatterns, PlacingOnTakenCellsFails) {
    ByteMatrix m = Patterns(1);
    const MatrixApply a;
    EXPECT_EQ(FailureOf([&] { a.PlaceFinderPattern(0, 0, m); }),
              Record("矩阵应用类", "插入位置探测图", "方位检测标识异常，当前位置有空值。当前行索引：1；列索引：1"));
    EXPECT_EQ(FailureOf([&] { a.PlaceHorizontalSeparator(0, 7, m); }),
              Record("矩阵应用类", "插入水平分割图", "矩阵当前操作位数据不为空。i：1；x：0；y：7"));
    EXPECT_EQ(FailureOf([&] { a.PlaceVerticalSeparator(7, 0, m); }),
              Record("矩阵应用类", "插入垂直分割图", "矩阵当前操作位数据不为空。i：1；x：7；y：0"));
    EXPECT_EQ(FailureOf([&] { a.PlaceAlignmentPattern(0, 0, m); }), Record("矩阵应用类", "插入方位调整标识", "值为空"));
    m.Set(8, 13, 0);
    EXPECT_EQ(FailureOf([&] { MatrixApply::PlaceDarkModule(m); }), Record("矩阵应用类", "左下角插入黑点", "空值"));
    m.Set(9, 6, 7);
    EXPECT_EQ(FailureOf([&] { MatrixApply::PlaceTimingPatterns(m); }), Record("矩阵应用类", "插入定位基线", "无效值"));
}

TEST(FormatInformation, BitsOfTheStandard) {
    const struct {
        const EcLevel* level;
        std::int32_t mask;
        const char* bits;
    } cases[] = {
        {&EcLevels().M, 0, "101010000010010"},
        {&EcLevels().L, 0, "111011111000100"},
        {&EcLevels().H, 0, "001011010001001"},
        {&EcLevels().H, 7, "000100000111011"},
    };
    for (const auto& c : cases) {
        BitVector v;
        MatrixApply::BuildTypeInfoBits(*c.level, c.mask, v);
        EXPECT_EQ(BitsOf(v), c.bits);
    }
    BitVector v;
    EXPECT_EQ(FailureOf([&] { MatrixApply::BuildTypeInfoBits(EcLevels().L, 8, v); }), Record("矩阵应用类", "标记类型信息位", "掩图无效"));
    BitVector notEmpty;
    notEmpty.AppendBit(1);
    EXPECT_EQ(FailureOf([&] { MatrixApply::BuildTypeInfoBits(EcLevels().L, 0, notEmpty); }).method, "异或");
}

TEST(FormatInformation, PlacedAroundTheFinders) {
    ByteMatrix m = Patterns(2);
    MatrixApply().PlaceTypeInfo(EcLevels().L, 0, m);  // 111011111000100
    const std::int32_t h = m.GetHeight();
    EXPECT_EQ(m.Get(8, 0), 0);  // least significant bit
    EXPECT_EQ(m.Get(0, 8), 1);  // most significant bit
    EXPECT_EQ(m.Get(8, h - 1), 1);
    EXPECT_EQ(m.Get(h - 1, 8), 0);
}

TEST(VersionInformation, BitsAndPlacement) {
    EXPECT_EQ(MatrixApply::BchRemainder(7, MatrixApply::kVersionInfoGenerator), 0xC94);
    BitVector v;
    MatrixApply::BuildVersionInfoBits(7, v);
    EXPECT_EQ(BitsOf(v), "000111110010010100");
    ByteMatrix m = Patterns(7);
    MatrixApply::PlaceVersionInfo(7, m);
    EXPECT_EQ(m.Get(0, 34), 0);
    EXPECT_EQ(m.Get(0, 35), 0);
    EXPECT_EQ(m.Get(0, 36), 1);
    EXPECT_EQ(m.Get(34, 0), 0);
    EXPECT_EQ(m.Get(36, 0), 1);

    ByteMatrix six = Patterns(6);
    const ByteMatrix before = six;
    MatrixApply::PlaceVersionInfo(6, six);
    EXPECT_EQ(six, before);
    // The version information of every version from 7 is a BCH (18, 6) code word: its
    // remainder by the generator is 0.
    for (std::int32_t version = 7; version <= 40; ++version) {
        const std::int32_t word = (version << 12) | MatrixApply::BchRemainder(version, MatrixApply::kVersionInfoGenerator);
        EXPECT_EQ(MatrixApply::BchRemainder(word, MatrixApply::kVersionInfoGenerator) , 0) << version;
    }
}

TEST(DataPlacement, FillsExactlyTheDataRegion) {
    for (std::int32_t version : {1, 2, 7, 14, 21, 28, 35, 40}) {
        const Version& info = GetVersionByNumber(version);
        ByteMatrix m = Patterns(version);
        MatrixApply().PlaceTypeInfo(EcLevels().M, 0, m);
        MatrixApply::PlaceVersionInfo(version, m);
        std::int32_t empty = 0;
        for (std::uint8_t c : m.Data()) empty += c == ByteMatrix::kEmpty;
        const std::int32_t remainder = empty - 8 * info.GetTotalCodewords();
        const std::int32_t want = version == 1 ? 0 : version <= 6 ? 7 : version <= 13 ? 0 : version <= 20 ? 3 : version <= 27 ? 4 : version <= 34 ? 3 : 0;
        EXPECT_EQ(remainder, want) << version;
        BitVector zeros;
        for (std::int32_t i = 0; i < info.GetTotalCodewords(); ++i) zeros.AppendBits(0, 8);
        MatrixApply::PlaceDataBits(zeros, -1, m);
        for (std::uint8_t c : m.Data()) ASSERT_NE(c, ByteMatrix::kEmpty);
    }
}

TEST(DataPlacement, ZigZagOrderAndRemainderCells) {
    ByteMatrix m = Patterns(2);
    MatrixApply().PlaceTypeInfo(EcLevels().M, 0, m);
    BitVector bits;
    bits.AppendBits(0b101, 3);
    for (int i = 0; i < 349; ++i) bits.AppendBit(0);  // 352 bits: 44 code words
    MatrixApply::PlaceDataBits(bits, -1, m);
    EXPECT_EQ(m.Get(24, 24), 1);
    EXPECT_EQ(m.Get(23, 24), 0);
    EXPECT_EQ(m.Get(24, 23), 1);

    // The 7 remainder cells end up holding the mask's value.
    ByteMatrix masked = Patterns(2);
    MatrixApply().PlaceTypeInfo(EcLevels().M, 1, masked);
    BitVector none;
    for (int i = 0; i < 352; ++i) none.AppendBit(0);
    MatrixApply::PlaceDataBits(none, 1, masked);
    for (std::int32_t x = 0; x < 25; ++x) EXPECT_EQ(masked.Get(x, 9), 0);  // row 9: no inversion, data only
    for (std::int32_t x = 9; x < 17; ++x) EXPECT_EQ(masked.Get(x, 10), 1);

    ByteMatrix v1 = Patterns(1);
    MatrixApply().PlaceTypeInfo(EcLevels().M, 0, v1);
    BitVector tooMany;
    for (int i = 0; i < 209; ++i) tooMany.AppendBit(0);
    EXPECT_EQ(FailureOf([&] { MatrixApply::PlaceDataBits(tooMany, -1, v1); }),
              Record("矩阵应用类", "插入数据信息位", "数据位未被全部填充，n：208；位向量大小：209"));
}

TEST(Masks, ConditionsOfTheStandard) {
    const struct {
        std::int32_t mask, x, y;
        bool inverted;
    } cases[] = {
        {0, 0, 0, true}, {0, 1, 0, false}, {1, 5, 0, true}, {1, 5, 1, false}, {1, 5, 2, true},
        {2, 0, 4, true}, {2, 3, 4, true},  {2, 1, 4, false}, {4, 0, 0, true}, {4, 3, 0, false},
        {4, 0, 2, false}, {4, 3, 2, true}, {5, 9, 0, true},  {5, 0, 9, true}, {5, 1, 1, false},
        {6, 1, 1, true}, {7, 1, 1, false}, {3, 1, 2, true},  {3, 1, 1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(MaskHelper::DataMaskBit(c.mask, c.x, c.y), c.inverted) << c.mask << " " << c.x << "," << c.y;
    EXPECT_EQ(FailureOf([] { MaskHelper::DataMaskBit(8, 0, 0); }), Record("掩码辅助类", "取数据掩码位", "掩图无效。"));
}

namespace {
ByteMatrix RowOf(std::initializer_list<int> cells) {
    ByteMatrix m(static_cast<std::int32_t>(cells.size()), 1);
    std::int32_t x = 0;
    for (int c : cells) m.Set(x++, 0, c);
    return m;
}
}  // namespace

TEST(Penalties, RulesOnSmallFixtures) {
    EXPECT_EQ(MaskHelper::PenaltyRunsInDirection(RowOf({1, 1, 1, 1, 1, 1, 1, 0}), true), 5);
    EXPECT_EQ(MaskHelper::PenaltyRunsInDirection(RowOf({0, 1, 1, 1, 1, 1, 0}), true), 3);
    EXPECT_EQ(MaskHelper::PenaltyRunsInDirection(RowOf({0, 1, 1, 1, 1, 0}), true), 0);
    ByteMatrix wrap(6, 2);  // four at the end of a row, four at the start of the next
    for (std::int32_t x = 0; x < 6; ++x) {
        wrap.Set(x, 0, x >= 2);
        wrap.Set(x, 1, x < 4);
    }
    EXPECT_EQ(MaskHelper::PenaltyRunsInDirection(wrap, true), 0);

    ByteMatrix square(3, 3);
    EXPECT_EQ(MaskHelper::PenaltyBlocks(square), 12);

    EXPECT_EQ(MaskHelper::PenaltyFinderLike(RowOf({0, 0, 0, 0, 1, 0, 1, 1, 1, 0, 1})), 40);
    EXPECT_EQ(MaskHelper::PenaltyFinderLike(RowOf({1, 0, 1, 1, 1, 0, 1, 1, 0, 0, 0, 0})), 0);
    EXPECT_EQ(MaskHelper::PenaltyFinderLike(RowOf({0, 0, 0, 0, 1, 0, 1, 1, 1, 0, 1, 0, 0, 0, 0})), 40);

    ByteMatrix dark(4, 4);
    dark.Clear(1);
    EXPECT_EQ(MaskHelper::PenaltyDarkRatio(dark), 1);
    EXPECT_EQ(MaskHelper::PenaltyDarkRatio(square), 1);
    square.Set(1, 1, 1);
    EXPECT_EQ(MaskHelper::PenaltyDarkRatio(square), 0);
}

TEST(Penalties, PackedRulesEqualThePlainRulesOnSeededMatrices) {
    const unsigned seed = 424242;
    std::mt19937 rng(seed);
    for (int trial = 0; trial < 300; ++trial) {
        const std::int32_t w = 1 + static_cast<std::int32_t>(rng() % kMaxDimension);
        const std::int32_t h = trial % 3 == 0 ? w : 1 + static_cast<std::int32_t>(rng() % kMaxDimension);
        // Sparse, dense and striped fills give long runs and finder-like sequences.
        const unsigned density = rng() % 5;
        ByteMatrix m(w, h);
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                m.Set(x, y, density == 4 ? ((x / (1 + y % 4)) % 2) : (rng() % 4 < density ? 1 : 0));
        auto rows = std::make_unique<PackedLines>();
        auto cols = std::make_unique<PackedLines>();
        std::int32_t dark = 0;
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                if (m.Get(x, y) == 1) {
                    rows->lines[static_cast<std::size_t>(y)].Set(x);
                    cols->lines[static_cast<std::size_t>(x)].Set(y);
                    ++dark;
                }
        const std::string where = "seed " + std::to_string(seed) + " trial " + std::to_string(trial);
        ASSERT_EQ(PackedRunPenalty(*rows, h, w), MaskHelper::PenaltyRunsInDirection(m, true)) << where;
        ASSERT_EQ(PackedRunPenalty(*cols, w, h), MaskHelper::PenaltyRunsInDirection(m, false)) << where;
        ASSERT_EQ(PackedBlockPenalty(*rows, h, w), MaskHelper::PenaltyBlocks(m)) << where;
        ASSERT_EQ(PackedFinderPenalty(*rows, h, w) + PackedFinderPenalty(*cols, w, h), MaskHelper::PenaltyFinderLike(m)) << where;
        ASSERT_EQ(PackedDarkCount(*rows, h), dark) << where;
    }
}

TEST(MaskChoice, EachMaskPenaltyEqualsThePlainBuildAndTiesGoLow) {
    const EcLevel* levels[] = {&EcLevels().L, &EcLevels().M, &EcLevels().Q, &EcLevels().H};
    for (std::int32_t version = 1; version <= 40; ++version) {
        const EcLevel& level = *levels[version % 4];
        const std::int32_t total = GetVersionByNumber(version).GetTotalCodewords();
        std::mt19937 rng(static_cast<unsigned>(version));  // the seed is the version
        BitVector bits;
        std::vector<std::uint8_t> words;
        for (std::int32_t i = 0; i < total; ++i) {
            words.push_back(static_cast<std::uint8_t>(rng()));
            bits.AppendBits(words.back(), 8);
        }
        const auto packed = AllMaskPenalties(words, level, version);
        const MatrixApply apply;
        ByteMatrix m(17 + 4 * version, 17 + 4 * version);
        for (std::int32_t mask = 0; mask < 8; ++mask) {
            apply.BuildSymbol(bits, level, version, mask, m);
            EXPECT_EQ(packed[static_cast<std::size_t>(mask)], MaskHelper::MaskPenalty(m)) << version << " " << mask;
            EXPECT_EQ(MaskHelper::PenaltyDarkRatio(m), 0);
        }
        ByteMatrix fast;
        const MaskChoice choice = BuildBestSymbol(words, level, version, fast);
        const auto lowest = std::min_element(packed.begin(), packed.end());  // the first of equal minima
        EXPECT_EQ(choice.mask, lowest - packed.begin());
        EXPECT_EQ(Encoder::ChooseMaskPattern(bits, level, version, m), choice.mask);
        apply.BuildSymbol(bits, level, version, choice.mask, m);
        EXPECT_EQ(fast, m);
    }
}
