// Drawing in black (colour mode off) lends the element black for the drawing only: however
// the drawing ends, its pen, brush and picture colours are its own again afterwards.
#include <QBuffer>
#include <QImage>
#include <QtTest>
#include <stdexcept>

#include "platform/canvas.h"
#include "platform/picture.h"
#include "seal/seal.h"

namespace {

// A canvas that draws nothing, notes the pen colour of every primitive, and fails on its
// n-th primitive (never when n is 0).
class TFailingCanvas final : public platform::TCanvas {
 public:
  explicit TFailingCanvas(int failAt) : FFailAt(failAt) {}
  int Calls() const { return FCalls; }
  const std::vector<platform::TColor>& PenColours() const { return FPenColours; }

  void Rectangle(int, int, int, int) override { Call(); }
  void FillRect(int, int, int, int) override { Call(); }
  void Ellipse(int, int, int, int) override { Call(); }
  void RoundRect(int, int, int, int, int, int) override { Call(); }
  void Polygon(const std::vector<platform::TPoint>&) override { Call(); }
  void Arc(int, int, int, int, int, int, int, int) override { Call(); }
  void Pie(int, int, int, int, int, int, int, int) override { Call(); }
  void TextOut(int, int, std::string_view) override { Call(); }
  void BeginPath() override { Call(); }
  void EndPath() override { Call(); }
  void StrokeAndFillPath() override { Call(); }
  void StretchDraw(int, int, int, int, const platform::TBitmap&) override { Call(); }
  void StretchDraw(int, int, int, int, const platform::TPicture&) override { Call(); }
  void Draw(int, int, const platform::TBitmap&) override { Call(); }
  void Draw(int, int, const platform::TPicture&) override { Call(); }

 protected:
  void DrawLine(platform::TPoint, platform::TPoint) override { Call(); }

 private:
  void Call() {
    FPenColours.push_back(Pen().Color);
    if (++FCalls == FFailAt) throw std::runtime_error("the canvas failed");
  }
  int FFailAt;
  int FCalls = 0;
  std::vector<platform::TColor> FPenColours;
};

constexpr platform::TColor kBlue = 0xFF0000;
constexpr platform::TColor kGreen = 0x00FF00;

// A round seal with texts, a code and an emblem picture of one black pixel, which its pen
// colour recolours, and a fill colour of its own.
void MakeSeal(seal::TSeal& s) {
  s.SetPixelsPerMm(10);
  s.SetZoom(100);
  s.SetSealType(seal::stEllipse);
  QImage image(1, 1, QImage::Format_RGB32);
  image.fill(Qt::black);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QVERIFY(image.save(&buffer, "BMP"));
  platform::TPicture picture;
  picture.LoadFromBytes(platform::TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  s.SetHaveImage(true);
  s.SetImageIsStar(false);
  s.SetPicture(&picture);
  s.SetPicClrChange(true);
  s.SetPenColor(kBlue);
  s.SetBrushColor(kGreen);
  s.SetText("ABC");
  s.SetCodeOn(true);
  s.SetCode("123");
}

platform::TColor PictureColour(const seal::TSeal& s) { return s.RecolourBitmap()->Pixel(0, 0); }

}  // namespace

class BlackModeTest : public QObject {
  Q_OBJECT

 private slots:
  void ColoursComeBackWhateverCallFails() {
    seal::TSeal s;
    MakeSeal(s);
    QCOMPARE(PictureColour(s), kBlue);
    TFailingCanvas whole(0);
    s.DrawTo(0, 0, &whole, false);
    // The drawing is in black, and long enough to fail at its start, middle and end.
    QVERIFY(whole.Calls() >= 3);
    for (platform::TColor c : whole.PenColours()) QCOMPARE(c, platform::clBlack);
    for (int failAt : {1, whole.Calls() / 2, whole.Calls()}) {
      TFailingCanvas failing(failAt);
      QVERIFY_THROWS_EXCEPTION(std::runtime_error, s.DrawTo(0, 0, &failing, false));
      const QByteArray where = "failing at call " + QByteArray::number(failAt);
      QVERIFY2(failing.Calls() == failAt, where);
      QVERIFY2(s.PenColor() == kBlue, where);
      QVERIFY2(s.BrushColor() == kGreen, where);
      QVERIFY2(PictureColour(s) == kBlue, where);
    }
    QCOMPARE(s.PenColor(), kBlue);
    QCOMPARE(s.BrushColor(), kGreen);
  }
};

QTEST_MAIN(BlackModeTest)
#include "black_mode_test.moc"
