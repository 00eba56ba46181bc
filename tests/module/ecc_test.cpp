// GF(256), polynomials over it, and Reed–Solomon: the plain procedure against the standard's
// numbers, and the fast shift register against the plain procedure.
#include <gtest/gtest.h>

#include <random>

#include "ecc/gf256.h"
#include "ecc/polynomial.h"
#include "ecc/rs_encoder.h"
#include "support/failure_of.h"

using namespace pixmond;
using testsupport::FailureOf;
using testsupport::Record;

namespace {
using List = std::vector<std::int32_t>;
Polynomial P(const List& l) { return Polynomial(QrField(), l); }
FieldPtr OtherField() {
    auto f = std::make_shared<GF256>();
    f->Init(301);
    return f;
}
}  // namespace

TEST(GF256, TablesOfPrimitive285) {
    const GF256& f = *QrField();
    const List first{1, 2, 4, 8, 16, 32, 64, 128, 29, 58};
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(f.Exp(static_cast<std::int32_t>(i)), first[i]);
    EXPECT_EQ(f.Exp(254), 142);
    EXPECT_EQ(f.Exp(255), 1);
    EXPECT_EQ(f.LogTable()[0], 0);
    EXPECT_EQ(f.Log(1), 0);
    EXPECT_EQ(f.Log(2), 1);
    EXPECT_EQ(f.Log(29), 8);
    EXPECT_EQ(f.Identity(), "GF256:285");
    EXPECT_EQ(f.ZeroCoefficients(), List{0});
    for (std::int32_t i = 0; i < 256; ++i) {
        EXPECT_EQ(gf::kTables.exp[static_cast<std::size_t>(i)], f.Exp(i % 255));
        if (i > 0) {
            EXPECT_EQ(gf::kTables.log[static_cast<std::size_t>(i)], f.Log(i));
        }
    }
}

TEST(GF256, MultiplyAndInverse) {
    const GF256& f = *QrField();
    EXPECT_EQ(f.Multiply(2, 128), 29);
    EXPECT_EQ(f.Multiply(3, 7), 9);
    EXPECT_EQ(f.Multiply(255, 255), 226);
    EXPECT_EQ(f.Inverse(1), 1);
    EXPECT_EQ(f.Inverse(2), 142);
    EXPECT_EQ(f.Inverse(142), 2);
    for (std::int32_t a = 0; a < 256; ++a) {
        EXPECT_EQ(f.Multiply(a, 0), 0);
        EXPECT_EQ(f.Multiply(0, a), 0);
        EXPECT_EQ(f.Multiply(1, a), a);
        EXPECT_EQ(GF256::AddOrSubtract(a, a), 0);
        if (a > 0) {
            EXPECT_EQ(f.Multiply(a, f.Inverse(a)), 1) << a;
        }
        for (std::int32_t b = 0; b < 256; b += 17) EXPECT_EQ(f.Multiply(a, b), gf::Mul(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)));
    }
}

TEST(GF256, LogAndInverseOfZeroReportWithoutARecord) {
    EXPECT_EQ(FailureOf([] { QrField()->Log(0); }), Record("无", "无", "无"));
    EXPECT_EQ(FailureOf([] { QrField()->Inverse(0); }), Record("无", "无", "无"));
    const GF256 copy = *QrField();
    EXPECT_EQ(copy.Identity(), QrField()->Identity());
}

TEST(Polynomial, InitDropsLeadingZeros) {
    EXPECT_EQ(P({0, 0, 5, 1}).GetCoefficients(), (List{5, 1}));
    EXPECT_EQ(P({0, 0, 5, 1}).Degree(), 1);
    EXPECT_EQ(P({0, 0, 0}).GetCoefficients(), List{0});
    EXPECT_EQ(P({0}).GetCoefficients(), List{0});
    EXPECT_EQ(P({7}).GetCoefficients(), List{7});
    EXPECT_EQ(FailureOf([] { P({}); }), Record("无", "无", "无"));
    EXPECT_TRUE(P({0}).IsZero());
    EXPECT_FALSE(P({5, 1}).IsZero());
    EXPECT_EQ(P({5, 1}).Coefficient(0), 1);
    EXPECT_EQ(P({5, 1}).Coefficient(1), 5);
}

