#include "tools/BatchRun.h"

#include <signal.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
#include "platform/WriteFailure.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

namespace {

namespace fs = std::filesystem;

// Tells each distinct warning once.
class TWarningsOnce {
public:
  explicit TWarningsOnce(const std::function<void(const std::string&)>& warn) : Warn(warn) {}
  void Tell(const std::string& text)
  {
    if (Seen.size() < 1000 && Seen.insert(text).second && Warn) Warn(text);
  }

private:
  const std::function<void(const std::string&)>& Warn;
  std::set<std::string> Seen;
};

// The messages of one row's render: a row with an object left out fails with them; the
// others are told once as warnings.
class TRowMessages : public IUserMessages {
public:
  explicit TRowMessages(const std::function<void(const std::string&)>& warn) : Once(warn) {}
  void ShowError(const std::string& text) override
  {
    if (Shown.size() < 8) Shown.push_back(text.size() > 300 ? text.substr(0, 300) + "..." : text);
  }
  void Clear() { Shown.clear(); }
  std::string Joined() const
  {
    std::string joined;
    for (const std::string& text : Shown) joined += (joined.empty() ? "" : "; ") + text;
    return joined;
  }
  void TellOnce()
  {
    for (const std::string& text : Shown) Once.Tell(text);
    Shown.clear();
  }

private:
  TWarningsOnce Once;
  std::vector<std::string> Shown;
};

TRowReport ReportOf(const TBatchRow& row)
{
  TRowReport report;
  report.Index = row.Index;
  report.Where = row.Where();
  report.FileName = row.FileName;
  report.Notes = row.Notes;
  report.Values = row.Values;
  return report;
}

std::string ReadWholeFile(const std::string& file)
{
  std::ifstream input(file, std::ios::binary);
  if (!input) throw std::runtime_error("cannot read \"" + file + "\"");
  return std::string(std::istreambuf_iterator<char>(input), {});
}

// One worker's renderer: the card opened once, then a card per row.
class TRowMaker {
public:
  TRowMaker(const TBatchOptions& options, TRowMessages& messages) : Options(options), Messages(messages)
  {
    TCardRenderOptions cardOptions;
    cardOptions.CardFile = options.CardFile;
    cardOptions.Final = true;
    cardOptions.Seed = options.Seed;
    cardOptions.ProgramFolder = options.ProgramFolder;
    cardOptions.ConfineMedia = options.ConfineMedia;
    Card = std::make_unique<TOpenCard>(cardOptions, Movie, Object, Action, &messages);
    Messages.TellOnce();
    if (options.Format == "exe") Projector = ReadWholeFile(ProjectorPath().toStdString());
    Export.Scale = options.Scale;
    Export.Width = options.Width;
    // Workers side by side share the cores: one encoder thread each.
    Export.Threads = options.Jobs > 1 ? 1 : 0;
    Export.Cancel = options.Stop;
  }

  TRowReport Make(const TBatchRow& row)
  {
    TRowReport report = ReportOf(row);
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
      Messages.Clear();
      Card->Render(&row.Values);
      // A card without one of its objects is not the card the row asked for.
      if (const int leftOut = Card->ObjectsLeftOut(); leftOut > 0) {
        Movie.Clear();
        report.Message = std::to_string(leftOut) + (leftOut == 1 ? " object was" : " objects were") +
                         " left out of the card: " + Messages.Joined();
        Messages.Clear();
        return report;
      }
      Messages.TellOnce();
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
  TRowMessages& Messages;
  exporter::TExportOptions Export;
  swf::TSwfMovie Movie;
  swf::TSwfObject Object;
  swf::TSwfAction Action;
  std::unique_ptr<TOpenCard> Card;
  std::string Projector;
};

// Makes the rows one by one in this process, as a worker or as the whole run: a card that
// cannot be opened fails every row with its reason.
class TRowWork {
public:
  TRowWork(const TBatchOptions& options, const std::function<void(const std::string&)>& warn) : Messages(warn)
  {
    try {
      Maker = std::make_unique<TRowMaker>(options, Messages);
    } catch (const std::exception& error) {
      OpenFailure = error.what();
    }
  }

