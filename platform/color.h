#pragma once
// Colours as the model and files hold them: $00BBGGRR, red in the low byte.

#include <QColor>
#include <cstdint>

namespace platform {

using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;

inline constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}
inline constexpr uint8_t RedOf(TColor c) { return uint8_t(c); }
inline constexpr uint8_t GreenOf(TColor c) { return uint8_t(c >> 8); }
inline constexpr uint8_t BlueOf(TColor c) { return uint8_t(c >> 16); }

inline QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline TColor FromQColor(const QColor& q) {
  return RGBColor(uint8_t(q.red()), uint8_t(q.green()), uint8_t(q.blue()));
}
// QImage's 0xAARRGGBB pixel value to ours and back.
inline TColor FromQRgb(uint32_t argb) { return RGBColor(uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb)); }
inline uint32_t ToQRgb(TColor c) { return 0xFF000000u | uint32_t(RedOf(c)) << 16 | uint32_t(GreenOf(c)) << 8 | BlueOf(c); }

}  // namespace platform
