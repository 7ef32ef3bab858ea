#include "platform/fonts.h"

#include <QFontInfo>
#include <QHash>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

struct TFaceAlias {
  const char* Name;  // UTF-8 here; compared as GBK
  const char* Family;
};

constexpr const char* kMing = "AR PL UMing CN";
constexpr const char* kHei = "WenQuanYi Zen Hei";
constexpr const char* kKai = "AR PL UKai CN";

constexpr std::array<TFaceAlias, 8> kFaceAliases{{
    {"宋体", kMing},
    {"新宋体", kMing},
    {"SimSun", kMing},
    {"黑体", kHei},
    {"SimHei", kHei},
    {"楷体", kKai},
    {"楷体_GB2312", kKai},
    {"KaiTi", kKai},
}};

// Share of the cell above the baseline, from the face's design metrics; looked up once per
// resolved face because it needs the font file.
qreal AscentShare(const QFont& font) {
  static QHash<QString, qreal> cache;
  const QString key = QFontInfo(font).family() + (font.italic() ? "/i" : "") + QString::number(font.weight());
  const auto it = cache.constFind(key);
  if (it != cache.constEnd()) return it.value();
  QRawFont raw = QRawFont::fromFont(font);
  qreal share = 1;
  if (raw.isValid()) {
    raw.setPixelSize(raw.unitsPerEm());
    const qreal total = raw.ascent() + raw.descent();
    if (total > 0) share = raw.ascent() / total;
  }
  cache.insert(key, share);
  return share;
}

}  // namespace

QString FallbackFamily() { return kMing; }

QStringList AliasFaceNames() {
  QStringList names;
  for (const TFaceAlias& alias : kFaceAliases) names.append(QString::fromUtf8(alias.Name));
  return names;
}

QString FaceFamily(std::string_view gbkFace) {
  for (const TFaceAlias& alias : kFaceAliases) {
    if (Gbk(alias.Name) == gbkFace) return alias.Family;
  }
  return GbkToUnicode(gbkFace);
}

TRealizedFont RealizeFont(const TLogFont& lf) {
  TRealizedFont out;
  const int height = lf.Height == 0 ? kDefaultFontHeight : std::abs(lf.Height);
  QFont font;
  font.setFamilies({FaceFamily(lf.FaceName), FallbackFamily()});
  font.setPixelSize(height);
  font.setWeight(static_cast<QFont::Weight>(lf.Weight <= 0 ? kFwNormal : std::min(lf.Weight, 1000)));
  font.setItalic(lf.Italic != 0);
  font.setUnderline(lf.Underline != 0);
  font.setStrikeOut(lf.StrikeOut != 0);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferOutline | QFont::NoSubpixelAntialias));
  out.Font = font;
  out.EmHeight = height;
  out.ScaleX = lf.Width == 0 ? 1.0 : 2.0 * std::abs(lf.Width) / height;
  out.BaselineOffset = height * AscentShare(font);
  out.EscapementDegrees = lf.Escapement / 10.0;
  return out;
}

}  // namespace platform
