#pragma once
// Rendering a widget onto an image of known colour, and reading pixels as colour values.

#include <QImage>
#include <QWidget>

#include "platform/color.h"

inline QImage RenderWidget(QWidget& w, QRgb background = 0xFF808080) {
  QImage image(w.size(), QImage::Format_RGB32);
  image.fill(background);
  w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

inline platform::TColor PixelAt(const QImage& image, int x, int y) { return platform::FromQRgb(image.pixel(x, y)); }
