#include "print/print.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include "controls/kivcontrols.h"
#include "controls/kivdrawpanel.h"
#include "controls/windowstyle.h"
#include "document/childform.h"
#include "document/fileactivity.h"
#include "document/paintlock.h"
#include "platform/color.h"
#include "platform/componentname.h"
#include "platform/cursors.h"
#include "platform/numeric.h"
#include "platform/syscolors.h"
#include "print/pdffile.h"
#include "print/printing.h"
#include "seal/seal.h"
#include "services/commandguard.h"
#include "services/datafolders.h"
#include "services/dialogs_binding.h"
#include "services/folderfiles.h"
#include "services/resources.h"
#include "services/services.h"

using app::TZoomMode;

namespace {

constexpr platform::TColor kNavy = 0x800000;
constexpr int kPanelPadding = 16;
constexpr const char* kProgressCaption = "正在生成打印文件：";

// Menus by caption, with the actions they hold.
struct TPrintMenuSpec {
  const char* caption;
  const char* items[3];
};

constexpr TPrintMenuSpec kMenus[] = {
    {"文件(&F)", {"FSetupAct", "FPrintAct", "FExitAct"}},
    {"显示(&V)", {"ActZoomIn", "ActZoomOut", "ActZoomFit"}},
};

}  // namespace

TfrmPrint::TfrmPrint(QWidget* owner, TfrmChild& document, bool previewOnly)
    : QDialog(owner), FDocument(document), FScreenPixelsPerMm(0), FPreviewOnly(previewOnly) {
  platform::Named(this, "frmPrint");
  // The main window is hidden while this one runs; closing this one must not end the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  CreateActions();
  CreateLayout();
  FormCreate();
}

TfrmPrint::~TfrmPrint() {
  // The elements belong to the document: they must not go with this window's page.
  try {
    FormClose();
  } catch (...) {
  }
}

void TfrmPrint::RunGuarded(const std::function<void()>& handler) { app::RunGuarded(this, handler); }

void TfrmPrint::CreateActions() {
  // In tool-bar order: the menu's text, the tool button's caption, the shortcut, the hint.
  struct TActionSpec {
    const char* name;
    const char* menuText;
    const char* caption;
    const char* shortcut;
    const char* hint;
    QAction* TfrmPrint::*field;
    void (TfrmPrint::*handler)();
  };
  static const TActionSpec kActions[] = {
      {"ActZoomIn", "连续放大(&I)", "放 大", "PgUp", "连续放大", &TfrmPrint::ActZoomIn, &TfrmPrint::ZoomInToggled},
      {"ActZoomOut", "连续缩小(&U)", "缩 小", "PgDown", "连续缩小", &TfrmPrint::ActZoomOut,
       &TfrmPrint::ZoomOutToggled},
      {"ActZoomFit", "自适页面(&F)", "全 部", "End", "自适页面", &TfrmPrint::ActZoomFit,
       &TfrmPrint::ActZoomFitExecute},
      {"FSetupAct", "设置(&S)", "设 置", "Ctrl+S", "设置打印机", &TfrmPrint::FSetupAct, &TfrmPrint::FSetupActExecute},
      {"FPrintAct", "打印(&P)", "打 印", "Ctrl+P", "打印", &TfrmPrint::FPrintAct, &TfrmPrint::FPrintActExecute},
      {"FExitAct", "退出(&X)", "退 出", "Ctrl+Q", "退出", &TfrmPrint::FExitAct, &TfrmPrint::FExitActExecute},
  };
  // Checking one zoom mode unchecks the other; both may be off.
  FZoomModes = new QActionGroup(this);
  FZoomModes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (const TActionSpec& row : kActions) {
    auto* action = new QAction(this);
    const QString name = QString::fromUtf8(row.name);
    platform::Named(action, name);
    action->setText(QString::fromUtf8(row.menuText));
    action->setIconText(QString::fromUtf8(row.caption));
    action->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
    action->setToolTip(QString::fromUtf8(row.hint));
    action->setStatusTip(QString::fromUtf8(row.hint));
    action->setIcon(app::ToolImage(name));
    action->setIconVisibleInMenu(false);
    this->*row.field = action;
    addAction(action);
    app::BindAction(action, this, [this, handler = row.handler] { (this->*handler)(); });
  }
  for (QAction* mode : {ActZoomIn, ActZoomOut}) {
    mode->setCheckable(true);
    FZoomModes->addAction(mode);
  }
  CloseForm = new QAction(this);
  platform::Named(CloseForm, "CloseForm");
  app::BindAction(CloseForm, this, [this] { CloseFormExecute(); });
}

