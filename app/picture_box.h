#pragma once
// A picture box: shows a picture fitted to its size and keeps the bytes it was given, so that
// saving writes exactly what the module made.

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

namespace pixmond::app {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // A picture that did not come from the module (the logo): nothing to save.
    void SetImage(QImage image);
    // The bytes of a picture file; false (and nothing changed) when they are no picture.
    bool SetPictureBytes(std::vector<std::uint8_t> bytes);
    // The same picture and bytes as another box.
    void CopyPicture(const PictureBox& other);

    const QImage& Image() const noexcept { return image_; }
    const std::optional<std::vector<std::uint8_t>>& PictureBytes() const noexcept { return bytes_; }

signals:
    void LeftReleased();
    void RightReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
    std::optional<std::vector<std::uint8_t>> bytes_;
};

}  // namespace pixmond::app
