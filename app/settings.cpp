#include "settings.h"

#include <QUrl>

namespace pixmond::app {

std::optional<QString> FeedbackAddress(const AppSettings& settings, const QString& feedback) {
    if (settings.pushBaseAddress.isEmpty() || settings.pushKey.isEmpty()) return std::nullopt;
    const auto encode = [](const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); };
    return settings.pushBaseAddress + settings.pushKey + QStringLiteral(".send?text=") + encode(kFeedbackTitle) +
           QStringLiteral("&desp=") + encode(feedback);
}

}  // namespace pixmond::app
