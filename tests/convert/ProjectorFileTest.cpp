#include "ConvertTestFiles.h"

#include "convert/ProjectorFile.h"
#include "platform/PlatformError.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Platform::TPlatformError;

namespace {

class ProjectorFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    Projector = Folder.filePath("FlashPla.exe");
    Movie = Folder.filePath("card.swf");
    ASSERT_TRUE(WriteFile(Projector, Pattern(1000000, 1)));
    ASSERT_TRUE(QFile::setPermissions(Projector, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                     QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                     QFileDevice::ExeOther));
    ASSERT_TRUE(WriteFile(Movie, TestMovie(5000, 2)));
  }
  QString Path(const char* name) const { return Folder.filePath(name); }
  // Only the files the test made: no temporary names left behind.
  QStringList Files() const { return QDir(Folder.path()).entryList(QDir::Files, QDir::Name); }

  QTemporaryDir Folder;
  QString Projector;
  QString Movie;
};

} // namespace

TEST_F(ProjectorFileTest, MovieAndTrailerFollowTheProjectorAndComeBackUnchanged) {
  SwfToExe(Projector, Movie, Path("card.exe"));
  const QByteArray exe = ReadFile(Path("card.exe"));
  ASSERT_EQ(exe.size(), 1005008);
  EXPECT_EQ(exe.left(1000000), Pattern(1000000, 1));
  EXPECT_EQ(exe.mid(1000000, 5000), TestMovie(5000, 2));
  EXPECT_EQ(exe.right(8), QByteArray::fromHex("563412FA88130000"));
  // A converted card runs as the projector does.
  EXPECT_TRUE(QFile::permissions(Path("card.exe")) & QFileDevice::ExeOwner);
  EXPECT_TRUE(QFile::permissions(Path("card.exe")) & QFileDevice::ExeOther);

  ExeToSwf(Path("card.exe"), Path("back.swf"));
  EXPECT_EQ(ReadFile(Path("back.swf")), TestMovie(5000, 2));
  EXPECT_EQ(Files(), (QStringList{"FlashPla.exe", "back.swf", "card.exe", "card.swf"}));
}

TEST_F(ProjectorFileTest, ConvertingAgainReplacesTheTarget) {
  SwfToExe(Projector, Movie, Path("card.exe"));
  ASSERT_TRUE(WriteFile(Movie, TestMovie(30, 3)));
  SwfToExe(Projector, Movie, Path("card.exe"));
  EXPECT_EQ(ReadFile(Path("card.exe")).size(), 1000000 + 30 + 8);
  ExeToSwf(Path("card.exe"), Path("back.swf"));
  EXPECT_EQ(ReadFile(Path("back.swf")), TestMovie(30, 3));
}

TEST_F(ProjectorFileTest, AnExecutableWithoutAValidTrailerIsUnknownAndWritesNothing) {
  ASSERT_TRUE(WriteFile(Path("old.swf"), "old movie"));
  ASSERT_TRUE(WriteFile(Path("zeros.exe"), QByteArray(8, '\0')));
  ASSERT_TRUE(WriteFile(Path("short.exe"), QByteArray::fromHex("563412")));
  ASSERT_TRUE(WriteFile(Path("empty.exe"), {}));
  // The magic is right but the stored length reaches past the start of the file.
  ASSERT_TRUE(WriteFile(Path("long.exe"), Pattern(100, 5) + QByteArray::fromHex("563412FA65000000")));
  for (const QString& source : {Projector, Path("zeros.exe"), Path("short.exe"),
                                Path("empty.exe"), Path("long.exe"), QString("/bin/true")}) {
    SCOPED_TRACE(source.toStdString());
    for (const char* target : {"new.swf", "old.swf"}) {
      try {
        ExeToSwf(source, Path(target));
        ADD_FAILURE() << "converted";
      } catch (const TUnknownExecutableError& error) {
        EXPECT_STREQ(error.what(), "Unknown type of executable flash file!");
      }
    }
  }
  EXPECT_EQ(ReadFile(Path("new.swf")), "<missing>");
  EXPECT_EQ(ReadFile(Path("old.swf")), "old movie");
}

