#include "services/resources.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <array>
#include <cmath>
#include <numbers>
#include <QPainterPath>
#include <QPixmap>

#include "platform/cursors.h"

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

// The whole sheet in view: a page with arrows to its four corners.
void ImgZoomFit(QPainter& p) {
  Page(p, QRectF(6.5, 4.5, 11, 15));
  p.setPen(QPen(QColor(30, 90, 180), 1.5));
  const QPointF corners[][2] = {{{2, 2}, {6, 6}}, {{22, 2}, {18, 6}}, {{2, 22}, {6, 18}}, {{22, 22}, {18, 18}}};
  for (const auto& c : corners) {
    p.drawLine(c[0], c[1]);
    p.drawLine(c[0], QPointF(c[0].x(), (c[0].y() + c[1].y()) / 2));
    p.drawLine(c[0], QPointF((c[0].x() + c[1].x()) / 2, c[0].y()));
  }
}

// The printer with a setting slider in front of it.
void ImgPrinterSetup(QPainter& p) {
  ImgPrint(p);
  p.setPen(QPen(QColor(40, 40, 40), 1.5));
  p.drawLine(QPointF(3, 21.5), QPointF(21, 21.5));
  p.setBrush(QColor(240, 190, 40));
  p.drawRect(QRectF(12.5, 19, 4, 5));
}

// A door with an arrow leaving through it.
void ImgExit(QPainter& p) {
  p.setPen(QPen(QColor(90, 60, 20), 1));
  p.setBrush(QColor(200, 150, 80));
  p.drawRect(QRectF(4.5, 2.5, 11, 19));
  p.setBrush(QColor(90, 60, 20));
  p.drawEllipse(QPointF(13, 12), 1, 1);
  p.setPen(QPen(QColor(200, 30, 30), 2));
  p.drawLine(QPointF(12, 12), QPointF(22, 12));
  p.drawLine(QPointF(22, 12), QPointF(18.5, 8.5));
  p.drawLine(QPointF(22, 12), QPointF(18.5, 15.5));
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
    // The print window's tool bar.
    {"ActZoomFit", ImgZoomFit},   {"FSetupAct", ImgPrinterSetup},    {"FPrintAct", ImgPrint},
    {"FExitAct", ImgExit},
};

// ---- the palette's tool and template images, 24 x 24 ----

// What a tool or template image shows: an outline and what lies inside it. Templates are
// drawn in seal red, element tools in ink blue, page tools and commands in grey.
enum class TOutline { None, Circle, Ellipse, Square, Wide, Flat, Rhomb, Triangle, RoundRect, CutRect, Arc };
enum class TDetail {
  None, Star, Bar, Ring, Dashes,        // inside round seals
  Cells22, L1R2, L2R1, Cols2, T1B2, T2B1, Rows2, Cols3, Cols4,  // characters of name seals
  HorzLine, VertLine, AnyLine, HorzText, RingText, AnyText, Grid, Picture, Hand, ZoomIn, ZoomOut, ZoomNormal,
  ToFront, ToBack, Centre, NewPicture,
};
enum class TInk { Seal, Element, Page };

struct PaletteImageSpec {
  const char* action;
  TOutline outline;
  TDetail detail;
  TInk ink;
};

