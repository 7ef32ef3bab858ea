#include "platform/quantizer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <iterator>
#include <stdexcept>

namespace platform {

const QRgb kStaticSystemColors[20] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080,
    0xFFC0C0C0, 0xFFC0DCC0, 0xFFA6CAF0, 0xFFFFFBF0, 0xFFA0A0A4, 0xFF808080, 0xFFFF0000,
    0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

namespace {

constexpr int kDepth = 8;
constexpr int kChosenColors = kPaletteSize - static_cast<int>(std::size(kStaticSystemColors));
// While the picture is read the tree is cut back to half this many leaves whenever it
// grows past it, so that a photograph of a million colours needs no more memory than a
// drawing of a few thousand.
constexpr int kWorkingLeaves = 4096;

bool IsStatic(QRgb c) {
  return std::find(std::begin(kStaticSystemColors), std::end(kStaticSystemColors), c) !=
         std::end(kStaticSystemColors);
}

// An octree over the colour cube: level l splits on bit 7 - l of red, green and blue, so
// the leaves at level 8 are single colours. Reducing merges the children of the smallest
// nodes of the deepest level into their parent, which then stands for all of them.
class TOctree {
 public:
  TOctree() { NewNode(0); }

  void Add(QRgb color, uint64_t pixels) {
    int32_t n = 0;
    for (;;) {
      nodes_[size_t(n)].pixels += pixels;
      if (nodes_[size_t(n)].leaf) break;
      const int shift = kDepth - 1 - nodes_[size_t(n)].level;
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
    leaf.red += uint64_t(qRed(color)) * pixels;
    leaf.green += uint64_t(qGreen(color)) * pixels;
    leaf.blue += uint64_t(qBlue(color)) * pixels;
    if (leaves_ > kWorkingLeaves) Reduce(kWorkingLeaves / 2);
  }

  // Merges until at most target leaves are left, and no fewer when the tree had more: the
  // last merge takes only as many of a node's children as it must.
  void Reduce(int target) {
    for (int level = kDepth - 1; level >= 0 && leaves_ > target; --level) {
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
    node.leaf = level == kDepth;
    int32_t n;
    if (free_.empty()) {
      n = static_cast<int32_t>(nodes_.size());
      nodes_.push_back(node);
    } else {
      n = free_.back();
      free_.pop_back();
      nodes_[size_t(n)] = node;
    }
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

  // Adds leaf `from` into leaf `into` and frees it.
  void Absorb(TNode& into, int32_t from) {
    const TNode& f = nodes_[size_t(from)];
    into.red += f.red;
    into.green += f.green;
    into.blue += f.blue;
    free_.push_back(from);
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

  std::vector<TNode> nodes_;
  std::vector<int32_t> free_;
  std::array<std::vector<int32_t>, kDepth> inner_;
  int leaves_ = 0;
};

QImage Rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// Calls f(colour, count) for every run of equal pixels, rows read one after the other.
template <typename F>
void ForEachRun(const QImage& rgb, F&& f) {
  QRgb run = 0;
  uint64_t length = 0;
  const int width = rgb.width(), height = rgb.height();
  for (int y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      const QRgb c = line[x] | 0xFF000000u;
      if (length > 0 && c == run) {
        ++length;
        continue;
      }
      if (length > 0) f(run, length);
      run = c;
      length = 1;
    }
  }
  if (length > 0) f(run, length);
}

// A colour's place in the small direct-mapped tables below: the top bits of a
// multiplicative hash.
template <int Bits>
size_t SlotOf(QRgb c) {
  return size_t((c * 2654435761u) >> (32 - Bits));
}

// The nearest palette colour, searched outward from the colour's red value through the
// palette sorted by red: once the red difference alone passes the best distance found, no
// entry further on that side can be nearer. Gives what NearestColor gives, ties included.
class TNearestSearch {
 public:
  explicit TNearestSearch(const std::vector<QRgb>& palette) {
    for (size_t i = 0; i < palette.size(); ++i)
      entries_.push_back({qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i]), static_cast<int>(i)});
    std::stable_sort(entries_.begin(), entries_.end(), [](const TEntry& a, const TEntry& b) { return a.red < b.red; });
  }

  int operator()(QRgb c) const {
    const int red = qRed(c), green = qGreen(c), blue = qBlue(c);
    long best = LONG_MAX;
    int bestIndex = INT_MAX;
    const auto consider = [&](const TEntry& e) {
      const long dg = e.green - green, db = e.blue - blue, dr = e.red - red;
      const long d = dr * dr + dg * dg + db * db;
      if (d < best || (d == best && e.index < bestIndex)) {
        best = d;
        bestIndex = e.index;
      }
    };
    const auto start = std::lower_bound(entries_.begin(), entries_.end(), red,
                                        [](const TEntry& e, int r) { return e.red < r; });
    auto up = start;
    auto down = start;
    bool upOpen = up != entries_.end(), downOpen = down != entries_.begin();
    while (upOpen || downOpen) {
      if (upOpen) {
        const long dr = up->red - red;
        if (dr * dr <= best) {
          consider(*up);
          upOpen = ++up != entries_.end();
        } else {
          upOpen = false;
        }
      }
      if (downOpen) {
        const long dr = red - std::prev(down)->red;
        if (dr * dr <= best) {
          consider(*--down);
          downOpen = down != entries_.begin();
        } else {
          downOpen = false;
        }
      }
    }
    return bestIndex;
  }

 private:
  struct TEntry {
    int red, green, blue, index;
  };
  std::vector<TEntry> entries_;
};

}  // namespace

std::vector<QRgb> OptimisedPalette(const QImage& image) {
  TOctree tree;
  // Runs are counted in a small table first and go into the tree when the table lets them
  // go, so that a colour coming back run after run (a seal's red between white) walks the
  // tree once, not once a run.
  struct TPending {
    QRgb colour = 0;
    uint64_t pixels = 0;
  };
  std::array<TPending, 256> pending{};
  const auto release = [&tree](const TPending& p) {
    if (p.pixels > 0 && !IsStatic(p.colour)) tree.Add(p.colour, p.pixels);
  };
  ForEachRun(Rgb32(image), [&](QRgb c, uint64_t n) {
    TPending& p = pending[SlotOf<8>(c)];
    if (p.pixels > 0 && p.colour == c) {
      p.pixels += n;
      return;
    }
    release(p);
    p = {c, n};
  });
  for (const TPending& p : pending) release(p);
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
  std::vector<uint8_t> indices;
  indices.reserve(size_t(rgb.width()) * size_t(rgb.height()));
  const TNearestSearch nearest(palette);
  struct TMapped {
    QRgb colour = 0;
    int index = -1;
  };
  std::vector<TMapped> mapped(size_t(1) << 16);
  ForEachRun(rgb, [&](QRgb c, uint64_t n) {
    TMapped& m = mapped[SlotOf<16>(c)];
    if (m.index < 0 || m.colour != c) m = {c, nearest(c)};
    indices.insert(indices.end(), size_t(n), static_cast<uint8_t>(m.index));
  });
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
