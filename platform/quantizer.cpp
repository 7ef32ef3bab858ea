#include "platform/quantizer.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <climits>
#include <iterator>
#include <optional>
#include <stdexcept>

namespace platform {

const QRgb kStaticSystemColors[20] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080,
    0xFFC0C0C0, 0xFFC0DCC0, 0xFFA6CAF0, 0xFFFFFBF0, 0xFFA0A0A4, 0xFF808080, 0xFFFF0000,
    0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

namespace {

constexpr int kChosenColors = kPaletteSize - static_cast<int>(std::size(kStaticSystemColors));
// A picture of more colours of its own than this is a photograph: its pixels are counted in
// cells of 8 x 8 x 8 colours rather than colour by colour, as a palette of 236 colours
// cannot tell theirs apart anyway.
constexpr int kExactColors = 4096;
constexpr int kCellBits = 5;
constexpr int kCells = 1 << (3 * kCellBits);

// A colour's place in hash tables of 2^Bits slots: the top bits of a multiplicative hash.
template <int Bits>
size_t SlotOf(QRgb c) {
  return size_t((c * 2654435761u) >> (32 - Bits));
}

// The cell of 2^(8 - Bits) colours a side that a colour lies in, and the cell's darkest
// corner.
template <int Bits>
size_t CellOf(QRgb c) {
  constexpr int drop = 8 - Bits;
  return size_t((qRed(c) >> drop) << (2 * Bits) | (qGreen(c) >> drop) << Bits | (qBlue(c) >> drop));
}
template <int Bits>
std::array<int, 3> CornerOf(size_t cell) {
  constexpr int drop = 8 - Bits;
  constexpr size_t mask = (size_t(1) << Bits) - 1;
  return {int(cell >> (2 * Bits)) << drop, int(cell >> Bits & mask) << drop, int(cell & mask) << drop};
}

bool IsStatic(QRgb c) {
  return std::find(std::begin(kStaticSystemColors), std::end(kStaticSystemColors), c) !=
         std::end(kStaticSystemColors);
}

// An octree over the colour cube: level l splits on bit 7 - l of red, green and blue, so the
// leaves at level 8 are single colours, those at level 5 the cells of 8 x 8 x 8 colours.
// Reducing merges the children of the smallest nodes of the deepest level into their parent,
// which then stands for all of them.
class TOctree {
 public:
  explicit TOctree(int depth) : depth_(depth) { NewNode(0); }

  // Pixels of the leaf that color falls in, with the sums of their red, green and blue.
  void Add(QRgb color, uint64_t pixels, uint64_t red, uint64_t green, uint64_t blue) {
    int32_t n = 0;
    for (;;) {
      nodes_[size_t(n)].pixels += pixels;
      if (nodes_[size_t(n)].leaf) break;
      const int shift = 7 - nodes_[size_t(n)].level;
      const int slot = ((qRed(color) >> shift) & 1) << 2 | ((qGreen(color) >> shift) & 1) << 1 |
                       ((qBlue(color) >> shift) & 1);
      int32_t next = nodes_[size_t(n)].child[size_t(slot)];
      if (next < 0) {
        next = NewNode(nodes_[size_t(n)].level + 1);
        nodes_[size_t(n)].child[size_t(slot)] = next;
      }
      n = next;
    }
    TNode& leaf = nodes_[size_t(n)];
    leaf.red += red;
    leaf.green += green;
    leaf.blue += blue;
  }

  // Merges until at most target leaves are left, and no fewer when the tree had more: the
  // last merge takes only as many of a node's children as it must.
  void Reduce(int target) {
    for (int level = depth_ - 1; level >= 0 && leaves_ > target; --level) {
      std::vector<int32_t>& inner = inner_[size_t(level)];
      std::stable_sort(inner.begin(), inner.end(),
                       [this](int32_t a, int32_t b) { return nodes_[size_t(a)].pixels < nodes_[size_t(b)].pixels; });
      size_t merged = 0;
      while (merged < inner.size() && leaves_ > target) {
        const int32_t n = inner[merged];
        const int children = ChildCount(n);
        if (leaves_ - (children - 1) < target) {
          MergeSmallestChildren(n, leaves_ - target + 1);
          break;
        }
        MergeChildren(n);
        ++merged;
      }
      inner.erase(inner.begin(), inner.begin() + static_cast<std::ptrdiff_t>(merged));
    }
  }

