#pragma once
// The floating drawing-tools palette (TFrmDrawTools): a logo, 24 buttons that carry either
// the element and page tools or the seal templates of the main window, the swatch that holds
// the current colour and the button that switches between the two sets. The buttons only
// carry the main window's actions, so an armed tool shows pressed in whichever set holds it.

#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <span>

#include "controls/kivcontrols.h"
#include "platform/color.h"

class QAction;

// A rectangle filled with its brush colour inside a one-pixel black pen.
class TShape : public QWidget {
  Q_OBJECT

 public:
  explicit TShape(QWidget* parent = nullptr);

  platform::TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(platform::TColor value);

 signals:
  void MouseDown(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  platform::TColor FBrushColor = platform::clWhite;
};

// A palette button. While the mouse is over it, it shows the hot image of the action it
// carries when its tool bar has hot images, and its own image otherwise.
class TPaletteButton : public QToolButton {
  Q_OBJECT

 public:
  // The hot image of an action, by the action's name.
  using THotImages = std::function<QIcon(const QString& actionName)>;

  explicit TPaletteButton(QWidget* parent = nullptr);

  // An empty function takes the hot images away.
  void SetHotImages(THotImages images);
  bool HasHotImages() const { return bool(FHotImages); }
  // What the button shows under the mouse.
  QIcon HotImage() const;

 protected:
  void initStyleOption(QStyleOptionToolButton* option) const override;

 private:
  THotImages FHotImages;
};

class TFrmDrawTools : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kButtonCount = 24;
  static constexpr int kButtonWidth = 26;
  static constexpr int kButtonHeight = 26;

  // The action of a name; fails for a name that has none.
  using TActionLookup = std::function<QAction*(const QString& name)>;
  // The actions of the 24 buttons in each set, ToolButton1 first.
  using TButtonSet = std::array<const char*, kButtonCount>;
  static const TButtonSet& ToolSet();
  static const TButtonSet& TemplateSet();
  // The command the swatch runs: the colour command, which is in no menu.
  static constexpr const char* kSetColourAction = "actEditSetColor";
  // The command the logo runs: the main window's home-page command.
  static constexpr const char* kHomePageAction = "actGoHomePage";

  // A tool window over owner, placed under anchor. pixelsPerInch 0 takes the screen's; the
  // margins follow it.
  TFrmDrawTools(QWidget* owner, TActionLookup actions, const QWidget* anchor, int pixelsPerInch = 0);

  int PixelsPerInch() const { return FPixelsPerInch; }
  // Whether the buttons carry the templates (the switch button is down).
  bool ShowsTemplates() const { return ToolButton25->isChecked(); }
  // The colour new elements take: the swatch's.
  platform::TColor CurrentColor() const { return Shape1->BrushColor(); }
  void SetCurrentColor(platform::TColor colour) { Shape1->SetBrushColor(colour); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ImageEx1Click();
  void Shape1MouseDown(Qt::MouseButton button);
  void ToolButton25Click();
  void FormCreate();
  void FormShow();
  void PlaceUnderCoolBar();
  // Puts the actions of one set on the 24 buttons.
  void ShowSet(bool templates);

  TImageEx* ImageEx1;
  QWidget* Panel1;
  // ToolBar1 to ToolBar6 at indexes 0 to 5.
  std::array<QWidget*, 6> ToolBars;
  // ToolButton1 to ToolButton24 at indexes 0 to 23.
  std::array<TPaletteButton*, kButtonCount> ToolButtons;
  QWidget* Panel2;
  QLabel* Image4;
  TShape* Shape1;
  TPaletteButton* ToolButton25;

  TActionLookup FActions;
  const QWidget* FAnchor;
  int FPixelsPerInch;
  bool FPlaced = false;
};
