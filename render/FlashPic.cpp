#include "render/FlashPic.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "render/EffectMath.h"
#include "render/FlashObjRegistry.h"
#include "render/PicEffects.h"
#include "render/PicturePanel.h"
#include "render/RenderContext.h"
#include "render/UpdatingPanel.h"

namespace {

std::unique_ptr<TFlashObj> MakePic(TRenderContext& context) { return std::make_unique<TFlashPic>(context); }
const TFlashObjRegistrar Registrar("Pic", &MakePic);

const char* const CannotUsePicture = "Sorry, can not use the picture!";

IPicturePanel& PanelOf(const TRenderContext& context)
{
  if (!context.PicturePanel) throw std::logic_error("The picture panel is not open.");
  return *context.PicturePanel;
}

} // namespace

TFlashPic::TFlashPic(TRenderContext& context) : TFlashObj(context, "Pic") {}

void TFlashPic::AddNew()
{
  const std::int32_t startTime = PreviewFrame();
  AppendNewObject(startTime, Wrap32(static_cast<std::int64_t>(startTime) + 24), [](TXMLObj& object) {
    TXMLObjPic picture = object.ObjType().ObjPic();
    picture.SetContent("");
    picture.SetPositionX(0);
    picture.SetPositionY(0);
    picture.SetWidth(0);
    picture.SetHeight(0);
    picture.SetEffectName("-- None --");
  });
}

void TFlashPic::Render(int index)
{
  ForgetContent();
  Frames.clear();
  LoadFromDocument(index);
  if (Content.empty()) return;
  if (!ExaminePicture()) return;
  for (const TPictureFrameFile& frame : Frames) { // every frame of an animation counts
    std::error_code noFile; // the builder reports a work file that went missing
    const auto bytes = std::filesystem::file_size(frame.WorkFile, noFile);
    if (!noFile) Context().Budget.TakeMediaBytes(static_cast<std::int64_t>(bytes));
  }

  // A picture that ends before the card does leaves the stage at its last frame E: it shows
  // on S..E-1, so its effect runs over those frames only and one that would show nothing
  // does not run.
  const std::int32_t endTime = EndTime;
  const bool leavesAtEnd = endTime < Context().CardTotalFrames;
  if (leavesAtEnd) EndTime = Wrap32(static_cast<std::int64_t>(endTime) - 1);
  const bool showsAFrame = !leavesAtEnd || static_cast<std::int64_t>(endTime) - 1 >= StartTime;
  try {
    const TPicEffect* effect = TPicEffects::Find(EffectName);
    if (effect && showsAFrame) effect->Run(*this);
    // The last frame is where a sound that follows starts. Only this picture's own shape
    // is taken away: an effect that made nothing leaves another object's in the shape object.
    if (leavesAtEnd) {
      SwfMovie().GotoFrame(endTime);
      if (MadeContent()) SwfMovie().RemoveObject(SwfObject());
    }
  } catch (const TRenderRefused&) {
    throw; // reported with the object's name by the card
  } catch (const std::exception&) {
    ShowError(CannotUsePicture);
  }
}

bool TFlashPic::ExaminePicture()
{
  // A refused or unreadable picture renders nothing: the work file then holds whatever was
  // examined last (another object's picture, the background), which must not stand in.
  try {
    IPictureExaminer* examiner = Context().PictureExaminer();
    if (!examiner) throw std::logic_error("No picture examiner is installed.");
    const std::string file = Context().ResolveMediaPath(Content);
    if (Context().MissingMediaToldBefore(Content, file)) return false;
    examiner->SetPictureFile(file);
    if (!examiner->Examine()) return false; // it has told why, where there is a why
    WorkFile = examiner->WorkFile();
    Frames = examiner->Frames();
    return true;
  } catch (const TRenderRefused&) {
    throw; // a picture the card may not read: reported with the object's name by the card
  } catch (const std::exception& error) {
    ShowError(error.what());
    return false;
  }
}

