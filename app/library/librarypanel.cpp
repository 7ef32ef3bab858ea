#include "library/librarypanel.h"

#include <QScrollArea>
#include <algorithm>

#include "document/busycursor.h"
#include "document/fileactivity.h"
#include "document/tilepictures.h"
#include "formats/library_file.h"
#include "formats/whole_file.h"
#include "library/libraryfolder.h"

TLibraryPanel::TLibraryPanel(QScrollArea* scrollBox, QMenu* tileMenu, int pixelsPerInch)
    : TTilePanel(scrollBox, TileSideFor(pixelsPerInch)), FTileMenu(tileMenu) {
  setObjectName(QStringLiteral("KivFlatPanel3"));
  // Any button makes a tile the current one; a right press opens the menu for it.
  connect(this, &TTilePanel::TileMouseDown, this, [this](TImagePreview* tile, Qt::MouseButton) { Select(tile); });
  connect(this, &TTilePanel::TileDblClick, this, [this](TImagePreview*) { emit InsertRequested(); });
}

void TLibraryPanel::LoadLibraryPreview(TImagePreview& tile) {
  const std::vector<uint8_t> gif = formats::ReadLibraryPreview(formats::ReadWholeFile(tile.Caption()));
  platform::TPicture picture;
  picture.LoadFromBytes(platform::TGraphicKind::Gif, gif);
  app::SetTilePicture(tile, picture);
}

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

void TLibraryPanel::LoadSealLibraryPanel(const QString& folder, QLabel* activityPanel, QProgressBar* activityBar) {
  const app::TBusyCursor busy;
  DestroyTiles();
  const QStringList files = app::ListLibraryFiles(folder, false);
  const app::TFileActivity activity(activityPanel, activityBar, app::kLoadingCaption);
  const formats::TProgress progress = activity.Progress();
  progress(0, int(files.size()));
  try {
    for (int i = 0; i < files.size(); ++i) {
      NewLibraryTile(files[i], SlotHeight() * i);
      progress(i + 1, int(files.size()));
    }
  } catch (...) {
    // The tiles made so far stay within reach.
    FitToScrollBox();
    throw;
  }
  FitToScrollBox();
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
