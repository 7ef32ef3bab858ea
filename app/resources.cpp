#include "resources.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cmath>
#include <numbers>
#include <QPainterPath>
#include <QPixmap>

#include "cursors.h"

namespace app {

namespace {

using DrawFn = void (*)(QPainter&);

QPixmap Draw(int size, DrawFn draw) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  draw(p);
  return pixmap;
}

// ---- cursors, 32 x 32 ----

void Outlined(QPainter& p, const QPainterPath& path) {
  p.setPen(QPen(Qt::white, 3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(QPen(Qt::black, 1.4));
  p.drawPath(path);
}

void Magnifier(QPainter& p) {
  p.setPen(QPen(Qt::white, 5));
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(QColor(255, 255, 255, 220));
  p.drawEllipse(QPointF(12, 12), 9, 9);
}

void DrawHand(QPainter& p) {
  QPainterPath hand;
  hand.addRoundedRect(QRectF(8, 13, 17, 14), 4, 4);
  for (int i = 0; i < 4; ++i) hand.addRoundedRect(QRectF(8 + i * 4.3, 5 + (i == 0 || i == 3 ? 3 : 0), 4, 12), 2, 2);
  hand.addRoundedRect(QRectF(3, 15, 8, 4), 2, 2);
  p.setPen(QPen(Qt::black, 1.2));
  p.setBrush(Qt::white);
  p.drawPath(hand.simplified());
}

void DrawZoom(QPainter& p) { Magnifier(p); }

void DrawZoomIn(QPainter& p) {
  Magnifier(p);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
  p.drawLine(QPointF(12, 7.5), QPointF(12, 16.5));
}

void DrawZoomOut(QPainter& p) {
  Magnifier(p);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
}

void DrawCharSet(QPainter& p) {
  QPainterPath cross;
  cross.moveTo(10, 1);
  cross.lineTo(10, 19);
  cross.moveTo(1, 10);
  cross.lineTo(19, 10);
  Outlined(p, cross);
  p.setPen(QPen(QColor(200, 0, 0), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(17.5, 17.5, 11, 11));
  p.drawEllipse(QRectF(19.5, 19.5, 7, 7));
}

struct CursorSpec {
  int slot;
  const char* name;
  DrawFn draw;
  int hotX;
  int hotY;
};

constexpr CursorSpec kCursors[] = {
    {2, "Hand", DrawHand, 15, 15},      {3, "Zoom", DrawZoom, 12, 12},
    {4, "ZoomIn", DrawZoomIn, 12, 12},  {5, "ZoomOut", DrawZoomOut, 12, 12},
    {6, "DrawCharSet", DrawCharSet, 10, 10},
};

// ---- tool-bar images, 24 x 24 ----

void Page(QPainter& p, QRectF r) {
  QPainterPath page;
  page.moveTo(r.topLeft());
  page.lineTo(r.right() - 5, r.top());
  page.lineTo(r.right(), r.top() + 5);
  page.lineTo(r.bottomRight());
  page.lineTo(r.bottomLeft());
  page.closeSubpath();
  p.setPen(QPen(QColor(70, 70, 70), 1));
  p.setBrush(Qt::white);
  p.drawPath(page);
  p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
  p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void ImgNew(QPainter& p) {
  Page(p, QRectF(5.5, 2.5, 13, 19));
  p.setPen(QPen(QColor(200, 30, 30), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(12, 13), 4, 4);
}

void ImgOpen(QPainter& p) {
  p.setPen(QPen(QColor(120, 80, 10), 1));
  p.setBrush(QColor(240, 200, 90));
  p.drawRect(QRectF(2.5, 6.5, 17, 13));
  p.drawRect(QRectF(2.5, 4.5, 7, 2));
  p.setBrush(QColor(250, 225, 130));
  const QPointF front[] = {{5.5, 10.5}, {22.5, 10.5}, {19.5, 19.5}, {2.5, 19.5}};
  p.drawPolygon(front, 4);
}

void ImgSave(QPainter& p) {
  p.setPen(QPen(QColor(20, 40, 90), 1));
  p.setBrush(QColor(50, 90, 170));
  p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 3.5, 11, 7));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(7.5, 14.5, 9, 6));
}

void ImgPreview(QPainter& p) {
  Page(p, QRectF(3.5, 2.5, 12, 17));
  p.setPen(QPen(QColor(40, 40, 40), 2.5));
  p.drawLine(QPointF(16, 16), QPointF(21.5, 21.5));
  p.setPen(QPen(QColor(40, 40, 40), 1.2));
  p.setBrush(QColor(190, 220, 255));
  p.drawEllipse(QPointF(13, 13), 5, 5);
}

void ImgPrint(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 2.5, 11, 8));
  p.setBrush(QColor(150, 150, 155));
  p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 14.5, 11, 7));
  p.setPen(QPen(QColor(200, 30, 30), 1));
  p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
  p.setBrush(QColor(60, 200, 60));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(18.5, 12), 1, 1);
}