constexpr PaletteImageSpec kPaletteImages[] = {
    {"actDrawHorzLine", TOutline::None, TDetail::HorzLine, TInk::Element},
    {"actDrawVertLine", TOutline::None, TDetail::VertLine, TInk::Element},
    {"actDrawAnyLine", TOutline::None, TDetail::AnyLine, TInk::Element},
    {"actDrawArc", TOutline::Arc, TDetail::None, TInk::Element},
    {"actDrawEllipseFrame", TOutline::Ellipse, TDetail::None, TInk::Element},
    {"actDrawRect", TOutline::Wide, TDetail::None, TInk::Element},
    {"actDrawRoundRect", TOutline::RoundRect, TDetail::None, TInk::Element},
    {"actDrawDiamond", TOutline::CutRect, TDetail::None, TInk::Element},
    {"actDrawTriangle", TOutline::Triangle, TDetail::None, TInk::Element},
    {"actDrawRhombFrame", TOutline::Rhomb, TDetail::None, TInk::Element},
    {"actDrawHorzText", TOutline::None, TDetail::HorzText, TInk::Element},
    {"actDrawEllipseText", TOutline::None, TDetail::RingText, TInk::Element},
    {"actDrawAnyText", TOutline::None, TDetail::AnyText, TInk::Element},
    {"actDrawFiveStar", TOutline::None, TDetail::Star, TInk::Element},
    {"actDrawCell", TOutline::None, TDetail::Grid, TInk::Element},
    {"actDrawImage", TOutline::None, TDetail::Picture, TInk::Element},
    {"actScrollPage", TOutline::None, TDetail::Hand, TInk::Page},
    {"actPageZoomIn", TOutline::None, TDetail::ZoomIn, TInk::Page},
    {"actPageZoomOut", TOutline::None, TDetail::ZoomOut, TInk::Page},
    {"actPageZoom", TOutline::None, TDetail::ZoomNormal, TInk::Page},
    {"ActZoomIn", TOutline::None, TDetail::ZoomIn, TInk::Page},
    {"ActZoomOut", TOutline::None, TDetail::ZoomOut, TInk::Page},
    {"actBringToFront", TOutline::None, TDetail::ToFront, TInk::Page},
    {"actSendToBack", TOutline::None, TDetail::ToBack, TInk::Page},
    {"actSameCenter", TOutline::None, TDetail::Centre, TInk::Page},
    {"actChangePicture", TOutline::None, TDetail::NewPicture, TInk::Page},
    {"actDrawGZh", TOutline::Circle, TDetail::Star, TInk::Seal},
    {"actDrawYCW", TOutline::Circle, TDetail::Bar, TInk::Seal},
    {"actDrawYZLA", TOutline::Circle, TDetail::Ring, TInk::Seal},
    {"actDrawYZLB", TOutline::Circle, TDetail::Dashes, TInk::Seal},
    {"actDrawEllipse", TOutline::Ellipse, TDetail::Star, TInk::Seal},
    {"actDrawFPZYZ", TOutline::Ellipse, TDetail::Bar, TInk::Seal},
    {"actDrawTYZLA", TOutline::Ellipse, TDetail::Ring, TInk::Seal},
    {"actDrawTYZLB", TOutline::Ellipse, TDetail::Dashes, TInk::Seal},
    {"actDrawFCW", TOutline::Square, TDetail::Bar, TInk::Seal},
    {"actDrawZZS", TOutline::Flat, TDetail::Bar, TInk::Seal},
    {"actDrawFZLA", TOutline::Square, TDetail::Ring, TInk::Seal},
    {"actDrawFZLB", TOutline::Square, TDetail::Dashes, TInk::Seal},
    {"actDrawRhomb", TOutline::Rhomb, TDetail::Bar, TInk::Seal},
    {"actDrawSJ", TOutline::Triangle, TDetail::Bar, TInk::Seal},
    {"actDraw22MZ", TOutline::Square, TDetail::Cells22, TInk::Seal},
    {"actDraw3ZFZ", TOutline::Square, TDetail::L1R2, TInk::Seal},
    {"actDraw3ZFZA", TOutline::Square, TDetail::L2R1, TInk::Seal},
    {"actDraw2ZFZ", TOutline::Square, TDetail::Cols2, TInk::Seal},
    {"actDraw3ZFZB", TOutline::Square, TDetail::T1B2, TInk::Seal},
    {"actDraw3ZFZC", TOutline::Square, TDetail::T2B1, TInk::Seal},
    {"actDraw2ZFZA", TOutline::Square, TDetail::Rows2, TInk::Seal},
    {"actDraw3ZBMZ", TOutline::Flat, TDetail::Cols3, TInk::Seal},
    {"actDraw2ZBMZ", TOutline::Flat, TDetail::Cols2, TInk::Seal},
    {"actDraw4ZBMZ", TOutline::Flat, TDetail::Cols4, TInk::Seal},
};

