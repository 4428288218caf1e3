#include "tools/CardRender.h"

#include <filesystem>
#include <stdexcept>

#include <QString>

#include "card/FlashCard.h"
#include "card/SwfStageSize.h"
#include "document/XMLUnit.h"
#include "platform/InputFile.h"
#include "platform/SafeFile.h"
#include "platform/ScratchFolder.h"
#include "render/RenderContext.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CachedPictureExaminer.h"
#include "tools/CardSounds.h"
#include "tools/HeadlessCardHost.h"

namespace {

// Reads the card once on its own, so that a bad card is reported with its own name (the
// editor would report it for the working copy).
void CheckCard(const std::string& cardFile)
{
  files::RefuseNonRegularFile(cardFile);
  std::error_code error;
  if (!std::filesystem::is_regular_file(cardFile, error))
    throw std::runtime_error("cannot open card \"" + cardFile + "\"");
  TXMLCardDocument document(cardFile);
  try {
    TXMLMovie movie = BindMovie(document);
    // The settings every render needs must hold numbers.
    movie.Width();
    movie.Height();
    movie.Rate();
    movie.TotalFrames();
  } catch (const TConvertError& failure) {
    throw std::runtime_error("card \"" + cardFile + "\": " + failure.Explained());
  } catch (const std::exception& failure) {
    throw std::runtime_error("card \"" + cardFile + "\": " + failure.what());
  }
}

} // namespace

struct TOpenCard::TState {
  explicit TState(const TCardRenderOptions& options)
      : Options(options), BasePath((CheckCard(options.CardFile), Folder.File("Untitled"))),
        Card(Host, Context, BasePath)
  {
  }
  void Reseed() { Context.Random = TRandomSource(Options.Seed); }

  TCardRenderOptions Options;
  files::TScratchFolder Folder{"render"}; // the working files, removed on every way out
  std::string BasePath;
  THeadlessCardHost Host;
  TRenderContext Context;
  TFlashCard Card;
  int Passes = 0;
};

TOpenCard::TOpenCard(const TCardRenderOptions& options, swf::ISwfMovie& movie, swf::ISwfObject& object,
                     swf::ISwfAction& action, IUserMessages* messages)
    : State(std::make_unique<TState>(options))
{
  TRenderContext& context = State->Context;
  context.SwfMovie = &movie;
  context.SwfObject = &object;
  context.SwfAction = &action;
  context.Preview = &State->Host;
  context.Messages = messages;
  context.WorkBasePath = State->BasePath;
  context.ProgramFolder = options.ProgramFolder;
  context.ConfineMedia = options.ConfineMedia;
  context.SharedExaminer = MakeCachedPictureExaminer(context, State->Folder.File("picture-"));
  // No one to ask here: pictures too large are scaled down with a note, and sounds the
  // editor never imported are converted now.
  context.ScaleLargePictures = true;
  context.CardFolder = std::filesystem::absolute(options.CardFile).parent_path().string();
  tools::PrepareCardSounds(options.CardFile, context, messages);

  TFlashCard& card = State->Card;
  card.SourceProject = std::filesystem::absolute(options.CardFile).string();
  State->Reseed();
  card.SetMode("Edit"); // renders once, comparing with the card's recorded frame count
  State->Passes = 1;
  // Each render compares end frames with the frame count of the movie shown before it;
  // render again until the movie it makes has that count itself. Field values change no
  // frame, so one settling serves every later render.
  int shown = card.TotalFrames;
  while (State->Host.TotalFrames() != shown && State->Passes < options.MaxPasses) {
    shown = State->Host.TotalFrames();
    State->Reseed();
    card.BuildMovie("", "");
    ++State->Passes;
  }
}

TOpenCard::~TOpenCard() = default;

int TOpenCard::Passes() const { return State->Passes; }

int TOpenCard::ObjectsLeftOut() const { return State->Context.ObjectsLeftOut; }

void TOpenCard::Render(const TFieldValues* values)
{
  State->Reseed();
  State->Context.FieldValues = values;
  State->Card.RenderToBuilder(State->Options.Final ? "All" : "");
  State->Context.FieldValues = nullptr;
}

std::string TOpenCard::RenderToWorkFile(const TFieldValues* values)
{
  const std::string rendered = State->Folder.File("Output.swf");
  State->Reseed();
  State->Context.FieldValues = values;
  try {
    State->Card.BuildMovie(State->Options.Final ? "All" : "", rendered);
  } catch (...) {
    State->Context.FieldValues = nullptr;
    throw;
  }
  State->Context.FieldValues = nullptr;
  return rendered;
}

TCardRenderResult RenderCardFile(const TCardRenderOptions& options, swf::ISwfMovie& movie,
                                 swf::ISwfObject& object, swf::ISwfAction& action, IUserMessages* messages)
{
  TOpenCard card(options, movie, object, action, messages);
  TCardRenderResult result;
  result.Passes = card.Passes();
  const TFieldValues* values = options.Fields ? &*options.Fields : nullptr;
  const std::string rendered = card.RenderToWorkFile(values);
  result.FrameCount = SwfHeaderFrameCount(rendered);
  result.ObjectsLeftOut = card.ObjectsLeftOut();
  try {
    Platform::CopyFileAtomically(QString::fromStdString(rendered), QString::fromStdString(options.OutputFile), false);
  } catch (const std::exception& failure) {
    throw std::runtime_error("cannot write \"" + options.OutputFile + "\": " + failure.what());
  }
  return result;
}

TCardRenderResult RenderCardFile(const TCardRenderOptions& options, IUserMessages* messages)
{
  swf::TSwfMovie movie;
  swf::TSwfObject object;
  swf::TSwfAction action;
  return RenderCardFile(options, movie, object, action, messages);
}
