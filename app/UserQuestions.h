// The questions the editor asks before it could lose work: whether to save a changed card,
// whether to restore a card a crashed run left behind, and whether an export may replace
// files the user did not name. The standard one shows message
// boxes; tests answer with their own.
#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

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

  // "<names> already exist beside the web page. Replace them?" with Replace and Cancel (the
  // default): the files a web page brings along, which the user did not choose. True replaces.
  virtual bool ReplacePageFiles(QWidget* parent, const QStringList& names);

  // The card's missing pictures and sounds, each to be located (Missing Pictures and Sounds):
  // the missing path → the file found for it; nothing when the user opens the card without.
  virtual QMap<QString, QString> LocateMissingMedia(QWidget* parent, const QStringList& missing,
                                                    const QString& folder);

  // The files outside a card's folder (and the program's library) that the card opened will
  // read, listed before it renders them; the user goes on with OK.
  virtual void ShowOutsideMedia(QWidget* parent, const QStringList& files);

  static QString SaveChangesText(const QString& name);
  static QString OutsideMediaText(const QStringList& files);
  static QString ReplacePageFilesText(const QStringList& names);
  static QString RestoreCardText(const QString& name, const QDateTime& changed);
};
