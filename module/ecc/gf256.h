#pragma once
// Arithmetic in GF(256). Addition is exclusive or; multiplication goes through power and
// logarithm tables of a primitive polynomial. QR codes use 285 = x^8 + x^4 + x^3 + x^2 + 1
// with primitive element 2 (ISO/IEC 18004, 7.5.2).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pixmond {

class GF256 {
public:
    GF256() = default;  // empty until Init

    // "GF256:" followed by the primitive in decimal; two fields are the same field exactly
    // when their identity texts are equal.
    const std::string& Identity() const noexcept { return identityText_; }
    // The coefficient list of the zero polynomial: [0].
    std::vector<std::int32_t> ZeroCoefficients() const { return zeroCoefficients_; }
    void Init(std::int32_t primitive);

    static std::int32_t AddOrSubtract(std::int32_t a, std::int32_t b) noexcept { return a ^ b; }
    // Precondition (not checked): 0 <= a <= 255.
    std::int32_t Exp(std::int32_t a) const noexcept { return expTable_[static_cast<std::size_t>(a)]; }
    // Fails with the "无" report for 0. Precondition (not checked): a <= 255.
    std::int32_t Log(std::int32_t a) const;
    // Fails with the "无" report for 0. Precondition (not checked): a <= 255.
    std::int32_t Inverse(std::int32_t a) const;
    // Preconditions (not checked): 0 <= a, b <= 255.
    std::int32_t Multiply(std::int32_t a, std::int32_t b) const noexcept;
    const std::array<std::int32_t, 256>& ExpTable() const noexcept { return expTable_; }
    const std::array<std::int32_t, 256>& LogTable() const noexcept { return logTable_; }

    static const std::string& ClassName();  // "GF256"

private:
    std::array<std::int32_t, 256> expTable_{};
    std::array<std::int32_t, 256> logTable_{};
    std::string identityText_;
    std::vector<std::int32_t> zeroCoefficients_;
};

// The module's field, primitive 285, built once and read-only afterwards.
const std::shared_ptr<const GF256>& QrField();

// Compile-time tables of the same field for the hot paths. kGfExp is doubled so that a sum of
// two logarithms needs no reduction.
namespace gf {
struct Tables {
    std::array<std::uint8_t, 512> exp{};
    std::array<std::uint8_t, 256> log{};
};
constexpr Tables MakeTables() {
    Tables t;
    std::uint32_t x = 1;
    for (int i = 0; i < 255; ++i) {
        t.exp[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(x);
        t.log[x] = static_cast<std::uint8_t>(i);
        x <<= 1;
        if (x >= 256) x ^= 285;
    }
    for (int i = 255; i < 512; ++i) t.exp[static_cast<std::size_t>(i)] = t.exp[static_cast<std::size_t>(i - 255)];
    return t;
}
inline constexpr Tables kTables = MakeTables();
static_assert(kTables.exp[8] == 29 && kTables.exp[254] == 142 && kTables.log[29] == 8);

constexpr std::uint8_t Mul(std::uint8_t a, std::uint8_t b) noexcept {
    if (a == 0 || b == 0) return 0;
    return kTables.exp[static_cast<std::size_t>(kTables.log[a]) + kTables.log[b]];
}
static_assert(Mul(2, 128) == 29 && Mul(3, 7) == 9 && Mul(255, 255) == 226);
}  // namespace gf

}  // namespace pixmond
