#include "platform/metafileworker.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <optional>
#include <vector>

#include "platform/metafile.h"
#include "platform/metafileprotocol.h"

extern char** environ;

namespace platform {

namespace protocol = metafile_protocol;
using Clock = std::chrono::steady_clock;

namespace {

// The descriptor the worker finds its socket on; 0 to 2 are its standard streams.
constexpr int kWorkerSocket = 3;

enum class TIo { Done, TimedOut, Failed };

// Milliseconds left until the deadline, for poll; 0 once it has passed.
int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, INT_MAX));
}

TIo Await(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = ::poll(&p, 1, MillisecondsLeft(deadline));
    if (n > 0) return (p.revents & events) ? TIo::Done : TIo::Failed;
    if (n == 0) return TIo::TimedOut;
    if (errno != EINTR) return TIo::Failed;
  }
}

// Sends the head and the bytes behind it together, so that the worker wakes once for
// both, and without raising SIGPIPE when the worker has gone.
TIo SendAll(int fd, const uint8_t* head, size_t headSize, const uint8_t* data, size_t size,
            Clock::time_point deadline) {
  iovec parts[2] = {{const_cast<uint8_t*>(head), headSize}, {const_cast<uint8_t*>(data), size}};
  msghdr message{};
  message.msg_iov = parts;
  message.msg_iovlen = 2;
  while (parts[0].iov_len + parts[1].iov_len > 0) {
    const TIo ready = Await(fd, POLLOUT, deadline);
    if (ready != TIo::Done) return ready;
    ssize_t sent = ::sendmsg(fd, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return TIo::Failed;
    }
    for (iovec& part : parts) {
      const size_t taken = std::min(part.iov_len, size_t(sent));
      part.iov_base = static_cast<uint8_t*>(part.iov_base) + taken;
      part.iov_len -= taken;
      sent -= ssize_t(taken);
    }
    if (parts[0].iov_len == 0) {
      message.msg_iov = parts + 1;
      message.msg_iovlen = 1;
    }
  }
  return TIo::Done;
}

TIo ReceiveAll(int fd, uint8_t* p, size_t n, Clock::time_point deadline) {
  while (n > 0) {
    const TIo ready = Await(fd, POLLIN, deadline);
    if (ready != TIo::Done) return ready;
    const ssize_t got = ::recv(fd, p, n, MSG_DONTWAIT);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return TIo::Failed;
    }
    if (got == 0) return TIo::Failed;  // the worker has gone
    p += got;
    n -= size_t(got);
  }
  return TIo::Done;
}

[[noreturn]] void Refuse(TMetafileFault fault) { throw EMetafileError(fault); }

// The worker's standard streams: no input, its output thrown away (its libraries may write
// there), its errors where the program's go.
class TSpawnActions {
 public:
  explicit TSpawnActions(int socket) {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions_, socket, kWorkerSocket);
    posix_spawn_file_actions_addclosefrom_np(&actions_, kWorkerSocket + 1);
    posix_spawnattr_init(&attributes_);
    // Whatever the program blocks or catches, the worker starts with every signal as it
    // comes.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes_, &none);
    posix_spawnattr_setsigdefault(&attributes_, &all);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~TSpawnActions() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  TSpawnActions(const TSpawnActions&) = delete;
  TSpawnActions& operator=(const TSpawnActions&) = delete;

  const posix_spawn_file_actions_t* Actions() const { return &actions_; }
  const posix_spawnattr_t* Attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

}  // namespace

std::string MetafileWorkerPath() {
  std::vector<char> self(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", self.data(), PATH_MAX);
  if (n <= 0) return {};
  std::string path(self.data(), size_t(n));
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + 1) + TMetafileWorker::kExecutableName;
}

TMetafileWorker& TMetafileWorker::Instance() {
  static TMetafileWorker worker;
  return worker;
}

TMetafileWorker::~TMetafileWorker() { Stop(); }

