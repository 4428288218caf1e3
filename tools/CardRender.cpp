#include "tools/CardRender.h"

#include <filesystem>
#include <stdexcept>

#include <stdlib.h>

#include <QString>

#include "card/FlashCard.h"
#include "card/SwfStageSize.h"
#include "document/XMLUnit.h"
#include "platform/SafeFile.h"
#include "render/RenderContext.h"
#include "tools/HeadlessCardHost.h"

namespace {

// A private folder for the working files, removed on every way out.
class TWorkingFolder {
public:
  TWorkingFolder()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "greetix-render-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a working folder in the temporary folder");
    Folder = pattern;
  }
  ~TWorkingFolder()
  {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
  std::string File(const std::string& name) const { return (Folder / name).string(); }

private:
  std::filesystem::path Folder;
};

// Reads the card once on its own, so that a bad card is reported with its own name (the
// editor would report it for the working copy).
void CheckCard(const std::string& cardFile)
{
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
  } catch (const std::exception& failure) {
    throw std::runtime_error("card \"" + cardFile + "\": " + failure.what());
  }
}

} // namespace

TCardRenderResult RenderCardFile(const TCardRenderOptions& options, swf::ISwfMovie& movie,
                                 swf::ISwfObject& object, swf::ISwfAction& action, IUserMessages* messages)
{
  CheckCard(options.CardFile);
  TWorkingFolder folder;
  const std::string basePath = folder.File("Untitled");

  THeadlessCardHost host;
  TRenderContext context;
  context.SwfMovie = &movie;
  context.SwfObject = &object;
  context.SwfAction = &action;
  context.Preview = &host;
  context.Messages = messages;
  context.WorkBasePath = basePath;
  context.ProgramFolder = options.ProgramFolder;
  const auto reseed = [&] { context.Random = TRandomSource(options.Seed); };

  TFlashCard card(host, context, basePath);
  card.SourceProject = std::filesystem::absolute(options.CardFile).string();
  TCardRenderResult result;
  reseed();
  card.SetMode("Edit"); // renders once, comparing with the card's recorded frame count
  result.Passes = 1;
  // Each render compares end frames with the frame count of the movie shown before it;
  // render again until the movie it makes has that count itself.
  int shown = card.TotalFrames;
  while (host.TotalFrames() != shown && result.Passes < options.MaxPasses) {
    shown = host.TotalFrames();
    reseed();
    card.BuildMovie("", "");
    ++result.Passes;
  }

  const std::string rendered = folder.File("Output.swf");
  reseed();
  card.BuildMovie(options.Final ? "All" : "", rendered);
  result.FrameCount = SwfHeaderFrameCount(rendered);
  try {
    Platform::CopyFileAtomically(QString::fromStdString(rendered), QString::fromStdString(options.OutputFile), false);
  } catch (const std::exception& failure) {
    throw std::runtime_error("cannot write \"" + options.OutputFile + "\": " + failure.what());
  }
  return result;
}
