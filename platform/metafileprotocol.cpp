#include "platform/metafileprotocol.h"

#include "platform/metafile.h"
#include "platform/picture.h"

namespace platform::metafile_protocol {

namespace {

constexpr uint32_t kReadyMagic = 0x52464D42;    // "BMFR"
constexpr uint32_t kRequestMagic = 0x51464D42;  // "BMFQ"
constexpr uint32_t kAnswerMagic = 0x41464D42;   // "BMFA"

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint64_t Get64(const uint8_t* p) { return uint64_t(MetafileU32(p)) | uint64_t(MetafileU32(p + 4)) << 32; }

}  // namespace

std::array<uint8_t, kReadySize> EncodeReady() {
  std::array<uint8_t, kReadySize> head{};
  Put32(head.data(), kReadyMagic);
  Put32(head.data() + 4, kVersion);
  return head;
}

bool IsReady(const uint8_t* head) { return MetafileU32(head) == kReadyMagic && MetafileU32(head + 4) == kVersion; }

std::array<uint8_t, kRequestSize> EncodeRequest(const TRequest& request) {
  std::array<uint8_t, kRequestSize> head{};
  Put32(head.data(), kRequestMagic);
  Put32(head.data() + 4, request.Width);
  Put32(head.data() + 8, request.Height);
  Put32(head.data() + 12, static_cast<uint32_t>(request.MaxPixels));
  Put32(head.data() + 16, static_cast<uint32_t>(request.MaxPixels >> 32));
  Put32(head.data() + 20, request.Bytes);
  return head;
}

std::optional<TRequest> DecodeRequest(const uint8_t* head) {
  if (MetafileU32(head) != kRequestMagic) return std::nullopt;
  TRequest request;
  request.Width = MetafileU32(head + 4);
  request.Height = MetafileU32(head + 8);
  request.MaxPixels = Get64(head + 12);
  request.Bytes = MetafileU32(head + 20);
  if (!WithinPictureCaps(request.Width, request.Height) || request.MaxPixels > uint64_t(kMaxPicturePixels) ||
      request.Bytes == 0 || request.Bytes >= uint64_t(kMaxPictureFileBytes))
    return std::nullopt;
  return request;
}

std::array<uint8_t, kAnswerSize> EncodeAnswer(const TAnswer& answer) {
  std::array<uint8_t, kAnswerSize> head{};
  Put32(head.data(), kAnswerMagic);
  Put32(head.data() + 4, answer.Fault);
  Put32(head.data() + 8, answer.Width);
  Put32(head.data() + 12, answer.Height);
  return head;
}

std::optional<TAnswer> DecodeAnswer(const uint8_t* head, const TRequest& request) {
  if (MetafileU32(head) != kAnswerMagic) return std::nullopt;
  TAnswer answer;
  answer.Fault = MetafileU32(head + 4);
  answer.Width = MetafileU32(head + 8);
  answer.Height = MetafileU32(head + 12);
  if (answer.Fault == 0)
    return answer.Width == request.Width && answer.Height == request.Height ? std::optional(answer) : std::nullopt;
  if (answer.Fault > uint32_t(kLastWorkerFault)) return std::nullopt;
  return answer;
}

}  // namespace platform::metafile_protocol
