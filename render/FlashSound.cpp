#include "render/FlashSound.h"

#include <algorithm>
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

std::string MissingSoundMessage(const std::string& soundFile, const std::string& convertedFile)
{
  std::error_code ignored;
  if (!std::filesystem::exists(soundFile, ignored)) return "The sound file " + soundFile + " is missing.";
  return "The converted sound " + convertedFile + " is missing: choose " + soundFile +
         " again in the sound panel.";
}

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
  const std::string wave = WorkingWavePath();
  std::error_code noFile;
  const auto bytes = std::filesystem::file_size(wave, noFile);
  if (noFile) {
    const std::string sound = Context().ResolveMediaPath(Content);
    if (!context.MissingMediaToldBefore(Content, sound)) ReportError(context, MissingSoundMessage(sound, wave));
    return;
  }
  context.Budget.TakeMediaBytes(static_cast<std::int64_t>(bytes));
  try {
    if (!context.SwfMovie || !context.SwfObject) throw std::logic_error("No movie to render into.");
    // The sound starts at its own first frame, wherever the objects before it left the movie.
    context.SwfMovie->GotoFrame(StartFrame(index));
    context.SwfObject->MakeSound(wave);
    context.SwfMovie->AddObject(*context.SwfObject);
  } catch (const std::exception&) {
    // A refused wave file must not stop the objects after this one.
    ReportError(context, SoundFormatMessage);
  }
}

std::int32_t TFlashSound::StartFrame(int index)
{
  const std::int32_t start = Context().Movie().Obj().Item(index).StartTime();
  // A sound is no reason to make the movie longer: one set past the end starts on the last frame.
  const std::int32_t last = Context().CardTotalFrames - 1;
  return std::max(0, last >= 0 ? std::min(start, last) : start);
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