  TRowReport Make(const TBatchRow& row)
  {
    if (Maker) return Maker->Make(row);
    TRowReport report = ReportOf(row);
    report.Message = OpenFailure;
    return report;
  }

private:
  TRowMessages Messages;
  std::unique_ptr<TRowMaker> Maker;
  std::string OpenFailure;
};

std::string OneLine(std::string text)
{
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

// Writes all the bytes; false when the other end is gone.
bool WriteAll(int descriptor, std::string_view bytes)
{
  while (!bytes.empty()) {
    const ssize_t written = ::send(descriptor, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Reads exactly size bytes; false at the end of the stream or on a failure.
bool ReadExactly(int descriptor, char* data, std::size_t size)
{
  while (size > 0) {
    const ssize_t got = ::read(descriptor, data, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    data += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

// A row from the parent to a worker: its numbers, file name and values, each text with
// its length before it.
void AppendText(std::string& message, const std::string& text)
{
  const std::uint32_t length = static_cast<std::uint32_t>(text.size());
  message.append(reinterpret_cast<const char*>(&length), sizeof length);
  message += text;
}

std::string RowMessage(const TBatchRow& row)
{
  std::string body;
  AppendText(body, std::to_string(row.Index));
  AppendText(body, std::to_string(row.Row));
  AppendText(body, std::to_string(row.Line));
  AppendText(body, row.FileName);
  for (const auto& [field, value] : row.Values) {
    AppendText(body, field);
    AppendText(body, value);
  }
  std::string message;
  AppendText(message, body);
  return message;
}

bool ReadRowMessage(int descriptor, TBatchRow& row)
{
  std::uint32_t length = 0;
  if (!ReadExactly(descriptor, reinterpret_cast<char*>(&length), sizeof length)) return false;
  std::string body(length, '\0');
  if (!ReadExactly(descriptor, body.data(), body.size())) return false;
  std::vector<std::string> texts;
  for (std::size_t at = 0; at + sizeof length <= body.size();) {
    std::memcpy(&length, body.data() + at, sizeof length);
    at += sizeof length;
    texts.push_back(body.substr(at, length));
    at += length;
  }
  if (texts.size() < 4) return false;
  row = TBatchRow();
  row.Index = std::stoi(texts[0]);
  row.Row = std::stoi(texts[1]);
  row.Line = std::stoi(texts[2]);
  row.FileName = texts[3];
  for (std::size_t i = 4; i + 1 < texts.size(); i += 2) row.Values[texts[i]] = texts[i + 1];
  return true;
}

// Worker to parent, one line per event: "R <index> <outcome> <message>" or "W <warning>".
void WriteLine(int descriptor, std::string line)
{
  if (line.size() > 4000) line.resize(4000);
  line += '\n';
  if (!WriteAll(descriptor, line)) _exit(3); // the parent is gone
}

// Takes rows from the parent until it has no more, answering each with its outcome.
[[noreturn]] void RunWorker(int descriptor, pid_t parent, const TBatchOptions& options)
{
  // A worker ends with its parent, whatever ended it (also when that came before this).
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) _exit(3);
  int status = 0;
  try {
    const std::function<void(const std::string&)> warn = [&](const std::string& warning) {
      WriteLine(descriptor, "W " + OneLine(warning));
    };
    TRowWork work(options, warn);
    TBatchRow row;
    while (ReadRowMessage(descriptor, row)) {
      const TRowReport report = work.Make(row);
      WriteLine(descriptor, "R " + std::to_string(report.Index) + " " + std::to_string(static_cast<int>(report.Outcome)) +
                                " " + OneLine(report.Message));
    }
  } catch (...) {
    status = 2;
  }
  ::close(descriptor);
  _exit(status); // no destructors of the parent's objects, no flush of its buffers
}

// Passes the rows of the shard to the maker as the list is read; after a stop or a full
// disk the rows left are reported as stopped without being made.
class TRowFeed {
public:
  TRowFeed(const TBatchOptions& options, const TBatchPlan& plan, const std::function<void(const TRowReport&)>& report,
           const std::function<void(const std::string&)>& warn)
      : Options(options), Rows(options, plan), Report(report), Warn(warn)
  {
  }

  // The next row to make; false when there is none (the rest reported as stopped).
  bool Next(TBatchRow& row)
  {
    while (Rows.NextOfShard(row)) {
      if (Halted()) {
        TRowReport report = ReportOf(row);
        report.Outcome = TRowOutcome::Stopped;
        Report(report);
        continue;
      }
      if (!row.Error.empty()) {
        TRowReport report = ReportOf(row);
        report.Message = row.Error;
        Report(report);
        continue;
      }
      return true;
    }
    return false;
  }

  // Tells a row's outcome; a failure for a full disk halts the run.
  void Tell(const TRowReport& report)
  {
    Report(report);
    if (report.Outcome == TRowOutcome::Failed && !DiskFull && files::IsDiskFull(report.Message, Options.OutputFolder)) {
      DiskFull = true;
      if (Warn) Warn("the disk of \"" + Options.OutputFolder + "\" is full: no other card is begun");
    }
  }

  bool Halted() const { return DiskFull || Options.Stopped(); }

private:
  const TBatchOptions& Options;
  TBatchRows Rows;
  const std::function<void(const TRowReport&)>& Report;
  const std::function<void(const std::string&)>& Warn;
  bool DiskFull = false;
};

void MakeRowsHere(const TBatchOptions& options, TRowFeed& feed, const std::function<void(const std::string&)>& warn)
{
  TRowWork work(options, warn);
  TBatchRow row;
  while (feed.Next(row)) feed.Tell(work.Make(row));
}

struct TWorker {
  pid_t Pid = -1;
  int Socket = -1; // the parent's end
  std::string Pending; // bytes of an unfinished line
  std::optional<TRowReport> Busy; // the row it is making
};

// Reads what a worker wrote; false when it is gone.
bool ReadWorker(TWorker& worker, TRowFeed& feed, const std::function<void(const std::string&)>& warn)
{
  char buffer[8192];
  const ssize_t got = ::read(worker.Socket, buffer, sizeof buffer);
  if (got < 0 && errno == EINTR) return true;
  if (got <= 0) return false;
  worker.Pending.append(buffer, static_cast<std::size_t>(got));
  for (std::size_t end; (end = worker.Pending.find('\n')) != std::string::npos; worker.Pending.erase(0, end + 1)) {
    const std::string line = worker.Pending.substr(0, end);
    if (line.rfind("W ", 0) == 0) {
      if (warn) warn(line.substr(2));
      continue;
    }
    int index = 0, outcome = 0, consumed = 0;
    if (std::sscanf(line.c_str(), "R %d %d %n", &index, &outcome, &consumed) < 2) continue;
    if (!worker.Busy || worker.Busy->Index != index) continue;
    TRowReport report = std::move(*worker.Busy);
    worker.Busy.reset();
    report.Outcome = static_cast<TRowOutcome>(outcome);
    report.Message = line.substr(static_cast<std::size_t>(consumed));
    feed.Tell(report);
  }
  return true;
}

void RunWorkers(const TBatchOptions& options, TRowFeed& feed, int jobs, const std::function<void(const std::string&)>& warn)
{
  std::fflush(nullptr); // nothing buffered is written twice by the children
  std::vector<TWorker> workers;
  const pid_t parent = ::getpid();
  for (int w = 0; w < jobs; ++w) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) break;
    const pid_t pid = ::fork();
    if (pid == 0) {
      for (const TWorker& other : workers) ::close(other.Socket);
      ::close(ends[0]);
      RunWorker(ends[1], parent, options);
    }
    ::close(ends[1]);
    if (pid < 0) {
      ::close(ends[0]);
      break;
    }
    workers.push_back({pid, ends[0], {}, std::nullopt});
  }
  if (workers.empty()) throw std::runtime_error(std::string("cannot start workers: ") + std::strerror(errno));

  bool rowsLeft = true;
  bool stopSent = false;
  std::string ending;
  while (true) {
    // A stop asked of this process is passed on: the workers drop the card they are making.
    if (!stopSent && options.Stopped()) {
      for (const TWorker& worker : workers)
        if (worker.Socket >= 0) ::kill(worker.Pid, SIGTERM);
      stopSent = true;
    }
    // Each free worker gets the next row.
    for (TWorker& worker : workers) {
      if (!rowsLeft || worker.Socket < 0 || worker.Busy) continue;
      TBatchRow row;
      if (!(rowsLeft = feed.Next(row))) break;
      worker.Busy = ReportOf(row);
      if (!WriteAll(worker.Socket, RowMessage(row))) {
        // The worker is gone; it is reported below.
      }
    }
    std::vector<pollfd> waiting;
    std::vector<TWorker*> polled;
    for (TWorker& worker : workers) {
      if (worker.Socket < 0) continue;
      waiting.push_back({worker.Socket, POLLIN, 0});
      polled.push_back(&worker);
    }
    const bool busy = std::any_of(workers.begin(), workers.end(), [](const TWorker& w) { return w.Busy.has_value(); });
    if (waiting.empty() || (!rowsLeft && !busy)) break;
    const int ready = ::poll(waiting.data(), waiting.size(), 200);
    if (ready <= 0) continue;
    for (std::size_t i = 0; i < waiting.size(); ++i) {
      if (!(waiting[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      TWorker& worker = *polled[i];
      if (ReadWorker(worker, feed, warn)) continue;
      // A worker that ended: its row fails, or counts as stopped after a stop.
      ::close(worker.Socket);
      worker.Socket = -1;
      int status = 0;
      while (::waitpid(worker.Pid, &status, 0) < 0 && errno == EINTR) {
      }
      worker.Pid = -1;
      if (WIFSIGNALED(status)) ending = "its worker was ended by signal " + std::to_string(WTERMSIG(status));
      if (worker.Busy) {
        TRowReport report = std::move(*worker.Busy);
        worker.Busy.reset();
        if (options.Stopped()) {
          report.Outcome = TRowOutcome::Stopped;
        } else {
          report.Message = ending.empty() ? "its worker stopped before making it" : ending;
        }
        feed.Tell(report);
      }
    }
  }
  // Rows no worker is left to make.
  for (TBatchRow row; rowsLeft && feed.Next(row);) {
    TRowReport report = ReportOf(row);
    if (options.Stopped()) {
      report.Outcome = TRowOutcome::Stopped;
    } else {
      report.Message = ending.empty() ? "its worker stopped before making it" : ending;
    }
    feed.Tell(report);
  }
  for (TWorker& worker : workers) {
    if (worker.Socket >= 0) ::close(worker.Socket); // the worker reads the end and leaves
    if (worker.Pid > 0) {
      int status = 0;
      while (::waitpid(worker.Pid, &status, 0) < 0 && errno == EINTR) {
      }
    }
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

  if (plan.ShardRowCount == 0) return;
  TRowFeed feed(options, plan, report, warn);
  const int jobs = static_cast<int>(std::max<std::size_t>(1, std::min<std::size_t>(options.Jobs, plan.ShardRowCount)));
  if (jobs == 1 || HasOtherThreads()) {
    MakeRowsHere(options, feed, warn);
  } else {
    RunWorkers(options, feed, jobs, warn);
  }
  FlushFolder(options.OutputFolder);
}
