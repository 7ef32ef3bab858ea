#pragma once
// The property window's 68 editing controls as data: for each tag its control, page, group
// box, caption and range, the seal property it writes (per seal kind and, on page C, per
// text), what the window does after writing it, and the conversions between what a control
// shows and what the seal holds. The window builds its controls and runs its one change
// handler and its loader from this table.

#include <QString>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "seal/seal.h"

namespace property {

enum class TControlKind : uint8_t {
  FloatBox,    // spin box showing two decimals, steps of 0.01
  IntegerBox,  // spin box of whole numbers, steps of 1
  ItemList,    // combo box read by its item index
  FaceList,    // combo box of installed faces, read by its text
  CheckBox,
  Memo,
  Edit,
};

enum class TPage : uint8_t { A, B, C, D };

// How a control's shown value stands for a seal property.
enum class TConversion : uint8_t {
  Length,      // millimetres, as shown
  Tenths,      // tenths of a degree, shown in whole degrees (div 10), applied x 10 rounded
  Count,       // a whole number, applied rounded
  Flag,        // the check state
  Weight,      // checked: thin strokes (100); clear: bold (700)
  FrameShape,  // the item index of a frame shape, 0 to 3
  Text,        // text in the code page of the model
  Face,        // a 64-byte face name
};

template <class T>
struct TAccess {
  seal::TArg<T> (seal::TSeal::*get)() const = nullptr;
  void (seal::TSeal::*set)(seal::TArg<T>) = nullptr;
};

// One property of a seal, read through its getter and written through its setter.
struct TProperty {
  const char* name = nullptr;
  TConversion conversion = TConversion::Length;
  std::variant<TAccess<float>, TAccess<int>, TAccess<bool>, TAccess<seal::TFrameType>, TAccess<std::string>,
               TAccess<seal::TFaceName>>
      access;
};

// What a control shows: a spin box's value, a check state, an item index or a text.
using TShown = std::variant<double, bool, int, QString>;
// What a shown value stands for in the seal; monostate where it stands for nothing (a frame
// shape that is none of the four).
using TSealValue = std::variant<std::monostate, float, int, bool, seal::TFrameType, std::string, seal::TFaceName>;

// The seal value a shown value applies, by the conversion.
TSealValue ConvertShown(TConversion conversion, const TShown& shown);
// What a control shows for a seal value, by the conversion.
TShown ShowValue(TConversion conversion, const TSealValue& value);

TSealValue ReadProperty(const TProperty& property, const seal::TSeal& seal);
// What the property's control shows for the seal.
TShown ShownProperty(const TProperty& property, const seal::TSeal& seal);
// Gives the converted shown value to the property's setter, which ignores an equal value.
// Returns false where nothing is given: a value that stands for nothing, or a text or face
// the control shows just as the seal's own (whose bytes are kept as they are, also those
// the interface cannot show).
bool ApplyShown(const TProperty& property, seal::TSeal& seal, const TShown& shown);

// A set of seal kinds; empty stands for every kind.
using TKinds = uint32_t;
constexpr TKinds KindBit(seal::TSealType kind) { return TKinds(1) << kind; }
constexpr TKinds Kinds(std::initializer_list<seal::TSealType> kinds) {
  TKinds set = 0;
  for (const seal::TSealType k : kinds) set |= KindBit(k);
  return set;
}
inline constexpr TKinds kTextKinds = Kinds({seal::stHorzText, seal::stEllipseText, seal::stAnyAngleText});

// Which property a control writes for the kinds of the set: one property, or one per text
// of page C chosen by the text selector.
struct TWrite {
  TKinds kinds = 0;
  bool perText = false;
  std::array<TProperty, 4> properties;
};

// When a follow-up applies, read from the seal after the write and from the text selector.
struct TWhen {
  TKinds kinds = 0;
  bool firstText = false;  // the selector on the first text
  int8_t rowCol = -1;      // RowCol must be 0 False, 1 True, -1 either
  bool oneLine = false;    // RowColCount must be 1
};

// Boxes shown again from the seal after the write, each from the property it writes.
struct TRefresh {
  TWhen when;
  std::array<int, 2> tags{};  // 0: none
};

// What the handler does besides writing.
enum class TRule : uint8_t {
  None,
  FrameShape,     // after the write: corner size, line angle, code angle and code length by frame shape
  TextOnEllipse,  // before the write: the ring or block controls of the text by the check state
  CodeOnFrame,    // after the write: the code distance only while the code is off the frame
  ReloadText,     // page C shown again for the text the selector names
};

struct TPropertyRow {
  int tag = 0;
  const char* control = nullptr;  // the component's name
  TControlKind kind = TControlKind::FloatBox;
  TPage page = TPage::A;
  int group = 0;                  // GroupBox1 .. GroupBox10
  int label = 0;                  // Label1 .. Label49; 0 for the controls without one
  const char* caption = nullptr;  // the label's or the check box's caption
  double min = 0;
  double max = 0;
  int textLimit = 0;              // characters the user may type; 0 for any number
  double designValue = 0;
  const char* designText = nullptr;
  std::vector<const char*> items;
  std::vector<TWrite> writes;  // the first whose kinds hold the seal's kind
  std::vector<TRefresh> refresh;
  TRule rule = TRule::None;
};

// The rows in the order of the controls on their pages.
const std::vector<TPropertyRow>& PropertyRows();
// The row of tag 1 to 68; nullptr for any other tag.
const TPropertyRow* PropertyRow(int tag);
inline constexpr int kPropertyTags = 68;

// The property the row writes for a seal of that kind with the selector on textIndex;
// nullptr where it writes nothing (a per-text row while the selector names no text).
const TProperty* TargetOf(const TPropertyRow& row, seal::TSealType kind, int textIndex);
// The property the row's control shows for such a seal: the first text unless the
// selector names the second, third or fourth. nullptr for the selector itself.
const TProperty* ShownTargetOf(const TPropertyRow& row, seal::TSealType kind, int textIndex);
bool Applies(const TWhen& when, const seal::TSeal& seal, int textIndex);

struct TGroupRow {
  int number;
  TPage page;
  const char* caption;
};
const std::array<TGroupRow, 10>& GroupRows();

// The captions the loader gives for arcs and slanted elements.
inline constexpr const char* kArcCheckCaption = "弧线闭合成扇形";
inline constexpr const char* kTriangleCheckCaption = "三角形顶点在上";
inline constexpr const char* kArcGroupCaption = "弧线角度[dg.]";
inline constexpr const char* kArcStartCaption = "起始角度：";
inline constexpr const char* kArcEndCaption = "终止角度：";
inline constexpr const char* kSlantAngleCaption = "直线倾角：";
inline constexpr const char* kSlantTextAngleCaption = "倾    角：";
inline constexpr const char* kThanksCaption = "感谢您使用本软件";

}  // namespace property
