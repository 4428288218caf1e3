#include "panels/TextFrm.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QAbstractItemView>
#include <QLabel>
#include <QFormLayout>
#include <QFrame>
#include <QToolButton>
#include <QStandardItemModel>
#include <QTimer>
#include <algorithm>

#include "panels/ColorButton.h"
#include "panels/ContentEdit.h"
#include "panels/PanelCommands.h"
#include "panels/PanelHost.h"
#include "panels/PanelLayout.h"
#include "panels/SpinEdit.h"
#include "panels/TextPanelView.h"
#include "render/FlashObj.h"
#include "render/RenderContext.h"
#include "render/effects/TextEffect.h"

namespace {

TFlashObj* CurrentText() {
  IPanelHost* host = PanelHost();
  return host ? host->RenderContext().EditingObject("Text") : nullptr;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(false);
  box->addItems(items);
  // A drop-down list below the box that shows maxVisibleItems lines and scrolls the rest.
  box->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  // Long family names stay readable: the list may be wider than the box.
  box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 24);
  return box;
}

// The classic effects first ("-- None --" stays entry 0), then each family under a
// heading that cannot be chosen.
void FillEffectList(QComboBox* box) {
  auto* model = qobject_cast<QStandardItemModel*>(box->model());
  for (const auto& [family, names] : TTextEffectRegistry::ByFamily()) {
    if (family != ClassicFamily) {
      box->insertSeparator(box->count());
      box->addItem(EffectFamilyHeading(family));
      if (model)
        model->item(box->count() - 1)->setEnabled(false);
    }
    for (const std::string& name : names)
      box->addItem(QString::fromStdString(name));
  }
  box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 24);
}

} // namespace

QString EffectFamilyHeading(const std::string& family) {
  return QStringLiteral("%1 effects").arg(QString::fromStdString(family));
}

TTextForm::TTextForm(QWidget* owner) : TPropertyForm(owner) {
  resize(FloatingWidth, FloatingHeight);
  BuildControls();
}

TTextForm::TTextForm(QWidget* owner, QWidget* hostPanel) : TPropertyForm(owner, hostPanel) {
  BuildControls();
}

TTextForm::~TTextForm() {
  if (IPanelHost* host = PanelHost()) {
    TRenderContext& context = host->RenderContext();
    if (context.TextPanel == View.get())
      context.TextPanel = nullptr;
  }
}

QStringList TTextForm::FontFamilies() {
  QStringList names;
  for (const QString& family : QFontDatabase::families())
    if (!QFontDatabase::isPrivateFamily(family))
      names << family;
  return FontFamilies(names);
}

QStringList TTextForm::FontFamilies(const QStringList& databaseNames) {
  QStringList families{QStringLiteral("Default")};
  for (QString family : databaseNames) {
    const qsizetype foundry = family.indexOf(QLatin1String(" ["));
    if (foundry > 0 && family.endsWith(QLatin1Char(']')))
      family.truncate(foundry);
    if (!families.contains(family))
      families << family;
  }
  std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  return families;
}

