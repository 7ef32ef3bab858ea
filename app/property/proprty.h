#pragma once
// The property window: a narrow tool window of four pages, chosen by tab buttons on a bar
// at its top, in which the user reads and edits the numbers, flags, texts and fonts of the
// one element selected on the active page. It keeps nothing of its own but its controls:
// each page-button release reads the current element again, and each change of a control
// is written straight into the element. It rolls up to its button bar when the user turns
// to another window of the program.

#include <QWidget>
#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "property/propertyhost.h"
#include "property/propertylayout.h"
#include "property/propertytable.h"
#include "seal/seal.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TKivButton;
class TKivFlatPanel;
class TKivSpinEdit;
namespace property {
class TPropertyMemo;
}

class TfrmProprty : public QWidget {
  Q_OBJECT

 public:
  // Created by the main window, which owns it, places it and shows it; the host stands
  // for the windows around it and outlives it.
  TfrmProprty(property::TPropertyHost* host, QWidget* owner, int pixelsPerInch = seal::ScreenPixelsPerInch());
  ~TfrmProprty() override;

  // The control of tag 1 .. 68, and the same as the kind its row says.
  QWidget* Control(int tag) const;
  TKivSpinEdit* SpinEdit(int tag) const;
  QComboBox* ComboBox(int tag) const;
  QCheckBox* CheckBox(int tag) const;
  // The label standing left of the control of the tag; nullptr for those without one.
  QLabel* LabelOf(int tag) const;
  // The text selector's item index.
  int TextIndex() const;

  const property::TPropertyLayout& Layout() const { return FLayout; }

  // Loading (pages A, B and D, and through the text page also C), and page C alone for the
  // text the selector names; nullptr disables every control and keeps its value.
  void ShowSealProperties(const seal::TSeal* seal);
  void ShowSealTextProperties(const seal::TSeal* seal);
  void EnableControlsByMask(std::string_view mask);
  void EnableTextControlsByMask(std::string_view mask);

  // The one change handler of every control, by its tag.
  void RxSpinEdit1Change(int tag);

  // The page buttons: a press shows the button's page, a release presses the button
  // down, opens the window out and reads the current element again.
  void KivButton1MouseDown(TKivButton* sender);
  void KivButton1MouseUp(TKivButton* sender);
  // Rolls up to the button bar.
  void FormDeactivate();

 signals:
  // A text box refused typed or pasted text with these characters, which GBK cannot hold.
  void InputRefused(const QString& characters);
  // Something the user should know of for the status bar: the text selector names no text.
  void Hint(const QString& message);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void CreateComponents();
  void CreateControl(const property::TPropertyRow& row);
  void ApplyLayout();
  void FormKeyPress(QWidget* focused);
  void RelayButtons();
  void SetClientHeight(int height);
  void CheckDeactivation();
  // The page's first box that takes a value, when one is enabled, takes the focus.
  void FocusFirstValueBox(property::TPage page);

  // What the control shows, and the program showing a value in it (which raises its change
  // under the controls' event rules).
  property::TShown Shown(const property::TPropertyRow& row) const;
  void Show(const property::TPropertyRow& row, const property::TShown& value);
  // Shows the control the value of the property it writes for the seal.
  void ShowProperty(const property::TPropertyRow& row, const seal::TSeal& seal, int textIndex);
  void SetControlEnabled(int tag, bool enabled);
  bool ControlEnabled(int tag) const;
  void Relabel(int tag, const char* caption);
  // The spin boxes whose kind the loader switches: integer for the seal kind given, float
  // for the others, with their change suspended.
  void SwitchBox(int tag, seal::TSealType integerKind, seal::TSealType kind);
  void FollowRule(property::TRule rule, const seal::TSeal& seal);
  // Shows each enabled control of the tags what the element holds, its change held back.
  void ShowQuietly(const seal::TSeal& seal, std::span<const int> tags, int textIndex);
  bool Handling(int tag) const;

  // Components by the names they have in the form (also their object names).
  TKivFlatPanel* KivFlatPanel1;
  std::array<TKivButton*, 4> KivButtons{};       // KivButton1 .. KivButton4
  std::array<QWidget*, 4> Panels{};              // Panel1 .. Panel4, pages A to D
  std::array<QGroupBox*, 11> GroupBoxes{};       // GroupBox1 .. GroupBox10 at 1 .. 10
  std::array<QLabel*, 50> Labels{};              // Label1 .. Label49 at 1 .. 49
  QLabel* LabelThanks;
  property::TPropertyMemo* Memo1 = nullptr;
  QLineEdit* Edit1 = nullptr;

  property::TPropertyHost* FHost;
  int FPixelsPerInch;
  property::TPropertyLayout FLayout;
  std::array<QWidget*, property::kPropertyTags + 1> FControls{};
  std::array<bool, property::kPropertyTags + 1> FSuspended{};
  // The tags whose change is being handled, innermost last: a cascade of changes that
  // comes back to one of them stops there, and leaves that control's text alone.
  std::vector<int> FHandling;
  // Loads under way: the page-C load also runs inside the whole one.
  int FLoading = 0;
};

// The one property window, nullptr while it is closed.
extern TfrmProprty* frmProprty;
