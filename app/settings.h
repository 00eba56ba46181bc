#pragma once
// The web addresses the program reaches. They are fixed when the program is built; an empty one
// means the build left it out, and the button that needs it says so.

#include <QString>

#include <optional>

namespace pixmond::app {

struct AppSettings {
    QString pushBaseAddress;   // a secure address ending in "/"
    QString pushKey;           // 54 letters and digits
    QString batchPageAddress;
    QString mobileAddress;     // where the mobile version is downloaded
};

// The title that every feedback message carries.
inline const QString kFeedbackTitle = QStringLiteral("来自Pixmond Windows版本的反馈");

// base + key + ".send?text=" + title + "&desp=" + feedback, the title and the feedback
// percent-encoded as UTF-8 so that no character of theirs can end the value or add a parameter.
// nullopt while the base address or the key is not set.
std::optional<QString> FeedbackAddress(const AppSettings& settings, const QString& feedback);

}  // namespace pixmond::app
