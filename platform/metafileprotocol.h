#pragma once
// The messages between the program and the metafile worker, over a connected pair of
// sockets: heads of a fixed size in little-endian order, each checked by whoever reads it,
// the metafile's bytes behind a request and the pixels behind an answer.
//   ready    the worker, once it is set up: "BMFR", the protocol's version
//   request  the program: "BMFQ", width, height, the pixels allowed (64 bits), the number of
//            bytes; then the metafile's bytes
//   answer   the worker: "BMFA", the fault (0: drawn), width, height; when drawn, the
//            pixels come with it as a memory file passed on the socket (SCM_RIGHTS):
//            width × height × 4 bytes of Format_RGB32, row after row, sealed with
//            kPixelSeals. The program maps it: the pixels of a large picture are neither
//            copied through the socket nor left where the worker could still change them.

#include <array>
#include <fcntl.h>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform::metafile_protocol {

// The descriptor the worker finds its socket on; 0 to 2 are its standard streams.
inline constexpr int kWorkerSocket = 3;

inline constexpr uint32_t kVersion = 2;
inline constexpr int kPixelSeals = F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE;
// The pixels of a picture smaller than this are copied into their memory file and out of it
// rather than mapped: on a machine of many processors, undoing a mapping costs more than
// copying them.
inline constexpr size_t kMappedPixelBytes = size_t(4) << 20;
inline constexpr size_t kReadySize = 8;
inline constexpr size_t kRequestSize = 24;
inline constexpr size_t kAnswerSize = 16;

struct TRequest {
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint64_t MaxPixels = 0;
  uint32_t Bytes = 0;
};

struct TAnswer {
  uint32_t Fault = 0;
  uint32_t Width = 0;
  uint32_t Height = 0;
};

std::array<uint8_t, kReadySize> EncodeReady();
bool IsReady(const uint8_t* head);

std::array<uint8_t, kRequestSize> EncodeRequest(const TRequest& request);
// A request the worker may act on: a size and an allowance within the picture caps and the
// bytes of a picture file below the file cap; nothing otherwise.
std::optional<TRequest> DecodeRequest(const uint8_t* head);

std::array<uint8_t, kAnswerSize> EncodeAnswer(const TAnswer& answer);
// An answer to the request: drawn at the size asked, or a fault a worker may give; nothing
// otherwise.
std::optional<TAnswer> DecodeAnswer(const uint8_t* head, const TRequest& request);

}  // namespace platform::metafile_protocol
