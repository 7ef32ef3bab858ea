#include "document/sealtemplates.h"

#include <algorithm>
#include <memory>

#include "controls/kivdrawpanel.h"
#include "document/documenthost.h"
#include "platform/gbk.h"
#include "platform/picture.h"
#include "services/picturefiles.h"

namespace app {

namespace {

using seal::TSeal;
using TSettings = std::vector<TTemplateSetting>;

TTemplateSetting S(void (TSeal::*setter)(float), float v) { return {TTemplateSetting::TFloat{setter, v}}; }
TTemplateSetting S(void (TSeal::*setter)(int), int v) { return {TTemplateSetting::TInt{setter, v}}; }
TTemplateSetting S(void (TSeal::*setter)(bool), bool v) { return {TTemplateSetting::TBool{setter, v}}; }
TTemplateSetting S(void (TSeal::*setter)(const std::string&), const char* v) {
  return {TTemplateSetting::TText{setter, v}};
}
TTemplateSetting S(void (TSeal::*setter)(seal::TFrameType), seal::TFrameType v) {
  return {TTemplateSetting::TFrame{setter, v}};
}
TTemplateSetting ThePicture() { return {TTemplateSetting::TPictureStep{}}; }

// Whether a setting goes through the given setter.
template <class Setter>
bool Uses(const TTemplateSetting& s, Setter setter) {
  return std::visit(
      [&](const auto& step) {
        if constexpr (requires { step.first == setter; })
          return step.first == setter;
        else
          return false;
      },
      s.step);
}

template <class Setter>
TSettings Without(TSettings list, Setter setter) {
  std::erase_if(list, [&](const TTemplateSetting& s) { return Uses(s, setter); });
  return list;
}

// The list with the value of one setting changed in place.
template <class Setter, class Value>
TSettings Replaced(TSettings list, Setter setter, Value v) {
  for (TTemplateSetting& s : list)
    if (Uses(s, setter)) s = S(setter, v);
  return list;
}

constexpr const char* S10 = "某某某某科技有限公司";
constexpr const char* S11 = "某某市某某科技有限公司";

// A new element's TextCenterY2 and TextCenterY3: a sixth and a third of its height of 42 mm.
constexpr float kDefaultCenterY2 = 7;
constexpr float kDefaultCenterY3 = 14;

std::vector<TSealTemplate> BuildTemplates() {
  using namespace seal;
  const TSettings frame = {S(&TSeal::SetText, ""), S(&TSeal::SetPenWidth, 1), S(&TSeal::SetRealWidth, 20),
                           S(&TSeal::SetRealHeight, 20), S(&TSeal::SetTextsWidth, 15.5f),
                           S(&TSeal::SetTextsHeight, 15.5f)};
  const auto frameOf = [&](TFrameType type, float sr) {
    TSettings list = frame;
    if (sr > 0) list.insert(list.begin() + 4, S(&TSeal::SetRealSR, sr));
    list.insert(list.begin() + 1, S(&TSeal::SetNameSealFrameType, type));
    return list;
  };
  const TSettings triangle = {S(&TSeal::SetRowCol3, false),      S(&TSeal::SetIsEllipse, false),
                              S(&TSeal::SetRealWidth, 45),       S(&TSeal::SetRealHeight, 38.971f),
                              S(&TSeal::SetPenWidth, 1),         S(&TSeal::SetPenWidth4, 0),
                              S(&TSeal::SetTextWidth, 3),        S(&TSeal::SetTextHeight, 6),
                              S(&TSeal::SetTextsWidth, 33),      S(&TSeal::SetTextsWidth2, 16),
                              S(&TSeal::SetTextsHeight3, 10),    S(&TSeal::SetTextCenterY, -14),
                              S(&TSeal::SetTextCenterY2, 1),     S(&TSeal::SetTextCenterY3, 9),
                              S(&TSeal::SetCLineCenterY, -5.5f)};
  const TSettings rhomb = {S(&TSeal::SetIsEllipse, false),    S(&TSeal::SetRealWidth, 45),
                           S(&TSeal::SetRealHeight, 25),      S(&TSeal::SetPenWidth, 1),
                           S(&TSeal::SetPenWidth4, 0),        S(&TSeal::SetTextWidth, 3),
                           S(&TSeal::SetTextHeight, 4.5f),    S(&TSeal::SetTextsWidth, 12),
                           S(&TSeal::SetTextsHeight, 6),      S(&TSeal::SetTextsWidth2, 12),
                           S(&TSeal::SetTextsWidth3, 12),     S(&TSeal::SetTextCenterY, -5.5f),
                           S(&TSeal::SetTextCenterY1, -3),    S(&TSeal::SetTextCenterY2, 3),
                           S(&TSeal::SetTextCenterY3, 6)};
  const auto withTexts = [](TSettings texts, const TSettings& rest) {
    texts.insert(texts.end(), rest.begin(), rest.end());
    return texts;
  };
  const TSettings roundRotary = {
      S(&TSeal::SetText, S10),          S(&TSeal::SetText2, "现金清讫"),
      S(&TSeal::SetText3, "(01)"),      S(&TSeal::SetTextAngle, 1750),
      S(&TSeal::SetPenWidth4, 0.5f),    S(&TSeal::SetIsZhuanLunA, true),
      S(&TSeal::SetTextWidth, 3.5f),    S(&TSeal::SetTextHeight, 6),
      S(&TSeal::SetTextWidth2, 6),      S(&TSeal::SetTextHeight2, 8),
      S(&TSeal::SetTextWidth3, 3),      S(&TSeal::SetTextHeight3, 6),
      S(&TSeal::SetTextsWidth3, 8),     S(&TSeal::SetTextsWidth2, 28),
      S(&TSeal::SetTextCenterY2, kDefaultCenterY2 + 2), S(&TSeal::SetTextCenterY3, kDefaultCenterY3 + 2)};
  const TSettings ovalRotary = {
      S(&TSeal::SetText, S10),          S(&TSeal::SetText3, "现金(1)收讫"),
      S(&TSeal::SetTextAngle, 1800),    S(&TSeal::SetIsZhuanLunA, true),
      S(&TSeal::SetRealWidth, 47),      S(&TSeal::SetRealHeight, 35),
      S(&TSeal::SetPenWidth4, 0.5f),    S(&TSeal::SetTextWidth, 3.5f),
      S(&TSeal::SetTextWidth3, 3.5f),   S(&TSeal::SetTextHeight, 5),
      S(&TSeal::SetTextHeight3, 6),     S(&TSeal::SetTextsWidth, 43),
      S(&TSeal::SetTextsHeight, 31),    S(&TSeal::SetTextsWidth3, 26),
      S(&TSeal::SetTextCenterY1, -6),   S(&TSeal::SetTextCenterY2, 6),
      S(&TSeal::SetTextCenterY3, kDefaultCenterY3 - 4.5f)};
  const TSettings squareRotary = {
      S(&TSeal::SetText, S10),          S(&TSeal::SetText1, "天堂路88号"),
      S(&TSeal::SetText3, "现金(1)清讫"), S(&TSeal::SetIsZhuanLunA, true),
      S(&TSeal::SetIsEllipse, false),   S(&TSeal::SetIsEllipse1, false),
      S(&TSeal::SetRealWidth, 40),      S(&TSeal::SetRealHeight, 30),
      S(&TSeal::SetPenWidth, 1),        S(&TSeal::SetPenWidth4, 0.5f),
      S(&TSeal::SetTextWidth, 3.2f),    S(&TSeal::SetTextWidth1, 4),
      S(&TSeal::SetTextWidth3, 5),      S(&TSeal::SetTextHeight, 4.5f),
      S(&TSeal::SetTextHeight1, 4.5f),  S(&TSeal::SetTextHeight3, 8),
      S(&TSeal::SetTextsWidth, 36),     S(&TSeal::SetTextsHeight, 8),
      S(&TSeal::SetTextsWidth1, 28),    S(&TSeal::SetTextsHeight1, 8),
      S(&TSeal::SetTextsWidth3, 35),    S(&TSeal::SetTextsHeight3, 10),
      S(&TSeal::SetTextCenterY, -11),   S(&TSeal::SetTextCenterY1, -6),
      S(&TSeal::SetTextCenterY2, 4),    S(&TSeal::SetTextCenterY3, 9)};
  const TSettings threeChar = {S(&TSeal::SetText, "吉祥印"),     S(&TSeal::SetRealWidth, 20),
                               S(&TSeal::SetRealHeight, 20),      S(&TSeal::SetPenWidth, 2),
                               S(&TSeal::SetTextWidth, 8),        S(&TSeal::SetTextWidth1, 8),
                               S(&TSeal::SetTextHeight, 8),       S(&TSeal::SetTextHeight1, 16),
                               S(&TSeal::SetTextsWidth, 15.5f),   S(&TSeal::SetTextsHeight, 15.5f)};
  const TSettings stacked = {S(&TSeal::SetRealWidth, 20),    S(&TSeal::SetRealHeight, 20),
                             S(&TSeal::SetPenWidth, 2),      S(&TSeal::SetTextWidth, 8),
                             S(&TSeal::SetTextWidth1, 12),   S(&TSeal::SetTextHeight, 8),
                             S(&TSeal::SetTextHeight1, 8),   S(&TSeal::SetTextsWidth, 15.5f),
                             S(&TSeal::SetTextsHeight, 15.5f)};
  const auto flatName = [](const char* text, float textWidth, float textsWidth) {
    return TSettings{S(&TSeal::SetText, text),          S(&TSeal::SetRealWidth, 13),
                     S(&TSeal::SetRealHeight, 6),       S(&TSeal::SetPenWidth, 0.8f),
                     S(&TSeal::SetTextWidth, textWidth), S(&TSeal::SetTextHeight, 4.2f),
                     S(&TSeal::SetTextsWidth, textsWidth), S(&TSeal::SetTextsHeight, 5)};
  };
  const TSettings textTool = {S(&TSeal::SetPenWidth, 0.3f), S(&TSeal::SetText, "请输入文字"),
                              S(&TSeal::SetTextHeight, 6.5f), S(&TSeal::SetTextWidth, 5)};

  return {
      {1, stHorzLine, {S(&TSeal::SetRealWidth, 40), S(&TSeal::SetPenWidth, 1)}},
      {2, stVertLine, {S(&TSeal::SetRealHeight, 40), S(&TSeal::SetPenWidth, 1)}},
      {3, stAnyAngleLine, {S(&TSeal::SetRealWidth, 40), S(&TSeal::SetRealHeight, 40), S(&TSeal::SetTextAngle, 450)}},
      {4, stArc, {S(&TSeal::SetTextAngle, 300), S(&TSeal::SetCodeAngle, 1500)}},
      {5, stName22, frameOf(ftEllipse, 0)},
      {6, stName22, frame},
      {7, stName22, frameOf(ftRoundRect, 3.5f)},
      {8, stName22, frameOf(ftDiamond, 1.5f)},
      {9, stTriangle, withTexts({S(&TSeal::SetText, ""), S(&TSeal::SetText2, ""), S(&TSeal::SetText3, "")}, triangle)},
      {10, stRhomb, withTexts({S(&TSeal::SetText, ""), S(&TSeal::SetText3, "")}, rhomb)},
      {11, stHorzText, textTool},
      {12, stEllipseText, Replaced(textTool, &TSeal::SetText, "请输入弧排文字")},
      {13, stAnyAngleText,
       {S(&TSeal::SetPenWidth, 0.3f), S(&TSeal::SetText, "请输入文字"), S(&TSeal::SetRealWidth, 40),
        S(&TSeal::SetRealHeight, 40), S(&TSeal::SetTextHeight, 6.5f), S(&TSeal::SetTextWidth, 4.5f),
        S(&TSeal::SetTextAngle, 450)}},
      {14, stFiveStar, {S(&TSeal::SetRealWidth, 12), S(&TSeal::SetRealHeight, 12), S(&TSeal::SetPenWidth3, 0.35f)}},
      {15, stCell,
       {S(&TSeal::SetRealWidth, 60), S(&TSeal::SetRealHeight, 18), S(&TSeal::SetPenWidth, 0.6f),
        S(&TSeal::SetPenWidth1, 0.3f), S(&TSeal::SetRowColCount, 4), S(&TSeal::SetRowColCount1, 3)}},
      {16, stAnyImage,
       {S(&TSeal::SetRealWidth, 20), S(&TSeal::SetRealHeight, 20), ThePicture(), S(&TSeal::SetHaveImage, true),
        S(&TSeal::SetImageIsStar, false)}},
      {17, stEllipse, {S(&TSeal::SetText, S10), S(&TSeal::SetHaveImage, true), S(&TSeal::SetImageIsStar, true)}},
      {18, stEllipse,
       {S(&TSeal::SetText, S10), S(&TSeal::SetText3, "财务专用章"), S(&TSeal::SetTextsWidth3, 20),
        S(&TSeal::SetHaveImage, true), S(&TSeal::SetImageIsStar, true)}},
      {19, stEllipse, roundRotary},
      {20, stEllipse, Without(Replaced(roundRotary, &TSeal::SetTextAngle, 1500), &TSeal::SetIsZhuanLunA)},
      {21, stEpsCL,
       {S(&TSeal::SetText, S10),        S(&TSeal::SetText3, "合同专用章"), S(&TSeal::SetTextAngle, 1650),
        S(&TSeal::SetHaveImage, true),  S(&TSeal::SetImageIsStar, true),   S(&TSeal::SetRealWidth, 47),
        S(&TSeal::SetRealHeight, 35),   S(&TSeal::SetLineABW, 12),         S(&TSeal::SetPenWidth4, 0.5f),
        S(&TSeal::SetCLWidth, 40),      S(&TSeal::SetTextWidth, 3),        S(&TSeal::SetTextWidth3, 4),
        S(&TSeal::SetTextHeight, 5),    S(&TSeal::SetTextHeight3, 7),      S(&TSeal::SetTextsWidth, 43),
        S(&TSeal::SetTextsHeight, 31),  S(&TSeal::SetTextsWidth3, 24),     S(&TSeal::SetTextCenterY1, -6),
        S(&TSeal::SetTextCenterY2, 6),  S(&TSeal::SetTextCenterY3, kDefaultCenterY3 - 4)}},
      {22, stEllipse,
       {S(&TSeal::SetText, S11),          S(&TSeal::SetText2, "883312345678988"), S(&TSeal::SetText3, "发票专用章"),
        S(&TSeal::SetTextAngle, 1550),    S(&TSeal::SetTextAngle3, 900),          S(&TSeal::SetTopOrDown3, false),
        S(&TSeal::SetRealWidth, 40),      S(&TSeal::SetRealHeight, 27),           S(&TSeal::SetTextWidth, 2.5f),
        S(&TSeal::SetTextWidth2, 2),      S(&TSeal::SetTextWidth3, 3),            S(&TSeal::SetTextHeight, 4.5f),
        S(&TSeal::SetTextHeight2, 5),     S(&TSeal::SetTextHeight3, 5),           S(&TSeal::SetTextsWidth, 36),
        S(&TSeal::SetTextsHeight, 23),    S(&TSeal::SetTextsWidth2, 34),          S(&TSeal::SetTextsHeight2, 4),
        S(&TSeal::SetTextsWidth3, 36),    S(&TSeal::SetTextsHeight3, 23),         S(&TSeal::SetIsEllipse3, true),
        S(&TSeal::SetTextCenterY1, -4.5f), S(&TSeal::SetTextCenterY2, kDefaultCenterY2 - 4.5f),
        S(&TSeal::SetTextCenterY3, 0)}},
      {23, stEllipse, ovalRotary},
      {24, stEllipse,
       Replaced(Without(Replaced(ovalRotary, &TSeal::SetTextAngle, 1400), &TSeal::SetIsZhuanLunA),
                &TSeal::SetTextWidth, 3.2f)},
      {25, stRect,
       {S(&TSeal::SetText, S10),          S(&TSeal::SetText2, "财务专用章"), S(&TSeal::SetIsEllipse, false),
        S(&TSeal::SetRowColCount, 2),     S(&TSeal::SetRowColCount1, 1),     S(&TSeal::SetRealWidth, 22),
        S(&TSeal::SetRealHeight, 22),     S(&TSeal::SetTextWidth, 3.2f),     S(&TSeal::SetTextHeight, 6),
        S(&TSeal::SetTextWidth2, 3.5f),   S(&TSeal::SetTextHeight2, 6),      S(&TSeal::SetTextsWidth, 18),
        S(&TSeal::SetTextsHeight, 12),    S(&TSeal::SetTextsWidth2, 18),     S(&TSeal::SetTextsHeight2, 6),
        S(&TSeal::SetTextCenterY, 0 - 3), S(&TSeal::SetTextCenterY1, -3.5f),
        S(&TSeal::SetTextCenterY2, kDefaultCenterY2 - 0.5f), S(&TSeal::SetTextCenterY3, 7)}},
      {26, stRect,
       {S(&TSeal::SetText, S10), S(&TSeal::SetIsEllipse, false), S(&TSeal::SetRealWidth, 50),
        S(&TSeal::SetRealHeight, 12), S(&TSeal::SetPenWidth, 0), S(&TSeal::SetTextWidth, 4),
        S(&TSeal::SetTextHeight, 6), S(&TSeal::SetTextsWidth, 48), S(&TSeal::SetTextsHeight, 11),
        S(&TSeal::SetTextCenterY1, -2), S(&TSeal::SetTextCenterY2, 2), S(&TSeal::SetTextCenterY3, 4)}},
      {27, stRect, squareRotary},
      {28, stRect, Without(squareRotary, &TSeal::SetIsZhuanLunA)},
      {29, stRhomb,
       withTexts({S(&TSeal::SetText, "浙江杭州"), S(&TSeal::SetText3, "转讫")},
                 Replaced(rhomb, &TSeal::SetPenWidth4, 0.5f))},
      {30, stTriangle,
       withTexts({S(&TSeal::SetText, S10), S(&TSeal::SetText2, "转帐"), S(&TSeal::SetText3, "转讫")},
                 Replaced(triangle, &TSeal::SetPenWidth4, 0.5f))},
      {31, stName22,
       {S(&TSeal::SetText, "万年青印"), S(&TSeal::SetPenWidth, 2), S(&TSeal::SetRealWidth, 20),
        S(&TSeal::SetRealHeight, 20), S(&TSeal::SetTextWidth, 8), S(&TSeal::SetTextHeight, 8),
        S(&TSeal::SetTextsWidth, 15.5f), S(&TSeal::SetTextsHeight, 15.5f)}},
      {32, stName12, threeChar},
      {33, stName21, threeChar},
      {34, stName11,
       {S(&TSeal::SetText, "吉祥"), S(&TSeal::SetRealWidth, 20), S(&TSeal::SetRealHeight, 20),
        S(&TSeal::SetPenWidth, 2), S(&TSeal::SetTextWidth, 7), S(&TSeal::SetTextHeight, 15),
        S(&TSeal::SetTextsWidth, 15.5f)}},
      {35, stName12A, withTexts({S(&TSeal::SetText, "福寿康")}, stacked)},
      {36, stName21A, withTexts({S(&TSeal::SetText, "乐未央")}, stacked)},
      {37, stName11A,
       {S(&TSeal::SetText, "如意"), S(&TSeal::SetRealWidth, 20), S(&TSeal::SetRealHeight, 20),
        S(&TSeal::SetPenWidth, 2), S(&TSeal::SetTextWidth, 12), S(&TSeal::SetTextHeight, 8),
        S(&TSeal::SetTextsWidth, 15.5f), S(&TSeal::SetTextsHeight, 15.5f)}},
      {38, stName111, flatName("寿而康", 4, 11)},
      {39, stName11, flatName("如意", 4, 9.5f)},
      {40, stName4, flatName("大吉大利", 3, 11)},
      {41, stAnyImage,
       {S(&TSeal::SetRealWidth, 20), S(&TSeal::SetRealHeight, 20), ThePicture(), S(&TSeal::SetImageIsStar, false),
        S(&TSeal::SetHaveImage, true)}},
  };
}

// The picture the user picks for tag 16; false when the dialog is cancelled.
bool PickElementPicture(QWidget* parent, const TDocumentHost& host, platform::TPicture& picture) {
  return !PickPictureFile(parent, host.ProgramFolder(), picture).isEmpty();
}

}  // namespace

void TTemplateSetting::ApplyTo(seal::TSeal& element, const platform::TPicture* picture) const {
  std::visit(
      [&](const auto& s) {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, TPictureStep>)
          element.SetPicture(picture);
        else if constexpr (std::is_same_v<T, TText>)
          (element.*s.first)(platform::Gbk(s.second));
        else
          (element.*s.first)(s.second);
      },
      step);
}

