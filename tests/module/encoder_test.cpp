// From text to code words and symbol: mode choice, data bits, version choice, blocks, and the
// fast encode path against the plain procedure.
#include <gtest/gtest.h>

#include <random>

#include "codewords/encoder.h"
#include "pixmond/create.h"
#include "pixmond/text.h"
#include "pixmond/version.h"
#include "support/failure_of.h"
#include "symbol/fast_builder.h"
#include "symbol/mask.h"
#include "symbol/matrix_apply.h"

using namespace pixmond;
using testsupport::FailureOf;
using testsupport::Record;

namespace {
std::string Bits(std::string_view text, const Mode& mode) {
    BitVector v;
    Encoder::AppendDataBits(text, mode, v);
    std::string s;
    for (std::int32_t i = 0; i < v.Size(); ++i) s += v.GetBit(i) ? '1' : '0';
    return s;
}
std::vector<std::uint8_t> FirstBytes(const BitVector& v) {
    return std::vector<std::uint8_t>(v.Bytes().begin(), v.Bytes().begin() + v.SizeInBytes());
}
}  // namespace

TEST(ChooseMode, OneModeForTheWholeText) {
    const ModeSet& m = Modes();
    const struct {
        std::string text;
        const Mode* mode;
    } cases[] = {
        {"HELLO WORLD", &m.alphanumeric}, {"AC-42", &m.alphanumeric}, {"hello", &m.byte}, {"Hello", &m.byte},
        {"01234567", &m.numeric},         {"", &m.byte},              {"12A", &m.alphanumeric},
        {FromUtf8("你好"), &m.byte},      {"123\n", &m.byte},         {"$%*+-./: ", &m.alphanumeric},
    };
    for (const auto& c : cases) EXPECT_EQ(Encoder::ChooseMode(c.text), *c.mode) << c.text;
}

TEST(DataBits, NumericAlphanumericAndByte) {
    EXPECT_EQ(Bits("01234567", Modes().numeric), "0000001100" "0101011001" "1000011");
    EXPECT_EQ(Bits("AC-42", Modes().alphanumeric), "00111001110" "11100111001" "000010");
    EXPECT_EQ(Bits("7", Modes().numeric), "0111");
    EXPECT_EQ(Bits("", Modes().byte), "");
    BitVector v;
    Encoder::AppendDataBits(FromUtf8("中"), Modes().byte, v);
    EXPECT_EQ(FirstBytes(v), (std::vector<std::uint8_t>{0xE4, 0xB8, 0xAD}));  // UTF-8 of 中
}

TEST(DataBits, Failures) {
    BitVector v;
    EXPECT_EQ(FailureOf([&] { Encoder::AppendAlphanumeric("Ab", v); }), Record("编码类", "追加字母数字字节", "无效值"));
    EXPECT_EQ(FailureOf([&] { Encoder::AppendLengthInfo(256, 9, Modes().byte, v); }),
              Record("编码类", "追加长度信息", "要添加信息过多"));
    BitVector full;
    full.AppendBits(0, 20);
    EXPECT_EQ(FailureOf([&] { Encoder::TerminateDataBits(2, full); }), Record("编码类", "结束数据位", "数据无法填充"));
}

TEST(DataBits, HeaderTerminatorAndPaddingOfTheTextAAtH) {
    QrCode r;
    Encoder().Encode("A", EcLevels().H, r);
    EXPECT_EQ(r.GetVersion(), 1);
    EXPECT_EQ(r.GetDataCodewords(), 9);
    BitVector bits;
    Encoder::AppendModeIndicator(Modes().alphanumeric, bits);
    Encoder::AppendLengthInfo(1, 1, Modes().alphanumeric, bits);
    Encoder::AppendAlphanumeric("A", bits);
    Encoder::TerminateDataBits(9, bits);
    EXPECT_EQ(bits.Size(), 72);
    std::string s;
    for (std::int32_t i = 0; i < 24; ++i) s += bits.GetBit(i) ? '1' : '0';
    EXPECT_EQ(s, "0010" "000000001" "001010" "0000" "0");
    EXPECT_EQ(FirstBytes(bits), (std::vector<std::uint8_t>{0x20, 0x09, 0x40, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11}));
}

