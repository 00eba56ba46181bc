#include "support/zbar_reader.h"

#include <zbar.h>

#include <memory>

#include "support/bmp.h"

namespace testsupport {

std::optional<std::string> DecodeGrey(const std::vector<std::uint8_t>& grey, std::int32_t width, std::int32_t height) {
    std::unique_ptr<zbar::zbar_image_scanner_t, decltype(&zbar::zbar_image_scanner_destroy)> scanner(
        zbar::zbar_image_scanner_create(), zbar::zbar_image_scanner_destroy);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_ENABLE, 1);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_BINARY, 1);
    std::unique_ptr<zbar::zbar_image_t, decltype(&zbar::zbar_image_destroy)> image(zbar::zbar_image_create(),
                                                                                   zbar::zbar_image_destroy);
    zbar::zbar_image_set_format(image.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar::zbar_image_set_size(image.get(), static_cast<unsigned>(width), static_cast<unsigned>(height));
    zbar::zbar_image_set_data(image.get(), grey.data(), grey.size(), nullptr);
    if (zbar::zbar_scan_image(scanner.get(), image.get()) <= 0) return std::nullopt;
    const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(image.get());
    if (!symbol) return std::nullopt;
    return std::string(zbar::zbar_symbol_get_data(symbol), zbar::zbar_symbol_get_data_length(symbol));
}

std::optional<std::string> DecodeBmp(const std::vector<std::uint8_t>& bmp) {
    const auto picture = ReadBmp(bmp);
    if (!picture) return std::nullopt;
    return DecodeGrey(ToGrey(*picture), picture->width, picture->height);
}

}  // namespace testsupport
