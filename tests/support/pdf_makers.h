#pragma once
// Small PDF files of the layout writers of PDF 1.5 use: a catalog (object 1), its empty
// page tree (object 2) and a cross-reference stream (object 3) that startxref points to,
// whose dictionary and data a test chooses; and the one such a writer makes, whose stream
// lists the three objects in rows of 1 + 2 + 1 bytes, written with the PNG up predictor and
// compressed.

#include <QByteArray>
#include <algorithm>
#include <cstdint>

namespace pdf_makers {

// The header and the first two objects, and where each object starts; moved puts a letter
// before the second object, where an offset taken before it no longer points.
struct TPdfHead {
  QByteArray Bytes;
  int Catalog = 0;
  int Pages = 0;
};

inline TPdfHead PdfHead(bool moved = false) {
  TPdfHead head;
  head.Bytes = "%PDF-1.5\n";
  head.Catalog = int(head.Bytes.size());
  head.Bytes += "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
  head.Pages = int(head.Bytes.size());
  if (moved) head.Bytes += "x";
  head.Bytes += "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\n";
  return head;
}

// The head, then object 3: a stream of type XRef naming the catalog as its root, with the
// entries given and the length of data, then the end of the file.
inline QByteArray WithXrefStream(const TPdfHead& head, const QByteArray& entries, const QByteArray& data) {
  return head.Bytes + "3 0 obj\n<< /Type /XRef /Root 1 0 R " + entries + " /Length " + QByteArray::number(data.size()) +
         " >>\nstream\n" + data + "\nendstream\nendobj\nstartxref\n" + QByteArray::number(head.Bytes.size()) +
         "\n%%EOF\n";
}

// The file as such a writer makes it, listing where its objects were before a move.
inline QByteArray ListedStreamPdf(bool moved = false) {
  const TPdfHead head = PdfHead(moved);
  const TPdfHead unmoved = PdfHead(false);
  const int stream = int(head.Bytes.size());
  const int rows[4][3] = {{0, 0, 255}, {1, unmoved.Catalog, 0}, {1, unmoved.Pages, 0}, {1, stream, 0}};
  QByteArray data;
  uint8_t above[4] = {0, 0, 0, 0};
  for (const auto& row : rows) {
    const uint8_t bytes[4] = {uint8_t(row[0]), uint8_t(row[1] >> 8), uint8_t(row[1]), uint8_t(row[2])};
    data += char(2);
    for (int i = 0; i < 4; ++i) data += char(uint8_t(bytes[i] - above[i]));
    std::copy(bytes, bytes + 4, above);
  }
  // qCompress puts the size in four bytes before zlib's own stream.
  return WithXrefStream(head, "/Size 4 /W [1 2 1] /Filter /FlateDecode /DecodeParms << /Predictor 12 /Columns 4 >>",
                        qCompress(data).mid(4));
}

}  // namespace pdf_makers
