// The seal library and the emblems: the two side panels and their tabs, the library's
// commands (save the selection as a design, the library editor, insert and delete a design)
// and putting an emblem on the current element.

#include <QAction>
#include <QLineEdit>
#include <algorithm>

#include "document/busycursor.h"
#include "document/childform.h"
#include "document/paintlock.h"
#include "document/tilepictures.h"
#include "emblems/emblempanel.h"
#include "formats/library_file.h"
#include "formats/whole_file.h"
#include "library/frmeditlib.h"
#include "library/frmlib.h"
#include "library/libraryfolder.h"
#include "library/librarypanel.h"
#include "mainwindow/mainform.h"
#include "platform/picture.h"
#include "seal/seal_kinds.h"
#include "services/commandguard.h"
#include "services/folderfiles.h"
#include "services/services.h"
#include "tools/drawtools.h"

using app::ShowMessage;
using app::TMsgKind;

namespace {

// The warning of a picture too large to make, which a thumbnail of a widely spread
// selection shares with the export.
const QString kPictureTooLarge = QStringLiteral(
    "导出图象太大，系统无法处理！\n\n您可以这样来解决：\n\n  A、图象导出精度适当降低；\n\n  B、页面上选择面积适当减小；");

// What the passes of the name question have settled.
struct TLibraryName {
  bool Accepted = false;
  bool Proceed = false;
  bool Overwrite = false;
  QString FileName;
};

// One pass: the name dialog, then the checks of the name typed. A design whose name differs
// from the typed one only in ASCII letter case is the one overwritten, under its own name.
void AskLibraryName(QWidget* owner, const QString& folder, TLibraryName& r) {
  TfrmLib dialog(owner);
  if (!r.FileName.isEmpty()) dialog.SetDesignName(app::LibraryDesignName(r.FileName));
  if (dialog.exec() != QDialog::Accepted) {
    r.Accepted = false;
    return;
  }
  r.Accepted = true;
  const QString name = dialog.DesignName();
  const QString fault = app::LibraryNameFault(name);
  if (!fault.isEmpty()) {
    ShowMessage(owner, TMsgKind::Information, fault, app::mbOK);
    r.Proceed = false;
    return;
  }
  QStringList names = app::ListLibraryFiles(folder, true);
  app::SortLibraryNames(names);
  const QString wanted = app::UpperAscii(name) + QString::fromUtf8(app::kLibraryExtension);
  const auto existing = std::find_if(names.begin(), names.end(),
                                     [&](const QString& n) { return app::SameIgnoringAsciiCase(n, wanted); });
  if (existing == names.end()) {
    r.FileName = app::NewLibraryPath(folder, name);
    r.Proceed = true;
    return;
  }
  r.FileName = folder + *existing;
  if (ShowMessage(owner, TMsgKind::Confirmation, QStringLiteral("章名< ") + name + QStringLiteral(" >已存在，\n是否覆盖？"),
                  app::mbYes | app::mbNo) == app::mbYes) {
    r.Proceed = true;
    r.Overwrite = true;
  }
}

}  // namespace

std::span<const TfrmMain::TCommand> TfrmMain::LibraryCommands() {
  static constexpr TCommand kCommands[] = {
      {"actLibAdd", &TfrmMain::actLibAddExecute},
      {"actEditLibrary", &TfrmMain::actEditLibraryExecute},
      {"actInsertSeal", &TfrmMain::actInsertSealExecute},
      {"actDeleteLibrarySeal", &TfrmMain::actDeleteLibrarySealExecute},
  };
  return kCommands;
}

void TfrmMain::BindLibraryCommands() {
  Bind(LibraryCommands());
  const int ppi = logicalDpiX();
  KivFlatPanel2 = new TEmblemPanel(ScrollBox1, ppi);
  KivFlatPanel3 = new TLibraryPanel(ScrollBox2, PopupMenu3, ppi);
  connect(KivFlatPanel2, &TEmblemPanel::ApplyRequested, this,
          [this](TImagePreview* tile) { app::RunGuarded(this, [this, tile] { ApplyEmblem(tile); }); });
  connect(KivFlatPanel3, &TLibraryPanel::InsertRequested, this,
          [this] { Action(QStringLiteral("actInsertSeal"))->trigger(); });
  connect(KivButton1, &TKivButton::Click, this, [this] { app::RunGuarded(this, [this] { KivButton1Click(); }); });
  connect(KivButton2, &TKivButton::Click, this, [this] { app::RunGuarded(this, [this] { KivButton2Click(); }); });
  for (TKivButton* tab : {KivButton1, KivButton2})
    connect(tab, &TKivButton::MouseUp, this,
            [this, tab] { app::RunGuarded(this, [this, tab] { KivButton1MouseUp(tab); }); });
}

QString TfrmMain::LibraryFolder() const { return app::LibraryFolder(FAppPath); }