TEST(Polynomial, Arithmetic) {
    auto ops = [](const List& l) {
        GFP g;
        g.SetOperand(P(l));
        return g;
    };
    EXPECT_EQ(ops({1, 2}).AddOrSubtract(P({1, 2})), P({0}));
    EXPECT_EQ(ops({1, 0, 3}).AddOrSubtract(P({5})), P({1, 0, 6}));
    EXPECT_EQ(ops({5}).AddOrSubtract(P({1, 0, 3})), P({1, 0, 6}));
    EXPECT_EQ(ops({1, 1}).Multiply(P({1, 2})), P({1, 3, 2}));
    EXPECT_EQ(ops({1, 1}).Multiply(P({0})), P({0}));
    EXPECT_EQ(ops({1, 1}).MultiplyByMonomial(2, 3), P({3, 3, 0, 0}));
    EXPECT_EQ(ops({1, 1}).MultiplyByMonomial(2, 0), P({0}));
    EXPECT_EQ(ops({1, 1}).MultiplyScalar(3), P({3, 3}));
    EXPECT_EQ(ops({1, 1}).MultiplyScalar(0), P({0}));
    EXPECT_EQ(ops({1}).BuildMonomial(3, 7), P({7, 0, 0, 0}));
    EXPECT_EQ(ops({1}).BuildMonomial(0, 5), P({5}));
    EXPECT_EQ(ops({1}).BuildMonomial(2, 0), P({0}));
    EXPECT_EQ(FailureOf([&] { ops({1, 1}).MultiplyByMonomial(-1, 1); }), Record("GFP", "叠加单项式", "维度小于0"));
    EXPECT_EQ(FailureOf([&] { ops({1, 1}).BuildMonomial(-1, 1); }), Record("GFP", "构造单项式", "度小于0"));

    const Polynomial p = P({1, 3, 2});
    const List at{2, 0, 0, 2};
    for (std::int32_t a = 0; a < 4; ++a) EXPECT_EQ(p.Evaluate(a), at[static_cast<std::size_t>(a)]) << a;
}

TEST(Polynomial, DivisionAppendsQuotientThenRemainder) {
    const struct {
        List dividend, divisor, quotient, remainder;
    } cases[] = {
        {{1, 3, 2}, {1, 1}, {1, 2}, {0}},
        {{1, 0, 0}, {1, 1}, {1, 1}, {1}},
        {{5, 1}, {1, 0, 0}, {0}, {5, 1}},
    };
    for (const auto& c : cases) {
        GFP dividend;
        dividend.SetOperand(P(c.dividend));
        GFPP d;
        d.SetDivider(dividend);
        std::vector<Polynomial> results{P({9})};
        d.Divide(P(c.divisor), results);
        ASSERT_EQ(results.size(), 3u);
        EXPECT_EQ(results[0], P({9}));
        EXPECT_EQ(results[1], P(c.quotient));
        EXPECT_EQ(results[2], P(c.remainder));
    }
}

TEST(Polynomial, FieldMismatchAndZeroDivisor) {
    const Polynomial other(OtherField(), {1, 1});
    GFP g;
    g.SetOperand(P({1, 1}));
    EXPECT_EQ(FailureOf([&] { g.AddOrSubtract(other); }), Record("GFP", "加或减", "GF256信息不相同"));
    EXPECT_EQ(FailureOf([&] { g.Multiply(other); }), Record("GFP", "加或减", "GF256信息不相同"));
    GFPP d;
    d.SetDivider(g);
    std::vector<Polynomial> results;
    EXPECT_EQ(FailureOf([&] { d.Divide(other, results); }), Record("GFPP", "分离", "GF256不同"));
    EXPECT_EQ(FailureOf([&] { d.Divide(P({0}), results); }), Record("GFPP", "分离", "除数为0"));
}

