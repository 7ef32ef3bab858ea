// Hostile metafiles against the metafile worker, each made here: the program's process
// survives every one, the picture is refused (or drawn) within the time a picture has, the
// program's memory stays far below a document's picture budget, and the next picture is
// drawn. Also the worker limiting itself, dying in the middle of a picture, and the answers
// the program refuses to believe.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fstream>
#include <future>
#include <string>
#include <sys/resource.h>
#include <thread>

#include "picture_makers.h"
#include "platform/metafile.h"
#include "platform/metafileprotocol.h"
#include "platform/metafileworker.h"
#include "platform/picture.h"

using namespace platform;
using namespace picture_makers;
using Clock = std::chrono::steady_clock;

namespace {

// What the program may hold at the most after all of them: a document's picture budget.
constexpr long kProgramPeakKiB = 512 * 1024;

std::vector<uint8_t> SoundEmf() { return MakeEmf(0, 0, 99, 99, {{MetafileShape::Rectangle, 20, 20, 80, 80, 0x0000FF}}); }

void ExpectNextPictureDrawn() {
  const std::vector<uint8_t> emf = SoundEmf();
  const QImage image = DecodeMetafile(emf.data(), emf.size());
  ASSERT_EQ(image.size(), QSize(100, 100));
  EXPECT_EQ(image.pixel(50, 50), 0xFFFF0000u);
  EXPECT_EQ(image.pixel(10, 10), 0xFFFFFFFFu);
}

// The fault of one decode and how long it took; no fault when drawn.
struct TOutcome {
  std::optional<TMetafileFault> fault;
  std::chrono::milliseconds took;
};

TOutcome Decode(const std::vector<uint8_t>& bytes) {
  const Clock::time_point start = Clock::now();
  TOutcome outcome;
  try {
    DecodeMetafile(bytes.data(), bytes.size());
  } catch (const EMetafileError& e) {
    outcome.fault = e.Fault();
  }
  outcome.took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  return outcome;
}

// ExtTextOutA or W of only its bounds: libemf2svg would read the text's options and
// strings from the records behind it.
std::vector<uint8_t> ShortTextOut(uint32_t type) {
  return MakeEmfOfRecords(0, 0, 99, 99, {EmfRecordOf(type, {0, 0, 99, 99}), EmfRecordOf(24, {0})});
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// An info header of a bitmap of width × height, its bits counted, compressed as given.
std::vector<uint8_t> InfoHeader(uint32_t width, uint32_t height, uint16_t bitCount, uint32_t compression,
                                uint32_t bitsSize, uint32_t colours) {
  std::vector<uint8_t> h;
  for (uint32_t v : {40u, width, height}) Put32(h, v);
  Put32(h, 1u | uint32_t(bitCount) << 16);  // planes, bits per pixel
  for (uint32_t v : {compression, bitsSize, 0u, 0u, colours, 0u}) Put32(h, v);
  return h;
}

// StretchDIBits records, each drawing the same PNG-coded bitmap into the picture.
std::vector<uint8_t> PngBitmaps(const std::vector<uint8_t>& png, int width, int height, int count) {
  constexpr uint32_t kPng = 5, kSourceCopy = 0x00CC0020, kHeaderAt = 80, kBitsAt = kHeaderAt + 40;
  std::vector<uint8_t> tail = InfoHeader(uint32_t(width), uint32_t(height), 0, kPng, uint32_t(png.size()), 0);
  tail.insert(tail.end(), png.begin(), png.end());
  while (tail.size() % 4) tail.push_back(0);
  std::vector<std::vector<uint8_t>> records;
  for (int i = 0; i < count; ++i)
    records.push_back(EmfRecordOf(81, {0, 0, 99, 99, 0, 0, 0, 0, uint32_t(width), uint32_t(height), kHeaderAt, 40,
                                       kBitsAt, uint32_t(png.size()), 0, kSourceCopy, 100, 100},
                                  tail));
  return MakeEmfOfRecords(0, 0, 99, 99, records);
}

// The PNG with its header claiming another size; nothing else of it changes.
std::vector<uint8_t> PngClaiming(std::vector<uint8_t> png, uint32_t width, uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    png[16 + size_t(i)] = uint8_t(width >> (24 - 8 * i));
    png[20 + size_t(i)] = uint8_t(height >> (24 - 8 * i));
  }
  return png;
}

std::vector<uint8_t> NestedSaves(int saves) {
  std::vector<std::vector<uint8_t>> records(size_t(saves), WmfRecordOf(0x001E, {}));
  return MakePlaceableWmfOfRecords(0, 0, 100, 100, 0, records);
}

// StretchDIB of an 8-bit run-length coded bitmap that claims width × height and holds only
// its end: what libwmf allocates is what it claims.
std::vector<uint8_t> RunLengthBitmap(int width, int height) {
  constexpr uint32_t kRle8 = 1;
  std::vector<uint8_t> dib = InfoHeader(uint32_t(width), uint32_t(height), 8, kRle8, 2, 256);
  for (int i = 0; i < 256; ++i) Put32(dib, uint32_t(i) * 0x010101u);
  dib.push_back(0);  // end of the bitmap
  dib.push_back(1);
  return MakePlaceableWmfOfRecords(
      0, 0, 100, 100, 0, {WmfRecordOf(0x0F43, {0x0020, 0x00CC, 0, height, width, 0, 0, 100, 100, 0, 0}, dib)});
}

// An end record two words longer than its head, and behind it a StretchDIB whose bitmap
// header says it is no bytes long: libwmf reads on past such an end record, and would skip
// that header's length less 40 bytes, 2^64 - 40 of them.
std::vector<uint8_t> RecordsPastALongEndRecord() {
  std::vector<uint8_t> dib = InfoHeader(2, 2, 24, 0, 16, 0);
  dib[0] = 0;
  dib.resize(dib.size() + 16, 0);
  return MakePlaceableWmfOfRecords(
      0, 0, 100, 100, 0,
      {WmfRecordOf(0, {0, 0}), WmfRecordOf(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0}, dib)});
}

uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// A sound 8 × 8 PNG of one colour whose base64 form, which the converter writes into the
// SVG's image data as it is, holds "1inf5": a private chunk behind the header carries the
// bytes, shifted until they fall on the base64 groups that spell it.
std::vector<uint8_t> PngWithInfInItsBase64(QRgb colour) {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(colour);
  const std::vector<uint8_t> png = EncodeWithQt(image, "png");
  constexpr size_t kBehindHeader = 8 + 25;  // the signature and the IHDR chunk
  const QByteArray spelled = QByteArray::fromBase64("01inf5AA");
  for (int shift = 0; shift < 3; ++shift) {
    std::vector<uint8_t> chunk{'p', 'r', 'V', 't'};
    chunk.insert(chunk.end(), size_t(shift), 'x');
    chunk.insert(chunk.end(), spelled.begin(), spelled.end());
    const uint32_t length = uint32_t(chunk.size() - 4), crc = Crc32(chunk.data(), chunk.size());
    std::vector<uint8_t> whole(png.begin(), png.begin() + kBehindHeader);
    for (int i = 3; i >= 0; --i) whole.push_back(uint8_t(length >> (8 * i)));
    whole.insert(whole.end(), chunk.begin(), chunk.end());
    for (int i = 3; i >= 0; --i) whole.push_back(uint8_t(crc >> (8 * i)));
    whole.insert(whole.end(), png.begin() + kBehindHeader, png.end());
    const QByteArray base64 = QByteArray(reinterpret_cast<const char*>(whole.data()), qsizetype(whole.size())).toBase64();
    if (base64.contains("1inf5")) return whole;
  }
  ADD_FAILURE() << "no shift spells it";
  return png;
}

// A worker that starts and never says it is ready.
struct TSilentWorker {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("silent-worker"));
  TSilentWorker() {
    QFile script(path);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 60\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TMetafileWorker::Instance().UseExecutable(path.toStdString());
  }
  ~TSilentWorker() { TMetafileWorker::Instance().UseExecutable({}); }
};

