// The editor started as a user starts it, offscreen: a fresh main window per test, file
// dialogs answered by the test, error boxes collected instead of shown, and the registry in
// a temporary file.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "app/FileDialogs.h"
#include "app/MainFrm.h"
#include "app/UserQuestions.h"

class TFlashCard;
class TObjListForm;
namespace player {
class TFlashPlayer;
}

// Answers the file dialogs from a list; an empty answer (or none left) cancels.
class TAnswerDialogs : public TFileDialogs {
public:
  QStringList Answers;
  QStringList FiltersAsked;
  QStringList FoldersAsked; // where each save dialog opened
  QString OpenFileName(QWidget*, const QString& filter) override { return Next(filter); }
  QString SaveFileName(QWidget*, const QString& filter, const QString& folder) override {
    FoldersAsked << folder;
    return Next(filter);
  }
  // An export's picture sizes: the ones offered, the one shown first, and the answer (-1:
  // the one shown).
  QStringList SizesOffered;
  int SizeShown = -1;
  int SizeAnswer = -1;
  QString SaveExportFileName(QWidget* parent, const QString& filter, const QString& folder, const QStringList& sizes,
                             int& size) override {
    SizesOffered = sizes;
    SizeShown = size;
    if (SizeAnswer >= 0)
      size = SizeAnswer;
    return SaveFileName(parent, filter, folder);
  }

private:
  QString Next(const QString& filter) {
    FiltersAsked << filter;
    return Answers.isEmpty() ? QString() : Answers.takeFirst();
  }
};

// Answers the questions about unsaved and crashed cards and replaced files from lists,
// noting what was asked; with no answer left, Don't Save, Later and Cancel (the card goes,
// nothing is restored or replaced).
class TAnswerQuestions : public TUserQuestions {
public:
  QList<TSaveAnswer> SaveAnswers;
  QList<TRestoreAnswer> RestoreAnswers;
  QStringList Asked;
  TSaveAnswer SaveChanges(QWidget*, const QString& name) override {
    Asked << SaveChangesText(name);
    return SaveAnswers.isEmpty() ? TSaveAnswer::DontSave : SaveAnswers.takeFirst();
  }
  TRestoreAnswer RestoreCard(QWidget*, const QString& name, const QDateTime& changed) override {
    Asked << RestoreCardText(name, changed);
    return RestoreAnswers.isEmpty() ? TRestoreAnswer::Later : RestoreAnswers.takeFirst();
  }
  // The files "located" for missing media, by missing path; the lists asked about.
  QMap<QString, QString> LocatedMedia;
  QList<QStringList> MissingAsked;
  QMap<QString, QString> LocateMissingMedia(QWidget*, const QStringList& missing, const QString&) override {
    MissingAsked << missing;
    return LocatedMedia;
  }
  QList<QStringList> OutsideShown;
  void ShowOutsideMedia(QWidget*, const QStringList& files) override { OutsideShown << files; }
  // With no answer left: Cancel.
  QList<bool> ReplaceAnswers;
  bool ReplacePageFiles(QWidget*, const QStringList& names) override {
    Asked << ReplacePageFilesText(names);
    return !ReplaceAnswers.isEmpty() && ReplaceAnswers.takeFirst();
  }
};

class EditorTest : public ::testing::Test {
protected:
  EditorTest();
  ~EditorTest() override;

  // Creates the main window with the command-line arguments and shows it (which opens the
  // start-up document).
  TMainForm& Start(const QStringList& arguments = {});
  TMainForm& Form() { return *MainForm; }
  TGlobal& Global() { return MainForm->Global(); }
  TFlashCard* Card() { return MainForm->Global().FlashCard.get(); }
  player::TFlashPlayer& Player();
  TObjListForm* Library();
  TAnswerDialogs& Dialogs() { return *Answers; }
  TAnswerQuestions& Questions() { return *QuestionAnswers; }

  // A movie of the given stage size (pixels) and frame count, written by the builder.
  QString MakeMovie(const QString& name, int width, int height, int frames);
  // Runs New, answering the guide with the entry (-1 cancels) once it is open.
  void NewWithGuide(int entry, bool* okWasDisabled = nullptr);
  // A press and release of a mouse button at a client point, as the window system delivers
  // it (through the window, so the application's message hook sees it).
  void PressAt(Qt::MouseButton button, QPoint clientPoint);
  void ReleaseAt(Qt::MouseButton button, QPoint clientPoint);

  QTemporaryDir Dir;
  QStringList Errors;

private:
  std::unique_ptr<TMainForm> MainForm;
  TAnswerDialogs* Answers = nullptr;
  TAnswerQuestions* QuestionAnswers = nullptr;
  QByteArray OldTempFolder;
};