void TfrmPrint::CreateLayout() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  MainMenu1 = new QMenuBar(this);
  platform::Named(MainMenu1, "MainMenu1");
  for (const TPrintMenuSpec& row : kMenus) {
    QMenu* menu = MainMenu1->addMenu(QString::fromUtf8(row.caption));
    for (const char* item : row.items) menu->addAction(findChild<QAction*>(QString::fromUtf8(item)));
  }

  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  ScrollBox1 = new QScrollArea(this);
  platform::Named(ScrollBox1, "ScrollBox1");
  ScrollBox1->setFrameStyle(QFrame::NoFrame);
  ScrollBox1->setWidgetResizable(false);
  Sheet = new QWidget;
  platform::Named(Sheet, "Sheet");
  ScrollBox1->setWidget(Sheet);
  ScrollBox1->viewport()->installEventFilter(this);
  Sheet->installEventFilter(this);
  row->addWidget(ScrollBox1, 1);

  KivFlatPanel1 = new TKivFlatPanel(Sheet);
  platform::Named(KivFlatPanel1, "KivFlatPanel1");
  KivFlatPanel1->SetPanelStyle(TPanelStyle::psPhotoShop);
  KivFlatPanel1->SetFrameWidth(0);
  KivFlatPanel1->SetPenColor(kNavy);
  KivFlatPanel1->SetColorA(kNavy);

  PreviewPanel1 = new TKivDrawPanel(Sheet);
  platform::Named(PreviewPanel1, "PreviewPanel1");
  PreviewPanel1->SetGrid(false);
  PreviewPanel1->SetDoubleBuffered(false);
  connect(PreviewPanel1, &TKivDrawPanel::MouseDown, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    RunGuarded([&] { PreviewPanel1MouseDown(button, x, y); });
  });
  connect(PreviewPanel1, &TKivDrawPanel::MouseMove, this,
          [this](Qt::KeyboardModifiers, int x, int y) { RunGuarded([&] { PreviewPanel1MouseMove(x, y); }); });
  connect(PreviewPanel1, &TKivDrawPanel::MouseUp, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    RunGuarded([&] { PreviewPanel1MouseUp(button, x, y); });
  });
  connect(PreviewPanel1, &TKivDrawPanel::Click, CloseForm, &QAction::trigger);

  CoolBar1 = new QFrame(this);
  platform::Named(CoolBar1, "CoolBar1");
  static_cast<QFrame*>(CoolBar1)->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* band = new QVBoxLayout(CoolBar1);
  band->setContentsMargins(1, 2, 1, 2);
  ToolBar1 = new QToolBar(CoolBar1);
  platform::Named(ToolBar1, "ToolBar1");
  ToolBar1->setOrientation(Qt::Vertical);
  ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  ToolBar1->setIconSize(QSize(24, 24));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  for (QAction* action : {ActZoomIn, ActZoomOut, ActZoomFit, FSetupAct, FPrintAct, FExitAct}) ToolBar1->addAction(action);
  band->addWidget(ToolBar1);
  band->addStretch(1);
  row->addWidget(CoolBar1);
  column->addLayout(row, 1);

  KivStatusBar1 = new TKivStatusBar(this);
  platform::Named(KivStatusBar1, "KivStatusBar1");
  KivStatusBar1->setSizeGripEnabled(false);
  KivStatusBar1->AddPanel(QString(), 50);
  KivStatusBar1->AddPanel(QString(), 50);
  column->addWidget(KivStatusBar1);

  Panel1 = new QLabel(QString::fromUtf8(kProgressCaption), KivStatusBar1);
  platform::Named(Panel1, "Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setVisible(false);
  ProgressBar1 = new QProgressBar(Panel1);
  platform::Named(ProgressBar1, "ProgressBar1");
  ProgressBar1->setTextVisible(false);
}

