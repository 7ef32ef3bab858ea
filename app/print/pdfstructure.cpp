#include "print/pdfstructure.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <vector>
#include <zlib.h>

namespace app {

namespace {

// Sections a file may chain before it is taken for a loop or a hostile file.
constexpr int kMaxSections = 4096;
// The largest decoded cross-reference stream looked at.
constexpr long long kMaxStreamBytes = 64LL * 1024 * 1024;

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0'; }

bool IsDelimiter(char c) { return IsWhite(c) || std::string_view("()<>[]{}/%").find(c) != std::string_view::npos; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Tokens of the file read forward from a place, the bytes never copied.
class TCursor {
 public:
  TCursor(std::string_view pdf, size_t at) : FPdf(pdf), FAt(at) {}

  size_t At() const { return FAt; }
  void MoveTo(size_t at) { FAt = at; }

  // Blanks and comments.
  void SkipWhite() {
    while (FAt < FPdf.size()) {
      if (IsWhite(FPdf[FAt])) {
        ++FAt;
      } else if (FPdf[FAt] == '%') {
        while (FAt < FPdf.size() && FPdf[FAt] != '\r' && FPdf[FAt] != '\n') ++FAt;
      } else {
        return;
      }
    }
  }
  // The word, as a whole token.
  bool Keyword(std::string_view word) {
    SkipWhite();
    if (FPdf.compare(FAt, word.size(), word) != 0) return false;
    const size_t end = FAt + word.size();
    if (end < FPdf.size() && !IsDelimiter(FPdf[end]) && !IsDelimiter(word.back())) return false;
    FAt = end;
    return true;
  }
  // A whole number of at most 18 digits, without sign.
  std::optional<long long> Number() {
    SkipWhite();
    long long value = 0;
    size_t digits = 0;
    while (FAt < FPdf.size() && IsDigit(FPdf[FAt]) && digits < 18) {
      value = value * 10 + (FPdf[FAt++] - '0');
      ++digits;
    }
    if (digits == 0 || (FAt < FPdf.size() && !IsDelimiter(FPdf[FAt]))) return std::nullopt;
    return value;
  }
  // The dictionary that starts here, from "<<" to its own ">>", skipping the strings and
  // comments within, whose bytes may be anything.
  std::optional<std::string_view> Dictionary() {
    SkipWhite();
    if (FPdf.compare(FAt, 2, "<<") != 0) return std::nullopt;
    const size_t start = FAt;
    int depth = 0;
    while (FAt < FPdf.size()) {
      const char c = FPdf[FAt];
      if (FPdf.compare(FAt, 2, "<<") == 0) {
        ++depth;
        FAt += 2;
      } else if (FPdf.compare(FAt, 2, ">>") == 0) {
        FAt += 2;
        if (--depth == 0) return FPdf.substr(start, FAt - start);
      } else if (c == '(') {
        if (!SkipLiteralString()) return std::nullopt;
      } else if (c == '<') {
        const size_t end = FPdf.find('>', FAt);
        if (end == std::string_view::npos) return std::nullopt;
        FAt = end + 1;
      } else if (c == '%') {
        SkipWhite();
      } else {
        ++FAt;
      }
    }
    return std::nullopt;
  }

 private:
  bool SkipLiteralString() {
    int depth = 0;
    while (FAt < FPdf.size()) {
      const char c = FPdf[FAt++];
      if (c == '\\') {
        if (FAt < FPdf.size()) ++FAt;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')' && --depth == 0) {
        return true;
      }
    }
    return false;
  }

  std::string_view FPdf;
  size_t FAt;
};

// Where the value of key begins in a dictionary's text; npos when the key is not there.
size_t ValueOf(std::string_view dictionary, std::string_view key) {
  for (size_t at = dictionary.find(key); at != std::string_view::npos; at = dictionary.find(key, at + 1)) {
    const size_t end = at + key.size();
    if (end < dictionary.size() && IsDelimiter(dictionary[end])) return end;
  }
  return std::string_view::npos;
}

std::optional<long long> NumberOf(std::string_view dictionary, std::string_view key) {
  const size_t at = ValueOf(dictionary, key);
  if (at == std::string_view::npos) return std::nullopt;
  TCursor cursor(dictionary, at);
  return cursor.Number();
}

// The whole numbers of an array value, at most max of them.
std::optional<std::vector<long long>> NumbersOf(std::string_view dictionary, std::string_view key, size_t max) {
  const size_t at = ValueOf(dictionary, key);
  if (at == std::string_view::npos) return std::nullopt;
  TCursor cursor(dictionary, at);
  if (!cursor.Keyword("[")) return std::nullopt;
  std::vector<long long> numbers;
  while (!cursor.Keyword("]")) {
    const std::optional<long long> n = cursor.Number();
    if (!n || numbers.size() == max) return std::nullopt;
    numbers.push_back(*n);
  }
  return numbers;
}

// The value of a field of digits only.
long long Digits(std::string_view digits) {
  long long value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

// The object of that number and generation starts at offset, at its number's first digit.
// Its head is read within a few bytes of there, so that however many entries name one place,
// the check costs no more than the list.
bool ObjectAt(std::string_view pdf, unsigned long long offset, unsigned long long number,
              unsigned long long generation) {
  constexpr size_t kHead = 64;
  if (offset == 0 || offset >= pdf.size() || !IsDigit(pdf[size_t(offset)])) return false;
  TCursor cursor(pdf.substr(size_t(offset), kHead), 0);
  const auto is = [&cursor](unsigned long long wanted) {
    const std::optional<long long> n = cursor.Number();
    return n && static_cast<unsigned long long>(*n) == wanted;
  };
  return is(number) && is(generation) && cursor.Keyword("obj");
}

// A section read: the dictionary of its trailer (or of its stream) and where the previous
// section lies, if it names one.
struct TSection {
  std::string_view Trailer;
  std::optional<long long> Previous;
};

std::optional<TSection> WithTrailer(std::string_view trailer) {
  if (ValueOf(trailer, "/Size") == std::string_view::npos) return std::nullopt;
  TSection section{trailer, std::nullopt};
  if (ValueOf(trailer, "/Prev") != std::string_view::npos) {
    section.Previous = NumberOf(trailer, "/Prev");
    if (!section.Previous) return std::nullopt;
  }
  return section;
}

// A cross-reference table: subsections of a first number and a count, each followed by its
// entries of 20 bytes, then the trailer.
std::optional<TSection> ReadTable(std::string_view pdf, TCursor& cursor) {
  while (!cursor.Keyword("trailer")) {
    const std::optional<long long> first = cursor.Number();
    const std::optional<long long> count = cursor.Number();
    if (!first || !count) return std::nullopt;
    cursor.SkipWhite();
    constexpr size_t kEntry = 20;
    if (static_cast<unsigned long long>(*count) > (pdf.size() - cursor.At()) / kEntry) return std::nullopt;
    for (long long i = 0; i < *count; ++i) {
      const std::string_view entry = pdf.substr(cursor.At() + size_t(i) * kEntry, kEntry);
      if (entry[10] != ' ' || entry[16] != ' ' || !IsWhite(entry[18]) || !IsWhite(entry[19])) return std::nullopt;
      for (size_t d : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15})
        if (!IsDigit(entry[d])) return std::nullopt;
      if (entry[17] == 'f') continue;
      if (entry[17] != 'n') return std::nullopt;
      if (!ObjectAt(pdf, static_cast<unsigned long long>(Digits(entry.substr(0, 10))),
                    static_cast<unsigned long long>(*first + i),
                    static_cast<unsigned long long>(Digits(entry.substr(11, 5)))))
        return std::nullopt;
    }
    cursor.MoveTo(cursor.At() + size_t(*count) * kEntry);
  }
  const std::optional<std::string_view> trailer = cursor.Dictionary();
  if (!trailer) return std::nullopt;
  return WithTrailer(*trailer);
}

// The first size bytes that the zlib stream raw inflates to, or all of them when there are
// fewer: what a stream would inflate to beyond what its rows need is never made, and the
// memory grows only with what it really gives. Nothing when the stream is broken or ends
// before it gave size bytes.
std::optional<QByteArray> Inflated(std::string_view raw, size_t size) {
  if (raw.size() > UINT_MAX) return std::nullopt;
  QByteArray out;
  if (size == 0) return out;
  z_stream zlib{};
  if (inflateInit(&zlib) != Z_OK) return std::nullopt;
  zlib.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
  zlib.avail_in = uInt(raw.size());
  constexpr size_t kChunk = 64 * 1024;
  int result = Z_OK;
  while (result == Z_OK && size_t(out.size()) < size) {
    const size_t had = size_t(out.size());
    const size_t room = std::min(size - had, std::max(kChunk, had));
    out.resize(qsizetype(had + room));
    zlib.next_out = reinterpret_cast<Bytef*>(out.data() + had);
    zlib.avail_out = uInt(room);
    result = inflate(&zlib, Z_NO_FLUSH);
    out.resize(qsizetype(had + room - zlib.avail_out));
    // Room left after all the input: the stream stops short.
    if (result == Z_OK && zlib.avail_out > 0) result = Z_BUF_ERROR;
  }
  inflateEnd(&zlib);
  if (result != Z_STREAM_END && size_t(out.size()) < size) return std::nullopt;
  return out;
}

// The rows of a stream written with a PNG predictor back to their bytes, at least one row.
std::optional<QByteArray> UnPredicted(const QByteArray& data, size_t columns) {
  const size_t row = columns + 1;
  if (size_t(data.size()) < row || size_t(data.size()) % row != 0) return std::nullopt;
  QByteArray out(qsizetype(size_t(data.size()) / row * columns), '\0');
  std::vector<uint8_t> above(columns, 0), line(columns);
  for (size_t r = 0; r * row < size_t(data.size()); ++r) {
    const uint8_t filter = uint8_t(data[qsizetype(r * row)]);
    for (size_t i = 0; i < columns; ++i) {
      const int raw = uint8_t(data[qsizetype(r * row + 1 + i)]);
      const int left = i > 0 ? line[i - 1] : 0, up = above[i], corner = i > 0 ? above[i - 1] : 0;
      int predicted = 0;
      switch (filter) {
        case 0: break;
        case 1: predicted = left; break;
        case 2: predicted = up; break;
        case 3: predicted = (left + up) / 2; break;
        case 4: {
          const int p = left + up - corner, pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - corner);
          predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
          break;
        }
        default: return std::nullopt;
      }
      line[i] = uint8_t(raw + predicted);
      out[qsizetype(r * columns + i)] = char(line[i]);
    }
    above = line;
  }
  return out;
}

// A cross-reference stream: an object of type XRef whose stream lists the objects in
// fields of the widths /W gives, for the numbers /Index gives.
std::optional<TSection> ReadStream(std::string_view pdf, TCursor& cursor) {
  const std::optional<std::string_view> dictionary = cursor.Dictionary();
  if (!dictionary || ValueOf(*dictionary, "/XRef") == std::string_view::npos) return std::nullopt;
  const std::optional<std::vector<long long>> widths = NumbersOf(*dictionary, "/W", 3);
  const std::optional<long long> size = NumberOf(*dictionary, "/Size");
  if (!widths || widths->size() != 3 || !size) return std::nullopt;
  std::vector<long long> index = {0, *size};
  if (ValueOf(*dictionary, "/Index") != std::string_view::npos) {
    const std::optional<std::vector<long long>> given = NumbersOf(*dictionary, "/Index", 2 * kMaxSections);
    if (!given || given->size() % 2 != 0) return std::nullopt;
    index = *given;
  }
  long long rowBytes = 0, rows = 0;
  for (long long w : *widths) {
    if (w > 8) return std::nullopt;
    rowBytes += w;
  }
  // Each count is held to the bound before it is added, so that the sum cannot overflow.
  for (size_t i = 1; i < index.size(); i += 2) {
    if (index[i] > kMaxStreamBytes) return std::nullopt;
    rows += index[i];
  }
  if (rowBytes == 0 || rows > kMaxStreamBytes / rowBytes) return std::nullopt;
  const size_t listed = size_t(rows * rowBytes);
  // Rows written with a PNG predictor are cut into rows of /Columns bytes, each after a byte
  // naming its filter.
  const long long predictor = NumberOf(*dictionary, "/Predictor").value_or(1);
  const long long columns = NumberOf(*dictionary, "/Columns").value_or(1);
  if (predictor != 1 && predictor < 10) return std::nullopt;
  if (predictor >= 10 && (columns <= 0 || static_cast<unsigned long long>(columns) > listed)) return std::nullopt;
  const size_t decodedSize =
      predictor >= 10 ? (listed + size_t(columns) - 1) / size_t(columns) * (size_t(columns) + 1) : listed;

  if (!cursor.Keyword("stream")) return std::nullopt;
  if (pdf.compare(cursor.At(), 2, "\r\n") == 0)
    cursor.MoveTo(cursor.At() + 2);
  else if (pdf.compare(cursor.At(), 1, "\n") == 0)
    cursor.MoveTo(cursor.At() + 1);
  else
    return std::nullopt;
  // A direct length ends the data there, where the end keyword follows; an indirect one is
  // found at the end keyword.
  const size_t lengthAt = ValueOf(*dictionary, "/Length");
  if (lengthAt == std::string_view::npos) return std::nullopt;
  TCursor lengthCursor(*dictionary, lengthAt);
  const std::optional<long long> length = lengthCursor.Number();
  const bool indirect = lengthCursor.Number().has_value() && lengthCursor.Keyword("R");
  if (!length) return std::nullopt;
  size_t end = 0;
  if (indirect) {
    end = pdf.find("endstream", cursor.At());
    if (end == std::string_view::npos) return std::nullopt;
  } else {
    if (static_cast<unsigned long long>(*length) > pdf.size() - cursor.At()) return std::nullopt;
    end = cursor.At() + size_t(*length);
    TCursor after(pdf, end);
    if (!after.Keyword("endstream")) return std::nullopt;
  }
  const std::string_view raw = pdf.substr(cursor.At(), end - cursor.At());

  QByteArray data;
  if (ValueOf(*dictionary, "/FlateDecode") != std::string_view::npos) {
    const std::optional<QByteArray> inflated = Inflated(raw, decodedSize);
    if (!inflated) return std::nullopt;
    data = *inflated;
  } else if (ValueOf(*dictionary, "/Filter") == std::string_view::npos) {
    data = QByteArray(raw.data(), qsizetype(std::min(raw.size(), decodedSize)));
  } else {
    return std::nullopt;
  }
  if (predictor >= 10) {
    const std::optional<QByteArray> rowsBack = UnPredicted(data, size_t(columns));
    if (!rowsBack) return std::nullopt;
    data = *rowsBack;
  }
  if (size_t(data.size()) < listed) return std::nullopt;

  // Fields are read unsigned, as wide as eight bytes.
  const auto field = [&](qsizetype at, long long width, unsigned long long absent) {
    if (width == 0) return absent;
    unsigned long long value = 0;
    for (long long b = 0; b < width; ++b) value = value << 8 | uint8_t(data[at + b]);
    return value;
  };
  qsizetype at = 0;
  for (size_t i = 0; i + 1 < index.size(); i += 2)
    for (long long n = 0; n < index[i + 1]; ++n, at += qsizetype(rowBytes)) {
      const unsigned long long type = field(at, (*widths)[0], 1);
      if (type == 1 &&
          !ObjectAt(pdf, field(at + (*widths)[0], (*widths)[1], 0), static_cast<unsigned long long>(index[i] + n),
                    field(at + (*widths)[0] + (*widths)[1], (*widths)[2], 0)))
        return std::nullopt;
    }
  return WithTrailer(*dictionary);
}

}  // namespace

bool IsWholePdf(std::string_view pdf) {
  if (!pdf.starts_with("%PDF-")) return false;
  const size_t start = pdf.rfind("startxref");
  if (start == std::string_view::npos) return false;
  TCursor tail(pdf, start + 9);
  const std::optional<long long> first = tail.Number();
  // The end mark looks like a comment to the tokens.
  if (!first) return false;
  const size_t mark = pdf.find_first_not_of(" \t\r\n\f", tail.At());
  if (mark == std::string_view::npos || pdf.compare(mark, 5, "%%EOF") != 0 ||
      pdf.find_first_not_of(" \t\r\n\f", mark + 5) != std::string_view::npos)
    return false;

  std::set<long long> seen;
  std::optional<long long> offset = first;
  for (bool newest = true; offset; newest = false) {
    if (*offset <= 0 || static_cast<unsigned long long>(*offset) >= start || !seen.insert(*offset).second ||
        seen.size() > size_t(kMaxSections))
      return false;
    TCursor cursor(pdf, size_t(*offset));
    std::optional<TSection> section;
    if (cursor.Keyword("xref")) {
      section = ReadTable(pdf, cursor);
    } else {
      cursor.MoveTo(size_t(*offset));
      if (cursor.Number() && cursor.Number() && cursor.Keyword("obj")) section = ReadStream(pdf, cursor);
    }
    if (!section || (newest && ValueOf(section->Trailer, "/Root") == std::string_view::npos)) return false;
    offset = section->Previous;
  }
  return true;
}

}  // namespace app
