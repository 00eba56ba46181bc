#pragma once
// An independent decoder for round trips: zbar's QR reader in binary mode, so that it hands
// back the raw bytes of the symbol without guessing a character set.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// The bytes of the one QR symbol zbar finds in a grey picture (0 black), or nullopt.
std::optional<std::string> DecodeGrey(const std::vector<std::uint8_t>& grey, std::int32_t width, std::int32_t height);

// The same for the bytes of a BMP file.
std::optional<std::string> DecodeBmp(const std::vector<std::uint8_t>& bmp);

}  // namespace testsupport
