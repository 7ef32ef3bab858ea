#include <QtTest>
#include <cstring>
#include <set>

#include "platform/gbk.h"
#include "property/propertytable.h"

using namespace property;
using namespace seal;

namespace {

TFaceName Face(const std::string& gbk) {
  TFaceName face{};
  std::memcpy(face.data(), gbk.data(), std::min(gbk.size(), face.size()));
  return face;
}

QString Repeat(const char* utf8, int n) { return QString::fromUtf8(utf8).repeated(n); }

template <class T>
size_t Alternative() {
  return std::variant<TAccess<float>, TAccess<int>, TAccess<bool>, TAccess<TFrameType>, TAccess<std::string>,
                      TAccess<TFaceName>>(TAccess<T>{})
      .index();
}

// The type of property a conversion goes with.
size_t AccessFor(TConversion c) {
  switch (c) {
    case TConversion::Length:
      return Alternative<float>();
    case TConversion::Tenths:
    case TConversion::Count:
    case TConversion::Weight:
      return Alternative<int>();
    case TConversion::Flag:
      return Alternative<bool>();
    case TConversion::FrameShape:
      return Alternative<TFrameType>();
    case TConversion::Text:
      return Alternative<std::string>();
    case TConversion::Face:
      return Alternative<TFaceName>();
  }
  return 99;
}

struct ConvertCase {
  const char* name;
  TConversion conversion;
  TShown shown;
  TSealValue value;
};

struct ShowCase {
  const char* name;
  TConversion conversion;
  TSealValue value;
  TShown shown;
};

struct TargetCase {
  int tag;
  TSealType kind;
  int textIndex;
  const char* property;  // nullptr: writes nothing
};

}  // namespace

class TableTest : public QObject {
  Q_OBJECT

 private slots:
  // Every tag once, every property paired with a conversion of its own type, every
  // label once, and the controls of each page in their group boxes.
  void TableIsWhole() {
    std::set<int> tags;
    std::set<int> labels;
    std::set<QString> names;
    for (const TPropertyRow& row : PropertyRows()) {
      QVERIFY2(tags.insert(row.tag).second, row.control);
      QVERIFY2(names.insert(QString::fromUtf8(row.control)).second, row.control);
      if (row.label) QVERIFY2(labels.insert(row.label).second, row.control);
      QCOMPARE(PropertyRow(row.tag), &row);
      QCOMPARE(GroupRows()[size_t(row.group - 1)].page, row.page);
      for (const TWrite& w : row.writes)
        for (size_t k = 0; k < (w.perText ? 4u : 1u); ++k) {
          const TProperty& p = w.properties[k];
          QVERIFY2(p.name, row.control);
          QVERIFY2(p.access.index() == AccessFor(p.conversion), p.name);
        }
      QVERIFY2(row.tag == 31 || !row.writes.empty(), row.control);
      QVERIFY2(!row.writes.empty() ? row.writes.back().kinds == 0 : true, row.control);
    }
    QCOMPARE(int(tags.size()), 68);
    QCOMPARE(*tags.begin(), 1);
    QCOMPARE(*tags.rbegin(), 68);
    QCOMPARE(int(labels.size()), 49);
    QCOMPARE(*labels.rbegin(), 49);
    QCOMPARE(PropertyRow(0), nullptr);
    QCOMPARE(PropertyRow(69), nullptr);
  }

  // The labels stand left of their controls as the form numbers them.
  void LabelNumbers() {
    const std::vector<std::pair<int, int>> tagAndLabel{{1, 1},   {5, 5},   {6, 6},   {8, 7},   {22, 21},
                                                       {25, 22}, {27, 24}, {31, 25}, {32, 26}, {34, 27},
                                                       {42, 35}, {49, 36}, {51, 37}, {56, 42}, {61, 43},
                                                       {66, 48}, {67, 49}, {7, 0},   {33, 0},  {50, 0}};
    for (const auto& [tag, label] : tagAndLabel) QCOMPARE(PropertyRow(tag)->label, label);
  }

