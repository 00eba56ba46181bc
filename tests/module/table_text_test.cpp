// The parsers of the comma-text tables, and the compiled-in tables checked against their texts.
#include <gtest/gtest.h>

#include "codewords/encoder.h"
#include "front/table_text.h"
#include "symbol/matrix_apply.h"

using namespace pixmond;

TEST(ParseList, ItemsEmptyPiecesAndTrailingDelimiter) {
    struct Case {
        const char* text;
        std::vector<std::int32_t> want;
    };
    const Case cases[] = {
        {"", {}},          {"1", {1}},         {"-1,36", {-1, 36}},
        {"1,,2", {1, 0, 2}}, {"1,2,", {1, 2}}, {"-2147483648,2147483647", {INT32_MIN, INT32_MAX}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseList(c.text, ","), c.want) << c.text;
}

TEST(ParseList, NeverSplitsInsideATwoByteCharacter) {
    // 0x81 0x2C is one character whose second byte happens to be a comma.
    EXPECT_EQ(SplitText("1\x81,,2", ",").size(), 2u);
}

TEST(ParseGrid, ShapesOfTheModuleTables) {
    const auto finder = ParseGrid(
        "1,1,1,1,1,1,1\r\n1,0,0,0,0,0,1\r\n1,0,1,1,1,0,1\r\n1,0,1,1,1,0,1\r\n1,0,1,1,1,0,1\r\n1,0,0,0,0,0,1\r\n1,1,1,1,1,1,1",
        "\r\n", ",");
    EXPECT_EQ(finder.rows, 7);
    EXPECT_EQ(finder.cols, 7);
    EXPECT_EQ(finder.at(1, 1), 0);  // [2][2] counted from 1
    EXPECT_EQ(finder.at(2, 2), 1);  // [3][3]
    const auto vertical = ParseGrid("0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0", "\r\n", ",");
    EXPECT_EQ(vertical.rows, 7);
    EXPECT_EQ(vertical.cols, 1);
    const auto horizontal = ParseGrid("0,0,0,0,0,0,0,0", "\r\n", ",");
    EXPECT_EQ(horizontal.rows, 1);
    EXPECT_EQ(horizontal.cols, 8);
    EXPECT_EQ(ParseGrid("8,0\r\n-1,7", "\r\n", ",").cells, (std::vector<std::int32_t>{8, 0, -1, 7}));
}

TEST(CompiledTables, EqualTheirTextForms) {
    const auto alnum = ParseList(
        "-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,36,-1,-1,-1,37,"
        "38,-1,-1,-1,-1,39,40,-1,41,42,43,0,1,2,3,4,5,6,7,8,9,44,-1,-1,-1,-1,-1,-1,10,11,12,13,14,15,16,17,18,19,20,21,"
        "22,23,24,25,26,27,28,29,30,31,32,33,34,35,-1,-1,-1,-1,-1",
        ",");
    ASSERT_EQ(alnum.size(), 96u);
    for (std::int32_t c = 0; c < 96; ++c) EXPECT_EQ(Encoder::AlphanumericCode(c), alnum[static_cast<std::size_t>(c)]) << c;
    EXPECT_EQ(Encoder::AlphanumericCode(96), -1);
    EXPECT_EQ(Encoder::AlphanumericCode(-1), -1);

    const MatrixApply apply;
    EXPECT_EQ(apply.TypeInfoCoordinates(),
              ParseGrid("8,0\r\n8,1\r\n8,2\r\n8,3\r\n8,4\r\n8,5\r\n8,7\r\n8,8\r\n7,8\r\n5,8\r\n4,8\r\n3,8\r\n2,8\r\n1,8\r\n0,8",
                        "\r\n", ","));
    const auto& centres = apply.AlignmentCentres();
    ASSERT_EQ(centres.rows, 40);
    ASSERT_EQ(centres.cols, 7);
    const auto head = ParseGrid("-1,-1,-1,-1,-1,-1,-1\r\n6,18,-1,-1,-1,-1,-1\r\n6,22,-1,-1,-1,-1,-1", "\r\n", ",");
    const auto tail = ParseGrid("6,26,54,82,110,138,166\r\n6,30,58,86,114,142,170", "\r\n", ",");
    EXPECT_TRUE(std::equal(head.cells.begin(), head.cells.end(), centres.cells.begin()));
    EXPECT_TRUE(std::equal(tail.cells.begin(), tail.cells.end(), centres.cells.end() - 14));
}

TEST(CompiledTables, AlignmentCentresFollowTheSpacingRule) {
    // From version 2 on: v / 7 + 2 centres, the first at 6, the last at 4v + 10, the others
    // evenly spaced by an even step, any odd remainder taken up by the second gap.
    const MatrixApply apply;
    for (std::int32_t v = 2; v <= 40; ++v) {
        const std::int32_t count = v / 7 + 2;
        const std::int32_t last = 4 * v + 10;
        std::vector<std::int32_t> got;
        for (std::int32_t i = 0; i < 7; ++i)
            if (apply.AlignmentCentres().at(v - 1, i) != -1) got.push_back(apply.AlignmentCentres().at(v - 1, i));
        ASSERT_EQ(static_cast<std::int32_t>(got.size()), count) << "version " << v;
        EXPECT_EQ(got.front(), 6);
        EXPECT_EQ(got.back(), last);
        for (std::size_t i = 2; i + 1 < got.size(); ++i) {
            EXPECT_EQ(got[i + 1] - got[i], got[2] - got[1]) << "version " << v;
            EXPECT_EQ((got[i + 1] - got[i]) % 2, 0);
        }
    }
}
