#pragma once
// The document area of the main window: the MDI client, which paints the wallpaper centred
// on itself at every repaint (clipped where it is larger, never stretched or tiled) and
// repaints whole when it scrolls, so the wallpaper never smears.

#include <QMdiArea>

#include "platform/bitmap.h"

class TMdiClient : public QMdiArea {
  Q_OBJECT

 public:
  explicit TMdiClient(QWidget* parent = nullptr);

  // The bitmap stays with its owner, the main window; nullptr or an empty bitmap paints nothing.
  void SetWallpaper(const platform::TBitmap* wallpaper);
  const platform::TBitmap* Wallpaper() const { return FWallpaper; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void PaintWallpaper();
  const platform::TBitmap* FWallpaper = nullptr;
};
