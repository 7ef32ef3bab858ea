#include "mainwindow/mainform.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

#include "controls/ansitext.h"
#include "controls/gbkinput.h"
#include "controls/listwidth.h"
#include "controls/windowstyle.h"
#include "document/childform.h"
#include "document/fileactivity.h"
#include "mainwindow/cascade.h"
#include "mainwindow/mainactions.h"
#include "mainwindow/mainform_tools.h"
#include "mainwindow/mainform_view.h"
#include "mainwindow/splash.h"
#include "pandrel/pandrel.h"
#include "platform/color.h"
#include "platform/componentname.h"
#include "platform/numeric.h"
#include "platform/registry.h"
#include "platform/syscolors.h"
#include "property/propertyhost.h"
#include "seal/seal.h"
#include "services/addresses.h"
#include "services/commandguard.h"
#include "services/resources.h"
#include "services/services.h"
#include "services/settingskeys.h"
#include "tools/drawtools.h"

using app::Services;
using app::TStatusPanel;
using platform::Round;
using platform::TRegRoot;

namespace {

const QString kConfigKey = QString::fromUtf8(app::kConfigKey);
const QString kUserInfoKey = QString::fromUtf8(app::kUserInfoKey);
const QString kHomePageKey = QString::fromUtf8(app::kHomePageKey);

constexpr platform::TColor kBoxTextColor = 0x803000;
constexpr int kStartupPause = 150;
constexpr int kIdleRefreshMs = 200;

struct TPanelSpec {
  const char* text;
  int width;
  const char* fitText;  // the longest text the panel shows, nullptr when it varies
};

// In the order of TStatusPanel. The home-page panel holds the address; its width is laid
// out to fill the bar. The pointer panels hold any place on a page of up to ten metres.
constexpr TPanelSpec kStatusPanels[] = {
    {" 水平坐标：", 115, " 水平坐标：9999.9mm"}, {"垂直坐标：", 110, "垂直坐标：9999.9mm"},
    {"文件状态：", 105, "文件状态：已修改"},     {"已画图形：", 90, "已画图形：9999"},
    {nullptr, 100, nullptr},                     {"CAPS: OFF", 60, "CAPS: OFF"},
    {"NUM: ON", 55, "NUM: OFF"},                 {"SCRL: OFF", 50, "SCRL: OFF"},
};
static_assert(std::size(kStatusPanels) == app::kStatusPanelCount);
constexpr int kHomePagePanel = int(TStatusPanel::HomePage);

QString HintText(const app::TActionSpec& row) {
  if (!row.hint) return QString();
  const QString hint = QString::fromUtf8(row.hint);
  return row.twinHint && !hint.contains(QLatin1Char('|')) ? hint + QLatin1Char('|') + hint : hint;
}

// The panel keeps its height and takes the width of its controls plus their left margin.
void AutoSizePanel(QWidget* panel, int margin) {
  int right = 0;
  for (QWidget* child : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    right = std::max(right, child->geometry().right() + 1);
  panel->setFixedWidth(right + margin);
}

// Pixels of a combo box that are not its text: frame, margins and arrow.
int ComboOverhead(QComboBox* box) {
  QStyleOptionComboBox option;
  option.initFrom(box);
  option.editable = box->isEditable();
  option.rect = QRect(0, 0, 100, box->height());
  const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
  return 100 - field.width() + 4;
}

int CentredTop(const QWidget* panel, const QWidget* control) { return (panel->height() - control->height()) / 2; }

QWidget* ToolPanel(const char* name, QWidget* parent, int height) {
  auto* panel = new QWidget(parent);
  platform::Named(panel, name);
  panel->setFixedHeight(height);
  return panel;
}

}  // namespace

QStringList ZoomItems() {
  QStringList items{QStringLiteral("25%")};
  while (items.size() < 24) {
    QString previous = items.last();
    previous.chop(1);
    items.append(QString::number(previous.toInt() + 25) + QLatin1Char('%'));
  }
  return items;
}

void KeepChineseFonts(QComboBox* box) {
  for (int i = box->count() - 1; i >= 0; --i)
    if (!app::HasDoubleByteChar(box->itemText(i))) box->removeItem(i);
}

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
  platform::Named(this, "frmMain");
  setWindowTitle(QStringLiteral("Brelvonix 8"));
  setWindowIcon(app::ProgramIcon());
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  BindFileCommands();
  BindEditCommands();
  BindToolsCommands();
  BindWindowCommands();
  BindHelpCommands();
  BindLibraryCommands();
  BindExportCommands();
  BindViewCommands();
  BindSealOptionCommands();
  BindPrintCommands();
  CreatePropertyHost();
  FormCreate();
}

