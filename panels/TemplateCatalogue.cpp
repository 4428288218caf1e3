#include "panels/TemplateCatalogue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

constexpr qint64 TitleSearchBytes = 64 * 1024; // MovieName stands near the top of a card

// The card's MovieName; empty when the file cannot be read or has none.
QString MovieNameOf(const QString& file) {
  QFile card(file);
  if (!card.open(QIODevice::ReadOnly))
    return {};
  QXmlStreamReader reader(card.read(TitleSearchBytes));
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement)
      continue;
    if (reader.name() == QLatin1String("MovieName"))
      return reader.readElementText().trimmed();
    if (reader.name() == QLatin1String("Obj"))
      break;
  }
  return {};
}

// The two cards at the top that open the list, before all others.
int FixedRank(const TTemplateEntry& entry, const QString& root) {
  const QFileInfo file(entry.File);
  if (file.absolutePath() != root)
    return 2;
  if (file.fileName() == QLatin1String("blank.grx"))
    return 0;
  return file.fileName() == QLatin1String("birthday.grx") ? 1 : 2;
}

} // namespace

TTemplateCatalogue::TTemplateCatalogue(const QString& folder, const QString& userFolder) : FFolder(folder) {
  QList<TTemplateEntry> topLevel;
  Read(folder, topLevel);
  if (!userFolder.isEmpty() && QDir(userFolder).absolutePath() != QDir(folder).absolutePath())
    Read(userFolder, topLevel);
  const QStringList occasions = Occasions();
  for (TTemplateEntry& entry : topLevel) {
    const QString name = QFileInfo(entry.File).completeBaseName();
    for (const QString& occasion : occasions)
      if (occasion.compare(name, Qt::CaseInsensitive) == 0)
        entry.Occasion = occasion;
  }
  FEntries << topLevel;
  const QString rootPath = QDir(folder).absolutePath();
  std::sort(FEntries.begin(), FEntries.end(), [&](const TTemplateEntry& a, const TTemplateEntry& b) {
    const int rankA = FixedRank(a, rootPath), rankB = FixedRank(b, rootPath);
    if (rankA != rankB)
      return rankA < rankB;
    // A card of no occasion comes after all occasions.
    if (a.Occasion.isEmpty() != b.Occasion.isEmpty())
      return b.Occasion.isEmpty();
    const int occasion = a.Occasion.compare(b.Occasion, Qt::CaseInsensitive);
    if (occasion != 0)
      return occasion < 0;
    const int title = a.Title.compare(b.Title, Qt::CaseInsensitive);
    return title != 0 ? title < 0 : a.File < b.File;
  });
}

void TTemplateCatalogue::Read(const QString& folder, QList<TTemplateEntry>& topLevel) {
  const QDir root(folder);
  QDirIterator found(folder, {QStringLiteral("*.grx")}, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
  while (found.hasNext()) {
    const QFileInfo file(found.next());
    const QString relative = root.relativeFilePath(file.absoluteFilePath());
    TTemplateEntry entry;
    entry.File = file.absoluteFilePath();
    entry.Title = MovieNameOf(entry.File);
    if (entry.Title.isEmpty())
      entry.Title = file.completeBaseName();
    entry.Occasion = relative.contains(QLatin1Char('/')) ? relative.section(QLatin1Char('/'), 0, 0) : QString();
    (entry.Occasion.isEmpty() ? topLevel : FEntries) << entry;
  }
}

QStringList TTemplateCatalogue::Occasions() const {
  QStringList occasions;
  for (const TTemplateEntry& entry : FEntries)
    if (!entry.Occasion.isEmpty() && !occasions.contains(entry.Occasion))
      occasions << entry.Occasion;
  std::sort(occasions.begin(), occasions.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  return occasions;
}

QString TTemplateCatalogue::FileAt(int index) const {
  if (index >= 0 && index < FEntries.size())
    return FEntries[index].File;
  return QDir(FFolder).filePath(QStringLiteral("blank.grx"));
}