// A five-pointed star of the pictures, point up; inner is the inner radius over the outer.
QPainterPath StarPath(QPointF centre, double outer, double inner = 0.4) {
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? outer * inner : outer;
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    if (i == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  return star;
}

QRectF OutlineRect(TOutline outline) {
  switch (outline) {
    case TOutline::Ellipse:
    case TOutline::Wide:
    case TOutline::RoundRect:
    case TOutline::CutRect: return QRectF(2.5, 5.5, 19, 13);
    case TOutline::Flat: return QRectF(1.5, 7.5, 21, 9);
    default: return QRectF(3.5, 3.5, 17, 17);
  }
}

void DrawOutline(QPainter& p, TOutline outline, const QRectF& r) {
  p.setBrush(Qt::NoBrush);
  switch (outline) {
    case TOutline::None: break;
    case TOutline::Circle:
    case TOutline::Ellipse: p.drawEllipse(r); break;
    case TOutline::Square:
    case TOutline::Wide:
    case TOutline::Flat: p.drawRect(r); break;
    case TOutline::RoundRect: p.drawRoundedRect(r, 4, 4); break;
    case TOutline::Arc: p.drawArc(r, 30 * 16, 240 * 16); break;
    case TOutline::CutRect: {
      const QPointF c[] = {{r.left() + 4, r.top()},     {r.right() - 4, r.top()},   {r.right(), r.top() + 4},
                           {r.right(), r.bottom() - 4}, {r.right() - 4, r.bottom()}, {r.left() + 4, r.bottom()},
                           {r.left(), r.bottom() - 4},  {r.left(), r.top() + 4}};
      p.drawPolygon(c, 8);
      break;
    }
    case TOutline::Rhomb: {
      const QPointF c[] = {{12, 2}, {22, 12}, {12, 22}, {2, 12}};
      p.drawPolygon(c, 4);
      break;
    }
    case TOutline::Triangle: {
      const QPointF c[] = {{12, 3}, {22, 20}, {2, 20}};
      p.drawPolygon(c, 3);
      break;
    }
  }
}

// Character cells of a name seal: vertical dividers at the given fractions of the width,
// then horizontal ones, each over part of the width.
void Divide(QPainter& p, const QRectF& r, std::initializer_list<double> columns,
            std::initializer_list<std::array<double, 3>> rows) {
  for (double c : columns) p.drawLine(QPointF(r.left() + c * r.width(), r.top()), QPointF(r.left() + c * r.width(), r.bottom()));
  for (const auto& row : rows)
    p.drawLine(QPointF(r.left() + row[1] * r.width(), r.top() + row[0] * r.height()),
               QPointF(r.left() + row[2] * r.width(), r.top() + row[0] * r.height()));
}

void Blocks(QPainter& p, std::initializer_list<QPointF> centres, double angle) {
  for (const QPointF& c : centres) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.drawRect(QRectF(-2.5, -2.5, 5, 5));
    p.restore();
  }
}

void DrawDetail(QPainter& p, TDetail detail, const QRectF& r, const QColor& ink) {
  const QPointF c = r.center();
  p.setBrush(Qt::NoBrush);
  switch (detail) {
    case TDetail::None: break;
    case TDetail::Star:
      p.setBrush(ink);
      p.drawPath(StarPath(c, std::min(r.width(), r.height()) * 0.3));
      break;
    case TDetail::Bar: p.drawLine(QPointF(c.x() - r.width() * 0.28, c.y()), QPointF(c.x() + r.width() * 0.28, c.y())); break;
    case TDetail::Ring: p.drawEllipse(c, r.width() * 0.3, r.height() * 0.3); break;
    case TDetail::Dashes:
      p.setPen(QPen(ink, 1.2, Qt::DashLine));
      p.drawEllipse(c, r.width() * 0.3, r.height() * 0.3);
      break;
    case TDetail::Cells22: Divide(p, r, {0.5}, {{0.5, 0, 1}}); break;
    case TDetail::L1R2: Divide(p, r, {0.5}, {{0.5, 0, 0.5}}); break;
    case TDetail::L2R1: Divide(p, r, {0.5}, {{0.5, 0.5, 1}}); break;
    case TDetail::Cols2: Divide(p, r, {0.5}, {}); break;
    case TDetail::T1B2:
      Divide(p, r, {}, {{0.5, 0, 1}});
      p.drawLine(QPointF(c.x(), c.y()), QPointF(c.x(), r.bottom()));
      break;
    case TDetail::T2B1:
      Divide(p, r, {}, {{0.5, 0, 1}});
      p.drawLine(QPointF(c.x(), r.top()), QPointF(c.x(), c.y()));
      break;
    case TDetail::Rows2: Divide(p, r, {}, {{0.5, 0, 1}}); break;
    case TDetail::Cols3: Divide(p, r, {1.0 / 3, 2.0 / 3}, {}); break;
    case TDetail::Cols4: Divide(p, r, {0.25, 0.5, 0.75}, {}); break;
    case TDetail::HorzLine: p.drawLine(QPointF(3, 12), QPointF(21, 12)); break;
    case TDetail::VertLine: p.drawLine(QPointF(12, 3), QPointF(12, 21)); break;
    case TDetail::AnyLine: p.drawLine(QPointF(4, 20), QPointF(20, 4)); break;
    case TDetail::HorzText: Blocks(p, {{5, 12}, {12, 12}, {19, 12}}, 0); break;
    case TDetail::RingText:
      p.setPen(QPen(ink, 1, Qt::DotLine));
      p.drawEllipse(QPointF(12, 12), 9, 9);
      p.setPen(QPen(ink, 1.3));
      Blocks(p, {{5.6, 7.5}, {12, 4}, {18.4, 7.5}}, 0);
      break;
    case TDetail::AnyText: Blocks(p, {{6, 18}, {12, 12}, {18, 6}}, -45); break;
    case TDetail::Grid:
      p.drawRect(QRectF(3.5, 5.5, 17, 13));
      p.drawLine(QPointF(3.5, 12), QPointF(20.5, 12));
      p.drawLine(QPointF(12, 5.5), QPointF(12, 18.5));
      break;
    case TDetail::Picture:
    case TDetail::NewPicture: {
      p.drawRect(QRectF(3.5, 4.5, 17, 14));
      const QPointF hills[] = {{4, 18}, {10, 10}, {14, 14}, {16, 12}, {20, 18}};
      p.setBrush(QColor(60, 150, 60));
      p.drawPolygon(hills, 5);
      if (detail == TDetail::NewPicture) {
        p.setPen(QPen(QColor(200, 30, 30), 2));
        p.drawLine(QPointF(14, 21), QPointF(22, 21));
        p.drawLine(QPointF(19, 18), QPointF(22, 21));
      }
      break;
    }
    case TDetail::Hand:
      p.scale(0.75, 0.75);
      DrawHand(p);
      break;
    case TDetail::ZoomIn:
      p.scale(0.75, 0.75);
      DrawZoomIn(p);
      break;
    case TDetail::ZoomOut:
      p.scale(0.75, 0.75);
      DrawZoomOut(p);
      break;
    case TDetail::ZoomNormal: ImgZoomNormal(p); break;
    case TDetail::ToFront:
    case TDetail::ToBack: {
      const QRectF back(3.5, 3.5, 11, 11), front(9.5, 9.5, 11, 11);
      p.setBrush(detail == TDetail::ToFront ? QColor(230, 230, 230) : QColor(120, 160, 220));
      p.drawRect(detail == TDetail::ToFront ? back : front);
      p.setBrush(detail == TDetail::ToFront ? QColor(120, 160, 220) : QColor(230, 230, 230));
      p.drawRect(detail == TDetail::ToFront ? front : back);
      break;
    }
    case TDetail::Centre:
      p.drawEllipse(QPointF(12, 12), 8, 8);
      p.drawEllipse(QPointF(12, 12), 4, 4);
      p.drawLine(QPointF(12, 2), QPointF(12, 22));
      p.drawLine(QPointF(2, 12), QPointF(22, 12));
      break;
  }
}

