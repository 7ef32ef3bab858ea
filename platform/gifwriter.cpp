#include "platform/gifwriter.h"

#include <gif_lib.h>

#include <QFile>
#include <algorithm>
#include <array>
#include <unordered_map>

#include "platform/picture.h"

namespace platform {

const QRgb kStaticSystemColors[20] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080,
    0xFFC0C0C0, 0xFFC0DCC0, 0xFFA6CAF0, 0xFFFFFBF0, 0xFFA0A0A4, 0xFF808080, 0xFFFF0000,
    0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

namespace {

constexpr int kMaxColors = 256;

struct Counted {
  QRgb color;
  uint64_t count;
};

int Channel(QRgb c, int axis) { return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c); }

// One box of the median cut: a run of colours in the shared list.
struct Box {
  size_t begin, end;
  int longestAxis = 0;
  int range = 0;
};

void Measure(const std::vector<Counted>& colors, Box& box) {
  std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
  for (size_t i = box.begin; i < box.end; ++i)
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], Channel(colors[i].color, a));
      hi[a] = std::max(hi[a], Channel(colors[i].color, a));
    }
  box.range = -1;
  for (int a = 0; a < 3; ++a)
    if (hi[a] - lo[a] > box.range) {
      box.range = hi[a] - lo[a];
      box.longestAxis = a;
    }
}

// Splits the colours into at most places boxes, each cut at the pixel-weighted median of its
// longest side, and returns each box's pixel-weighted mean.
std::vector<QRgb> MedianCut(std::vector<Counted> colors, size_t places) {
  std::vector<Box> boxes{{0, colors.size()}};
  Measure(colors, boxes[0]);
  while (boxes.size() < places) {
    auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
      return (a.end - a.begin > 1 ? a.range : -1) < (b.end - b.begin > 1 ? b.range : -1);
    });
    if (widest->end - widest->begin < 2) break;
    Box box = *widest;
    const int axis = box.longestAxis;
    std::sort(colors.begin() + box.begin, colors.begin() + box.end, [axis](const Counted& a, const Counted& b) {
      return Channel(a.color, axis) < Channel(b.color, axis);
    });
    uint64_t total = 0;
    for (size_t i = box.begin; i < box.end; ++i) total += colors[i].count;
    uint64_t seen = 0;
    size_t cut = box.begin + 1;
    for (size_t i = box.begin; i + 1 < box.end; ++i) {
      seen += colors[i].count;
      cut = i + 1;
      if (seen * 2 >= total) break;
    }
    Box low{box.begin, cut}, high{cut, box.end};
    Measure(colors, low);
    Measure(colors, high);
    *widest = low;
    boxes.push_back(high);
  }
  std::vector<QRgb> result;
  for (const Box& box : boxes) {
    uint64_t sum[3] = {0, 0, 0}, total = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
      for (int a = 0; a < 3; ++a) sum[a] += uint64_t(Channel(colors[i].color, a)) * colors[i].count;
      total += colors[i].count;
    }
    result.push_back(qRgb(int((sum[0] + total / 2) / total), int((sum[1] + total / 2) / total),
                          int((sum[2] + total / 2) / total)));
  }
  return result;
}

QImage Rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

std::vector<QRgb> PaletteOf(const QImage& rgb) {
  std::vector<QRgb> palette(std::begin(kStaticSystemColors), std::end(kStaticSystemColors));
  std::unordered_map<QRgb, uint64_t> counts;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) ++counts[line[x] | 0xFF000000u];
  }
  for (QRgb c : kStaticSystemColors) counts.erase(c);
  std::vector<Counted> rest;
  rest.reserve(counts.size());
  for (const auto& [color, count] : counts) rest.push_back({color, count});
  // Sorted so that the palette does not depend on the hash order.
  std::sort(rest.begin(), rest.end(), [](const Counted& a, const Counted& b) { return a.color < b.color; });
  const size_t places = kMaxColors - palette.size();
  if (rest.size() <= places) {
    for (const Counted& c : rest) palette.push_back(c.color);
  } else {
    for (QRgb c : MedianCut(std::move(rest), places)) palette.push_back(c);
  }
  return palette;
}

int WriteToVector(GifFileType* gif, const GifByteType* data, int n) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + n);
  return n;
}

[[noreturn]] void Fail(int error) {
  const char* text = GifErrorString(error);
  throw EPictureError(std::string("the GIF picture cannot be written: ") + (text ? text : "unknown error"));
}

}  // namespace

std::vector<QRgb> OptimisedPalette(const QImage& image) { return PaletteOf(Rgb32(image)); }

int NearestColor(const std::vector<QRgb>& palette, QRgb color) {
  int best = 0;
  long bestDistance = -1;
  for (size_t i = 0; i < palette.size(); ++i) {
    const long dr = qRed(palette[i]) - qRed(color), dg = qGreen(palette[i]) - qGreen(color),
               db = qBlue(palette[i]) - qBlue(color);
    const long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

std::vector<uint8_t> EncodeGif(const QImage& image) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0)
    throw EPictureError("an empty picture cannot be written as GIF");
  if (image.width() > 65535 || image.height() > 65535) throw EPictureError("the picture is too large for GIF");
  const QImage rgb = Rgb32(image);
  const std::vector<QRgb> palette = PaletteOf(rgb);

  // GIF colour tables hold a power of two entries; the places past the palette stay black
  // and no pixel uses them.
  int tableSize = 2;
  while (tableSize < static_cast<int>(palette.size())) tableSize *= 2;
  std::vector<GifColorType> table(static_cast<size_t>(tableSize), GifColorType{0, 0, 0});
  for (size_t i = 0; i < palette.size(); ++i)
    table[i] = GifColorType{GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                            GifByteType(qBlue(palette[i]))};

  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
  if (!gif) Fail(error);
  ColorMapObject* map = GifMakeMapObject(tableSize, table.data());
  auto closeAndFail = [&](int code) {
    GifFreeMapObject(map);
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
    Fail(code);
  };
  if (!map) closeAndFail(E_GIF_ERR_NOT_ENOUGH_MEM);
  if (EGifPutScreenDesc(gif, rgb.width(), rgb.height(), 8, 0, map) == GIF_ERROR ||
      EGifPutImageDesc(gif, 0, 0, rgb.width(), rgb.height(), false, nullptr) == GIF_ERROR)
    closeAndFail(gif->Error);

  std::unordered_map<QRgb, GifPixelType> nearest;
  std::vector<GifPixelType> line(static_cast<size_t>(rgb.width()));
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb c = in[x] | 0xFF000000u;
      auto it = nearest.find(c);
      if (it == nearest.end()) it = nearest.emplace(c, GifPixelType(NearestColor(palette, c))).first;
      line[size_t(x)] = it->second;
    }
    if (EGifPutLine(gif, line.data(), rgb.width()) == GIF_ERROR) closeAndFail(gif->Error);
  }
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &error) == GIF_ERROR) Fail(error);
  return out;
}

void SaveGifFile(const QImage& image, const std::string& utf8Path) {
  const std::vector<uint8_t> bytes = EncodeGif(image);
  QFile file(QString::fromUtf8(utf8Path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.flush())
    throw EPictureError("the GIF file cannot be written");
}

}  // namespace platform
