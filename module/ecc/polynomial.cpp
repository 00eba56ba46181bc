#include "ecc/polynomial.h"

#include <algorithm>

#include "pixmond/failure.h"

namespace pixmond {

namespace {
bool SameField(const Polynomial& a, const Polynomial& b) {
    return a.GetField()->Identity() == b.GetField()->Identity();
}
Polynomial Zero(const FieldPtr& field) { return Polynomial(field, field->ZeroCoefficients()); }
}  // namespace

void Polynomial::Init(FieldPtr field, const std::vector<std::int32_t>& list) {
    if (list.empty()) FailureReport();
    field_ = std::move(field);
    const auto first = std::find_if(list.begin(), list.end(), [](std::int32_t c) { return c != 0; });
    if (list.size() >= 2 && list.front() == 0)
        coefficients_ = first == list.end() ? field_->ZeroCoefficients() : std::vector<std::int32_t>(first, list.end());
    else
        coefficients_ = list;
}

std::int32_t Polynomial::Evaluate(std::int32_t a) const {
    if (a == 0) return Coefficient(0);
    if (a == 1) {
        std::int32_t sum = 0;
        for (std::int32_t c : coefficients_) sum = GF256::AddOrSubtract(sum, c);
        return sum;
    }
    std::int32_t result = coefficients_.front();
    for (std::size_t i = 1; i < coefficients_.size(); ++i)
        result = GF256::AddOrSubtract(field_->Multiply(a, result), coefficients_[i]);
    return result;
}

std::string Polynomial::ToText() const {
    std::string text;
    for (std::size_t i = 0; i < coefficients_.size(); ++i) {
        if (i) text += ',';
        text += std::to_string(coefficients_[i]);
    }
    return text;
}

const std::string& GFP::ClassName() {
    static const std::string name = "GFP";
    return name;
}

const std::string& GFPP::ClassName() {
    static const std::string name = "GFPP";
    return name;
}

Polynomial GFP::AddOrSubtract(const Polynomial& other) const {
    const Polynomial& p = operand_;
    if (!SameField(p, other)) Fail(ClassName(), "加或减", "GF256信息不相同");
    if (p.IsZero()) return other;
    if (other.IsZero()) return p;
    const bool pShorter = p.GetCoefficients().size() <= other.GetCoefficients().size();
    const auto& s = pShorter ? p.GetCoefficients() : other.GetCoefficients();
    const auto& l = pShorter ? other.GetCoefficients() : p.GetCoefficients();
    const std::size_t k = l.size() - s.size();
    std::vector<std::int32_t> r(l);
    for (std::size_t i = k; i < l.size(); ++i) r[i] = s[i - k] ^ l[i];
    return Polynomial(p.GetField(), r);
}

Polynomial GFP::Multiply(const Polynomial& other) const {
    const Polynomial& p = operand_;
    // The product reports under the sum's method name.
    if (!SameField(p, other)) Fail(ClassName(), "加或减", "GF256信息不相同");
    if (p.IsZero() || other.IsZero()) return Zero(p.GetField());
    const auto& a = p.GetCoefficients();
    const auto& b = other.GetCoefficients();
    std::vector<std::int32_t> r(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) r[i + j] ^= p.GetField()->Multiply(a[i], b[j]);
    return Polynomial(p.GetField(), r);
}

Polynomial GFP::MultiplyScalar(std::int32_t c) const {
    const Polynomial& p = operand_;
    if (c == 0) return Zero(p.GetField());
    if (c == 1) return p;
    std::vector<std::int32_t> r(p.GetCoefficients());
    for (auto& v : r) v = p.GetField()->Multiply(v, c);
    return Polynomial(p.GetField(), r);
}

Polynomial GFP::MultiplyByMonomial(std::int32_t degree, std::int32_t c) const {
    const Polynomial& p = operand_;
    if (degree < 0) Fail(ClassName(), "叠加单项式", "维度小于0");
    if (c == 0) return Zero(p.GetField());
    const auto& a = p.GetCoefficients();
    std::vector<std::int32_t> r(a.size() + static_cast<std::size_t>(degree), 0);
    for (std::size_t i = 0; i < a.size(); ++i) r[i] = p.GetField()->Multiply(a[i], c);
    return Polynomial(p.GetField(), r);
}

Polynomial GFP::BuildMonomial(std::int32_t degree, std::int32_t c) const {
    const Polynomial& p = operand_;
    if (degree < 0) Fail(ClassName(), "构造单项式", "度小于0");
    if (c == 0) return Zero(p.GetField());
    std::vector<std::int32_t> r(static_cast<std::size_t>(degree) + 1, 0);
    r[0] = c;
    return Polynomial(p.GetField(), r);
}

void GFPP::Divide(const Polynomial& divisor, std::vector<Polynomial>& results) const {
    const Polynomial& dividend = divider_.GetOperand();
    if (!SameField(dividend, divisor)) Fail(ClassName(), "分离", "GF256不同");
    if (divisor.IsZero()) Fail(ClassName(), "分离", "除数为0");
    const FieldPtr& field = dividend.GetField();
    Polynomial quotient = Zero(field);
    Polynomial remainder = dividend;
    const std::int32_t inverseLead = field->Inverse(divisor.Coefficient(divisor.Degree()));
    GFP divisorOps;
    divisorOps.SetOperand(divisor);
    GFP dividendOps;
    dividendOps.SetOperand(dividend);
    while (remainder.Degree() >= divisor.Degree() && !remainder.IsZero()) {
        const std::int32_t k = remainder.Degree() - divisor.Degree();
        const std::int32_t scale = field->Multiply(remainder.Coefficient(remainder.Degree()), inverseLead);
        const Polynomial term = divisorOps.MultiplyByMonomial(k, scale);
        const Polynomial step = dividendOps.BuildMonomial(k, scale);
        GFP q;
        q.SetOperand(quotient);
        quotient = q.AddOrSubtract(step);
        GFP r;
        r.SetOperand(remainder);
        remainder = r.AddOrSubtract(term);
    }
    results.push_back(quotient);
    results.push_back(remainder);
}

}  // namespace pixmond
