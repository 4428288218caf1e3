#include "card/FlashCard.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "card/CardHost.h"
#include "card/SwfStageSize.h"
#include "platform/AtomicFile.h"
#include "render/EffectMath.h"
#include "render/FlashObj.h"
#include "render/FlashObjRegistry.h"
#include "render/RenderContext.h"

namespace {

// Sets a flag of the host for the length of a scope, clearing it on every way out.
class TWindowFitting {
public:
  explicit TWindowFitting(ICardHost& host) : Host(host) { Host.SetWindowFitting(true); }
  ~TWindowFitting() { Host.SetWindowFitting(false); }

private:
  ICardHost& Host;
};

class TBackgroundPanelUpdating {
public:
  explicit TBackgroundPanelUpdating(ICardHost& host) : Host(host) { Host.SetBackgroundPanelUpdating(true); }
  ~TBackgroundPanelUpdating() { Host.SetBackgroundPanelUpdating(false); }

private:
  ICardHost& Host;
};

constexpr const char* NoMovie = "http://";

// Stage pixels as twips. Twips that pass 32 bits stay out of range, for the builder to
// refuse as it refuses -1, instead of wrapping: -2147483648 pixels are not 0 twips.
std::int32_t StageTwips(int pixels)
{
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(20LL * pixels, INT32_MIN, INT32_MAX));
}

// "Text3" is left out of the movie: <why>
std::string FailedObjectMessage(const TXMLObjList& objects, int index, const std::string& why)
{
  std::string name;
  try {
    name = objects.Item(index).ObjName();
  } catch (const std::exception&) {
  }
  if (name.empty()) name = "object " + std::to_string(index + 1);
  return "\"" + name + "\" is left out of the movie: " + why;
}

} // namespace

TFlashCard::TFlashCard(ICardHost& host, TRenderContext& context, const std::string& untitledBasePath)
    : CardPath(untitledBasePath), WorkSwfFile(untitledBasePath + ".swf"), Host(host), Ctx(context),
      WorkProject(untitledBasePath + ".grx"),
      Steps([this](const std::string& xml, const std::string& select) { return RestoreDocument(xml, select); })
{
  Ctx.DocumentSaved = [this] { RecordChange(); };
}

TFlashCard::~TFlashCard() { Ctx.DocumentSaved = nullptr; }

void TFlashCard::SetMode(const std::string& mode)
{
  CurrentMode = mode;
  if (mode == "Close") {
    Host.SetPreviewBackgroundColor(BgColor);
    Host.SetPreviewMovie(NoMovie);
    Host.FreeToolWindows();
    CloseDocument();
    Host.DisablePlayControls();
    Host.DisableEditControls();
    SetLoop(false);
    Host.ShowPreviewArea(false);
  } else if (mode == "Play") {
    Host.SetPreviewBackgroundColor(BgColor);
    Host.SetPreviewMovie(NoMovie);
    Host.FreeToolWindows();
    CloseDocument();
    Host.DisableEditControls();
    Host.EnablePlayControls();
    SetLoop(false);
    Host.ShowPreviewArea(true);
  } else if (mode == "Edit") {
    Host.FreeToolWindows();
    CloseDocument();
    Host.CreateToolWindows();
    Host.EnablePlayControls();
    Host.EnableEditControls();
    SetLoop(true);
    Ctx.RenewEditingObjects();
    if (!SourceProject.empty()) {
      // A failed copy is not reported: the working project file stays as it was, whole.
      try {
        files::CopyFileAtomically(SourceProject, WorkProject);
      } catch (const files::TFileWriteError&) {
      }
    }
    TXMLCardDocument& document = Host.CardDocument();
    document.SetFileName(WorkProject);
    Ctx.Document = &document;
    Ctx.XMLMovie = Host.RebuildLibrary();
    LoadAndShow();
    Host.ShowLibraryAndBackgroundPanel();
    BuildMovie("", "");
    Host.ShowPreviewArea(true);
    ResetHistory();
  } else {
    Steps.Reset({});
  }
}

void TFlashCard::CloseDocument()
{
  // The document went with the library window.
  Ctx.Document = nullptr;
  Ctx.XMLMovie.reset();
}

void TFlashCard::LoadFromDocument()
{
  TXMLMovie& movie = Ctx.Movie();
  TotalFrames = movie.TotalFrames();
  BgColor = ParseColourText(movie.BgColor()).value_or(0);
  BgPic = movie.BgPic();
  Width = movie.Width();
  Height = movie.Height();
  Rate = movie.Rate();
  SetLoop(ParseBooleanText(movie.Loop()));
}

