#include "qr_picture.h"

#include <exception>

#include "pixmond/qr_code.h"

namespace pixmond::app {

PictureOutcome MakeQrPicture(const std::string& moduleText, std::int64_t width, std::int32_t height,
                             Colour foreground) {
    PictureOutcome outcome;
    try {
        QrCode record;
        outcome.picture = CreateQrCodeInto(record, moduleText, "H", width, height, kWhite, foreground);
    } catch (const std::exception& failure) {
        outcome.failureReport = failure.what();
    }
    return outcome;
}

}  // namespace pixmond::app
