// The missing pictures and sounds dialog: one list, Locate… finds the chosen file and the
// others of its folder, the next one still missing comes up, a cancelled choice changes nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "app/MissingMediaFrm.h"

TEST(MissingMediaForm, LocatingOneFileFindsTheOthersOfItsFolder) {
  QTemporaryDir dir;
  for (const char* name : {"a.jpg", "b.wav"}) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const QStringList missing = {"/old/a.jpg", "/old/c.png", "/old/b.wav"};
  QString answer;
  QStringList asked;
  TMissingMediaForm form(missing, QStringLiteral("/start"), nullptr,
                         [&](QWidget*, const QString& file, const QString& folder) {
                           asked << file + QLatin1Char('@') + folder;
                           return answer;
                         });
  ASSERT_EQ(form.List->topLevelItemCount(), 3);
  EXPECT_EQ(form.List->topLevelItem(1)->text(0), "c.png");
  EXPECT_EQ(form.List->topLevelItem(1)->text(1), "missing");

  // Cancelled: nothing found.
  form.LocateSelected();
  EXPECT_TRUE(form.Found().isEmpty());

  answer = dir.filePath("a.jpg");
  form.LocateSelected();
  EXPECT_EQ(asked, (QStringList{"/old/a.jpg@/start", "/old/a.jpg@/start"}));
  const QMap<QString, QString> found = form.Found();
  EXPECT_EQ(found.value("/old/a.jpg"), dir.filePath("a.jpg"));
  EXPECT_EQ(found.value("/old/b.wav"), dir.filePath("b.wav"));
  EXPECT_FALSE(found.contains("/old/c.png"));
  EXPECT_EQ(form.List->topLevelItem(2)->text(1), dir.filePath("b.wav"));
  // The one still missing is next, and its choice starts where the last file was found.
  EXPECT_EQ(form.List->currentItem(), form.List->topLevelItem(1));
  answer.clear();
  form.LocateSelected();
  EXPECT_EQ(asked.last(), "/old/c.png@" + QDir(dir.path()).absolutePath());
}
