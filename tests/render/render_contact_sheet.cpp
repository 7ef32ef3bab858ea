// Draws one element of every kind, and a few composed seals, onto a contact sheet so that
// a person can look at what the drawing does at a chosen resolution.
//
//   render_contact_sheet [--ppm pixels-per-mm] [--out file.png]

#include <QApplication>
#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/gbk.h"
#include "platform/picture.h"
#include "seal/seal.h"

using namespace seal;
using platform::Gbk;

namespace {

constexpr float kCellMm = 50;
constexpr int kColumns = 6;
constexpr int kLabelPixels = 24;

struct TSample {
  const char* label;
  TSealType kind;
  float widthMm, heightMm;
  std::function<void(TSeal&)> setUp;
};

void NoChange(TSeal&) {}

// The characters of a name seal fill a block just inside its 20 mm frame; the large character
// of the mixed layouts spans both rows or both columns.
void NameSeal(TSeal& s, const char* utf8) {
  s.SetTextsWidth(16);
  s.SetTextsHeight(16);
  // Characters in one row share its width.
  const int inRow = s.SealType() == stName4 ? 4 : s.SealType() == stName111 ? 3 : 2;
  s.SetTextWidth(14.0f / inRow);
  s.SetTextHeight(inRow > 2 ? 12 : 7);
  const bool upright = s.SealType() == stName12 || s.SealType() == stName21;
  s.SetTextWidth1(upright ? 7 : 15);
  s.SetTextHeight1(upright ? 15 : 7);
  s.SetText(Gbk(utf8));
}

// A black-on-white picture for the picture element, recoloured to the seal colour.
void LoadSamplePicture(TSeal& s) {
  QImage image(64, 64, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setBrush(Qt::black);
  p.setPen(Qt::NoPen);
  p.drawEllipse(8, 8, 48, 48);
  p.setBrush(Qt::white);
  p.drawRect(24, 16, 16, 32);
  p.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  platform::TPicture picture;
  picture.LoadFromBytes(platform::TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  s.SetPicture(&picture);
  s.SetHaveImage(true);
}

const std::vector<TSample>& Samples() {
  static const std::vector<TSample> samples = {
      {"0 stName22", stName22, 20, 20, [](TSeal& s) { NameSeal(s, "张三丰印"); }},
      {"1 stName4", stName4, 20, 20, [](TSeal& s) { NameSeal(s, "张三丰印"); }},
      {"2 stName12", stName12, 20, 20, [](TSeal& s) { NameSeal(s, "张三丰"); }},
      {"3 stName12A", stName12A, 20, 20, [](TSeal& s) { NameSeal(s, "张三丰"); }},
      {"4 stName21", stName21, 20, 20, [](TSeal& s) { NameSeal(s, "张三丰"); }},
      {"5 stName21A", stName21A, 20, 20, [](TSeal& s) { NameSeal(s, "张三丰"); }},
      {"6 stName11", stName11, 20, 20, [](TSeal& s) { NameSeal(s, "张三"); }},
      {"7 stName11A", stName11A, 20, 20, [](TSeal& s) { NameSeal(s, "张三"); }},
      {"8 stName111", stName111, 20, 20, [](TSeal& s) { NameSeal(s, "张三丰"); }},
      {"9 stRect", stRect, 42, 42,
       [](TSeal& s) {
         s.SetText(Gbk("中国印章"));
         s.SetText1(Gbk("合同专用章"));
       }},
      {"10 stEllipse", stEllipse, 45, 30,
       [](TSeal& s) {
         s.SetText(Gbk("中国印章公司"));
         s.SetText1(Gbk("财务专用章"));
       }},
      {"11 stEpsCL", stEpsCL, 45, 30, [](TSeal& s) { s.SetText(Gbk("中国印章公司")); }},
      {"12 stTriangle", stTriangle, 42, 36, [](TSeal& s) { s.SetText1(Gbk("中国印章")); }},
      {"13 stRhomb", stRhomb, 42, 42, [](TSeal& s) { s.SetText1(Gbk("中国印章")); }},
      {"14 stHorzLine", stHorzLine, 40, 1.2f, NoChange},
      {"15 stVertLine", stVertLine, 1.2f, 40, NoChange},
      {"16 stAnyAngleLine", stAnyAngleLine, 10, 10,
       [](TSeal& s) {
         s.SetTextAngle(300);
         s.SetRealTextLength(40);
       }},
      {"17 stArc", stArc, 40, 30,
       [](TSeal& s) {
         s.SetTextAngle(300);
         s.SetCodeAngle(2400);
         s.SetTopOrDown(false);
       }},
      {"18 stHorzText", stHorzText, 30, 7.5f, [](TSeal& s) { s.SetText(Gbk("中国印章")); }},
      {"19 stEllipseText", stEllipseText, 40, 40, [](TSeal& s) { s.SetText(Gbk("中国印章公司")); }},
      {"20 stAnyAngleText", stAnyAngleText, 10, 10,
       [](TSeal& s) {
         s.SetText(Gbk("中国印章"));
         s.SetTextAngle(300);
         s.SetRealTextLength(30);
       }},
      {"21 stFiveStar", stFiveStar, 20, 20, NoChange},
      {"22 stCell", stCell, 40, 30,
       [](TSeal& s) {
         s.SetRowColCount(4);
         s.SetRowColCount1(3);
         s.SetPenWidth1(0.3f);
       }},
      {"23 stAnyImage", stAnyImage, 30, 30, LoadSamplePicture},
      {"official seal", stEllipse, 42, 42,
       [](TSeal& s) {
         s.SetText(Gbk("中国印章公司财务专用章"));
         s.SetTextAngle(2400);
         s.SetCode(Gbk("1234567890123"));
         s.SetImageIsStar(true);
         s.SetLineCount(8);
         s.SetLineWidth(0.3f);
       }},
      {"round official seal", stEllipse, 42, 42,
       [](TSeal& s) {
         s.SetText(Gbk("北京市某某科技有限公司"));
         s.SetIsEllipse(true);
         s.SetTextAngle(2100);
         s.SetTextsWidth(33);
         s.SetTextsHeight(33);
         s.SetTextHeight(6);
         s.SetText3(Gbk("财务专用"));
         s.SetIsEllipse3(true);
         s.SetTopOrDown3(false);
         s.SetTextAngle3(900);
         s.SetTextsWidth3(35);
         s.SetTextsHeight3(35);
         s.SetTextCenterY3(0);
         s.SetTextWidth3(3);
         s.SetTextHeight3(3.5f);
         s.SetText1(Gbk("合同专用章"));
         s.SetTextsWidth1(20);
         s.SetTextsHeight1(5);
         s.SetTextCenterY1(7);
         s.SetTextWidth1(3);
         s.SetTextHeight1(4);
         s.SetCLWidth(24);
         s.SetCLHeight(6);
         s.SetCLineCenterY(7);
         s.SetPenWidth4(0.3f);
         s.SetCode(Gbk("1101080012345"));
         s.SetImageIsStar(true);
         s.SetLineCount(12);
         s.SetLineWidth(0.3f);
       }},
      {"negative rect", stRect, 30, 30,
       [](TSeal& s) {
         s.SetBrushStyle(platform::bsSolid);
         s.SetTextsWidth(24);
         s.SetTextsHeight(24);
         s.SetTextWidth(3.5f);
         s.SetTextHeight(5);
         s.SetText(Gbk("中国印章"));
         s.SetLineCount(6);
       }},
      {"pie arc", stArc, 30, 30,
       [](TSeal& s) {
         s.SetTextAngle(450);
         s.SetCodeAngle(3150);
         s.SetBrushStyle(platform::bsSolid);
         s.SetBrushColor(0x80C0FF);
       }},
      {"black arc", stArc, 30, 20,
       [](TSeal& s) {
         s.SetTextAngle(900);
         s.SetCodeAngle(2700);
         s.SetTopOrDown(false);
         s.SetPenColor(platform::clBlack);
       }},
      {"slant -450", stAnyAngleLine, 10, 10,
       [](TSeal& s) {
         s.SetTextAngle(-450);
         s.SetRealTextLength(30);
       }},
  };
  return samples;
}

bool ParseArgs(int argc, char** argv, float* ppm, QString* out) {
  for (int i = 1; i < argc; ++i) {
    const QString a = QString::fromLocal8Bit(argv[i]);
    if (a == "--ppm" && i + 1 < argc) {
      bool ok = false;
      *ppm = QString::fromLocal8Bit(argv[++i]).toFloat(&ok);
      if (!ok || !(*ppm > 0) || *ppm > 100) return false;
    } else if (a == "--out" && i + 1 < argc) {
      *out = QString::fromLocal8Bit(argv[++i]);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  float ppm = 10;
  QString out = QStringLiteral("contact-sheet.png");
  if (!ParseArgs(argc, argv, &ppm, &out)) {
    std::fprintf(stderr, "usage: render_contact_sheet [--ppm pixels-per-mm] [--out file.png]\n");
    return 2;
  }
  const std::vector<TSample>& samples = Samples();
  const int cell = static_cast<int>(kCellMm * ppm);
  const int rows = (static_cast<int>(samples.size()) + kColumns - 1) / kColumns;
  QImage sheet(kColumns * cell, rows * (cell + kLabelPixels), QImage::Format_RGB32);
  sheet.fill(Qt::white);
  {
    QPainter labels(&sheet);
    labels.setPen(QColor(0x60, 0x60, 0x60));
    QFont font = labels.font();
    font.setPixelSize(kLabelPixels * 2 / 3);
    labels.setFont(font);
    for (size_t i = 0; i < samples.size(); ++i) {
      const int cx = static_cast<int>(i % kColumns) * cell, cy = static_cast<int>(i / kColumns) * (cell + kLabelPixels);
      labels.drawRect(cx, cy, cell - 1, cell + kLabelPixels - 1);
      labels.drawText(QRect(cx, cy + cell, cell, kLabelPixels), Qt::AlignCenter, QString::fromLatin1(samples[i].label));
    }
  }
  {
  platform::TPainterCanvas canvas(&sheet);
  for (size_t i = 0; i < samples.size(); ++i) {
    const TSample& sample = samples[i];
    TSeal s;
    s.SetPixelsPerMm(ppm);
    s.SetZoom(100);
    s.SetSealType(sample.kind);
    s.SetRealWidth(sample.widthMm);
    s.SetRealHeight(sample.heightMm);
    sample.setUp(s);
    const int cx = static_cast<int>(i % kColumns) * cell, cy = static_cast<int>(i / kColumns) * (cell + kLabelPixels);
    s.DrawTo(cx + (cell - s.Width()) / 2, cy + (cell - s.Height()) / 2, &canvas, true);
  }
  }
  if (!sheet.save(out, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", out.toLocal8Bit().constData());
    return 1;
  }
  std::printf("%s: %d elements at %g px/mm\n", out.toLocal8Bit().constData(), static_cast<int>(samples.size()), ppm);
  return 0;
}