// Waits until the process has ended (a zombie nobody has reaped yet, or gone).
void AwaitEnd(pid_t pid) {
  for (int i = 0; i < 500; ++i) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string fields;
    if (!std::getline(stat, fields) || fields.find(") Z") != std::string::npos) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ADD_FAILURE() << "the worker did not end";
}

long ProgramPeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(MetafileWorker, HostileFilesAreRefusedQuicklyAndTheNextPictureIsDrawn) {
  ExpectNextPictureDrawn();  // the worker runs before anything is timed
  QImage white(2048, 2048, QImage::Format_RGB32);
  white.fill(Qt::white);
  const std::vector<uint8_t> png = EncodeWithQt(white, "png");
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    TMetafileFault fault;
  } cases[] = {
      {"ExtTextOutW of 24 bytes", ShortTextOut(84), TMetafileFault::Damaged},
      {"ExtTextOutA of 24 bytes", ShortTextOut(83), TMetafileFault::Damaged},
      {"PNG bitmaps of 4 Mpx, eight times", PngBitmaps(png, 2048, 2048, 8), TMetafileFault::BitmapTooLarge},
      {"a PNG bitmap larger than its header says", PngBitmaps(PngClaiming(png, 8192, 8192), 8, 8, 1),
       TMetafileFault::BitmapTooLarge},
      {"100000 nested SaveDC", NestedSaves(100000), TMetafileFault::TooDeep},
      {"RLE8 bitmap claiming 16384 x 4096", RunLengthBitmap(16384, 4096), TMetafileFault::BitmapTooLarge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TOutcome outcome = Decode(c.bytes);
    ASSERT_TRUE(outcome.fault) << "drawn";
    EXPECT_EQ(*outcome.fault, c.fault) << MetafileFaultText(*outcome.fault);
    EXPECT_LT(outcome.took.count(), 1000) << "refused only after " << outcome.took.count() << " ms";
    ExpectNextPictureDrawn();
  }
  // One such bitmap is within what a metafile may hold, and is drawn.
  const TOutcome one = Decode(PngBitmaps(png, 2048, 2048, 1));
  EXPECT_FALSE(one.fault) << MetafileFaultText(*one.fault);
  // Nothing behind the end record is read.
  const TOutcome past = Decode(RecordsPastALongEndRecord());
  EXPECT_FALSE(past.fault) << MetafileFaultText(*past.fault);
  EXPECT_LT(past.took.count(), 1000);
  EXPECT_LT(ProgramPeakKiB(), kProgramPeakKiB);
}

TEST(MetafileWorker, APictureThatTakesTooLongIsGivenUpAtTheTimeBound) {
  ExpectNextPictureDrawn();
  const pid_t drawing = TMetafileWorker::Instance().Process();
  // 2000 fills of 64 Mpx each: half a minute of drawing.
  const TOutcome outcome = Decode(FullCanvasFills(8192, 2000));
  ASSERT_TRUE(outcome.fault);
  EXPECT_EQ(*outcome.fault, TMetafileFault::TimedOut);
  // The largest canvas has its time beside the drawing's, within the three seconds of a read.
  EXPECT_EQ(TMetafileWorker::PictureTime(8192, 8192), std::chrono::milliseconds(3000));
  EXPECT_EQ(TMetafileWorker::PictureTime(100, 100), TMetafileWorker::kPictureTime);
  EXPECT_GE(outcome.took, TMetafileWorker::kReadTime);
  EXPECT_LT(outcome.took, TMetafileWorker::kReadTime + std::chrono::milliseconds(1500));
  EXPECT_NE(TMetafileWorker::Instance().Process(), drawing) << "the worker was killed";
  EXPECT_NE(::kill(drawing, 0), 0) << "and is gone";
  EXPECT_GT(TMetafileWorker::Instance().Process(), 0) << "another sets up for the next picture";
  ExpectNextPictureDrawn();
  // The same bytes again: refused at once, in any later read.
  const TOutcome again = Decode(FullCanvasFills(8192, 2000));
  ASSERT_TRUE(again.fault);
  EXPECT_EQ(*again.fault, TMetafileFault::TimedOut);
  EXPECT_LT(again.took.count(), 100);
  EXPECT_LT(ProgramPeakKiB(), kProgramPeakKiB);
}

