// The metafile worker: draws the metafiles the program sends, one after the other, on the
// socket it finds as descriptor 3 (platform/metafileprotocol.h), until the program closes
// it or goes. It holds itself to an address space and to processor time of its own, so that
// a metafile that asks for too much ends the worker and never the program, which starts
// another one.

#include <QGuiApplication>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
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
// largest picture's pixels, the SVG text, the renderer's tree and the
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

// A head, and the descriptor passed with its first byte where there is one.
bool WriteFully(const uint8_t* head, size_t size, int passing = -1) {
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
  while (size > 0) {
    iovec part{const_cast<uint8_t*>(head), size};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    if (passing >= 0) {
      message.msg_control = control;
      message.msg_controllen = sizeof control;
      cmsghdr* c = CMSG_FIRSTHDR(&message);
      c->cmsg_level = SOL_SOCKET;
      c->cmsg_type = SCM_RIGHTS;
      c->cmsg_len = CMSG_LEN(sizeof(int));
      std::memcpy(CMSG_DATA(c), &passing, sizeof passing);
    }
    const ssize_t put = ::sendmsg(protocol::kWorkerSocket, &message, MSG_NOSIGNAL);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    passing = -1;
    head += put;
    size -= size_t(put);
  }
  return true;
}

// The memory file a picture is drawn into and handed over in: mapped while the picture is
// drawn, sealed against any change once it is. Its pages are made in one go as it is
// mapped: page by page, as the first drawing touches them, they cost twice the time. A small
// picture is drawn in the worker's own memory instead and copied into the file as it is
// sealed (metafile_protocol::kMappedPixelBytes).
class TPixelFile {
 public:
  // copyArea: the worker's memory for small pictures, kept from one to the next.
  TPixelFile(size_t bytes, std::vector<uint8_t>& copyArea) : FBytes(bytes) {
    FFd = ::memfd_create("brelvonix-pixels", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (FFd < 0 || ::ftruncate(FFd, off_t(bytes)) != 0) throw std::bad_alloc();
    if (bytes < protocol::kMappedPixelBytes) {
      if (copyArea.size() < bytes) copyArea.resize(bytes);
      FPixels = copyArea.data();
      FCopied = true;
      return;
    }
    void* mapped = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, FFd, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    FPixels = static_cast<uint8_t*>(mapped);
  }
  ~TPixelFile() {
    Unmap();
    if (FFd >= 0) ::close(FFd);
  }
  TPixelFile(const TPixelFile&) = delete;
  TPixelFile& operator=(const TPixelFile&) = delete;

  uint8_t* Pixels() const { return FPixels; }
  // The seals take only once no mapping may write any more.
  bool Seal() {
    if (FCopied && !CopyIn()) return false;
    Unmap();
    return ::fcntl(FFd, F_ADD_SEALS, protocol::kPixelSeals | F_SEAL_SEAL) == 0;
  }
  int Fd() const { return FFd; }

 private:
  bool CopyIn() {
    for (size_t done = 0; done < FBytes;) {
      const ssize_t put = ::pwrite(FFd, FPixels + done, FBytes - done, off_t(done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      done += size_t(put);
    }
    return true;
  }
  void Unmap() {
    if (FPixels && !FCopied) ::munmap(FPixels, FBytes);
    FPixels = nullptr;
  }
  size_t FBytes;
  int FFd = -1;
  uint8_t* FPixels = nullptr;
  bool FCopied = false;
};

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
                       const std::vector<uint8_t>& bytes, std::vector<uint8_t>& copyArea,
                       std::unique_ptr<TPixelFile>& pixels) {
  protocol::TAnswer answer;
  try {
    drawer.Draw(bytes.data(), bytes.size(), int(request.Width), int(request.Height),
                static_cast<long long>(request.MaxPixels), [&] {
                  pixels = std::make_unique<TPixelFile>(size_t(request.Width) * request.Height * 4, copyArea);
                  return pixels->Pixels();
                });
    if (!pixels->Seal()) throw std::bad_alloc();
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

  std::vector<uint8_t> copyArea;
  for (;;) {
    uint8_t head[protocol::kRequestSize];
    if (!ReadFully(head, sizeof head)) ::_exit(0);
    const std::optional<protocol::TRequest> request = protocol::DecodeRequest(head);
    // Anything but a request means the two ends no longer agree on where a message begins.
    if (!request) ::_exit(2);
    std::vector<uint8_t> bytes(request->Bytes);
    if (!ReadFully(bytes.data(), bytes.size())) ::_exit(0);
    if (!LimitProcessorTime()) ::_exit(3);
    std::unique_ptr<TPixelFile> pixels;
    const protocol::TAnswer answer = Draw(drawer, *request, bytes, copyArea, pixels);
    bytes = {};
    const auto answerHead = protocol::EncodeAnswer(answer);
    if (!WriteFully(answerHead.data(), answerHead.size(), answer.Fault == 0 ? pixels->Fd() : -1)) ::_exit(0);
  }
}
