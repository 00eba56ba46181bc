#pragma once
// Polynomials over GF(256), coefficients highest degree first. Polynomial is the value;
// GFP computes with one operand; GFPP adds division. This is the plain procedure the fast
// Reed–Solomon path is checked against.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ecc/gf256.h"

namespace pixmond {

using FieldPtr = std::shared_ptr<const GF256>;

class Polynomial {
public:
    Polynomial() = default;
    // Leading zeros are dropped; an all-zero list gives [0]. An empty list fails with the "无"
    // report. Precondition (not checked): field is not null.
    Polynomial(FieldPtr field, const std::vector<std::int32_t>& list) { Init(std::move(field), list); }
    void Init(FieldPtr field, const std::vector<std::int32_t>& list);

    const FieldPtr& GetField() const noexcept { return field_; }
    const std::vector<std::int32_t>& GetCoefficients() const noexcept { return coefficients_; }
    std::int32_t Degree() const noexcept { return static_cast<std::int32_t>(coefficients_.size()) - 1; }
    bool IsZero() const noexcept { return coefficients_.front() == 0; }
    // The coefficient of x^d. Precondition (not checked): 0 <= d <= Degree().
    std::int32_t Coefficient(std::int32_t d) const noexcept {
        return coefficients_[coefficients_.size() - 1 - static_cast<std::size_t>(d)];
    }
    std::int32_t Evaluate(std::int32_t a) const;
    std::string ToText() const;

    friend bool operator==(const Polynomial& a, const Polynomial& b) noexcept {
        return a.coefficients_ == b.coefficients_ && a.field_ && b.field_ && a.field_->Identity() == b.field_->Identity();
    }

private:
    std::vector<std::int32_t> coefficients_;
    FieldPtr field_;
};

class GFP {
public:
    void SetOperand(Polynomial p) { operand_ = std::move(p); }
    const Polynomial& GetOperand() const noexcept { return operand_; }
    Polynomial AddOrSubtract(const Polynomial& other) const;
    Polynomial Multiply(const Polynomial& other) const;
    Polynomial MultiplyScalar(std::int32_t c) const;
    Polynomial MultiplyByMonomial(std::int32_t degree, std::int32_t c) const;
    Polynomial BuildMonomial(std::int32_t degree, std::int32_t c) const;

    static const std::string& ClassName();  // "GFP"

private:
    Polynomial operand_;
};

class GFPP : public GFP {
public:
    void SetDivider(GFP divider) { divider_ = std::move(divider); }
    const GFP& GetDivider() const noexcept { return divider_; }
    // Divides the divider's operand by divisor; appends the quotient, then the remainder.
    void Divide(const Polynomial& divisor, std::vector<Polynomial>& results) const;

    static const std::string& ClassName();  // "GFPP"

private:
    GFP divider_;
};

}  // namespace pixmond
