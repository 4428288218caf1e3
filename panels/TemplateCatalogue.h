// The card templates: every card file in the program's template folder and in the user's
// own, and in their folders, one folder per occasion, so a user adds a template by dropping
// a card file in.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct TTemplateEntry {
  QString File;     // absolute path of the card file
  QString Title;    // the card's MovieName, else its file name
  QString Occasion; // its folder's name; empty for a card that belongs to no occasion
};

class TTemplateCatalogue {
public:
  // Reads the folder now. The blank card comes first and the birthday card second (the
  // guide's first two entries ever since there were only these two), then the others by
  // occasion and title. A card at the top whose name is an occasion's belongs to it.
  // The user's folder may be empty or missing.
  explicit TTemplateCatalogue(const QString& folder, const QString& userFolder = {});

  const QList<TTemplateEntry>& Entries() const { return FEntries; }
  // The occasions that have a template, in alphabetical order.
  QStringList Occasions() const;
  // The entry's file; the blank card's for an index outside the list.
  QString FileAt(int index) const;

private:
  void Read(const QString& folder, QList<TTemplateEntry>& topLevel);

  QString FFolder;
  QList<TTemplateEntry> FEntries;
};
