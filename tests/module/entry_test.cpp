// The public entry: its checks in order, the colours it records, picture sizes and limits,
// concurrent calls, and the text conversions.
#include <gtest/gtest.h>

#include <thread>

#include "pixmond/create.h"
#include "pixmond/text.h"
#include "support/bmp.h"
#include "support/failure_of.h"
#include "support/zbar_reader.h"

using namespace pixmond;
using testsupport::FailureOf;
using testsupport::Record;

TEST(CreateQrCode, RefusesTextsOfSpacesOnly) {
    for (std::string text : {std::string(""), std::string("   "), std::string("\xA1\xA1"), std::string(" \xA1\xA1 ")})
        EXPECT_EQ(FailureOf([&] { CreateQrCode(text, "H", 200, 200, kWhite, kBlack); }),
                  Record("二维码模块", "编码()", "没有编码内容"))
            << text;
    try {
        CreateQrCode(" ", "H", 200, 200, kWhite, kBlack);
    } catch (const ModuleFailure& e) {
        EXPECT_STREQ(e.what(), "异常来源：[二维码模块]\r\n方法名称：编码()()\r\n异常信息：没有编码内容");
    }
    // A line feed is content, and inner spaces are encoded with the text.
    EXPECT_EQ(testsupport::DecodeBmp(CreateQrCode("\n", "H", 200, 200, kWhite, kBlack)), "\n");
    EXPECT_EQ(testsupport::DecodeBmp(CreateQrCode(" a b ", "H", 200, 200, kWhite, kBlack)), " a b ");
}

TEST(CreateQrCode, LevelLetters) {
    EXPECT_EQ(LevelFromText("h").GetName(), "H");
    EXPECT_EQ(LevelFromText(std::nullopt).GetName(), "L");
    for (std::string_view level : {"", " H", "HH", "Ｈ", "A"})
        EXPECT_EQ(FailureOf([&] { CreateQrCode("x", level, 200, 200, kWhite, kBlack); }),
                  Record("二维码模块", "创建二维码()", "容错等级必须为L、M、Q、H四个之一。"))
            << level;
    CreateQrCode("x", std::nullopt, 200, 200, kWhite, kBlack);
    EXPECT_EQ(SharedQrCode().GetEcLevel().GetName(), "L");
}

TEST(CreateQrCode, ChecksSpacesBeforeTheLevelAndRecordsColoursFirst) {
    EXPECT_EQ(FailureOf([] { CreateQrCode(" ", "bad", 200, 200, 0x123456, 0x654321); }).message, "没有编码内容");
    EXPECT_EQ(BackgroundColour(), 0x123456u);
    EXPECT_EQ(ForegroundColour(), 0x654321u);
}

TEST(CreateQrCode, PictureSizesDefaultsAndLimits) {
    const std::int64_t kLimit = kMaxPictureSide;
    const struct {
        std::optional<std::int64_t> w;
        std::optional<std::int32_t> h;
        std::int32_t wantW, wantH;  // 0: refused
    } cases[] = {
        {std::nullopt, std::nullopt, 100, 100},
        {0, -7, 100, 100},
        {-1, 0, 100, 100},
        {301, 7, 301, 7},
        {kLimit, 1, kMaxPictureSide, 1},
        {1, kMaxPictureSide, 1, kMaxPictureSide},
        {kLimit + 1, 100, 0, 0},
        {100, kMaxPictureSide + 1, 0, 0},
        {(std::int64_t{1} << 32) - 5, 100, 0, 0},  // would be −5 if cut to 32 bits
        {std::int64_t{1} << 32, 100, 0, 0},        // would be 0
        {(std::int64_t{1} << 32) + 200, 100, 0, 0},
    };
    for (const auto& c : cases) {
        if (c.wantW == 0) {
            const auto f = FailureOf([&] { CreateQrCode("size", "M", c.w, c.h, kWhite, kBlack); });
            EXPECT_EQ(f.source, "二维码模块");
            EXPECT_EQ(f.method, "创建二维码()");
            EXPECT_NE(f.message.find("16384"), std::string::npos) << f.message;
            continue;
        }
        const auto p = testsupport::ReadBmp(CreateQrCode("size", "M", c.w, c.h, kWhite, kBlack));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->width, c.wantW);
        EXPECT_EQ(p->height, c.wantH);
    }
}

