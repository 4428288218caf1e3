#include "panels/PicFrm.h"

#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <exception>

#include "panels/PanelCommands.h"
#include "panels/PanelHost.h"
#include "panels/PanelLayout.h"
#include "panels/PicSelectFrm.h"
#include "panels/SpinEdit.h"
#include "render/FlashPic.h"
#include "render/PicEffects.h"
#include "render/PicturePanel.h"
#include "render/PicturePreview.h"
#include "render/RenderContext.h"

namespace {

TFlashPic* CurrentPicture()
{
  IPanelHost* host = PanelHost();
  return host ? dynamic_cast<TFlashPic*>(host->RenderContext().EditingObject("Pic")) : nullptr;
}

// The rows under the thumbnail.
constexpr int FieldRowY(int row) { return 56 + (row - 2) * PanelLayout::RowPitch; }

} // namespace

// The controls as the picture object fills and reads them.
class TPicForm::TView : public IPicturePanel {
public:
  explicit TView(TPicForm& form) : Form(form) {}

  void SetUpdating(bool updating) override { Form.SetUpdating(updating); }
  bool LoadPicture(const std::string& path) override
  {
    try {
      const TRgbPicture picture = ReadPreviewPicture(path);
      const QImage image(picture.Pixels.data(), picture.Width, picture.Height, static_cast<qsizetype>(picture.RowBytes()),
                         QImage::Format_RGB888);
      // The image refers to the picture's pixels: the pixmap takes its own copy.
      Form.Content->setPixmap(QPixmap::fromImage(image));
      return true;
    } catch (const std::exception&) {
      return false;
    }
  }
  void ClearPicture() override { Form.Content->setPixmap(QPixmap()); }
  int EditPositionX() const override { return Form.EditPositionX->Value(); }
  void SetEditPositionX(int value) override { Form.EditPositionX->SetValue(value); }
  int EditPositionY() const override { return Form.EditPositionY->Value(); }
  void SetEditPositionY(int value) override { Form.EditPositionY->SetValue(value); }
  int EditWidth() const override { return Form.EditWidth->Value(); }
  void SetEditWidth(int value) override { Form.EditWidth->SetValue(value); }
  int EditHeight() const override { return Form.EditHeight->Value(); }
  void SetEditHeight(int value) override { Form.EditHeight->SetValue(value); }
  int EditBegin() const override { return Form.EditBegin->Value(); }
  void SetEditBegin(int value) override { Form.EditBegin->SetValue(value); }
  int EditEnd() const override { return Form.EditEnd->Value(); }
  void SetEditEnd(int value) override { Form.EditEnd->SetValue(value); }
  std::vector<std::string> EffectNames() const override
  {
    std::vector<std::string> names;
    for (int i = 0; i < Form.EffectName->count(); ++i) names.push_back(Form.EffectName->itemText(i).toStdString());
    return names;
  }
  int EffectIndex() const override { return Form.EffectName->currentIndex(); }
  void SetEffectIndex(int index) override { Form.EffectName->setCurrentIndex(index); }

private:
  TPicForm& Form;
};

TPicForm::TPicForm(QWidget* owner) : TPropertyForm(owner)
{
  resize(FloatingWidth, FloatingHeight);
  BuildControls();
}

TPicForm::TPicForm(QWidget* owner, QWidget* hostPanel) : TPropertyForm(owner, hostPanel) { BuildControls(); }

TPicForm::~TPicForm()
{
  if (IPanelHost* host = PanelHost()) {
    TRenderContext& context = host->RenderContext();
    if (context.PicturePanel == View.get()) context.PicturePanel = nullptr;
  }
}

