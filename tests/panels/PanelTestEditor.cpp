#include "PanelTestEditor.h"

#include <QApplication>
#include <fstream>
#include <sstream>

#include "card/SwfStageSize.h"
#include "panels/BackgroundFrm.h"
#include "panels/ObjListFrm.h"
#include "panels/TextFrm.h"
#include "panels/ToolWindows.h"

TPanelTestEditor::TPanelTestEditor() {
  resize(610, 439);
  PanelLeft = new QWidget(this);
  PanelLeft->setObjectName("PanelLeft");
  PanelLeft->setGeometry(0, 83, 195, 356);
  PanelObj = new QWidget(this);
  PanelObj->setObjectName("PanelObj");
  PanelObj->setGeometry(7, 283, 173, 140);
  Ctx.SwfMovie = &Movie;
  Ctx.SwfObject = &Object;
  Ctx.SwfAction = &Action;
  Ctx.Preview = this;
  SetPanelHost(this);
  RegisterStandardToolWindows();
  const std::string base = Folder.path().toStdString() + "/Untitled";
  Card = std::make_unique<TFlashCard>(*this, Ctx, base);
  Card->WorkSwfFile = base + ".swf";
}

TPanelTestEditor::~TPanelTestEditor() {
  FreeToolWindows();
  SetPanelHost(nullptr);
}

void TPanelTestEditor::OpenCard(const std::string& movieXml) {
  const std::string source = Folder.path().toStdString() + "/source.grx";
  std::ofstream(source) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Movie>" << movieXml << "</Movie>";
  Card->SourceProject = source;
  show();
  // Focus moves (and a field corrects itself on leaving) only in the active window.
  QApplication::setActiveWindow(this);
  Card->SetMode("Edit");
}

std::string TPanelTestEditor::WorkProjectText() const {
  std::ifstream file(Card->WorkProjectFile());
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TObjListForm& TPanelTestEditor::Library() const { return *static_cast<TObjListForm*>(ObjList.data()); }
TTextForm& TPanelTestEditor::TextPanel() const { return *static_cast<TTextForm*>(Text.data()); }
TBackgroundForm& TPanelTestEditor::BackgroundPanel() const {
  return *static_cast<TBackgroundForm*>(Background.data());
}

void TPanelTestEditor::SetPreviewMovie(const std::string& path) {
  PreviewPath = path;
  Frame = 0;
  Total = path == "http://" ? 0 : SwfHeaderFrameCount(path);
}

void TPanelTestEditor::FreeToolWindows() {
  for (QPointer<QWidget>* window : {&Background, &ObjList, &Text}) {
    delete window->data();
    *window = nullptr;
  }
}

void TPanelTestEditor::CreateToolWindows() {
  FreeToolWindows();
  Background = TToolWindowRegistry::Find(TToolWindowKind::Background)(PanelLeft, this);
  ObjList = TToolWindowRegistry::Find(TToolWindowKind::Library)(PanelObj, this);
  Text = TToolWindowRegistry::Find(TToolWindowKind::Text)(PanelLeft, this);
  for (QWidget* panel : {Background.data(), Text.data()})
    panel->findChild<QWidget*>("ChildImgLine")->resize(1, PanelLeft->height() - 10);
}

void TPanelTestEditor::ShowLibraryAndBackgroundPanel() {
  ObjList->show();
  Background->show();
}

TXMLCardDocument& TPanelTestEditor::CardDocument() { return Library().XMLDoc(); }

TXMLMovie TPanelTestEditor::RebuildLibrary() {
  Library().DisplayObjTreeActExecute();
  return *Ctx.XMLMovie;
}

TBackgroundFields TPanelTestEditor::BackgroundPanelFields() const { return BackgroundPanel().Fields(); }

void TPanelTestEditor::SetBackgroundPanelFields(const TBackgroundFields& fields) {
  BackgroundPanel().SetFields(fields);
}

void TPanelTestEditor::SetBackgroundPanelUpdating(bool updating) {
  BackgroundPanel().SetUpdating(updating);
}

void TPanelTestEditor::TryEffect(const std::string& objectName, const std::string& effectName) {
  ++Trials;
  Card->TryEffect(objectName, effectName);
}

void TPanelTestEditor::RenderCard() {
  ++Renders;
  Card->BuildMovie("", "");
}