// Ten pictures that each take too long, in one read: the read's time bounds them all, the
// first has its own time, the rest what is left and then none.
TEST(MetafileWorker, TheMetafilesOfOneReadShareItsTime) {
  ExpectNextPictureDrawn();
  TMetafileReadTime read;
  const Clock::time_point start = Clock::now();
  std::vector<TMetafileFault> faults;
  for (int i = 0; i < 10; ++i) {
    const std::vector<uint8_t> slow = FullCanvasFills(8192, 2100 + i);
    try {
      DecodeMetafile(slow.data(), slow.size(), kMaxPicturePixels, &read);
      ADD_FAILURE() << "drawn";
    } catch (const EMetafileError& e) {
      faults.push_back(e.Fault());
    }
  }
  const auto took = Clock::now() - start;
  EXPECT_GE(took, TMetafileWorker::kReadTime - std::chrono::milliseconds(50));
  // The margin is the worker's killing and freeing a canvas of the largest size, measured
  // on a machine as busy as a full test run makes it.
  EXPECT_LT(took, TMetafileWorker::kReadTime + std::chrono::milliseconds(1500));
  ASSERT_EQ(faults.size(), 10u);
  EXPECT_EQ(faults[0], TMetafileFault::TimedOut);
  for (size_t i = 1; i < faults.size(); ++i) EXPECT_EQ(faults[i], TMetafileFault::NoTimeLeft) << i;
  EXPECT_TRUE(read.Spent());
  // What had no time of its own is not held against it: the second picture, in a read of
  // its own, takes its whole time again.
  const TOutcome second = Decode(FullCanvasFills(8192, 2101));
  EXPECT_EQ(second.fault, TMetafileFault::TimedOut);
  EXPECT_GE(second.took, TMetafileWorker::kPictureTime);
  ExpectNextPictureDrawn();
}

TEST(MetafileWorker, AWorkerThatDiedWhileIdleCostsNoPicture) {
  ExpectNextPictureDrawn();
  const pid_t idle = TMetafileWorker::Instance().Process();
  ASSERT_GT(idle, 0);
  ::kill(idle, SIGKILL);
  AwaitEnd(idle);
  ExpectNextPictureDrawn();
  EXPECT_NE(TMetafileWorker::Instance().Process(), idle);
  EXPECT_FALSE(std::ifstream("/proc/" + std::to_string(idle) + "/stat")) << "the dead worker was reaped";
}

// A worker that never says it is ready costs a read the start bound once; the read's other
// pictures are refused at once, and so is the next read while the pause lasts.
TEST(MetafileWorker, ASilentWorkerCostsAReadTheStartBoundOnce) {
  const std::vector<uint8_t> emf = SoundEmf();
  const TSilentWorker silent;
  for (int readIndex = 0; readIndex < 2; ++readIndex) {
    SCOPED_TRACE(readIndex);
    TMetafileReadTime read;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < 5; ++i) {
      try {
        DecodeMetafile(emf.data(), emf.size(), kMaxPicturePixels, &read);
        ADD_FAILURE() << "drawn";
      } catch (const EMetafileError& e) {
        EXPECT_EQ(e.Fault(), TMetafileFault::WorkerUnavailable);
      }
    }
    EXPECT_LT(Clock::now() - start, TMetafileWorker::kStartTime + std::chrono::milliseconds(500));
  }
}

TEST(MetafileWorker, StartedAheadTheWorkerIsReadyForTheFirstPicture) {
  TMetafileWorker::Instance().UseExecutable({});  // stops the worker that ran
  TMetafileWorker::Instance().StartAhead();
  EXPECT_GT(TMetafileWorker::Instance().Process(), 0) << "started without a picture";
  std::this_thread::sleep_for(TMetafileWorker::kStartTime);
  const Clock::time_point start = Clock::now();
  ExpectNextPictureDrawn();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
}

