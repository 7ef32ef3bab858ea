#include "property/propertylayout.h"

#include <initializer_list>

#include "platform/numeric.h"

namespace property {

namespace {

// The form as designed at 96 dots per inch.
constexpr int kDesignPixelsPerInch = 96;
constexpr int kSpinWidth = 72;
constexpr int kSpinHeight = 21;
constexpr int kComboHeight = 21;
constexpr int kCheckHeight = 17;
constexpr int kMemoHeight = 45;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 32;
constexpr int kButtonHeight = 16;
// Space between stacked controls.
constexpr int kGap = 2;
// CheckBox4 keeps clear of the value rows above it.
constexpr int kCutLineCheckGap = 16;

int Scaled(int designPixels, int pixelsPerInch) {
  return platform::Round(static_cast<long double>(designPixels) * pixelsPerInch / kDesignPixelsPerInch);
}

// Places controls of a group box top to bottom.
class TColumn {
 public:
  TColumn(TPropertyLayout& layout, int left, int width) : FLayout(layout), FLeft(left), FWidth(width) {}

  // A control at top.
  int At(int tag, int top, int height) {
    FLayout.controls[size_t(tag)] = QRect(FLeft, top, FWidth, height);
    FBottom = top + height;
    return top;
  }
  // The next control gap pixels below the previous one.
  int Below(int tag, int height, int gap = kGap) { return At(tag, FBottom + gap, height); }
  int Bottom() const { return FBottom; }

