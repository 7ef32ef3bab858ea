#pragma once
// The page: one printable sheet in millimetres shown at a zoom on a screen of a given
// resolution, with a millimetre grid labelled in centimetres and a dotted margin rectangle.

#include <QColor>
#include <QFont>
#include <QWidget>

#include "controls/kivmousecontrol.h"

class TKivDrawPanel : public TKivMouseControl {
  Q_OBJECT

 public:
  explicit TKivDrawPanel(QWidget* parent = nullptr);

  int Zoom() const { return FZoom; }
  void SetZoom(int value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value);
  // Page pixels per millimetre.
  long double Scale() const { return FScale; }

  long double LeftMargin() const { return FLeftMargin; }
  long double TopMargin() const { return FTopMargin; }
  long double RightMargin() const { return FRightMargin; }
  long double BottomMargin() const { return FBottomMargin; }
  void SetLeftMargin(long double value);
  void SetTopMargin(long double value);
  void SetRightMargin(long double value);
  void SetBottomMargin(long double value);

  long double PageWidth() const { return FPageWidth; }
  long double PageHeight() const { return FPageHeight; }
  void SetPageWidth(long double value);
  void SetPageHeight(long double value);

  bool Grid() const { return FGrid; }
  void SetGrid(bool value);

  const QFont& TickFont() const { return FTickFont; }
  QColor TickFontColor() const { return FTickFontColor; }
  // Copies the font; the argument stays with its owner.
  void SetTickFont(const QFont& font, const QColor& color = Qt::black);

  // Qt always composes off screen; the flag is kept for the owners that read and set it.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Rescale();
  void RepaintNow();
  void SetMargin(long double& field, long double value);

  int FZoom = 100;
  int FPixelsPerInch = 96;
  long double FScale = 0;
  long double FLeftMargin = 5.0L;
  long double FTopMargin = 5.0L;
  long double FRightMargin = 5.0L;
  long double FBottomMargin = 5.0L;
  long double FPageWidth = 0;
  long double FPageHeight = 0;
  bool FGrid = true;
  QFont FTickFont;
  QColor FTickFontColor = Qt::black;
  bool FDoubleBuffered = false;
};
