// The fuzzer's corpus as a regression test: every input kept there (seeds and inputs that
// once crashed or hung the player) is played and drawn again. Inputs that take the player to
// its limits (seconds each under the fuzzer's instrumentation) are kept in slow/: replayed
// here, but not handed to the fuzzer as seeds, which they would slow to a crawl.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "fuzz/PlayEveryFrame.h"

namespace {

void PlayEveryInputIn(const QString& folder) {
  const QDir corpus(folder);
  const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(names.isEmpty()) << folder.toStdString();
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    QFile file(corpus.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    playerfuzz::PlayEveryFrame(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               static_cast<size_t>(bytes.size()));
  }
}

}  // namespace

TEST(FuzzCorpus, EveryKeptInputPlaysToTheEnd) {
  PlayEveryInputIn(PLAYER_FUZZ_CORPUS);
  PlayEveryInputIn(PLAYER_FUZZ_SLOW_INPUTS);
}