 private:
  TPropertyLayout& FLayout;
  int FLeft;
  int FWidth;
  int FBottom = 0;
};

}  // namespace

TLayoutMetrics DesignMetrics(int pixelsPerInch, int labelWidth, int selectorLabelWidth, int labelHeight) {
  TLayoutMetrics m;
  m.pixelsPerInch = pixelsPerInch;
  m.labelWidth = labelWidth;
  m.selectorLabelWidth = selectorLabelWidth;
  m.labelHeight = labelHeight;
  m.spinWidth = Scaled(kSpinWidth, pixelsPerInch);
  m.spinHeight = Scaled(kSpinHeight, pixelsPerInch);
  m.comboHeight = Scaled(kComboHeight, pixelsPerInch);
  m.checkHeight = Scaled(kCheckHeight, pixelsPerInch);
  m.memoHeight = Scaled(kMemoHeight, pixelsPerInch);
  m.editHeight = Scaled(kEditHeight, pixelsPerInch);
  m.buttonWidth = Scaled(kButtonWidth, pixelsPerInch);
  m.buttonHeight = Scaled(kButtonHeight, pixelsPerInch);
  return m;
}

std::array<int, 4> ButtonLefts(int frameWidth, const std::array<QSize, 4>& sizes) {
  std::array<int, 4> lefts{};
  lefts[0] = frameWidth * 6 - 1;
  for (size_t i = 1; i < lefts.size(); ++i)
    lefts[i] = lefts[i - 1] + sizes[i - 1].width() - sizes[i - 1].height() / 2 - 1;
  return lefts;
}

TPropertyLayout ComputeLayout(const TLayoutMetrics& k) {
  TPropertyLayout L;
  const int p = k.pixelsPerInch;
  const int m = p / 24;
  L.margin = m;
  L.barHeight = p / 6 + 4;
  L.pitch = k.spinHeight + kGap;
  L.valueLeft = m + k.labelWidth;
  const int groupWidth = 2 * m + k.labelWidth + k.spinWidth;
  L.pageWidth = groupWidth + 2 * m;
  const int firstRow = p / 6;
  const int checkWidth = groupWidth - 2 * m;

  for (int i = 0; i < 4; ++i) {
    const int left = (k.buttonWidth - k.buttonHeight / 2 - 1) * i + k.frameWidth * 6 - 1;
    L.buttons[size_t(i)] = QRect(left, L.barHeight - p / 6 - 1, p / 3, p / 6);
  }

  TColumn values(L, L.valueLeft, k.spinWidth);
  TColumn checks(L, m, checkWidth);
  const auto rows = [&](std::initializer_list<int> tags) {
    int top = firstRow;
    for (const int tag : tags) top = values.At(tag, top, k.spinHeight) + L.pitch;
    return values.Bottom();
  };
  const auto group = [&](int number, int top, int height) {
    L.groups[size_t(number)] = QRect(m, top, groupWidth, height);
  };
  const auto bottom = [&](int number) { return L.groups[size_t(number)].bottom() + 1; };

  // Page A.
  group(1, m, rows({1, 2}) + kGap);
  rows({3, 4, 5});
  values.Below(6, k.comboHeight);
  values.Below(67, k.spinHeight);
  checks.At(7, values.Bottom() + kGap, k.checkHeight);
  group(2, 2 * m + L.groups[1].height(), checks.Bottom() + kGap);
  group(3, m + bottom(2), rows({8, 9}) + kGap);
  group(4, m + bottom(3) + 2, rows({10, 11, 12, 13, 14, 15}) + kGap);
  const int pageBottom = bottom(4);

  // Page B: rows lined up with those of group box 4.
  group(5, m, rows({16, 17}) + kGap);
  rows({18, 19, 20, 21, 22});
  checks.At(23, values.Bottom() + kGap, k.checkHeight);
  checks.Below(24, k.checkHeight);
  group(6, 2 * m + L.groups[5].height(), checks.Bottom() + kGap);
  rows({25, 26, 27});
  checks.At(28, values.Bottom() + kCutLineCheckGap, k.checkHeight);
  checks.Below(29, k.checkHeight);
  checks.Below(30, k.checkHeight);
  group(7, m + bottom(6), pageBottom - (m + bottom(6)));
  L.thanks = QRect(kGap, L.groups[7].height() - k.labelHeight - kGap, groupWidth - 2 * kGap, k.labelHeight);

  // Page C.
  group(8, m, pageBottom - m);
  const int selectorLeft = k.selectorLabelWidth;
  const int selectorWidth = groupWidth - k.selectorLabelWidth - m;
  TColumn lists(L, selectorLeft, selectorWidth);
  lists.At(31, firstRow, k.comboHeight);
  lists.Below(32, k.comboHeight);
  TColumn wide(L, m, groupWidth - 2 * m);
  wide.At(33, lists.Bottom() + kGap, k.memoHeight);
  int top = values.At(34, wide.Bottom() + kGap, k.spinHeight);
  for (const int tag : {35, 36, 37, 38, 39, 40, 41, 42}) top = values.At(tag, top + L.pitch, k.spinHeight);
  checks.At(43, values.Bottom() + kGap, k.checkHeight);
  checks.Below(44, k.checkHeight, 0);
  checks.Below(68, k.checkHeight, 0);
  checks.Below(45, k.checkHeight);
  for (const int tag : {46, 47, 48}) checks.Below(tag, k.checkHeight, 0);

  // Page D.
  lists.At(49, firstRow, k.comboHeight);
  wide.At(50, lists.Bottom() + kGap, k.editHeight);
  top = values.At(51, wide.Bottom() + kGap, k.spinHeight);
  for (const int tag : {52, 53, 54, 55, 56}) top = values.At(tag, top + L.pitch, k.spinHeight);
  checks.At(57, values.Bottom() + kGap, k.checkHeight);
  for (const int tag : {58, 59, 60}) checks.Below(tag, k.checkHeight);
  group(9, m, checks.Bottom() + kGap);
  rows({61, 62, 63, 64, 65, 66});
  group(10, L.groups[4].top(), L.groups[4].height());

  L.createdHeight = pageBottom + L.barHeight + m / 4 + 1;
  L.openHeight = L.barHeight + bottom(8) + m / 2 + 1;
  return L;
}

}  // namespace property
