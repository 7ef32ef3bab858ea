#include "property/proprty.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "controls/gbkinput.h"
#include "controls/kivcontrols.h"
#include "controls/kivspinedit.h"
#include "controls/listwidth.h"
#include "controls/windowstyle.h"
#include "platform/color.h"
#include "platform/componentname.h"
#include "platform/syscolors.h"
#include "property/controlevents.h"

using namespace property;

TfrmProprty* frmProprty = nullptr;

namespace {

const QString kCaption = QStringLiteral("印章属性");
// The font colour of the value controls and of the thanks line.
constexpr platform::TColor kValueColor = platform::RGBColor(0, 4, 112);
constexpr platform::TColor kThanksColor = platform::RGBColor(0, 128, 255);

}  // namespace

TfrmProprty::TfrmProprty(TPropertyHost* host, QWidget* owner, int pixelsPerInch)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FHost(host),
      FPixelsPerInch(pixelsPerInch) {
  platform::Named(this, "frmProprty");
  setWindowTitle(kCaption);
  setAttribute(Qt::WA_DeleteOnClose);
  FormCreate();
}

TfrmProprty::~TfrmProprty() {
  if (frmProprty == this) frmProprty = nullptr;
  // The controls go while this window is whole, and hand nothing on any more.
  FHost = nullptr;
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QWidget* TfrmProprty::Control(int tag) const {
  return tag >= 1 && tag <= kPropertyTags ? FControls[size_t(tag)] : nullptr;
}

TKivSpinEdit* TfrmProprty::SpinEdit(int tag) const { return qobject_cast<TKivSpinEdit*>(Control(tag)); }

QComboBox* TfrmProprty::ComboBox(int tag) const { return qobject_cast<QComboBox*>(Control(tag)); }

QCheckBox* TfrmProprty::CheckBox(int tag) const { return qobject_cast<QCheckBox*>(Control(tag)); }

QLabel* TfrmProprty::LabelOf(int tag) const {
  const TPropertyRow* row = PropertyRow(tag);
  return row && row->label ? Labels[size_t(row->label)] : nullptr;
}

int TfrmProprty::TextIndex() const { return ItemIndex(ComboBox(31)); }

// --- Creation ---------------------------------------------------------------------------

void TfrmProprty::FormCreate() {
  setFont(QApplication::font("QMenu"));
  app::SetBackground(this, platform::Light3DColor());

  CreateComponents();
  ApplyLayout();

  QStringList faces = FHost ? FHost->ScreenFontNames() : QStringList();
  faces.sort();
  for (const int tag : {32, 49}) {
    ComboBox(tag)->addItems(faces);
    FitListToItems(ComboBox(tag));
    ComboBox(tag)->setCurrentIndex(-1);
  }

  // Key preview: the window sees every key before the control that has the focus.
  for (QWidget* w : findChildren<QWidget*>())
    if (w->focusPolicy() != Qt::NoFocus) w->installEventFilter(this);

  ShowSealProperties(FHost ? FHost->CurrentSeal() : nullptr);
}

void TfrmProprty::CreateComponents() {
  KivFlatPanel1 = new TKivFlatPanel(this);
  platform::Named(KivFlatPanel1, "KivFlatPanel1");
  KivFlatPanel1->SetFrameWidth(1);
  KivFlatPanel1->SetPenColor(platform::clBlack);
  KivFlatPanel1->SetColorA(platform::FromQColor(platform::InactiveBorderColor()));
  const TLayoutMetrics design = DesignMetrics(FPixelsPerInch, 0, 0, 0);
  for (int i = 0; i < 4; ++i) {
    auto* button = new TKivButton(KivFlatPanel1);
    platform::Named(button, QStringLiteral("KivButton%1").arg(i + 1));
    button->SetCaption(QString(QChar(u'A' + i)));
    button->SetTag(i + 1);
    button->resize(design.buttonWidth, design.buttonHeight);
    button->installEventFilter(this);
    connect(button, &TKivButton::MouseDown, this, [this, button] { KivButton1MouseDown(button); });
    KivButtons[size_t(i)] = button;
  }
  for (int i = 0; i < 4; ++i) {
    auto* panel = new QWidget(this);
    platform::Named(panel, QStringLiteral("Panel%1").arg(i + 1));
    panel->setVisible(i == 0);
    Panels[size_t(i)] = panel;
  }
  for (const TGroupRow& g : GroupRows()) {
    auto* box = new QGroupBox(QString::fromUtf8(g.caption), Panels[size_t(g.page)]);
    platform::Named(box, QStringLiteral("GroupBox%1").arg(g.number));
    GroupBoxes[size_t(g.number)] = box;
  }
  for (const TPropertyRow& row : PropertyRows()) CreateControl(row);

  LabelThanks = new QLabel(QString::fromUtf8(kThanksCaption), GroupBoxes[7]);
  platform::Named(LabelThanks, "LabelThanks");
  LabelThanks->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  app::SetTextColor(LabelThanks, platform::ToQColor(kThanksColor));
}

void TfrmProprty::CreateControl(const TPropertyRow& row) {
  QWidget* parent = GroupBoxes[size_t(row.group)];
  const QString caption = row.caption ? QString::fromUtf8(row.caption) : QString();
  if (row.label) {
    auto* label = new QLabel(caption, parent);
    platform::Named(label, QStringLiteral("Label%1").arg(row.label));
    Labels[size_t(row.label)] = label;
  }
  const int tag = row.tag;
  const auto change = [this, tag] {
    if (!FSuspended[size_t(tag)]) RxSpinEdit1Change(tag);
  };
  const auto refused = [this](const QString& characters) { emit InputRefused(characters); };
  QWidget* control = nullptr;
  switch (row.kind) {
    case TControlKind::FloatBox:
    case TControlKind::IntegerBox: {
      auto* box = new TKivSpinEdit(parent);
      const bool whole = row.kind == TControlKind::IntegerBox;
      box->SetValueType(whole ? TValueType::vtInteger : TValueType::vtFloat);
      box->SetIncrement(whole ? 1 : 0.01);
      box->SetMinValue(row.min);
      box->SetMaxValue(row.max);
      box->SetTextLimit(row.textLimit);
      box->SetValue(row.designValue);
      OnChange(box, change);
      control = box;
      break;
    }
    case TControlKind::ItemList:
    case TControlKind::FaceList: {
      auto* box = new QComboBox(parent);
      MakeTypedList(box);
      for (const char* item : row.items) box->addItem(QString::fromUtf8(item));
      if (!row.items.empty()) box->setCurrentIndex(0);
      AcceptGbkOnly(box->lineEdit(), refused);
      OnChange(box, change);
      control = box;
      break;
    }
    case TControlKind::CheckBox: {
      auto* box = new QCheckBox(caption, parent);
      OnClick(box, change);
      control = box;
      break;
    }
    case TControlKind::Memo:
      Memo1 = new TPropertyMemo(parent);
      connect(Memo1, &TPropertyMemo::Refused, this, &TfrmProprty::InputRefused);
      OnChange(Memo1, change);
      control = Memo1;
      break;
    case TControlKind::Edit:
      Edit1 = new QLineEdit(row.designText ? QString::fromUtf8(row.designText) : QString(), parent);
      AcceptGbkOnly(Edit1, refused);
      OnChange(Edit1, change);
      control = Edit1;
      break;
  }
  platform::Named(control, row.control);
  if (row.kind != TControlKind::CheckBox) app::SetTextColor(control, platform::ToQColor(kValueColor));
  FControls[size_t(tag)] = control;
}

void TfrmProprty::ApplyLayout() {
  const QFontMetrics metrics(font());
  FLayout = ComputeLayout(DesignMetrics(FPixelsPerInch, metrics.horizontalAdvance(Labels[1]->text()),
                                        metrics.horizontalAdvance(Labels[25]->text()), metrics.height()));
  const TPropertyLayout& L = FLayout;
  KivFlatPanel1->setGeometry(0, 0, L.pageWidth, L.barHeight);
  for (size_t i = 0; i < KivButtons.size(); ++i) KivButtons[i]->setGeometry(L.buttons[i]);
  for (QWidget* panel : Panels) panel->setGeometry(0, L.barHeight, L.pageWidth, L.openHeight - L.barHeight);
  for (const TGroupRow& g : GroupRows()) GroupBoxes[size_t(g.number)]->setGeometry(L.groups[size_t(g.number)]);
  for (const TPropertyRow& row : PropertyRows()) {
    const QRect r = L.controls[size_t(row.tag)];
    FControls[size_t(row.tag)]->setGeometry(r);
    if (QLabel* label = LabelOf(row.tag))
      label->setGeometry(L.margin, LabelTop(r, metrics.height()), metrics.horizontalAdvance(label->text()),
                         metrics.height());
  }
  LabelThanks->setGeometry(L.thanks);
  SetClientHeight(L.createdHeight);
}

void TfrmProprty::SetClientHeight(int height) { setFixedSize(FLayout.pageWidth, height); }

// --- Pages, roll-up and keys --------------------------------------------------------------

void TfrmProprty::KivButton1MouseDown(TKivButton* sender) {
  const int page = sender->Tag();
  for (size_t i = 0; i < Panels.size(); ++i) Panels[i]->setVisible(int(i) + 1 == page);
  for (TKivButton* button : KivButtons)
    if (button->Tag() != page) button->SetBtnState(TButtonState::bsUp);
}

void TfrmProprty::KivButton1MouseUp(TKivButton* sender) {
  sender->SetBtnState(TButtonState::bsDown);
  RelayButtons();
  SetClientHeight(FLayout.openHeight);
  ShowSealProperties(FHost ? FHost->CurrentSeal() : nullptr);
  FocusFirstValueBox(TPage(sender->Tag() - 1));
}

// Hiding the page that held the focus hands it to the first control of the page shown, a
// list box that takes typed text: what the user types next would rename a text or a font.
// A one-line box has its value selected, as the tab key leaves it, so that what the user
// types stands in its place.
void TfrmProprty::FocusFirstValueBox(TPage page) {
  for (const TPropertyRow& row : PropertyRows()) {
    if (row.page != page || !ControlEnabled(row.tag)) continue;
    switch (row.kind) {
      case TControlKind::FloatBox:
      case TControlKind::IntegerBox:
      case TControlKind::Memo:
      case TControlKind::Edit:
        Control(row.tag)->setFocus(Qt::OtherFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(Control(row.tag))) line->selectAll();
        return;
      default:
        break;
    }
  }
  if (QWidget* focused = focusWidget()) focused->clearFocus();
}

void TfrmProprty::RelayButtons() {
  std::array<QSize, 4> sizes;
  for (size_t i = 0; i < sizes.size(); ++i) sizes[i] = KivButtons[i]->size();
  const std::array<int, 4> lefts = ButtonLefts(KivFlatPanel1->FrameWidth(), sizes);
  for (size_t i = 0; i < lefts.size(); ++i) KivButtons[i]->move(lefts[i], KivButtons[i]->y());
}

void TfrmProprty::FormDeactivate() {
  SetClientHeight(FLayout.barHeight);
  for (TKivButton* button : KivButtons)
    if (button->BtnState() == TButtonState::bsDown) {
      button->SetBtnState(TButtonState::bsUp);
      break;
    }
  RelayButtons();
}

void TfrmProprty::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Focus moving inside the window, or to one of its own pop-ups, is reported as a loss
  // of activation as well: only once the change has settled is it known where it went.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow())
    QTimer::singleShot(0, this, &TfrmProprty::CheckDeactivation);
}

// Another window of the program, or another program's (no window of ours active), takes
// the activation alike; only this window's own pop-ups do not.
void TfrmProprty::CheckDeactivation() {
  if (isActiveWindow()) return;
  const QWidget* active = QApplication::activeWindow();
  if (!active) active = QApplication::activePopupWidget();
  for (const QWidget* w = active; w; w = w->parentWidget())
    if (w == this) return;
  FormDeactivate();
}

bool TfrmProprty::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease)
    if (auto* button = qobject_cast<TKivButton*>(watched)) KivButton1MouseUp(button);
  if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !(key->modifiers() & Qt::ControlModifier))
      FormKeyPress(static_cast<QWidget*>(watched));
  }
  return QWidget::eventFilter(watched, event);
}

void TfrmProprty::FormKeyPress(QWidget* focused) {
  // Enter moves on to the next control that takes the tab key; the key then goes on to
  // the control it was meant for.
  if (isAncestorOf(focused)) focusNextChild();
}

void TfrmProprty::closeEvent(QCloseEvent* event) {
  if (frmProprty == this) frmProprty = nullptr;
  event->accept();
}
