#pragma once
// A windowed control of ours that reports its mouse events to its owner as signals: the
// press, every move (with or without a button held), the release, then a click when a left
// press was released inside it, and on a double click a second press followed by the
// double-click report.

#include <QWidget>

class TKivMouseControl : public QWidget {
  Q_OBJECT

 public:
  explicit TKivMouseControl(QWidget* parent = nullptr);

 signals:
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void Click();
  void DblClick();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool FPressed = false;
};
