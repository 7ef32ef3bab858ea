// Draws the built-in pictures, writes each as a GIF file and writes the C++ source that
// embeds them: generate_pictures <source to write> <folder for the GIF files>.
// Emblems are black shapes on white, so that drawing them with an OR copy onto a colour
// recolours the shapes; none carries lettering.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "pandrel/builtin_pictures.h"
#include "platform/gifwriter.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kCentre = pandrel::kEmblemSide / 2.0;

QPointF Polar(double radius, double angle) {
  return {kCentre + radius * std::cos(angle), kCentre + radius * std::sin(angle)};
}

QPolygonF RegularPolygon(int sides, double radius, double turn, int stride = 1) {
  QPolygonF polygon;
  for (int i = 0; i < sides; ++i) polygon << Polar(radius, turn + 2 * kPi * i * stride / sides);
  return polygon;
}

void Ring(QPainter& p, double radius, double width) {
  p.setPen(QPen(Qt::black, width));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(kCentre, kCentre), radius, radius);
}

void Disc(QPainter& p, QPointF at, double radius) {
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(at, radius, radius);
}

void Outline(QPainter& p, double width) {
  p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

void Fill(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
}

// One design per emblem, in a 256 x 256 space.
const std::vector<std::function<void(QPainter&)>> kDesigns = {
    [](QPainter& p) {  // concentric rings
      for (double r : {112.0, 84.0, 56.0}) Ring(p, r, 12);
      Disc(p, {kCentre, kCentre}, 20);
    },
    [](QPainter& p) {  // seven hexagons
      Outline(p, 7);
      p.drawPolygon(RegularPolygon(6, 34, 0));
      for (int i = 0; i < 6; ++i) {
        const QPointF c = Polar(68, kPi / 6 + i * kPi / 3);
        QPolygonF hex = RegularPolygon(6, 34, 0);
        hex.translate(c - QPointF(kCentre, kCentre));
        p.drawPolygon(hex);
      }
    },
    [](QPainter& p) {  // rosette of eight circles
      Outline(p, 6);
      for (int i = 0; i < 8; ++i) p.drawEllipse(Polar(52, i * kPi / 4), 52, 52);
    },
    [](QPainter& p) {  // twelve petals
      Fill(p);
      for (int i = 0; i < 12; ++i) {
        p.save();
        p.translate(kCentre, kCentre);
        p.rotate(i * 30);
        p.drawEllipse(QPointF(0, -62), 14, 50);
        p.restore();
      }
      Disc(p, {kCentre, kCentre}, 16);
    },
    [](QPainter& p) {  // square spiral
      Outline(p, 9);
      QPolygonF path;
      double x = kCentre, y = kCentre;
      path << QPointF(x, y);
      for (int i = 1; i <= 12; ++i) {
        const double step = i * 17;
        switch (i % 4) {
          case 1: x += step; break;
          case 2: y += step; break;
          case 3: x -= step; break;
          default: y -= step; break;
        }
        path << QPointF(x, y);
      }
      p.drawPolyline(path);
    },
    [](QPainter& p) {  // nested turning squares
      Outline(p, 4);
      for (int i = 0; i < 6; ++i) p.drawPolygon(RegularPolygon(4, 116 * std::pow(0.8, i), i * kPi / 12));
    },
    [](QPainter& p) {  // field of dots
      for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 5; ++col) Disc(p, {40.0 + col * 44, 40.0 + row * 44}, 8 + 2 * ((row + col) % 3));
    },
    [](QPainter& p) {  // triangle of triangles
      Fill(p);
      std::function<void(QPointF, QPointF, QPointF, int)> split = [&](QPointF a, QPointF b, QPointF c, int depth) {
        if (depth == 0) {
          p.drawPolygon(QPolygonF{a, b, c});
          return;
        }
        const QPointF ab = (a + b) / 2, bc = (b + c) / 2, ca = (c + a) / 2;
        split(a, ab, ca, depth - 1);
        split(ab, b, bc, depth - 1);
        split(ca, bc, c, depth - 1);
      };
      split({kCentre, 18}, {14, 226}, {242, 226}, 3);
    },
    [](QPainter& p) {  // spiral
      Outline(p, 10);
      QPainterPath path;
      for (int i = 0; i <= 400; ++i) {
        const double t = i / 400.0 * 6 * kPi;
        const QPointF pt = Polar(6 + 17 * t / kPi, t);
        i == 0 ? path.moveTo(pt) : path.lineTo(pt);
      }
      p.drawPath(path);
    },
    [](QPainter& p) {  // ring of sixteen discs
      for (int i = 0; i < 16; ++i) Disc(p, Polar(100, i * kPi / 8), 12);
      Ring(p, 64, 10);
    },
    [](QPainter& p) {  // twelve sectors
      Fill(p);
      const QRectF box(12, 12, 232, 232);
      for (int i = 0; i < 12; i += 2) p.drawPie(box, i * 30 * 16, 30 * 16);
      Ring(p, 116, 4);
    },
    [](QPainter& p) {  // triangle to hexagon
      Outline(p, 6);
      for (int sides = 3; sides <= 6; ++sides) p.drawPolygon(RegularPolygon(sides, 30.0 + (sides - 3) * 28, -kPi / 2));
    },
    [](QPainter& p) {  // waves in a circle
      QPainterPath clip;
      clip.addEllipse(QPointF(kCentre, kCentre), 112, 112);
      p.setClipPath(clip);
      Outline(p, 9);
      for (int band = 0; band < 8; ++band) {
        QPainterPath wave;
        for (int x = 0; x <= 256; x += 4) {
          const QPointF pt(x, 24 + band * 30 + 10 * std::sin(x / 256.0 * 4 * kPi));
          x == 0 ? wave.moveTo(pt) : wave.lineTo(pt);
        }
        p.drawPath(wave);
      }
      p.setClipping(false);
      Ring(p, 112, 6);
    },
    [](QPainter& p) {  // burst of rays
      Fill(p);
      for (int i = 0; i < 24; ++i) {
        const double a = i * kPi / 12;
        p.drawPolygon(QPolygonF{Polar(30, a - 0.07), Polar(120, a), Polar(30, a + 0.07)});
      }
      Disc(p, {kCentre, kCentre}, 22);
    },
    [](QPainter& p) {  // four linked rings in a square
      Outline(p, 8);
      for (int i = 0; i < 4; ++i) p.drawEllipse(Polar(42, kPi / 4 + i * kPi / 2), 54, 54);
    },
    [](QPainter& p) {  // lattice of diamonds
      Outline(p, 5);
      for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
          const double cx = 44 + col * 56, cy = 44 + row * 56;
          p.drawPolygon(QPolygonF{{cx, cy - 26}, {cx + 26, cy}, {cx, cy + 26}, {cx - 26, cy}});
        }
    },
    [](QPainter& p) {  // seven-pointed star polygon
      Outline(p, 6);
      p.drawPolygon(RegularPolygon(7, 112, -kPi / 2, 3));
      p.drawPolygon(RegularPolygon(7, 46, kPi / 2));
    },
    [](QPainter& p) {  // quarter arcs on a grid
      Outline(p, 8);
      const double cell = 56;
      for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
          const double x = 16 + col * cell, y = 16 + row * cell;
          const bool flip = (row * 3 + col * 5) % 2 == 1;
          const QPointF a = flip ? QPointF(x + cell, y) : QPointF(x, y);
          const QPointF b = flip ? QPointF(x, y + cell) : QPointF(x + cell, y + cell);
          p.drawEllipse(a, cell / 2, cell / 2);
          p.drawEllipse(b, cell / 2, cell / 2);
        }
    },
    [](QPainter& p) {  // stepped border and a square core
      Outline(p, 10);
      QPolygonF steps;
      for (int side = 0; side < 4; ++side)
        for (int i = 0; i < 5; ++i) {
          const double t = 28 + i * 40;
          const QPointF pts[] = {{t, 20}, {236, t}, {256 - t, 236}, {20, 256 - t}};
          const QPointF in[] = {{t + 20, 40}, {216, t + 20}, {236 - t, 216}, {40, 236 - t}};
          steps << pts[side] << in[side];
        }
      p.drawPolygon(steps);
      Fill(p);
      p.drawRect(QRectF(96, 96, 64, 64));
    },
    [](QPainter& p) {  // drifting circles
      Outline(p, 5);
      for (int i = 0; i < 7; ++i) p.drawEllipse(QPointF(kCentre - 6 * i, kCentre), 24.0 + i * 14, 24.0 + i * 14);
    },
};

