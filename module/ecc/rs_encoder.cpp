#include "ecc/rs_encoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <mutex>

#include "pixmond/failure.h"

namespace pixmond {

const std::string& RsEncoder::ClassName() {
    static const std::string name = "RS编码器类";
    return name;
}

void RsEncoder::Init(FieldPtr field) {
    if (field->Identity() != QrField()->Identity()) Fail(ClassName(), "RS编码器", "GF标识不相同");
    field_ = std::move(field);
    generatorCache_.clear();
    generatorCache_.emplace_back(field_, std::vector<std::int32_t>{1});
}

Polynomial RsEncoder::BuildGenerator(std::int32_t degree) {
    const auto n = static_cast<std::int32_t>(generatorCache_.size());
    if (degree >= n) {
        Polynomial last = generatorCache_.back();
        for (std::int32_t d = n; d <= degree; ++d) {
            GFP ops;
            ops.SetOperand(last);
            Polynomial next = ops.Multiply(Polynomial(field_, {1, field_->Exp(d - 1)}));
            generatorCache_.push_back(next);
            last = std::move(next);
        }
    }
    return generatorCache_[static_cast<std::size_t>(degree)];
}

void RsEncoder::Encode(std::vector<std::int32_t>& codewords, std::int32_t ecCount) {
    if (ecCount == 0) Fail(ClassName(), "编码", "没有容错字节");
    const auto dataCount = static_cast<std::int32_t>(codewords.size()) - ecCount;
    if (dataCount <= 0) Fail(ClassName(), "编码", "未提供数据字节");
    const Polynomial generator = BuildGenerator(ecCount);
    GFP info;
    info.SetOperand(Polynomial(field_, std::vector<std::int32_t>(codewords.begin(), codewords.begin() + dataCount)));
    GFP shifted;
    shifted.SetOperand(info.MultiplyByMonomial(ecCount, 1));
    GFPP divider;
    divider.SetDivider(shifted);
    std::vector<Polynomial> results;
    divider.Divide(generator, results);
    const auto& r = results[1].GetCoefficients();
    const auto rn = static_cast<std::int32_t>(r.size());
    std::fill(codewords.begin() + dataCount, codewords.begin() + dataCount + ecCount - rn, 0);
    std::copy(r.begin(), r.end(), codewords.begin() + dataCount + ecCount - rn);
}

namespace {

// Generator g_n = prod_{i<n} (x + 2^i), coefficients highest first without the leading 1,
// as logarithms; every coefficient of these generators is non-zero.
struct GeneratorTable {
    std::array<std::array<std::uint8_t, kMaxEcCodewords>, kMaxEcCodewords + 1> logCoefficients{};
    bool allNonZero = true;
};

constexpr GeneratorTable MakeGenerators() {
    GeneratorTable t;
    std::array<std::uint8_t, kMaxEcCodewords + 1> g{};
    g[0] = 1;  // g_0 = 1, coefficients highest first
    for (int n = 1; n <= kMaxEcCodewords; ++n) {
        // g_n = g_{n-1} × (x + 2^(n-1))
        std::array<std::uint8_t, kMaxEcCodewords + 1> next{};
        const std::uint8_t root = gf::kTables.exp[static_cast<std::size_t>(n - 1)];
        for (int i = 0; i < n; ++i) {
            next[static_cast<std::size_t>(i)] ^= g[static_cast<std::size_t>(i)];
            next[static_cast<std::size_t>(i + 1)] ^= gf::Mul(g[static_cast<std::size_t>(i)], root);
        }
        g = next;
        for (int i = 1; i <= n; ++i) {
            if (g[static_cast<std::size_t>(i)] == 0) t.allNonZero = false;
            t.logCoefficients[static_cast<std::size_t>(n)][static_cast<std::size_t>(i - 1)] =
                gf::kTables.log[g[static_cast<std::size_t>(i)]];
        }
    }
    return t;
}

constexpr GeneratorTable kGenerators = MakeGenerators();
static_assert(kGenerators.allNonZero, "the shift register below relies on non-zero generator coefficients");
// The generator for 7 EC code words: 2 to the powers 0, 87, 229, 146, 149, 238, 102, 21.
static_assert(kGenerators.logCoefficients[7][0] == 87 && kGenerators.logCoefficients[7][6] == 21);

}  // namespace

namespace {

// For one EC count: each field element times every generator coefficient, one row a factor,
// padded with zeros to a fixed width so that a step of the division is one fixed-size XOR.
constexpr std::size_t kRowWidth = 32;
static_assert(kRowWidth >= kMaxEcCodewords + 1);
using ProductRows = std::array<std::array<std::uint8_t, kRowWidth>, 256>;

std::unique_ptr<ProductRows> MakeProducts(std::size_t n) {
    auto rows = std::make_unique<ProductRows>();
    const auto& g = kGenerators.logCoefficients[n];
    for (std::size_t factor = 1; factor < 256; ++factor) {
        const std::size_t lf = gf::kTables.log[factor];
        for (std::size_t i = 0; i < n; ++i) (*rows)[factor][i] = gf::kTables.exp[lf + g[i]];
    }
    return rows;
}

// Built on first use of each EC count: 8 KB each, and a symbol uses at most two counts.
const ProductRows& ProductsFor(std::size_t n) {
    static std::array<std::once_flag, kMaxEcCodewords + 1> once;
    static std::array<std::unique_ptr<ProductRows>, kMaxEcCodewords + 1> tables;
    std::call_once(once[n], [&] { tables[n] = MakeProducts(n); });
    return *tables[n];
}

}  // namespace

void ComputeEcCodewords(const std::uint8_t* data, std::int32_t dataCount, std::int32_t ecCount, std::uint8_t* ec) {
    const auto n = static_cast<std::size_t>(ecCount);
    const ProductRows& products = ProductsFor(n);
    // The register, then zeros: entries from n on stay 0, since the rows are 0 there.
    std::uint8_t reg[kRowWidth + 1] = {};
    for (std::int32_t k = 0; k < dataCount; ++k) {
        const auto& row = products[static_cast<std::uint8_t>(data[k] ^ reg[0])];
        std::uint8_t next[kRowWidth];
        std::memcpy(next, reg + 1, kRowWidth);
        for (std::size_t i = 0; i < kRowWidth; ++i) reg[i] = static_cast<std::uint8_t>(next[i] ^ row[i]);
    }
    std::memcpy(ec, reg, n);
}

std::vector<std::int32_t> FastGenerator(std::int32_t degree) {
    std::vector<std::int32_t> out{1};
    for (std::int32_t i = 0; i < degree; ++i)
        out.push_back(gf::kTables.exp[kGenerators.logCoefficients[static_cast<std::size_t>(degree)][static_cast<std::size_t>(i)]]);
    return out;
}

}  // namespace pixmond
