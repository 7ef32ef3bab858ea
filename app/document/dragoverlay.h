#pragma once
// The glass over a page on which drags draw their rectangles: the rubber band and the focus
// rectangle of a move or resize. Each rectangle inverts the pixels of its dotted outline;
// toggling the same rectangle again takes it away, so drawing twice restores the page.
// The glass lets every mouse event through to what lies below it.

#include <QRect>
#include <QWidget>
#include <vector>

class TDragOverlay : public QWidget {
 public:
  explicit TDragOverlay(QWidget* page);

  // Draws r when it is not shown, erases it when it is.
  void Toggle(const QRect& r);
  const std::vector<QRect>& Shown() const { return FShown; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<QRect> FShown;
};