TEST(InitQrCode, SmallestVersionWithThreeBytesToSpare) {
    const struct {
        std::int32_t inputBytes;
        const EcLevel* level;
        std::int32_t version, data;
    } cases[] = {{30, &EcLevels().H, 4, 36}, {34, &EcLevels().H, 5, 46}, {1273, &EcLevels().H, 40, 1276},
                 {0, &EcLevels().L, 1, 19},  {16, &EcLevels().L, 1, 19},  {17, &EcLevels().L, 2, 34}};
    for (const auto& c : cases) {
        QrCode r;
        Encoder::InitQrCode(c.inputBytes, *c.level, Modes().byte, r);
        EXPECT_EQ(r.GetVersion(), c.version) << c.inputBytes;
        EXPECT_EQ(r.GetDataCodewords(), c.data);
        EXPECT_EQ(r.GetDimension(), 17 + 4 * c.version);
        EXPECT_EQ(r.GetTotalCodewords(), r.GetDataCodewords() + r.GetEcCodewords());
    }
    QrCode r;
    EXPECT_EQ(FailureOf([&] { Encoder::InitQrCode(1274, EcLevels().H, Modes().byte, r); }), Record("编码类", "初始化二维码", ""));
    std::string zh;
    for (int i = 0; i < 500; ++i) zh += "\xD6\xD0";  // 中 in GBK, three bytes in UTF-8
    EXPECT_EQ(FailureOf([&] { EncodeText(zh, EcLevels().H, r); }), Record("编码类", "初始化二维码", ""));
}

TEST(Interleave, BlockSizesAndOrder) {
    EXPECT_EQ(Encoder::GetBlockByteCounts(134, 46, 4, 0), std::make_pair(11, 22));
    EXPECT_EQ(Encoder::GetBlockByteCounts(134, 46, 4, 2), std::make_pair(12, 22));
    EXPECT_EQ(Encoder::GetBlockByteCounts(3706, 1276, 81, 19), std::make_pair(15, 30));
    EXPECT_EQ(Encoder::GetBlockByteCounts(3706, 1276, 81, 20), std::make_pair(16, 30));
    EXPECT_EQ(FailureOf([] { Encoder::GetBlockByteCounts(134, 46, 4, 4); }),
              Record("编码类", "根据块ID取数据字节数和容错字节数", "无效值"));

    // Version 5-H: data bytes 0..45 in blocks of 11, 11, 12, 12.
    BitVector data;
    for (int i = 0; i < 46; ++i) data.AppendBits(i, 8);
    BitVector out;
    Encoder::InterleaveEcBytes(data, 134, 46, 4, out);
    const auto bytes = FirstBytes(out);
    ASSERT_EQ(bytes.size(), 134u);
    const std::vector<std::uint8_t> head{0, 11, 22, 34, 1, 12, 23, 35};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    EXPECT_EQ(bytes[44], 33);  // D3[12]
    EXPECT_EQ(bytes[45], 45);  // D4[12]
    const auto ec3 = Encoder::MakeEcBytes(std::vector<std::uint8_t>{22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33}, 22);
    EXPECT_EQ(bytes[46 + 2], ec3[0]);
    EXPECT_EQ(bytes[46 + 4 + 2], ec3[1]);

    // One block: data then its EC bytes, no interleaving.
    BitVector one;
    for (int i = 0; i < 19; ++i) one.AppendBits(i * 7, 8);
    BitVector out1;
    Encoder::InterleaveEcBytes(one, 26, 19, 1, out1);
    const auto ec = Encoder::MakeEcBytes(FirstBytes(one), 7);
    auto want = FirstBytes(one);
    want.insert(want.end(), ec.begin(), ec.end());
    EXPECT_EQ(FirstBytes(out1), want);
    EXPECT_EQ(FailureOf([&] { Encoder::InterleaveEcBytes(one, 26, 18, 1, out1); }),
              Record("编码类", "交错容错字节", "位数和数据字节数不匹配"));
}

TEST(Encode, EmptyTextIsByteModeInVersionOne) {
    QrCode r;
    Encoder().Encode("", EcLevels().M, r);
    EXPECT_EQ(r.GetMode(), Modes().byte);
    EXPECT_EQ(r.GetVersion(), 1);
    EXPECT_TRUE(r.IsValid());
}