void TfrmPrint::FormCreate() {
  setFont(QApplication::font("QMenu"));
  // The page takes the screen's own resolution, as the document's page does, so that it
  // and the elements, which keep the document's pixels per millimetre, agree in scale.
  FScreenPixelsPerMm = logicalDpiX() / 25.4L;
  PreviewPanel1->SetPixelsPerInch(logicalDpiX());
  MoveSealsToPreview();
  const TKivDrawPanel& page = FDocument.Page();
  PreviewPanel1->SetPageWidth(page.PageWidth());
  PreviewPanel1->SetPageHeight(page.PageHeight());
  PreviewPanel1->SetLeftMargin(page.LeftMargin());
  PreviewPanel1->SetTopMargin(page.TopMargin());
  PreviewPanel1->SetRightMargin(page.RightMargin());
  PreviewPanel1->SetBottomMargin(page.BottomMargin());

  // The status bar holds its texts before the first fit, so that its height, and with it
  // the view the fit is made for, stays as it is once it is shown.
  ShowPageStatus();
  CoolBar1->setVisible(!FPreviewOnly);
  const QScreen* screen = this->screen();
  if (FPreviewOnly) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    app::SetBackground(this, platform::DesktopColor());
    MainMenu1->hide();
    KivStatusBar1->hide();
    KivFlatPanel1->SetColorA(platform::clBlack);
    // A view without a tool bar offers nothing to print from, not even by a shortcut.
    FSetupAct->setEnabled(false);
    FPrintAct->setEnabled(false);
    if (screen) setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
  } else {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    app::SetBackground(this, platform::InactiveBorderColor());
    layout()->setMenuBar(MainMenu1);
    KivFlatPanel1->SetColorA(kNavy);
    setWindowTitle(QStringLiteral("Brelvonix 打印管理..."));
    FPrintSettings.Copies = 1;
    if (screen) setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);
  }
  app::SetBackground(ScrollBox1->viewport(), palette().color(QPalette::Window));
}

void TfrmPrint::MoveSealsToPreview() {
  FDocument.LendSeals(PreviewPanel1);
  FSealsLent = true;
}

void TfrmPrint::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Shown by the program, not restored by the window system.
  if (!event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TfrmPrint::FormShow() {
  const app::TPaintLock lock(this);
  FitPage();
}

void TfrmPrint::FitPage() {
  SetPreviewZoom(CalcFitZoom());
  FFitted = true;
}

void TfrmPrint::done(int result) {
  RunGuarded([this] { FormClose(); });
  QDialog::done(result);
}

void TfrmPrint::FormClose() {
  if (!FSealsLent) return;
  FSealsLent = false;
  FDocument.TakeSealsBack();
}

bool TfrmPrint::eventFilter(QObject* watched, QEvent* event) {
  // A fitted page is fitted again when the view changes, as it does when the window system
  // maximizes the window after showing it; any other page is centred again.
  if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize)
    RunGuarded([this] {
      if (FFitted && CalcFitZoom() != PreviewPanel1->Zoom())
        FitPage();
      else
        FormResize();
    });
  // A click on the area around the page.
  if ((watched == ScrollBox1->viewport() || watched == Sheet) && event->type() == QEvent::MouseButtonRelease)
    CloseForm->trigger();
  return QDialog::eventFilter(watched, event);
}

// --- The preview page ----------------------------------------------------------------------

app::TPrintPageGeometry TfrmPrint::GetPrinterPageGeometry() {
  const std::optional<app::TPrinterCaps> caps = app::InstalledPrinterCaps();
  if (caps) SetStatus(0, app::PrinterAreaText(caps->HorzSize, caps->VertSize));
  return app::PrinterPageGeometry(caps);
}

int TfrmPrint::CalcFitZoom() const {
  return app::CalcFitZoom(ScrollBox1->maximumViewportSize(), PreviewPanel1->PageWidth(), PreviewPanel1->PageHeight(),
                          FScreenPixelsPerMm);
}

void TfrmPrint::SetPreviewZoom(int zoom) {
  zoom = std::max(1, zoom);
  FFitted = false;
  QScrollBar* bars[2] = {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()};
  const int ranges[2] = {Sheet->width(), Sheet->height()};
  double ratios[2];
  for (int i = 0; i < 2; ++i) ratios[i] = ranges[i] > 0 ? double(bars[i]->value()) / ranges[i] : 0.0;

  const app::TPaintLock lock(this);
  PreviewPanel1->SetZoom(zoom);
  FDocument.ZoomLentSeals(zoom);
  FormResize();
  const int newRanges[2] = {Sheet->width(), Sheet->height()};
  for (int i = 0; i < 2; ++i) bars[i]->setValue(platform::Round(static_cast<long double>(newRanges[i]) * ratios[i]));
  if (PreviewPanel1->isHidden()) PreviewPanel1->show();
  ShowPageStatus();
}