  // Ranges and limits of the boxes that differ from the defaults.
  void Ranges() {
    struct Range {
      int tag;
      TControlKind kind;
      double min, max;
      int limit;
    };
    const std::vector<Range> ranges{
        {1, TControlKind::FloatBox, 0, 999, 6},     {2, TControlKind::FloatBox, -100, 999, 6},
        {9, TControlKind::FloatBox, -100, 999, 6},  {17, TControlKind::FloatBox, -100, 999, 6},
        {14, TControlKind::FloatBox, 0, 0, 6},      {39, TControlKind::FloatBox, 0, 0, 6},
        {26, TControlKind::IntegerBox, 0, 255, 0},  {27, TControlKind::IntegerBox, 0, 360, 0},
        {40, TControlKind::IntegerBox, 1, 255, 0},  {42, TControlKind::IntegerBox, 0, 10000, 0},
        {55, TControlKind::IntegerBox, 0, 360, 0},  {65, TControlKind::IntegerBox, 0, 0, 6},
        {66, TControlKind::IntegerBox, 0, 0, 6},    {67, TControlKind::FloatBox, 0, 999, 6},
    };
    for (const Range& r : ranges) {
      const TPropertyRow* row = PropertyRow(r.tag);
      QCOMPARE(row->kind, r.kind);
      QCOMPARE(row->min, r.min);
      QCOMPARE(row->max, r.max);
      QCOMPARE(row->textLimit, r.limit);
    }
    QCOMPARE(PropertyRow(65)->designValue, 4.0);
    QCOMPARE(PropertyRow(66)->designValue, 3.0);
    QCOMPARE(QString::fromUtf8(PropertyRow(50)->designText), QStringLiteral("13572468"));
  }

  // What each conversion makes of what a control shows.
  void ConvertShownValues() {
    const std::string china = platform::Gbk("中国");
    const std::vector<ConvertCase> cases{
        {"length as shown", TConversion::Length, 12.35, 12.35f},
        {"length typed large", TConversion::Length, 1500.0, 1500.0f},
        {"whole degrees to tenths", TConversion::Tenths, 45.0, 450},
        {"negative degrees", TConversion::Tenths, -4.5, -45},
        {"tenths rounded half to even, down", TConversion::Tenths, 0.25, 2},
        {"tenths rounded half to even, up", TConversion::Tenths, 0.75, 8},
        {"count rounded half to even, down", TConversion::Count, 2.5, 2},
        {"count rounded half to even, up", TConversion::Count, 3.5, 4},
        {"count beyond an integer saturates", TConversion::Count, 1e12, INT_MAX},
        {"flag", TConversion::Flag, true, true},
        {"thin strokes", TConversion::Weight, true, 100},
        {"bold strokes", TConversion::Weight, false, 700},
        {"frame shape", TConversion::FrameShape, 3, ftEllipse},
        {"first frame shape", TConversion::FrameShape, 0, ftRectangle},
        {"no item", TConversion::FrameShape, -1, std::monostate{}},
        {"item beyond the four", TConversion::FrameShape, 4, std::monostate{}},
        {"text", TConversion::Text, QStringLiteral("中国"), china},
        {"memo line break", TConversion::Text, QStringLiteral("中\n国"), platform::Gbk("中\r\n国")},
        {"character outside the code page", TConversion::Text, QString::fromUcs4(U"中\U0001F600"),
         platform::Gbk("中") + "?"},
        {"face", TConversion::Face, QStringLiteral("黑体"), Face(platform::Gbk("黑体"))},
        // 40 double-byte characters are 80 bytes: 31 whole ones fit before the zero.
        {"long face cut on a whole character", TConversion::Face, Repeat("宋", 40),
         Face(platform::Gbk(Repeat("宋", 31).toStdString()))},
        {"long face after an odd byte", TConversion::Face, QStringLiteral("ab") + Repeat("宋", 40),
         Face("ab" + platform::Gbk(Repeat("宋", 30).toStdString()))},
        {"a number where a flag is meant", TConversion::Flag, 1.0, std::monostate{}},
    };
    for (const ConvertCase& c : cases) QVERIFY2(ConvertShown(c.conversion, c.shown) == c.value, c.name);
    // A face of 63 single bytes fills the field but for its zero.
    const TSealValue v = ConvertShown(TConversion::Face, QString(70, QLatin1Char('x')));
    const TFaceName& face = std::get<TFaceName>(v);
    QCOMPARE(face[62], 'x');
    QCOMPARE(face[63], '\0');
  }

  // What a control shows for each conversion of a seal value.
  void ShowSealValues() {
    std::string faceBytes = platform::Gbk("楷体");
    TFaceName faceWithTail = Face(faceBytes);
    faceWithTail[faceBytes.size() + 1] = 'Z';  // after the zero: not shown
    const std::vector<ShowCase> cases{
        {"length", TConversion::Length, 12.3456f, double(12.3456f)},
        {"tenths shown in whole degrees", TConversion::Tenths, 455, 45.0},
        {"negative tenths truncated toward zero", TConversion::Tenths, -455, -45.0},
        {"almost a full turn", TConversion::Tenths, 3599, 359.0},
        {"count", TConversion::Count, 12, 12.0},
        {"thin strokes", TConversion::Weight, 100, true},
        {"normal strokes are not thin", TConversion::Weight, 400, false},
        {"flag", TConversion::Flag, false, false},
        {"frame shape", TConversion::FrameShape, ftDiamond, 2},
        {"text line break", TConversion::Text, platform::Gbk("中\r\n国"), QStringLiteral("中\n国")},
        {"face up to its zero", TConversion::Face, faceWithTail, QStringLiteral("楷体")},
    };
    for (const ShowCase& c : cases) QVERIFY2(ShowValue(c.conversion, c.value) == c.shown, c.name);
  }