void TPicForm::BuildControls()
{
  setObjectName(QStringLiteral("PicForm"));
  setWindowTitle(QStringLiteral("PicForm"));
  ApplyPanelFont(this);
  ChildImage2->move(ChildImage2->x(), 1);
  using namespace PanelLayout;

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::NoFrame);
  Panel1->setGeometry(FieldX, 8, 72, 42);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Panel1->setFocusPolicy(Qt::TabFocus);
  Content = new QLabel(Panel1);
  Content->setObjectName(QStringLiteral("Content"));
  Content->setGeometry(0, 0, 72, 42);
  Content->setScaledContents(true);
  Content->setCursor(Qt::PointingHandCursor);
  Content->setToolTip(QStringLiteral("Background Picture"));
  Content->installEventFilter(this);
  Label1 = MakeFieldLabel(this, "Label1", QStringLiteral("&Picture:"), LabelX, 8, Panel1);

  EditPositionX = MakeSpinEdit(this, "EditPositionX", -10000, 10000, 0);
  EditPositionX->setGeometry(FieldX, FieldRowY(2), FieldWidth, RowHeight);
  Label2 = MakeFieldLabel(this, "Label2", QStringLiteral("Pos&X:"), LabelX, FieldRowY(2), EditPositionX);
  EditPositionY = MakeSpinEdit(this, "EditPositionY", -10000, 10000, 0);
  EditPositionY->setGeometry(Field2X, FieldRowY(2), Field2Width, RowHeight);
  Label3 = MakeFieldLabel(this, "Label3", QStringLiteral("Pos&Y:"), Label2X, FieldRowY(2), EditPositionY);

  EditWidth = MakeSpinEdit(this, "EditWidth", 1, 10000, 1);
  EditWidth->setGeometry(FieldX, FieldRowY(3), FieldWidth, RowHeight);
  Label4 = MakeFieldLabel(this, "Label4", QStringLiteral("&Width:"), LabelX, FieldRowY(3), EditWidth);
  EditHeight = MakeSpinEdit(this, "EditHeight", 1, 10000, 1);
  EditHeight->setGeometry(Field2X, FieldRowY(3), Field2Width, RowHeight);
  Label5 = MakeFieldLabel(this, "Label5", QStringLiteral("&Height:"), Label2X, FieldRowY(3), EditHeight);

  EditBegin = MakeSpinEdit(this, "EditBegin", 1, 100000, 1);
  EditBegin->setGeometry(FieldX, FieldRowY(4), FieldWidth, RowHeight);
  Label6 = MakeFieldLabel(this, "Label6", QStringLiteral("&Start:"), LabelX, FieldRowY(4), EditBegin);
  EditEnd = MakeSpinEdit(this, "EditEnd", -1, 100000, 0);
  EditEnd->setGeometry(Field2X, FieldRowY(4), Field2Width, RowHeight);
  Label7 = MakeFieldLabel(this, "Label7", QStringLiteral("&End:"), Label2X, FieldRowY(4), EditEnd);

  EffectName = new QComboBox(this);
  EffectName->setObjectName(QStringLiteral("EffectName"));
  for (const std::string& name : TPicEffects::OfferedNames()) EffectName->addItem(QString::fromStdString(name));
  EffectName->setMaxVisibleItems(8);
  EffectName->setGeometry(FieldX, FieldRowY(5), WideFieldWidth, RowHeight);
  Label8 = MakeFieldLabel(this, "Label8", QStringLiteral("&Effect:"), LabelX, FieldRowY(5), EffectName);

  QWidget* tabOrder[] = {Panel1, EditPositionX, EditPositionY, EditWidth, EditHeight, EffectName, EditBegin, EditEnd};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

  for (TSpinEdit* edit : {EditPositionX, EditPositionY, EditWidth, EditHeight, EditBegin, EditEnd}) {
    connect(edit, &TSpinEdit::Changed, this, &TPicForm::EditPositionXChange);
    edit->installEventFilter(this);
  }
  // Connected once the list is filled, so filling it applies nothing.
  connect(EffectName, &QComboBox::currentIndexChanged, this, &TPicForm::EffectNameChange);

  View = std::make_unique<TView>(*this);
  // The picture object fills and reads this panel from now on.
  if (IPanelHost* host = PanelHost()) host->RenderContext().PicturePanel = View.get();
}

IPicturePanel& TPicForm::Panel() { return *View; }

bool TPicForm::HasPicture() const { return !Content->pixmap().isNull(); }

void TPicForm::ContentClick()
{
  TPicSelectForm* chooser = TPicSelectForm::Instance();
  const TFlashPic* picture = CurrentPicture();
  chooser->EditPicName->setText(picture ? QString::fromStdString(picture->Content) : QString());
  chooser->exec();
}

void TPicForm::EditPositionXChange() { StartDelayedApply(); }

void TPicForm::EditPositionXKeyDown(int key) { ApplyOnEnter(key); }

void TPicForm::EffectNameChange()
{
  if (IsUpdating) return;
  RunPanelCommand(this, [] {
    // Choosing an effect gives the picture 25 frames from its first.
    StoreEffectChoice(CurrentPicture(), [](const std::string& name) {
      return TPicEffects::Find(name) ? std::optional<int>(TPicEffects::DefaultLength) : std::nullopt;
    });
  });
}

void TPicForm::Apply() { StoreObjectAndRender(CurrentPicture()); }

bool TPicForm::eventFilter(QObject* watched, QEvent* event)
{
  if (watched == Content && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    ContentClick();
    return true;
  }
  if (watched != Content && event->type() == QEvent::KeyPress)
    EditPositionXKeyDown(static_cast<QKeyEvent*>(event)->key());
  return TPropertyForm::eventFilter(watched, event);
}