  // Each leaf's pixel-weighted mean, rounded, in the order of the tree.
  void AppendColors(std::vector<QRgb>& out, int32_t n = 0) const {
    const TNode& node = nodes_[size_t(n)];
    if (node.leaf) {
      const uint64_t half = node.pixels / 2;
      out.push_back(qRgb(int((node.red + half) / node.pixels), int((node.green + half) / node.pixels),
                         int((node.blue + half) / node.pixels)));
      return;
    }
    for (int32_t c : node.child)
      if (c >= 0) AppendColors(out, c);
  }

 private:
  struct TNode {
    uint64_t pixels = 0;
    uint64_t red = 0, green = 0, blue = 0;  // sums over the pixels, kept in leaves only
    std::array<int32_t, 8> child{-1, -1, -1, -1, -1, -1, -1, -1};
    int level = 0;
    bool leaf = false;
  };

  int32_t NewNode(int level) {
    TNode node;
    node.level = level;
    node.leaf = level == depth_;
    const int32_t n = static_cast<int32_t>(nodes_.size());
    nodes_.push_back(node);
    if (node.leaf)
      ++leaves_;
    else
      inner_[size_t(level)].push_back(n);
    return n;
  }

  int ChildCount(int32_t n) const {
    const auto& child = nodes_[size_t(n)].child;
    return static_cast<int>(std::count_if(child.begin(), child.end(), [](int32_t c) { return c >= 0; }));
  }

  // Adds leaf `from` into leaf `into`.
  void Absorb(TNode& into, int32_t from) {
    const TNode& f = nodes_[size_t(from)];
    into.red += f.red;
    into.green += f.green;
    into.blue += f.blue;
    --leaves_;
  }

  void MergeChildren(int32_t n) {
    TNode& node = nodes_[size_t(n)];
    for (int32_t& c : node.child)
      if (c >= 0) {
        Absorb(node, c);
        c = -1;
      }
    node.leaf = true;
    ++leaves_;
  }

  // The count smallest children of n become one leaf in the place of the smallest.
  void MergeSmallestChildren(int32_t n, int count) {
    std::vector<int32_t*> children;
    for (int32_t& c : nodes_[size_t(n)].child)
      if (c >= 0) children.push_back(&c);
    std::stable_sort(children.begin(), children.end(),
                     [this](int32_t* a, int32_t* b) { return nodes_[size_t(*a)].pixels < nodes_[size_t(*b)].pixels; });
    TNode& into = nodes_[size_t(*children[0])];
    for (size_t i = 1; i < size_t(count); ++i) {
      into.pixels += nodes_[size_t(*children[i])].pixels;
      Absorb(into, *children[i]);
      *children[i] = -1;
    }
  }

  int depth_;
  std::vector<TNode> nodes_;
  std::array<std::vector<int32_t>, 8> inner_;
  int leaves_ = 0;
};

// How many pixels of each colour a picture has, the static colours left out: colour by
// colour, run by run, while there are few of them; by cell, pixel by pixel, once there are
// more than kExactColors.
class TColorCount {
 public:
  explicit TColorCount(const QImage& rgb) : exact_(size_t(2) * kExactColors) {
    const int width = rgb.width(), height = rgb.height();
    for (int y = 0; y < height; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < width;) {
        const QRgb c = line[x] | 0xFF000000u;
        int end = x + 1;
        while (end < width && (line[end] | 0xFF000000u) == c) ++end;
        if (!AddExactly(c, uint32_t(end - x))) {
          CountByCell(rgb, x, y);
          return;
        }
        x = end;
      }
    }
  }

  // The tree of the colours: single colours while they were counted so, else cells, each
  // standing at its middle. Cells weigh twice their pixels, so that the middle, half-way
  // between two colours, is a whole number of half colours.
  TOctree Tree() const {
    if (cells_.empty()) {
      TOctree tree(8);
      for (const TExact& e : exact_)
        if (e.pixels > 0)
          tree.Add(e.color, e.pixels, qRed(e.color) * e.pixels, qGreen(e.color) * e.pixels, qBlue(e.color) * e.pixels);
      return tree;
    }
    TOctree tree(kCellBits);
    constexpr int side = 1 << (8 - kCellBits);
    for (size_t i = 0; i < cells_.size(); ++i) {
      const uint64_t n = cells_[i];
      if (n == 0) continue;
      const std::array<int, 3> corner = CornerOf<kCellBits>(i);
      const auto twice = [n](int low) { return n * uint64_t(2 * low + side - 1); };
      tree.Add(qRgb(corner[0], corner[1], corner[2]), 2 * n, twice(corner[0]), twice(corner[1]), twice(corner[2]));
    }
    return tree;
  }

