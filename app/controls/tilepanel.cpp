#include "controls/tilepanel.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr platform::TColor kTeal = 0x808000;
constexpr int kTileLeft = 2;
// The panel is this much wider than a tile, and the scroll box's client as much again.
constexpr int kPanelMargin = 4;

}  // namespace

TTilePanel::TTilePanel(QScrollArea* scrollBox, int tileSide) : FScrollBox(scrollBox), FTileSide(tileSide) {
  SetPanelStyle(TPanelStyle::psPhotoShop);
  SetFrameWidth(0);
  SetPenColor(kTeal);
  SetColorA(platform::clWhite);
  FScrollBox->setWidgetResizable(false);
  FScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  FScrollBox->setWidget(this);
  FScrollBox->viewport()->installEventFilter(this);
  FitToScrollBox();
}

TImagePreview* TTilePanel::AddTile(const QString& caption, int top) {
  auto* tile = new TImagePreview(this);
  tile->setGeometry(kTileLeft, top, FTileSide, FTileSide);
  tile->SetCaption(caption);
  connect(tile, &TImagePreview::MouseDown, this,
          [this, tile](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) { emit TileMouseDown(tile, button); });
  connect(tile, &TImagePreview::DblClick, this, [this, tile] { emit TileDblClick(tile); });
  FTiles.emplace_back(tile);
  return tile;
}

std::vector<TImagePreview*> TTilePanel::Tiles() const {
  std::vector<TImagePreview*> tiles;
  for (const QPointer<TImagePreview>& t : FTiles)
    if (t) tiles.push_back(t);
  return tiles;
}

int TTilePanel::NextPreviewTop() const {
  const std::vector<TImagePreview*> tiles = Tiles();
  if (tiles.empty()) return 0;
  int top = tiles.front()->y();
  for (const TImagePreview* t : tiles) top = std::max(top, t->y());
  return top + SlotHeight();
}

void TTilePanel::DestroyTile(TImagePreview* tile) {
  std::erase(FTiles, tile);
  delete tile;
}

void TTilePanel::DestroyTiles() {
  for (TImagePreview* t : Tiles()) delete t;
  FTiles.clear();
}

void TTilePanel::Select(TImagePreview* tile) {
  if (FCurrent) FCurrent->SetSelected(false);
  FCurrent = tile;
  QScrollBar* bar = FScrollBox->verticalScrollBar();
  int p = bar->value();
  if (tile->y() < p) p -= tile->height() + 2;
  if (FScrollBox->viewport()->height() + p < tile->y() + tile->height()) p += tile->height() + 2;
  bar->setValue(p);
}

int TTilePanel::Restack(int slotSide, const std::function<bool(const TImagePreview&)>& keep) {
  int taken = 0;
  const std::vector<TImagePreview*> tiles = Tiles();
  for (auto it = tiles.rbegin(); it != tiles.rend(); ++it) {
    TImagePreview* tile = *it;
    if (keep && !keep(*tile)) {
      DestroyTile(tile);
      continue;
    }
    tile->move(tile->x(), taken++ * (slotSide + 2));
  }
  SetHeightForSlots(taken, slotSide);
  return taken;
}

void TTilePanel::SetHeightForSlots(int taken, int slotSide) {
  resize(width(), std::max(taken * (slotSide + 2), FScrollBox->viewport()->height()));
}

void TTilePanel::FitToScrollBox() {
  resize(FTileSide + kPanelMargin, height());
  SetHeightForSlots(int(Tiles().size()), FTileSide);
  const int frame = 2 * FScrollBox->frameWidth();
  FScrollBox->setFixedWidth(width() + kPanelMargin + frame + FScrollBox->verticalScrollBar()->sizeHint().width());
}

bool TTilePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FScrollBox->viewport() && event->type() == QEvent::Resize) SetHeightForSlots(int(Tiles().size()), FTileSide);
  return TKivFlatPanel::eventFilter(watched, event);
}
