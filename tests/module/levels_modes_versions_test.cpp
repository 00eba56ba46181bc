#include <gtest/gtest.h>

#include "pixmond/ec_level.h"
#include "pixmond/failure.h"
#include "pixmond/mode.h"
#include "pixmond/version.h"
#include "support/failure_of.h"

using namespace pixmond;

using testsupport::FailureOf;

TEST(EcLevels, ByIndexGivesLMQHWithTheirIndicatorBits) {
    const struct {
        std::int32_t index;
        const char* name;
        std::int32_t bits;
    } cases[] = {{1, "L", 1}, {2, "M", 0}, {3, "Q", 3}, {4, "H", 2}};
    for (const auto& c : cases) {
        const EcLevel l = GetEcLevelByIndex(c.index);
        EXPECT_EQ(l.GetOrdinal(), c.index);
        EXPECT_EQ(l.GetName(), c.name);
        EXPECT_EQ(l.GetBits(), c.bits);
    }
}

TEST(EcLevels, IndexOutsideOneToFourFailsNamingIt) {
    for (std::int32_t index : {0, 5, -1}) {
        const auto f = FailureOf([&] { GetEcLevelByIndex(index); });
        EXPECT_EQ(f.source, "二维码类");
        EXPECT_EQ(f.method, "取容错级别_按索引");
        EXPECT_EQ(f.message, "索引异常。当前索引：" + std::to_string(index));
    }
}

TEST(EcLevels, CopiesAreIndependentOfTheSet) {
    EcLevel copy = GetEcLevelByIndex(4);
    copy.Init(9, 9, "X");
    std::string name = EcLevels().H.GetName();
    name[0] = 'Z';
    EXPECT_EQ(EcLevels().H, EcLevel(4, 2, "H"));
    EXPECT_EQ(GetEcLevelByIndex(4).GetName(), "H");
}

TEST(Modes, CountWidthsChangeAtVersionsTenAndTwentySeven) {
    const ModeSet& m = Modes();
    const struct {
        const Mode* mode;
        std::int32_t version, bits;
    } cases[] = {{&m.numeric, 9, 10},      {&m.numeric, 10, 12},      {&m.numeric, 26, 12}, {&m.numeric, 27, 14},
                 {&m.alphanumeric, 1, 9},  {&m.alphanumeric, 10, 11}, {&m.alphanumeric, 40, 13},
                 {&m.byte, 1, 8},          {&m.byte, 9, 8},           {&m.byte, 10, 16},    {&m.byte, 40, 16}};
    for (const auto& c : cases) EXPECT_EQ(c.mode->GetCharacterCountBits(c.version), c.bits) << c.mode->Name() << c.version;
    EXPECT_EQ(m.numeric.GetName(), "数字");
    EXPECT_EQ(m.alphanumeric.GetName(), "字母数字");
    EXPECT_EQ(m.byte.GetName(), "字节");
}

TEST(Modes, ForBitsKnowsOneTwoFourAndGivesEmptyOtherwise) {
    EXPECT_EQ(ModeForBits(4).GetName(), "字节");
    EXPECT_EQ(ModeForBits(4).GetIndicator(), 4);
    EXPECT_EQ(ModeForBits(1), Modes().numeric);
    EXPECT_EQ(ModeForBits(2), Modes().alphanumeric);
    const Mode empty = ModeForBits(8);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetIndicator(), 0);
    EXPECT_EQ(empty.GetName(), "");
}

TEST(Versions, BlockStructuresOfTheStandard) {
    const EcLevelSet& l = EcLevels();
    const struct {
        std::int32_t version;
        const EcLevel* level;
        std::int32_t total, ecPerBlock, blocks, data;
    } cases[] = {
        {1, &l.L, 26, 7, 1, 19},      {1, &l.M, 26, 10, 1, 16},     {1, &l.Q, 26, 13, 1, 13},
        {1, &l.H, 26, 17, 1, 9},      {5, &l.Q, 134, 18, 4, 62},    {5, &l.H, 134, 22, 4, 46},
        {7, &l.H, 196, 26, 5, 66},    {40, &l.L, 3706, 30, 25, 2956}, {40, &l.M, 3706, 28, 49, 2334},
        {40, &l.Q, 3706, 30, 68, 1666}, {40, &l.H, 3706, 30, 81, 1276},
    };
    for (const auto& c : cases) {
        const Version& v = GetVersionByNumber(c.version);
        const EcBlocks& b = v.GetEcBlocksForLevel(*c.level);
        EXPECT_EQ(v.GetTotalCodewords(), c.total);
        EXPECT_EQ(b.GetEcCodewordsPerBlock(), c.ecPerBlock);
        EXPECT_EQ(b.GetNumBlocks(), c.blocks);
        EXPECT_EQ(v.GetTotalCodewords() - b.GetTotalEcCodewords(), c.data) << c.version << c.level->GetName();
    }
    const EcBlocks& v7h = GetVersionByNumber(7).GetEcBlocksForLevel(l.H);
    EXPECT_EQ(v7h.groups[0].GetCount(), 4);
    EXPECT_EQ(v7h.groups[0].GetDataCodewords(), 13);
    EXPECT_EQ(v7h.groups[1].GetCount(), 1);
    EXPECT_EQ(v7h.groups[1].GetDataCodewords(), 14);
    EXPECT_EQ(GetVersionByNumber(40).GetDimension(), 177);
    EXPECT_EQ(GetVersionByNumber(12).ToText(), "12");
}

TEST(Versions, LookupByDimensionAndItsFailures) {
    EXPECT_EQ(GetVersionByDimension(21).GetNumber(), 1);
    EXPECT_EQ(GetVersionByDimension(177).GetNumber(), 40);
    const struct {
        std::int32_t dimension;
        const char* method;
        std::string message;
    } cases[] = {
        {20, "取版本_通过维长度", "维长度不为4的位数加1。当前维数：20"},
        {17, "取版本_通过版本号", "版本号不在0到40之间。当前版本号：0"},
        {181, "取版本_通过版本号", "版本号不在0到40之间。当前版本号：41"},
    };
    for (const auto& c : cases) {
        const auto f = FailureOf([&] { GetVersionByDimension(c.dimension); });
        EXPECT_EQ(f.source, "二维码类");
        EXPECT_EQ(f.method, c.method);
        EXPECT_EQ(f.message, c.message);
    }
    EXPECT_EQ(FailureOf([] { GetVersionByNumber(41); }).message, "版本号不在0到40之间。当前版本号：41");
}
