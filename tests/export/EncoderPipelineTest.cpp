// The encoder's own thread and the spool of drawn frames: order, bounds, errors, and frames
// that come back exactly as drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <atomic>
#include <stdexcept>
#include <stdlib.h>
#include <vector>

#include "export/EncoderThread.h"
#include "export/ExportError.h"
#include "export/FrameSpool.h"

using exporter::TEncoderThread;
using exporter::TExportError;
using exporter::TFrameSpool;

TEST(EncoderThread, RunsJobsInOrderWithAtMostItsCapacityWaiting) {
  std::vector<int> done;
  TEncoderThread thread(3);
  for (int i = 0; i < 200; ++i) thread.Post([&done, i] { done.push_back(i); });
  thread.Finish();
  ASSERT_EQ(done.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(done[i], i);
  EXPECT_LE(thread.MostWaiting(), 3u);
}

TEST(EncoderThread, AFailedJobStopsTheRestAndItsErrorReachesTheCaller) {
  std::atomic<int> ran = 0;
  TEncoderThread thread(2);
  thread.Post([&] { ++ran; });
  thread.Post([] { throw TExportError("Cannot write \"x.mp4\": no space left on the device."); });
  // The failure shows at a later post or at the end, never as success.
  try {
    for (int i = 0; i < 50; ++i) thread.Post([&] { ++ran; });
    thread.Finish();
    FAIL() << "the failure was not reported";
  } catch (const TExportError& error) {
    EXPECT_STREQ(error.what(), "Cannot write \"x.mp4\": no space left on the device.");
  }
  EXPECT_LT(ran.load(), 50);
  EXPECT_THROW(thread.Finish(), TExportError);
}

TEST(EncoderThread, AnExportStoppedHalfWayDropsTheWaitingJobs) {
  std::atomic<int> ran = 0;
  {
    TEncoderThread thread(8);
    for (int i = 0; i < 8; ++i) thread.Post([&] { ++ran; });
  }  // no Finish: the export was stopped
  EXPECT_LE(ran.load(), 8);
}

namespace {

QImage Picture(int seed) {
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(QColor(250, 240, 200));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor::fromHsv(seed * 37 % 360, 200, 220));
  painter.drawEllipse(QPointF(10 + seed % 40, 20), 9.5, 7.25);
  return image;
}

}  // namespace

TEST(FrameSpool, FramesComeBackExactlyAndAStillFrameCostsLittle) {
  TFrameSpool spool(QSize(64, 48), "card.gif", 1 << 20);
  std::vector<QImage> frames;
  for (int i = 0; i < 30; ++i) frames.push_back(Picture(i < 20 ? i : 20));  // the last ten alike
  for (const QImage& frame : frames) EXPECT_TRUE(spool.Add(frame));
  const uint64_t changing = spool.StoredBytes();
  for (const QImage& frame : frames) EXPECT_EQ(spool.Next(), frame);
  EXPECT_THROW(spool.Next(), TExportError);

  TFrameSpool still(QSize(64, 48), "card.gif", 1 << 20);
  for (int i = 0; i < 30; ++i) still.Add(frames[20]);
  EXPECT_LT(still.StoredBytes(), changing / 2);
}

TEST(FrameSpool, FramesPastItsRoomAreRefusedAndTheRoomIsGivenBack) {
  TFrameSpool spool(QSize(64, 48), "card.gif", 3 * 64 * 48 * 4);
  int kept = 0;
  while (spool.Add(Picture(kept))) ++kept;
  EXPECT_GE(kept, 2);
  EXPECT_TRUE(spool.Full());
  EXPECT_EQ(spool.StoredBytes(), 0u);
  EXPECT_FALSE(spool.Add(Picture(0)));
}

TEST(FrameSpool, ATemporaryFolderThatCannotBeUsedIsToldAsSuch) {
  struct TTmpDir {
    const char* Old = getenv("TMPDIR");
    std::string Kept = Old ? Old : "";
    TTmpDir() { setenv("TMPDIR", "/nonexistent/greetix-spool", 1); }
    ~TTmpDir() { Old ? setenv("TMPDIR", Kept.c_str(), 1) : unsetenv("TMPDIR"); }
  } missing;
  try {
    TFrameSpool spool(QSize(8, 8), "card.gif", 1 << 20);
    ADD_FAILURE() << "a spool without a folder was made";
  } catch (const TExportError& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.find("Cannot write \"card.gif\": "), 0u) << message;
    EXPECT_NE(message.find("temporary folder"), std::string::npos) << message;
  }
}
