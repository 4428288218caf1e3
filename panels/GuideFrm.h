// The new-card guide: a modal dialog that shows the card templates by occasion, each as a
// picture of the card with its name, plays the selected one, and reports which one the
// user chose.
#pragma once

#include <QDialog>
#include <QString>

#include "panels/TemplateCatalogue.h"

class QLabel;
class QListWidget;
class QMovie;
class QPushButton;
class QTabWidget;
class QWidget;
class TTemplatePictures;

// Background of the guide: red 200, green 228, blue 169.
inline constexpr unsigned GuideFormColor = 11134152;

// Entries of the guide that keep their place, in the catalogue's order.
inline constexpr int GuideBlank = 0;
inline constexpr int GuideBirthday = 1;

// Where the guide finds the templates (the program's and the user's own), and the program
// and folder for their pictures (no pictures without a program).
struct TGuideSources {
  QString TemplateFolder;
  QString Program;
  QString CacheFolder;
  QString UserTemplateFolder;
};

class TGuideForm : public QDialog {
  Q_OBJECT
public:
  // guideResult is the program-wide guide choice, the index of the chosen template in the
  // catalogue of the template folder: written only when the dialog closes with OK, left as
  // it was otherwise.
  TGuideForm(int& guideResult, const TGuideSources& sources, QWidget* parent = nullptr);
  ~TGuideForm() override;

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QListWidget* OccasionList = nullptr;
  QListWidget* ListView1 = nullptr;
  QLabel* PreviewPicture = nullptr;
  QLabel* PreviewTitle = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  const TTemplateCatalogue& Catalogue() const { return FCatalogue; }

public slots:
  void FormCreate();
  void OccasionListChange();
  void ListView1Change();
  void ListView1DblClick();
  void OkBtnClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void RecordResult();
  void ShowPoster(const QString& card, const QString& picture);
  void PlayAnimation(const QString& card, const QString& picture);
  QString SelectedFile() const;

  int& GuideResult;
  TTemplateCatalogue FCatalogue;
  TTemplatePictures* FPictures = nullptr;
  QMovie* FMovie = nullptr;
};
