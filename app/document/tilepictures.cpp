#include "document/tilepictures.h"

#include <algorithm>
#include <memory>

#include "controls/kivcontrols.h"
#include "formats/bmp_writer.h"
#include "pandrel/pandrel.h"
#include "platform/canvas.h"
#include "platform/numeric.h"

namespace app {

namespace {

constexpr int kTileInset = 8;

}  // namespace

std::optional<QSize> ReducedTileSize(int pw, int ph, int tw, int th) {
  if (pw <= tw && ph <= th) return std::nullopt;
  if (pw <= 0 || ph <= 0) return std::nullopt;
  const int innerW = std::max(1, tw - kTileInset);
  const int innerH = std::max(1, th - kTileInset);
  if (static_cast<double>(pw) / ph > 1)
    return QSize(innerW, std::max(1, platform::Round(static_cast<long double>(ph) * innerW / pw)));
  return QSize(std::max(1, platform::Round(static_cast<long double>(pw) * innerH / ph)), innerH);
}

void SetTilePicture(TImagePreview& tile, const platform::TPicture& picture) {
  const std::optional<QSize> size = ReducedTileSize(picture.Width(), picture.Height(), tile.width(), tile.height());
  if (!size || picture.Image().isNull()) {
    tile.SetPicture(picture);
    return;
  }
  platform::TBitmap bitmap(size->width(), size->height());
  bitmap.Fill(platform::clWhite);
  {
    platform::TPainterCanvas canvas(&bitmap.Image());
    canvas.StretchDraw(0, 0, bitmap.Width(), bitmap.Height(), picture);
  }
  platform::TPicture reduced;
  reduced.LoadFromBytes(platform::TGraphicKind::Bitmap, formats::EncodeBmp(bitmap));
  tile.SetPicture(reduced);
}

void LoadTileEmblem(const TImagePreview& tile, platform::TPicture& picture) {
  if (tile.PictureFromFile()) {
    picture.LoadFromFile(tile.Caption().toStdString());
    return;
  }
  // The library fills a picture of our making, which is freed once copied.
  auto gif = std::make_unique<platform::TPicture>();
  LoadAPicture(*gif, tile.Caption().toLatin1().constData());
  picture.Assign(*gif);
}

}  // namespace app