void TFlashCard::StoreInDocument()
{
  TXMLMovie& movie = Ctx.Movie();
  movie.SetTotalFrames(TotalFrames);
  movie.SetBgColor(ColourToText(BgColor));
  movie.SetBgPic(BgPic);
  movie.SetWidth(Width);
  movie.SetHeight(Height);
  movie.SetRate(Rate);
  movie.SetLoop(BooleanToText(Looping));
  Ctx.SaveDocument();
}

void TFlashCard::ReadFromPanels()
{
  if (Host.PreviewMovie() != NoMovie) TotalFrames = Host.TotalFrames();
  const TBackgroundFields fields = Host.BackgroundPanelFields();
  BgColor = fields.Colour;
  Width = fields.Width;
  Height = fields.Height;
  Rate = fields.Rate;
  SetLoop(Host.StoredLoopFlag());
}

void TFlashCard::ShowInPanels()
{
  TBackgroundPanelUpdating updating(Host);
  Host.SetBackgroundPanelFields({BgColor, Width, Height, Rate});
  Host.SetStoredLoopFlag(Looping);
}

void TFlashCard::LoadAndShow()
{
  LoadFromDocument();
  ShowInPanels();
}

void TFlashCard::ReadAndStore()
{
  ReadFromPanels();
  StoreInDocument();
}

void TFlashCard::BuildMovie(const std::string& scope, const std::string& target)
{
  if (!Ctx.SwfMovie || !Ctx.SwfObject || !Ctx.SwfAction) throw std::logic_error("No SWF builder to render with.");
  if (Ctx.EffectTrial) {
    // The card's own render replaces a tried effect; the preview goes back to where it stood.
    Ctx.EffectTrial.reset();
    TrialMovie.clear();
    Host.SetPreviewFrameNum(TrialFrame);
    Host.SetPreviewPlaying(TrialPlaying);
  }
  Host.SetPlayingFlag(Host.PreviewPlaying());
  Ctx.SaveDocument();
  RecordChange();
  RenderToBuilder(scope);
  Ctx.SwfMovie->WriteMovie(target.empty() ? WorkSwfFile : target);
  SavedFrame = Host.PreviewFrameNum();
  ReloadPreview("Size");
  Host.SetPreviewFrameNum(SavedFrame);
  if (Host.PlayingFlag()) StartPlaying();
}

bool TFlashCard::TryingEffect() const { return Ctx.EffectTrial.has_value(); }

void TFlashCard::TryEffect(const std::string& objectName, const std::string& effectName)
{
  if (!Ctx.SwfMovie || !Ctx.SwfObject || !Ctx.SwfAction || !Ctx.Document) return;
  const int index = effectName.empty() ? -1 : ObjectIndex(objectName);
  if (index < 0) {
    EndEffectTrial();
    return;
  }
  if (Ctx.EffectTrial && Ctx.EffectTrial->Object == index && Ctx.EffectTrial->EffectName == effectName) return;
  if (!Ctx.EffectTrial) {
    TrialFrame = Host.PreviewFrameNum();
    TrialPlaying = Host.PreviewPlaying();
    std::ifstream shown(WorkSwfFile, std::ios::binary);
    TrialMovie.assign(std::istreambuf_iterator<char>(shown), {});
  }
  Ctx.EffectTrial = TRenderContext::TEffectTrial{index, effectName};
  RenderTrial();
  // The tried effect plays from the text's first frame.
  Host.SetPlayingFlag(true);
  ReloadPreview("");
  int start = 0;
  try {
    start = Ctx.Movie().Obj().Item(index).StartTime();
  } catch (const std::exception&) {
    // A start the file spells wrongly: the trial plays from the movie's first frame.
  }
  Host.SetPreviewFrameNum(std::max(start, 0));
  StartPlaying();
}

// Puts back the card's own movie, frame and playing state after a trial.
void TFlashCard::EndEffectTrial()
{
  if (!Ctx.EffectTrial) return;
  Ctx.EffectTrial.reset();
  // The card's own movie as it was: rendered again after a longer one it could differ in
  // its last frame (a text ends differently when the movie goes on past it).
  bool restored = false;
  if (!TrialMovie.empty()) {
    try {
      files::WriteFileAtomically(WorkSwfFile, TrialMovie);
      restored = true;
    } catch (const std::exception&) {
    }
  }
  TrialMovie.clear();
  if (!restored) RenderTrial();
  Host.SetPlayingFlag(TrialPlaying);
  ReloadPreview("");
  Host.SetPreviewFrameNum(TrialFrame);
  if (TrialPlaying) StartPlaying();
}

// The working movie without a save or a history record: a trial changes nothing of the card.
void TFlashCard::RenderTrial()
{
  RenderToBuilder("");
  Ctx.SwfMovie->WriteMovie(WorkSwfFile);
}

