#include "app/ListCardsReport.h"

#include <QStringList>

namespace {

const QLatin1String ProgramPrefix("greetix-cli: ");
const QLatin1String NotePrefix("note: ");

QString Sentence(QString line) {
  if (!line.isEmpty())
    line[0] = line[0].toUpper();
  return line;
}

} // namespace

QString ListCardsReport(const QString& output, const QString& errors, bool stopped) {
  QStringList parts;
  if (stopped)
    parts << QStringLiteral("Stopped. The cards made so far are kept; make the list again to finish it.");
  if (!output.trimmed().isEmpty())
    parts << Sentence(output.trimmed()) + QLatin1Char('.');
  QStringList problems, notes;
  for (QString line : errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    line = line.trimmed();
    if (line.startsWith(ProgramPrefix))
      line = line.mid(ProgramPrefix.size());
    if (line.startsWith(NotePrefix))
      notes << Sentence(line.mid(NotePrefix.size())) + QLatin1Char('.');
    else if (!line.isEmpty())
      problems << Sentence(line);
  }
  if (!problems.isEmpty())
    parts << problems.join(QLatin1Char('\n'));
  if (!notes.isEmpty())
    parts << notes.join(QLatin1Char('\n'));
  return parts.join(QStringLiteral("\n\n"));
}
