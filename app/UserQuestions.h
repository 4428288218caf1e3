// The questions the editor asks before it could lose work: whether to save a changed card,
// and whether to restore a card a crashed run left behind. The standard one shows message
// boxes; tests answer with their own.
#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

enum class TSaveAnswer { Save, DontSave, Cancel };
enum class TRestoreAnswer { Restore, Discard, Later };

class TUserQuestions {
public:
  virtual ~TUserQuestions() = default;
  // "Save changes to <name>?" with Save, Don't Save and Cancel.
  virtual TSaveAnswer SaveChanges(QWidget* parent, const QString& name);
  // "Greetix closed unexpectedly. Restore the card <name>, last changed <time>?" with
  // Restore (the default) and Discard; closing the box answers Later.
  virtual TRestoreAnswer RestoreCard(QWidget* parent, const QString& name, const QDateTime& changed);

  static QString SaveChangesText(const QString& name);
  static QString RestoreCardText(const QString& name, const QDateTime& changed);
};
