#pragma once
// Writing a picture into the program's folder on the desktop.

#include <QString>

#include <cstdint>
#include <vector>

namespace pixmond::app {

inline const QString kSaveFolderName = QStringLiteral("Pixmond保存的二维码");

struct SaveOutcome {
    QString path;    // the file written, or meant to be
    bool ok = false;
    QString reason;  // why it failed
};

// Writes bytes to desktop/Pixmond保存的二维码/<name>.bmp, creating missing folders (the desktop
// folder too) and replacing a file of that name. An empty desktop means the current directory.
SaveOutcome SavePictureFile(const QString& desktopFolder, const QString& name, const std::vector<std::uint8_t>& bytes);

}  // namespace pixmond::app