void TFlashPic::LoadFromDocument(int index)
{
  TXMLObj object = Context().Movie().Obj().Item(index);
  TXMLObjPic picture = object.ObjType().ObjPic();
  Content = picture.Content();
  PositionX = picture.PositionX();
  PositionY = picture.PositionY();
  Width = picture.Width();
  Height = picture.Height();
  EffectName = picture.EffectName();
  StartTime = object.StartTime();
  EndTime = object.EndTime();
  Layer = object.Layer();
}

void TFlashPic::StoreInDocument()
{
  StoreInSelectedObject([this](TXMLObj& object) {
    TXMLObjPic picture = object.ObjType().ObjPic();
    picture.SetContent(Content);
    picture.SetPositionX(PositionX);
    picture.SetPositionY(PositionY);
    picture.SetWidth(Width);
    picture.SetHeight(Height);
    picture.SetEffectName(EffectName);
    object.SetStartTime(StartTime);
    object.SetEndTime(EndTime);
    object.SetLayer(Layer);
  });
}

void TFlashPic::ShowInPanel()
{
  IPicturePanel& panel = PanelOf(Context());
  TUpdatingPanel<IPicturePanel> updating(panel);
  // The thumbnail shows this object's picture, or nothing: never another object's.
  if (Content.empty() || !panel.LoadPicture(Context().ResolveMediaPath(Content))) panel.ClearPicture();
  panel.SetEditPositionX(PositionX);
  panel.SetEditPositionY(PositionY);
  panel.SetEditWidth(Width);
  panel.SetEditHeight(Height);
  panel.SetEditBegin(Wrap32(static_cast<std::int64_t>(StartTime) + 1));
  panel.SetEditEnd(Wrap32(static_cast<std::int64_t>(EndTime) + 1));
  panel.SetEffectIndex(0);
  const std::vector<std::string> names = panel.EffectNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == EffectName) {
      panel.SetEffectIndex(static_cast<int>(i));
      break;
    }
  }
}

void TFlashPic::ReadFromPanel()
{
  const IPicturePanel& panel = PanelOf(Context());
  PositionX = panel.EditPositionX();
  PositionY = panel.EditPositionY();
  Width = panel.EditWidth();
  Height = panel.EditHeight();
  StartTime = Wrap32(static_cast<std::int64_t>(panel.EditBegin()) - 1);
  EndTime = Wrap32(static_cast<std::int64_t>(panel.EditEnd()) - 1);
  const int index = panel.EffectIndex();
  const std::vector<std::string> names = panel.EffectNames();
  if (index >= 0 && static_cast<std::size_t>(index) < names.size()) EffectName = names[static_cast<std::size_t>(index)];
}

const std::string& TFlashPic::WorkFileAt(std::int64_t frame) const
{
  if (!Animated()) return WorkFile;
  std::int64_t loop = 0;
  for (const TPictureFrameFile& f : Frames) loop += std::max(0, f.DelayMs);
  const std::int64_t rate = Context().Movie().Rate();
  if (loop <= 0 || rate <= 0 || frame <= StartTime) return Frames.front().WorkFile;
  // The time of the card frame since the picture's first, in milliseconds, within one loop.
  std::int64_t time = (frame - StartTime) * 1000 / rate % loop;
  for (const TPictureFrameFile& f : Frames) {
    if (time < f.DelayMs) return f.WorkFile;
    time -= std::max(0, f.DelayMs);
  }
  return Frames.back().WorkFile;
}

void TFlashPic::PlaceAt(std::int32_t left, std::int64_t frame)
{
  const std::string& workFile = WorkFileAt(frame);
  SwfObject().MakePicture(Wrap32(20LL * left), Wrap32(20LL * PositionY), Wrap32(20LL * (static_cast<std::int64_t>(left) + Width)),
                          Wrap32(20LL * (static_cast<std::int64_t>(PositionY) + Height)), Width, Height, workFile);
  MarkContentMade();
}

void TFlashPic::ShowError(const std::string& text) const
{
  if (Context().Messages) Context().Messages->ShowError(text);
}
