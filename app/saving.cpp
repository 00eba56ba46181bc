#include "saving.h"

#include <QDir>
#include <QSaveFile>

namespace pixmond::app {

SaveOutcome SavePictureFile(const QString& desktopFolder, const QString& name, const std::vector<std::uint8_t>& bytes) {
    const QDir desktop = desktopFolder.isEmpty() ? QDir::current() : QDir(desktopFolder);
    const QString folder = desktop.absoluteFilePath(kSaveFolderName);
    SaveOutcome outcome{QDir(folder).absoluteFilePath(name + QStringLiteral(".bmp")), false, {}};
    if (!QDir().mkpath(folder)) {
        outcome.reason = QStringLiteral("无法创建文件夹 ") + folder;
        return outcome;
    }
    // Written beside the target and renamed over it, so a failed write never leaves half a file.
    QSaveFile file(outcome.path);
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.reason = file.errorString();
        return outcome;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.commit()) {
        outcome.reason = file.errorString();
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}

}  // namespace pixmond::app