std::vector<std::span<const TfrmMain::TCommand>> TfrmMain::CommandTables() {
  return {FileCommands(),    EditCommands(), ToolsCommands(),      WindowCommands(), HelpCommands(),
          LibraryCommands(), ViewCommands(), SealOptionCommands(), ExportCommands(), PrintCommands()};
}

void TfrmMain::Bind(std::span<const TCommand> commands) {
  for (const TCommand& c : commands)
    app::BindAction(Action(QString::fromUtf8(c.action)), this, [this, command = c.command] { (this->*command)(); });
}

TfrmMain::~TfrmMain() {
  // The zoom box loses the focus as the base class frees it, which would finish an edit on a
  // main window that is no longer there.
  if (DispComboBox->lineEdit()) DispComboBox->lineEdit()->disconnect(this);
  // The property window goes while its host is still there.
  FreePropertyWindow();
  delete FrmDrawTools;
  // The document windows go first, while everything they report to still exists, without
  // refreshing the window actions for each one that goes.
  disconnect(ClientWindow, &QMdiArea::subWindowActivated, nullptr, nullptr);
  for (QMdiSubWindow* w : ClientWindow->subWindowList()) delete w;
  // The document area outlives the actions while the children are freed.
  disconnect(ClientWindow, nullptr, this, nullptr);
  ClientWindow->SetWallpaper(nullptr);
}

QAction* TfrmMain::Action(const QString& name) const {
  for (const auto* list : {&ActionList1, &ActionList2})
    for (QAction* a : *list)
      if (a->objectName() == name) return a;
  throw std::out_of_range("the main window has no action \"" + name.toStdString() + "\"");
}

void TfrmMain::CreateActions() {
  const auto make = [this](const app::TActionSpec& row) {
    auto* action = new QAction(this);
    const QString name = QString::fromUtf8(row.name);
    platform::Named(action, name);
    action->setText(row.caption ? QString::fromUtf8(row.caption) : name);
    if (row.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
    const QString hint = HintText(row);
    if (!hint.isEmpty()) {
      action->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
      action->setStatusTip(hint.section(QLatin1Char('|'), -1));
    }
    action->setData(row.tag);
    action->setCheckable(row.checkable);
    action->setIcon(app::ToolImage(name));
    action->setIconVisibleInMenu(false);
    return action;
  };
  for (const app::TActionSpec& row : app::MainActions()) ActionList1.push_back(make(row));
  auto* tools = new QActionGroup(this);
  platform::Named(tools, "ActionList2");
  tools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (const app::TActionSpec& row : app::ToolActions()) {
    QAction* action = make(row);
    if (row.checkable) tools->addAction(action);
    ActionList2.push_back(action);
  }
  addActions(QList<QAction*>(ActionList1.begin(), ActionList1.end()));
  actPageDoubleBuffered = Action(QStringLiteral("actPageDoubleBuffered"));
  DrawTools = new app::TDrawTools(this, ActionList2, [this] { return ActiveChild(); });
}

void TfrmMain::CreateMenus() {
  const auto fill = [this](QMenu* menu, const app::TMenuSpec& row) {
    platform::Named(menu, row.name);
    for (const char* item : row.items) {
      if (QLatin1String(item) == QLatin1String("-"))
        menu->addSeparator();
      else
        menu->addAction(Action(QString::fromUtf8(item)));
    }
  };
  for (const app::TMenuSpec& row : app::MainMenus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(row.caption));
    fill(menu, row);
  }
  WindowMenu = menuBar()->findChild<QMenu*>(QStringLiteral("WindowMenu"));
  std::vector<QMenu*> popups;
  for (const app::TMenuSpec& row : app::PopupMenus()) {
    auto* menu = new QMenu(this);
    fill(menu, row);
    popups.push_back(menu);
  }
  PopupMenu1 = popups[0];
  PopupMenu2 = popups[1];
  PopupMenu3 = popups[2];
}