// A sound bitmap whose image data in the SVG holds "inf" is drawn: only numbers are checked.
TEST(MetafileWorker, ABitmapWhoseDataSpellsInfIsDrawn) {
  const std::vector<uint8_t> emf = PngBitmaps(PngWithInfInItsBase64(0xFF0000FFu), 8, 8, 1);
  const TOutcome outcome = Decode(emf);
  EXPECT_FALSE(outcome.fault) << MetafileFaultText(*outcome.fault);
  const QImage image = DecodeMetafile(emf.data(), emf.size());
  EXPECT_EQ(image.pixel(50, 50), 0xFF0000FFu);
}

TEST(MetafileWorker, AWorkerKilledInTheMiddleOfAPictureFailsOnlyThatPicture) {
  ExpectNextPictureDrawn();
  const pid_t first = TMetafileWorker::Instance().Process();
  ASSERT_GT(first, 0);
  // Other bytes than the picture that timed out, which is refused at once from then on.
  auto slow = std::async(std::launch::async, [] { return Decode(FullCanvasFills(8192, 1999)); });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ::kill(first, SIGKILL);
  const TOutcome outcome = slow.get();
  ASSERT_TRUE(outcome.fault);
  EXPECT_EQ(*outcome.fault, TMetafileFault::WorkerFailed);
  EXPECT_LT(outcome.took, TMetafileWorker::kPictureTime);
  ExpectNextPictureDrawn();
  EXPECT_NE(TMetafileWorker::Instance().Process(), first) << "a new worker draws";
}

// A picture sent ahead is drawn while the program goes on and taken once; one nobody takes
// is heard out before the worker's next request, and one whose worker dies fails alone.
TEST(MetafileWorker, APictureSentAheadIsTakenOnceAndNeverAnswersForAnother) {
  ExpectNextPictureDrawn();
  TMetafileWorker& worker = TMetafileWorker::Instance();
  const std::vector<uint8_t> blue = MakeEmf(0, 0, 49, 49, {{MetafileShape::Rectangle, 0, 0, 50, 50, 0xFF0000}});
  const std::shared_ptr<TMetafileDrawing> ahead = worker.DrawAhead(blue.data(), blue.size(), 50, 50, kMaxPicturePixels);
  const QImage taken = ahead->Take();
  ASSERT_EQ(taken.size(), QSize(50, 50));
  EXPECT_EQ(taken.pixel(25, 25), 0xFF0000FFu);
  try {
    ahead->Take();
    ADD_FAILURE() << "taken twice";
  } catch (const EMetafileError& e) {
    EXPECT_EQ(e.Fault(), TMetafileFault::WorkerFailed);
  }
  // Dropped untaken, its answer does not pass for the next picture's.
  worker.DrawAhead(blue.data(), blue.size(), 50, 50, kMaxPicturePixels);
  ExpectNextPictureDrawn();
  // Its worker killed while it draws: that picture fails, other bytes than it are drawn.
  const std::vector<uint8_t> slow = FullCanvasFills(8192, 1998);
  const std::shared_ptr<TMetafileDrawing> dying = worker.DrawAhead(slow.data(), slow.size(), 8192, 8192, kMaxPicturePixels);
  const pid_t drawing = worker.Process();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ::kill(drawing, SIGKILL);
  try {
    dying->Take();
    ADD_FAILURE() << "drawn";
  } catch (const EMetafileError& e) {
    EXPECT_EQ(e.Fault(), TMetafileFault::WorkerFailed);
  }
  ExpectNextPictureDrawn();
  EXPECT_NE(worker.Process(), drawing);
}

