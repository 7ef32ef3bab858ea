// Draws the dialogs library's pictures at build time and lists them for the resource
// compiler: generate_pictures <folder to write> <folder of the help page texts>.
// It writes one GIF file per picture and merulin.qrc beside them:
// - the about box's logo and title;
// - the export dialog's five format icons;
// - the eighteen help pages "H003" .. "H020", each made from its text (help/H<nnn>.html, a
//   body of simple HTML) under the topic's caption. The figures in the pages are drawn by
//   the seal model itself, so that they show what the program draws.
// A page whose text does not fit is an error: the build stops rather than cut it.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/pictures.h"
#include "platform/canvas.h"
#include "platform/gbk.h"
#include "platform/gifwriter.h"
#include "seal/seal.h"

namespace {

using merulin::kHelpPageHeight;
using merulin::kHelpPageWidth;
using platform::Gbk;
using seal::TSeal;

const QColor kSealRed(214, 28, 28);
const QColor kInk(40, 48, 64);
const QColor kLabelBlue(0, 90, 170);
const QColor kPink(255, 128, 192);
const char* const kBodyFamily = "WenQuanYi Zen Hei";
const char* const kTitleFamily = "AR PL UKai CN";

QFont Font(const char* family, int pixels, bool bold = false) {
  QFont f(QString::fromUtf8(family));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QImage White(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// ---- the about box ----

// A round red seal with a star, over the upright characters of the program's trade.
QImage Logo() {
  QImage image = White(merulin::kLogoWidth, merulin::kLogoHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(67, 66);
  p.setPen(QPen(kSealRed, 5));
  p.drawEllipse(centre, 54, 54);
  p.setPen(QPen(kSealRed, 1.5));
  p.drawEllipse(centre, 47, 47);
  QPolygonF star;
  for (int k = 0; k < 10; ++k) {
    const double r = k % 2 ? 8.5 : 22.0, a = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
    star << centre + QPointF(r * std::cos(a), r * std::sin(a));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kSealRed);
  p.drawPolygon(star);
  p.setFont(Font(kBodyFamily, 11, true));
  const QString rim = QStringLiteral("BRELVONIX");
  for (int i = 0; i < rim.size(); ++i) {
    const double angle = 200 + i * 140.0 / (rim.size() - 1);
    const double rad = angle * std::numbers::pi / 180;
    p.save();
    p.translate(centre + QPointF(38 * std::cos(rad), 38 * std::sin(rad)));
    p.rotate(angle + 90);
    p.setPen(kSealRed);
    p.drawText(QRectF(-8, -8, 16, 16), Qt::AlignCenter, rim.mid(i, 1));
    p.restore();
  }
  p.setFont(Font(kTitleFamily, 44, true));
  p.setPen(kInk);
  p.drawText(QRectF(0, 126, 134, 60), Qt::AlignCenter, QStringLiteral("印"));
  p.drawText(QRectF(0, 184, 134, 60), Qt::AlignCenter, QStringLiteral("章"));
  p.setPen(QPen(kPink, 2));
  p.drawLine(QPointF(30, 250), QPointF(104, 250));
  return image;
}

QImage Title() {
  QImage image = White(merulin::kTitleWidth, merulin::kTitleHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(kSealRed);
  p.setFont(Font(kBodyFamily, 28, true));
  p.drawText(QRectF(0, 0, 192, 36), Qt::AlignCenter, QStringLiteral("Brelvonix 8"));
  p.setPen(kInk);
  p.setFont(Font(kTitleFamily, 16, true));
  p.drawText(QRectF(0, 34, 192, 22), Qt::AlignCenter, QStringLiteral("中文印章设计与打印"));
  return image;
}

// ---- the format icons, 16 x 16 on a background that the dialog leaves out ----

const QColor kIconBackground(255, 0, 255);

void IconPage(QPainter& p, const QColor& fold) {
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygon{{2, 0}, {10, 0}, {13, 3}, {13, 15}, {2, 15}});
  p.setBrush(fold);
  p.drawPolygon(QPolygon{{10, 0}, {13, 3}, {10, 3}});
}

const std::vector<std::function<void(QPainter&)>> kFormatIcons = {
    [](QPainter& p) {  // bitmap: a landscape of pixels
      p.fillRect(1, 2, 14, 12, QColor(120, 190, 255));
      p.fillRect(1, 10, 14, 4, QColor(40, 150, 40));
      p.fillRect(10, 4, 3, 3, QColor(255, 210, 0));
      p.setPen(QColor(64, 64, 64));
      p.setBrush(Qt::NoBrush);
      p.drawRect(1, 2, 13, 11);
    },
    [](QPainter& p) {  // vector: a page with a drawn curve
      IconPage(p, QColor(200, 200, 200));
      p.setPen(QColor(0, 0, 200));
      p.drawLine(4, 12, 7, 6);
      p.drawLine(7, 6, 11, 11);
      p.fillRect(3, 11, 3, 3, QColor(0, 0, 200));
      p.fillRect(10, 10, 3, 3, QColor(0, 0, 200));
    },
    [](QPainter& p) {  // compressed photograph: a camera
      p.setPen(QColor(40, 40, 40));
      p.setBrush(QColor(90, 90, 90));
      p.drawRect(1, 4, 13, 9);
      p.fillRect(4, 2, 5, 2, QColor(90, 90, 90));
      p.setBrush(QColor(120, 190, 255));
      p.drawEllipse(5, 6, 5, 5);
    },
    [](QPainter& p) {  // palette picture: four colour squares
      p.fillRect(1, 1, 7, 7, QColor(255, 0, 0));
      p.fillRect(8, 1, 7, 7, QColor(0, 160, 0));
      p.fillRect(1, 8, 7, 7, QColor(0, 0, 255));
      p.fillRect(8, 8, 7, 7, QColor(255, 200, 0));
    },
    [](QPainter& p) {  // tagged picture: a page marked T
      IconPage(p, QColor(200, 200, 200));
      p.fillRect(4, 5, 7, 2, QColor(160, 0, 0));
      p.fillRect(7, 5, 2, 8, QColor(160, 0, 0));
    },
};

QImage FormatIcon(int format) {
  const int side = merulin::kFormatIconSide;
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(kIconBackground);
  QPainter p(&image);
  kFormatIcons[size_t(format)](p);
  return image;
}

// ---- figures of the help pages, drawn by the seal model ----

using TDesign = std::function<void(TSeal&)>;

// One element as the program draws it at that many pixels per millimetre, on white.
QImage SealPicture(float pixelsPerMm, const TDesign& design) {
  TSeal seal;
  seal.SetPixelsPerMm(pixelsPerMm);
  seal.SetZoom(100);
  design(seal);
  QImage image = White(std::max(1, seal.Width() + 2), std::max(1, seal.Height() + 2));
  {
    platform::TPainterCanvas canvas(&image);
    seal.DrawTo(1, 1, &canvas, true);
  }
  return image;
}

void RoundSeal(TSeal& s) {
  s.SetSealType(seal::stEllipse);
  s.SetText(Gbk("某某某某科技有限公司"));
  s.SetHaveImage(true);
  s.SetImageIsStar(true);
}

void FinanceSeal(TSeal& s) {
  RoundSeal(s);
  s.SetText3(Gbk("财务专用章"));
  s.SetTextsWidth3(20);
}

void NameSeal(TSeal& s, seal::TSealType type, const char* text) {
  s.SetSealType(type);
  s.SetText(Gbk(text));
  s.SetRealWidth(20);
  s.SetRealHeight(20);
  s.SetPenWidth(2);
  s.SetTextWidth(8);
  s.SetTextHeight(8);
  s.SetTextsWidth(15.5f);
  s.SetTextsHeight(15.5f);
}

// A free text block; the line count and direction come first, since for a block of one
// line the box and the glyph size follow each other.
void FreeText(TSeal& s, const char* text, float width, float height, int lines = 1, bool rows = true,
              bool leftToRight = true) {
  s.SetSealType(seal::stHorzText);
  s.SetPenWidth(0.3f);
  s.SetText(Gbk(text));
  s.SetRowCol(rows);
  s.SetLeftRight(leftToRight);
  s.SetRowColCount(lines);
  s.SetRealWidth(width);
  s.SetRealHeight(height);
  s.SetTextWidth(5);
  s.SetTextHeight(6.5f);
}

// A figure: elements placed on a white area, with captions and pointers.
class TFigure {
 public:
  TFigure(int width, int height) : image_(White(width, height)), painter_(&image_) {
    painter_.setRenderHint(QPainter::Antialiasing);
  }
  // Places the picture centred on (cx, top); returns its rectangle.
  QRect Place(const QImage& picture, int cx, int top) {
    const QRect at(cx - picture.width() / 2, top, picture.width(), picture.height());
    painter_.drawImage(at.topLeft(), picture);
    return at;
  }
  void Caption(const QString& text, int cx, int top) {
    painter_.setFont(Font(kBodyFamily, 12));
    painter_.setPen(kInk);
    painter_.drawText(QRect(cx - 100, top, 200, 18), Qt::AlignHCenter | Qt::AlignTop, text);
  }
  // A label at (x, y) with a line to the point it names; labels left of their point are
  // right-aligned there.
  void Pointer(const QString& text, QPoint label, QPoint target) {
    painter_.setFont(Font(kBodyFamily, 12));
    const int width = painter_.fontMetrics().horizontalAdvance(text);
    const bool left = label.x() < target.x();
    const QPoint lineStart = left ? label + QPoint(4, 0) : label - QPoint(4, 0);
    painter_.setPen(QPen(kLabelBlue, 1));
    painter_.drawLine(lineStart, target);
    painter_.setBrush(kLabelBlue);
    painter_.drawEllipse(QPointF(target), 2.5, 2.5);
    painter_.setPen(kLabelBlue);
    const QRect box(left ? label.x() - width : label.x(), label.y() - 9, width, 18);
    painter_.drawText(box, Qt::AlignVCenter | (left ? Qt::AlignRight : Qt::AlignLeft), text);
  }
  QPainter& Painter() { return painter_; }
  QImage Finish() {
    painter_.end();
    return image_;
  }

 private:
  QImage image_;
  QPainter painter_;
};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QImage FigureSealParts() {
  const float ppmm = 4.2f;
  TFigure f(552, 186);
  const QImage picture = SealPicture(ppmm, [](TSeal& s) {
    FinanceSeal(s);
    s.SetPenWidth1(0.4f);
    s.SetTextCenterY3(11);
    s.SetTextHeight3(5);
    s.SetCodeOn(false);
    s.SetCode("91330100123456");
    s.SetCodeWidth(1.3f);
    s.SetCodeHeight(1.9f);
    s.SetCodeAngle(700);
  });
  const QRect r = f.Place(picture, 276, 4);
  const QPoint c = r.center();
  const int R = r.width() / 2;
  f.Pointer(U("主边框"), {150, 30}, {c.x() - int(R * 0.72), c.y() - int(R * 0.70)});
  f.Pointer(U("主边框衬线"), {150, 66}, {c.x() - int(R * 0.86), c.y() - int(R * 0.18)});
  f.Pointer(U("环排文字（第一文字）"), {150, 104}, {c.x() - int(R * 0.45), c.y() - int(R * 0.55)});
  f.Pointer(U("编码（在边框内侧）"), {150, 166}, {c.x() - int(R * 0.28), c.y() + int(R * 0.86)});
  f.Pointer(U("五星图符"), {404, 50}, {c.x() + 8, c.y() - 4});
  f.Pointer(U("平排文字（第四文字）"), {404, 142}, {c.x() + int(R * 0.30), c.y() + int(11 * ppmm)});
  return f.Finish();
}

// One element of a row of samples, with its caption.
struct TSample {
  TDesign design;
  const char* caption;
};

// Samples side by side at one scale, each centred in its share of the width, the captions
// in one line under the tallest.
QImage Row(float pixelsPerMm, const std::vector<TSample>& samples) {
  std::vector<QImage> pictures;
  int tallest = 0;
  for (const TSample& sample : samples) {
    pictures.push_back(SealPicture(pixelsPerMm, sample.design));
    tallest = std::max(tallest, pictures.back().height());
  }
  const int width = 552, captionTop = 4 + tallest + 5;
  TFigure f(width, captionTop + 18);
  for (size_t i = 0; i < samples.size(); ++i) {
    const int cx = width * int(2 * i + 1) / int(2 * samples.size());
    f.Place(pictures[i], cx, 4 + (tallest - pictures[i].height()) / 2);
    f.Caption(U(samples[i].caption), cx, captionTop);
  }
  return f.Finish();
}

QImage FigureArcTexts() {
  return Row(3.7f, {{[](TSeal& s) {
                       RoundSeal(s);
                       s.SetText1(Gbk("合同专用"));
                       s.SetIsEllipse1(true);
                       s.SetTopOrDown1(false);
                       s.SetTextsWidth1(33);
                       s.SetTextsHeight1(33);
                       s.SetTextAngle1(900);
                       s.SetTextWidth1(4.5f);
                       s.SetTextHeight1(6);
                     },
                     "第一文字弧顶在上，第二文字弧顶在下"},
                    {[](TSeal& s) {
                       RoundSeal(s);
                       s.SetTextAngle(1800);
                       s.SetText2(Gbk("现金收讫"));
                       s.SetTextCenterY2(9);
                       s.SetTextWidth2(6);
                       s.SetTextHeight2(7);
                       s.SetTextsWidth2(28);
                       s.SetTextsHeight2(8);
                     },
                     "环排角度 180 度，第三文字平排"}});
}

QImage FigureTextBlocks() {
  return Row(3.6f, {{[](TSeal& s) { FreeText(s, "春眠不觉晓处处闻啼鸟", 44, 20, 2); }, "横排两行，左排"},
                    {[](TSeal& s) {
                       FreeText(s, "春眠不觉晓处处闻啼鸟", 18, 30, 2, false, false);
                       s.SetTextWidth(5.5f);
                       s.SetTextHeight(5.5f);
                     },
                     "竖排两列，右排"},
                    {[](TSeal& s) {
                       s.SetSealType(seal::stAnyAngleText);
                       s.SetPenWidth(0.3f);
                       s.SetText(Gbk("任意角度"));
                       s.SetRealWidth(30);
                       s.SetRealHeight(30);
                       s.SetTextHeight(6.5f);
                       s.SetTextWidth(4.5f);
                       s.SetTextAngle(450);
                     },
                     "任意角度文字，倾角 45 度"}});
}

// The name-seal templates' layouts, each with the sizes of its large character.
QImage FigureNameLayouts() {
  struct TLayout {
    seal::TSealType type;
    const char* text;
    const char* caption;
    float width, height;  // the glyphs of the layout's characters
    float largeWidth, largeHeight;
  };
  const TLayout layouts[] = {{seal::stName22, "万年青印", "四字名章", 8, 8, 0, 0},
                             {seal::stName12, "吉祥印", "左一右二", 8, 8, 8, 16},
                             {seal::stName21, "吉祥印", "左二右一", 8, 8, 8, 16},
                             {seal::stName12A, "福寿康", "上一下二", 8, 8, 12, 8},
                             {seal::stName21A, "乐未央", "上二下一", 8, 8, 12, 8},
                             {seal::stName11, "吉祥", "横排两字", 7, 15, 0, 0},
                             {seal::stName11A, "如意", "竖排两字", 12, 8, 0, 0}};
  std::vector<TSample> samples;
  for (const TLayout& l : layouts)
    samples.push_back({[l](TSeal& s) {
                         NameSeal(s, l.type, l.text);
                         s.SetTextWidth(l.width);
                         s.SetTextHeight(l.height);
                         if (l.largeWidth > 0) {
                           s.SetTextWidth1(l.largeWidth);
                           s.SetTextHeight1(l.largeHeight);
                         }
                       },
                       l.caption});
  return Row(3.2f, samples);
}

QImage FigureNegative() {
  const auto star = [](TSeal& s) {
    s.SetSealType(seal::stFiveStar);
    s.SetRealWidth(20);
    s.SetRealHeight(20);
  };
  return Row(4, {{[](TSeal& s) { NameSeal(s, seal::stName22, "万年青印"); }, "阳章（勾选“阳章”）"},
                 {[](TSeal& s) {
                    NameSeal(s, seal::stName22, "万年青印");
                    s.SetBrushStyle(platform::bsSolid);
                  },
                  "阴章（不勾选“阳章”）"},
                 {[star](TSeal& s) {
                    star(s);
                    s.SetPenWidth3(0.6f);
                  },
                  "空心五星（勾选“空心”）"},
                 {[star](TSeal& s) {
                    star(s);
                    s.SetBrushStyle(platform::bsSolid);
                  },
                  "实心五星"}});
}

QImage FigureCutLinesAndCode() {
  return Row(3.7f, {{[](TSeal& s) {
                       RoundSeal(s);
                       s.SetLineCount(40);
                       s.SetLineWidth(0.12f);
                       s.SetLineAngle(3600);
                     },
                     "纹线 40 条，环排角度 360 度"},
                    {[](TSeal& s) {
                       RoundSeal(s);
                       s.SetPenWidth(2.2f);
                       s.SetCode("3301021234567");
                       s.SetCodeWidth(1.2f);
                       s.SetCodeHeight(1.8f);
                       s.SetCodeAngle(900);
                     },
                     "编码在边框上（白色镂空）"}});
}

QImage FigureStrokes() {
  const auto text = [](TSeal& s) {
    FreeText(s, "印章", 26, 14);
    s.SetTextWidth(11);
    s.SetTextHeight(12);
  };
  return Row(4, {{text, "普通笔画"},
                 {[text](TSeal& s) {
                    text(s);
                    s.SetTextWeight(100);
                  },
                  "细瘦文字笔画"},
                 {[text](TSeal& s) {
                    text(s);
                    s.SetTextPenWidth(35);
                  },
                  "笔画加粗 35"},
                 {[text](TSeal& s) {
                    text(s);
                    s.SetBlank(true);
                  },
                  "空心轮廓字"}});
}

QImage FigureArtistic() {
  return Row(4, {{[](TSeal& s) {
                    NameSeal(s, seal::stName22, "清风明月");
                    s.SetNameSealFrameType(seal::ftRoundRect);
                    s.SetRealSR(3.5f);
                    s.SetBrushStyle(platform::bsSolid);
                    s.SetTextFontName(seal::FaceName("楷体"));
                  },
                  "圆角阴文，楷体"},
                 {[](TSeal& s) {
                    NameSeal(s, seal::stName11A, "如意");
                    s.SetTextWidth(12);
                    s.SetTextHeight(8);
                    s.SetNameSealFrameType(seal::ftEllipse);
                    s.SetRealWidth(16);
                    s.SetRealHeight(22);
                    s.SetTextsWidth(12);
                    s.SetTextsHeight(17);
                    s.SetPenWidth(1);
                    s.SetTextFontName(seal::FaceName("楷体"));
                  },
                  "椭圆边框，竖排两字"},
                 {[](TSeal& s) {
                    NameSeal(s, seal::stName12, "吉祥印");
                    s.SetTextWidth1(8);
                    s.SetTextHeight1(16);
                    s.SetLineCount(24);
                    s.SetLineWidth(0.15f);
                    s.SetPenWidth1(0.5f);
                    s.SetOutInDelta(0.6f);
                  },
                  "双线边框，加纹线"},
                 {[](TSeal& s) {
                    NameSeal(s, seal::stName22, "闲云野鹤");
                    s.SetNameSealFrameType(seal::ftDiamond);
                    s.SetRealSR(2.5f);
                    s.SetBlank(true);
                    s.SetTextPenWidth(20);
                  },
                  "切角边框，空心字"}});
}

QImage FigureBilingual() {
  const float ppmm = 4.2f;
  TFigure f(552, 186);
  const QImage picture = SealPicture(ppmm, [](TSeal& s) {
    RoundSeal(s);
    s.SetTextAngle(2000);
    s.SetText1("MOUMOU TECHNOLOGY CO.,LTD.");
    s.SetIsEllipse1(true);
    s.SetTopOrDown1(false);
    s.SetTextsWidth1(37);
    s.SetTextsHeight1(37);
    s.SetTextAngle1(1400);
    s.SetTextWidth1(1.4f);
    s.SetTextHeight1(2.6f);
    s.SetTextFontName1(seal::FaceName("黑体"));
    s.SetText3(Gbk("合同专用章"));
    s.SetTextsWidth3(20);
    s.SetTextCenterY3(6.5f);
    s.SetTextWidth3(3.5f);
    s.SetTextHeight3(5);
  });
  const QRect r = f.Place(picture, 276, 4);
  const QPoint c = r.center();
  const int R = r.width() / 2;
  f.Pointer(U("第一文字：中文，弧顶在上"), {150, 34}, {c.x() - int(R * 0.5), c.y() - int(R * 0.62)});
  f.Pointer(U("第二文字：英文，弧顶在下"), {150, 160}, {c.x() - int(R * 0.45), c.y() + int(R * 0.66)});
  f.Pointer(U("第四文字：平排"), {404, 128}, {c.x() + int(R * 0.3), c.y() + int(6.5 * ppmm)});
  return f.Finish();
}

QImage FigureLetter() {
  TFigure f(552, 150);
  QPainter& p = f.Painter();
  p.setPen(QPen(QColor(180, 180, 180), 1));
  p.setBrush(QColor(252, 252, 248));
  p.drawRect(QRectF(140.5, 2.5, 272, 144));
  p.setPen(QColor(90, 90, 90));
  p.setFont(Font(kBodyFamily, 12, true));
  p.drawText(QRect(140, 8, 272, 18), Qt::AlignCenter, U("关于召开年度工作会议的通知"));
  p.setFont(Font(kBodyFamily, 10));
  for (int line = 0; line < 4; ++line)
    p.fillRect(QRect(156 + (line == 0 ? 20 : 0), 34 + line * 14, line == 3 ? 150 : 240 - (line == 0 ? 20 : 0), 5),
               QColor(200, 200, 200));
  p.drawText(QRect(270, 100, 130, 14), Qt::AlignRight, U("某某某某科技有限公司"));
  p.drawText(QRect(270, 116, 130, 14), Qt::AlignRight, U("二〇二四年三月一日"));
  // The exported seal is laid over the signature like ink: its white shows the letter.
  QImage seal = SealPicture(2.2f, RoundSeal);
  p.setCompositionMode(QPainter::CompositionMode_Multiply);
  p.drawImage(QPoint(330 - seal.width() / 2, 96 - seal.height() / 2), seal);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  return f.Finish();
}

const std::map<QString, std::function<QImage()>> kFigures = {
    {QStringLiteral("seal-parts"), FigureSealParts},   {QStringLiteral("arc-texts"), FigureArcTexts},
    {QStringLiteral("text-blocks"), FigureTextBlocks}, {QStringLiteral("name-layouts"), FigureNameLayouts},
    {QStringLiteral("negative"), FigureNegative},      {QStringLiteral("cut-lines"), FigureCutLinesAndCode},
    {QStringLiteral("strokes"), FigureStrokes},        {QStringLiteral("artistic"), FigureArtistic},
    {QStringLiteral("bilingual"), FigureBilingual},    {QStringLiteral("letter"), FigureLetter},
};

// ---- the help pages ----

class EPageTooLong : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr int kMargin = 24;
constexpr int kBodyTop = 60;
constexpr int kFooterTop = kHelpPageHeight - 24;

const char* const kPageStyle =
    "body { color: #283040; }"
    "p { margin-top: 0px; margin-bottom: 5px; line-height: 125%; }"
    "h3 { color: #c01818; font-size: 14px; margin-top: 6px; margin-bottom: 3px; }"
    "ul { margin-top: 0px; margin-bottom: 6px; -qt-list-indent: 1; }"
    "li { margin-bottom: 1px; line-height: 120%; }"
    "b { color: #004f9f; }"
    "td { padding: 2px 4px; }"
    "th { background-color: #fde8ef; color: #a01030; padding: 2px 4px; }"
    ".note { color: #7a5a00; }"
    ".figure { line-height: 100%; margin-top: 2px; margin-bottom: 4px; }";

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
  return QString::fromUtf8(file.readAll());
}

QImage HelpPage(const merulin::THelpTopic& topic, int index, const QString& body) {
  QImage image = White(kHelpPageWidth, kHelpPageHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // The heading: the topic's caption beside a small red seal of its page number, the same
  // number as the footer's (the topic's own number is the viewer's, not the reader's).
  const QRectF mark(kMargin, 14, 30, 30);
  p.setPen(QPen(kSealRed, 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(mark, 4, 4);
  p.setFont(Font(kBodyFamily, 15, true));
  p.setPen(kSealRed);
  p.drawText(mark, Qt::AlignCenter, QString::number(index + 1));
  p.setFont(Font(kTitleFamily, 24, true));
  p.setPen(kInk);
  p.drawText(QRectF(kMargin + 42, 10, 400, 38), Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf8(topic.Caption));
  p.setPen(QPen(kPink, 2));
  p.drawLine(QPointF(kMargin, 52), QPointF(kHelpPageWidth - kMargin, 52));

  QTextDocument document;
  document.setDocumentMargin(0);
  document.setDefaultFont(Font(kBodyFamily, 12));
  document.setDefaultStyleSheet(QString::fromUtf8(kPageStyle));
  document.setIndentWidth(18);
  for (const auto& [name, draw] : kFigures)
    if (body.contains(QStringLiteral("fig:") + name))
      document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("fig:") + name), draw());
  document.setHtml(body);
  document.setTextWidth(kHelpPageWidth - 2 * kMargin);
  const int room = kFooterTop - 6 - kBodyTop;
  if (document.size().height() > room)
    throw EPageTooLong(merulin::HelpPageName(topic.Number).toStdString() + " is " +
                             std::to_string(int(document.size().height()) - room) + " pixels too long");
  p.save();
  p.translate(kMargin, kBodyTop);
  document.drawContents(&p);
  p.restore();

  p.setPen(QPen(QColor(230, 230, 230), 1));
  p.drawLine(QPointF(kMargin, kFooterTop), QPointF(kHelpPageWidth - kMargin, kFooterTop));
  p.setFont(Font(kBodyFamily, 11));
  p.setPen(QColor(140, 140, 140));
  const QRectF footer(kMargin, kFooterTop + 2, kHelpPageWidth - 2 * kMargin, 20);
  p.drawText(footer, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Brelvonix 使用帮助"));
  p.drawText(footer, Qt::AlignVCenter | Qt::AlignRight,
             QStringLiteral("%1 / %2").arg(index + 1).arg(merulin::kHelpTopics.size()));
  return image;
}

// ---- output ----

void WriteQrc(const QString& path, const std::vector<QString>& names) {
  QString text = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/merulin\">\n");
  for (const QString& name : names) text += QStringLiteral("  <file alias=\"%1\">%1.gif</file>\n").arg(name);
  text += QStringLiteral("</qresource>\n</RCC>\n");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
    throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <folder to write> <folder of the help page texts>\n", argv[0]);
    return 2;
  }
  QApplication application(argc, argv);
  try {
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString texts = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    std::vector<std::pair<QString, QImage>> pictures{{QStringLiteral("Logo"), Logo()},
                                                     {QStringLiteral("Title"), Title()}};
    for (int format = 0; format < merulin::kFormatCount; ++format)
      pictures.emplace_back(QStringLiteral("Format%1").arg(format), FormatIcon(format));
    std::string tooLong;
    for (size_t i = 0; i < merulin::kHelpTopics.size(); ++i) {
      const merulin::THelpTopic& topic = merulin::kHelpTopics[i];
      const QString name = merulin::HelpPageName(topic.Number);
      try {
        pictures.emplace_back(name, HelpPage(topic, int(i), ReadText(texts + QLatin1Char('/') + name + ".html")));
      } catch (const EPageTooLong& e) {
        tooLong += std::string(tooLong.empty() ? "" : "; ") + e.what();
      }
    }
    if (!tooLong.empty()) throw std::runtime_error(tooLong);
    std::vector<QString> names;
    for (const auto& [name, image] : pictures) {
      platform::SaveGifFile(image, (out + QLatin1Char('/') + name + ".gif").toStdString());
      names.push_back(name);
    }
    WriteQrc(out + QStringLiteral("/merulin.qrc"), names);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "generate_pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}
