// The new-card guide: a modal dialog that shows the card templates as large icons and
// reports which one the user chose.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;

// Background of the guide: red 200, green 228, blue 169.
inline constexpr unsigned GuideFormColor = 11134152;

// Entries of the guide, in list order.
inline constexpr int GuideBlank = 0;
inline constexpr int GuideBirthday = 1;

class TGuideForm : public QDialog {
  Q_OBJECT
public:
  // guideResult is the program-wide guide choice: written only when the dialog closes with
  // OK, left as it was otherwise.
  TGuideForm(int& guideResult, QWidget* parent = nullptr);

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QListWidget* ListView1 = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

public slots:
  void FormCreate();
  void ListView1Change();
  void ListView1DblClick();
  void OkBtnClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void RecordResult();
  int& GuideResult;
};
