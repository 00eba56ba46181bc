#include "ecc/gf256.h"

#include "pixmond/failure.h"

namespace pixmond {

const std::string& GF256::ClassName() {
    static const std::string name = "GF256";
    return name;
}

void GF256::Init(std::int32_t primitive) {
    identityText_ = "GF256:" + std::to_string(primitive);
    expTable_.fill(0);
    logTable_.fill(0);
    std::int32_t x = 1;
    for (std::size_t i = 0; i < 256; ++i) {
        expTable_[i] = x;
        x <<= 1;
        if (x >= 256) x ^= primitive;
    }
    // With a primitive that is not primitive, values repeat; they must stay inside the table.
    for (std::int32_t i = 0; i < 255; ++i) logTable_[static_cast<std::size_t>(expTable_[static_cast<std::size_t>(i)] & 0xFF)] = i;
    zeroCoefficients_ = {0};
}

std::int32_t GF256::Log(std::int32_t a) const {
    if (a == 0) FailureReport();
    return logTable_[static_cast<std::size_t>(a)];
}

std::int32_t GF256::Inverse(std::int32_t a) const {
    if (a == 0) FailureReport();
    return expTable_[static_cast<std::size_t>(255 - logTable_[static_cast<std::size_t>(a)])];
}

std::int32_t GF256::Multiply(std::int32_t a, std::int32_t b) const noexcept {
    if (a == 0 || b == 0) return 0;
    if (a == 1) return b;
    if (b == 1) return a;
    return expTable_[static_cast<std::size_t>((logTable_[static_cast<std::size_t>(a)] + logTable_[static_cast<std::size_t>(b)]) % 255)];
}

const std::shared_ptr<const GF256>& QrField() {
    static const std::shared_ptr<const GF256> field = [] {
        auto f = std::make_shared<GF256>();
        f->Init(285);
        return std::shared_ptr<const GF256>(std::move(f));
    }();
    return field;
}

}  // namespace pixmond
