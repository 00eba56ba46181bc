// Draws the main window after a generation into a PNG file, for the documentation:
//   app_screenshot OUTPUT.png
#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

#include "logo.h"
#include "main_window.h"
#include "platform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(pixmond::app::PaintLogo())));
    pixmond::app::QtPlatform platform;
    pixmond::app::MainWindow window(platform, {});
    window.show();
    window.SetEditText(QStringLiteral("你好，Pixmond！扫一扫就能读到这段中文。"));
    QObject::connect(&window, &pixmond::app::MainWindow::GenerationFinished, [&] {
        // A moment for the window system to draw the new picture.
        QTimer::singleShot(500, [&] {
            const QPixmap shot = window.grab();
            QApplication::exit(shot.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1);
        });
    });
    QTimer::singleShot(300, &window, &pixmond::app::MainWindow::Generate);
    return QApplication::exec();
}
