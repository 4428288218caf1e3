#include "convert/ConvertForm.h"

#include <QFileDialog>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>

namespace {

constexpr int Margin = 8;
constexpr int EditLeft = 92;
constexpr int EditWidth = 242;
constexpr int EditHeight = 21;

QLabel* MakeLabel(QDialog* form, const QString& name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, form);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  return label;
}

QLineEdit* MakeEdit(QDialog* form, int y) {
  auto* edit = new QLineEdit(form);
  edit->setGeometry(EditLeft, y, EditWidth, EditHeight);
  return edit;
}

} // namespace

TConvertFormWidgets BuildConvertForm(QDialog* form, int clientWidth, int clientHeight,
                                     const QString& caption, const QString& heading,
                                     const QString& sourceLabel, const QString& targetLabel) {
  form->setWindowTitle(caption);
  // A fixed dialog border: the size is the layout's, not the user's.
  form->setFixedSize(clientWidth, clientHeight);
  form->setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
  QPalette palette = form->palette();
  palette.setColor(QPalette::Window, QColor(ConvertFormColor & 0xFF, (ConvertFormColor >> 8) & 0xFF,
                                            (ConvertFormColor >> 16) & 0xFF));
  form->setPalette(palette);
  form->setAutoFillBackground(true);
  // The layout is measured for a small dialog font; the labels fit beside the edit boxes.
  // Liberation Sans keeps the proportions of the classic dialog fonts.
  QFont font = form->font();
  font.setFamilies({QStringLiteral("Liberation Sans"), font.family()});
  font.setPointSize(8);
  form->setFont(font);

  TConvertFormWidgets widgets;
  widgets.Heading = MakeLabel(form, QStringLiteral("LabelHeading"), heading, Margin, Margin);
  widgets.Source = MakeEdit(form, 32);
  widgets.Target = MakeEdit(form, 60);
  widgets.SourceLabel = MakeLabel(form, QStringLiteral("LabelSource"), sourceLabel, Margin, 35);
  widgets.TargetLabel = MakeLabel(form, QStringLiteral("LabelTarget"), targetLabel, Margin, 63);
  widgets.OK = new QPushButton(QStringLiteral("OK"), form);
  widgets.OK->setObjectName(QStringLiteral("OK"));
  widgets.OK->setGeometry((clientWidth - 75) / 2, clientHeight - 33, 75, 25);
  widgets.OK->setDefault(true);
  return widgets;
}

QString ChooseConvertSource(QWidget* parent, const QString& dialogName, const QString& filter) {
  QFileDialog dialog(parent);
  dialog.setObjectName(dialogName);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(filter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return QString();
  return dialog.selectedFiles().constFirst();
}

void ShowConvertMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationName(), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

void ShowConvertError(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationName(), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

QString ChangeFileExt(const QString& fileName, const QString& extension) {
  const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  if (dot > slash && dot > slash + 1)
    return fileName.left(dot) + extension;
  return fileName + extension;
}
