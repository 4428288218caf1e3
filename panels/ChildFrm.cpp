#include "panels/ChildFrm.h"

#include <QLabel>
#include <QPalette>
#include <QResizeEvent>
#include <algorithm>
#include <vector>

#include "panels/UiBitmaps.h"

namespace {

// Every panel alive, so the library can reach the panel of an object's kind by name.
std::vector<TChildForm*>& LivePanels() {
  static std::vector<TChildForm*> panels;
  return panels;
}

QLabel* MakeLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

} // namespace

TChildForm::TChildForm(QWidget* owner) : QWidget(owner, Qt::Tool) {
  Build();
}

TChildForm::TChildForm(QWidget* owner, QWidget* hostPanel)
    : QWidget(hostPanel ? hostPanel : owner, hostPanel ? Qt::Widget : Qt::Tool),
      Docked(hostPanel != nullptr), Host(hostPanel) {
  Build();
}

TChildForm::~TChildForm() {
  auto& panels = LivePanels();
  panels.erase(std::remove(panels.begin(), panels.end(), this), panels.end());
}

TChildForm* TChildForm::Find(const QString& name) {
  for (TChildForm* panel : LivePanels())
    if (panel->objectName() == name)
      return panel;
  return nullptr;
}

void TChildForm::ApplyAllPendingEdits() {
  // A copy: an apply may free or make panels.
  const std::vector<TChildForm*> panels = LivePanels();
  for (TChildForm* panel : panels)
    if (std::find(LivePanels().begin(), LivePanels().end(), panel) != LivePanels().end())
      panel->ApplyPendingEdits();
}

void TChildForm::Build() {
  LivePanels().push_back(this);
  // Controls are drawn in the order they are made: the two background images come first.
  ChildImage1 = MakeLabel(this, "ChildImage1");
  ChildImage1->setScaledContents(true);
  ChildImage1->setAttribute(Qt::WA_TransparentForMouseEvents);
  ChildImage2 = MakeLabel(this, "ChildImage2");
  ChildImage2->setAttribute(Qt::WA_TransparentForMouseEvents);

  ChildLabelFlashObj1 = MakeLabel(this, "ChildLabelFlashObj1");
  ChildLabelFlashObj1->setText(QStringLiteral("Selected:"));
  ChildLabelFlashObj1->move(8, 182);
  QPalette black = ChildLabelFlashObj1->palette();
  black.setColor(QPalette::WindowText, Qt::black);
  ChildLabelFlashObj1->setPalette(black);

  ChildLabelFlashObj = MakeLabel(this, "ChildLabelFlashObj");
  ChildLabelFlashObj->move(56, 182);
  QFont bold = ChildLabelFlashObj->font();
  bold.setBold(true);
  ChildLabelFlashObj->setFont(bold);
  QPalette red = ChildLabelFlashObj->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  ChildLabelFlashObj->setPalette(red);
  SetSelectedName(QStringLiteral("Background"));
  ChildLabelFlashObj1->adjustSize();

  ChildImgLine = MakeLabel(this, "ChildImgLine");
  ChildImgLine->setAutoFillBackground(true);
  QPalette line = ChildImgLine->palette();
  line.setColor(QPalette::Window, QColor(120, 150, 110));
  ChildImgLine->setPalette(line);
  ChildImgLine->setGeometry(187, 7, 1, FloatingHeight - 14);

  if (Docked)
    Loaded();
  else
    resize(FloatingWidth, FloatingHeight);
  FormCreate();
  // A panel appears when it is shown: by the mode switch, the library or a command.
  hide();
}

void TChildForm::Loaded() {
  setWindowFlags(Qt::Widget);
  setParent(Host);
  setGeometry(0, 0, DockedWidth, DockedHeight);
}

void TChildForm::FormCreate() {
  // The panels repaint often while the user types; Qt widgets are double-buffered already.
  ChildImage1->setPixmap(Ui::Bitmap(QStringLiteral("left")));
}

void TChildForm::SetSelectedName(const QString& name) {
  ChildLabelFlashObj->setText(name);
  ChildLabelFlashObj->adjustSize();
}

void TChildForm::setVisible(bool visible) {
  QWidget::setVisible(visible);
  if (visible && Docked)
    raise();
}

void TChildForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ChildImage1->setGeometry(rect());
  ChildImage2->setGeometry(rect());
}
