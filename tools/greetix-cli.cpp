// greetix-cli: the card pipeline and the movie tools without a window.
#include <cstdio>
#include <cstring>
#include <string>

#include <QGuiApplication>
#include <filesystem>

#include "platform/DerivedFile.h"

#include "platform/StopCleanup.h"
#include "tools/BatchCommand.h"
#include "tools/ConvertCommands.h"
#include "tools/EffectsCommand.h"
#include "tools/ExportCommand.h"
#include "tools/FrameCommand.h"
#include "tools/ImportSoundCommand.h"
#include "tools/InfoCommand.h"
#include "tools/RenderCommand.h"
#include "tools/ThumbnailCommand.h"

namespace {

struct TCommand {
  const char* Name;
  int (*Run)(int argc, char** argv);
  const char* Usage;
};

const TCommand Commands[] = {
    {"render", &tools::RunRender, "render CARD.grx -o OUT.swf [--final] [--seed N] [--set Name=Value]... [--confine]"},
    {"info", &tools::RunInfo, "info MOVIE.swf [--json]"},
    {"frame", &tools::RunFrame, "frame MOVIE.swf N -o OUT.png [--width W] [--quality low|medium|high]"},
    {"swf2exe", &RunSwf2Exe, "swf2exe IN.swf OUT.exe"},
    {"exe2swf", &RunExe2Swf, "exe2swf IN.exe OUT.swf"},
    {"import-sound", &tools::RunImportSound, "import-sound IN [-o OUT.wav]"},
    {"thumbnail", &tools::RunThumbnail, "thumbnail CARD.grx|MOVIE.swf OUT.png --size N"},
    {"batch", &tools::RunBatchCommand,
     "batch CARD.grx LIST.csv -o DIR [--format swf|exe|...] [--name P] [--jobs N] [--shard I/N] [--confine]"},
    {"effects", &tools::RunEffects, "effects"},
    {"export", &tools::RunExport,
     "export IN.grx|IN.swf -o OUT.mp4|webm|gif|webp|png|html|swf [--scale S] [--width W] [--size WxH] [--loops N] [--seed N] [--quality Q] [--set Name=Value]... [--confine]"},
};

// Qt's platform asks for the session's runtime folder; where there is none (a server, a
// service, a test) it would make one in the temporary folder and leave it there. It gets a
// private one in the user's cache folder instead.
void UsePrivateRuntimeFolder()
{
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const std::filesystem::path folder = std::filesystem::path(files::UserCacheFolder()) / "runtime";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace, error);
  if (!error) qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder.string()));
}

void PrintUsage(std::FILE* out)
{
  std::fprintf(out, "Usage: greetix-cli COMMAND ARGUMENTS\n");
  for (const TCommand& command : Commands) std::fprintf(out, "  greetix-cli %s\n", command.Usage);
}

} // namespace

int main(int argc, char** argv)
{
  // Gives the commands the program's folder, where the shipped files lie. A GUI application
  // on the screenless platform: drawing an SVG picture's text needs Qt's fonts, never a display.
  qputenv("QT_QPA_PLATFORM", "minimal");
  UsePrivateRuntimeFolder();
  // What the platform says while it starts (no runtime folder on a server, ...) is no news
  // to the user of a command.
  const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication application(argc, argv);
  qInstallMessageHandler(previous);
  // A stop signal removes what a command has begun writing; export and batch catch the
  // signals themselves and stop between frames.
  files::RemoveOnStopSignals();
  if (argc < 2) {
    PrintUsage(stdout);
    return 0;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  for (const TCommand& command : Commands) {
    if (std::strcmp(argv[1], command.Name) == 0) return command.Run(argc - 1, argv + 1);
  }
  std::fprintf(stderr, "greetix-cli: unknown command \"%s\" (run without arguments for the list)\n", argv[1]);
  return 2;
}
