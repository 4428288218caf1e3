#include "panels/ObjListFrm.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "document/XMLUnit.h"
#include "panels/ChildFrm.h"
#include "panels/InsertObject.h"
#include "panels/PanelCommands.h"
#include "panels/PanelHost.h"
#include "panels/PanelLayout.h"
#include "render/FlashObj.h"
#include "render/RenderContext.h"

namespace {

QAction* MakeAction(QObject* parent, const char* name, const QString& caption) {
  auto* action = new QAction(caption, parent);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

TRenderContext* Context() {
  IPanelHost* host = PanelHost();
  return host ? &host->RenderContext() : nullptr;
}

// The panel that edits objects of a kind, and the other two.
const char* PanelOfKind(const std::string& kind) {
  if (kind == "Text") return "TextForm";
  if (kind == "Pic") return "PicForm";
  if (kind == "Sound") return "SoundForm";
  return nullptr;
}

void ClosePanel(const char* name) {
  if (TChildForm* panel = TChildForm::Find(QString::fromLatin1(name)))
    panel->hide();
}

} // namespace

TObjListForm::TObjListForm(QWidget* owner) : QWidget(owner, Qt::Tool) { Build(); }

TObjListForm::TObjListForm(QWidget* owner, QWidget* hostPanel)
    : QWidget(hostPanel ? hostPanel : owner, hostPanel ? Qt::Widget : Qt::Tool),
      Docked(hostPanel != nullptr), Host(hostPanel) {
  Build();
}

TObjListForm::~TObjListForm() {
  // The card document goes with the window: the shared binding and the library view too.
  if (TRenderContext* context = Context()) {
    if (context->Document == Document.get()) {
      context->Document = nullptr;
      context->XMLMovie.reset();
    }
    if (context->Library == this)
      context->Library = nullptr;
  }
}

void TObjListForm::Build() {
  setObjectName(QStringLiteral("ObjListForm"));
  setWindowTitle(QStringLiteral("Movie Library"));
  ApplyPanelFont(this);
  Document = std::make_unique<TXMLCardDocument>();

  ObjTree = new QTreeWidget(this);
  ObjTree->setObjectName(QStringLiteral("ObjTree"));
  ObjTree->setHeaderHidden(true);
  ObjTree->setColumnCount(1);
  ObjTree->setIndentation(19);
  ObjTree->setRootIsDecorated(false);
  ObjTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ObjTree->setSelectionMode(QAbstractItemView::SingleSelection);
  ObjTree->setContextMenuPolicy(Qt::CustomContextMenu);
  ObjTree->setFrameShape(QFrame::Box);
  QPalette palette = ObjTree->palette();
  palette.setColor(QPalette::Base, QColor(TreeColor & 0xFF, (TreeColor >> 8) & 0xFF, TreeColor >> 16));
  // The selection stays visible when the tree has no focus.
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  ObjTree->setPalette(palette);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ObjTree);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  TextMenuItem = MakeAction(PopupMenu1, "TextMenuItem", QStringLiteral("Insert &Text"));
  PictureMenuItem = MakeAction(PopupMenu1, "PictureMenuItem", QStringLiteral("Insert &Picture"));
  SoundMenuItem = MakeAction(PopupMenu1, "SoundMenuItem", QStringLiteral("Insert &Sound"));
  N1 = MakeAction(PopupMenu1, "N1", QString());
  N1->setSeparator(true);
  Delete1 = MakeAction(PopupMenu1, "Delete1", QStringLiteral("&Delete"));
  PopupMenu1->addActions({TextMenuItem, PictureMenuItem, SoundMenuItem, N1, Delete1});

  DisplayObjAct = MakeAction(this, "DisplayObjAct", QStringLiteral("DisplayObjAct"));
  DisplayObjTreeAct = MakeAction(this, "DisplayObjTreeAct", QStringLiteral("DisplayObjTreeAct"));
  DelObjAct = MakeAction(this, "DelObjAct", QStringLiteral("DelObjAct"));

  connect(ObjTree, &QTreeWidget::itemSelectionChanged, this, &TObjListForm::ObjTreeChange);
  connect(ObjTree, &QTreeWidget::itemClicked, this, &TObjListForm::ObjTreeClick);
  connect(ObjTree, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(ObjTree->viewport()->mapToGlobal(at)); });
  ObjTree->installEventFilter(this);
  connect(TextMenuItem, &QAction::triggered, this, &TObjListForm::TextMenuItemClick);
  connect(PictureMenuItem, &QAction::triggered, this, &TObjListForm::PictureMenuItemClick);
  connect(SoundMenuItem, &QAction::triggered, this, &TObjListForm::SoundMenuItemClick);
  connect(Delete1, &QAction::triggered, DelObjAct, &QAction::trigger);
  connect(DisplayObjAct, &QAction::triggered, this,
          [this] { RunPanelCommand(this, [this] { DisplayObjActExecute(); }); });
  connect(DisplayObjTreeAct, &QAction::triggered, this,
          [this] { RunPanelCommand(this, [this] { DisplayObjTreeActExecute(); }); });
  connect(DelObjAct, &QAction::triggered, this,
          [this] { RunPanelCommand(this, [this] { DelObjActExecute(); }); });

  if (Docked)
    Loaded();
  else
    resize(FloatingWidth, FloatingHeight);
  AttachToContext();
  hide();
}

