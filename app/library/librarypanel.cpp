#include "library/librarypanel.h"

#include <QFileInfo>
#include <QScrollArea>
#include <algorithm>

#include "document/busycursor.h"
#include "document/fileactivity.h"
#include "document/tilepictures.h"
#include "formats/library_file.h"
#include "library/libraryfolder.h"
#include "platform/componentname.h"
#include "services/commandguard.h"

TLibraryPanel::TLibraryPanel(QScrollArea* scrollBox, QMenu* tileMenu, int pixelsPerInch)
    : TTilePanel(scrollBox, TileSideFor(pixelsPerInch)), FTileMenu(tileMenu) {
  platform::Named(this, "KivFlatPanel3");
  // Any button makes a tile the current one; a right press opens the menu for it.
  connect(this, &TTilePanel::TileMouseDown, this, [this](TImagePreview* tile, Qt::MouseButton) { Select(tile); });
  connect(this, &TTilePanel::TileDblClick, this, [this](TImagePreview*) { emit InsertRequested(); });
}

namespace {

// Thumbnails are drawn no larger than this; a file that claims more is no design of ours.
constexpr long long kMaxThumbnailPixels = 1LL * formats::kMaxThumbnailSide * formats::kMaxThumbnailSide;

}  // namespace

void TLibraryPanel::LoadLibraryPreview(TImagePreview& tile) {
  try {
    platform::TPicture picture;
    picture.LoadFromBytes(platform::TGraphicKind::Gif, formats::ReadLibraryPreviewFile(tile.Caption()),
                          kMaxThumbnailPixels);
    app::SetTilePicture(tile, picture);
  } catch (const std::exception& e) {  // the file's reading, its layout, or the thumbnail's decoding
    throw ELibraryPreviewError(tile.Caption(), app::UserMessage(e));
  }
}

ELibraryPreviewError::ELibraryPreviewError(const QString& path, const QString& reason)
    : std::runtime_error((QFileInfo(path).fileName() + QStringLiteral("：") + reason).toStdString()) {}

TImagePreview* TLibraryPanel::NewLibraryTile(const QString& fileName, int top) {
  TImagePreview* tile = AddTile(fileName, top);
  try {
    LoadLibraryPreview(*tile);
  } catch (...) {
    DestroyTile(tile);
    throw;
  }
  tile->SetPopupMenu(FTileMenu);
  tile->show();
  return tile;
}

QStringList TLibraryPanel::LoadSealLibraryPanel(const QString& folder, QLabel* activityPanel,
                                               QProgressBar* activityBar) {
  const app::TBusyCursor busy;
  DestroyTiles();
  const QStringList files = app::ListLibraryFiles(folder, false);
  app::TActivityWidgets display(activityPanel, activityBar);
  const app::TFileActivity activity(display, app::kLoadingCaption);
  const formats::TProgress progress = activity.Progress();
  progress(0, int(files.size()));
  QStringList skipped;
  int slot = 0;
  for (int i = 0; i < files.size(); ++i) {
    try {
      NewLibraryTile(files[i], SlotHeight() * slot);
      ++slot;
    } catch (const ELibraryPreviewError& e) {
      skipped.append(QString::fromUtf8(e.what()));
    }
    progress(i + 1, int(files.size()));
  }
  FitToScrollBox();
  return skipped;
}

TImagePreview* TLibraryPanel::AddLibraryPreview(const QString& fileName) {
  const int top = NextPreviewTop();
  TImagePreview* tile = NewLibraryTile(fileName, top);
  if (height() < TileSide() + top + 2) resize(width(), TileSide() + top + 2);
  return tile;
}

void TLibraryPanel::RefreshLibraryPreviews(const QString& fileName) {
  for (TImagePreview* tile : Tiles())
    if (tile->Caption() == fileName) {
      LoadLibraryPreview(*tile);
      tile->update();
    }
}

void TLibraryPanel::DeleteSelectedLibSeal() {
  if (TImagePreview* tile = SelectedLibSeal()) DestroyTile(tile);
  Restack(TileSide());
}

void TLibraryPanel::KeepLibraryTiles(const QStringList& sortedFiles, int slotSide) {
  Restack(slotSide, [&](const TImagePreview& tile) { return sortedFiles.contains(tile.Caption()); });
}
