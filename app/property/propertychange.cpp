// The property window's change handler and its loader: every control writes its property
// of the current element through the control table, and loading fills the controls through
// their ordinary value path, so that what they show is applied back as if typed.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "controls/kivspinedit.h"
#include "property/controlevents.h"
#include "property/enablemasks.h"
#include "property/proprty.h"

using namespace property;
using seal::TSeal;
using seal::TSealType;

namespace {

const QString kModifiedState = QStringLiteral("文件状态 ：已修改");

// The tags of page C in the order the loader fills them.
constexpr std::array<int, kTextMaskLength> kTextFillOrder{32, 33, 34, 35, 36, 37, 38, 39, 40,
                                                          41, 42, 43, 44, 45, 46, 47, 48, 68};

bool IsFirstText(int textIndex) { return textIndex < 1 || textIndex > 3; }

// A control's change held back for as long as this lives, as it was before afterwards.
struct TSuspend {
  bool& flag;
  bool was;
  explicit TSuspend(bool& suspended) : flag(suspended), was(suspended) { flag = true; }
  ~TSuspend() { flag = was; }
};

// A load under way for as long as this lives.
struct TLoad {
  int& loads;
  explicit TLoad(int& n) : loads(n) { ++loads; }
  ~TLoad() { --loads; }
};

}  // namespace

// --- The change handler -----------------------------------------------------------------

void TfrmProprty::RxSpinEdit1Change(int tag) {
  const TPropertyRow* row = PropertyRow(tag);
  if (!row || !FHost || !ControlEnabled(tag) || Handling(tag)) return;
  if (!FHost->CurrentSeal()) return;

  FHandling.push_back(tag);
  struct TDone {
    std::vector<int>& handling;
    ~TDone() { handling.pop_back(); }
  } done{FHandling};

  const int i = TextIndex();
  FHost->EditCurrentSeal(
      [&](TSeal& seal) {
        if (row->rule == TRule::TextOnEllipse) FollowRule(row->rule, seal);
        const TProperty* target = TargetOf(*row, seal.SealType(), i);
        if (target)
          ApplyShown(*target, seal, Shown(*row));
        else if (row->page == TPage::C && i < 0 && !FLoading)
          // A selector text that names no text leaves every edit of the page unwritten.
          emit Hint(QStringLiteral("没有文字“%1”：本页的修改不会写入印章。")
                        .arg(ComboBox(31)->currentText()));
        for (const TRefresh& refresh : row->refresh) {
          if (!Applies(refresh.when, seal, i)) continue;
          // The box being typed in keeps what the user typed.
          for (const int shown : refresh.tags)
            if (shown && !Handling(shown)) ShowProperty(*PropertyRow(shown), seal, i);
        }
        if (row->rule != TRule::TextOnEllipse) FollowRule(row->rule, seal);
      },
      kModifiedState);
}

bool TfrmProprty::Handling(int tag) const {
  return std::find(FHandling.begin(), FHandling.end(), tag) != FHandling.end();
}

void TfrmProprty::FollowRule(TRule rule, const TSeal& seal) {
  switch (rule) {
    case TRule::None:
      break;
    case TRule::FrameShape: {
      const seal::TFrameType t = seal.NameSealFrameType();
      SetControlEnabled(67, t == seal::ftRoundRect || t == seal::ftDiamond);
      SetControlEnabled(27, t == seal::ftEllipse);
      SetControlEnabled(55, t == seal::ftEllipse);
      SetControlEnabled(53, t != seal::ftEllipse);
      break;
    }
    case TRule::TextOnEllipse: {
      const bool ring = CheckBox(47)->isChecked();
      for (const int tag : {41, 48}) SetControlEnabled(tag, ring);
      for (const int tag : {40, 45, 46}) SetControlEnabled(tag, !ring);
      break;
    }
    case TRule::CodeOnFrame:
      SetControlEnabled(54, !seal.CodeOn());
      break;
    case TRule::ReloadText:
      ShowSealTextProperties(&seal);
      break;
  }
}

// --- Controls' values and enabled states ------------------------------------------------------

TShown TfrmProprty::Shown(const TPropertyRow& row) const {
  QWidget* control = Control(row.tag);
  switch (row.kind) {
    case TControlKind::FloatBox:
    case TControlKind::IntegerBox:
      return SpinEdit(row.tag)->Value();
    case TControlKind::ItemList:
      return ItemIndex(ComboBox(row.tag));
    case TControlKind::FaceList:
      return ComboBox(row.tag)->currentText();
    case TControlKind::CheckBox:
      return CheckBox(row.tag)->isChecked();
    case TControlKind::Memo:
      return Memo1->toPlainText();
    case TControlKind::Edit:
      return static_cast<QLineEdit*>(control)->text();
  }
  return TShown{};
}

void TfrmProprty::Show(const TPropertyRow& row, const TShown& value) {
  const double* number = std::get_if<double>(&value);
  const bool* flag = std::get_if<bool>(&value);
  const int* index = std::get_if<int>(&value);
  const QString* text = std::get_if<QString>(&value);
  switch (row.kind) {
    case TControlKind::FloatBox:
    case TControlKind::IntegerBox:
      if (number) SpinEdit(row.tag)->SetValue(*number);
      break;
    case TControlKind::ItemList:
      if (index) ComboBox(row.tag)->setCurrentIndex(*index);
      break;
    case TControlKind::FaceList:
      if (!text) break;
      ComboBox(row.tag)->setEditText(*text);
      // A name longer than the box shows from its first character, not scrolled to its end.
      ComboBox(row.tag)->lineEdit()->home(false);
      break;
    case TControlKind::CheckBox:
      if (flag) CheckBox(row.tag)->setChecked(*flag);
      break;
    case TControlKind::Memo:
      if (text) SetMemoText(Memo1, *text);
      break;
    case TControlKind::Edit:
      if (!text) break;
      Edit1->setText(*text);
      Edit1->home(false);
      break;
  }
}

