#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace pixmond::app {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::SetImage(QImage image) {
    image_ = std::move(image);
    bytes_.reset();
    update();
}

bool PictureBox::SetPictureBytes(std::vector<std::uint8_t> bytes) {
    QImage image;
    if (!image.loadFromData(bytes.data(), static_cast<int>(bytes.size()))) return false;
    image_ = std::move(image);
    bytes_ = std::move(bytes);
    update();
    return true;
}

void PictureBox::CopyPicture(const PictureBox& other) {
    image_ = other.image_;
    bytes_ = other.bytes_;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    // Enlarged QR modules must stay sharp squares; only a picture made smaller is smoothed.
    const bool shrinking = image_.width() > width() || image_.height() > height();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, shrinking);
    painter.drawImage(rect(), image_);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) return;
    if (event->button() == Qt::LeftButton) emit LeftReleased();
    if (event->button() == Qt::RightButton) emit RightReleased();
}

}  // namespace pixmond::app
