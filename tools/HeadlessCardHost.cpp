#include "tools/HeadlessCardHost.h"

#include <algorithm>
#include <stdexcept>

#include "card/SwfStageSize.h"

int THeadlessCardHost::TotalFrames() const { return Movie == "http://" ? RecordedFrames : LoadedFrames; }

void THeadlessCardHost::SetPreviewMovie(const std::string& path)
{
  Movie = path;
  Frame = 0;
  LoadedFrames = 0;
  if (path == "http://") return;
  try {
    LoadedFrames = SwfHeaderFrameCount(path);
  } catch (const std::exception&) {
    // A movie that cannot be read shows nothing, as the preview would.
  }
}

void THeadlessCardHost::SetPreviewFrameNum(int frame)
{
  // The preview stays within its movie.
  Frame = std::clamp(frame, 0, std::max(0, TotalFrames() - 1));
}

TXMLCardDocument& THeadlessCardHost::CardDocument()
{
  if (!Document) throw std::logic_error("No card document is open.");
  return *Document;
}

TXMLMovie THeadlessCardHost::RebuildLibrary()
{
  TXMLMovie movie = BindMovie(CardDocument());
  try {
    RecordedFrames = movie.TotalFrames();
  } catch (const std::exception&) {
    RecordedFrames = 0; // loading the card reports the bad number itself
  }
  return movie;
}
