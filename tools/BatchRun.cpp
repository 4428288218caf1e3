#include "tools/BatchRun.h"

#include <signal.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string_view>

#include <QString>

#include "bulk/CardCheck.h"
#include "bulk/CardOutput.h"
#include "convert/ProjectorFile.h"
#include "export/ExportError.h"
#include "export/MovieExport.h"
#include "platform/AtomicFile.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

namespace {

namespace fs = std::filesystem;

// Tells each distinct warning once.
class TWarningsOnce : public IUserMessages {
public:
  explicit TWarningsOnce(const std::function<void(const std::string&)>& warn) : Warn(warn) {}
  void ShowError(const std::string& text) override
  {
    if (Seen.insert(text).second && Warn) Warn(text);
  }

private:
  const std::function<void(const std::string&)>& Warn;
  std::set<std::string> Seen;
};

std::string ReadWholeFile(const std::string& file)
{
  std::ifstream input(file, std::ios::binary);
  if (!input) throw std::runtime_error("cannot read \"" + file + "\"");
  return std::string(std::istreambuf_iterator<char>(input), {});
}

// One worker's renderer: the card opened once, then a card per row.
class TRowMaker {
public:
  TRowMaker(const TBatchOptions& options, IUserMessages& messages) : Options(options)
  {
    TCardRenderOptions cardOptions;
    cardOptions.CardFile = options.CardFile;
    cardOptions.Final = true;
    cardOptions.Seed = options.Seed;
    cardOptions.ProgramFolder = options.ProgramFolder;
    Card = std::make_unique<TOpenCard>(cardOptions, Movie, Object, Action, &messages);
    if (options.Format == "exe") Projector = ReadWholeFile(ProjectorPath().toStdString());
    Export.Scale = options.Scale;
    Export.Width = options.Width;
    // Workers side by side share the cores: one encoder thread each.
    Export.Threads = options.Jobs > 1 ? 1 : 0;
    Export.Cancel = options.Stop;
  }

  TRowReport Make(const TBatchRow& row)
  {
    TRowReport report;
    report.Index = row.Index;
    if (!row.Error.empty()) {
      report.Message = row.Error;
      return report;
    }
    const std::string target = (fs::path(Options.OutputFolder) / row.FileName).string();
    if (Options.Stopped()) {
      report.Outcome = TRowOutcome::Stopped;
      return report;
    }
    if (IsCompleteCard(target, Options.Format)) {
      report.Outcome = TRowOutcome::Skipped;
      return report;
    }
    try {
      Movie.Clear();
      Card->Render(&row.Values);
      const std::vector<std::uint8_t> bytes = Movie.MovieBytes();
      Movie.Clear();
      const std::string_view movie(reinterpret_cast<const char*>(bytes.data()), bytes.size());
      if (Options.Format == "exe") {
        // Runnable as the player program is.
        WriteOutputFile(target, {Projector, movie, ProjectorTrailer(static_cast<std::uint32_t>(movie.size()))}, 0777);
      } else if (Options.Format == "swf") {
        WriteOutputFile(target, {movie});
      } else {
        ExportCard(target, movie);
      }
      report.Outcome = TRowOutcome::Made;
    } catch (const exporter::TExportCancelled&) {
      report.Outcome = TRowOutcome::Stopped;
    } catch (const std::exception& error) {
      report.Message = error.what();
    }
    return report;
  }

private:
  // The export reads the movie by name: it goes to a hidden unfinished file beside the card,
  // removed afterwards (or by the sweep of the next run, when this one is killed).
  void ExportCard(const std::string& target, std::string_view movie)
  {
    std::optional<files::TAtomicFile> movieFile;
    try {
      movieFile.emplace(target + ".swf");
      movieFile->Write(movie);
    } catch (const files::TFileWriteError& error) {
      throw std::runtime_error("cannot write \"" + target + "\": " + error.Reason());
    }
    exporter::ExportMovie(movieFile->TempPath(), target, Export);
  }