const std::vector<TSealTemplate>& SealTemplates() {
  static const std::vector<TSealTemplate> table = BuildTemplates();
  return table;
}

const TSealTemplate* SealTemplate(int tag) {
  const auto& table = SealTemplates();
  const auto it = std::find_if(table.begin(), table.end(), [tag](const TSealTemplate& t) { return t.tag == tag; });
  return it == table.end() ? nullptr : &*it;
}

seal::TFaceName FaceNameFromText(const QString& text) {
  std::string bytes;
  for (const char32_t c : text.toUcs4()) {
    try {
      bytes += platform::UnicodeToGbk(QString::fromUcs4(&c, 1));
    } catch (const platform::EEncodingError&) {
    }
  }
  const std::string cut = platform::GbkCut(bytes, sizeof(seal::TFaceName) - 1);
  seal::TFaceName face{};
  std::copy(cut.begin(), cut.end(), face.begin());
  return face;
}

void SetAllFaces(seal::TSeal& element, const seal::TFaceName& face) {
  element.SetTextFontName(face);
  element.SetTextFontName1(face);
  element.SetTextFontName2(face);
  element.SetTextFontName3(face);
  element.SetCodeFontName(face);
}

seal::TSeal* CreateSealForTool(TKivDrawPanel* page, float pixelsPerMm, const TDocumentHost& host, int tag, int x,
                               int y) {
  auto element = std::make_unique<seal::TSeal>(page);
  element->SetPixelsPerMm(pixelsPerMm);
  element->SetZoom(page->Zoom());

  if (const TSealTemplate* row = SealTemplate(tag)) {
    element->SetSealType(row->kind);
    platform::TPicture picture;
    const bool needsPicture = std::any_of(row->settings.begin(), row->settings.end(), [](const TTemplateSetting& s) {
      return std::holds_alternative<TTemplateSetting::TPictureStep>(s.step);
    });
    if (needsPicture) {
      // A picture that will not load leaves nothing behind: the error goes to the guard
      // around the press, and the element is freed on the way out.
      const bool chosen = tag == 16 ? PickElementPicture(page, host, picture) : host.LoadSelectedEmblem(picture);
      if (!chosen) return nullptr;
    }
    for (const TTemplateSetting& s : row->settings) s.ApplyTo(*element, &picture);
  }

  SetAllFaces(*element, FaceNameFromText(host.FontBoxText()));
  element->SetPenColor(host.CurrentColor());
  const long double s = 100.0L / (static_cast<long double>(element->Zoom()) * element->PixelsPerMm());
  element->SetRealCenterX(static_cast<float>(x * s));
  element->SetRealCenterY(static_cast<float>(y * s));
  element->show();
  return element.release();
}

}  // namespace app