void TfrmMain::CreateToolBar() {
  auto* body = new QWidget(this);
  platform::Named(body, "Body");
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  CoolBar1 = new QFrame(body);
  platform::Named(CoolBar1, "CoolBar1");
  static_cast<QFrame*>(CoolBar1)->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* band = new QHBoxLayout(CoolBar1);
  band->setContentsMargins(2, 1, 2, 1);
  ToolBar1 = new QToolBar(CoolBar1);
  platform::Named(ToolBar1, "ToolBar1");
  ToolBar1->setIconSize(QSize(24, 24));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setContentsMargins(0, 0, 0, 0);
  ToolBar1->layout()->setSpacing(0);
  ToolBar1->layout()->setContentsMargins(0, 0, 0, 0);
  band->addWidget(ToolBar1);
  column->addWidget(CoolBar1);

  DispComboBox = new QComboBox;
  FontComboBox = new QComboBox;
  const int panelHeight = std::max(30, DispComboBox->sizeHint().height() + 2);

  Panel4 = ToolPanel("Panel4", ToolBar1, panelHeight);
  DispComboBox->setParent(Panel4);
  platform::Named(DispComboBox, "DispComboBox");
  DispComboBox->setEditable(true);

  Panel3 = ToolPanel("Panel3", ToolBar1, panelHeight);
  // A plain panel paints no caption: the font box stands where it would show, and the
  // caption names the panel for assistive tools only.
  Panel3->setAccessibleName(QStringLiteral(" 字体:"));
  FontComboBox->setParent(Panel3);
  platform::Named(FontComboBox, "FontComboBox");
  FontComboBox->setEditable(true);
  CheckBox4 = new QCheckBox(QStringLiteral("仅中文"), Panel3);
  platform::Named(CheckBox4, "CheckBox4");
  CheckBox4->setChecked(true);
  CheckBox4->setToolTip(QStringLiteral("显示所有字体"));
  CheckBox4->setStatusTip(QStringLiteral("显示所有字体"));

  Panel1 = ToolPanel("Panel1", ToolBar1, panelHeight);
  CheckBox1 = new QCheckBox(QStringLiteral("阳章"), Panel1);
  CheckBox2 = new QCheckBox(QStringLiteral("五星"), Panel1);
  CheckBox3 = new QCheckBox(QStringLiteral("有图符"), Panel1);
  int n = 1;
  for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3}) {
    platform::Named(box, QStringLiteral("CheckBox%1").arg(n++));
    box->setChecked(true);
  }

  // The panel selectors stand right of the tool bar rather than on it: on it they would be
  // the first to go behind its overflow button as the window narrows, and their width would
  // become the bar's least one.
  Panel6 = ToolPanel("Panel6", CoolBar1, panelHeight);
  Panel6->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  auto* tabs = new QHBoxLayout(Panel6);
  tabs->setContentsMargins(0, 0, 0, 0);
  KivFlatPanel1 = new TKivFlatPanel(Panel6);
  KivFlatPanel1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  tabs->addWidget(KivFlatPanel1, 0, Qt::AlignRight);
  platform::Named(KivFlatPanel1, "KivFlatPanel1");
  KivFlatPanel1->SetColorA(platform::FromQColor(platform::InactiveBorderColor()));
  KivFlatPanel1->resize(KivFlatPanel1->width(), panelHeight);
  KivButton1 = new TKivButton(KivFlatPanel1);
  platform::Named(KivButton1, "KivButton1");
  KivButton1->SetCaption(QStringLiteral("徽标集"));
  KivButton1->SetTag(1);
  KivButton2 = new TKivButton(KivFlatPanel1);
  platform::Named(KivButton2, "KivButton2");
  KivButton2->SetCaption(QStringLiteral("印章库"));
  KivButton2->SetTag(2);

  for (const char* item : app::ToolBarItems()) {
    const QString name = QString::fromUtf8(item);
    if (name == QLatin1String("-"))
      ToolBar1->addSeparator();
    else if (QWidget* panel = ToolBar1->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly))
      ToolBar1->addWidget(panel);
    else
      ToolBar1->addAction(Action(name));
  }
  if (QWidget* next = ToolBar1->widgetForAction(Action(QStringLiteral("actToolsNextFont"))))
    platform::Named(next, "ToolButton11");
  band->addWidget(Panel6, 1);

  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  ClientWindow = new TMdiClient(body);
  platform::Named(ClientWindow, "ClientWindow");
  row->addWidget(ClientWindow, 1);
  for (QScrollArea** box : {&ScrollBox1, &ScrollBox2}) {
    *box = new QScrollArea(body);
    app::SetBackground(*box, Qt::white);
    // The panels are worked with the mouse. Holding the keyboard focus, a panel hidden by
    // its tab would hand the focus on to the next window in the chain, another document's,
    // which would then become the active one.
    (*box)->setFocusPolicy(Qt::NoFocus);
    (*box)->setVisible(false);
    row->addWidget(*box);
  }
  platform::Named(ScrollBox1, "ScrollBox1");
  platform::Named(ScrollBox2, "ScrollBox2");
  column->addLayout(row, 1);
  setCentralWidget(body);
}