void TObjListForm::Loaded() {
  setWindowFlags(Qt::Widget);
  setParent(Host);
  setGeometry(0, 0, DockedWidth, DockedHeight);
}

void TObjListForm::AttachToContext() {
  if (TRenderContext* context = Context()) {
    context->Document = Document.get();
    context->XMLMovie.reset();
    context->Library = this;
  }
}

std::optional<std::string> TObjListForm::SelectedCaption() const {
  if (CaptionOverride)
    return CaptionOverride;
  const QList<QTreeWidgetItem*> selected = ObjTree->selectedItems();
  if (selected.isEmpty())
    return std::nullopt;
  return selected.first()->text(0).toStdString();
}

void TObjListForm::AddRootNode(const std::string& caption) {
  ObjTree->addTopLevelItem(new QTreeWidgetItem(QStringList(QString::fromStdString(caption))));
}

void TObjListForm::SelectLastNode() {
  ObjTree->setFocus();
  SelectNode(ObjTree->topLevelItemCount() - 1);
}

void TObjListForm::SelectNode(int index) {
  QTreeWidgetItem* item = ObjTree->topLevelItem(index);
  if (!item)
    return;
  ObjTree->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
}

void TObjListForm::FlushPendingEdits() {
  if (OpenedCaption.empty())
    return;
  // The pending edit belongs to the object that was open: its name stands for the selection
  // while the edit is stored.
  CaptionOverride = OpenedCaption;
  for (const char* name : {"TextForm", "PicForm", "SoundForm"})
    if (TChildForm* panel = TChildForm::Find(QString::fromLatin1(name)))
      panel->ApplyPendingEdits();
  CaptionOverride.reset();
}

void TObjListForm::ObjTreeChange() { DisplayObjAct->trigger(); }

void TObjListForm::ObjTreeClick() { DisplayObjAct->trigger(); }

void TObjListForm::FormKeyDown(int key) {
  if (key == Qt::Key_Delete)
    DelObjAct->trigger();
}

void TObjListForm::DisplayObjActExecute() {
  // The diagnostic trace point "DisplayObj" has no viewer here.
  // Opening refills the panels: an edit still waiting for its timer lands first.
  FlushPendingEdits();
  TRenderContext* context = Context();
  const std::optional<std::string> caption = SelectedCaption();
  if (!context || !caption)
    return;
  TXMLObjList objects = context->Movie().Obj();
  for (int i = 0; i < objects.Count(); ++i) {
    TXMLObj object = objects.Item(i);
    if (object.ObjName() != *caption)
      continue;
    const std::string kind = object.ObjTypeName();
    const char* panelName = PanelOfKind(kind);
    if (!panelName)
      continue;
    IPanelHost* host = PanelHost();
    host->SetCurrentObjectKind(kind);
    for (const char* other : {"TextForm", "PicForm", "SoundForm"})
      if (std::string_view(other) != panelName)
        ClosePanel(other);
    OpenedCaption = *caption;
    if (TFlashObj* editing = context->RenewEditingObject(kind))
      editing->LoadAndShow(i);
    TChildForm* panel = TChildForm::Find(QString::fromLatin1(panelName));
    if (panel) {
      panel->SetSelectedName(QString::fromStdString(*caption));
      panel->show();
    }
    // A sound has no place on the timeline to show; texts and pictures show their first frame.
    if (kind != "Sound")
      host->SetPreviewFrame(object.StartTime());
    return;
  }
}

void TObjListForm::DisplayObjTreeActExecute() {
  TRenderContext* context = Context();
  TXMLMovie movie = BindMovie(*Document);
  if (context) {
    context->Document = Document.get();
    context->XMLMovie = movie;
  }
  try {
    ObjTree->clear();
    TXMLObjList objects = movie.Obj();
    for (int i = 0; i < objects.Count(); ++i)
      AddRootNode(objects.Item(i).ObjName());
  } catch (const std::exception&) {
    // The list keeps the nodes added so far.
  }
}

void TObjListForm::DelObjActExecute() {
  TRenderContext* context = Context();
  const std::optional<std::string> caption = SelectedCaption();
  if (!context || !caption)
    return;
  TXMLObjList objects = context->Movie().Obj();
  int index = -1;
  for (int i = 0; i < objects.Count() && index < 0; ++i)
    if (objects.Item(i).ObjName() == *caption)
      index = i;
  if (index < 0)
    return;
  // An edit still waiting for its timer lands before its object goes.
  FlushPendingEdits();
  const std::string kind = objects.Item(index).ObjTypeName();
  objects.Delete(index);
  if (const char* panelName = PanelOfKind(kind))
    ClosePanel(panelName);
  OpenedCaption.clear();
  Document->Save();
  DisplayObjTreeActExecute();
  ObjTree->setFocus();
  // Selecting the neighbour opens it; the preview then shows the card without the object.
  SelectNode(index > 0 ? index - 1 : 0);
  if (IPanelHost* host = PanelHost())
    host->RenderCard();
}

void TObjListForm::TextMenuItemClick() {
  RunPanelCommand(this, [] { InsertObject("Text"); });
}

void TObjListForm::PictureMenuItemClick() {
  RunPanelCommand(this, [] { InsertObject("Pic"); });
}

void TObjListForm::SoundMenuItemClick() {
  RunPanelCommand(this, [] { InsertObject("Sound"); });
}

bool TObjListForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ObjTree && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Delete) {
      FormKeyDown(key);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
