#include "dialogs/formstyle.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "platform/buttonsize.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/numeric.h"
#include "platform/picture.h"

namespace merulin {

int ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? platform::Round(static_cast<long double>(screen->logicalDotsPerInchX())) : 96;
}

QFont MenuFont() { return QApplication::font("QMenu"); }

void PrepareForm(QDialog* form, Qt::WindowFlags frame) {
  form->setWindowFlags(Qt::Dialog | frame);
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  form->setFont(MenuFont());
}

void PlaceOnScreen(QWidget* form, int clientWidth, int clientHeight) {
  form->setFixedSize(clientWidth, clientHeight);
  const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  form->move(area.x() + (area.width() - clientWidth) / 2, area.y() + (area.height() - clientHeight) / 2);
}

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  widget->setPalette(palette);
}

void SizeButton(QPushButton* button, int pixelsPerInch) {
  button->resize(platform::ButtonSize(button->sizeHint(), pixelsPerInch));
}

void SetBackground(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QPixmap ResourcePicture(const QString& resource, bool transparent) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) throw platform::EPictureError("missing picture " + resource.toStdString());
  const QByteArray bytes = file.readAll();
  QImage image = platform::DecodeGif(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
  if (!transparent) return QPixmap::fromImage(image);
  image = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb background = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (row[x] == background) row[x] = 0;
  }
  return QPixmap::fromImage(image);
}

void DrawBorder(platform::TCanvas& canvas, int width, int height) {
  canvas.SetBrushStyle(platform::bsClear);
  canvas.SetPenWidth(2);
  canvas.SetPenColor(platform::RGBColor(255, 128, 192));
  canvas.Rectangle(1, 1, width, height);
}

}  // namespace merulin