void TfrmMain::CreateStatusBar() {
  KivStatusBar1 = new TKivStatusBar(this);
  platform::Named(KivStatusBar1, "KivStatusBar1");
  // A design width too narrow for the panel's longest text in the bar's font grows to hold it.
  for (const TPanelSpec& panel : kStatusPanels) {
    const QString text = panel.text ? QString::fromUtf8(panel.text) : QString::fromUtf8(app::kHomePageAddress);
    KivStatusBar1->AddPanel(text, panel.width, panel.fitText ? QString::fromUtf8(panel.fitText) : QString());
  }
  setStatusBar(KivStatusBar1);

  Panel2 = new QLabel(QStringLiteral("正在载入："), KivStatusBar1);
  platform::Named(Panel2, "Panel2");
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel2->setVisible(false);
  ProgressBar1 = new QProgressBar(Panel2);
  platform::Named(ProgressBar1, "ProgressBar1");
  ProgressBar1->setTextVisible(false);
}

void TfrmMain::FormCreate() {
  setFont(QApplication::font("QMenu"));
  auto* idle = new QTimer(this);
  connect(idle, &QTimer::timeout, this, [this] { app::RunGuarded(this, [this] { ShowKeyStates(); }); });
  idle->start(kIdleRefreshMs);

  SplashStatus(kStartupPause, QStringLiteral("检测显示器……"));
  if (Services().ScreenWidth() < 800 &&
      app::ShowMessage(this, app::TMsgKind::Confirmation,
                       QStringLiteral("    您的系统显示分辨率低于\n800 x 600,本软件可能运行不\n正常！是否退出？"),
                       app::mbYes | app::mbNo) == app::mbYes)
    FTerminateRequested = true;

  SplashStatus(kStartupPause, QStringLiteral("查找打印机……"));
  if (Services().PrinterNames().isEmpty())
    app::ShowMessage(
        this, app::TMsgKind::Information,
        QStringLiteral("    您的系统没有安装\n任何打印设备，建议用\n户安装分辨率在600dpi\n及以上的激光打印机。"),
        app::mbOK);

  SplashStatus(kStartupPause, QStringLiteral("创建剪贴板……"));
  FClipStream = std::make_unique<std::vector<uint8_t>>();

  SplashStatus(kStartupPause, QStringLiteral("设置壁纸……"));
  const QString wallpaper =
      platform::ReadRegString(TRegRoot::LocalMachine, kUserInfoKey, QString::fromUtf8(app::kBackGroundValue));
  FWallpaper.reset(SetBkGnd(ClientWindow, wallpaper.toUtf8().constData()));
  ClientWindow->SetWallpaper(FWallpaper.get());

  app::SetTextColor(DispComboBox, platform::ToQColor(kBoxTextColor));
  DispComboBox->addItems(ZoomItems());
  DispComboBox->setCurrentIndex(3);

  SplashStatus(kStartupPause, QStringLiteral("搜索字体……"));
  app::SetTextColor(FontComboBox, platform::ToQColor(kBoxTextColor));
  QStringList fonts = Services().ScreenFontNames();
  fonts.sort();
  FontComboBox->addItems(fonts);
  KeepChineseFonts(FontComboBox);
  FitListToItems(FontComboBox);
  FontComboBox->setCurrentIndex(FontComboBox->findText(QStringLiteral("宋体"), Qt::MatchExactly));

  SplashStatus(kStartupPause, QStringLiteral("完成初始化……"));
  if (const auto on = platform::ReadRegInteger(TRegRoot::LocalMachine, kConfigKey,
                                               QString::fromUtf8(app::kPageDoubleBufferedValue)))
    actPageDoubleBuffered->setChecked(*on != 0);
  const QString settings = platform::TakeRegistryNotice();
  if (!settings.isEmpty()) app::ShowMessage(this, app::TMsgKind::Warning, settings, app::mbOK);

  app::RegisterProgramCursors();
  ShowKeyStates();
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  app::RunGuarded(this, [this] { FormShow(); });
}