QImage Emblem(int index, int side) {
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(double(side) / pandrel::kEmblemSide, double(side) / pandrel::kEmblemSide);
  kDesigns[size_t(index)](p);
  return image;
}

// The splash picture: a framed band of turning squares and arcs. The area from (65,170) to
// the right edge stays plain for the start-up messages written over it.
QImage Splash() {
  const int w = pandrel::kSplashWidth, h = pandrel::kSplashHeight;
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(QColor(0xFB, 0xF6, 0xEC));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor deep(0x9B, 0x1B, 0x1B), gold(0xC8, 0x9B, 0x3C), ink(0x3A, 0x2E, 0x2A);
  p.fillRect(QRectF(0, 0, w, 130), QColor(0xF3, 0xE3, 0xC3));
  p.setPen(QPen(gold, 2));
  for (int i = 0; i < 9; ++i) {
    p.save();
    p.translate(40 + i * 50, 64);
    p.rotate(45);
    p.setBrush(i % 2 ? QColor(deep) : QColor(gold));
    p.drawRect(QRectF(-16, -16, 32, 32));
    p.restore();
  }
  p.setBrush(Qt::NoBrush);
  for (int r = 0; r < 5; ++r) {
    p.setPen(QPen(r % 2 ? gold : deep, 3));
    p.drawArc(QRectF(w - 150 + r * 12, h - 150 + r * 12, 220 - r * 24, 220 - r * 24), 90 * 16, 90 * 16);
  }
  p.setPen(QPen(ink, 1));
  p.drawLine(QPointF(40, 150), QPointF(w - 40, 150));
  p.setPen(QPen(deep, 6));
  p.drawRect(QRectF(3, 3, w - 6, h - 6));
  p.setPen(QPen(gold, 2));
  p.drawRect(QRectF(10, 10, w - 20, h - 20));
  return image;
}

