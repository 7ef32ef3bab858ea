#pragma once
// A host for document windows without a main window: it keeps what a document asks for and
// what it announces, so that a test reads it, and arms tools by their tags.

#include <QLabel>
#include <QProgressBar>
#include <functional>
#include <vector>

#include "document/childform.h"
#include "document/fileactivity.h"
#include "document/documenthost.h"
#include "document/tilepictures.h"
#include "document/tooltags.h"
#include "seal/seal.h"

struct FakeHost : app::TDocumentHost {
  int armed = 0;
  int releases = 0;
  platform::TColor colour = platform::clRed;
  QString fontText = QStringLiteral("宋体");
  const TImagePreview* emblem = nullptr;
  QString folder;
  std::vector<QPoint> sealMenus;  // where the pop-up menus were asked for, on the screen
  std::vector<QPoint> pageMenus;
  QStringList panels = QStringList(app::kStatusPanelCount, QString());
  int zoom = 0;  // the zoom last announced, 0 before any
  QLabel activityPanel;
  QProgressBar activityBar;
  app::TActivityWidgets activity{&activityPanel, &activityBar};
  const seal::TSeal* preparedFor = nullptr;  // the element whose pop-up menu was last readied
  int saves = 0;
  std::function<void(TfrmChild*)> onSave;

  int ArmedTool() const override { return armed; }
  void ReleaseTool() override {
    armed = 0;
    ++releases;
  }
  platform::TColor CurrentColor() const override { return colour; }
  void SetCurrentColor(platform::TColor c) override { colour = c; }
  QString FontBoxText() const override { return fontText; }
  bool LoadSelectedEmblem(platform::TPicture& picture) const override {
    if (!emblem) return false;
    app::LoadTileEmblem(*emblem, picture);
    return true;
  }
  QString ProgramFolder() const override { return folder; }
  void PrepareSealPopupMenu(const seal::TSeal& element, bool) override { preparedFor = &element; }
  void ShowSealPopupMenu(QPoint at) override { sealMenus.push_back(at); }
  void ShowPagePopupMenu(QPoint at) override { pageMenus.push_back(at); }
  void ShowStatus(app::TStatusPanel panel, const QString& text) { panels[int(panel)] = text; }
  void ShowPointerPosition(const QString& horizontal, const QString& vertical) override {
    ShowStatus(app::TStatusPanel::PointerX, horizontal);
    ShowStatus(app::TStatusPanel::PointerY, vertical);
  }
  app::TActivityDisplay& FileActivity() override { return activity; }
  void SaveDocument(TfrmChild& document) override {
    ++saves;
    if (onSave) onSave(&document);
  }

  // The panels and the zoom follow what the window announces, as a main window's do.
  void Follow(TfrmChild* window) {
    QObject::connect(window, &TfrmChild::FileStateChanged, window, [this](app::TFileState state, int count) {
      ShowStatus(app::TStatusPanel::FileState, app::FileStateText(state));
      ShowStatus(app::TStatusPanel::ElementCount, app::ElementCountText(count));
    });
    QObject::connect(window, &TfrmChild::ZoomChanged, window, [this](int z) { zoom = z; });
  }

  // Arms the tool of tag as its command does, or disarms it when it is armed, and shows it on
  // the window's page.
  void Arm(int tag, TfrmChild* window) {
    armed = armed == tag ? 0 : tag;
    window->SetPageCursor(app::ToolCursorSlot(armed));
  }
};