QString CommandLineDocument(const QStringList& args) {
  if (args.isEmpty()) return QString();
  if (QFileInfo(args[0]).suffix().isEmpty() && args.size() >= 2) return args[0] + QLatin1Char(' ') + args[1];
  return args[0];
}

void TfrmMain::FormShow() {
  if (!FAppPath.isEmpty()) return;
  ArrangeBars();
  FAppPath = Services().ProgramFolder();
  if (!FAppPath.endsWith(QLatin1Char('/'))) FAppPath += QLatin1Char('/');

  const QString document = CommandLineDocument(Services().Arguments());
  if (!document.isEmpty() && QFileInfo::exists(document)) OpenDocument(document);

  const QString flag = platform::ReadRegString(TRegRoot::LocalMachine, kHomePageKey, QStringLiteral("HomePage"));
  if (flag.isEmpty() || flag == QLatin1String("false")) {
    Services().OpenUrl(QString::fromUtf8(app::kHomePageAddress));
    platform::WriteRegString(TRegRoot::LocalMachine, kHomePageKey, QStringLiteral("HomePage"), QStringLiteral("true"));
  }
  // A document opened from the command line shows its own state already.
  if (!ActiveChild()) ShowNoDocumentStatus();
  if (FrmDrawTools) FrmDrawTools->show();
}

void TfrmMain::ShowNoDocumentStatus() {
  for (const TStatusPanel panel : {TStatusPanel::PointerX, TStatusPanel::PointerY, TStatusPanel::ElementCount})
    ShowStatus(panel, QString::fromUtf8(kStatusPanels[size_t(panel)].text));
  ShowStatus(TStatusPanel::FileState, app::FileStateText(app::TFileState::NoFile));
}

