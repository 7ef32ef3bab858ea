#pragma once
// Where the property window's parts lie, computed at creation from the screen's pixels per
// inch and the sizes of a few parts as the window's font makes them: the button bar and its
// overlapping page buttons, the margin, one value column right of the widest label, the
// group boxes stacked on each page and the window's heights rolled up and opened out.

#include <QRect>
#include <QSize>
#include <array>

namespace property {

// Sizes the layout starts from.
struct TLayoutMetrics {
  int pixelsPerInch = 96;
  int labelWidth = 0;     // Label1, the widest caption, in the window's font
  int selectorLabelWidth = 0;  // Label25, the caption left of the text selector
  int labelHeight = 0;
  int spinWidth = 0;      // RxSpinEdit1 as the form loads it
  int spinHeight = 0;
  int comboHeight = 0;
  int checkHeight = 0;
  int memoHeight = 0;
  int editHeight = 0;
  int buttonWidth = 0;    // KivButton1 as the form loads it
  int buttonHeight = 0;
  int frameWidth = 1;     // the button bar's
};

// The form's own sizes, designed at 96 dots per inch, scaled to pixelsPerInch; the label
// sizes come from the font.
TLayoutMetrics DesignMetrics(int pixelsPerInch, int labelWidth, int selectorLabelWidth, int labelHeight);

struct TPropertyLayout {
  int margin = 0;        // m
  int pitch = 0;         // d, from one value row to the next
  int barHeight = 0;
  int pageWidth = 0;     // also the client width
  int createdHeight = 0;  // client height at creation
  int openHeight = 0;    // client height opened out by a page button
  std::array<QRect, 4> buttons;      // KivButton1 .. KivButton4 on the bar, at creation
  std::array<QRect, 11> groups;      // GroupBox1 .. GroupBox10 on their page panels
  std::array<QRect, 69> controls;    // by tag, in their group boxes
  QRect thanks;                      // LabelThanks in GroupBox7
  int valueLeft = 0;     // the left of every spin box
};

TPropertyLayout ComputeLayout(const TLayoutMetrics& metrics);

// The page buttons laid from the left: each one's left lies half its height plus one pixel
// short of the previous button's right end, so that they overlap.
std::array<int, 4> ButtonLefts(int frameWidth, const std::array<QSize, 4>& sizes);

// The top that centres a label of that height on its control.
inline int LabelTop(const QRect& control, int labelHeight) {
  return control.top() + (control.height() - labelHeight) / 2;
}

}  // namespace property