void WriteSource(const std::string& path, const std::vector<std::pair<std::string, std::vector<uint8_t>>>& pictures) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (!out) throw std::runtime_error("cannot write " + path);
  std::fprintf(out, "// Made by generate_pictures; not edited by hand.\n#include \"pandrel/builtin_pictures.h\"\n\n");
  std::fprintf(out, "namespace pandrel {\nnamespace {\n");
  for (size_t i = 0; i < pictures.size(); ++i) {
    std::fprintf(out, "const uint8_t kPicture%zu[] = {", i);
    const auto& bytes = pictures[i].second;
    for (size_t b = 0; b < bytes.size(); ++b) std::fprintf(out, "%s0x%02x,", b % 24 ? "" : "\n", bytes[b]);
    std::fprintf(out, "\n};\n");
  }
  std::fprintf(out, "}  // namespace\n\nconst TBuiltinPicture kBuiltinPictures[] = {\n");
  for (size_t i = 0; i < pictures.size(); ++i)
    std::fprintf(out, "    {\"%s\", kPicture%zu, sizeof kPicture%zu},\n", pictures[i].first.c_str(), i, i);
  std::fprintf(out, "};\nconst size_t kBuiltinPictureCount = %zu;\n\n}  // namespace pandrel\n", pictures.size());
  if (std::fclose(out) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <source to write> <folder for the GIF files>\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  try {
    if (static_cast<int>(kDesigns.size()) != pandrel::kEmblemCount) throw std::runtime_error("one design per emblem");
    std::vector<std::pair<std::string, QImage>> images{{"Splash", Splash()}};
    for (int i = 0; i < pandrel::kEmblemCount; ++i) images.emplace_back("A" + std::to_string(i), Emblem(i, pandrel::kPreviewSide));
    for (int i = 0; i < pandrel::kEmblemCount; ++i) images.emplace_back("B" + std::to_string(i), Emblem(i, pandrel::kEmblemSide));
    QDir().mkpath(QString::fromLocal8Bit(argv[2]));
    std::vector<std::pair<std::string, std::vector<uint8_t>>> pictures;
    for (const auto& [name, image] : images) {
      pictures.emplace_back(name, platform::EncodeGif(image));
      platform::SaveGifFile(image, std::string(argv[2]) + "/" + name + ".gif");
    }
    WriteSource(argv[1], pictures);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "generate_pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}