TFrmDrawTools* TfrmMain::CreateDrawTools(int pixelsPerInch) {
  FrmDrawTools = new TFrmDrawTools(
      this, [this](const QString& name) { return Action(name); }, CoolBar1, pixelsPerInch);
  return FrmDrawTools;
}

QAction* TfrmMain::CurrentDrawAction() const { return DrawTools->Armed(); }

void TfrmMain::SyncSealOptions(const seal::TSeal* element) {
  if (!element) return;
  CheckBox1->setText(element->SealType() == seal::stFiveStar ? QStringLiteral("空心") : QStringLiteral("阳章"));
  CheckBox1->setChecked(element->BrushStyle() == platform::bsClear);
  CheckBox2->setChecked(element->HaveImage() && element->ImageIsStar());
  CheckBox3->setChecked(element->HaveImage());
}

TfrmChild* TfrmMain::ActiveChild() const { return qobject_cast<TfrmChild*>(ClientWindow->activeSubWindow()); }

TfrmChild* TfrmMain::CreateDocumentWindow(const QString& caption) {
  auto* child = new TfrmChild(*this);
  child->setWindowTitle(caption);
  // Shown on its caption bar, on the menu bar while it is maximised and when minimised.
  child->setWindowIcon(windowIcon());
  child->SetDoubleBuffered(actPageDoubleBuffered->isChecked());
  ConnectDocument(child);
  const int before = int(DocumentWindows().size());
  ClientWindow->addSubWindow(child);
  // A document window takes about three quarters of the document area, as the system sizes
  // such windows, rather than the few pixels its contents ask for, one step of the cascade
  // further in than the window before it.
  const QRect area = DocumentArea();
  if (!area.isEmpty()) {
    const QSize size(area.width() * 3 / 4, area.height() * 3 / 4);
    child->setGeometry(
        QRect(area.topLeft() + app::CascadePlace(area.size(), size, app::CascadeStep(*child), before), size));
  }
  child->show();
  ClientWindow->setActiveSubWindow(child);
  return child;
}

void TfrmMain::ConnectDocument(TfrmChild* window) {
  connect(window, &TfrmChild::FileStateChanged, this, &TfrmMain::ShowFileState);
  connect(window, &TfrmChild::ZoomChanged, this, &TfrmMain::ShowZoom);
  connect(window, &TfrmChild::CurrentSealChanged, this, [this](const seal::TSeal* element) { SyncSealOptions(element); });
  ConnectPropertyWindow(window);
}

// The box's own rule: a text it would refuse is no zoom for a new window either.
uint16_t TfrmMain::ZoomBoxValue() const {
  const QString text = DispComboBox->currentText();
  if (const std::optional<uint16_t> zoom = app::ZoomFromText(text)) return *zoom;
  throw std::runtime_error(app::ZoomTextMessage(text).toStdString());
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (FAppPath.isEmpty()) return;
  setUpdatesEnabled(false);
  app::RunGuarded(this, [this] { ArrangeBars(); });
  setUpdatesEnabled(true);
  PropertyWindowFollowsMainWindow();
}

