#pragma once
// Taking typed values off the front of a fuzzer's input; an exhausted input gives zeros.

#include <cstddef>
#include <cstdint>
#include <string_view>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    std::uint32_t Word() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return v;
    }
    std::string_view Take(std::size_t n) {
        const std::string_view piece = rest_.substr(0, n);
        rest_.remove_prefix(piece.size());
        return piece;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};
