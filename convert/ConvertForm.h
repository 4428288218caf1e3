// The look shared by the two conversion dialogs and their message boxes.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// Background of the conversion dialogs: red 200, green 228, blue 169.
inline constexpr unsigned ConvertFormColor = 11134152;

// Builds the dialog's fixed layout: a heading, two labelled edit boxes and an OK button.
struct TConvertFormWidgets {
  QLabel* Heading = nullptr;
  QLabel* SourceLabel = nullptr;
  QLabel* TargetLabel = nullptr;
  QLineEdit* Source = nullptr;
  QLineEdit* Target = nullptr;
  QPushButton* OK = nullptr;
};
TConvertFormWidgets BuildConvertForm(QDialog* form, int clientWidth, int clientHeight,
                                     const QString& caption, const QString& heading,
                                     const QString& sourceLabel, const QString& targetLabel);

// Asks for the file to convert with an open-file dialog named `dialogName` showing
// `filter`; an empty string when the user cancels.
QString ChooseConvertSource(QWidget* parent, const QString& dialogName, const QString& filter);

// The plain message box that tells the result of a conversion.
void ShowConvertMessage(QWidget* parent, const QString& text);
// The error box for a file that cannot be opened, read or written.
void ShowConvertError(QWidget* parent, const QString& text);

// The name with its extension replaced (or added when it has none).
QString ChangeFileExt(const QString& fileName, const QString& extension);
