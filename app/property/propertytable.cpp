#include "property/propertytable.h"

#include <type_traits>

#include "platform/gbk.h"
#include "platform/numeric.h"
#include "document/sealtemplates.h"

namespace property {

using seal::TSeal;
using seal::TSealType;

namespace {

template <class R, class A>
auto Access(R (TSeal::*get)() const, void (TSeal::*set)(A)) {
  return TAccess<std::remove_cvref_t<R>>{get, set};
}

// The memo holds line breaks as the model's texts do, a carriage return and a line feed.
const QString kModelLineBreak = QStringLiteral("\r\n");
const QString kShownLineBreak = QStringLiteral("\n");

// Characters without a form in the code page become '?', as the system's conversion
// makes them.
std::string ModelText(const QString& shown) {
  QString text = shown;
  text.replace(kShownLineBreak, kModelLineBreak);
  std::string bytes;
  for (const char32_t c : text.toUcs4()) {
    try {
      bytes += platform::UnicodeToGbk(QString::fromUcs4(&c, 1));
    } catch (const platform::EEncodingError&) {
      bytes += '?';
    }
  }
  return bytes;
}

QString ShownText(const std::string& model) {
  QString text = platform::GbkToUnicode(model);
  text.replace(kModelLineBreak, kShownLineBreak);
  return text;
}

QString ShownFace(const seal::TFaceName& face) {
  size_t n = 0;
  while (n < face.size() && face[n] != '\0') ++n;
  return platform::GbkToUnicode(std::string_view(face.data(), n));
}

}  // namespace

TSealValue ConvertShown(TConversion conversion, const TShown& shown) {
  const double* number = std::get_if<double>(&shown);
  const bool* flag = std::get_if<bool>(&shown);
  const int* index = std::get_if<int>(&shown);
  const QString* text = std::get_if<QString>(&shown);
  switch (conversion) {
    case TConversion::Length:
      if (number) return static_cast<float>(*number);
      break;
    case TConversion::Tenths:
      if (number) return platform::Round(static_cast<long double>(*number) * 10);
      break;
    case TConversion::Count:
      if (number) return platform::Round(static_cast<long double>(*number));
      break;
    case TConversion::Flag:
      if (flag) return *flag;
      break;
    case TConversion::Weight:
      if (flag) return *flag ? 100 : 700;
      break;
    case TConversion::FrameShape:
      if (index && *index >= seal::ftRectangle && *index <= seal::ftEllipse) return seal::TFrameType(*index);
      break;
    case TConversion::Text:
      if (text) return ModelText(*text);
      break;
    case TConversion::Face:
      if (text) return app::FaceNameFromText(*text);
      break;
  }
  return std::monostate{};
}

TShown ShowValue(TConversion conversion, const TSealValue& value) {
  switch (conversion) {
    case TConversion::Length:
      if (const float* v = std::get_if<float>(&value)) return double(*v);
      break;
    case TConversion::Tenths:
      if (const int* v = std::get_if<int>(&value)) return double(*v / 10);
      break;
    case TConversion::Count:
      if (const int* v = std::get_if<int>(&value)) return double(*v);
      break;
    case TConversion::Flag:
      if (const bool* v = std::get_if<bool>(&value)) return *v;
      break;
    case TConversion::Weight:
      if (const int* v = std::get_if<int>(&value)) return *v == 100;
      break;
    case TConversion::FrameShape:
      if (const auto* v = std::get_if<seal::TFrameType>(&value)) return int(*v);
      break;
    case TConversion::Text:
      if (const auto* v = std::get_if<std::string>(&value)) return ShownText(*v);
      break;
    case TConversion::Face:
      if (const auto* v = std::get_if<seal::TFaceName>(&value)) return ShownFace(*v);
      break;
  }
  return TShown{};
}

TSealValue ReadProperty(const TProperty& property, const TSeal& seal) {
  return std::visit([&](const auto& a) -> TSealValue { return (seal.*a.get)(); }, property.access);
}

TShown ShownProperty(const TProperty& property, const TSeal& seal) {
  return ShowValue(property.conversion, ReadProperty(property, seal));
}

bool ApplyShown(const TProperty& property, TSeal& seal, const TShown& shown) {
  const TSealValue value = ConvertShown(property.conversion, shown);
  if (std::holds_alternative<std::monostate>(value)) return false;
  const bool textual = property.conversion == TConversion::Text || property.conversion == TConversion::Face;
  if (textual && ShownProperty(property, seal) == shown) return false;
  return std::visit(
      [&](const auto& a) {
        using T = std::remove_cvref_t<decltype((seal.*a.get)())>;
        const T* v = std::get_if<T>(&value);
        if (!v) return false;
        (seal.*a.set)(*v);
        return true;
      },
      property.access);
}

namespace {

#define BRELVONIX_PROP(conv, name) \
  TProperty { #name, TConversion::conv, Access(&TSeal::name, &TSeal::Set##name) }
#define BRELVONIX_TEXTS(conv, name)                                                         \
  std::array<TProperty, 4> {                                                                \
    BRELVONIX_PROP(conv, name), BRELVONIX_PROP(conv, name##1), BRELVONIX_PROP(conv, name##2), \
        BRELVONIX_PROP(conv, name##3)                                                        \
  }

TWrite One(TProperty property, TKinds kinds = 0) { return TWrite{kinds, false, {property, {}, {}, {}}}; }
TWrite PerText(std::array<TProperty, 4> properties) { return TWrite{0, true, properties}; }

constexpr TKinds kSlantedLine = KindBit(seal::stAnyAngleLine);
constexpr TKinds kSlantedText = KindBit(seal::stAnyAngleText);
constexpr TKinds kArc = KindBit(seal::stArc);
constexpr TKinds kBlock = KindBit(seal::stHorzText);
constexpr TKinds kFilledEmblems = Kinds({seal::stFiveStar, seal::stAnyImage});
constexpr TKinds kRingTexts = Kinds({seal::stEllipseText, seal::stAnyAngleText});

struct TRowBuilder {
  TPropertyRow row;

  TRowBuilder(int tag, const char* control, TControlKind kind, TPage page, int group, int label,
              const char* caption, std::vector<TWrite> writes) {
    row.tag = tag;
    row.control = control;
    row.kind = kind;
    row.page = page;
    row.group = group;
    row.label = label;
    row.caption = caption;
    row.writes = std::move(writes);
    if (kind == TControlKind::FloatBox) {
      row.max = 999;
      row.textLimit = 6;
    }
  }
  TRowBuilder& Range(double min, double max) {
    row.min = min;
    row.max = max;
    return *this;
  }
  TRowBuilder& Unbounded() { return Range(0, 0); }
  TRowBuilder& Limit(int characters) {
    row.textLimit = characters;
    return *this;
  }
  TRowBuilder& Design(double value) {
    row.designValue = value;
    return *this;
  }
  TRowBuilder& DesignText(const char* text) {
    row.designText = text;
    return *this;
  }
  TRowBuilder& Items(std::vector<const char*> items) {
    row.items = std::move(items);
    return *this;
  }
  TRowBuilder& Then(TWhen when, int tag1, int tag2 = 0) {
    row.refresh.push_back({when, {tag1, tag2}});
    return *this;
  }
  TRowBuilder& Rule(TRule rule) {
    row.rule = rule;
    return *this;
  }
  operator TPropertyRow() const { return row; }
};

using K = TControlKind;
using P = TPage;

TRowBuilder Float(int tag, const char* control, P page, int group, int label, const char* caption,
                  std::vector<TWrite> writes) {
  return TRowBuilder(tag, control, K::FloatBox, page, group, label, caption, std::move(writes));
}
TRowBuilder Integer(int tag, const char* control, P page, int group, int label, const char* caption,
                    std::vector<TWrite> writes) {
  return TRowBuilder(tag, control, K::IntegerBox, page, group, label, caption, std::move(writes));
}
TRowBuilder Check(int tag, const char* control, P page, int group, const char* caption, std::vector<TWrite> writes) {
  return TRowBuilder(tag, control, K::CheckBox, page, group, 0, caption, std::move(writes));
}

std::vector<TPropertyRow> BuildRows() {
  const TWhen slantedLine{kSlantedLine};
  const TWhen slantedText{kSlantedText};
  const TWhen oneColumnBlock{kBlock, false, 0, true};
  const TWhen oneRowBlock{kBlock, false, 1, true};
  const TWhen firstOneColumnBlock{kBlock, true, 0, true};
  const TWhen firstOneRowBlock{kBlock, true, 1, true};
  const TWhen firstBlockInRows{kBlock, true, 1, false};
  const TWhen firstBlockInColumns{kBlock, true, 0, false};
  const TWhen firstBlock{kBlock, true, -1, false};

  return {
      // Page A.
      Float(1, "RxSpinEdit1", P::A, 1, 1, "横向定位：", {One(BRELVONIX_PROP(Length, RealCenterX))}),
      Float(2, "RxSpinEdit2", P::A, 1, 2, "纵向定位：", {One(BRELVONIX_PROP(Length, RealCenterY))}).Range(-100, 999),
      Float(3, "RxSpinEdit3", P::A, 2, 3, "线    宽：", {One(BRELVONIX_PROP(Length, PenWidth))}),
      Float(4, "RxSpinEdit4", P::A, 2, 4, "宽    度：", {One(BRELVONIX_PROP(Length, RealWidth))}).Then(slantedLine, 67),
      Float(5, "RxSpinEdit5", P::A, 2, 5, "高    度：", {One(BRELVONIX_PROP(Length, RealHeight))}).Then(slantedLine, 67),
      TRowBuilder(6, "ComboBox1", K::ItemList, P::A, 2, 6, "边框类型：", {One(BRELVONIX_PROP(FrameShape, NameSealFrameType))})
          .Items({"矩形", "圆角矩形", "切角矩形", "圆[椭圆]形"})
          .Rule(TRule::FrameShape),
      Float(67, "RxSpinEdit45", P::A, 2, 49, "切角尺寸：",
            {One(BRELVONIX_PROP(Tenths, TextAngle), kSlantedLine), One(BRELVONIX_PROP(Length, RealSR))})
          .Then(slantedLine, 4, 5),
      Check(7, "CheckBox1", P::A, 2, "顶点在上", {One(BRELVONIX_PROP(Flag, TopOrDown))}),
      Float(8, "RxSpinEdit6", P::A, 3, 7, "线    宽：",
            {One(BRELVONIX_PROP(Tenths, TextAngle), kArc), One(BRELVONIX_PROP(Length, PenWidth1))}),
      Float(9, "RxSpinEdit7", P::A, 3, 8, "间    距：",
            {One(BRELVONIX_PROP(Tenths, CodeAngle), kArc), One(BRELVONIX_PROP(Length, OutInDelta))})
          .Range(-100, 999),
      Float(10, "RxSpinEdit8", P::A, 4, 9, "线    宽：", {One(BRELVONIX_PROP(Length, PenWidth4))}),
      Float(11, "RxSpinEdit9", P::A, 4, 10, "宽    度：", {One(BRELVONIX_PROP(Length, CLWidth))}),
      Float(12, "RxSpinEdit10", P::A, 4, 11, "高    度：", {One(BRELVONIX_PROP(Length, CLHeight))}),
      Float(13, "RxSpinEdit11", P::A, 4, 12, "间    距：", {One(BRELVONIX_PROP(Length, LineABW))}),
      Float(14, "RxSpinEdit12", P::A, 4, 13, "水平偏移：", {One(BRELVONIX_PROP(Length, CLineCenterX))}).Unbounded(),
      Float(15, "RxSpinEdit13", P::A, 4, 14, "垂直偏移：", {One(BRELVONIX_PROP(Length, CLineCenterY))}).Unbounded(),
      // Page B.
      Float(16, "RxSpinEdit14", P::B, 5, 15, "线    宽：", {One(BRELVONIX_PROP(Length, PenWidth2))}),
      Float(17, "RxSpinEdit15", P::B, 5, 16, "间    距：", {One(BRELVONIX_PROP(Length, InDelta))}).Range(-100, 999),
      Float(18, "RxSpinEdit16", P::B, 6, 17, "线    宽：", {One(BRELVONIX_PROP(Length, PenWidth3))}),
      Float(19, "RxSpinEdit17", P::B, 6, 18, "宽    度：",
            {One(BRELVONIX_PROP(Length, RealWidth), kFilledEmblems), One(BRELVONIX_PROP(Length, ImageWidth))}),
      Float(20, "RxSpinEdit18", P::B, 6, 19, "高    度：",
            {One(BRELVONIX_PROP(Length, RealHeight), kFilledEmblems), One(BRELVONIX_PROP(Length, ImageHeight))}),
      Float(21, "RxSpinEdit19", P::B, 6, 20, "水平偏移：", {One(BRELVONIX_PROP(Length, ImageCenterX))}).Unbounded(),
      Float(22, "RxSpinEdit20", P::B, 6, 21, "垂直偏移：", {One(BRELVONIX_PROP(Length, ImageCenterY))}).Unbounded(),
      Check(23, "CheckBox2", P::B, 6, "颜色跟随画笔", {One(BRELVONIX_PROP(Flag, PicClrChange))}),
      Check(24, "CheckBox3", P::B, 6, "图象透明白色", {One(BRELVONIX_PROP(Flag, PicTransParnt))}),
      Float(25, "RxSpinEdit21", P::B, 7, 22, "线    宽：", {One(BRELVONIX_PROP(Length, LineWidth))}),
      Integer(26, "RxSpinEdit22", P::B, 7, 23, "条    数：", {One(BRELVONIX_PROP(Count, LineCount))}).Range(0, 255),
      Integer(27, "RxSpinEdit23", P::B, 7, 24, "环排角度：", {One(BRELVONIX_PROP(Tenths, LineAngle))}).Range(0, 360),
      Check(28, "CheckBox4", P::B, 7, "直线/贝塞尔曲线", {One(BRELVONIX_PROP(Flag, LineType))}),
      Check(29, "CheckBox5", P::B, 7, "纹线破边框外沿", {One(BRELVONIX_PROP(Flag, OutSide))}),
      Check(30, "CheckBox6", P::B, 7, "纹线破边框内沿", {One(BRELVONIX_PROP(Flag, InSide))}),
      // Page C.
      TRowBuilder(31, "ComboBox2", K::ItemList, P::C, 8, 25, "文字：", {})
          .Items({"第一文字", "第二文字", "第三文字", "第四文字"})
          .Rule(TRule::ReloadText),
      TRowBuilder(32, "ComboBox3", K::FaceList, P::C, 8, 26, "字体：", {PerText(BRELVONIX_TEXTS(Face, TextFontName))}),
      TRowBuilder(33, "Memo1", K::Memo, P::C, 8, 0, nullptr, {PerText(BRELVONIX_TEXTS(Text, Text))}),
      Float(34, "RxSpinEdit24", P::C, 8, 27, "宽    度：",
            {One(BRELVONIX_PROP(Length, RealWidth), kTextKinds), PerText(BRELVONIX_TEXTS(Length, TextsWidth))})
          .Then(slantedText, 41)
          .Then(oneColumnBlock, 36),
      Float(35, "RxSpinEdit25", P::C, 8, 28, "高    度：",
            {One(BRELVONIX_PROP(Length, RealHeight), kTextKinds), PerText(BRELVONIX_TEXTS(Length, TextsHeight))})
          .Then(slantedText, 41)
          .Then(oneRowBlock, 37),
      Float(36, "RxSpinEdit26", P::C, 8, 29, "字    宽：", {PerText(BRELVONIX_TEXTS(Length, TextWidth))})
          .Then(firstOneColumnBlock, 34),
      Float(37, "RxSpinEdit27", P::C, 8, 30, "字    高：", {PerText(BRELVONIX_TEXTS(Length, TextHeight))})
          .Then(firstOneRowBlock, 35),
      Float(38, "RxSpinEdit28", P::C, 8, 31, "水平偏移：", {PerText(BRELVONIX_TEXTS(Length, TextCenterX))}).Unbounded(),
      Float(39, "RxSpinEdit29", P::C, 8, 32, "垂直偏移：", {PerText(BRELVONIX_TEXTS(Length, TextCenterY))}).Unbounded(),
      Integer(40, "RxSpinEdit30", P::C, 8, 33, "行 列 数：", {PerText(BRELVONIX_TEXTS(Count, RowColCount))})
          .Range(1, 255)
          .Then(firstBlockInRows, 35)
          .Then(firstBlockInColumns, 34),
      Integer(41, "RxSpinEdit31", P::C, 8, 34, "环排角度：",
              {One(BRELVONIX_PROP(Tenths, TextAngle), kRingTexts), PerText(BRELVONIX_TEXTS(Tenths, TextAngle))})
          .Range(0, 360)
          .Then(slantedText, 34, 35),
      Integer(42, "RxSpinEdit32", P::C, 8, 35, "笔画加粗：", {PerText(BRELVONIX_TEXTS(Count, TextPenWidth))})
          .Range(0, 10000),
      Check(43, "CheckBox7", P::C, 8, "空心轮廓字", {PerText(BRELVONIX_TEXTS(Flag, Blank))}),
      Check(44, "CheckBox8", P::C, 8, "斜体字", {PerText(BRELVONIX_TEXTS(Flag, Italic))}),
      Check(68, "CheckBox17", P::C, 8, "细瘦文字笔画", {PerText(BRELVONIX_TEXTS(Weight, TextWeight))}),
      Check(45, "CheckBox9", P::C, 8, "横排 [竖排]", {PerText(BRELVONIX_TEXTS(Flag, RowCol))}).Then(firstBlock, 34, 35),
      Check(46, "CheckBox10", P::C, 8, "左排 [右排]", {PerText(BRELVONIX_TEXTS(Flag, LeftRight))}),
      Check(47, "CheckBox11", P::C, 8, "环排 [平排]", {PerText(BRELVONIX_TEXTS(Flag, IsEllipse))})
          .Rule(TRule::TextOnEllipse),
      Check(48, "CheckBox12", P::C, 8, "弧顶在上 [下]", {PerText(BRELVONIX_TEXTS(Flag, TopOrDown))}),
      // Page D.
      TRowBuilder(49, "ComboBox4", K::FaceList, P::D, 9, 36, "字体：", {One(BRELVONIX_PROP(Face, CodeFontName))}),
      TRowBuilder(50, "Edit1", K::Edit, P::D, 9, 0, nullptr, {One(BRELVONIX_PROP(Text, Code))}).DesignText("13572468"),
      Float(51, "RxSpinEdit33", P::D, 9, 37, "编码字宽：", {One(BRELVONIX_PROP(Length, CodeWidth))}),
      Float(52, "RxSpinEdit34", P::D, 9, 38, "编码字高：", {One(BRELVONIX_PROP(Length, CodeHeight))}),
      Float(53, "RxSpinEdit35", P::D, 9, 39, "编码长度：", {One(BRELVONIX_PROP(Length, CodeLength))}),
      Float(54, "RxSpinEdit36", P::D, 9, 40, "离主边框：", {One(BRELVONIX_PROP(Length, CodeToFrame))}),
      Integer(55, "RxSpinEdit37", P::D, 9, 41, "环绕角度：", {One(BRELVONIX_PROP(Tenths, CodeAngle))}).Range(0, 360),
      Integer(56, "RxSpinEdit38", P::D, 9, 42, "笔画加粗：", {One(BRELVONIX_PROP(Count, CodePenWidth))})
          .Range(0, 10000),
      Check(57, "CheckBox13", P::D, 9, "空心轮廓字", {One(BRELVONIX_PROP(Flag, CBlank))}),
      Check(58, "CheckBox14", P::D, 9, "斜体字", {One(BRELVONIX_PROP(Flag, CItalic))}),
      Check(59, "CheckBox15", P::D, 9, "编码在边框上", {One(BRELVONIX_PROP(Flag, CodeOn))}).Rule(TRule::CodeOnFrame),
      Check(60, "CheckBox16", P::D, 9, "编码在印章上部", {One(BRELVONIX_PROP(Flag, CodeTopOrDown))}),
      Float(61, "RxSpinEdit39", P::D, 10, 43, "外框线宽：", {One(BRELVONIX_PROP(Length, PenWidth))}),
      Float(62, "RxSpinEdit40", P::D, 10, 44, "分割线宽：", {One(BRELVONIX_PROP(Length, PenWidth1))}),
      Float(63, "RxSpinEdit41", P::D, 10, 45, "表格宽度：", {One(BRELVONIX_PROP(Length, RealWidth))}),
      Float(64, "RxSpinEdit42", P::D, 10, 46, "表格高度：", {One(BRELVONIX_PROP(Length, RealHeight))}),
      Integer(65, "RxSpinEdit43", P::D, 10, 47, "表格行数：", {One(BRELVONIX_PROP(Count, RowColCount))})
          .Unbounded()
          .Limit(6)
          .Design(4),
      Integer(66, "RxSpinEdit44", P::D, 10, 48, "表格列数：", {One(BRELVONIX_PROP(Count, RowColCount1))})
          .Unbounded()
          .Limit(6)
          .Design(3),
  };
}

#undef BRELVONIX_TEXTS
#undef BRELVONIX_PROP

}  // namespace

const std::vector<TPropertyRow>& PropertyRows() {
  static const std::vector<TPropertyRow> rows = BuildRows();
  return rows;
}

const TPropertyRow* PropertyRow(int tag) {
  static const std::array<const TPropertyRow*, kPropertyTags + 1> byTag = [] {
    std::array<const TPropertyRow*, kPropertyTags + 1> index{};
    for (const TPropertyRow& row : PropertyRows()) index[size_t(row.tag)] = &row;
    return index;
  }();
  return tag >= 1 && tag <= kPropertyTags ? byTag[size_t(tag)] : nullptr;
}

namespace {

const TWrite* WriteOf(const TPropertyRow& row, TSealType kind) {
  for (const TWrite& write : row.writes)
    if (write.kinds == 0 || (write.kinds & KindBit(kind))) return &write;
  return nullptr;
}

}  // namespace

const TProperty* TargetOf(const TPropertyRow& row, TSealType kind, int textIndex) {
  const TWrite* write = WriteOf(row, kind);
  if (!write) return nullptr;
  if (!write->perText) return &write->properties[0];
  if (textIndex < 0 || textIndex > 3) return nullptr;
  return &write->properties[size_t(textIndex)];
}

const TProperty* ShownTargetOf(const TPropertyRow& row, TSealType kind, int textIndex) {
  return TargetOf(row, kind, textIndex >= 1 && textIndex <= 3 ? textIndex : 0);
}

bool Applies(const TWhen& when, const TSeal& seal, int textIndex) {
  if (when.kinds && !(when.kinds & KindBit(seal.SealType()))) return false;
  if (when.firstText && textIndex != 0) return false;
  if (when.rowCol >= 0 && seal.RowCol() != (when.rowCol == 1)) return false;
  if (when.oneLine && seal.RowColCount() != 1) return false;
  return true;
}

const std::array<TGroupRow, 10>& GroupRows() {
  static const std::array<TGroupRow, 10> groups{{
      {1, TPage::A, "中心定位[mm]"},
      {2, TPage::A, "主边框[mm]"},
      {3, TPage::A, "主边框衬线[mm]"},
      {4, TPage::A, "转轮框、中心线[mm]"},
      {5, TPage::B, "内边框[mm]"},
      {6, TPage::B, "图符[mm]"},
      {7, TPage::B, "纹线[mm]"},
      {8, TPage::C, "印章文字[mm]"},
      {9, TPage::D, "印章编码[mm]"},
      {10, TPage::D, "表格[mm]"},
  }};
  return groups;
}

}  // namespace property
