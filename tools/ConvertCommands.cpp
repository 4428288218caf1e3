#include "tools/ConvertCommands.h"

#include "convert/ProjectorFile.h"

#include <QString>
#include <cstdio>
#include <exception>

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "greetix-cli: %s\n", message.toLocal8Bit().constData());
  return 1;
}

template <typename Convert>
int RunConversion(int argc, char** argv, const char* usage, Convert convert) {
  if (argc != 3)
    return Fail(QStringLiteral("usage: greetix-cli %1").arg(QLatin1String(usage)));
  try {
    convert(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
  } catch (const std::exception& error) {
    // The texts are single lines already; keep it so for scripts reading them.
    return Fail(QString::fromUtf8(error.what()).simplified());
  }
  return 0;
}

} // namespace

int RunSwf2Exe(int argc, char** argv) {
  return RunConversion(argc, argv, "swf2exe IN.swf OUT.exe",
                       [](const QString& swf, const QString& exe) { SwfToExe(ProjectorPath(), swf, exe); });
}

int RunExe2Swf(int argc, char** argv) {
  return RunConversion(argc, argv, "exe2swf IN.exe OUT.swf",
                       [](const QString& exe, const QString& swf) { ExeToSwf(exe, swf); });
}