  const TBatchOptions& Options;
  exporter::TExportOptions Export;
  swf::TSwfMovie Movie;
  swf::TSwfObject Object;
  swf::TSwfAction Action;
  std::unique_ptr<TOpenCard> Card;
  std::string Projector;
};

// Makes rows in this process; a card that cannot be opened fails every row with its reason.
void MakeRows(const TBatchOptions& options, const std::vector<const TBatchRow*>& rows,
              const std::function<void(const TRowReport&)>& report, const std::function<void(const std::string&)>& warn)
{
  TWarningsOnce messages(warn);
  std::unique_ptr<TRowMaker> maker;
  std::string openFailure;
  try {
    maker = std::make_unique<TRowMaker>(options, messages);
  } catch (const std::exception& error) {
    openFailure = error.what();
  }
  for (const TBatchRow* row : rows) {
    if (maker) {
      report(maker->Make(*row));
    } else {
      report({row->Index, TRowOutcome::Failed, openFailure});
    }
  }
}

std::string OneLine(std::string text)
{
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

// Worker to parent, one line per event: "R <index> <outcome> <message>" or "W <warning>".
// Lines are short enough for one pipe write each, so workers never interleave.
void WriteLine(int descriptor, std::string line)
{
  if (line.size() > 4000) line.resize(4000);
  line += '\n';
  std::string_view rest(line);
  while (!rest.empty()) {
    const ssize_t written = ::write(descriptor, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) _exit(3); // the parent is gone
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
}

[[noreturn]] void RunWorker(int descriptor, pid_t parent, const TBatchOptions& options,
                            const std::vector<const TBatchRow*>& rows)
{
  // A worker ends with its parent, whatever ended it (also when that came before this).
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) _exit(3);
  int status = 0;
  try {
    MakeRows(
        options, rows,
        [&](const TRowReport& report) {
          WriteLine(descriptor, "R " + std::to_string(report.Index) + " " + std::to_string(static_cast<int>(report.Outcome)) +
                                    " " + OneLine(report.Message));
        },
        [&](const std::string& warning) { WriteLine(descriptor, "W " + OneLine(warning)); });
  } catch (...) {
    status = 2;
  }
  ::close(descriptor);
  _exit(status); // no destructors of the parent's objects, no flush of its buffers
}

void HandleLine(const std::string& line, std::set<int>& reported, const std::function<void(const TRowReport&)>& report,
                const std::function<void(const std::string&)>& warn)
{
  if (line.rfind("W ", 0) == 0) {
    if (warn) warn(line.substr(2));
    return;
  }
  int index = 0, outcome = 0, consumed = 0;
  if (std::sscanf(line.c_str(), "R %d %d %n", &index, &outcome, &consumed) < 2) return;
  if (!reported.insert(index).second) return;
  report({index, static_cast<TRowOutcome>(outcome), line.substr(static_cast<std::size_t>(consumed))});
}

void RunWorkers(const TBatchOptions& options, const std::vector<const TBatchRow*>& rows, int jobs,
                const std::function<void(const TRowReport&)>& report, const std::function<void(const std::string&)>& warn)
{
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error(std::string("cannot start workers: ") + std::strerror(errno));
  std::fflush(nullptr); // nothing buffered is written twice by the children
  std::vector<pid_t> workers;
  const pid_t parent = ::getpid();
  for (int w = 0; w < jobs; ++w) {
    std::vector<const TBatchRow*> share;
    for (std::size_t i = static_cast<std::size_t>(w); i < rows.size(); i += static_cast<std::size_t>(jobs))
      share.push_back(rows[i]);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(pipeEnds[0]);
      RunWorker(pipeEnds[1], parent, options, share);
    }
    if (pid < 0) break; // the workers started make every row: see below
    workers.push_back(pid);
  }
  ::close(pipeEnds[1]);

  std::set<int> reported;
  std::string pending;
  char buffer[8192];
  bool stopSent = false;
  while (true) {
    // A stop asked of this process is passed on: the workers drop the card they are making.
    if (!stopSent && options.Stopped()) {
      for (pid_t pid : workers) ::kill(pid, SIGTERM);
      stopSent = true;
    }
    pollfd waiting{pipeEnds[0], POLLIN, 0};
    const int ready = ::poll(&waiting, 1, 200);
    if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
    const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
      HandleLine(pending.substr(0, end), reported, report, warn);
  }
  ::close(pipeEnds[0]);
  std::string ending;
  for (pid_t pid : workers) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) ending = "its worker was ended by signal " + std::to_string(WTERMSIG(status));
  }
  // Rows no worker reported: a worker that crashed, or one that could not be started.
  for (const TBatchRow* row : rows) {
    if (reported.count(row->Index)) continue;
    if (options.Stopped()) report({row->Index, TRowOutcome::Stopped, {}});
    else report({row->Index, TRowOutcome::Failed, ending.empty() ? "its worker stopped before making it" : ending});
  }
}

// A forked worker has only the thread that forked it: a lock another thread held (Qt's
// painting keeps a pool of them) would stay locked in it for ever. Such a process makes its
// rows itself.
bool HasOtherThreads()
{
  std::error_code error;
  const fs::directory_iterator tasks("/proc/self/task", error);
  return !error && std::distance(tasks, fs::directory_iterator()) > 1;
}

} // namespace

void RunBatch(const TBatchOptions& options, const TBatchPlan& plan, const std::function<void(const TRowReport&)>& report,
              const std::function<void(const std::string&)>& warn)
{
  if (const std::string refusal = FormatRefusal(options.Format); !refusal.empty()) throw std::runtime_error(refusal);
  std::error_code error;
  fs::create_directories(options.OutputFolder, error);
  if (!fs::is_directory(options.OutputFolder))
    throw std::runtime_error("cannot make the folder \"" + options.OutputFolder + "\"" +
                             (error ? ": " + error.message() : std::string()));
  files::RemoveStaleTempFilesIn(options.OutputFolder);

  const std::vector<const TBatchRow*> rows = plan.ShardRows(options.ShardIndex, options.ShardCount);
  if (rows.empty()) return;
  const int jobs = std::max(1, std::min<int>(options.Jobs, static_cast<int>(rows.size())));
  if (jobs == 1 || HasOtherThreads()) {
    MakeRows(options, rows, report, warn);
  } else {
    RunWorkers(options, rows, jobs, report, warn);
  }
  FlushFolder(options.OutputFolder);
}
