// The metafile worker: draws the metafiles the program sends, one after the other, on the
// socket it finds as descriptor 3 (platform/metafileprotocol.h), until the program closes
// it or goes. It holds itself to an address space and to processor time of its own, so that
// a metafile that asks for too much ends the worker and never the program, which starts
// another one.

#include <QGuiApplication>
#include <QImage>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <new>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

#include "platform/metafile.h"
#include "platform/metafileprotocol.h"
#include "platform/metafiles/draw.h"

namespace protocol = platform::metafile_protocol;

// Under AddressSanitizer the address-space limit below still measures from what the worker
// holds once it is set up, the sanitizer's shadow and allocator reservations included (they
// are reserved, not backed). What it does not see are the small blocks the sanitizer's own
// allocator hands out from that reservation, and the blocks it keeps in quarantine after
// they are freed: its resident-memory limit holds the first, a small quarantine the second,
// and a failed allocation returns null as it does without the sanitizer.
#if defined(BRELVONIX_ADDRESS_SANITIZED)
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:quarantine_size_mb=16:hard_rss_limit_mb=2560";
}
#endif

namespace {

// The address space a picture may take beyond what the worker holds once it is set up: the
// largest picture's pixels and its answer, the SVG text, the renderer's tree and the
// bitmaps inside, decoded.
constexpr rlim_t kDrawingAddressSpace = rlim_t(1536) << 20;
// Processor time per picture: longer than the program waits for one, so that this limit
// acts only when nobody waits for the worker any more.
constexpr rlim_t kPictureProcessorSeconds = 5;

bool ReadFully(void* to, size_t n) {
  auto* p = static_cast<uint8_t*>(to);
  while (n > 0) {
    const ssize_t got = ::read(protocol::kWorkerSocket, p, n);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    p += got;
    n -= size_t(got);
  }
  return true;
}

// A head and what follows it in one write, so that the program wakes once for both.
bool WriteFully(const void* head, size_t headSize, const void* body = nullptr, size_t bodySize = 0) {
  iovec parts[2] = {{const_cast<void*>(head), headSize}, {const_cast<void*>(body), bodySize}};
  iovec* part = parts;
  int count = bodySize > 0 ? 2 : 1;
  while (count > 0) {
    ssize_t put = ::writev(protocol::kWorkerSocket, part, count);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    while (count > 0 && size_t(put) >= part->iov_len) {
      put -= ssize_t(part->iov_len);
      ++part;
      --count;
    }
    if (count > 0) {
      part->iov_base = static_cast<uint8_t*>(part->iov_base) + put;
      part->iov_len -= size_t(put);
    }
  }
  return true;
}

rlim_t AddressSpaceInUse() {
  unsigned long pages = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  return rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE));
}

// No core file: a picture that ends the worker would leave one of the worker's size in
// the program's working folder.
bool LimitCoreFiles() {
  const rlimit none{0, 0};
  return ::setrlimit(RLIMIT_CORE, &none) == 0;
}

bool LimitAddressSpace() {
  const rlim_t limit = AddressSpaceInUse() + kDrawingAddressSpace;
  const rlimit space{limit, limit};
  return ::setrlimit(RLIMIT_AS, &space) == 0;
}

// The processor time used so far and the picture's share; the soft limit is moved on for
// every picture, the hard one stays where it was.
bool LimitProcessorTime() {
  rusage usage{};
  rlimit cpu{};
  if (::getrusage(RUSAGE_SELF, &usage) != 0 || ::getrlimit(RLIMIT_CPU, &cpu) != 0) return false;
  const rlim_t wanted = rlim_t(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + 1 + kPictureProcessorSeconds;
  cpu.rlim_cur = cpu.rlim_max == RLIM_INFINITY ? wanted : std::min(wanted, cpu.rlim_max);
  return ::setrlimit(RLIMIT_CPU, &cpu) == 0;
}

protocol::TAnswer Draw(platform::metafiles::TMetafileDrawer& drawer, const protocol::TRequest& request,
                       const std::vector<uint8_t>& bytes, QImage& image) {
  protocol::TAnswer answer;
  try {
    image = drawer.Draw(bytes.data(), bytes.size(), int(request.Width), int(request.Height),
                        static_cast<long long>(request.MaxPixels));
    if (image.format() != QImage::Format_RGB32 || image.width() != int(request.Width) ||
        image.height() != int(request.Height) || image.bytesPerLine() != qsizetype(request.Width) * 4)
      throw platform::EMetafileError(platform::TMetafileFault::Unreadable);
    answer.Width = request.Width;
    answer.Height = request.Height;
  } catch (const platform::EMetafileError& e) {
    answer.Fault = uint32_t(e.Fault());
  } catch (const std::bad_alloc&) {
    answer.Fault = uint32_t(platform::TMetafileFault::OutOfMemory);
  } catch (const std::exception&) {
    answer.Fault = uint32_t(platform::TMetafileFault::Unreadable);
  }
  return answer;
}

}  // namespace

int main(int argc, char** argv) {
  // A worker whose program has gone has no one to draw for. (The signal follows the thread
  // that started the worker, which in the program is its user-interface thread.)
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  // A worker that cannot hold itself to its limits draws nothing: it never says it is ready,
  // or ends without an answer, and the program reports the worker's failure.
  if (!LimitCoreFiles()) ::_exit(3);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt SVG names every element it leaves out; the program's error stream is no place for it.
  qputenv("QT_LOGGING_RULES", "qt.svg*=false");
  QGuiApplication application(argc, argv);
  platform::metafiles::TMetafileDrawer drawer;
  if (!LimitAddressSpace()) ::_exit(3);
  const auto ready = protocol::EncodeReady();
  if (!WriteFully(ready.data(), ready.size())) ::_exit(0);

  for (;;) {
    uint8_t head[protocol::kRequestSize];
    if (!ReadFully(head, sizeof head)) ::_exit(0);
    const std::optional<protocol::TRequest> request = protocol::DecodeRequest(head);
    // Anything but a request means the two ends no longer agree on where a message begins.
    if (!request) ::_exit(2);
    std::vector<uint8_t> bytes(request->Bytes);
    if (!ReadFully(bytes.data(), bytes.size())) ::_exit(0);
    if (!LimitProcessorTime()) ::_exit(3);
    QImage image;
    const protocol::TAnswer answer = Draw(drawer, *request, bytes, image);
    bytes = {};
    const auto answerHead = protocol::EncodeAnswer(answer);
    const bool drawn = answer.Fault == 0;
    if (!WriteFully(answerHead.data(), answerHead.size(), drawn ? image.constBits() : nullptr,
                    drawn ? size_t(image.sizeInBytes()) : 0))
      ::_exit(0);
  }
}
