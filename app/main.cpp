#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "app_config.h"
#include "logo.h"
#include "main_window.h"
#include "platform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pixmond"));
    QApplication::setDesktopFileName(QStringLiteral("pixmond"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(pixmond::app::PaintLogo())));

    pixmond::app::QtPlatform platform;
    pixmond::app::MainWindow window(platform, pixmond::app::BuildSettings());
    window.show();
    return QApplication::exec();
}