 private:
  struct TExact {
    QRgb color = 0;
    uint64_t pixels = 0;
  };

  // False when the colour is one too many.
  bool AddExactly(QRgb c, uint32_t pixels) {
    for (size_t i = SlotOf<13>(c);; i = (i + 1) % exact_.size()) {
      TExact& e = exact_[i];
      if (e.pixels > 0 && e.color == c) {
        e.pixels += pixels;
        return true;
      }
      if (e.pixels > 0) continue;
      if (IsStatic(c)) return true;
      if (exactColors_ == kExactColors) return false;
      e = {c, pixels};
      ++exactColors_;
      return true;
    }
  }

  // Every colour counted so far, and every pixel from (x, y) on.
  [[gnu::noinline]] void CountByCell(const QImage& rgb, int x, int y) {
    // The cells that hold a static colour are where a colour must be looked at more closely.
    std::bitset<kCells> staticCells;
    for (QRgb c : kStaticSystemColors) staticCells[CellOf<kCellBits>(c)] = true;
    cells_.resize(kCells);
    for (const TExact& e : exact_)
      if (e.pixels > 0) cells_[CellOf<kCellBits>(e.color)] += uint32_t(e.pixels);
    const int width = rgb.width(), height = rgb.height();
    uint32_t* cells = cells_.data();
    for (; y < height; ++y, x = 0) {
      const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (; x < width; ++x) {
        const QRgb c = line[x] | 0xFF000000u;
        const size_t cell = CellOf<kCellBits>(c);
        if (!staticCells[cell] || !IsStatic(c)) ++cells[cell];
      }
    }
  }

