#include "app/ListCardsFrm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QStyle>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/ListCardsReport.h"
#include "bulk/BatchFormats.h"
#include "bulk/ListFile.h"
#include "bulk/StageFit.h"
#include "card/CardFields.h"
#include "document/XMLUnit.h"
#include "platform/AtomicFile.h"
#include "platform/SystemPaths.h"

namespace {

QWidget* WithButton(QLineEdit* edit, QPushButton* button)
{
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  return row;
}

template <typename TWidget>
TWidget* Named(TWidget* widget, const char* name)
{
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// " The text runs off the stage in rows 3, 7 and 12." for the list's state.
QString OffStageText(const QList<int>& rows, bool partly)
{
  if (rows.isEmpty()) return partly ? QStringLiteral(" No text runs off the stage in the first %1 rows.").arg(TListCardsForm::CheckedRows) : QString();
  QStringList numbers;
  for (int i = 0; i < rows.size() && i < 10; ++i) numbers << QString::number(rows[i]);
  QString where = numbers.size() == 1 ? QStringLiteral("row ") + numbers.front()
                  : QStringLiteral("rows ") + numbers.mid(0, numbers.size() - 1).join(QStringLiteral(", ")) +
                        (rows.size() > numbers.size() ? QStringLiteral(", ") + numbers.last() + QStringLiteral(" and %1 more").arg(rows.size() - numbers.size())
                                                       : QStringLiteral(" and ") + numbers.last());
  return QStringLiteral(" The text runs off the stage in ") + where +
         (partly ? QStringLiteral(" (of the first %1 rows)").arg(TListCardsForm::CheckedRows) : QString()) + QLatin1Char('.');
}

// The rows whose texts run off the stage.
const QColor OffStageColour(255, 221, 214);

} // namespace

TListCardsForm::TListCardsForm(const QString& cardFile, QWidget* parent, const QString& folder)
    : QDialog(parent), CardFile(cardFile), StartFolder(folder)
{
  setObjectName(QStringLiteral("ListCardsFrm"));
  setWindowTitle(QStringLiteral("Make Cards for a List"));
  try {
    TXMLCardDocument document(cardFile.toStdString());
    for (const std::string& field : CardFieldNames(BindMovie(document))) CardFields << QString::fromStdString(field);
    Fit = std::make_unique<TStageFit>(cardFile.toStdString());
  } catch (const std::exception&) {
    // The run reports a card it cannot read.
  }

  EditList = Named(new QLineEdit, "EditList");
  auto* btnList = Named(new QPushButton(QStringLiteral("Choose...")), "BtnList");
  ComboFormat = Named(new QComboBox, "ComboFormat");
  for (const std::string& format : BatchFormats())
    if (FormatRefusal(format).empty()) ComboFormat->addItem(QString::fromStdString(format));
  EditFolder = Named(new QLineEdit, "EditFolder");
  auto* btnFolder = Named(new QPushButton(QStringLiteral("Choose...")), "BtnFolder");
  EditName = Named(new QLineEdit, "EditName");
  EditName->setPlaceholderText(QStringLiteral("the list's first field, e.g. {Name}-birthday"));
  LabelFields = Named(new QLabel, "LabelFields");
  LabelFields->setText(CardFields.isEmpty() ? QStringLiteral("The card uses no {fields} in its texts.")
                                            : QStringLiteral("Fields the card uses: ") + CardFields.join(QStringLiteral(", ")));
  LabelListState = Named(new QLabel, "LabelListState");
  LabelListState->setWordWrap(true);
  TableRows = Named(new QTableWidget, "TableRows");
  TableRows->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TableRows->setMinimumHeight(150);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("List:"), WithButton(EditList, btnList));
  form->addRow(QStringLiteral("Format:"), ComboFormat);
  form->addRow(QStringLiteral("Folder:"), WithButton(EditFolder, btnFolder));
  form->addRow(QStringLiteral("File names:"), EditName);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  BtnMake = Named(buttons->addButton(QStringLiteral("Make Cards"), QDialogButtonBox::AcceptRole), "BtnMake");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(LabelFields);
  layout->addWidget(TableRows, 1);
  layout->addWidget(LabelListState);
  layout->addWidget(buttons);
  resize(560, 420);

  connect(btnList, &QPushButton::clicked, this, &TListCardsForm::ChooseList);
  connect(btnFolder, &QPushButton::clicked, this, &TListCardsForm::ChooseFolder);
  connect(EditList, &QLineEdit::editingFinished, this, &TListCardsForm::LoadList);
  connect(BtnMake, &QPushButton::clicked, this, &TListCardsForm::MakeClicked);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TListCardsForm::~TListCardsForm() = default;

void TListCardsForm::ChooseList()
{
  const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Choose the list"), StartFolder,
                                                    QStringLiteral("List (*.csv *.tsv *.txt);;All files (*)"));
  if (file.isEmpty()) return;
  EditList->setText(file);
  LoadList();
}

void TListCardsForm::ChooseFolder()
{
  const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Folder for the cards"), StartFolder);
  if (!folder.isEmpty()) EditFolder->setText(folder);
}