// Texts of every mode and many lengths: the encode path the module uses must give the same
// record (mask and matrix included) as the plain step-by-step procedure.
TEST(Encode, FastPathEqualsThePlainProcedureOnSeededTexts) {
    const unsigned seed = 7741;
    std::mt19937 rng(seed);
    const std::string alnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    const EcLevel* levels[] = {&EcLevels().L, &EcLevels().M, &EcLevels().Q, &EcLevels().H};
    for (int trial = 0; trial < 3000; ++trial) {
        const EcLevel& level = *levels[trial % 4];
        const int kind = (trial / 4) % 4;
        // Lengths spread over small and large symbols, most of them small to keep the plain
        // procedure quick.
        const std::size_t n = trial % 10 == 9 ? 200 + rng() % 3000 : rng() % 120;
        std::string text;
        for (std::size_t i = 0; i < n; ++i) {
            switch (kind) {
                case 0: text += static_cast<char>('0' + rng() % 10); break;
                case 1: text += alnum[rng() % alnum.size()]; break;
                case 2: text += static_cast<char>(rng() % 128); break;
                default: text += (rng() % 3) ? std::string("\xC4\xE3") : std::string(1, static_cast<char>('a' + rng() % 26));
            }
        }
        QrCode fast, plain;
        try {
            Encoder().Encode(text, level, plain);
        } catch (const ModuleFailure& e) {
            EXPECT_EQ(FailureOf([&] { Encoder().EncodeFast(text, level, fast); }), e.record());
            continue;
        }
        Encoder().EncodeFast(text, level, fast);
        ASSERT_EQ(fast.GetMaskPattern(), plain.GetMaskPattern()) << "seed " << seed << " trial " << trial;
        ASSERT_EQ(fast.GetMatrix(), plain.GetMatrix()) << "seed " << seed << " trial " << trial;
        ASSERT_EQ(fast.GetVersion(), plain.GetVersion());
        ASSERT_EQ(fast.GetMode(), plain.GetMode());
        ASSERT_EQ(fast.GetEcLevel(), plain.GetEcLevel());
        ASSERT_EQ(fast.GetBlockCount(), plain.GetBlockCount());
    }
}

TEST(Encode, WorkedExampleOfTheStandardAtOneM) {
    // 01234567 at 1-M: the 16 data code words and their 10 EC code words, interleaved as one block.
    QrCode r;
    Encoder().Encode("01234567", EcLevels().M, r);
    EXPECT_EQ(r.GetVersion(), 1);
    BitVector bits;
    Encoder::AppendModeIndicator(Modes().numeric, bits);
    Encoder::AppendLengthInfo(8, 1, Modes().numeric, bits);
    Encoder::AppendNumeric("01234567", bits);
    Encoder::TerminateDataBits(r.GetDataCodewords(), bits);
    BitVector final;
    Encoder::InterleaveEcBytes(bits, r.GetTotalCodewords(), r.GetDataCodewords(), r.GetBlockCount(), final);
    EXPECT_EQ(FirstBytes(final), (std::vector<std::uint8_t>{16, 32, 12, 86, 97, 128, 236, 17, 236, 17, 236, 17, 236, 17, 236,
                                                             17, 165, 36, 212, 193, 237, 54, 199, 135, 44, 85}));
    // The symbol the module builds carries exactly those code words: unmask and read them back.
    const ByteMatrix& m = r.GetMatrix();
    ByteMatrix frame(21, 21);
    MatrixApply::ResetCells(frame);
    MatrixApply().PlaceFunctionPatterns(1, frame);
    MatrixApply().PlaceTypeInfo(EcLevels().M, r.GetMaskPattern(), frame);
    BitVector read;
    std::int32_t direction = -1, y = 20;
    for (std::int32_t x = 20; x > 0; x -= 2) {
        if (x == 6) x = 5;
        for (; y >= 0 && y < 21; y += direction)
            for (std::int32_t cx : {x, x - 1})
                if (frame.Get(cx, y) == ByteMatrix::kEmpty)
                    read.AppendBit(m.Get(cx, y) ^ (MaskHelper::DataMaskBit(r.GetMaskPattern(), cx, y) ? 1 : 0));
        direction = -direction;
        y += direction;
    }
    EXPECT_EQ(FirstBytes(read), FirstBytes(final));
}