TEST(MetafileWorker, TheWorkerLimitsItsAddressSpaceAndProcessorTime) {
  // Core files on, as a user may have them, for the worker started next.
  rlimit coreFiles{};
  ASSERT_EQ(::getrlimit(RLIMIT_CORE, &coreFiles), 0);
  coreFiles.rlim_cur = coreFiles.rlim_max;
  ASSERT_EQ(::setrlimit(RLIMIT_CORE, &coreFiles), 0);
  TMetafileWorker::Instance().UseExecutable({});
  ExpectNextPictureDrawn();
  std::ifstream limits("/proc/" + std::to_string(TMetafileWorker::Instance().Process()) + "/limits");
  std::string line, space, cpu, core;
  while (std::getline(limits, line)) {
    if (line.rfind("Max address space", 0) == 0) space = line;
    if (line.rfind("Max core file size", 0) == 0) core = line;
    if (line.rfind("Max cpu time", 0) == 0) cpu = line;
  }
  ASSERT_FALSE(space.empty());
  EXPECT_EQ(space.find("unlimited"), std::string::npos) << space;
  // The soft limit of processor time is set for the picture last drawn.
  EXPECT_NE(cpu.substr(0, 40).find_first_of("0123456789"), std::string::npos) << cpu;
  // No core file of a worker that a picture ends.
  EXPECT_NE(core.find(" 0 "), std::string::npos) << core;
  EXPECT_EQ(core.find("unlimited"), std::string::npos) << core;
}

TEST(MetafileWorker, AnswersOutOfOrderAreNotBelieved) {
  namespace protocol = platform::metafile_protocol;
  protocol::TRequest request;
  request.Width = 100;
  request.Height = 50;
  request.MaxPixels = 5000;
  request.Bytes = 200;
  const auto answer = [&](uint32_t fault, uint32_t width, uint32_t height) {
    protocol::TAnswer a;
    a.Fault = fault;
    a.Width = width;
    a.Height = height;
    return protocol::EncodeAnswer(a);
  };
  EXPECT_TRUE(protocol::DecodeAnswer(answer(0, 100, 50).data(), request));
  EXPECT_TRUE(protocol::DecodeAnswer(answer(uint32_t(kLastWorkerFault), 0, 0).data(), request));
  EXPECT_FALSE(protocol::DecodeAnswer(answer(0, 100, 51).data(), request)) << "another size";
  EXPECT_FALSE(protocol::DecodeAnswer(answer(0, 0x10000, 0x10000).data(), request)) << "a huge size";
  EXPECT_FALSE(protocol::DecodeAnswer(answer(uint32_t(TMetafileFault::TimedOut), 0, 0).data(), request))
      << "a fault only the program gives";
  EXPECT_FALSE(protocol::DecodeAnswer(answer(0xFFFFFFFF, 0, 0).data(), request));
  auto wrongMagic = answer(0, 100, 50);
  wrongMagic[0] ^= 1;
  EXPECT_FALSE(protocol::DecodeAnswer(wrongMagic.data(), request));
  // And the worker's side: requests beyond the caps.
  const auto requestOf = [](uint32_t width, uint32_t height, uint64_t maxPixels, uint32_t bytes) {
    protocol::TRequest r;
    r.Width = width;
    r.Height = height;
    r.MaxPixels = maxPixels;
    r.Bytes = bytes;
    return protocol::EncodeRequest(r);
  };
  EXPECT_TRUE(protocol::DecodeRequest(requestOf(100, 50, 5000, 200).data()));
  EXPECT_FALSE(protocol::DecodeRequest(requestOf(100, 50, 5000, 0).data()));
  EXPECT_FALSE(protocol::DecodeRequest(requestOf(100, 50, 5000, uint32_t(kMaxPictureFileBytes)).data()));
  EXPECT_FALSE(protocol::DecodeRequest(requestOf(16385, 1, 5000, 200).data()));
  EXPECT_FALSE(protocol::DecodeRequest(requestOf(100, 50, uint64_t(kMaxPicturePixels) + 1, 200).data()));
}

}  // namespace

