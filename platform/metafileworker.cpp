#include "platform/metafileworker.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/metafile.h"
#include "platform/metafileprotocol.h"

extern char** environ;

namespace platform {

namespace protocol = metafile_protocol;
using Clock = std::chrono::steady_clock;

namespace {

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
    ssize_t sent = ::sendmsg(fd, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN) return TIo::Failed;
      // Only a full socket is waited for.
      const TIo ready = Await(fd, POLLOUT, deadline);
      if (ready != TIo::Done) return ready;
      continue;
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

// A descriptor the worker passed, closed with its holder.
class TPassedFile {
 public:
  TPassedFile() = default;
  ~TPassedFile() { Reset(); }
  TPassedFile(const TPassedFile&) = delete;
  TPassedFile& operator=(const TPassedFile&) = delete;
  int Get() const { return FFd; }
  // Takes the first descriptor of a message; any other is closed at once.
  void Take(int fd) {
    if (FFd < 0)
      FFd = fd;
    else
      ::close(fd);
  }
  void Reset() {
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
  }

 private:
  int FFd = -1;
};

// Receives n bytes; descriptors that come with them go to passed, or are closed where none
// is awaited. They are made close-on-exec as they come, so that no later worker inherits one.
TIo ReceiveAll(int fd, uint8_t* p, size_t n, Clock::time_point deadline, TPassedFile* passed = nullptr) {
  while (n > 0) {
    iovec part{p, n};
    alignas(cmsghdr) char control[CMSG_SPACE(4 * sizeof(int))];
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t got = ::recvmsg(fd, &message, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
    if (got < 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN) return TIo::Failed;
      // An answer drawn while the program went on is there already; only a later one is
      // waited for.
      const TIo ready = Await(fd, POLLIN, deadline);
      if (ready != TIo::Done) return ready;
      continue;
    }
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
      if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS) continue;
      const size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
      for (size_t i = 0; i < count; ++i) {
        int received;
        std::memcpy(&received, CMSG_DATA(c) + i * sizeof(int), sizeof received);
        if (passed)
          passed->Take(received);
        else
          ::close(received);
      }
    }
    if (got == 0) return TIo::Failed;  // the worker has gone
    p += got;
    n -= size_t(got);
  }
  return TIo::Done;
}

