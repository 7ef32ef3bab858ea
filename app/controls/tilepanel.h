#pragma once
// A column of picture tiles on a flat panel inside a scroll box, as the main window's side
// panels show their emblems and library designs: square tiles of one side in slots from the
// top, one of them the current tile, which is highlighted and scrolled into view when
// pressed. The panel keeps the scroll box as wide as itself and itself as high as its tiles
// or the scroll box, whichever is higher.

#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "controls/kivcontrols.h"

class QScrollArea;

class TTilePanel : public TKivFlatPanel {
  Q_OBJECT

 public:
  // The panel becomes the scroll box's content; tiles are tileSide pixels square.
  TTilePanel(QScrollArea* scrollBox, int tileSide);

  QScrollArea* ScrollBox() const { return FScrollBox; }
  int TileSide() const { return FTileSide; }
  // The height of one slot: a tile and the 2 pixels below it.
  int SlotHeight() const { return FTileSide + 2; }

  // A new tile of the panel at Left 2 and that Top, the panel's pictures' owner; its presses
  // and double clicks are reported as TileMouseDown and TileDblClick.
  TImagePreview* AddTile(const QString& caption, int top);
  // The tiles there are, in the order they were made.
  std::vector<TImagePreview*> Tiles() const;
  // Top of the slot below the lowest tile; 0 for an empty panel.
  int NextPreviewTop() const;
  void DestroyTile(TImagePreview* tile);
  void DestroyTiles();

  // The current tile; nullptr before any and once it is destroyed.
  TImagePreview* Current() const { return FCurrent; }
  // The current tile loses its highlight, tile becomes current and is scrolled into view
  // by one slot at a time, so that it is always at least partly visible.
  void Select(TImagePreview* tile);

  // Walks the tiles from the last made to the first: each that keep accepts (every tile
  // when keep is empty) takes the next slot of slotSide + 2 pixels, any other is
  // destroyed. The walk reverses the order the tiles show in. Returns the slots taken.
  int Restack(int slotSide, const std::function<bool(const TImagePreview&)>& keep = {});
  // The panel at least as high as the slots of slotSide + 2 pixels, or the scroll box's
  // client area when that is higher.
  void SetHeightForSlots(int taken, int slotSide);
  // The panel as wide as a tile and its margins, as high as its tiles or the scroll box's
  // client area, and the scroll box's client 4 pixels wider than the panel.
  void FitToScrollBox();

 signals:
  void TileMouseDown(TImagePreview* tile, Qt::MouseButton button);
  void TileDblClick(TImagePreview* tile);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QScrollArea* FScrollBox;
  int FTileSide;
  std::vector<QPointer<TImagePreview>> FTiles;
  QPointer<TImagePreview> FCurrent;
};