// A worker of the test's own that answers every request as drawn, with the pixels it makes
// in `pixels` (Python: fd, w and h are given, a descriptor to pass or None is wanted).
struct TFakeWorker {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("fake-worker"));
  explicit TFakeWorker(const char* pixels) {
    QFile script(path);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/usr/bin/python3\n"
        "import fcntl, os, socket, struct\n"
        "s = socket.socket(fileno=3)\n"
        "s.sendall(struct.pack('<II', 0x52464D42, 2))\n"
        "def take(n):\n"
        "    b = b''\n"
        "    while len(b) < n:\n"
        "        c = s.recv(n - len(b))\n"
        "        if not c: raise SystemExit\n"
        "        b += c\n"
        "    return b\n"
        "SEALS = fcntl.F_SEAL_SHRINK | fcntl.F_SEAL_GROW | fcntl.F_SEAL_WRITE\n"
        "def memory(size, pixel, seals):\n"
        "    fd = os.memfd_create('p', os.MFD_ALLOW_SEALING)\n"
        "    os.write(fd, pixel * (size // 4))\n"
        "    if seals: fcntl.fcntl(fd, fcntl.F_ADD_SEALS, seals)\n"
        "    return fd\n"
        "while True:\n"
        "    magic, w, h, low, high, n = struct.unpack('<IIIIII', take(24))\n"
        "    take(n)\n");
    script.write(pixels);
    script.write(
        "\n"
        "    answer = struct.pack('<IIII', 0x41464D42, 0, w, h)\n"
        "    if fd is None: s.sendall(answer)\n"
        "    else: socket.send_fds(s, [answer], [fd])\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TMetafileWorker::Instance().UseExecutable(path.toStdString());
  }
  ~TFakeWorker() { TMetafileWorker::Instance().UseExecutable({}); }
};

// Pixels are believed only in a memory file the worker can no longer change, of the answer's
// size exactly; pixels that claim to be see-through are made opaque.
TEST(MetafileWorker, PixelsAreTakenOnlyFromASealedFileOfTheirSize) {
  const struct {
    const char* name;
    const char* pixels;
    bool drawn;
  } cases[] = {
      {"sealed, see-through pixels", "    fd = memory(w * h * 4, b'\\x11\\x22\\x33\\x00', SEALS)", true},
      {"no file", "    fd = None", false},
      {"a file still writable", "    fd = memory(w * h * 4, b'\\x11\\x22\\x33\\xff', 0)", false},
      {"may still shrink", "    fd = memory(w * h * 4, b'\\x11\\x22\\x33\\xff', fcntl.F_SEAL_GROW | fcntl.F_SEAL_WRITE)",
       false},
      {"a row short", "    fd = memory(w * (h - 1) * 4, b'\\x11\\x22\\x33\\xff', SEALS)", false},
      {"a row more", "    fd = memory(w * (h + 1) * 4, b'\\x11\\x22\\x33\\xff', SEALS)", false},
      {"a file on disc", "    fd = os.open('/proc/self/exe', os.O_RDONLY)", false},
      {"a device", "    fd = os.open('/dev/zero', os.O_RDONLY)", false},
  };
  uint32_t colour = 0x000010;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TFakeWorker fake(c.pixels);
    // Bytes of their own for each case, since bytes that failed are refused from then on.
    const std::vector<uint8_t> emf = MakeEmf(0, 0, 9, 9, {{MetafileShape::Rectangle, 0, 0, 5, 5, colour++}});
    try {
      const QImage image = DecodeMetafile(emf.data(), emf.size());
      ASSERT_TRUE(c.drawn);
      ASSERT_EQ(image.size(), QSize(10, 10));
      const auto* pixel = reinterpret_cast<const uint32_t*>(image.constBits());
      for (int i = 0; i < 100; ++i) ASSERT_EQ(pixel[i], 0xFF332211u) << i;
    } catch (const EMetafileError& e) {
      EXPECT_FALSE(c.drawn) << MetafileFaultText(e.Fault());
      EXPECT_EQ(e.Fault(), TMetafileFault::WorkerFailed);
    }
  }
  ExpectNextPictureDrawn();
}
