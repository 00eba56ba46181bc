#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <chrono>

#include "platform.h"

namespace pixmond::app {

void QtPlatform::ShowMessage(const QString& text, const QString& title, BoxIcon icon) {
    QMessageBox box(icon == BoxIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon, title, text,
                    QMessageBox::Ok);
    box.exec();
}

QString QtPlatform::ClipboardText() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }

QString QtPlatform::DesktopFolder() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }

bool QtPlatform::OpenAddress(const QString& encodedAddress) {
    const QUrl url = QUrl::fromEncoded(encodedAddress.toLatin1(), QUrl::StrictMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}

int QtPlatform::ScreenHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

std::uint32_t QtPlatform::TickMilliseconds() {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    return static_cast<std::uint32_t>(ms);
}

DateTime QtPlatform::Now() { return LocalNow(); }

}  // namespace pixmond::app