TEST(CreateQrCode, BlackOnWhiteTwoHundredPixelsAndTheSharedRecord) {
    const auto bmp = CreateQrCode("Pixmond", "H", 200, 200, kWhite, kBlack);
    const auto p = testsupport::ReadBmp(bmp);
    ASSERT_TRUE(p);
    for (const auto& px : p->pixels) ASSERT_TRUE(px == (testsupport::Rgb{0, 0, 0}) || px == (testsupport::Rgb{255, 255, 255}));
    EXPECT_EQ(testsupport::DecodeBmp(bmp), "Pixmond");
    const QrCode first = SharedQrCode();
    EXPECT_TRUE(first.IsValid());
    EXPECT_EQ(first.GetVersion(), 2);
    CreateQrCode("0123", "L", 200, 200, kWhite, kBlack);
    EXPECT_EQ(SharedQrCode().GetMode().GetName(), "数字");
    EXPECT_NE(SharedQrCode().GetMatrix(), first.GetMatrix());
}

TEST(CreateQrCode, ConcurrentCallsEachGetTheirOwnPicture) {
    const int kThreads = 4;
    std::vector<std::thread> threads;
    std::vector<int> good(kThreads, 0);
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t, &good] {
            for (int i = 0; i < 20; ++i) {
                const std::string text = "thread " + std::to_string(t) + " call " + std::to_string(i);
                const Colour fg = static_cast<Colour>(t * 0x101010);
                const auto bmp = CreateQrCode(text, "M", 150, 150, kWhite, fg);
                QrCode own;
                const auto mine = CreateQrCodeInto(own, text, "M", 150, 150, kWhite, fg);
                good[static_cast<std::size_t>(t)] += bmp == mine && testsupport::DecodeBmp(mine) == text;
            }
        });
    for (auto& th : threads) th.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(good[static_cast<std::size_t>(t)], 20) << t;
}

TEST(TextConversion, RoundTripsAndNamesTheOffsetOfBadBytes) {
    const std::string utf8 = "你好，Pixmond 😀\t\n";
    const std::string gb = FromUtf8(utf8);
    EXPECT_EQ(gb.substr(0, 4), "\xC4\xE3\xBA\xC3");  // GBK bytes of 你好
    EXPECT_EQ(ToUtf8(gb), utf8);
    EXPECT_EQ(ToUtf8("plain"), "plain");

    const struct {
        std::string text;
        bool fromGb;
        std::string offset;
    } bad[] = {
        {"ab\xC4", true, "2"},         // a lead byte alone at the end
        {"ab\xFF" "cd", true, "2"},    // never valid
        {"abc\xE4\xBD", false, "3"},   // cut UTF-8
        {"a\xC0\xAF", false, "1"},     // overlong UTF-8
    };
    for (const auto& c : bad) {
        const auto f = FailureOf([&] { c.fromGb ? ToUtf8(c.text) : FromUtf8(c.text); });
        EXPECT_EQ(f.source, "文本转换");
        EXPECT_EQ(f.method, c.fromGb ? "ToUtf8" : "FromUtf8");
        EXPECT_TRUE(f.message.ends_with("字节偏移：" + c.offset)) << f.message;
    }
    EXPECT_EQ(FailureOf([] { CreateQrCode("ab\xC4", "H", 200, 200, kWhite, kBlack); }).method, "ToUtf8");
}

TEST(TextConversion, WellFormedUtf8ThatGb18030CannotHoldIsNotCalledInvalid) {
    EXPECT_EQ(FindInvalidUtf8("ok 你好 😀"), std::nullopt);
    const struct {
        std::string text;
        std::size_t offset;
    } invalid[] = {{"\x80", 0}, {"a\xC0\xAF", 1}, {"ab\xED\xA0\x80", 2}, {"\xF4\x90\x80\x80", 0}, {"abc\xE4\xBD", 3}, {"\xFF", 0}};
    for (const auto& c : invalid) EXPECT_EQ(FindInvalidUtf8(c.text), c.offset) << c.text;
    // U+E78D, a private-use character with no GB18030 form in the C library's tables.
    const std::string pua = "ab\xEE\x9E\x8D";
    ASSERT_EQ(FindInvalidUtf8(pua), std::nullopt);
    try {
        const std::string gb = FromUtf8(pua);
        EXPECT_EQ(ToUtf8(gb), pua);  // a library that does map it must map it back
    } catch (const ModuleFailure& e) {
        EXPECT_EQ(e.message(), "文本含有无法用GB18030表示的字符。字节偏移：2");
    }
}

TEST(TextConversion, TheRefusalDescribesTheCharacterWhereConversionStopped) {
    // A character GB18030 may not hold, then a byte that is never UTF-8.
    const std::string text = "ab\xEE\x9E\x8D" "c\xFF";
    bool puaHasAForm = true;
    try {
        FromUtf8("\xEE\x9E\x8D");
    } catch (const ModuleFailure&) {
        puaHasAForm = false;
    }
    const auto f = FailureOf([&] { FromUtf8(text); });
    EXPECT_EQ(f.message, puaHasAForm ? "文本不是有效的UTF-8编码，含有无效字节。字节偏移：6"
                                     : "文本含有无法用GB18030表示的字符。字节偏移：2");
}
