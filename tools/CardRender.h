// Rendering a card file without a window, as the editor's preview does or as Save and
// Export do: the card is copied into a private working folder (the input is never
// changed), opened in Edit mode on a headless host and rendered until the frame count the
// renderers compare with is the count of the movie they produce.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/EditorInterfaces.h"
#include "render/TextFields.h"
#include "swf/builder/SwfObjs.h"

struct TCardRenderOptions {
  std::string CardFile;
  std::string OutputFile;
  // Scope "All": a movie that does not loop ends with a stop action.
  bool Final = false;
  // Seeds the colours of "Rainbow"; the clock when absent.
  std::optional<std::uint32_t> Seed;
  // Relative media paths of the card resolve against this folder.
  std::string ProgramFolder;
  // Renders at most this many times to settle the frame count.
  int MaxPasses = 5;
  // Values of the texts' "{Name}" fields; without them fields show as written.
  std::optional<TFieldValues> Fields;
  // Media only from the card's folder (and below) and the program's library: the others
  // are left out with a message (a card received from someone).
  bool ConfineMedia = false;
};

struct TCardRenderResult {
  int Passes = 0;     // renders made before the output
  int FrameCount = 0; // frames of the written movie
  int ObjectsLeftOut = 0; // objects that failed or cost too much, told through the messages
};

// A card opened once and settled, rendered as often as wanted (one card per row of a
// list). Pictures are examined once and kept for the later renders.
class TOpenCard {
public:
  // Throws std::runtime_error with a one-line message for a card that cannot be read.
  TOpenCard(const TCardRenderOptions& options, swf::ISwfMovie& movie, swf::ISwfObject& object,
            swf::ISwfAction& action, IUserMessages* messages);
  ~TOpenCard();

  int Passes() const;
  // Objects the last render left out.
  int ObjectsLeftOut() const;
  // The card rendered with these values (none: fields as written), left in the builder.
  void Render(const TFieldValues* values);
  // The same, written to a file of the working folder; returns its name.
  std::string RenderToWorkFile(const TFieldValues* values);

private:
  struct TState;
  std::unique_ptr<TState> State;
};

// Throws std::runtime_error with a one-line message for a card that cannot be read or a
// movie that cannot be written. Messages the editor would show in a box (a picture that
// cannot be used) go to `messages` and the render goes on.
TCardRenderResult RenderCardFile(const TCardRenderOptions& options, swf::ISwfMovie& movie,
                                 swf::ISwfObject& object, swf::ISwfAction& action,
                                 IUserMessages* messages);

// The same with builder objects of its own, for callers that only want the movie file.
TCardRenderResult RenderCardFile(const TCardRenderOptions& options, IUserMessages* messages);
