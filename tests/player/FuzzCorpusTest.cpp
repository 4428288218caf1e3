// The fuzzer's corpus as a regression test: every input kept there (seeds and inputs that
// once crashed or hung the player) is played and drawn again.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "fuzz/PlayEveryFrame.h"

TEST(FuzzCorpus, EveryKeptInputPlaysToTheEnd) {
  const QDir corpus(PLAYER_FUZZ_CORPUS);
  const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(names.isEmpty()) << PLAYER_FUZZ_CORPUS;
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    QFile file(corpus.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    playerfuzz::PlayEveryFrame(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               static_cast<size_t>(bytes.size()));
  }
}