TEST_F(ProjectorFileTest, OnlyAWholeMovieIsTakenFromBehindTheProgram) {
  const auto carrying = [](const QByteArray& program, const QByteArray& movie) {
    QByteArray trailer = QByteArray::fromHex("563412FA");
    for (int shift = 0; shift < 32; shift += 8)
      trailer += char((movie.size() >> shift) & 0xFF);
    return program + movie + trailer;
  };
  const QByteArray movie = TestMovie(600, 7);
  QByteArray versionZero = movie;
  versionZero[3] = 0;
  QByteArray longer = movie;
  longer[4] = char(movie.size() + 1); // the header claims a byte more than there is
  const QByteArray program = Pattern(300, 6);
  const QList<std::pair<const char*, QByteArray>> refused = {
      {"nothing", carrying(program, {})},
      {"a shell script", carrying(program, "#!/bin/sh\nrm -rf \"$HOME/cards\"\n")},
      {"the program itself", carrying({}, program)},
      {"a cut movie", carrying(program, movie.left(400))},
      {"a header longer than the movie", carrying(program, longer)},
      {"version 0", carrying(program, versionZero)},
      {"a cut compressed movie", carrying(program, CompressedMovie(movie).chopped(20))},
      {"the signature alone", carrying(program, "FWS")},
  };
  ASSERT_TRUE(WriteFile(Path("old.swf"), "old movie"));
  for (const auto& [what, exe] : refused) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(WriteFile(Path("bad.exe"), exe));
    for (const char* target : {"new.swf", "old.swf"}) {
      try {
        ExeToSwf(Path("bad.exe"), Path(target));
        ADD_FAILURE() << "converted";
      } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString(error.what()).contains("bad.exe")) << error.what();
        EXPECT_TRUE(QString(error.what()).contains("not a complete SWF movie")) << error.what();
      }
    }
    EXPECT_EQ(ReadFile(Path("new.swf")), "<missing>");
    EXPECT_EQ(ReadFile(Path("old.swf")), "old movie");
  }

  // Whole movies, plain and compressed, with a program in front or filling the file.
  for (const QByteArray& whole : {movie, CompressedMovie(movie)}) {
    for (const QByteArray& front : {program, QByteArray()}) {
      ASSERT_TRUE(WriteFile(Path("good.exe"), carrying(front, whole)));
      ExeToSwf(Path("good.exe"), Path("good.swf"));
      EXPECT_EQ(ReadFile(Path("good.swf")), whole);
    }
  }
}

TEST_F(ProjectorFileTest, AMissingSourceStopsBeforeTheTargetIsTouched) {
  ASSERT_TRUE(WriteFile(Path("kept.exe"), "earlier result"));
  EXPECT_THROW(SwfToExe(Path("no-projector.exe"), Movie, Path("new.exe")), TPlatformError);
  EXPECT_THROW(SwfToExe(Projector, Path("no-movie.swf"), Path("kept.exe")), TPlatformError);
  EXPECT_THROW(SwfToExe(Projector, Folder.path(), Path("kept.exe")), TPlatformError);
  EXPECT_THROW(ExeToSwf(Path("no-program.exe"), Path("new.swf")), TPlatformError);
  EXPECT_THROW(SwfToExe(Projector, Movie, Path("no/folder/card.exe")), TPlatformError);
  EXPECT_EQ(ReadFile(Path("kept.exe")), "earlier result");
  EXPECT_EQ(Files(), (QStringList{"FlashPla.exe", "card.swf", "kept.exe"}));

  try {
    SwfToExe(Path("no-projector.exe"), Movie, Path("new.exe"));
  } catch (const TPlatformError& error) {
    EXPECT_TRUE(error.Message().contains("no-projector.exe")) << error.what();
  }
}

TEST_F(ProjectorFileTest, TheTrailerIsFoundFromTheEnd) {
  SwfToExe(Projector, Movie, Path("card.exe"));
  QFile exe(Path("card.exe"));
  ASSERT_TRUE(exe.open(QIODevice::ReadOnly));
  const TEmbeddedMovie movie = LocateEmbeddedMovie(exe, exe.fileName());
  EXPECT_EQ(movie.Offset, 1000000);
  EXPECT_EQ(movie.Length, 5000);
}

TEST_F(ProjectorFileTest, AConversionThatMeetsAFullDiskFailsAndKeepsTheOldTargets) {
  SwfToExe(Projector, Movie, Path("card.exe"));
  ASSERT_TRUE(WriteFile(Path("back.swf"), Pattern(10, 5)));
  const QByteArray exe = ReadFile(Path("card.exe"));
  {
    TFileSizeLimit full(1000);
    EXPECT_THROW(SwfToExe(Projector, Movie, Path("card.exe")), TPlatformError);
    EXPECT_THROW(ExeToSwf(Path("card.exe"), Path("back.swf")), TPlatformError);
  }
  EXPECT_EQ(ReadFile(Path("card.exe")), exe);
  EXPECT_EQ(ReadFile(Path("back.swf")), Pattern(10, 5));
  EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}