bool TListCardsForm::LoadList()
{
  TableRows->clear();
  TableRows->setRowCount(0);
  TableRows->setColumnCount(0);
  try {
    const TListTable table = ReadListFile(EditList->text().toStdString(), ShownRows);
    TableRows->setColumnCount(static_cast<int>(table.Header.size()));
    QStringList header;
    QStringList missing = CardFields;
    for (const std::string& name : table.Header) {
      header << QString::fromStdString(name);
      missing.removeAll(header.back());
    }
    TableRows->setHorizontalHeaderLabels(header);
    const int shown = static_cast<int>(table.Records.size());
    TableRows->setRowCount(shown);
    QStringList rowNumbers;
    for (int r = 0; r < shown; ++r) {
      const TListRecord& record = table.Records[static_cast<std::size_t>(r)];
      rowNumbers << QString::number(record.Row);
      for (std::size_t c = 0; c < record.Cells.size() && c < table.Header.size(); ++c)
        TableRows->setItem(r, static_cast<int>(c), new QTableWidgetItem(QString::fromStdString(record.Cells[c])));
    }
    TableRows->setVerticalHeaderLabels(rowNumbers);
    QString state = QStringLiteral("%1 rows.").arg(table.RecordCount);
    if (!missing.isEmpty()) state += QStringLiteral(" The list has no column for: ") + missing.join(QStringLiteral(", "));
    if (missing.isEmpty()) state += OffStageText(MarkRowsOffStage(table), table.Records.size() > static_cast<std::size_t>(CheckedRows));
    LabelListState->setText(state);
    return missing.isEmpty() && table.RecordCount > 0;
  } catch (const std::exception& error) {
    LabelListState->setText(QString::fromStdString(error.what()));
    return false;
  }
}

QList<int> TListCardsForm::MarkRowsOffStage(const TListTable& table)
{
  QList<int> off;
  if (!Fit) return off;
  const std::size_t checked = std::min<std::size_t>(CheckedRows, table.Records.size());
  for (std::size_t r = 0; r < checked; ++r) {
    const TListRecord& record = table.Records[r];
    if (!record.Error.empty()) continue;
    TFieldValues values;
    for (std::size_t c = 0; c < record.Cells.size() && c < table.Header.size(); ++c) values[table.Header[c]] = record.Cells[c];
    std::vector<std::string> texts;
    try {
      texts = Fit->TextsOffStage(values);
    } catch (const std::exception&) {
      continue;
    }
    if (texts.empty()) continue;
    off << record.Row;
    if (static_cast<int>(r) >= TableRows->rowCount()) continue;
    const QString tip = QStringLiteral("The text \"%1\" runs off the stage.").arg(QString::fromStdString(texts.front()));
    for (int c = 0; c < TableRows->columnCount(); ++c) {
      if (!TableRows->item(static_cast<int>(r), c)) TableRows->setItem(static_cast<int>(r), c, new QTableWidgetItem);
      QTableWidgetItem* item = TableRows->item(static_cast<int>(r), c);
      item->setBackground(OffStageColour);
      item->setToolTip(tip);
    }
    QTableWidgetItem* header = TableRows->verticalHeaderItem(static_cast<int>(r));
    header->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    header->setToolTip(tip);
  }
  return off;
}

QStringList TListCardsForm::BatchArguments() const
{
  QStringList arguments = {QStringLiteral("batch"), CardFile,        EditList->text(),
                           QStringLiteral("-o"),    EditFolder->text(), QStringLiteral("--format"),
                           ComboFormat->currentText(), QStringLiteral("--progress")};
  if (!EditName->text().isEmpty()) arguments << QStringLiteral("--name") << EditName->text();
  return arguments;
}

int TListCardsForm::MakeCards()
{
  RunSummary.clear();
  if (EditList->text().isEmpty() || EditFolder->text().isEmpty()) {
    RunSummary = QStringLiteral("Choose a list and a folder first.");
    return -1;
  }
  QProcess run;
  QProgressDialog progress(QStringLiteral("Making cards..."), QStringLiteral("Cancel"), 0, 0, this);
  progress.setObjectName(QStringLiteral("MakeCardsProgress"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  QString output, errors;
  connect(&run, &QProcess::readyReadStandardOutput, &progress, [&] {
    while (run.canReadLine()) {
      const QString line = QString::fromUtf8(run.readLine()).trimmed();
      const QStringList parts = line.split(QLatin1Char(' '));
      if (parts.size() == 3 && parts[0] == QLatin1String("progress")) {
        progress.setMaximum(parts[2].toInt());
        progress.setValue(parts[1].toInt());
      } else {
        output += line + QLatin1Char('\n');
      }
    }
  });
  connect(&run, &QProcess::readyReadStandardError, &progress,
          [&] { errors += QString::fromUtf8(run.readAllStandardError()); });
  connect(&run, &QProcess::finished, &progress, [&] { progress.reset(); });
  // A polite stop first: the run drops the card it is making (a video can take a while)
  // and tells what it made.
  bool stopAsked = false; // the dialog forgets its Cancel when the run's end resets it
  connect(&progress, &QProgressDialog::canceled, &run, [&] {
    stopAsked = true;
    run.terminate();
  });
  run.start(Platform::ProgramFolder() + QStringLiteral("/greetix-cli"), BatchArguments());
  if (!run.waitForStarted()) {
    RunSummary = QStringLiteral("Cannot start greetix-cli: ") + run.errorString();
    return -1;
  }
  progress.exec();
  if (run.state() != QProcess::NotRunning && !run.waitForFinished(StopWaitMs)) {
    run.kill();
    run.waitForFinished(-1);
    // What the killed run was writing is no card; the next run would sweep it too.
    files::RemoveStaleTempFilesIn(EditFolder->text().toStdString());
  }
  output += QString::fromUtf8(run.readAllStandardOutput());
  errors += QString::fromUtf8(run.readAllStandardError());
  const bool cancelled = stopAsked || run.exitStatus() != QProcess::NormalExit;
  RunSummary = ListCardsReport(output, errors, cancelled);
  return cancelled ? -1 : run.exitCode();
}

void TListCardsForm::MakeClicked()
{
  const int status = MakeCards();
  if (status == 0) {
    QMessageBox::information(this, QApplication::applicationName(), RunSummary);
    accept();
  } else {
    QMessageBox::warning(this, QApplication::applicationName(), RunSummary);
  }
}
