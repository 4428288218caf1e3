#include "render/FlashSound.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "platform/DerivedFile.h"
#include "render/FlashObjRegistry.h"
#include "render/RenderContext.h"
#include "render/UpdatingPanel.h"
#include "render/SoundPanel.h"

namespace {

std::unique_ptr<TFlashObj> MakeSoundObject(TRenderContext& context) { return std::make_unique<TFlashSound>(context); }
const TFlashObjRegistrar Registrar("Sound", &MakeSoundObject);

ISoundPanel& SoundPanelOf(const TRenderContext& context)
{
  if (!context.SoundPanel) throw std::logic_error("The sound panel is not open.");
  return *context.SoundPanel;
}

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
  AppendNewObject(0, 1, [](TXMLObj& object) { object.ObjType().ObjSound().SetContent(""); });
}

void TFlashSound::Render(int index)
{
  ForgetContent();
  LoadFromDocument(index);
  if (Content.empty()) return;
  TRenderContext& context = Context();
  std::error_code noFile; // a missing file is reported below like any unusable one
  const auto bytes = std::filesystem::file_size(WorkingWavePath(), noFile);
  if (!noFile) context.Budget.TakeMediaBytes(static_cast<std::int64_t>(bytes));
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
  StoreInSelectedObject([this](TXMLObj& object) { object.ObjType().ObjSound().SetContent(Content); });
}

void TFlashSound::ShowInPanel()
{
  ISoundPanel& panel = SoundPanelOf(Context());
  TUpdatingPanel<ISoundPanel> updating(panel);
  panel.SetContent(Content);
}

void TFlashSound::ReadFromPanel() { Content = SoundPanelOf(Context()).Content(); }

std::string TFlashSound::WorkingWavePath() const
{
  return files::DerivedFileForReading(Context().ResolveMediaPath(Content), "_tmp.wav");
}
