// TSwfMovie: the builder's movie. It records a timeline in memory, frames visited in any
// order, and writes it as an uncompressed SWF 8 file (FWS; FileAttributes first, flags 0;
// SetBackgroundColor; stage Xmin = Ymin = 0; frames up to the highest frame that
// AddObject, RemoveObject or AddAction was called on; FrameCount = number of ShowFrames).
//
// Frames. GotoFrame rounds a fractional frame half to even (2.5 -> 2, 3.5 -> 4). Frames
// below 0 or above 65534, and NaN, are refused with an error.
//
// Placing. AddObject places the object's current content with its current fill and
// transform on the current frame; it stays on the following frames until removed. Adding
// a content already shown on the frame changes its placement (it is never shown twice).
// Later additions lie in front of earlier ones. A sound starts at the current frame and
// plays to its end: RemoveObject never stops it.
//
// Removing. Text effects remove and add their content on every frame, one letter after
// the other for per-letter effects, and end with one RemoveObject after the text's last
// frame. So RemoveObject acts on the object's letter group: the current content and,
// while a text is made letter by letter, the letters made before it. For each of them:
//   - shown on the current frame from an earlier frame (its last placement lies before
//     it): taken away from the current frame on;
//   - placed on later frames (a letter whose own frames run past this one): taken away
//     one frame after its last placement, so staggered letters each finish their course
//     (a removal past the movie's last frame is not written: the movie does not grow).
//     Earlier letters get this only from the text's closing removal, so letters of a text
//     that stays to the movie's end (placed once more instead of removed) stay on a stop
//     frame added after it;
//   - the current content placed on the current frame itself stays (a RemoveObject never
//     undoes the AddObject of the same frame).
// A MakeTextSimple joins the group when the object's last call was the AddObject of a
// frame step (RemoveObject then AddObject on one frame) of a text, or another Make; every
// other Make starts a new group. Thus the letters of "Rainbow" leave together after the
// text's last frame, and earlier texts and pictures are never taken away.
//
// Finished content. The content's life ends, and AddObject and RemoveObject do nothing with
// it until the next Make, after: a second RemoveObject in a row (a removal after the text
// already left); an AddObject right after an AddObject (placing once more on the last
// frame of the movie); an AddObject with no GotoFrame since the Make and no RemoveObject
// (a background placed for the whole movie); the start of a sound; and WriteMovie. So a
// renderer that makes nothing cannot take away or re-add what another one made.
//
// WriteMovie writes to a temporary file beside the target and renames it into place, then
// forgets the timeline (also on failure): the next calls build a new movie with the same
// size, rate and background colour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swf/builder/MovieWriter.h"
#include "swf/builder/SwfObjs.h"
#include "swf/builder/SwfTimeline.h"

namespace swf {

class TSwfObject;

class TSwfMovie : public ISwfMovie {
 public:
  TSwfMovie();

  // Stage size in twips (0 .. 1073741823). Default 550 x 400 pixels.
  void SetSize(int width, int height) override;
  // 1 .. 255 frames per second. Default 12.
  void SetFrameRate(int framesPerSecond) override;
  // Components clamped to 0..255. Default white.
  void SetFrameBkColor(int red, int green, int blue) override;
  void GotoFrame(double frame) override;
  // The objects must be TSwfObject and TSwfAction.
  void AddObject(ISwfObject& object) override;
  void RemoveObject(ISwfObject& object) override;
  void AddAction(ISwfAction& action) override;
  void WriteMovie(const std::string& path) override;

  int CurrentFrame() const { return FFrame; }
  // Frames the movie would have if written now.
  int FrameCount() const { return FTimeline.LastFrame() + 1; }
  // The movie's bytes as WriteMovie would write them; keeps the timeline.
  std::vector<uint8_t> MovieBytes() const;
  // Forgets the timeline; keeps size, rate and background colour.
  void Clear();

  // Rounds a frame half to even; throws for NaN and frames outside 0..65534.
  static int RoundFrame(double frame);
  // Counts GotoFrame calls of every movie: tells an object whether a GotoFrame came
  // between two of its calls.
  static uint64_t FrameVisit();
  // Counts movies made or cleared (WriteMovie clears): letters never join across movies.
  static uint64_t MovieCount();

 private:
  TSwfObject& Own(ISwfObject& object) const;
  // Whether the object holds live content of this movie (binding fresh content to it).
  bool Holds(TSwfObject& object) const;
  void RemoveGroup(TSwfObject& object);

  TMovieSettings FSettings;
  TSwfTimeline FTimeline;
  int FFrame = 0;
  uint64_t FGeneration;  // unique among all movies ever started
};

}  // namespace swf
