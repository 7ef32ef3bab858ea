#pragma once
// Merulin, the library of the program's four shared dialogs (libmerulin.so), as both sides
// see it: the records its options dialogs fill and the four functions it exports. The
// program never links the library: it loads it for one call at a time and finds each
// function by its name (kShowAboutBox ...), so these declarations fix the names, argument
// order and records that both sides must agree on byte for byte.
//
// Every export is safe to call with any window: the dialog is a modal child of the window
// passed as AppHandle (a QWidget*, or null for none), is destroyed before the call returns,
// and no exception leaves the library.

#include <cstddef>
#include <cstdint>

#include "platform/extended.h"

#if defined(MERULIN_BUILD)
#define MERULIN_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define MERULIN_EXPORT extern "C"
#endif

namespace merulin {

static_assert(sizeof(bool) == 1, "the records hold their flags as one byte, 0 or 1");

// The print options: filled on both paths, OK or not.
struct __attribute__((packed)) TPrintSettings {
  bool TrueColor;  // print the seals in their own colours, else in black
  bool Mirror;     // print mirrored left to right
  bool Accepted;   // the dialog was closed with its print button
  int32_t Copies;
};
static_assert(sizeof(TPrintSettings) == 7);
static_assert(offsetof(TPrintSettings, TrueColor) == 0);
static_assert(offsetof(TPrintSettings, Mirror) == 1);
static_assert(offsetof(TPrintSettings, Accepted) == 2);
static_assert(offsetof(TPrintSettings, Copies) == 3);

// Picture formats of the export, as TExportSettings::Format numbers them.
enum TExportFormat : uint8_t { efBmp = 0, efEmf = 1, efJpeg = 2, efGif = 3, efTiff = 4 };

// The export options: all zero unless the dialog was closed with its export button.
struct __attribute__((packed)) TExportSettings {
  bool Accepted;
  platform::ExtendedBytes PixelsPerMm;  // dots per inch / 25.4, an 80-bit extended float
  uint8_t Format;                       // a TExportFormat
  bool Mirror;                          // mirror the picture left to right
  bool ToClipboard;                     // the system clipboard instead of a file
};
static_assert(sizeof(TExportSettings) == 14);
static_assert(offsetof(TExportSettings, Accepted) == 0);
static_assert(offsetof(TExportSettings, PixelsPerMm) == 1);
static_assert(offsetof(TExportSettings, Format) == 11);
static_assert(offsetof(TExportSettings, Mirror) == 12);
static_assert(offsetof(TExportSettings, ToClipboard) == 13);

// PixelsPerMm as a number; 0 for an encoding that is no finite number.
inline long double PixelsPerMmOf(const TExportSettings& settings) {
  long double value = 0;
  return platform::DecodeExtended(settings.PixelsPerMm.data(), &value) ? value : 0;
}

// The names the program looks the exports up by.
inline constexpr char kShowAboutBox[] = "ShowAboutBox";
inline constexpr char kShowHelp[] = "Show_frmHelp";
inline constexpr char kShowPrintSetupBox[] = "ShowPrintSetupBox";
inline constexpr char kShowExportToImage[] = "ShowExportToImage";

}  // namespace merulin

// The about box.
MERULIN_EXPORT void ShowAboutBox(void* AppHandle) noexcept;
// The help viewer, opening on its first topic.
MERULIN_EXPORT void Show_frmHelp(void* AppHandle) noexcept;
// The print options, preset with the three values; fills *Settings.
MERULIN_EXPORT void ShowPrintSetupBox(merulin::TPrintSettings* Settings, void* AppHandle, bool TrueColor, bool Mirror,
                                      int32_t Copies) noexcept;
// The export options; zeroes *Settings first and fills it when the user accepts.
MERULIN_EXPORT void ShowExportToImage(merulin::TExportSettings* Settings, void* AppHandle) noexcept;

namespace merulin {

// The types the program casts the looked-up addresses to.
using TShowAboutBox = decltype(&::ShowAboutBox);
using TShowHelp = decltype(&::Show_frmHelp);
using TShowPrintSetupBox = decltype(&::ShowPrintSetupBox);
using TShowExportToImage = decltype(&::ShowExportToImage);

}  // namespace merulin
