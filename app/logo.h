#pragma once
// The program's logo: grey corner brackets around a small QR pattern on white.

#include <QImage>

namespace pixmond::app {

inline constexpr int kLogoSide = 512;

// Painted anew each time; the pattern in the middle is a real symbol made by our module.
QImage PaintLogo();

}  // namespace pixmond::app
