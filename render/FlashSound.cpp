#include "render/FlashSound.h"

#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>

#include "render/FlashObjRegistry.h"
#include "render/RenderContext.h"
#include "render/SoundPanel.h"

namespace {

std::unique_ptr<TFlashObj> MakeSoundObject(TRenderContext& context) { return std::make_unique<TFlashSound>(context); }
const TFlashObjRegistrar Registrar("Sound", &MakeSoundObject);

ISoundPanel& SoundPanelOf(const TRenderContext& context)
{
  if (!context.SoundPanel) throw std::logic_error("The sound panel is not open.");
  return *context.SoundPanel;
}

// Lowers the panel's updating flag on every way out.
class TUpdatingPanel {
public:
  explicit TUpdatingPanel(ISoundPanel& panel) : Panel(panel) { Panel.SetUpdating(true); }
  ~TUpdatingPanel() { Panel.SetUpdating(false); }

private:
  ISoundPanel& Panel;
};

void ReportError(TRenderContext& context, const std::string& text)
{
  if (context.Messages)
    context.Messages->ShowError(text);
  else
    std::cerr << text << '\n';
}

} // namespace

TFlashSound::TFlashSound(TRenderContext& context) : TFlashObj(context, "Sound") {}

void TFlashSound::AddNew()
{
  TFlashObj::AddNew();
  TRenderContext& context = Context();
  if (context.Library) context.Library->AddRootNode(ObjName);

  TXMLObj object = context.Movie().Obj().Add();
  object.SetObjName(ObjName);
  object.SetStartTime(0);
  object.SetEndTime(1);
  object.SetLayer(2);
  object.SetObjTypeName("Sound");
  object.ObjType().ObjSound().SetContent("");
  context.SaveDocument();

  // Selecting the new node opens it in a new editing object, which may free this one:
  // nothing of this object is touched afterwards.
  if (context.Library) context.Library->SelectLastNode();
}

void TFlashSound::Render(int index)
{
  ForgetContent();
  LoadFromDocument(index);
  if (Content.empty()) return;
  TRenderContext& context = Context();
  // No GotoFrame: the sound starts at the frame where the objects before it left the movie.
  try {
    if (!context.SwfMovie || !context.SwfObject) throw std::logic_error("No movie to render into.");
    context.SwfObject->MakeSound(WorkingWavePath());
    context.SwfMovie->AddObject(*context.SwfObject);
  } catch (const std::exception&) {
    // A missing or refused wave file must not stop the objects after this one.
    ReportError(context, SoundFormatMessage);
  }
}

void TFlashSound::LoadFromDocument(int index)
{
  Content = Context().Movie().Obj().Item(index).ObjType().ObjSound().Content();
}

void TFlashSound::StoreInDocument()
{
  TRenderContext& context = Context();
  TXMLObjList objects = context.Movie().Obj();
  for (int i = 0; i < objects.Count(); ++i) {
    // Each step is guarded on its own: an error (no node selected, an element that cannot
    // hold a value) skips to the next object.
    try {
      TXMLObj object = objects.Item(i);
      if (!context.Library) throw std::logic_error("No library");
      const std::optional<std::string> selected = context.Library->SelectedCaption();
      if (!selected) throw std::logic_error("No node selected");
      if (object.ObjName() != *selected) continue;
      if (object.ObjTypeName() == "Sound") object.ObjType().ObjSound().SetContent(Content);
      context.SaveDocument();
      return;
    } catch (const std::exception&) {
    }
  }
}

void TFlashSound::ShowInPanel()
{
  ISoundPanel& panel = SoundPanelOf(Context());
  TUpdatingPanel updating(panel);
  panel.SetContent(Content);
}

void TFlashSound::ReadFromPanel() { Content = SoundPanelOf(Context()).Content(); }

std::string TFlashSound::WorkingWavePath() const { return Context().ResolveMediaPath(Content) + "_tmp.wav"; }
