#pragma once
// The pictures of the side panels' tiles: a picture fitted to its tile, as the seal library
// and the emblem panel show their designs and emblems, and the emblem a tile stands for,
// which the emblem tool and the emblem command put on the page.

#include <QSize>
#include <optional>

#include "platform/picture.h"

class TImagePreview;

namespace app {

// The size a picture of pw × ph is reduced to in a tile of tw × th: 8 pixels less than the
// tile along the picture's longer side (the width when the two are equal and too large),
// the other side in proportion, rounded halves to even and at least one pixel. Nothing when
// the picture fits as it is.
std::optional<QSize> ReducedTileSize(int pw, int ph, int tw, int th);

// The tile's picture: the given one unchanged when it fits, else a bitmap of the reduced
// size with the picture stretched over it. A picture of nothing to stretch (no pixels
// decoded) is taken unchanged.
void SetTilePicture(TImagePreview& tile, const platform::TPicture& picture);

// Loads the emblem of a tile into picture: the file the tile's caption names for a user's
// picture, else the built-in picture of the caption's name ("B" and the emblem's number).
// Throws platform::EPictureError when the file cannot be read; picture is then unchanged.
void LoadTileEmblem(const TImagePreview& tile, platform::TPicture& picture);

}  // namespace app