bool TfrmMain::LoadSelectedEmblem(platform::TPicture& picture) const {
  const TImagePreview* tile = KivFlatPanel2->SelectedEmblem();
  if (!tile) return false;
  app::LoadTileEmblem(*tile, picture);
  return true;
}

// A build that fails leaves the panel unbuilt, so the next click builds it again.
void TfrmMain::KivButton1Click() {
  if (FEmblemsLoaded) return;
  const QStringList skipped = KivFlatPanel2->LoadEmblemPanel(app::EmblemFolder(FAppPath), Panel2, ProgressBar1);
  FEmblemsLoaded = true;
  if (!skipped.isEmpty())
    ShowMessage(this, TMsgKind::Warning,
                QStringLiteral("以下徽标图片无法读取，未列入徽标集：\n") + skipped.join(QLatin1Char('\n')), app::mbOK);
}

void TfrmMain::KivButton2Click() {
  if (FLibraryLoaded) return;
  const QStringList skipped = KivFlatPanel3->LoadSealLibraryPanel(LibraryFolder(), Panel2, ProgressBar1);
  FLibraryLoaded = true;
  if (!skipped.isEmpty())
    ShowMessage(this, TMsgKind::Warning,
                QStringLiteral("以下印章库文件无法读取，未列入印章库：\n") + skipped.join(QLatin1Char('\n')), app::mbOK);
}

void TfrmMain::KivButton1MouseUp(TKivButton* sender) {
  const app::TPaintLock lock(this);
  (sender == KivButton1 ? KivButton2 : KivButton1)->SetBtnState(TButtonState::bsUp);
  // The second tab overlaps the first by half a tab, however wide the first is.
  KivButton2->move(KivButton1->x() + KivButton1->width() - sender->height() / 2, KivButton2->y());
  ScrollBox1->setVisible(KivButton1->BtnState() == TButtonState::bsDown);
  ScrollBox2->setVisible(KivButton2->BtnState() == TButtonState::bsDown);
}

void TfrmMain::actLibAddExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || window->Selection().empty()) return;
  // The design is made before its name is asked, so that the name and the overwrite question
  // come only for a design that will be written.
  std::vector<uint8_t> design;
  try {
    const app::TBusyCursor busy;
    design = window->LibraryDesign(window->Selection());
  } catch (const formats::EThumbnailTooLarge&) {
    ShowMessage(this, TMsgKind::Warning, kPictureTooLarge, app::mbOK);
    return;
  }
  const QString folder = LibraryFolder();
  TLibraryName name;
  do AskLibraryName(this, folder, name);
  while (name.Accepted && !name.Proceed);
  if (!name.Accepted || !name.Proceed) return;

  {
    const app::TBusyCursor busy;
    formats::SaveFileAtomically(name.FileName, design);
  }
  if (!FLibraryLoaded) return;
  if (name.Overwrite)
    KivFlatPanel3->RefreshLibraryPreviews(name.FileName);
  else
    KivFlatPanel3->AddLibraryPreview(name.FileName);
}

// Closed with its close box, the editor leaves the panel as it was, even after deleting.
void TfrmMain::actEditLibraryExecute() {
  TfrmEditLib editor(this, LibraryFolder());
  if (editor.exec() != QDialog::Accepted || !FLibraryLoaded || KivFlatPanel3->Tiles().empty()) return;
  const app::TPaintLock lock(this);
  KivFlatPanel3->KeepLibraryTiles(editor.FileList(), TLibraryPanel::TileSideFor(editor.logicalDpiX()));
}

void TfrmMain::actInsertSealExecute() {
  TfrmChild* window = ActiveChild();
  TImagePreview* tile = KivFlatPanel3->SelectedLibSeal();
  if (!tile) return;
  if (!window) {
    ShowHint(QStringLiteral("请先新建或打开印章文件，再插入模板印章。"));
    return;
  }
  window->InsertLibrarySeal(tile->Caption());
}

// A file that is already gone still loses its tile.
void TfrmMain::actDeleteLibrarySealExecute() {
  if (!KivFlatPanel3->SelectedLibSeal()) return;
  if (ShowMessage(this, TMsgKind::Confirmation, QStringLiteral("确实要永久删除该模板印章吗？"), app::mbYes | app::mbNo) !=
      app::mbYes)
    return;
  const app::TPaintLock lock(this);
  app::DeleteLibraryFile(KivFlatPanel3->SelectedLibSeal()->Caption());
  KivFlatPanel3->DeleteSelectedLibSeal();
}

void TfrmMain::ApplyEmblem(TImagePreview* tile) {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  const seal::TSeal* element = window->CurrentSeal();
  if (element && seal::TakesPicture(element->SealType())) {
    window->ApplyEmblemToCurrent([tile](platform::TPicture& picture) { app::LoadTileEmblem(*tile, picture); });
    CheckBox2->setChecked(element->ImageIsStar());
    CheckBox3->setChecked(element->HaveImage());
    return;
  }
  DrawTools->Execute(Action(QStringLiteral("actDrawAPicture")));
}
