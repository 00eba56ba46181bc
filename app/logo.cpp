#include "logo.h"

#include <QPainter>

#include <array>

#include "pixmond/create.h"
#include "pixmond/qr_code.h"

namespace pixmond::app {

QImage PaintLogo() {
    QImage image(kLogoSide, kLogoSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);

    // Four brackets, each an L of two bars, at the corners of the picture.
    const QColor grey(0x8C, 0x8C, 0x8C);
    constexpr int margin = 40, length = 130, bar = 28;
    constexpr int far = kLogoSide - margin;
    for (const auto& [x, y, dx, dy] : {std::array{margin, margin, 1, 1}, std::array{far, margin, -1, 1},
                                        std::array{margin, far, 1, -1}, std::array{far, far, -1, -1}}) {
        painter.fillRect(QRect(QPoint(x, y), QPoint(x + dx * (length - 1), y + dy * (bar - 1))).normalized(), grey);
        painter.fillRect(QRect(QPoint(x, y), QPoint(x + dx * (bar - 1), y + dy * (length - 1))).normalized(), grey);
    }

    QrCode record;
    pixmond::EncodeText("Pixmond", pixmond::LevelFromText("L"), record);
    const ByteMatrix& matrix = record.GetMatrix();
    const int modules = matrix.GetWidth();
    const int cell = 280 / modules;
    const int origin = (kLogoSide - cell * modules) / 2;
    const QColor ink(0x30, 0x30, 0x30);
    for (int y = 0; y < modules; ++y)
        for (int x = 0; x < modules; ++x)
            if (matrix.Get(x, y) == ByteMatrix::kDark)
                painter.fillRect(origin + x * cell, origin + y * cell, cell, cell, ink);
    return image;
}

}  // namespace pixmond::app
