#pragma once
// The picture object a seal owns: one graphic of a known kind, decoded for drawing and
// kept as its original bytes so that it is written back exactly as it was read.

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

class TMetafileDrawing;
class TMetafileReadTime;

// Its message is the user's, in Chinese.
class EPictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture refused for its size alone, before its pixels were allocated: its bytes may be
// sound, and what holds them can keep them undrawn.
class EPictureTooLarge : public EPictureError {
 public:
  using EPictureError::EPictureError;
};

// The kinds, numbered as the seal block stores them.
enum class TGraphicKind : uint8_t { Bitmap = 0, Jpeg = 1, Metafile = 2, Icon = 3, Gif = 4 };

// The kind for a stored code, false for codes without a kind.
bool GraphicKindFromCode(int code, TGraphicKind* kind);
// The kind a picture file's extension names (.bmp .jpg .jpeg .wmf .emf .ico .gif, any case).
bool GraphicKindFromPath(const std::string& utf8Path, TGraphicKind* kind);

// A picture's bytes, shared by the copies of a picture, so that many seals that hold one
// picture hold its bytes once.
using TPictureBytes = std::shared_ptr<const std::vector<uint8_t>>;

class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  bool HasGraphic() const { return hasGraphic_; }
  TGraphicKind Kind() const { return kind_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Decoded pixels (Format_RGB32 or ARGB32 for pictures with transparency); a metafile is
  // drawn onto white at its own pixel size.
  const QImage& Image() const { return image_; }
  // The bytes exactly as loaded, and the same as shared with the picture's copies.
  const std::vector<uint8_t>& Bytes() const;
  const TPictureBytes& BytesShared() const { return bytes_; }

  // Kind from the extension (GraphicKindFromPath). Only a
  // regular file is read (platform/regularfile.h). Throws EPictureError, whose message
  // names the file and the reason in Chinese, on an unknown extension, a missing file or
  // one that is no regular file, a file of kMaxPictureFileBytes or more (left unread) or
  // undecodable data; the picture is then unchanged.
  void LoadFromFile(const std::string& utf8Path);
  // Throws EPictureError on undecodable data; the picture is then unchanged.
  void LoadFromBytes(TGraphicKind kind, std::vector<uint8_t> bytes);
  // The same, refusing a picture of more than maxPixels pixels before they are allocated
  // (EPictureTooLarge), for a caller that shares a budget among its pictures; it never
  // raises the caps below.
  void LoadFromFile(const std::string& utf8Path, long long maxPixels, TMetafileReadTime* read = nullptr);
  void LoadFromBytes(TGraphicKind kind, std::vector<uint8_t> bytes, long long maxPixels);
  // A metafile among them draws within the read's time (platform/metafileworker.h).
  void LoadFromBytes(TGraphicKind kind, TPictureBytes bytes, long long maxPixels, TMetafileReadTime* read = nullptr);
  // The metafile of the bytes as the worker drew it ahead (DrawMetafileAhead), taking the
  // drawing; throws as LoadFromBytes does.
  void LoadFromDrawing(TPictureBytes bytes, TMetafileDrawing& drawing, long long maxPixels);
  // Holds bytes that were not drawn (a metafile the worker did not draw) so that they are
  // written back as they were read: the picture has its graphic and its kind, no pixels and
  // a size of 0 × 0, and draws as nothing.
  void KeepUndrawn(TGraphicKind kind, TPictureBytes bytes);
  // Takes a copy of another picture's graphic (or its emptiness).
  void Assign(const TPicture& other);
  void Clear();

  // Runs after every load, assignment or clearing.
  std::function<void()> OnChange;

 private:
  void Changed();
  void Take(TGraphicKind kind, TPictureBytes bytes, QImage image, long long maxPixels);
  bool hasGraphic_ = false;
  TGraphicKind kind_ = TGraphicKind::Bitmap;
  int width_ = 0;
  int height_ = 0;
  QImage image_;
  TPictureBytes bytes_;
};

// The bytes of a picture file and their kind by its extension, for a caller that decodes them
// itself. Throws EPictureError like TPicture::LoadFromFile.
TPictureBytes ReadPictureFile(const std::string& utf8Path, TGraphicKind* kind);
// What the user is told of a picture file that cannot be used: its name and why.
std::string PictureFileMessage(const std::string& utf8Path, const std::string& reason);

// Decoded pictures are refused beyond these sizes, before their pixels are allocated.
constexpr long long kMaxPictureSide = 16384;
constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;
// Picture files are read only below this size.
constexpr long long kMaxPictureFileBytes = 64LL * 1024 * 1024;
// Both sides positive and within the caps, the pixels also within maxPixels.
bool WithinPictureCaps(long long width, long long height, long long maxPixels = kMaxPicturePixels);

// Decoders, exposed for the tests and fuzzers. Each throws EPictureError on bad input and
// never terminates the process. maxPixels lowers the pixel cap (the fuzzers use it to keep
// each run short); it never raises it.
// JPEG: Format_RGB32, grayscale and CMYK converted; a file that ends early or has corrupt
// entropy data shows what could be read (the rest grey), as libjpeg recovers from it.
QImage DecodeJpeg(const uint8_t* data, size_t size, long long maxPixels = kMaxPicturePixels);
// GIF: the first frame placed on the logical screen and clipped to it. Format_ARGB32 when the
// frame has a transparent colour or leaves part of the screen uncovered, those pixels being
// fully transparent (0x00000000); Format_RGB32 otherwise. Refused: no colour map (neither
// local nor global) and any colour index beyond the map.
QImage DecodeGif(const uint8_t* data, size_t size, long long maxPixels = kMaxPicturePixels);
// BMP and ICO through Qt, refused by the size in their header before the pixels are read;
// a null format lets Qt tell the kind from the bytes.
QImage DecodeWithQt(const uint8_t* data, size_t size, const char* format, long long maxPixels = kMaxPicturePixels);
// Metafile: an enhanced metafile, or a placeable Windows metafile, drawn at its pixel size
// (MetafileSize) onto white, Format_RGB32, without antialiasing, by the metafile worker
// (platform/metafileworker.h). Refused with an EMetafileError (platform/metafile.h): any
// other data, a size beyond the caps (before anything is sent), a record that runs past the
// data or no end record, the other faults the worker finds before it draws, anything the
// converters cannot read, and a worker that fails or takes too long.
QImage DecodeMetafile(const uint8_t* data, size_t size, long long maxPixels = kMaxPicturePixels,
                      TMetafileReadTime* read = nullptr);
// The same metafile sent to the worker to be drawn while the caller goes on; what is refused
// before drawing is thrown here, the rest when the drawing is taken
// (TMetafileWorker::DrawAhead).
std::shared_ptr<TMetafileDrawing> DrawMetafileAhead(const uint8_t* data, size_t size, long long maxPixels,
                                                    TMetafileReadTime* read);
// Size of an enhanced or placeable Windows metafile from its header; false when neither.
// Enhanced: the header's bounds in device pixels. Placeable: the box in pixels of a
// 96-pixel inch (a box without an inch is taken in that inch).
bool MetafileSize(const std::vector<uint8_t>& bytes, int* width, int* height);

}  // namespace platform
