#pragma once
// Fonts made from a logical-font record: the face is found through one alias table, the
// size, weight and style go into a QFont, and what QFont cannot express (the horizontal
// scale of the width field, the rotation, the cell placement) comes back as numbers the
// canvas applies by a transform.

#include <QFont>
#include <QString>
#include <QStringList>
#include <string_view>

#include "platform/logfont.h"

namespace platform {

// The installed family a face name (GBK) draws with: the alias table first, otherwise the
// name itself, which fontconfig matches.
QString FaceFamily(std::string_view gbkFace);

// The face names documents carry that the alias table maps onto installed faces (UTF-8).
QStringList AliasFaceNames();

// The Simplified Chinese face that stands in for names no installed font matches.
QString FallbackFamily();

struct TRealizedFont {
  QFont Font;                // pixel size = the em, never antialiased
  qreal EmHeight = 0;        // pixels
  qreal ScaleX = 1;          // horizontal scale from the width field
  qreal BaselineOffset = 0;  // from the cell's top to the baseline, in pixels
  qreal EscapementDegrees = 0;
};

// CreateFont: a height of 0 takes the default cell of kDefaultFontHeight pixels.
inline constexpr int kDefaultFontHeight = 12;
TRealizedFont RealizeFont(const TLogFont& lf);

}  // namespace platform
