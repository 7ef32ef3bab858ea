#pragma once
// Drawing metafiles as the metafile worker does: an enhanced metafile through libemf2svg, a
// placeable Windows metafile through libwmf's SVG device, and the SVG by Qt SVG onto a white
// bitmap without antialiasing, so that the result recolours and turns transparent like any
// bitmap. The records are checked first (platform/metafiles/records.h). The fonts, Qt's and
// libwmf's, are set up once for all the pictures a drawer draws.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/metafile.h"

namespace platform::metafiles {

class TMetafileDrawer {
 public:
  // Sets up the fonts; needs a QGuiApplication.
  TMetafileDrawer();
  ~TMetafileDrawer();
  TMetafileDrawer(const TMetafileDrawer&) = delete;
  TMetafileDrawer& operator=(const TMetafileDrawer&) = delete;

  // The picture drawn at width × height into the pixels that `canvas` gives, width × height
  // × 4 bytes of Format_RGB32, row after row: its header's size (MetafileSize), or less, the
  // whole picture scaled into it. The canvas is asked for once the picture has been read, so
  // that a picture refused costs none. Refused with an EMetafileError: data that is neither
  // kind, a size beyond the caps or maxPixels or larger than the header's, the faults of
  // the record walk, and anything the converters cannot read. maxPixels also holds the
  // bitmaps inside.
  void Draw(const uint8_t* data, size_t size, int width, int height, long long maxPixels,
            const std::function<uint8_t*()>& canvas);

 private:
  class TWmfFonts;
  QByteArray PlaceableToSvg(const uint8_t* data, size_t size, const TMetafileHeader& header, long long maxPixels);
  std::unique_ptr<TWmfFonts> wmfFonts_;
};

}  // namespace platform::metafiles
