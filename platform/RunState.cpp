#include "platform/RunState.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/InputFile.h"
#include "platform/PlatformError.h"

namespace Platform {

namespace {

QByteArray ReadSmallFile(const QString& name, qint64 limit) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return file.read(limit);
}

QString BootId() {
  static const QString id =
      QString::fromLatin1(ReadSmallFile(QStringLiteral("/proc/sys/kernel/random/boot_id"), 64).trimmed());
  return id;
}

} // namespace

QString ProcessStarted(qint64 pid) {
  if (pid <= 0)
    return {};
  const QByteArray stat = ReadSmallFile(QStringLiteral("/proc/%1/stat").arg(pid), 4096);
  // The command name in brackets may hold spaces and brackets: fields follow the last ')'.
  const qsizetype close = stat.lastIndexOf(')');
  if (close < 0)
    return {};
  const QList<QByteArray> fields = stat.mid(close + 1).simplified().split(' ');
  // Field 22 of the file, the start time; the fields after the name begin with field 3.
  constexpr int StartField = 22 - 3;
  if (fields.size() <= StartField)
    return {};
  return BootId() + QLatin1Char('/') + QString::fromLatin1(fields[StartField]);
}

QString RunStateFile(const QString& folder) { return folder + QStringLiteral("/Greetix.run"); }

void WriteRunState(const QString& folder, const TRunState& state) {
  QByteArray text;
  text += "pid=" + QByteArray::number(state.Pid) + '\n';
  text += "started=" + state.Started.toUtf8() + '\n';
  text += "card=" + state.CardPath.toUtf8().toPercentEncoding("/ ") + '\n';
  text += "changed=" + QByteArray(state.Changed ? "1" : "0") + '\n';
  text += "offered=" + QByteArray(state.Offered ? "1" : "0") + '\n';
  // The record is the program's own: a link in its place is replaced, never written through.
  try {
    files::WriteFileAtomically(QFile::encodeName(RunStateFile(folder)).toStdString(), std::string_view(text.constData(), text.size()),
                               files::TLinkTarget::ReplaceLink);
  } catch (const files::TFileWriteError& error) {
    throw TPlatformError(QString::fromStdString(error.what()));
  }
}

std::optional<TRunState> ReadRunState(const QString& folder) {
  // Only a plain file is read: anything else in its place (a named pipe) is no record.
  const std::optional<std::string> bytes = files::ReadPlainFile(QFile::encodeName(RunStateFile(folder)).toStdString(), 16 * 1024);
  if (!bytes)
    return std::nullopt;
  TRunState state;
  bool hasPid = false;
  for (const QByteArray& line : QByteArray::fromStdString(*bytes).split('\n')) {
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
      continue;
    const QByteArray key = line.left(equals);
    const QByteArray value = line.mid(equals + 1);
    if (key == "pid")
      state.Pid = value.toLongLong(&hasPid);
    else if (key == "started")
      state.Started = QString::fromUtf8(value);
    else if (key == "card")
      state.CardPath = QString::fromUtf8(QByteArray::fromPercentEncoding(value));
    else if (key == "changed")
      state.Changed = value == "1";
    else if (key == "offered")
      state.Offered = value == "1";
  }
  if (!hasPid)
    return std::nullopt;
  return state;
}

TRunState ThisRun() {
  TRunState state;
  state.Pid = ::getpid();
  state.Started = ProcessStarted(state.Pid);
  return state;
}

bool RunIsAlive(const QString& folder, qint64 pidOfName) {
  if (const std::optional<TRunState> state = ReadRunState(folder); state && !state->Started.isEmpty())
    return ProcessStarted(state->Pid) == state->Started;
  return QFileInfo::exists(QStringLiteral("/proc/%1").arg(pidOfName));
}

} // namespace Platform
