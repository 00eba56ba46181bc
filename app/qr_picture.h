#pragma once
// One QR picture from our module, with a failure turned into the module's report.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pixmond/create.h"

namespace pixmond::app {

struct PictureOutcome {
    std::vector<std::uint8_t> picture;         // a BMP file
    std::optional<std::string> failureReport;  // UTF-8
};

inline const QString kFailureTitle = QStringLiteral("程序运行异常提示");

// Level H on white. Reentrant: each call has its own record, so the picture never depends on
// what another thread asks for at the same time.
PictureOutcome MakeQrPicture(const std::string& moduleText, std::int64_t width, std::int32_t height,
                             Colour foreground);

}  // namespace pixmond::app