void TfrmProprty::ShowProperty(const TPropertyRow& row, const TSeal& seal, int textIndex) {
  if (const TProperty* property = ShownTargetOf(row, seal.SealType(), textIndex))
    Show(row, ShownProperty(*property, seal));
}

void TfrmProprty::SetControlEnabled(int tag, bool enabled) {
  if (QWidget* control = Control(tag)) control->setEnabled(enabled);
  if (QLabel* label = LabelOf(tag)) label->setEnabled(enabled);
}

bool TfrmProprty::ControlEnabled(int tag) const {
  const QWidget* control = Control(tag);
  return control && control->isEnabled();
}

void TfrmProprty::Relabel(int tag, const char* caption) {
  if (QLabel* label = LabelOf(tag)) label->setText(QString::fromUtf8(caption));
}

void TfrmProprty::EnableControlsByMask(std::string_view mask) {
  const auto& tags = PropertyMaskTags();
  for (size_t k = 0; k < tags.size(); ++k) SetControlEnabled(tags[k], k < mask.size() && MaskAllows(mask[k]));
}

void TfrmProprty::EnableTextControlsByMask(std::string_view mask) {
  const auto& tags = TextMaskTags();
  for (size_t k = 0; k < tags.size(); ++k) SetControlEnabled(tags[k], k < mask.size() && MaskAllows(mask[k]));
}

// --- Loading ---------------------------------------------------------------------------

void TfrmProprty::SwitchBox(int tag, TSealType integerKind, TSealType kind) {
  TKivSpinEdit* box = SpinEdit(tag);
  const bool whole = kind == integerKind;
  box->SetValueType(whole ? TValueType::vtInteger : TValueType::vtFloat);
  box->SetIncrement(whole ? 1 : 0.01);
}

void TfrmProprty::ShowSealProperties(const TSeal* seal) {
  const TLoad load(FLoading);
  const std::string mask = PropertyMask(MaskFacts(seal));
  EnableControlsByMask(mask);
  ShowSealTextProperties(seal);
  if (!seal) return;

  const TSealType kind = seal->SealType();
  const bool arc = kind == seal::stArc;
  const bool slantedLine = kind == seal::stAnyAngleLine;
  CheckBox(7)->setText(QString::fromUtf8(arc ? kArcCheckCaption : kTriangleCheckCaption));
  const auto& tags = PropertyMaskTags();
  for (size_t k = 0; k < tags.size(); ++k) {
    const int tag = tags[k];
    if (tag == 31) continue;  // loading never moves the text selector
    const TPropertyRow& row = *PropertyRow(tag);
    const bool enabled = MaskAllows(mask[k]);
    if (tag != 8 && tag != 9 && tag != 67) {
      if (enabled) ShowProperty(row, *seal, 0);
      continue;
    }
    // The boxes that stand for angles of arcs and slanted lines change kind and caption
    // without raising their change.
    const TSuspend quiet(FSuspended[size_t(tag)]);
    if (tag == 67) {
      SwitchBox(tag, seal::stAnyAngleLine, kind);
      Relabel(tag, slantedLine ? kSlantAngleCaption : row.caption);
    } else {
      SwitchBox(tag, seal::stArc, kind);
      Relabel(tag, arc ? (tag == 8 ? kArcStartCaption : kArcEndCaption) : row.caption);
      if (tag == 8) GroupBoxes[3]->setTitle(QString::fromUtf8(arc ? kArcGroupCaption : GroupRows()[2].caption));
    }
    if (enabled) ShowProperty(row, *seal, 0);
  }
  if (FLoading == 1) {
    ShowQuietly(*seal, tags, 0);
    ShowQuietly(*seal, kTextFillOrder, TextIndex());
  }
}

// What a box shows went into the element as it was filled, and the follow-ups that raised
// may have changed what boxes filled before show, the box that raised them too: while the
// window loads nobody types, so each box shows at the end what the element holds, without
// raising its change again. A second load of the unchanged element then changes nothing.
void TfrmProprty::ShowQuietly(const TSeal& seal, std::span<const int> tags, int textIndex) {
  for (const int tag : tags) {
    if (tag == 31 || !ControlEnabled(tag)) continue;
    const TSuspend quiet(FSuspended[size_t(tag)]);
    ShowProperty(*PropertyRow(tag), seal, textIndex);
  }
}

void TfrmProprty::ShowSealTextProperties(const TSeal* seal) {
  const TLoad load(FLoading);
  const int i = TextIndex();
  const std::string mask = TextMask(MaskFacts(seal), i);
  EnableTextControlsByMask(mask);
  if (!seal) return;

  const auto& positions = TextMaskTags();
  for (const int tag : kTextFillOrder) {
    const size_t k = size_t(std::find(positions.begin(), positions.end(), tag) - positions.begin());
    if (!MaskAllows(mask[k])) continue;
    ShowProperty(*PropertyRow(tag), *seal, i);
    if (tag == 41 && IsFirstText(i))
      Relabel(tag, seal->SealType() == seal::stAnyAngleText ? kSlantTextAngleCaption : PropertyRow(tag)->caption);
  }
  // Inside a whole load, page C is shown again at the whole load's end.
  if (FLoading == 1) ShowQuietly(*seal, kTextFillOrder, i);
}