// The pixels passed with an answer: a memory file the worker can no longer write, shrink or
// grow, of exactly the answer's size; a null image otherwise. A small picture is copied out
// of it, a large one mapped for reading (metafile_protocol::kMappedPixelBytes), the mapping
// going with the last copy of the image.
QImage PassedPixels(int fd, int width, int height) {
  const size_t bytes = size_t(width) * size_t(height) * 4;
  struct stat file {};
  const int seals = ::fcntl(fd, F_GET_SEALS);
  if (seals < 0 || (seals & protocol::kPixelSeals) != protocol::kPixelSeals || ::fstat(fd, &file) != 0 ||
      !S_ISREG(file.st_mode) || file.st_size != off_t(bytes))
    return QImage();
  if (bytes < protocol::kMappedPixelBytes) {
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull() || image.bytesPerLine() != qsizetype(width) * 4) RefuseMetafile(TMetafileFault::OutOfMemory);
    for (size_t done = 0; done < bytes;) {
      const ssize_t got = ::pread(fd, image.bits() + done, bytes - done, off_t(done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return QImage();
      done += size_t(got);
    }
    return image;
  }
  void* mapped = ::mmap(nullptr, bytes, PROT_READ, MAP_SHARED | MAP_POPULATE, fd, 0);
  if (mapped == MAP_FAILED) RefuseMetafile(TMetafileFault::OutOfMemory);
  struct TMapping {
    void* Start;
    size_t Bytes;
  };
  auto* mapping = new TMapping{mapped, bytes};
  const auto unmap = [](void* info) {
    auto* m = static_cast<TMapping*>(info);
    ::munmap(m->Start, m->Bytes);
    delete m;
  };
  QImage image(static_cast<const uchar*>(mapped), width, height, qsizetype(width) * 4, QImage::Format_RGB32, unmap,
               mapping);
  if (image.isNull()) {
    unmap(mapping);
    RefuseMetafile(TMetafileFault::OutOfMemory);
  }
  return image;
}

// The format's pixels are opaque, whatever the worker wrote; pixels that are not are mended
// in a copy of the program's own.
void MakeOpaque(QImage& image) {
  const auto* pixel = reinterpret_cast<const uint32_t*>(image.constBits());
  const qsizetype n = qsizetype(image.width()) * image.height();
  uint32_t all = 0xFF000000u;
  for (qsizetype i = 0; i < n; ++i) all &= pixel[i];
  if ((all & 0xFF000000u) == 0xFF000000u) return;
  auto* mended = reinterpret_cast<uint32_t*>(image.bits());
  for (qsizetype i = 0; i < n; ++i) mended[i] |= 0xFF000000u;
}

// The worker's standard streams: no input, its output thrown away (its libraries may write
// there), its errors where the program's go.
class TSpawnActions {
 public:
  explicit TSpawnActions(int socket) {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions_, socket, protocol::kWorkerSocket);
    posix_spawn_file_actions_addclosefrom_np(&actions_, protocol::kWorkerSocket + 1);
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

// The process's state, from its status file kept open since its start (a worker is checked
// before every picture, and opening the file costs more than reading it).
bool Dying(int statFile) {
  char line[512] = {};
  const ssize_t n = statFile < 0 ? -1 : ::pread(statFile, line, sizeof line - 1, 0);
  if (n <= 0) return false;
  const char* end = std::strrchr(line, ')');
  return end && (end[1] == ' ' && (end[2] == 'Z' || end[2] == 'X'));
}

// Reasons that depend on the allowance a picture had, beside those of its bytes alone.
bool DependsOnAllowance(TMetafileFault fault) {
  return fault == TMetafileFault::BitmapTooLarge || fault == TMetafileFault::OutOfMemory;
}

}  // namespace

TMetafileReadTime::TMetafileReadTime() : FEnd(Clock::now() + TMetafileWorker::kReadTime) {}

bool TMetafileReadTime::Spent() const { return Clock::now() >= FEnd; }

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

void TMetafileWorker::StartAhead() {
  const std::lock_guard<std::mutex> lock(FMutex);
  if ((FProcess == 0 || !Alive()) && Clock::now() >= FNoStartBefore) Spawn();
}

void TMetafileWorker::UseExecutable(const std::string& path) {
  const std::lock_guard<std::mutex> lock(FMutex);
  Stop();
  FNoStartBefore = {};
  FExecutable = path;
}

bool TMetafileWorker::Spawn() {
  const std::string path = FExecutable.empty() ? MetafileWorkerPath() : FExecutable;
  if (path.empty() || ::access(path.c_str(), X_OK) != 0) return false;
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return false;
  // The worker's end goes to its socket's descriptor by dup2, which leaves a descriptor that
  // is already that one as it is, close-on-exec included; it moves out of the way first.
  if (pair[1] == protocol::kWorkerSocket) {
    const int moved = ::fcntl(pair[1], F_DUPFD_CLOEXEC, protocol::kWorkerSocket + 1);
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
  FProcess = pid;
  FSocket = pair[0];
  const std::string stat = "/proc/" + std::to_string(pid) + "/stat";
  FStatFile = ::open(stat.c_str(), O_RDONLY | O_CLOEXEC);
  FReady = false;
  FStartedAt = Clock::now();
  return true;
}

// A worker that died is reaped; one that is ready and speaks unasked (owing no answer), or
// has hung up, no longer agrees with the program on where a message begins, and is stopped.
bool TMetafileWorker::Alive() {
  pid_t reaped;
  do reaped = ::waitpid(FProcess, nullptr, WNOHANG);
  while (reaped < 0 && errno == EINTR);
  if (reaped == FProcess || (reaped < 0 && errno == ECHILD)) {
    FProcess = 0;
    Stop();
    return false;
  }
  // A worker of several threads shows as a zombie before its last thread, and with it its
  // socket, is gone, and cannot be reaped until then: it is dying all the same.
  if (Dying(FStatFile)) {
    Stop();
    return false;
  }
  pollfd idle{FSocket, POLLIN, 0};
  if (FReady && !FOutstanding && ::poll(&idle, 1, 0) != 0) {
    Stop();
    return false;
  }
  return true;
}

// A worker that lives and is ready, else the picture is refused: the read's time may run
// out while the worker sets up, and a start that fails fails the rest of the read.
void TMetafileWorker::EnsureReady(TMetafileReadTime& read) {
  if (FProcess != 0) Alive();
  if (read.FWorkerUnavailable) RefuseMetafile(TMetafileFault::WorkerUnavailable);
  const auto unavailable = [&] {
    FNoStartBefore = Clock::now() + kRestartPause;
    read.FWorkerUnavailable = true;
    RefuseMetafile(TMetafileFault::WorkerUnavailable);
  };
  if (FProcess == 0 && (Clock::now() < FNoStartBefore || !Spawn())) unavailable();
  const bool first = !read.FBegun;
  read.FBegun = true;
  if (FReady) return;
  const Clock::time_point startBound = FStartedAt + kStartTime;
  const Clock::time_point waitFrom = Clock::now();
  uint8_t ready[protocol::kReadySize];
  const TIo io = ReceiveAll(FSocket, ready, sizeof ready, first ? startBound : std::min(startBound, read.FEnd));
  if (first) read.FEnd += Clock::now() - waitFrom;
  if (io == TIo::TimedOut && read.FEnd < startBound) RefuseMetafile(TMetafileFault::NoTimeLeft);
  if (io != TIo::Done || !protocol::IsReady(ready)) {
    Stop();
    unavailable();
  }
  FReady = true;
}

std::chrono::milliseconds TMetafileWorker::PictureTime(int width, int height) {
  return kPictureTime + kLargestCanvasTime * (static_cast<long long>(width) * height) / kMaxPicturePixels;
}

void TMetafileWorker::Stop() {
  // A drawing still owed goes with the worker that would have drawn it.
  if (FOutstanding) {
    FOutstanding->FImage = QImage();
    FOutstanding->FFault = TMetafileFault::WorkerFailed;
    FOutstanding->FDone = true;
    FOutstanding.reset();
  }
  if (FSocket >= 0) ::close(FSocket);
  FSocket = -1;
  if (FStatFile >= 0) ::close(FStatFile);
  FStatFile = -1;
  FReady = false;
  if (FProcess > 0) {
    ::kill(FProcess, SIGKILL);
    while (::waitpid(FProcess, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  FProcess = 0;
}

void TMetafileWorker::Remember(const QByteArray& digest, TMetafileFault fault, long long maxPixels) {
  if (fault == TMetafileFault::WorkerUnavailable || fault == TMetafileFault::NoTimeLeft) return;
  const auto known = FFailures.find(digest);
  if (known == FFailures.end() || maxPixels > known->second.MaxPixels) FFailures[digest] = {fault, maxPixels};
}

QImage TMetafileWorker::Draw(const uint8_t* data, size_t size, int width, int height, long long maxPixels,
                             TMetafileReadTime* read) {
  const std::shared_ptr<TMetafileDrawing> drawing = DrawAhead(data, size, width, height, maxPixels, read);
  return drawing->Take();
}

std::shared_ptr<TMetafileDrawing> TMetafileWorker::DrawAhead(const uint8_t* data, size_t size, int width, int height,
                                                             long long maxPixels, TMetafileReadTime* read) {
  if (size == 0 || size >= size_t(kMaxPictureFileBytes) || !WithinPictureCaps(width, height, maxPixels))
    RefuseMetafile(TMetafileFault::TooLarge);
  TMetafileReadTime own;
  return Send(data, size, width, height, maxPixels, read ? read : &own);
}

std::shared_ptr<TMetafileDrawing> TMetafileWorker::Send(const uint8_t* data, size_t size, int width, int height,
                                                        long long maxPixels, TMetafileReadTime* read) {
  TMetafileReadTime& time = *read;
  std::shared_ptr<TMetafileDrawing> drawing(new TMetafileDrawing);
  drawing->FDigest = QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)),
                                              QCryptographicHash::Sha256);
  drawing->FWidth = width;
  drawing->FHeight = height;
  drawing->FMaxPixels = maxPixels;
  const std::lock_guard<std::mutex> lock(FMutex);
  // The answer still owed comes first: the worker speaks of one picture at a time.
  if (FOutstanding) Receive(*FOutstanding);
  const auto known = FFailures.find(drawing->FDigest);
  if (known != FFailures.end() && (!DependsOnAllowance(known->second.Fault) || maxPixels <= known->second.MaxPixels))
    RefuseMetafile(known->second.Fault);
  if (time.Spent()) RefuseMetafile(TMetafileFault::NoTimeLeft);
  protocol::TRequest request;
  request.Width = uint32_t(width);
  request.Height = uint32_t(height);
  request.MaxPixels = uint64_t(std::min(maxPixels, kMaxPicturePixels));
  request.Bytes = uint32_t(size);
  const auto head = protocol::EncodeRequest(request);
  // A worker that died before it took the request costs the picture nothing: a fresh one
  // gets it once more.
  for (int attempt = 0;; ++attempt) {
    EnsureReady(time);
    const Clock::time_point start = Clock::now();
    drawing->FDeadline = std::min(start + PictureTime(width, height), time.FEnd);
    // A picture cut short by the read's time below what any picture has has not had its own.
    drawing->FCutByRead = drawing->FDeadline - start < kPictureTime;
    const TIo sent = SendAll(FSocket, head.data(), head.size(), data, size, drawing->FDeadline);
    if (sent == TIo::Done) break;
    // The worker is in an unknown state; the next picture finds a fresh one set up, or nearly.
    Stop();
    Spawn();
    // A worker gone before it took the request is as good as none that could be started.
    if (sent == TIo::Failed) {
      if (attempt == 0) continue;
      RefuseMetafile(TMetafileFault::WorkerUnavailable);
    }
    // A picture cut short by the read's time has not had its own.
    if (drawing->FCutByRead) RefuseMetafile(TMetafileFault::NoTimeLeft);
    Remember(drawing->FDigest, TMetafileFault::TimedOut, maxPixels);
    RefuseMetafile(TMetafileFault::TimedOut);
  }
  FOutstanding = drawing;
  return drawing;
}

QImage TMetafileDrawing::Take() { return TMetafileWorker::Instance().Take(*this); }

QImage TMetafileWorker::Take(TMetafileDrawing& drawing) {
  {
    const std::lock_guard<std::mutex> lock(FMutex);
    if (!drawing.FDone && FOutstanding.get() == &drawing) Receive(drawing);
  }
  if (!drawing.FDone) RefuseMetafile(TMetafileFault::WorkerFailed);
  drawing.FDone = false;
  if (drawing.FImage.isNull()) RefuseMetafile(drawing.FFault);
  return std::move(drawing.FImage);
}

// The answer to the drawing the worker owes, kept in it for whoever takes it.
void TMetafileWorker::Receive(TMetafileDrawing& drawing) {
  // Held here while it is heard out: a drawing dropped by its read has no other holder.
  const std::shared_ptr<TMetafileDrawing> owed = std::move(FOutstanding);
  try {
    ReceivePixels(drawing);
  } catch (const EMetafileError& e) {
    TMetafileFault fault = e.Fault();
    // A worker that answered with a reason goes on; any other end of the exchange leaves it
    // in an unknown state.
    if (fault > kLastWorkerFault) {
      Stop();
      Spawn();
    }
    // A picture cut short by the read's time has not had its own.
    if (fault != TMetafileFault::TimedOut || !drawing.FCutByRead) Remember(drawing.FDigest, fault, drawing.FMaxPixels);
    if (fault == TMetafileFault::TimedOut && drawing.FCutByRead) fault = TMetafileFault::NoTimeLeft;
    drawing.FImage = QImage();
    drawing.FFault = fault;
  }
  drawing.FDone = true;
}

void TMetafileWorker::ReceivePixels(TMetafileDrawing& drawing) {
  const auto check = [](TIo io) {
    if (io == TIo::TimedOut) RefuseMetafile(TMetafileFault::TimedOut);
    if (io != TIo::Done) RefuseMetafile(TMetafileFault::WorkerFailed);
  };
  const int width = drawing.FWidth, height = drawing.FHeight;
  protocol::TRequest request;
  request.Width = uint32_t(width);
  request.Height = uint32_t(height);
  uint8_t answerHead[protocol::kAnswerSize];
  TPassedFile pixels;
  check(ReceiveAll(FSocket, answerHead, sizeof answerHead, drawing.FDeadline, &pixels));
  const std::optional<protocol::TAnswer> answer = protocol::DecodeAnswer(answerHead, request);
  if (!answer) RefuseMetafile(TMetafileFault::WorkerFailed);
  if (answer->Fault != 0) RefuseMetafile(static_cast<TMetafileFault>(answer->Fault));
  if (pixels.Get() < 0) RefuseMetafile(TMetafileFault::WorkerFailed);
  QImage image = PassedPixels(pixels.Get(), width, height);
  if (image.isNull()) RefuseMetafile(TMetafileFault::WorkerFailed);
  MakeOpaque(image);
  drawing.FImage = std::move(image);
}

}  // namespace platform
