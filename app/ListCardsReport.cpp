#include "app/ListCardsReport.h"

#include <QStringList>

namespace {

const QLatin1String ProgramPrefix("greetix-cli: ");
const QLatin1String NotePrefix("note: ");

// Begins with a capital and ends with a full stop, as the dialog's other texts do.
QString Sentence(QString line) {
  if (line.isEmpty())
    return line;
  line[0] = line[0].toUpper();
  if (!line.endsWith(QLatin1Char('.')) && !line.endsWith(QLatin1Char('!')) && !line.endsWith(QLatin1Char('?')))
    line += QLatin1Char('.');
  return line;
}

} // namespace

QString ListCardsReport(const QString& output, const QString& errors, bool stopped) {
  QStringList parts;
  if (stopped)
    parts << QStringLiteral("Stopped. The cards made so far are kept; make the list again to finish it.");
  if (!output.trimmed().isEmpty())
    parts << Sentence(output.trimmed());
  QStringList problems, notes;
  for (QString line : errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    line = line.trimmed();
    if (line.startsWith(ProgramPrefix))
      line = line.mid(ProgramPrefix.size());
    if (line.startsWith(NotePrefix))
      notes << Sentence(line.mid(NotePrefix.size()));
    else if (!line.isEmpty())
      problems << Sentence(line);
  }
  if (!problems.isEmpty())
    parts << problems.join(QLatin1Char('\n'));
  if (!notes.isEmpty())
    parts << notes.join(QLatin1Char('\n'));
  return parts.join(QStringLiteral("\n\n"));
}
