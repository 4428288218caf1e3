// "Make Cards for a List": the editor's way to make a card for every row of a list. The
// user picks the list, the format and the folder and sees the fields the card uses and the
// first rows; the cards are made by greetix-cli batch beside the program, with a progress
// dialog whose Cancel stops it (the cards already made stay, whole).
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProcess;
class QPushButton;
class QTableWidget;
class TStageFit;
struct TListTable;

class TListCardsForm : public QDialog {
  Q_OBJECT
public:
  // cardFile: the card as it is edited (the working project file); folder: where the
  // choosers of the list and the cards' folder open (the card's own folder).
  TListCardsForm(const QString& cardFile, QWidget* parent = nullptr, const QString& folder = {});
  ~TListCardsForm() override;

  // Reads the list named in the list box and shows its header and first rows; false (and
  // the reason in the dialog) when it cannot be read.
  bool LoadList();
  // Makes the cards with a progress dialog; the exit status of the run, -1 when it could
  // not start or was cancelled. Summary() then tells what happened.
  int MakeCards();
  QString Summary() const { return RunSummary; }

  static constexpr int ShownRows = 5;
  // Rows whose texts are checked against the stage when the list is read; a longer list
  // has the rest checked as its cards are made.
  static constexpr int CheckedRows = 2000;
  // How long a cancelled run may take to stop before it is killed.
  static constexpr int StopWaitMs = 10000;

private:
  void ChooseList();
  void ChooseFolder();
  void MakeClicked();
  QStringList BatchArguments() const;
  // The rows (numbered as a spreadsheet counts) among the first CheckedRows whose filled
  // texts run off the stage; the shown ones are marked in the table.
  QList<int> MarkRowsOffStage(const TListTable& table);

  QString CardFile;
  QString StartFolder;
  std::unique_ptr<TStageFit> Fit; // none for a card that cannot be read
  QStringList CardFields;
  QLineEdit* EditList = nullptr;
  QComboBox* ComboFormat = nullptr;
  QLineEdit* EditFolder = nullptr;
  QLineEdit* EditName = nullptr;
  QLabel* LabelFields = nullptr;
  QLabel* LabelListState = nullptr;
  QTableWidget* TableRows = nullptr;
  QPushButton* BtnMake = nullptr;
  QString RunSummary;
};