void TFlashCard::RenderToBuilder(const std::string& scope)
{
  if (!Ctx.SwfMovie || !Ctx.SwfObject || !Ctx.SwfAction) throw std::logic_error("No SWF builder to render with.");
  swf::ISwfMovie& movie = *Ctx.SwfMovie;
  movie.SetSize(StageTwips(Width), StageTwips(Height));
  movie.SetFrameRate(Rate);
  movie.GotoFrame(0);
  movie.SetFrameBkColor(BgColor & 0xFF, (BgColor >> 8) & 0xFF, (BgColor >> 16) & 0xFF);
  Ctx.Budget.Reset();
  Ctx.ObjectsLeftOut = 0;
  Ctx.CardFolder = OwnFolder();
  try {
    SaveSwf();
    if (scope == "All" && !Looping) {
      // The stop goes one frame past the movie the preview shows: the previous render.
      movie.GotoFrame(Host.TotalFrames());
      Ctx.SwfAction->MakeActionStop();
      movie.AddAction(*Ctx.SwfAction);
    }
  } catch (const std::exception&) {
    // What was placed so far stays in the movie.
  }
}

void TFlashCard::RenderPartToBuilder(TPlacing placing)
{
  Placing = placing;
  IUserMessages* messages = std::exchange(Ctx.Messages, nullptr);
  struct TRestore {
    TFlashCard& Card;
    IUserMessages* Messages;
    ~TRestore()
    {
      Card.Placing = {};
      Card.Ctx.Messages = Messages;
    }
  } restore{*this, messages};
  // What is wrong with an object was said at the card's own render.
  std::ostringstream quiet;
  std::streambuf* errors = std::cerr.rdbuf(quiet.rdbuf());
  try {
    RenderToBuilder("");
  } catch (...) {
    std::cerr.rdbuf(errors);
    throw;
  }
  std::cerr.rdbuf(errors);
}

int TFlashCard::ObjectIndex(const std::string& name) const
{
  if (!Ctx.XMLMovie || name.empty()) return -1;
  TXMLObjList objects = Ctx.XMLMovie->Obj();
  for (int i = 0; i < objects.Count(); ++i)
    if (objects.Item(i).ObjName() == name) return i;
  return -1;
}

std::string TFlashCard::OwnFolder() const
{
  const bool untitled = CardPath + ".grx" == WorkProject;
  const std::string& file = untitled ? SourceProject : CardPath;
  if (file.empty()) return {};
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::absolute(file, failed);
  return failed ? std::string() : absolute.parent_path().string();
}

void TFlashCard::SaveSwf()
{
  Host.Trace("FlashCard.SaveSwf");
  if (!BgPic.empty() && !Placing.Alone) PlaceBackgroundPicture();
  PlaceObjects();
}

void TFlashCard::PlaceBackgroundPicture()
{
  // A background the examiner refuses (too large, unreadable) is left out: the one work
  // file by now holds the picture examined last, often an object's, which must not stand
  // in for it. The prepared fields keep their values; the objects are still placed.
  bool prepared = false;
  if (IPictureExaminer* examiner = Ctx.PictureExaminer()) {
    try {
      const std::string file = Ctx.ResolveMediaPath(BgPic);
      if (Ctx.MissingMediaToldBefore(BgPic, file)) return;
      examiner->SetPictureFile(file);
      if (examiner->Examine()) {
        PreparedBgFile = examiner->WorkFile();
        BgPicWidth = examiner->Width();
        BgPicHeight = examiner->Height();
        prepared = true;
      }
    } catch (const std::exception& error) {
      if (Ctx.Messages) Ctx.Messages->ShowError(error.what());
    }
  }
  if (!prepared) return;
  try {
    const auto centred = [](int stage, int picture) {
      return std::max(0, static_cast<int>(RoundHalfEven((static_cast<double>(stage) - picture) / 2)));
    };
    const int x = centred(Width, BgPicWidth);
    const int y = centred(Height, BgPicHeight);
    Ctx.SwfObject->MakePicture(Wrap32(20LL * x), Wrap32(20LL * y), Wrap32(20LL * (BgPicWidth + x)),
                               Wrap32(20LL * (BgPicHeight + y)), BgPicWidth, BgPicHeight, PreparedBgFile);
    // At frame 0 and never removed: behind every object for the whole movie.
    Ctx.SwfMovie->AddObject(*Ctx.SwfObject);
  } catch (const std::exception&) {
    if (Ctx.Messages) Ctx.Messages->ShowError("Sorry, can not use the picture!");
  }
}

