// The building blocks the effects share: the frame loop and the frame step.
#pragma once

#include <cstdint>

#include "render/EffectMath.h"
#include "render/FlashText.h"
#include "swf/builder/SwfObjs.h"

// Calls step(i) for i from `first` to `last` inclusive; nothing when last < first.
template <class TStep>
void ForEachFrame(std::int32_t first, std::int32_t last, TStep&& step)
{
  // Counted in 64 bits so that a last frame of INT32_MAX still ends the loop.
  for (std::int64_t i = first; i <= last; ++i) step(static_cast<std::int32_t>(i));
}

// The frame step at frame f: GotoFrame(f), RemoveObject (harmless before the first
// AddObject of new content), the effect's own calls, AddObject.
template <class TCalls>
void FrameStep(TFlashText& text, double frame, TCalls&& calls)
{
  swf::ISwfMovie& movie = text.SwfMovie();
  movie.GotoFrame(frame);
  movie.RemoveObject(text.SwfObject());
  calls();
  movie.AddObject(text.SwfObject());
}

// The scale a frame gets when its formula would divide by zero: 65536, the size at which
// "-- None --" shows the text.
constexpr double PlainScale = 65536.0;
