// A small interpreter: each step takes an operation byte, then the operation reads its
// operands and values from the same input. Values read are written back and compared, so
// the reader and the writer are checked against each other.
#include <cstdlib>
#include <cstring>

#include "platform/stream.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::TByteReader reader(data, size);
  try {
    while (!reader.AtEnd()) {
      Require(reader.Position() + reader.Remaining() == size);
      const uint8_t op = reader.ReadU8();
      const size_t before = reader.Position();
      platform::TByteWriter writer;
      switch (op % 10) {
        case 0:
          writer.WriteU8(reader.ReadU8());
          break;
        case 1: {
          const bool b = reader.ReadBool();
          Require(b == (data[before] != 0));
          writer.WriteU8(data[before]);
          break;
        }
        case 2:
          writer.WriteInt32(reader.ReadInt32());
          break;
        case 3:
          writer.WriteInt64(reader.ReadInt64());
          break;
        case 4:
          writer.WriteSingle(reader.ReadSingle());
          break;
        case 5: {
          const float f = reader.ReadFiniteSingle();
          Require(f == f);
          writer.WriteSingle(f);
          break;
        }
        case 6: {
          const long double v = reader.ReadExtended();
          writer.WriteExtended(v);
          platform::TByteReader again(writer.Bytes());
          Require(again.ReadExtended() == v);
          continue;
        }
        case 7: {
          const std::string s = reader.ReadString();
          // Any count of zero or less reads as the empty string and nothing behind it.
          if (s.empty()) {
            Require(reader.Position() == before + 4);
            continue;
          }
          writer.WriteString(s);
          break;
        }
        case 8: {
          const size_t n = reader.ReadU8();
          const auto bytes = reader.ReadByteVector(n);
          Require(bytes.size() == n);
          writer.WriteBytes(bytes.data(), n);
          Require(n == 0 || std::memcmp(bytes.data(), data + before + 1, n) == 0);
          continue;
        }
        default:
          reader.Skip(reader.ReadU8());
          continue;
      }
      // What was read, written again, is the bytes it was read from.
      Require(writer.Size() == reader.Position() - before);
      Require(writer.Size() == 0 || std::memcmp(writer.Bytes().data(), data + before, writer.Size()) == 0);
    }
  } catch (const platform::EFormatError&) {
    Require(reader.Position() <= size);
  }
  return 0;
}