QStringList TTextForm::FontSizes() {
  return {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"};
}

void TTextForm::BuildControls() {
  setObjectName(QStringLiteral("TextForm"));
  setWindowTitle(QStringLiteral("TextForm"));
  ApplyPanelFont(this);
  using namespace PanelLayout;

  Content = new TContentEdit(this);
  Content->setObjectName(QStringLiteral("Content"));
  Content->setToolTip(QStringLiteral("Text Content"));
  Content->SetRowGeometry(FieldX, RowY(0), WideFieldWidth, RowHeight);
  Label1 = MakeFieldLabel(this, "Label1", QStringLiteral("Text:"), LabelX, RowY(0), Content);

  FontName = MakeList(this, "FontName", FontFamilies());
  FontName->setToolTip(QStringLiteral("Font Name"));
  FontName->setGeometry(FieldX, RowY(1), WideFieldWidth, RowHeight);
  FontName->setMaxVisibleItems(12);
  Label2 = MakeFieldLabel(this, "Label2", QStringLiteral("Font:"), LabelX, RowY(1), FontName);

  FontSize = MakeList(this, "FontSize", FontSizes());
  FontSize->setToolTip(QStringLiteral("Font Size"));
  FontSize->setGeometry(FieldX, RowY(2), FieldWidth, RowHeight);
  Label3 = MakeFieldLabel(this, "Label3", QStringLiteral("Size:"), LabelX, RowY(2), FontSize);

  FontColor = new TColorButton(this);
  FontColor->setObjectName(QStringLiteral("FontColor"));
  FontColor->setToolTip(QStringLiteral("Font Color"));
  FontColor->setGeometry(Field2X, RowY(2), Field2Width, RowHeight);
  Label4 = MakeFieldLabel(this, "Label4", QStringLiteral("Color:"), Label2X, RowY(2), FontColor);

  PositionX = MakeSpinEdit(this, "PositionX", -10000, 10000, 100);
  PositionX->setToolTip(QStringLiteral("Text Position X"));
  PositionX->SetMaxLength(4);
  PositionX->setGeometry(FieldX, RowY(3), FieldWidth, RowHeight);
  Label5 = MakeFieldLabel(this, "Label5", QStringLiteral("PosX:"), LabelX, RowY(3), PositionX);

  PositionY = MakeSpinEdit(this, "PositionY", -10000, 10000, 60);
  PositionY->setToolTip(QStringLiteral("Text Position Y"));
  PositionY->SetMaxLength(4);
  PositionY->setGeometry(Field2X, RowY(3), Field2Width, RowHeight);
  Label6 = MakeFieldLabel(this, "Label6", QStringLiteral("PosY:"), Label2X, RowY(3), PositionY);

  EditBegin = MakeSpinEdit(this, "EditBegin", 1, 10000, 1);
  EditBegin->setGeometry(FieldX, RowY(4), FieldWidth, RowHeight);
  Label7 = MakeFieldLabel(this, "Label7", QStringLiteral("&Start:"), LabelX, RowY(4), EditBegin);

  EditEnd = MakeSpinEdit(this, "EditEnd", -10000, 10000, 0);
  EditEnd->setGeometry(Field2X, RowY(4), Field2Width, RowHeight);
  Label8 = MakeFieldLabel(this, "Label8", QStringLiteral("&End:"), Label2X, RowY(4), EditEnd);

  EffectName = MakeList(this, "EffectName", {});
  FillEffectList(EffectName);
  EffectName->setToolTip(QStringLiteral("Text Effect Name"));
  EffectName->setGeometry(FieldX, RowY(5), WideFieldWidth, RowHeight);
  EffectName->setMaxVisibleItems(8);
  Label9 = MakeFieldLabel(this, "Label9", QStringLiteral("Effect:"), LabelX, RowY(5), EffectName);

  // The text's entrance, exit, alignment and style: on a small sheet that the button beside
  // the effect opens, so the docked panel keeps its height.
  EffectName->setGeometry(FieldX, RowY(5), WideFieldWidth - MoreButtonWidth - 2, RowHeight);
  BtnMoreText = new QToolButton(this);
  BtnMoreText->setObjectName(QStringLiteral("BtnMoreText"));
  BtnMoreText->setText(QStringLiteral("..."));
  BtnMoreText->setToolTip(QStringLiteral("Entrance, exit, alignment and style"));
  BtnMoreText->setGeometry(FieldX + WideFieldWidth - MoreButtonWidth, RowY(5), MoreButtonWidth, RowHeight);
  MoreSheet = new QFrame(this, Qt::Popup);
  MoreSheet->setObjectName(QStringLiteral("MoreSheet"));
  MoreSheet->setFrameShape(QFrame::StyledPanel);
  auto* sheet = new QFormLayout(MoreSheet);
  const auto familyList = [this](const char* name, const char* family) {
    QStringList items{QStringLiteral("(none)")};
    for (const auto& [listed, names] : TTextEffectRegistry::ByFamily())
      if (listed == family)
        for (const std::string& effect : names)
          items << QString::fromStdString(effect);
    return MakeList(MoreSheet, name, items);
  };
  EntranceEffect = familyList("EntranceEffect", EntranceFamily);
  EntranceEffect->setToolTip(QStringLiteral("Entrance before the effect"));
  sheet->addRow(QStringLiteral("Enter:"), EntranceEffect);
  ExitEffect = familyList("ExitEffect", ExitFamily);
  ExitEffect->setToolTip(QStringLiteral("Exit after the effect"));
  sheet->addRow(QStringLiteral("Leave:"), ExitEffect);
  TextAlign = MakeList(MoreSheet, "TextAlign", {QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right")});
  TextAlign->setToolTip(QStringLiteral("Alignment of the text's lines"));
  sheet->addRow(QStringLiteral("Align:"), TextAlign);
  TextStyle = MakeList(MoreSheet, "TextStyle", {QStringLiteral("Plain"), QStringLiteral("Outline"), QStringLiteral("Shadow"),
                                                QStringLiteral("Outline Shadow")});
  TextStyle->setToolTip(QStringLiteral("Outline and shadow of the letters"));
  sheet->addRow(QStringLiteral("Style:"), TextStyle);
  connect(BtnMoreText, &QToolButton::clicked, this, [this] {
    MoreSheet->adjustSize();
    MoreSheet->move(BtnMoreText->mapToGlobal(QPoint(BtnMoreText->width() - MoreSheet->width(), BtnMoreText->height())));
    MoreSheet->show();
  });

  QWidget* tabOrder[] = {EffectName, BtnMoreText, FontName, FontSize, PositionX, PositionY, EditBegin, EditEnd, Content};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i)
    setTabOrder(tabOrder[i - 1], tabOrder[i]);

  // Connected once the lists are filled, so filling them applies nothing.
  connect(Content, &QPlainTextEdit::textChanged, this, &TTextForm::ContentChange);
  Content->installEventFilter(this);
  for (TSpinEdit* edit : {PositionX, PositionY, EditBegin, EditEnd}) {
    connect(edit, &TSpinEdit::Changed, this, &TTextForm::ContentChange);
    edit->installEventFilter(this);
  }
  connect(FontName, &QComboBox::currentIndexChanged, this, &TTextForm::FontNameChange);
  connect(FontSize, &QComboBox::currentIndexChanged, this, &TTextForm::FontNameChange);
  connect(FontColor, &TColorButton::Changed, this, &TTextForm::FontNameChange);
  connect(FontColor, &TColorButton::clicked, this, &TTextForm::FontColorClick);
  connect(EffectName, &QComboBox::currentIndexChanged, this, &TTextForm::EffectNameChange);
  for (QComboBox* list : {EntranceEffect, ExitEffect, TextAlign, TextStyle})
    connect(list, &QComboBox::currentIndexChanged, this, &TTextForm::FontNameChange);

  WatchEffectList();
  View = std::make_unique<TTextPanelView>(*this);
  AttachToContext();
}

void TTextForm::WatchEffectList() {
  TrialTimer = new QTimer(this);
  TrialTimer->setObjectName(QStringLiteral("TrialTimer"));
  TrialTimer->setSingleShot(true);
  connect(TrialTimer, &QTimer::timeout, this, &TTextForm::TryPendingEffect);
  connect(EffectName, &QComboBox::highlighted, this, &TTextForm::EffectNameHover);
  // The list's viewport tells when the pointer leaves it, its window when it closes.
  EffectName->view()->viewport()->installEventFilter(this);
  EffectName->view()->window()->installEventFilter(this);
}

void TTextForm::EffectNameHover(int index) {
  const std::string name = EffectName->itemText(index).toStdString();
  // The text's own entry (highlighted as the list opens), headings and separators try
  // nothing: the card's own effect shows meanwhile.
  const bool tried = index != EffectName->currentIndex() && TTextEffectRegistry::Find(name);
  TryEffectSoon(tried ? name : std::string(), TrialDelay);
}

void TTextForm::TryEffectSoon(const std::string& effectName, int delay) {
  // The pointer moving within one entry does not put its trial off.
  if (effectName == PendingTrial && delay == TrialDelay)
    return;
  PendingTrial = effectName;
  TrialTimer->start(delay);
}

void TTextForm::TryPendingEffect() {
  IPanelHost* host = PanelHost();
  if (!host)
    return;
  TRenderContext& context = host->RenderContext();
  const std::optional<std::string> selected = context.Library ? context.Library->SelectedCaption() : std::nullopt;
  if (!selected && !PendingTrial.empty())
    return;
  const std::string name = selected.value_or(std::string());
  // Only a look: a trial that fails leaves the preview as it was and says nothing.
  RunQuietly([host, name, this] { host->TryEffect(name, PendingTrial); });
}

void TTextForm::AttachToContext() {
  if (IPanelHost* host = PanelHost())
    host->RenderContext().TextPanel = View.get();
}

void TTextForm::ContentChange() { StartDelayedApply(); }

void TTextForm::ContentKeyDown(int key) { ApplyOnEnter(key); }

void TTextForm::FontNameChange() {
  if (!IsUpdating)
    RunPanelCommand(this, [this] { Apply(); });
}

void TTextForm::FontColorClick() { FontColor->DropDown(); }

void TTextForm::EffectNameChange() {
  if (IsUpdating)
    return;
  RunPanelCommand(this, [] {
    // Choosing an effect gives the text the effect's own length from its first frame.
    StoreEffectChoice(CurrentText(), &TTextEffectRegistry::DefaultLength);
  });
}

void TTextForm::Apply() { StoreObjectAndRender(CurrentText()); }

bool TTextForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EffectName->view()->viewport()) {
    if (event->type() == QEvent::Leave)
      TryEffectSoon(std::string(), TrialDelay);
    // A heading or a separator under the pointer is not highlighted: it is watched here.
    if (event->type() == QEvent::MouseMove) {
      const QModelIndex under = EffectName->view()->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      if (!under.isValid() || !(under.flags() & Qt::ItemIsEnabled))
        TryEffectSoon(std::string(), TrialDelay);
    }
    return TPropertyForm::eventFilter(watched, event);
  }
  if (watched == EffectName->view()->window()) {
    // Closed: the card's own effect comes back, unless the entry chosen renders the card
    // first (the closing comes just before the choice).
    if (event->type() == QEvent::Hide)
      TryEffectSoon(std::string(), 0);
    return TPropertyForm::eventFilter(watched, event);
  }
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == Content && enter) {
      // Enter is a line break of the text, typed like any letter; Ctrl+Enter applies.
      if (!(key->modifiers() & Qt::ControlModifier))
        return false;
      ContentKeyDown(key->key());
      return true;
    }
    ContentKeyDown(key->key());
  }
  return TPropertyForm::eventFilter(watched, event);
}