void TfrmMain::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (!FAppPath.isEmpty()) PlacePropertyWindow();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  app::RunGuarded(this, [&] { mayClose = DocumentsMayClose(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  // Every document has answered already: none asks again.
  for (TfrmChild* window : DocumentWindows()) window->ForgetChanges();
  ClientWindow->closeAllSubWindows();
  if (!ClientWindow->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void TfrmMain::ShowFileState(app::TFileState state, int count) {
  const bool inWords = state == app::TFileState::Modified && !FModifiedWording.isEmpty();
  ShowStatus(TStatusPanel::FileState, inWords ? FModifiedWording : app::FileStateText(state));
  ShowStatus(TStatusPanel::ElementCount, app::ElementCountText(count));
}

void TfrmMain::ShowKeyStates() {
  const app::TLockKeys keys = Services().LockKeys();
  const auto state = [](bool on) { return on ? QStringLiteral("ON") : QStringLiteral("OFF"); };
  ShowStatus(TStatusPanel::CapsLock, QStringLiteral("CAPS: ") + state(keys.Caps));
  ShowStatus(TStatusPanel::NumLock, QStringLiteral("NUM: ") + state(keys.Num));
  ShowStatus(TStatusPanel::ScrollLock, QStringLiteral("SCRL: ") + state(keys.Scroll));
}

// --- Host of the document windows ---------------------------------------------------------

int TfrmMain::ArmedTool() const { return app::ToolTag(DrawTools->Armed()); }

void TfrmMain::ReleaseTool() { DrawTools->Release(); }

platform::TColor TfrmMain::CurrentColor() const { return FrmDrawTools ? FrmDrawTools->CurrentColor() : FOwnColor; }

void TfrmMain::SetCurrentColor(platform::TColor colour) {
  if (FrmDrawTools)
    FrmDrawTools->SetCurrentColor(colour);
  else
    FOwnColor = colour;
}

QString TfrmMain::FontBoxText() const { return FontComboBox->currentText(); }

QString TfrmMain::ProgramFolder() const { return FAppPath; }

void TfrmMain::ShowSealPopupMenu(QPoint globalPos) { PopupMenu1->popup(globalPos); }

void TfrmMain::ShowPagePopupMenu(QPoint globalPos) { PopupMenu2->popup(globalPos); }

void TfrmMain::PrepareSealPopupMenu(const seal::TSeal&, bool locked) {
  Action(QStringLiteral("actLockSeal"))->setText(app::LockSealCaption(locked, app::TCaptionPlace::PopupMenu));
}

void TfrmMain::ShowStatus(TStatusPanel panel, const QString& text) { KivStatusBar1->SetPanelText(int(panel), text); }

void TfrmMain::ShowPointerPosition(const QString& horizontal, const QString& vertical) {
  ShowStatus(TStatusPanel::PointerX, horizontal);
  ShowStatus(TStatusPanel::PointerY, vertical);
}

// The hint takes the widest panel, the home page's, for long enough to be read.
void TfrmMain::ShowHint(const QString& message) {
  constexpr int kHintMilliseconds = 6000;
  KivStatusBar1->ShowHint(int(TStatusPanel::HomePage), message, kHintMilliseconds);
}

void TfrmMain::ShowInputHint(const QString& characters) { ShowHint(RefusedInputMessage(characters)); }

void TfrmMain::ShowZoom(int zoom) { DispComboBox->setEditText(QString::number(zoom) + QLatin1Char('%')); }

app::TActivityDisplay& TfrmMain::FileActivity() {
  if (!FFileActivity) FFileActivity = std::make_unique<app::TActivityWidgets>(Panel2, ProgressBar1);
  return *FFileActivity;
}


// The save command works on the active window.
void TfrmMain::SaveDocument(TfrmChild& document) {
  ClientWindow->setActiveSubWindow(&document);
  actFileSaveExecute();
}

void TfrmMain::ArrangeBars() { ArrangeBars(logicalDpiX()); }

void TfrmMain::ArrangeBars(int P) {
  const QFontMetrics metrics(font());
  const int w = metrics.horizontalAdvance(QStringLiteral("我"));
  const long double p = P;

  // 1. The home-page panel fills what the other seven leave.
  int others = 0;
  for (int i = 0; i < KivStatusBar1->PanelCount(); ++i)
    if (i != kHomePagePanel) others += KivStatusBar1->PanelWidth(i);
  KivStatusBar1->SetPanelWidth(kHomePagePanel, KivStatusBar1->width() - others - P / 3);
  // The home-page panel follows the bar's width and so sets no least width of its own: the
  // bar, and with it the window, may narrow to the other seven panels.
  KivStatusBar1->setMinimumWidth(others + P / 3);

  // 2. The progress panel for long file operations.
  app::SetTextColor(Panel2, Qt::red);
  const int panel2Width = Round(p * 3.5L);
  Panel2->setGeometry(KivStatusBar1->width() - panel2Width - P / 8, 3, panel2Width, KivStatusBar1->height() - 5);
  const int progressWidth = std::max(0, panel2Width - metrics.horizontalAdvance(Panel2->text()));
  ProgressBar1->setGeometry(Panel2->width() - progressWidth, 0, progressWidth, Panel2->height());

  // 3. Zoom box.
  // Qt's combo box frame and arrow are wider than the design allowed for: a box too narrow
  // to show "600%" grows to show it.
  const int zoomFit = ComboOverhead(DispComboBox) + DispComboBox->fontMetrics().horizontalAdvance(QStringLiteral("600%"));
  DispComboBox->resize(std::max(Round(p / 2), zoomFit), DispComboBox->height());
  DispComboBox->move(P / 24, CentredTop(Panel4, DispComboBox));
  AutoSizePanel(Panel4, P / 24);

  // 4. Font box and the Chinese-only filter. A check box too narrow for its mark and its
  // caption with half a character after it grows to hold them, so that the next box's mark
  // never touches its caption.
  const auto checkWidth = [w](const QCheckBox* box, int design) {
    return std::max(design, box->sizeHint().width() + w / 2);
  };
  FontComboBox->resize(10 * w, FontComboBox->height());
  FontComboBox->move(P / 24, CentredTop(Panel3, FontComboBox));
  CheckBox4->resize(checkWidth(CheckBox4, Round(4.5L * w)), CheckBox4->sizeHint().height());
  CheckBox4->move(FontComboBox->x() + FontComboBox->width() + 1, CentredTop(Panel3, CheckBox4));
  AutoSizePanel(Panel3, P / 24);

  // 5. The seal option boxes.
  CheckBox1->resize(checkWidth(CheckBox1, Round(3.5L * w)), CheckBox1->sizeHint().height());
  CheckBox1->move(font().pointSize(), CentredTop(Panel1, CheckBox1));
  CheckBox2->resize(checkWidth(CheckBox2, Round(3.5L * w)), CheckBox2->sizeHint().height());
  CheckBox2->move(CheckBox1->x() + CheckBox1->width(), CheckBox1->y());
  CheckBox3->resize(checkWidth(CheckBox3, Round(4.5L * w)), CheckBox3->sizeHint().height());
  CheckBox3->move(CheckBox2->x() + CheckBox2->width(), CheckBox1->y());
  Panel1->setFixedWidth(CheckBox3->x() + CheckBox3->width());

  // 6. The panel selectors take the rest of the bar right of the tool bar, and never less
  // than their two tabs need: the tool bar gives way first, what it cannot show behind its
  // overflow button.
  // 7. The strip behind the tabs, right-aligned in its panel, as wide as it has room for
  // up to its full width.
  KivFlatPanel1->SetFrameWidth(Round(p / 100));
  const int frame = KivFlatPanel1->FrameWidth();
  KivFlatPanel1->setMinimumWidth(6 * frame + 12 * w);
  KivFlatPanel1->setMaximumWidth(18 * w);
  KivFlatPanel1->setFixedHeight(Panel6->height());

  // 8. The two tabs; the second overlaps the first by half a tab height.
  const int tabHeight = KivFlatPanel1->height() * 3 / 4;
  const int tabTop = KivFlatPanel1->height() - tabHeight - frame;
  const int width1 = KivButton1->BtnState() == TButtonState::bsDown ? KivButton1->width() : 6 * w;
  KivButton1->setGeometry(5 * frame, tabTop, width1, tabHeight);
  const int width2 = KivButton2->BtnState() == TButtonState::bsDown ? KivButton2->width() : 6 * w;
  KivButton2->setGeometry(KivButton1->x() + KivButton1->width() - KivButton1->height() / 2, tabTop, width2, tabHeight);
}
