#pragma once
// The program's own small controls: a status bar that holds other controls and whose
// panels no passing message wipes, a tab-shaped button with three looks, a flat panel that
// paints a filled bar, a picture tile that fits its picture and frames itself by hover and
// selection, and a picture control that reports the mouse entering and leaving.

#include <QLabel>
#include <QStatusBar>
#include <QString>
#include <QWidget>
#include <vector>

#include "platform/color.h"
#include "controls/kivmousecontrol.h"
#include "platform/picture.h"

class QMenu;
class QTimer;

// Panels are fixed-width labels inside one permanent area of the bar, so transient messages
// shown on the bar never hide them.
class TKivStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit TKivStatusBar(QWidget* parent = nullptr);

  // A panel at least width pixels wide; one given the longest text it shows grows to show
  // that whole in the bar's font, and again whenever the font changes.
  void AddPanel(const QString& text, int width, const QString& fitText = QString());
  int PanelCount() const { return int(FPanels.size()); }
  QLabel* Panel(int index) const { return FPanels.at(size_t(index)); }
  QString PanelText(int index) const { return Panel(index)->text(); }
  void SetPanelText(int index, const QString& text);
  int PanelWidth(int index) const;
  void SetPanelWidth(int index, int width);
  // Shows a hint in the panel for that long, then what the panel said before (or what was
  // set for it meanwhile); a new hint replaces one still showing.
  void ShowHint(int index, const QString& text, int milliseconds);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void EndHint();

  struct TFit {
    int width;
    QString text;
  };
  // The width a panel needs to show text whole in the bar's font, frame and indent included.
  int FitWidth(const QString& text) const;
  void Refit(size_t index);

  QWidget* FArea;
  std::vector<QLabel*> FPanels;
  std::vector<TFit> FFits;
  QTimer* FHintTimer;
  // The panel showing a hint, -1 for none, and the text it shows again afterwards.
  int FHintPanel = -1;
  QString FHintHidden;
};

enum class TButtonState : uint8_t { bsUp, bsDown, bsActive };

class TKivButton : public QWidget {
  Q_OBJECT

 public:
  explicit TKivButton(QWidget* parent = nullptr);

  TButtonState BtnState() const { return FBtnState; }
  void SetBtnState(TButtonState value);
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& caption);
  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

 signals:
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  // A left press released: before the release's own report.
  void Click();
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TButtonState FBtnState = TButtonState::bsUp;
  QString FCaption;
  int FTag = 0;
  bool FPressed = false;
};

enum class TPanelStyle : uint8_t { psPhotoShop, psDefault };

class TKivFlatPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TKivFlatPanel(QWidget* parent = nullptr);

  TPanelStyle PanelStyle() const { return FPanelStyle; }
  void SetPanelStyle(TPanelStyle value);
  platform::TColor PenColor() const { return FPenColor; }
  void SetPenColor(platform::TColor value);
  platform::TColor ColorA() const { return FColorA; }
  void SetColorA(platform::TColor value);
  int FrameWidth() const { return FFrameWidth; }
  void SetFrameWidth(int value);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TPanelStyle FPanelStyle = TPanelStyle::psPhotoShop;
  platform::TColor FPenColor = platform::clBlack;
  platform::TColor FColorA = 0;
  int FFrameWidth = 6;
};

class TImagePreview : public TKivMouseControl {
  Q_OBJECT

 public:
  explicit TImagePreview(QWidget* parent = nullptr);

  platform::TPicture& Picture() { return FPicture; }
  const platform::TPicture& Picture() const { return FPicture; }
  // Copies the picture; the argument stays with its owner. No repaint of its own.
  void SetPicture(const platform::TPicture& picture) { FPicture.Assign(picture); }
  bool Actived() const { return FActived; }
  void SetActived(bool value);
  bool PictureFromFile() const { return FPictureFromFile; }
  void SetPictureFromFile(bool value) { FPictureFromFile = value; }
  bool Selected() const { return FSelected; }
  void SetSelected(bool value);
  // The owner keeps the tile's file path or picture name here.
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& caption) { FCaption = caption; }
  QMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }

  // Where the picture lands in a tile of w × h; empty when nothing of it is drawn.
  static QRect PictureRect(int w, int h, int pw, int ph);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  platform::TPicture FPicture;
  bool FActived = false;
  bool FPictureFromFile = false;
  bool FSelected = false;
  QString FCaption;
  QMenu* FPopupMenu = nullptr;
  bool FPressed = false;
};

class TImageEx : public QLabel {
  Q_OBJECT

 public:
  explicit TImageEx(QWidget* parent = nullptr);

 signals:
  void MouseEnter(QObject* sender);
  void MouseLeave(QObject* sender);
  void Click();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};
