#include "panels/PanelLayout.h"

#include <QLabel>
#include <QWidget>

void ApplyPanelFont(QWidget* panel) {
  // Liberation Sans keeps the proportions of the classic dialog fonts the layout is sized for.
  QFont font = panel->font();
  font.setFamilies({QStringLiteral("Liberation Sans"), font.family()});
  font.setPointSize(8);
  panel->setFont(font);
}

QLabel* MakeFieldLabel(QWidget* panel, const char* name, const QString& text, int x, int y,
                       QWidget* buddy) {
  auto* label = new QLabel(text, panel);
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  label->adjustSize();
  label->move(x, y + (PanelLayout::RowHeight - label->height()) / 2);
  return label;
}