void ImgCut(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  p.drawLine(QPointF(8, 2), QPointF(15, 15));
  p.drawLine(QPointF(16, 2), QPointF(9, 15));
  p.setPen(QPen(QColor(180, 20, 20), 1.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(7, 18), 3.5, 3.5);
  p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
}

void ImgCopy(QPainter& p) {
  Page(p, QRectF(3.5, 2.5, 11, 14));
  Page(p, QRectF(9.5, 7.5, 11, 14));
}

void ImgPaste(QPainter& p) {
  p.setPen(QPen(QColor(110, 70, 20), 1));
  p.setBrush(QColor(200, 150, 80));
  p.drawRoundedRect(QRectF(3.5, 3.5, 14, 17), 2, 2);
  p.setBrush(QColor(160, 160, 160));
  p.drawRect(QRectF(7.5, 2.5, 6, 3));
  Page(p, QRectF(10.5, 9.5, 10, 12));
}

void ImgDelete(QPainter& p) {
  p.setPen(QPen(QColor(200, 20, 20), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 6), QPointF(18, 18));
  p.drawLine(QPointF(18, 6), QPointF(6, 18));
}

void ImgZoomNormal(QPainter& p) {
  p.setPen(QPen(QColor(40, 40, 40), 3));
  p.drawLine(QPointF(14, 14), QPointF(21, 21));
  p.setPen(QPen(QColor(40, 40, 40), 1.3));
  p.setBrush(QColor(220, 235, 255));
  p.drawEllipse(QPointF(10, 10), 7.5, 7.5);
  QFont f;
  f.setPixelSize(8);
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRectF(2.5, 2.5, 15, 15), Qt::AlignCenter, QStringLiteral("1:1"));
}

void ImgNextFont(QPainter& p) {
  QFont f(QStringLiteral("Serif"));
  f.setPixelSize(16);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(20, 40, 120));
  p.drawText(QRectF(1, 1, 15, 20), Qt::AlignCenter, QStringLiteral("A"));
  p.setPen(QPen(QColor(200, 30, 30), 2));
  p.drawLine(QPointF(14, 17), QPointF(21, 17));
  const QPointF head[] = {{21.5, 17}, {17.5, 13.5}, {17.5, 20.5}};
  p.setBrush(QColor(200, 30, 30));
  p.drawPolygon(head, 3);
}

struct ImageSpec {
  const char* action;
  DrawFn draw;
};

constexpr ImageSpec kToolImages[] = {
    {"actFileNew", ImgNew},       {"actFileOpen", ImgOpen},          {"actFileSave", ImgSave},
    {"actFilePreView", ImgPreview}, {"actFilePrint", ImgPrint},      {"actEditCut", ImgCut},
    {"actEditCopy", ImgCopy},     {"actEditPaste", ImgPaste},        {"actEditDel", ImgDelete},
    {"actViewZoomNormal", ImgZoomNormal}, {"actToolsNextFont", ImgNextFont},
};

