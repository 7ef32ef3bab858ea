#pragma once
// The seal library's panel at the right of the main window: one tile per design of the
// library folder, showing its thumbnail and carrying its path. It is filled from the folder
// once; saves then add or refresh tiles, and deleting removes them.

#include <QString>
#include <QStringList>
#include <stdexcept>

#include "controls/tilepanel.h"

class QLabel;
class QMenu;
class QProgressBar;
class QScrollArea;

// A design whose thumbnail cannot be shown: the file's name and the reason, in Chinese.
class ELibraryPreviewError : public std::runtime_error {
 public:
  ELibraryPreviewError(const QString& path, const QString& reason);
};

class TLibraryPanel : public TTilePanel {
  Q_OBJECT

 public:
  // Tiles of side pixelsPerInch × 6 div 5, with the tiles' context menu.
  TLibraryPanel(QScrollArea* scrollBox, QMenu* tileMenu, int pixelsPerInch);

  // The side of a library tile for a screen of pixelsPerInch.
  static int TileSideFor(int pixelsPerInch) { return pixelsPerInch * 6 / 5; }

  // The tile last pressed, with any button; nullptr before any and once it is destroyed.
  TImagePreview* SelectedLibSeal() const { return Current(); }

  // Fills the panel with a tile per file of the folder, in the folder's order, while the
  // panel and bar show the progress; a panel filled before, perhaps in part, is emptied
  // first. A file whose thumbnail cannot be read gets no tile and the next one takes its
  // slot; the skipped files are returned, each with the reason.
  QStringList LoadSealLibraryPanel(const QString& folder, QLabel* activityPanel, QProgressBar* activityBar);
  // A tile for a file just saved, below the lowest tile.
  TImagePreview* AddLibraryPreview(const QString& fileName);
  // Every tile of that file shows the file's thumbnail again.
  void RefreshLibraryPreviews(const QString& fileName);
  // The thumbnail of the tile's file, fitted to the tile; only the file's head and its
  // thumbnail are read, from a regular file below formats::kMaxLibraryFileBytes. Throws
  // ELibraryPreviewError.
  static void LoadLibraryPreview(TImagePreview& tile);

  // The current tile is destroyed and the others restacked.
  void DeleteSelectedLibSeal();
  // After the library editor: tiles of files still in the sorted list take slots of
  // slotSide + 2 pixels, from the last made to the first; the others are destroyed.
  void KeepLibraryTiles(const QStringList& sortedFiles, int slotSide);

 signals:
  // A tile was double-clicked: its design is to be inserted.
  void InsertRequested();

 private:
  TImagePreview* NewLibraryTile(const QString& fileName, int top);

  QMenu* FTileMenu;
};
