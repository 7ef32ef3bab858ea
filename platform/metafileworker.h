#pragma once
// The program's side of the metafile worker (platform/metafiles/worker.cpp), a small
// executable of ours beside the program's own that draws metafiles where no fault of theirs
// can reach the program. It is started on first need and kept running for the pictures that
// follow; one that died or was stopped is started again for the next picture. A picture has
// kPictureTime from its request to its last pixel; a worker that takes longer is killed and
// the picture is unreadable. Nothing the worker answers is taken on trust: a head out of
// order, another size than the one asked for or an answer that stops short count as the
// worker failing, and it is stopped.

#include <QImage>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <sys/types.h>

namespace platform {

class TMetafileWorker {
 public:
  static constexpr std::chrono::milliseconds kPictureTime{2000};
  // Setting up Qt's fonts and libwmf's, once per worker.
  static constexpr std::chrono::milliseconds kStartTime{10000};
  // After a start that failed, metafiles are refused at once for a while, rather than each
  // of them waiting for a start of its own.
  static constexpr std::chrono::milliseconds kRestartPause{5000};
  static constexpr const char* kExecutableName = "brelvonix-metafiles";

  static TMetafileWorker& Instance();
  ~TMetafileWorker();

  // The metafile drawn at width × height (its header's size or less), Format_RGB32. Throws
  // EMetafileError with the worker's reason, or with TimedOut, WorkerUnavailable or
  // WorkerFailed.
  QImage Draw(const uint8_t* data, size_t size, int width, int height, long long maxPixels);

  // The worker's process while one runs, else 0; for the tests, which stop it, also while
  // it draws.
  pid_t Process() const { return process_; }

 private:
  TMetafileWorker() = default;
  bool Start();
  void Stop();
  QImage Exchange(const uint8_t* data, size_t size, int width, int height, long long maxPixels);

  std::mutex mutex_;
  std::atomic<pid_t> process_ = 0;
  int socket_ = -1;
  std::chrono::steady_clock::time_point noStartBefore_{};
};

// Where the program looks for the worker: beside its own executable.
std::string MetafileWorkerPath();

}  // namespace platform
