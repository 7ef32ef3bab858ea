#pragma once
// Seals, pictures and document files made by the tests themselves: every kind of seal with
// a picture of each stored kind, and files of the older layouts laid out byte by byte.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "seal/seal.h"

namespace document_makers {

// Picture bytes of each stored kind: BMP and ICO from Qt, JPEG, GIF, and an enhanced
// metafile of a red ellipse.
std::vector<uint8_t> PictureBytes(platform::TGraphicKind kind);

// A seal of the given kind at 10 px/mm and 100 %, every property away from its default,
// with a picture of `picture` kind when given.
std::unique_ptr<seal::TSeal> MakeSeal(seal::TSealType type, int picture = -1);
// One seal of each of the 24 kinds, six of them with a picture of each stored kind.
std::vector<std::unique_ptr<seal::TSeal>> AllKinds();

// A version 8 document of `count` picture seals, each with picture_makers::BigScreenGif(side).
std::vector<uint8_t> DocumentOfBigGifs(int count, int side);
// A library file of the same seals.
std::vector<uint8_t> LibraryFileOfBigGifs(int count, int side);

// The bytes with a little-endian Integer put at the offset, for files changed in one place.
std::vector<uint8_t> WithInt32(std::vector<uint8_t> bytes, size_t at, int32_t v);

// A face name whose bytes behind the terminator are not zero.
seal::TFaceName FaceWithTail(const char* utf8, uint8_t tail);

// One seal of a version 5, 6 or 7 file.
struct TLegacySeal {
  seal::TSealType Type = seal::stRect;
  uint32_t PenColor = 0x00123456;
  uint8_t BrushStyle = 0;
  float RealWidth = 30, RealHeight = 20;
  float LeftEdge = 10, TopEdge = 5;
  float PenWidth = 1.5f;
  int32_t LineCount = 3;
  int32_t TextAngle = 450;
  seal::TFaceName Face{};                                       // read from version 6 on
  int32_t TextPenWidth = 0;                                     // read in version 7 only
  std::vector<std::string> Strings = {"", "", "", "", "", ""};  // Text .. Code, Image
};
// A library file of no seals whose thumbnail is a flat GIF of width × height in colour.
std::vector<uint8_t> LibraryFileOfThumbnail(int width, int height, uint32_t rgb = 0xFFC04020);

// A file of the given stamp laid out as version `version` (5, 6 or 7) stores it.
std::vector<uint8_t> LegacyDocument(int version, float stamp, long double pageWidth, long double pageHeight,
                                    const std::vector<TLegacySeal>& seals);

}  // namespace document_makers