void TfrmPrint::ShowPageStatus() {
  SetStatus(0, app::PrintableAreaText(PreviewPanel1->PageWidth() - 2 * PreviewPanel1->LeftMargin(),
                                      PreviewPanel1->PageHeight() - 2 * PreviewPanel1->TopMargin()));
  SetStatus(1, app::ZoomText(PreviewPanel1->Zoom()));
}

void TfrmPrint::SetStatus(int panel, const QString& text) {
  KivStatusBar1->SetPanelText(panel, text);
  KivStatusBar1->SetPanelWidth(panel, KivStatusBar1->Panel(panel)->fontMetrics().horizontalAdvance(text) + kPanelPadding);
}

void TfrmPrint::FormResize() {
  FCentring.Centre(*ScrollBox1, *Sheet, *PreviewPanel1, *KivFlatPanel1, [](QSize client, QSize page) {
    const int top = page.height() < client.height() ? (client.height() - page.height()) / 2 : 1;
    const int left = page.width() > client.width() ? 1 : (client.width() - page.width()) / 2;
    return QPoint(left, top);
  });
  const int width = 4 * logicalDpiX();
  Panel1->setGeometry(KivStatusBar1->width() - width, 2, width, KivStatusBar1->height() - 3);
  const int bar = Panel1->width() - Panel1->fontMetrics().horizontalAdvance(Panel1->text()) - kPanelPadding;
  ProgressBar1->setGeometry(Panel1->width() - bar - kPanelPadding, 2, bar, Panel1->height() - 5);
}

void TfrmPrint::SetPreviewCursor(int slot) {
  FCursorSlot = slot;
  if (slot == app::kDefaultCursorSlot)
    PreviewPanel1->unsetCursor();
  else
    PreviewPanel1->setCursor(platform::ScreenCursor(slot));
}

void TfrmPrint::UpdatePreviewCursor() {
  if (ZoomModeOf() != TZoomMode::None) return;
  SetPreviewCursor(app::PanCursorSlot(ScrollBox1->viewport()->size(), PreviewPanel1->size()));
}

void TfrmPrint::ApplyPrinterPage() {
  const app::TPrintPageGeometry sheet = GetPrinterPageGeometry();
  app::ApplyPageGeometry(*PreviewPanel1, sheet);
  FDocument.TakePrinterSheet(sheet);
}

// --- Zoom modes and the mouse ------------------------------------------------------------------

TZoomMode TfrmPrint::ZoomModeOf() const {
  if (FCursorSlot == app::kZoomInCursorSlot) return TZoomMode::ZoomIn;
  if (FCursorSlot == app::kZoomOutCursorSlot) return TZoomMode::ZoomOut;
  return TZoomMode::None;
}

// Leaving a mode toggles its action off, entering one toggles that one on.
void TfrmPrint::SwitchZoomMode(TZoomMode from, TZoomMode to) {
  if (from == to) return;
  if (from == TZoomMode::ZoomIn) ActZoomInExecute();
  if (from == TZoomMode::ZoomOut) ActZoomOutExecute();
  if (to == TZoomMode::ZoomIn) ActZoomInExecute();
  if (to == TZoomMode::ZoomOut) ActZoomOutExecute();
}

void TfrmPrint::ActZoomInExecute() { ActZoomIn->trigger(); }

void TfrmPrint::ActZoomOutExecute() { ActZoomOut->trigger(); }

void TfrmPrint::ZoomInToggled() {
  SetPreviewCursor(ActZoomIn->isChecked() ? app::kZoomInCursorSlot : app::kDefaultCursorSlot);
}

void TfrmPrint::ZoomOutToggled() {
  SetPreviewCursor(ActZoomOut->isChecked() ? app::kZoomOutCursorSlot : app::kDefaultCursorSlot);
}

void TfrmPrint::ActZoomFitExecute() {
  FormShow();
  SwitchZoomMode(ZoomModeOf(), TZoomMode::None);
}

void TfrmPrint::PreviewPanel1MouseDown(Qt::MouseButton button, int x, int y) {
  const bool left = button == Qt::LeftButton;
  if (left && FCursorSlot == app::kHandCursorSlot) {
    FPanning = true;
    FPanStart = PreviewPanel1->mapToGlobal(QPoint(x, y));
    return;
  }
  const TZoomMode mode = ZoomModeOf();
  const app::TZoomClick click = app::ZoomClick(mode, PreviewPanel1->Zoom(), left);
  if (click.Zoom != PreviewPanel1->Zoom()) SetPreviewZoom(click.Zoom);
  SwitchZoomMode(mode, click.Mode);
  if (!left) UpdatePreviewCursor();
}