TEST(RsEncoder, GeneratorsOfTheStandard) {
    RsEncoder rs;
    rs.Init(QrField());
    EXPECT_EQ(rs.BuildGenerator(0), P({1}));
    EXPECT_EQ(rs.BuildGenerator(1), P({1, 1}));
    EXPECT_EQ(rs.BuildGenerator(2), P({1, 3, 2}));
    EXPECT_EQ(rs.BuildGenerator(7), P({1, 127, 122, 154, 164, 11, 68, 117}));
    const Polynomial ten = rs.BuildGenerator(10);
    RsEncoder fresh;
    fresh.Init(QrField());
    EXPECT_EQ(fresh.BuildGenerator(10), ten);
    EXPECT_EQ(ten, P({1, 216, 194, 159, 111, 199, 94, 95, 113, 157, 193}));
    for (std::int32_t d = 0; d <= kMaxEcCodewords; ++d) EXPECT_EQ(FastGenerator(d), fresh.BuildGenerator(d).GetCoefficients()) << d;
}

TEST(RsEncoder, WorkedExamplesAndEdgeCases) {
    const struct {
        List data;
        std::int32_t ec;
        List want;
    } cases[] = {
        // The standard's worked example: 01234567 at version 1-M.
        {{16, 32, 12, 86, 97, 128, 236, 17, 236, 17, 236, 17, 236, 17, 236, 17}, 10, {165, 36, 212, 193, 237, 54, 199, 135, 44, 85}},
        {{32, 91, 11, 120, 209, 114, 220, 77, 67, 64, 236, 17, 236, 17, 236, 17}, 10, {196, 35, 39, 119, 235, 215, 231, 226, 93, 23}},
        {{0, 0, 0, 0}, 7, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        List words = c.data;
        words.resize(words.size() + static_cast<std::size_t>(c.ec), 99);
        RsEncoder rs;
        rs.Init(QrField());
        rs.Encode(words, c.ec);
        EXPECT_EQ(List(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(c.data.size())), c.data);
        EXPECT_EQ(List(words.begin() + static_cast<std::ptrdiff_t>(c.data.size()), words.end()), c.want);

        std::vector<std::uint8_t> data(c.data.begin(), c.data.end()), ec(static_cast<std::size_t>(c.ec));
        ComputeEcCodewords(data.data(), static_cast<std::int32_t>(data.size()), c.ec, ec.data());
        EXPECT_EQ(List(ec.begin(), ec.end()), c.want);
    }
}

TEST(RsEncoder, Failures) {
    RsEncoder rs;
    EXPECT_EQ(FailureOf([&] { rs.Init(OtherField()); }), Record("RS编码器类", "RS编码器", "GF标识不相同"));
    rs.Init(QrField());
    List words{1, 2, 3};
    EXPECT_EQ(FailureOf([&] { rs.Encode(words, 0); }), Record("RS编码器类", "编码", "没有容错字节"));
    EXPECT_EQ(FailureOf([&] { rs.Encode(words, 3); }), Record("RS编码器类", "编码", "未提供数据字节"));
}

TEST(RsEncoder, FastPathEqualsThePlainProcedureOnSeededBlocks) {
    const unsigned seed = 18004;
    std::mt19937 rng(seed);
    for (int trial = 0; trial < 400; ++trial) {
        const std::int32_t ec = 1 + static_cast<std::int32_t>(rng() % kMaxEcCodewords);
        const std::int32_t n = 1 + static_cast<std::int32_t>(rng() % 160);
        std::vector<std::uint8_t> data(static_cast<std::size_t>(n));
        for (auto& b : data) b = static_cast<std::uint8_t>(trial % 5 == 0 ? (rng() % 3 == 0 ? rng() : 0) : rng());
        List words(data.begin(), data.end());
        words.resize(words.size() + static_cast<std::size_t>(ec), 0);
        RsEncoder rs;
        rs.Init(QrField());
        rs.Encode(words, ec);
        std::vector<std::uint8_t> fast(static_cast<std::size_t>(ec));
        ComputeEcCodewords(data.data(), n, ec, fast.data());
        ASSERT_EQ(List(fast.begin(), fast.end()), List(words.begin() + n, words.end()))
            << "seed " << seed << " trial " << trial << " ec " << ec << " n " << n;
    }
}