// Hot images, shown under the mouse, lie on a lit tile in a brighter ink.
void DrawHotTile(QPainter& p, QRectF r) {
  p.setPen(QPen(QColor(225, 180, 80), 1));
  p.setBrush(QColor(255, 243, 196));
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

QColor InkOf(TInk ink, bool hot) {
  switch (ink) {
    case TInk::Seal: return hot ? QColor(240, 30, 30) : QColor(200, 20, 20);
    case TInk::Element: return hot ? QColor(20, 90, 220) : QColor(30, 60, 150);
    case TInk::Page: return hot ? QColor(20, 20, 20) : QColor(60, 60, 60);
  }
  return Qt::black;
}

QPixmap DrawPaletteImage(const PaletteImageSpec& row, bool hot) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (hot) DrawHotTile(p, QRectF(0, 0, 24, 24));
  const QColor ink = InkOf(row.ink, hot);
  p.setPen(QPen(ink, row.ink == TInk::Seal ? 1.6 : 1.4));
  const QRectF r = OutlineRect(row.outline);
  DrawOutline(p, row.outline, r);
  DrawDetail(p, row.detail, row.outline == TOutline::None ? QRectF(2, 2, 20, 20) : r, ink);
  return pixmap;
}

void DrawProgramIcon(QPainter& p) {
  p.scale(2, 2);
  p.setPen(QPen(QColor(210, 20, 20), 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(210, 20, 20));
  p.drawPath(StarPath(QPointF(16, 16.5), 8));
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
  p.setPen(Qt::NoPen);
  p.setBrush(seal);
  p.drawPath(StarPath(QPointF(12, 12), 4.5));
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

QIcon PaletteSwitchImage(bool hot) {
  QPixmap pixmap(48, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (hot) DrawHotTile(p, QRectF(0, 0, 48, 20));
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
  for (const PaletteImageSpec& s : kPaletteImages)
    if (actionName == QLatin1String(s.action)) return QIcon(DrawPaletteImage(s, false));
  return QIcon();
}

QIcon HotToolImage(const QString& actionName) {
  for (const PaletteImageSpec& s : kPaletteImages)
    if (actionName == QLatin1String(s.action)) return QIcon(DrawPaletteImage(s, true));
  return QIcon();
}

}  // namespace app
