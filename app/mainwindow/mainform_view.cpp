// The View menu: the property window, tool bar, status bar and grid toggles with their
// captions, the zoom commands and the zoom box, the Chinese-only font list and the zoom view
// of the selection.

#include "mainwindow/mainform_view.h"

#include <QLineEdit>
#include <QMenuBar>

#include "controls/listwidth.h"
#include "document/childform.h"
#include "mainwindow/mainform.h"
#include "property/proprty.h"
#include "services/commandguard.h"
#include "services/services.h"
#include "zoomview/zoomview.h"

namespace app {

QString ToggleCaption(const char* action, bool shown) {
  for (const TToggleCaption& row : kToggleCaptions)
    if (QLatin1String(row.action) == QLatin1String(action)) return QString::fromUtf8(shown ? row.shown : row.hidden);
  return QString();
}

std::optional<uint16_t> ZoomFromText(const QString& text) {
  QString number = text.trimmed();
  if (number.endsWith(QLatin1Char('%'))) number = number.chopped(1).trimmed();
  bool ok = false;
  const int zoom = number.toInt(&ok);
  if (!ok || zoom < kMinZoom || zoom > kMaxZoom) return std::nullopt;
  return uint16_t(zoom);
}

QString ZoomTextMessage(const QString& text) {
  return QStringLiteral("“") + text + QStringLiteral("”不是可用的显示比例。\n请输入 ") + QString::number(kMinZoom) +
         QStringLiteral("% 到 ") + QString::number(kMaxZoom) + QStringLiteral("% 之间的整数。");
}

}  // namespace app

namespace {

const QString kAllFontsHint = QStringLiteral("显示所有字体");
const QString kChineseFontsHint = QStringLiteral("仅显示中文字体");

}  // namespace

std::span<const TfrmMain::TCommand> TfrmMain::ViewCommands() {
  static constexpr TCommand kCommands[] = {
      {"actViewOpenOrClosefrmProp", &TfrmMain::actViewOpenOrClosefrmPropExecute},
      {"actViewOpenOrCloseToolBar", &TfrmMain::actViewOpenOrCloseToolBarExecute},
      {"actViewOpenOrCloseStatusBar", &TfrmMain::actViewOpenOrCloseStatusBarExecute},
      {"actViewOpenOrCloseGrid", &TfrmMain::actViewOpenOrCloseGridExecute},
      {"actViewZoomIn", &TfrmMain::actViewZoomInExecute},
      {"actViewZoomNormal", &TfrmMain::actViewZoomNormalExecute},
      {"actViewZoomOut", &TfrmMain::actViewZoomOutExecute},
      // The palette's normal-zoom button.
      {"actPageZoom", &TfrmMain::actViewZoomNormalExecute},
      {"actViewZoomAll", &TfrmMain::actViewZoomAllExecute},
  };
  return kCommands;
}

void TfrmMain::BindViewCommands() {
  Bind(ViewCommands());
  if (auto* view = menuBar()->findChild<QMenu*>(QStringLiteral("View")))
    connect(view, &QMenu::aboutToShow, this, [this] { app::RunGuarded(this, [this] { ViewClick(); }); });

  // The box applies what the user picked, or typed once the typing is over (Enter or
  // leaving the box): a zoom applied at every keystroke would try 1 on the way to 150.
  DispComboBox->setInsertPolicy(QComboBox::NoInsert);
  const auto apply = [this] {
    FZoomTyped = false;
    app::RunGuarded(this, [this] { DispComboBoxChange(); });
  };
  connect(DispComboBox, &QComboBox::activated, this, apply);
  connect(DispComboBox->lineEdit(), &QLineEdit::textEdited, this, [this] { FZoomTyped = true; });
  connect(DispComboBox->lineEdit(), &QLineEdit::editingFinished, this, [this, apply] {
    if (FZoomTyped) apply();
  });

  connect(CheckBox4, &QCheckBox::toggled, this, [this] { app::RunGuarded(this, [this] { CheckBox4Click(); }); });
}

void TfrmMain::ShowToggleCaption(const char* action, bool shown) {
  Action(QString::fromUtf8(action))->setText(app::ToggleCaption(action, shown));
}

void TfrmMain::actViewOpenOrClosefrmPropExecute() {
  if (frmProprty)
    delete frmProprty;
  else
    ShowPropertyWindow();
}

void TfrmMain::actViewOpenOrCloseToolBarExecute() {
  CoolBar1->setHidden(!CoolBar1->isHidden());
  ShowToggleCaption("actViewOpenOrCloseToolBar", !CoolBar1->isHidden());
  PropertyWindowFollowsMainWindow();
}

void TfrmMain::actViewOpenOrCloseStatusBarExecute() {
  KivStatusBar1->setHidden(!KivStatusBar1->isHidden());
  ShowToggleCaption("actViewOpenOrCloseStatusBar", !KivStatusBar1->isHidden());
}

void TfrmMain::actViewOpenOrCloseGridExecute() {
  if (TfrmChild* window = ActiveChild()) window->SetGrid(!window->Grid());
}

void TfrmMain::ViewClick() {
  if (const TfrmChild* window = ActiveChild()) ShowToggleCaption("actViewOpenOrCloseGrid", window->Grid());
  ShowToggleCaption("actViewOpenOrClosefrmProp", frmProprty != nullptr);
}

void TfrmMain::actViewZoomInExecute() {
  if (TfrmChild* window = ActiveChild()) window->StepZoom(true);
}

void TfrmMain::actViewZoomNormalExecute() {
  if (TfrmChild* window = ActiveChild()) window->ZoomNormal();
}

void TfrmMain::actViewZoomOutExecute() {
  if (TfrmChild* window = ActiveChild()) window->StepZoom(false);
}

// A text that names no zoom the commands reach is refused, and the box shows the zoom that
// stays.
void TfrmMain::DispComboBoxChange() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  const QString text = DispComboBox->currentText();
  const std::optional<uint16_t> zoom = app::ZoomFromText(text);
  if (zoom && *zoom != window->Zoom()) window->ApplyZoom(*zoom);
  ShowZoom(window->Zoom());
  if (!zoom) app::ShowMessage(this, app::TMsgKind::Warning, app::ZoomTextMessage(text), app::mbOK);
}

// The face in the box stays what it was, listed or not.
void TfrmMain::CheckBox4Click() {
  const QString face = FontComboBox->currentText();
  if (CheckBox4->isChecked()) {
    KeepChineseFonts(FontComboBox);
  } else {
    QStringList fonts = app::Services().ScreenFontNames();
    fonts.sort();
    FontComboBox->clear();
    FontComboBox->addItems(fonts);
  }
  FitListToItems(FontComboBox);
  const QString& hint = CheckBox4->isChecked() ? kAllFontsHint : kChineseFontsHint;
  CheckBox4->setToolTip(hint);
  CheckBox4->setStatusTip(hint);
  const int index = FontComboBox->findText(face, Qt::MatchExactly);
  FontComboBox->setCurrentIndex(index);
  if (index < 0) FontComboBox->setEditText(face);
}

void TfrmMain::actViewZoomAllExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || window->Selection().empty()) return;
  TfrmZoomView view(this);
  if (!view.ShowSelection(window->Selection(), window->PixelsPerMm())) return;
  view.exec();
}