bool TMetafileWorker::Start() {
  const std::string path = MetafileWorkerPath();
  if (path.empty() || ::access(path.c_str(), X_OK) != 0) return false;
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return false;
  // The worker's end goes to its descriptor 3 by dup2, which leaves a descriptor that is
  // already 3 as it is, close-on-exec included; it moves out of the way first.
  if (pair[1] == kWorkerSocket) {
    const int moved = ::fcntl(pair[1], F_DUPFD_CLOEXEC, kWorkerSocket + 1);
    ::close(pair[1]);
    pair[1] = moved;
  }
  pid_t pid = 0;
  int spawned = -1;
  if (pair[1] >= 0) {
    const TSpawnActions spawn(pair[1]);
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    spawned = ::posix_spawn(&pid, path.c_str(), spawn.Actions(), spawn.Attributes(), argv, environ);
    ::close(pair[1]);
  }
  if (spawned != 0) {
    ::close(pair[0]);
    return false;
  }
  process_ = pid;
  socket_ = pair[0];
  uint8_t ready[protocol::kReadySize];
  if (ReceiveAll(socket_, ready, sizeof ready, Clock::now() + kStartTime) != TIo::Done || !protocol::IsReady(ready)) {
    Stop();
    return false;
  }
  return true;
}

void TMetafileWorker::Stop() {
  if (socket_ >= 0) ::close(socket_);
  socket_ = -1;
  if (process_ > 0) {
    ::kill(process_, SIGKILL);
    while (::waitpid(process_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  process_ = 0;
}

QImage TMetafileWorker::Draw(const uint8_t* data, size_t size, int width, int height, long long maxPixels) {
  if (size == 0 || size >= size_t(kMaxPictureFileBytes) || !WithinPictureCaps(width, height, maxPixels))
    Refuse(TMetafileFault::TooLarge);
  const std::lock_guard<std::mutex> lock(mutex_);
  if (process_ == 0) {
    if (Clock::now() < noStartBefore_) Refuse(TMetafileFault::WorkerUnavailable);
    if (!Start()) {
      noStartBefore_ = Clock::now() + kRestartPause;
      Refuse(TMetafileFault::WorkerUnavailable);
    }
  }
  try {
    return Exchange(data, size, width, height, maxPixels);
  } catch (const EMetafileError& e) {
    // A worker that answered with a reason goes on; any other end of the exchange leaves it
    // in an unknown state.
    if (e.Fault() > kLastWorkerFault) Stop();
    throw;
  }
}

QImage TMetafileWorker::Exchange(const uint8_t* data, size_t size, int width, int height, long long maxPixels) {
  const Clock::time_point deadline = Clock::now() + kPictureTime;
  const auto check = [](TIo io) {
    if (io == TIo::TimedOut) Refuse(TMetafileFault::TimedOut);
    if (io != TIo::Done) Refuse(TMetafileFault::WorkerFailed);
  };
  protocol::TRequest request;
  request.Width = uint32_t(width);
  request.Height = uint32_t(height);
  request.MaxPixels = uint64_t(std::min(maxPixels, kMaxPicturePixels));
  request.Bytes = uint32_t(size);
  const auto head = protocol::EncodeRequest(request);
  check(SendAll(socket_, head.data(), head.size(), data, size, deadline));

  uint8_t answerHead[protocol::kAnswerSize];
  check(ReceiveAll(socket_, answerHead, sizeof answerHead, deadline));
  const std::optional<protocol::TAnswer> answer = protocol::DecodeAnswer(answerHead, request);
  if (!answer) Refuse(TMetafileFault::WorkerFailed);
  if (answer->Fault != 0) Refuse(static_cast<TMetafileFault>(answer->Fault));
  QImage image(width, height, QImage::Format_RGB32);
  // Without room for the pixels the worker cannot be heard out, and is stopped.
  if (image.isNull() || image.bytesPerLine() != qsizetype(width) * 4) {
    Stop();
    Refuse(TMetafileFault::OutOfMemory);
  }
  check(ReceiveAll(socket_, image.bits(), size_t(image.sizeInBytes()), deadline));
  // The format's pixels are opaque, whatever the worker wrote.
  auto* pixel = reinterpret_cast<uint32_t*>(image.bits());
  for (qsizetype i = 0, n = qsizetype(width) * height; i < n; ++i) pixel[i] |= 0xFF000000u;
  return image;
}

}  // namespace platform
