#pragma once
// The built-in pictures, made at build time by the picture generator and compiled in.

#include <cstddef>
#include <cstdint>

namespace pandrel {

constexpr int kEmblemCount = 20;
constexpr int kEmblemSide = 256;
constexpr int kPreviewSide = 96;
constexpr int kSplashWidth = 480;
constexpr int kSplashHeight = 300;

struct TBuiltinPicture {
  const char* name;
  const uint8_t* gif;
  size_t size;
};

extern const TBuiltinPicture kBuiltinPictures[];
extern const size_t kBuiltinPictureCount;

}  // namespace pandrel