void TFlashCard::PlaceObjects()
{
  Ctx.CardTotalFrames = TotalFrames;
  // Fresh renderers for this render, one per kind.
  std::map<std::string, std::unique_ptr<TFlashObj>> renderers;
  for (const std::string& kind : TFlashObjRegistry::Kinds()) renderers[kind] = TFlashObjRegistry::Create(kind, Ctx);
  TXMLObjList objects = Ctx.Movie().Obj();
  // The count is read again before each object; kinds are compared exactly. An object that
  // fails is reported by its name and left out; the objects after it are still placed.
  for (int i = 0; i < objects.Count(); ++i) {
    if (Placing.Object >= 0 && (i == Placing.Object) != Placing.Alone) continue;
    TFlashObj* renderer = nullptr;
    try {
      auto found = renderers.find(objects.Item(i).ObjTypeName());
      if (found == renderers.end() || !found->second) continue;
      renderer = found->second.get();
      renderer->Render(i);
    } catch (const std::exception& error) {
      if (renderer) renderer->EndAfterFailure();
      ++Ctx.ObjectsLeftOut;
      if (Ctx.Messages) Ctx.Messages->ShowError(FailedObjectMessage(objects, i, error.what()));
    }
  }
}

void TFlashCard::ReloadPreview(const std::string& option)
{
  try {
    Host.SetPreviewBGColor("");
    Host.SetPreviewMovie(NoMovie);
    Host.SetPreviewMovie(WorkSwfFile);
    Host.SetSliderMax(Host.TotalFrames() - 1);
    Host.SetPreviewPlaying(Host.PlayingFlag());
    Host.SetPreviewLoop(Looping);
    Host.RefreshPreviewControl();
    if (Host.PlayingFlag()) Host.PreviewPlay();
  } catch (const std::exception&) {
  }
  if (option != "Size") return;

  TWindowFitting fitting(Host);
  const int w = SwfStageWidth(WorkSwfFile);
  const int h = SwfStageHeight(WorkSwfFile);
  const TClientSize client =
      FittedClientSize(w, h, Host.LeftAreaWidth(), Host.TopAreaHeight(), Host.SliderHeight());
  Host.SetClientWidth(client.Width);
  if (w <= MinPreviewWidth) Host.SetPreviewAreaWidth(MinPreviewWidth);
  Host.SetClientHeight(client.Height);
  if (h <= MinPreviewHeight) Host.SetPreviewAreaHeight(MinPreviewHeight);
}

TFlashCard::TClientSize TFlashCard::FittedClientSize(int stageWidth, int stageHeight, int leftWidth,
                                                      int topHeight, int sliderHeight)
{
  TClientSize client;
  client.Width = leftWidth + std::max(stageWidth, MinPreviewWidth);
  // A low stage gets the whole least height, the slider's strip included.
  client.Height = stageHeight <= MinPreviewHeight ? topHeight + MinPreviewHeight
                                                  : topHeight + stageHeight + sliderHeight;
  return client;
}

void TFlashCard::SetLoop(bool on)
{
  Looping = on;
  Host.SetPreviewLoop(on);
  Host.ShowLoopState(on);
}

void TFlashCard::StartPlaying()
{
  Host.SetPlayingFlag(true);
  Host.SetPreviewLoop(Looping);
  Host.SetPreviewPlaying(true);
}

void TFlashCard::RecordChange()
{
  if (CurrentMode != "Edit" || !Ctx.Document || !Ctx.Document->Loaded()) return;
  Steps.Record(Ctx.Document->SaveToXml(), Host.SelectedObject());
}

void TFlashCard::ResetHistory()
{
  const bool editing = CurrentMode == "Edit" && Ctx.Document && Ctx.Document->Loaded();
  Steps.Reset(editing ? Ctx.Document->SaveToXml() : std::string(), Host.SelectedObject());
}

std::string TFlashCard::RestoreDocument(const std::string& xml, const std::string& select)
{
  if (CurrentMode != "Edit" || !Ctx.Document) return xml;
  const int frame = Host.PreviewFrameNum();
  TXMLCardDocument& document = *Ctx.Document;
  document.LoadFromXml(xml, document.FileName());
  document.Save();
  Ctx.XMLMovie = Host.RebuildLibrary();
  LoadAndShow();
  // Opening the object moves the preview to its first frame: the user's frame comes back.
  Host.SelectObject(select);
  Host.SetPreviewFrameNum(frame);
  BuildMovie("", "");
  return document.SaveToXml();
}

int TFlashCard::SwfStageWidth(const std::string& file) { return ::SwfStageWidth(file); }

int TFlashCard::SwfStageHeight(const std::string& file) { return ::SwfStageHeight(file); }