void DrawProgramIcon(QPainter& p) {
  p.scale(2, 2);
  p.setPen(QPen(QColor(210, 20, 20), 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? 3.2 : 8;
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const QPointF pt(16 + r * std::cos(a), 16.5 + r * std::sin(a));
    if (i == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(210, 20, 20));
  p.drawPath(star);
}

// ---- the drawing-tools palette ----

// A ring with a star beside three bars of falling length; under the mouse the strip lights up.
void DrawLogo(QPainter& p, bool hot) {
  const QColor seal = hot ? QColor(235, 30, 30) : QColor(190, 20, 20);
  const QColor bars = hot ? QColor(30, 90, 200) : QColor(40, 60, 120);
  QLinearGradient back(0, 0, 0, 23);
  back.setColorAt(0, hot ? QColor(255, 250, 225) : QColor(245, 245, 245));
  back.setColorAt(1, hot ? QColor(250, 225, 160) : QColor(215, 215, 220));
  p.fillRect(QRectF(0, 0, 60, 23), back);
  p.setPen(QPen(seal, 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(12, 11.5), 8.5, 8.5);
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? 1.8 : 4.5;
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const QPointF pt(12 + r * std::cos(a), 12 + r * std::sin(a));
    if (i == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(seal);
  p.drawPath(star);
  p.setBrush(bars);
  const double lengths[] = {32, 25, 18};
  for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(25, 5 + i * 5.5, lengths[i], 3), 1.5, 1.5);
  p.setPen(QPen(QColor(120, 120, 130), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 59, 22));
}

void DrawLogoHot(QPainter& p) { DrawLogo(p, true); }
void DrawLogoCold(QPainter& p) { DrawLogo(p, false); }

// A column of colour bands, as a hint that the swatch beside it takes a colour.
void DrawColourStrip(QPainter& p) {
  const QColor bands[] = {Qt::red, QColor(255, 160, 0), Qt::yellow, QColor(0, 190, 0), Qt::blue, QColor(140, 0, 200)};
  for (int i = 0; i < 6; ++i) p.fillRect(QRectF(0, 1 + i * 5, 6, 5), bands[i]);
  p.fillRect(QRectF(0, 0, 6, 1), Qt::black);
  p.fillRect(QRectF(0, 31, 6, 1), Qt::black);
}

struct BitmapSpec {
  const char* name;
  int width;
  int height;
  DrawFn draw;
};

constexpr BitmapSpec kPaletteBitmaps[] = {
    {"T1", 60, 23, DrawLogoHot},
    {"T2", 60, 23, DrawLogoCold},
    {"C1", 6, 32, DrawColourStrip},
};

// Two arrows pointing apart, for swapping one set of buttons for the other.
void DrawSwitch(QPainter& p) {
  p.setPen(QPen(QColor(40, 60, 120), 2));
  p.setBrush(QColor(40, 60, 120));
  p.drawLine(QPointF(10, 7), QPointF(36, 7));
  p.drawLine(QPointF(12, 13), QPointF(38, 13));
  const QPointF right[] = {{40, 7}, {34, 3.5}, {34, 10.5}};
  const QPointF left[] = {{8, 13}, {14, 9.5}, {14, 16.5}};
  p.drawPolygon(right, 3);
  p.drawPolygon(left, 3);
}

}  // namespace

QPixmap PaletteBitmap(const QString& name) {
  for (const BitmapSpec& b : kPaletteBitmaps) {
    if (name != QLatin1String(b.name)) continue;
    QImage image(b.width, b.height, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    b.draw(p);
    p.end();
    return QPixmap::fromImage(image);
  }
  return QPixmap();
}

QIcon PaletteSwitchImage() {
  QPixmap pixmap(48, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  DrawSwitch(p);
  p.end();
  return QIcon(pixmap);
}

QIcon ProgramIcon() { return QIcon(Draw(64, DrawProgramIcon)); }

QCursor ProgramCursor(const QString& name) {
  for (const CursorSpec& c : kCursors)
    if (name == QLatin1String(c.name)) return QCursor(Draw(32, c.draw), c.hotX, c.hotY);
  return QCursor(Qt::ArrowCursor);
}

void RegisterProgramCursors() {
  for (const CursorSpec& c : kCursors) platform::RegisterScreenCursor(c.slot, ProgramCursor(QLatin1String(c.name)));
}

QIcon ToolImage(const QString& actionName) {
  for (const ImageSpec& s : kToolImages)
    if (actionName == QLatin1String(s.action)) return QIcon(Draw(24, s.draw));
  return QIcon();
}

}  // namespace app
