// The program's own files as something else may have left them: a named pipe in the place
// of a record or of the settings is not waited on, a link in their place is replaced and
// never written through, and what a command was writing goes when a stop signal ends it.
#include "platform/AtomicFile.h"
#include "platform/PlatformError.h"
#include "platform/Registry.h"
#include "platform/RunState.h"
#include "platform/StopCleanup.h"
#include "support/TestFolder.h"

#include <QDir>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

using namespace Platform;

namespace {

namespace fs = std::filesystem;

// Runs `work` on another thread; false when it has not ended within a minute (it waits on
// something, as opening a named pipe would).
bool EndsByItself(const std::function<void()>& work) {
  auto done = std::async(std::launch::async, work);
  const bool ended = done.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
  if (!ended) {
    // The thread cannot be freed: end the test program instead of hanging it.
    ADD_FAILURE() << "the reader waits";
    std::_Exit(1);
  }
  done.get();
  return ended;
}

} // namespace

TEST(OwnFiles, ANamedPipeInTheRecordsPlaceIsNoRecordAndIsNotWaitedOn) {
  TTestFolder folder;
  const QString path = QString::fromStdString(folder.Path().string());
  ASSERT_EQ(mkfifo(RunStateFile(path).toLocal8Bit().constData(), 0600), 0);
  EXPECT_TRUE(EndsByItself([&] { EXPECT_FALSE(ReadRunState(path).has_value()); }));
  EXPECT_TRUE(EndsByItself([&] { EXPECT_FALSE(RunIsAlive(path, 999999999)); }));
}

TEST(OwnFiles, ANamedPipeAsTheSettingsIsNotWaitedOnAndNotWritten) {
  TTestFolder folder;
  const QString settings = QString::fromStdString(folder.File("Registry.ini"));
  ASSERT_EQ(mkfifo(settings.toLocal8Bit().constData(), 0600), 0);
  TRegistry::SetFileName(settings);
  EXPECT_TRUE(EndsByItself([&] {
    EXPECT_EQ(TRegistry::Read(CommonKey, LastOpenDirValue), QString());
    try {
      TRegistry::Write(CommonKey, LastOpenDirValue, QStringLiteral("/home"));
      ADD_FAILURE() << "written";
    } catch (const TPlatformError& error) {
      EXPECT_NE(error.Message().indexOf(QStringLiteral("named pipe")), -1) << error.what();
    }
  }));
  TRegistry::SetFileName({});
  struct stat info {};
  ASSERT_EQ(lstat(settings.toLocal8Bit().constData(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(OwnFiles, ARecordThatIsALinkIsReplacedAndItsTargetKept) {
  TTestFolder folder;
  const QString path = QString::fromStdString(folder.Path().string());
  const std::string other = folder.File("other.txt");
  WriteWholeFile(other, "line one\nline two\n");
  fs::create_symlink(other, RunStateFile(path).toStdString());
  TRunState state = ThisRun();
  state.CardPath = QStringLiteral("/cards/Anna");
  WriteRunState(path, state);
  EXPECT_EQ(ReadWholeFile(other), "line one\nline two\n");
  EXPECT_FALSE(fs::is_symlink(RunStateFile(path).toStdString()));
  ASSERT_TRUE(ReadRunState(path).has_value());
  EXPECT_EQ(ReadRunState(path)->CardPath, QStringLiteral("/cards/Anna"));
}

// A child registers an unfinished file and a working folder, then is stopped by each signal
// in turn: both are gone, and the child ended by that signal.
TEST(OwnFiles, AStopSignalRemovesWhatWasBeingWritten) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    TTestFolder folder;
    const std::string target = folder.File("card.swf");
    const std::string work = folder.File("work");
    fs::create_directories(work + "/inner");
    WriteWholeFile(work + "/a.jpg", "picture");
    const pid_t child = fork();
    if (child == 0) {
      files::RemoveOnStopSignals();
      files::RemoveOnStop(work, true);
      files::TAtomicFile file(target);
      file.Write("half a movie");
      raise(signal);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
    EXPECT_TRUE(fs::is_empty(folder.Path())) << fs::begin(fs::directory_iterator(folder.Path()))->path();
  }
  // Paths no longer registered stay.
  TTestFolder folder;
  const pid_t child = fork();
  if (child == 0) {
    files::RemoveOnStopSignals();
    {
      files::TAtomicFile file(folder.File("done.swf"));
      file.Write("a whole movie");
      file.Commit();
    }
    files::RemoveOnStop(folder.File("done.swf"), false);
    files::KeepOnStop(folder.File("done.swf"));
    raise(SIGTERM);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(ReadWholeFile(folder.File("done.swf")), "a whole movie");
}
