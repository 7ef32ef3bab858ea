#include <QComboBox>
#include <QImage>
#include <cmath>
#include <map>

#include "docfixture.h"
#include "platform/gbk.h"
#include "controls/kivcontrols.h"
#include "pandrel/pandrel.h"
#include "document/sealtemplates.h"

using seal::TSeal;

namespace {

using Getter = std::function<double(const TSeal&)>;
#define NUM(name) {#name, [](const TSeal& s) { return double(s.name()); }}
const std::map<std::string, Getter>& Numbers() {
  static const std::map<std::string, Getter> m = {
      NUM(RealWidth),     NUM(RealHeight),    NUM(PenWidth),      NUM(PenWidth1),     NUM(PenWidth3),
      NUM(PenWidth4),     NUM(TextAngle),     NUM(TextAngle3),    NUM(CodeAngle),     NUM(RealTextLength),
      NUM(RealSR),        NUM(TextWidth),     NUM(TextWidth1),    NUM(TextHeight),    NUM(TextHeight1),
      NUM(TextsWidth),    NUM(TextsHeight),   NUM(TextsWidth3),   NUM(TextCenterY),   NUM(TextCenterY2),
      NUM(TextCenterY3),  NUM(CLineCenterY),  NUM(RowColCount),   NUM(RowColCount1),  NUM(LineABW),
      NUM(NameSealFrameType), NUM(HaveImage), NUM(ImageIsStar),   NUM(IsZhuanLunA),   NUM(IsEllipse),
      NUM(IsEllipse1),    NUM(IsEllipse3),    NUM(TopOrDown3),
  };
  return m;
}
#undef NUM

#define TXT(name) {#name, [](const TSeal& s) { return s.name(); }}
const std::map<std::string, std::function<std::string(const TSeal&)>>& Texts() {
  static const std::map<std::string, std::function<std::string(const TSeal&)>> m = {
      TXT(Text), TXT(Text1), TXT(Text2), TXT(Text3)};
  return m;
}
#undef TXT

struct Row {
  int tag;
  seal::TSealType kind;
  std::vector<std::pair<const char*, double>> numbers;
  std::vector<std::pair<const char*, const char*>> texts;
};

const char* S10 = "某某某某科技有限公司";

// Values from the templates, and what the setters make of them: a line's pen width is its
// thickness, a one-row text block is as high as its glyphs, a slanted element is as long
// as the diagonal of its bounds.
const std::vector<Row>& Rows() {
  using namespace seal;
  static const std::vector<Row> rows = {
      {1, stHorzLine, {{"RealWidth", 40}, {"RealHeight", 1}, {"PenWidth", 1}}, {}},
      {2, stVertLine, {{"RealHeight", 40}, {"RealWidth", 1}, {"PenWidth", 1}}, {}},
      {3, stAnyAngleLine, {{"RealWidth", 40}, {"RealHeight", 40}, {"TextAngle", 450}, {"RealTextLength", 56.5685}}, {}},
      {4, stArc, {{"TextAngle", 300}, {"CodeAngle", 1500}, {"RealWidth", 42}}, {}},
      {5, stName22, {{"NameSealFrameType", ftEllipse}, {"RealWidth", 20}, {"TextsWidth", 15.5}, {"PenWidth", 1}}, {{"Text", ""}}},
      {6, stName22, {{"NameSealFrameType", ftRectangle}, {"RealHeight", 20}, {"TextsHeight", 15.5}}, {{"Text", ""}}},
      {7, stName22, {{"NameSealFrameType", ftRoundRect}, {"RealSR", 3.5}, {"RealWidth", 20}}, {{"Text", ""}}},
      {8, stName22, {{"NameSealFrameType", ftDiamond}, {"RealSR", 1.5}}, {{"Text", ""}}},
      {9, stTriangle, {{"RealHeight", 38.971}, {"TextCenterY", -14}, {"CLineCenterY", -5.5}, {"PenWidth4", 0}, {"IsEllipse", 0}},
       {{"Text", ""}, {"Text2", ""}, {"Text3", ""}}},
      {10, stRhomb, {{"RealWidth", 45}, {"RealHeight", 25}, {"TextCenterY3", 6}, {"TextHeight", 4.5}}, {{"Text", ""}, {"Text3", ""}}},
      {11, stHorzText, {{"PenWidth", 0.3}, {"TextHeight", 6.5}, {"TextWidth", 5}, {"RealHeight", 6.5}}, {{"Text", "请输入文字"}}},
      {12, stEllipseText, {{"TextHeight", 6.5}, {"TextWidth", 5}}, {{"Text", "请输入弧排文字"}}},
      {13, stAnyAngleText, {{"TextAngle", 450}, {"RealTextLength", 56.5685}, {"TextWidth", 4.5}}, {{"Text", "请输入文字"}}},
      {14, stFiveStar, {{"RealWidth", 12}, {"RealHeight", 12}, {"PenWidth3", 0.35}}, {}},
      {15, stCell, {{"RealWidth", 60}, {"RealHeight", 18}, {"PenWidth", 0.6}, {"PenWidth1", 0.3}, {"RowColCount", 4}, {"RowColCount1", 3}}, {}},
      {16, stAnyImage, {{"RealWidth", 20}, {"RealHeight", 20}, {"HaveImage", 1}, {"ImageIsStar", 0}}, {}},
      {17, stEllipse, {{"HaveImage", 1}, {"ImageIsStar", 1}, {"RealWidth", 42}}, {{"Text", S10}}},
      {18, stEllipse, {{"TextsWidth3", 20}, {"ImageIsStar", 1}}, {{"Text", S10}, {"Text3", "财务专用章"}}},
      {19, stEllipse, {{"TextAngle", 1750}, {"IsZhuanLunA", 1}, {"TextCenterY2", 9}, {"TextCenterY3", 16}, {"PenWidth4", 0.5}},
       {{"Text2", "现金清讫"}, {"Text3", "(01)"}}},
      {20, stEllipse, {{"TextAngle", 1500}, {"IsZhuanLunA", 0}, {"TextCenterY2", 9}, {"TextCenterY3", 16}}, {{"Text2", "现金清讫"}}},
      {21, stEpsCL, {{"RealWidth", 47}, {"RealHeight", 35}, {"LineABW", 12}, {"TextCenterY3", 10}, {"TextAngle", 1650}},
       {{"Text3", "合同专用章"}}},
      {22, stEllipse, {{"RealWidth", 40}, {"RealHeight", 27}, {"IsEllipse3", 1}, {"TopOrDown3", 0}, {"TextAngle3", 900},
                       {"TextCenterY2", 2.5}, {"TextCenterY3", 0}}, {{"Text", "某某市某某科技有限公司"}, {"Text2", "883312345678988"}}},
      {23, stEllipse, {{"TextAngle", 1800}, {"IsZhuanLunA", 1}, {"TextWidth", 3.5}, {"TextCenterY3", 9.5}}, {{"Text3", "现金(1)收讫"}}},
      {24, stEllipse, {{"TextAngle", 1400}, {"IsZhuanLunA", 0}, {"TextWidth", 3.2}, {"TextCenterY3", 9.5}}, {{"Text3", "现金(1)收讫"}}},
      {25, stRect, {{"RowColCount", 2}, {"RowColCount1", 1}, {"TextCenterY", -3}, {"TextCenterY2", 6.5}, {"IsEllipse", 0}},
       {{"Text2", "财务专用章"}}},
      {26, stRect, {{"RealWidth", 50}, {"RealHeight", 12}, {"PenWidth", 0}, {"TextsWidth", 48}}, {{"Text", S10}}},
      {27, stRect, {{"IsZhuanLunA", 1}, {"IsEllipse1", 0}, {"TextCenterY", -11}, {"TextsWidth3", 35}}, {{"Text1", "天堂路88号"}}},
      {28, stRect, {{"IsZhuanLunA", 0}, {"IsEllipse1", 0}, {"TextCenterY", -11}, {"TextsWidth3", 35}}, {{"Text3", "现金(1)清讫"}}},
      {29, stRhomb, {{"PenWidth4", 0.5}, {"TextsWidth", 12}}, {{"Text", "浙江杭州"}, {"Text3", "转讫"}}},
      {30, stTriangle, {{"PenWidth4", 0.5}, {"RealHeight", 38.971}}, {{"Text", S10}, {"Text2", "转帐"}, {"Text3", "转讫"}}},
      {31, stName22, {{"PenWidth", 2}, {"TextWidth", 8}, {"TextsWidth", 15.5}}, {{"Text", "万年青印"}}},
      {32, stName12, {{"TextHeight1", 16}, {"TextWidth1", 8}}, {{"Text", "吉祥印"}}},
      {33, stName21, {{"TextHeight1", 16}, {"TextWidth1", 8}}, {{"Text", "吉祥印"}}},
      {34, stName11, {{"TextWidth", 7}, {"TextHeight", 15}, {"TextsWidth", 15.5}, {"TextsHeight", 39}}, {{"Text", "吉祥"}}},
      {35, stName12A, {{"TextWidth1", 12}, {"TextHeight1", 8}}, {{"Text", "福寿康"}}},
      {36, stName21A, {{"TextWidth1", 12}, {"TextHeight1", 8}}, {{"Text", "乐未央"}}},
      {37, stName11A, {{"TextWidth", 12}, {"TextHeight", 8}}, {{"Text", "如意"}}},
      {38, stName111, {{"RealWidth", 13}, {"RealHeight", 6}, {"PenWidth", 0.8}, {"TextsWidth", 11}}, {{"Text", "寿而康"}}},
      {39, stName11, {{"TextsWidth", 9.5}, {"TextHeight", 4.2}}, {{"Text", "如意"}}},
      {40, stName4, {{"TextWidth", 3}, {"TextsHeight", 5}}, {{"Text", "大吉大利"}}},
      {41, stAnyImage, {{"RealWidth", 20}, {"RealHeight", 20}, {"HaveImage", 1}, {"ImageIsStar", 0}}, {}},
  };
  return rows;
}

QString WritePicture(const QTemporaryDir& dir, const char* name) {
  QImage image(8, 6, QImage::Format_RGB32);
  image.fill(Qt::black);
  const QString path = dir.filePath(QString::fromUtf8(name));
  image.save(path, "BMP");
  return path;
}

}  // namespace

class TemplatesTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryTagMakesItsTemplate() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    const QString picture = WritePicture(f.desk.dir, "emblem.bmp");
    app::Services().OpenPictureFileName = [&](QWidget*, const QString&, const QString&) { return picture; };
    TImagePreview tile;
    tile.SetPictureFromFile(true);
    tile.SetCaption(picture);
    f.host.emblem = &tile;

    QCOMPARE(app::SealTemplates().size(), size_t(41));
    QCOMPARE(Rows().size(), size_t(41));
    for (const Row& row : Rows()) {
      const QByteArray where = QByteArray("tag ") + QByteArray::number(row.tag);
      std::unique_ptr<TSeal> s(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, row.tag, 300, 200));
      QVERIFY2(s != nullptr, where);
      QVERIFY2(s->SealType() == row.kind, where);
      QVERIFY2(s->parentWidget() == PageOf(w) && s->isVisible(), where);
      for (const auto& [name, value] : row.numbers) {
        const double got = Numbers().at(name)(*s);
        QVERIFY2(std::abs(got - value) < 1e-4, where + " " + name + " = " + QByteArray::number(got));
      }
      for (const auto& [name, value] : row.texts)
        QVERIFY2(Texts().at(name)(*s) == platform::Gbk(value), where + " " + name);
      if (row.kind == seal::stAnyImage) QVERIFY2(s->Picture().HasGraphic(), where);
    }
    f.host.emblem = nullptr;
  }

  void CentredOnThePressAtEveryZoomAndResolution() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    for (const int dpi : {96, 120}) {
      PageOf(w)->SetPixelsPerInch(dpi);
      w->SetPixelsPerMm(float(dpi / 25.4L));
      for (const int zoom : {25, 100, 600}) {
        w->ApplyZoom(uint16_t(zoom));
        for (const int tag : {1, 3, 14, 17, 21, 38}) {
          const QByteArray where = QByteArray::number(dpi) + " dpi, " + QByteArray::number(zoom) + "%, tag " +
                                   QByteArray::number(tag);
          std::unique_ptr<TSeal> s(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, tag, 301, 257));
          QVERIFY2(s->Zoom() == zoom, where);
          QVERIFY2(std::abs(2 * s->Left() + s->Width() - 2 * 301) <= 2, where);
          QVERIFY2(std::abs(2 * s->Top() + s->Height() - 2 * 257) <= 2, where);
          const long double scale = zoom * (dpi / 25.4L) / 100;
          QVERIFY2(std::abs(s->Width() - platform::Round(s->RealWidth() * scale)) <= 1, where);
        }
      }
    }
  }

  void FacesFromTheFontBox() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    f.host.fontText = QStringLiteral("黑体");
    std::unique_ptr<TSeal> s(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, 17, 100, 100));
    const seal::TFaceName face = seal::FaceName("黑体");
    QVERIFY(s->TextFontName() == face);
    QVERIFY(s->TextFontName1() == face);
    QVERIFY(s->TextFontName2() == face);
    QVERIFY(s->TextFontName3() == face);
    QVERIFY(s->CodeFontName() == face);
  }

  void LongFaceNamesAreCutOnACharacterBoundary() {
    // 40 double-byte characters: 62 bytes fit, the 32nd character would split.
    const seal::TFaceName cut = app::FaceNameFromText(QString(40, QChar(0x6977)));
    QCOMPARE(std::string(cut.data()), platform::Gbk(QString(31, QChar(0x6977)).toStdString()));
    QVERIFY(cut[61] != 0 && cut[62] == 0 && cut[63] == 0);
    // One byte in front: exactly 63 bytes fit with the terminator.
    const seal::TFaceName full = app::FaceNameFromText(QStringLiteral("A") + QString(40, QChar(0x6977)));
    QVERIFY(full[62] != 0 && full[63] == 0);
    QCOMPARE(std::string(full.data()).size(), size_t(63));
    // A character without a GBK form is left out.
    QCOMPARE(std::string(app::FaceNameFromText(QStringLiteral("宋\U0001F600体")).data()), platform::Gbk("宋体"));
  }

  void ColourFromTheSwatch() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    QCOMPARE(f.host.colour, platform::clRed);
    f.host.colour = 0x00A000;
    for (const int tag : {1, 17, 31}) {
      std::unique_ptr<TSeal> s(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, tag, 100, 100));
      QCOMPARE(s->PenColor(), platform::TColor(0x00A000));
      QCOMPARE(s->BrushColor(), platform::TColor(0x00A000));
    }
  }

  void PictureFromFile() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    QString folder;
    QString answer;
    app::Services().OpenPictureFileName = [&](QWidget*, const QString& start, const QString&) {
      folder = start;
      return answer;
    };
    // Cancel: nothing is made and the page holds no element.
    QVERIFY(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, 16, 100, 100) == nullptr);
    QCOMPARE(folder, f.host.folder + QStringLiteral("我的徽标库/"));
    QVERIFY(SealsOn(PageOf(w)) == 0);
    // A file that is no picture: the error is reported, nothing stays behind.
    answer = f.desk.dir.filePath(QStringLiteral("broken.bmp"));
    QFile broken(answer);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    f.Arm("actDrawImage");
    w->RunGuarded([&] { w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 100, 100); });
    QCOMPARE(f.desk.messages.size(), size_t(1));
    QCOMPARE(f.desk.messages[0].kind, app::TMsgKind::Error);
    QVERIFY(w->Seals().empty());
    QVERIFY(w->CurrentSeal() == nullptr);
    QVERIFY(!w->Modified());
    QVERIFY(SealsOn(PageOf(w)) == 0);
    // A picture: loaded into the element.
    answer = WritePicture(f.desk.dir, "emblem.bmp");
    std::unique_ptr<TSeal> s(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, 16, 100, 100));
    QVERIFY(s && s->Picture().HasGraphic());
    QCOMPARE(s->Picture().Width(), 8);
  }

  void EmblemPictureNeedsASelectedTile() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    QVERIFY(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, 41, 100, 100) == nullptr);
    QVERIFY(SealsOn(PageOf(w)) == 0);
    int count = 0;
    GetPictureCount(count);
    if (count == 0) QSKIP("no built-in emblems");
    TImagePreview tile;
    tile.SetCaption(QStringLiteral("B0"));
    f.host.emblem = &tile;
    std::unique_ptr<TSeal> s(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, 41, 100, 100));
    f.host.emblem = nullptr;
    QVERIFY(s && s->Picture().HasGraphic());
    platform::TPicture expected;
    LoadAPicture(expected, "B0");
    QCOMPARE(s->Picture().Bytes(), expected.Bytes());
  }

  void TagsOutsideTheTableApplyNoTemplate() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    std::unique_ptr<TSeal> s(app::CreateSealForTool(PageOf(w), w->PixelsPerMm(), f.host, 0, 100, 100));
    QCOMPARE(s->SealType(), seal::stName22);
    QCOMPARE(s->RealWidth(), 42.0f);
    QVERIFY(app::SealTemplate(0) == nullptr && app::SealTemplate(42) == nullptr);
  }
};

QTEST_MAIN(TemplatesTest)
#include "templates_test.moc"
