#include "platform/XScreenSaverPrefs.h"

#include "platform/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringView>
#include <exception>

namespace Platform {

namespace {

QString& FileOverride() {
  static QString fileName;
  return fileName;
}

constexpr const char* DefaultsFile = "/etc/X11/app-defaults/XScreenSaver";

// A resource of the file: its lines as written (continuation lines included), and its
// name ("" for comments and blank lines).
struct TResource {
  QString Name;
  QStringList Lines;
};

bool Continues(const QString& line) {
  // An odd number of backslashes at the end continues the line.
  int count = 0;
  for (qsizetype i = line.size() - 1; i >= 0 && line[i] == QLatin1Char('\\'); --i)
    ++count;
  return count % 2 == 1;
}

QList<TResource> SplitResources(const QString& text) {
  QList<TResource> resources;
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    TResource resource;
    resource.Lines << lines[i];
    while (Continues(resource.Lines.last()) && i + 1 < lines.size())
      resource.Lines << lines[++i];
    const QString first = resource.Lines.first().trimmed();
    const qsizetype colon = first.indexOf(QLatin1Char(':'));
    if (colon > 0 && !first.startsWith(QLatin1Char('#')) && !first.startsWith(QLatin1Char('!')))
      resource.Name = first.left(colon).trimmed();
    resources << resource;
  }
  return resources;
}

// The value of a resource: its lines joined without the continuing backslashes.
QString ValueOf(const TResource& resource) {
  QString joined;
  for (const QString& line : resource.Lines)
    joined += Continues(line) ? line.left(line.size() - 1) : line;
  return joined.mid(joined.indexOf(QLatin1Char(':')) + 1);
}

QStringList ProgramLines(const QStringList& entries) {
  QStringList lines{QStringLiteral("programs:\t\t\t\t\t\t\t\t      \\")};
  for (qsizetype i = 0; i < entries.size(); ++i)
    lines << QStringLiteral("  %1\t\\n%2").arg(entries[i], i + 1 < entries.size() ? QStringLiteral("\\") : QString());
  return lines;
}

qsizetype Find(const QList<TResource>& resources, QStringView name) {
  for (qsizetype i = 0; i < resources.size(); ++i)
    if (resources[i].Name == name)
      return i;
  return -1;
}

void SetResource(QList<TResource>& resources, const QString& name, const QStringList& lines) {
  const qsizetype at = Find(resources, name);
  if (at >= 0)
    resources[at].Lines = lines;
  else
    resources << TResource{name, lines};
}

QString EntryCommand(QString entry) {
  // "[-] [visual:] ["name"] command": the part a program is started with.
  if (entry.startsWith(QLatin1Char('-')))
    entry = entry.mid(1).trimmed();
  return entry;
}

} // namespace

QString XScreenSaverFile() {
  if (!FileOverride().isEmpty())
    return FileOverride();
  const QString fromEnvironment = qEnvironmentVariable("GREETIX_XSCREENSAVER_FILE");
  if (!fromEnvironment.isEmpty())
    return fromEnvironment;
  return QStandardPaths::writableLocation(QStandardPaths::HomeLocation) + QStringLiteral("/.xscreensaver");
}

void SetXScreenSaverFile(const QString& fileName) { FileOverride() = fileName; }

bool XScreenSaverInstalled() {
  return !QStandardPaths::findExecutable(QStringLiteral("xscreensaver")).isEmpty();
}

QStringList ParseXScreenSaverPrograms(const QString& value) {
  QStringList entries;
  for (const QString& part : value.split(QStringLiteral("\\n"))) {
    const QString entry = part.trimmed();
    if (!entry.isEmpty())
      entries << entry;
  }
  return entries;
}

QStringList XScreenSaverDefaultPrograms() {
  QFile file(QString::fromLatin1(DefaultsFile));
  if (!file.open(QIODevice::ReadOnly))
    return {};
  for (const TResource& resource : SplitResources(QString::fromUtf8(file.readAll())))
    if (resource.Name == QLatin1String("*programs"))
      return ParseXScreenSaverPrograms(ValueOf(resource));
  return {};
}

TXScreenSaverPrefsEdit SelectXScreenSaverProgram(const QString& prefs, const QString& entry,
                                                 const QString& marker, const QStringList& defaults) {
  QList<TResource> resources = SplitResources(prefs);
  const qsizetype programsAt = Find(resources, u"programs");
  QStringList entries = programsAt >= 0 ? ParseXScreenSaverPrograms(ValueOf(resources[programsAt])) : defaults;

  TXScreenSaverPrefsEdit edit;
  for (qsizetype i = 0; i < entries.size() && edit.Selected < 0; ++i)
    if (EntryCommand(entries[i]).contains(marker))
      edit.Selected = int(i);
  if (edit.Selected < 0) {
    edit.Selected = int(entries.size());
    entries << entry;
  }
  const bool entryKept = entries[edit.Selected] == entry && programsAt >= 0;
  entries[edit.Selected] = entry;

  const qsizetype modeAt = Find(resources, u"mode");
  const qsizetype selectedAt = Find(resources, u"selected");
  const bool selectionKept = modeAt >= 0 && ValueOf(resources[modeAt]).trimmed() == QLatin1String("one") &&
                             selectedAt >= 0 && ValueOf(resources[selectedAt]).trimmed().toInt() == edit.Selected;
  edit.Changed = !entryKept || !selectionKept;

  if (resources.isEmpty())
    resources << TResource{{}, {QStringLiteral("# XScreenSaver Preferences File")}};
  SetResource(resources, QStringLiteral("mode"), {QStringLiteral("mode:\t\tone")});
  SetResource(resources, QStringLiteral("selected"), {QStringLiteral("selected:\t%1").arg(edit.Selected)});
  SetResource(resources, QStringLiteral("programs"), ProgramLines(entries));
  for (const TResource& resource : resources)
    edit.Text += resource.Lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
  return edit;
}

TXScreenSaverRegistration RegisterXScreenSaverProgram(const QString& name, const QString& command,
                                                      const QString& marker) {
  TXScreenSaverRegistration result;
  // A link (to a file kept with the user's other settings) stays a link.
  QFileInfo info(XScreenSaverFile());
  const QString fileName = info.isSymLink() ? info.symLinkTarget() : info.filePath();
  info = QFileInfo(fileName);

  QByteArray old;
  if (info.exists()) {
    // Root may write anything: the mode bits tell what the user wants left alone.
    if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)) {
      result.Outcome = TXScreenSaverOutcome::ReadOnly;
      return result;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
      result.Error = file.errorString();
      return result;
    }
    old = file.readAll();
  }

  const QString entry = QStringLiteral("\"%1\" %2").arg(name, command);
  const TXScreenSaverPrefsEdit edit =
      SelectXScreenSaverProgram(QString::fromUtf8(old), entry, marker, XScreenSaverDefaultPrograms());
  if (!edit.Changed) {
    result.Outcome = TXScreenSaverOutcome::AlreadyRegistered;
    return result;
  }
  try {
    if (info.exists()) {
      result.BackupFile = fileName + QStringLiteral(".bak");
      TSafeFileWriter backup(result.BackupFile);
      backup.SetPermissions(info.permissions());
      backup.Write(old);
      backup.Commit();
    }
    WriteFileAtomically(fileName, edit.Text.toUtf8());
  } catch (const std::exception& error) {
    result.Error = QString::fromUtf8(error.what());
    return result;
  }
  result.Outcome = TXScreenSaverOutcome::Registered;
  return result;
}

} // namespace Platform