  // Which property a tag writes, by the seal's kind and the selector's index.
  void Targets() {
    const std::vector<TargetCase> cases{
        {8, stArc, 0, "TextAngle"},          {8, stEllipse, 0, "PenWidth1"},
        {9, stArc, 0, "CodeAngle"},          {9, stName22, 0, "OutInDelta"},
        {19, stFiveStar, 0, "RealWidth"},    {19, stAnyImage, 0, "RealWidth"},
        {19, stEllipse, 0, "ImageWidth"},    {20, stAnyImage, 0, "RealHeight"},
        {20, stRect, 0, "ImageHeight"},      {67, stAnyAngleLine, 0, "TextAngle"},
        {67, stName22, 0, "RealSR"},         {32, stEllipse, 2, "TextFontName2"},
        {33, stEllipse, 3, "Text3"},         {33, stEllipse, -1, nullptr},
        {34, stHorzText, 0, "RealWidth"},    {34, stAnyAngleText, -1, "RealWidth"},
        {34, stEllipse, 1, "TextsWidth1"},   {35, stEllipseText, 0, "RealHeight"},
        {35, stRect, 3, "TextsHeight3"},     {36, stEllipse, -1, nullptr},
        {41, stEllipse, 2, "TextAngle2"},    {41, stEllipseText, 2, "TextAngle"},
        {41, stAnyAngleText, 0, "TextAngle"}, {41, stHorzText, 1, "TextAngle1"},
        {48, stEllipse, 0, "TopOrDown"},     {48, stEllipse, 1, "TopOrDown1"},
        {68, stRect, 1, "TextWeight1"},      {40, stEllipse, 0, "RowColCount"},
        {65, stCell, 0, "RowColCount"},      {66, stCell, 0, "RowColCount1"},
        {61, stCell, 0, "PenWidth"},         {62, stCell, 0, "PenWidth1"},
        {31, stEllipse, 0, nullptr},
    };
    for (const TargetCase& c : cases) {
      const TProperty* p = TargetOf(*PropertyRow(c.tag), c.kind, c.textIndex);
      const QByteArray label = QByteArray::number(c.tag) + " " + (c.property ? c.property : "none");
      QVERIFY2(c.property ? p && std::strcmp(p->name, c.property) == 0 : !p, label.constData());
    }
    // What a control shows is the first text's while the selector names no text.
    QCOMPARE(QString::fromUtf8(ShownTargetOf(*PropertyRow(33), stEllipse, -1)->name), QStringLiteral("Text"));
    QCOMPARE(QString::fromUtf8(ShownTargetOf(*PropertyRow(33), stEllipse, 9)->name), QStringLiteral("Text"));
    QCOMPARE(ShownTargetOf(*PropertyRow(31), stEllipse, 0), nullptr);
  }

  // Applying goes through the setter; a text or face shown just as the seal has it keeps
  // the seal's bytes, also those no interface can show.
  void ApplyKeepsUnshowableBytes() {
    TSeal s;
    const TProperty& text = *TargetOf(*PropertyRow(33), stEllipse, 0);
    const std::string odd("\xFF\xFF\x41", 3);
    s.SetText(odd);
    QVERIFY(!ApplyShown(text, s, ShownProperty(text, s)));
    QCOMPARE(s.Text(), odd);
    QVERIFY(ApplyShown(text, s, QStringLiteral("公司")));
    QCOMPARE(s.Text(), platform::Gbk("公司"));

    const TProperty& face = *TargetOf(*PropertyRow(49), stEllipse, 0);
    TFaceName tail = s.CodeFontName();
    tail[40] = 'Q';
    s.SetCodeFontName(tail);
    QVERIFY(!ApplyShown(face, s, QStringLiteral("黑体")));
    QCOMPARE(s.CodeFontName(), tail);

    // A number is written even when it shows the same: the seal may hold more.
    const TProperty& angle = *TargetOf(*PropertyRow(27), stEllipse, 0);
    s.SetLineAngle(455);
    QVERIFY(ApplyShown(angle, s, ShownProperty(angle, s)));
    QCOMPARE(s.LineAngle(), 450);
    const TProperty& frame = *TargetOf(*PropertyRow(6), stName22, 0);
    QVERIFY(!ApplyShown(frame, s, -1));
  }
};

QTEST_MAIN(TableTest)
#include "table_test.moc"