  std::vector<TExact> exact_;  // an open hash table, twice the colours it takes
  int exactColors_ = 0;
  // No cell holds more pixels than a picture has, and a picture has fewer than 2^32.
  std::vector<uint32_t> cells_;
};

QImage Rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// The nearest palette colour, looked up in a table of every colour of the colour's cell of
// 4 x 4 x 4. A cell's table is made when a pixel first comes to it, from the few entries that
// can be nearest anywhere in the cell: those no farther from the cell than the entry whose
// farthest point of the cell is nearest. They are picked from those of the cell of 8 x 8 x 8
// around it, those from the entries of the cell of 32 x 32 x 32 around that, and those from
// the whole palette. Gives what NearestColor gives, ties included, as the candidates keep
// the palette's order.
class TNearestSearch {
 public:
  explicit TNearestSearch(const std::vector<QRgb>& palette) : fine_(size_t(1) << (3 * kFineBits), kUnknown) {
    for (size_t i = 0; i < palette.size(); ++i)
      whole_.push_back({static_cast<int>(i), qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i])});
    // Room for every cell's table, so that the tables never move; only what is used of it
    // is ever touched.
    tables_.reserve(fine_.size() * kTable);
  }

  uint8_t operator()(QRgb c) {
    int32_t& fine = fine_[CellOf<kFineBits>(c)];
    if (fine == kUnknown) [[unlikely]]
      fine = MakeTable(c);
    return tables_.data()[size_t(fine) + size_t((qRed(c) & kMask) << (2 * kDrop) | (qGreen(c) & kMask) << kDrop |
                                                (qBlue(c) & kMask))];
  }

 private:
  static constexpr int kFineBits = 6;
  static constexpr int kDrop = 8 - kFineBits;
  static constexpr int kMask = (1 << kDrop) - 1;
  static constexpr int kTable = 1 << (3 * kDrop);
  static constexpr int32_t kUnknown = -1;

  struct TEntry {
    int index, red, green, blue;
  };
  using TEntries = std::vector<TEntry>;

  // The candidates of the cells of one size, found from those of the cells around them.
  template <int Bits>
  struct TLevel {
    std::vector<std::optional<TEntries>> cells = std::vector<std::optional<TEntries>>(size_t(1) << (3 * Bits));
    const TEntries& Of(QRgb c, const TEntries& around) {
      std::optional<TEntries>& cell = cells[CellOf<Bits>(c)];
      if (!cell) cell = Candidates(CornerOf<Bits>(CellOf<Bits>(c)), 1 << (8 - Bits), around);
      return *cell;
    }
  };

  // The place in tables_ of the table of c's fine cell, made now.
  [[gnu::noinline]] int32_t MakeTable(QRgb c) {
    const std::array<int, 3> low = CornerOf<kFineBits>(CellOf<kFineBits>(c));
    const TEntries candidates = Candidates(low, 1 << kDrop, middle_.Of(c, large_.Of(c, whole_)));
    std::array<int, kTable> nearest;
    nearest.fill(candidates[0].index);
    if (candidates.size() > 1) {
      // Candidate by candidate, for every colour of the cell at once.
      std::array<int, kTable> red, green, blue, best;
      for (int i = 0; i < kTable; ++i) {
        red[size_t(i)] = low[0] + (i >> (2 * kDrop));
        green[size_t(i)] = low[1] + (i >> kDrop & kMask);
        blue[size_t(i)] = low[2] + (i & kMask);
      }
      best.fill(INT_MAX);
      for (const TEntry& e : candidates)
        for (size_t i = 0; i < size_t(kTable); ++i) {
          const int dr = red[i] - e.red, dg = green[i] - e.green, db = blue[i] - e.blue;
          const int d = dr * dr + dg * dg + db * db;
          nearest[i] = d < best[i] ? e.index : nearest[i];
          best[i] = std::min(best[i], d);
        }
    }
    const size_t start = tables_.size();
    for (const int index : nearest) tables_.push_back(static_cast<uint8_t>(index));
    return static_cast<int32_t>(start);
  }

  // Those of from that can be nearest in the cell of side colours a side from low on.
  static TEntries Candidates(const std::array<int, 3>& low, int side, const TEntries& from) {
    const auto distances = [&](const TEntry& e, int& near, int& far) {
      near = far = 0;
      const int c[3] = {e.red, e.green, e.blue};
      for (int k = 0; k < 3; ++k) {
        const int high = low[size_t(k)] + side - 1;
        const int outside = std::max({0, low[size_t(k)] - c[k], c[k] - high});
        const int farthest = std::max(std::abs(c[k] - low[size_t(k)]), std::abs(c[k] - high));
        near += outside * outside;
        far += farthest * farthest;
      }
    };
    int threshold = INT_MAX;
    for (const TEntry& e : from) {
      int near, far;
      distances(e, near, far);
      threshold = std::min(threshold, far);
    }
    TEntries chosen;
    chosen.reserve(from.size());
    for (const TEntry& e : from) {
      int near, far;
      distances(e, near, far);
      if (near <= threshold) chosen.push_back(e);
    }
    return chosen;
  }

  TEntries whole_;
  TLevel<3> large_;
  TLevel<5> middle_;
  std::vector<int32_t> fine_;
  std::vector<uint8_t> tables_;
};

}  // namespace

std::vector<QRgb> OptimisedPalette(const QImage& image) {
  TOctree tree = TColorCount(Rgb32(image)).Tree();
  tree.Reduce(kChosenColors);
  std::vector<QRgb> palette(std::begin(kStaticSystemColors), std::end(kStaticSystemColors));
  tree.AppendColors(palette);
  return palette;
}

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

std::vector<uint8_t> MapToPalette(const QImage& image, const std::vector<QRgb>& palette) {
  if (palette.empty() || palette.size() > size_t(kPaletteSize))
    throw std::invalid_argument("a palette holds 1 to 256 colours");
  const QImage rgb = Rgb32(image);
  std::vector<uint8_t> indices(size_t(rgb.width()) * size_t(rgb.height()));
  TNearestSearch nearest(palette);
  // A pixel like the one before takes its index; no colour is 0, as all are opaque.
  QRgb last = 0;
  uint8_t index = 0;
  const int width = rgb.width(), height = rgb.height();
  for (int y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uint8_t* out = indices.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x) {
      const QRgb c = line[x] | 0xFF000000u;
      if (c != last) {
        last = c;
        index = nearest(c);
      }
      out[x] = index;
    }
  }
  return indices;
}

TQuantizedImage QuantizeImage(const QImage& image) {
  const QImage rgb = Rgb32(image);
  TQuantizedImage result;
  result.Palette = OptimisedPalette(rgb);
  result.Indices = MapToPalette(rgb, result.Palette);
  return result;
}

}  // namespace platform
