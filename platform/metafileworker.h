#pragma once
// The program's side of the metafile worker (platform/metafiles/worker.cpp), a small
// executable of ours beside the program's own that draws metafiles where no fault of theirs
// can reach the program. It is started ahead, as the program starts, and kept running for
// the pictures that follow; before each picture it is checked, and one that died or was
// stopped is started again at once, so that no picture pays for an earlier one. A picture has
// PictureTime from its request to its last pixel, and all the pictures of one read share
// kReadTime; a worker that takes longer is killed and the picture is unreadable. Nothing the
// worker answers is taken on trust: a head out of order, another size than the one asked for
// or an answer that stops short count as the worker failing, and it is stopped. Bytes that
// failed in drawing are remembered for as long as the program runs and refused at once.
// A read may send one picture ahead (DrawAhead) and go on while the worker draws it; its
// answer waits on the socket until it is taken, or until the worker is next asked anything.

#include <QByteArray>
#include <QImage>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/types.h>

#include "platform/metafile.h"

namespace platform {

// The time the metafiles of one read (a document, a paste, a library entry, the emblem
// panel) share, from its making: each picture has TMetafileWorker::PictureTime of what is
// left. A worker that could not be started fails the rest of the read at once. The wait for
// a worker still setting up as the read's first metafile comes is the start's, not the
// read's; a worker started again within the read takes of the read's time.
class TMetafileReadTime {
 public:
  TMetafileReadTime();
  // No time left: the pictures still to come are refused with NoTimeLeft.
  bool Spent() const;

 private:
  friend class TMetafileWorker;
  std::chrono::steady_clock::time_point FEnd;
  bool FWorkerUnavailable = false;
  bool FBegun = false;
};

// A metafile sent to the worker ahead of the need for its pixels (TMetafileWorker::DrawAhead).
class TMetafileDrawing {
 public:
  TMetafileDrawing(const TMetafileDrawing&) = delete;
  TMetafileDrawing& operator=(const TMetafileDrawing&) = delete;
  // Waits for the pixels within the picture's time and takes them, once; throws as
  // TMetafileWorker::Draw does.
  QImage Take();

 private:
  friend class TMetafileWorker;
  TMetafileDrawing() = default;
  QByteArray FDigest;
  int FWidth = 0;
  int FHeight = 0;
  long long FMaxPixels = 0;
  std::chrono::steady_clock::time_point FDeadline{};
  // The read left the picture less time than any picture has.
  bool FCutByRead = false;
  bool FDone = false;
  QImage FImage;
  TMetafileFault FFault{};
};

class TMetafileWorker {
 public:
  static constexpr std::chrono::milliseconds kPictureTime{2000};
  static constexpr std::chrono::milliseconds kReadTime{3000};
  // Beside its drawing, a picture's canvas takes time for its memory alone: up to a second
  // on a busy machine at the largest size, which a picture of few records needs as well.
  static constexpr std::chrono::milliseconds kLargestCanvasTime{1000};
  // The time a picture of width × height has, within what is left of its read.
  static std::chrono::milliseconds PictureTime(int width, int height);
  // From the worker's start to its word that it is ready: setting up Qt's fonts and libwmf's
  // takes half a second on a busy machine, and three times that under AddressSanitizer.
  static constexpr std::chrono::milliseconds kStartTime{kAddressSanitized ? 6000 : 2000};
  // After a start that failed, metafiles are refused at once for a while, rather than each
  // read waiting for a start of its own.
  static constexpr std::chrono::milliseconds kRestartPause{5000};
  static constexpr const char* kExecutableName = "brelvonix-metafiles";

  static TMetafileWorker& Instance();
  ~TMetafileWorker();

  // Starts a worker where none runs, without waiting for it to be ready.
  void StartAhead();
  // Stops the worker in use, and the next picture starts the executable at path (the tests'
  // own workers); an empty path returns to the one beside the program.
  void UseExecutable(const std::string& path);

  // The metafile drawn at width × height (its header's size or less), Format_RGB32, within
  // the read's time (a read of its own when none is given). Throws EMetafileError with the
  // worker's reason, or with TimedOut, NoTimeLeft, WorkerUnavailable or WorkerFailed.
  QImage Draw(const uint8_t* data, size_t size, int width, int height, long long maxPixels,
              TMetafileReadTime* read = nullptr);
  // The same request, sent now and drawn while the caller goes on; the bytes are sent before
  // it returns. What Draw refuses before the worker draws (the caps, bytes that failed
  // before, no time left, no worker) is thrown here, the rest by TMetafileDrawing::Take. A
  // drawing not taken is heard out, and dropped, before the worker's next request.
  std::shared_ptr<TMetafileDrawing> DrawAhead(const uint8_t* data, size_t size, int width, int height,
                                              long long maxPixels, TMetafileReadTime* read = nullptr);

  // The worker's process while one runs, else 0; for the tests, which stop it, also while
  // it draws.
  pid_t Process() const { return FProcess; }

 private:
  // Why bytes were not drawn, and the allowance they had where the reason depends on it.
  struct TFailure {
    TMetafileFault Fault;
    long long MaxPixels;
  };

  friend class TMetafileDrawing;
  TMetafileWorker() = default;
  bool Spawn();
  bool Alive();
  void EnsureReady(TMetafileReadTime& read);
  void Stop();
  std::shared_ptr<TMetafileDrawing> Send(const uint8_t* data, size_t size, int width, int height,
                                         long long maxPixels, TMetafileReadTime* read);
  void Receive(TMetafileDrawing& drawing);
  void ReceivePixels(TMetafileDrawing& drawing);
  QImage Take(TMetafileDrawing& drawing);
  void Remember(const QByteArray& digest, TMetafileFault fault, long long maxPixels);

  std::mutex FMutex;
  std::atomic<pid_t> FProcess = 0;
  int FSocket = -1;
  int FStatFile = -1;
  bool FReady = false;
  std::chrono::steady_clock::time_point FStartedAt{};
  std::chrono::steady_clock::time_point FNoStartBefore{};
  std::map<QByteArray, TFailure> FFailures;
  // The drawing whose answer the worker owes.
  std::shared_ptr<TMetafileDrawing> FOutstanding;
  std::string FExecutable;
};

// Where the program looks for the worker: beside its own executable.
std::string MetafileWorkerPath();

}  // namespace platform