void TfrmPrint::PreviewPanel1MouseMove(int x, int y) {
  if (!FPanning) return;
  const QPoint p = PreviewPanel1->mapToGlobal(QPoint(x, y));
  ScrollBox1->horizontalScrollBar()->setValue(ScrollBox1->horizontalScrollBar()->value() + FPanStart.x() - p.x());
  ScrollBox1->verticalScrollBar()->setValue(ScrollBox1->verticalScrollBar()->value() + FPanStart.y() - p.y());
  FPanStart = p;
}

void TfrmPrint::PreviewPanel1MouseUp(Qt::MouseButton button, int x, int y) {
  if (FPanning) {
    PreviewPanel1MouseMove(x, y);
    FPanning = false;
  }
  // A left click closes the preview through the page's click; the other buttons here.
  if (button != Qt::LeftButton) CloseForm->trigger();
}

void TfrmPrint::CloseFormExecute() {
  if (FPreviewOnly) close();
}

void TfrmPrint::FExitActExecute() { close(); }

// --- Printer set-up and printing -----------------------------------------------------------------

void TfrmPrint::FSetupActExecute() {
  QPrinter* printer = app::InstalledPrinter();
  if (!printer) {
    app::ShowMessage(this, app::TMsgKind::Information, QStringLiteral("您的计算机没有安装\n打印机，不能设置！"),
                     app::mbOK);
    return;
  }
  if (!app::Services().SetupPrinter(this, *printer)) return;
  const app::TPaintLock lock(this);
  // The document is marked for the printer's sheet and the preview fits it however taking
  // the sheet ends; the cursor then follows the page at its new zoom.
  const auto settle = [&] {
    FDocument.MarkModified();
    FitPage();
    UpdatePreviewCursor();
  };
  try {
    ApplyPrinterPage();
  } catch (...) {
    settle();
    throw;
  }
  settle();
}

bool TfrmPrint::CheckPrinterInstalled() {
  if (app::InstalledPrinter()) return true;
  app::ShowMessage(this, app::TMsgKind::Information, QStringLiteral("您的计算机未安装打\n印机，不能打印！"), app::mbOK);
  return false;
}

void TfrmPrint::FPrintActExecute() {
  FPrintSettings = app::AskPrintSettings(this, FPrintSettings);
  if (FDocument.Seals().empty()) {
    if (FPrintSettings.Accepted)
      app::ShowPlainMessage(this, QStringLiteral("提示："), QStringLiteral("空白文档，有什么好打印的！"), app::mbOK);
    return;
  }
  // The printer is asked for also after a cancel.
  if (!CheckPrinterInstalled() || !FPrintSettings.Accepted) return;
  if (FPrintSettings.Mirror)
    PrintDocumentMirrored();
  else
    PrintDocument();
}

void TfrmPrint::PrintDocument() { RunPrintJob(false); }

void TfrmPrint::PrintDocumentMirrored() { RunPrintJob(true); }

void TfrmPrint::RunPrintJob(bool mirrored) {
  QPrinter* printer = app::InstalledPrinter();
  if (!printer) return;
  QString file;
  if (app::PrintsToFile(*printer)) {
    const QString folder = app::DataFolder(app::Services().ProgramFolder(), app::kDocumentFolder);
    file = app::AskPdfFileName(this, *printer, folder,
                               QFileInfo(FDocument.windowTitle()).completeBaseName() + QStringLiteral(".pdf"));
    if (file.isEmpty()) return;
  }
  const app::TPrintOptions options{bool(FPrintSettings.TrueColor), mirrored, int(FPrintSettings.Copies)};
  const int count = int(FDocument.Seals().size()) * app::SheetsToPrint(*printer, options.Copies);
  // What the closed dialogs covered shows again before the print holds the thread: the
  // window system takes them off the screen first, then the window paints itself.
  QGuiApplication::sync();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  repaint();
  app::TActivityWidgets display(Panel1, ProgressBar1);
  const app::TFileActivity activity(display, kProgressCaption);
  const formats::TProgress progress = activity.Progress();
  progress(0, count);
  int printed = 0;
  const auto print = [&](QPrinter& job) {
    app::PrintSeals(job, FDocument.Seals(), options, [&] { progress(++printed, count); });
  };
  if (file.isEmpty())
    print(*printer);
  else
    app::PrintIntoFile(*printer, file, print);
}
