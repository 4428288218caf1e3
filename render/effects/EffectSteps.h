// The building blocks the effects share: the frame loop and the frame step.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "render/EffectMath.h"
#include "render/FlashText.h"
#include "render/RenderContext.h"
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

// Fills the text's shape with the text's own colour at `alpha` (0..255; larger values
// pass through as they are).
inline void FillTextColour(TFlashText& text, double alpha)
{
  text.SwfObject().SetSolidFill(text.Red(), text.Green(), text.Blue(), alpha);
}

// Every effect runs on its own clock: its progress counts frames from its first frame s,
// and its length is e - s, so a text that starts late looks as one that starts at frame 0.
inline std::int32_t Elapsed(std::int32_t s, std::int32_t i) { return Wrap32(static_cast<std::int64_t>(i) - s); }
inline std::int32_t Span(std::int32_t s, std::int32_t e) { return Elapsed(s, e); }

// The alpha of a fade-in at frame i of an effect running from s to e: 255 / (e - s + 1)
// more each frame from s on. No value when e = s - 1 makes the step divide by zero.
inline std::optional<double> FadeInAlpha(std::int32_t s, std::int32_t e, std::int32_t i)
{
  const auto step = Quotient(255.0, Wrap32(static_cast<std::int64_t>(Span(s, e)) + 1));
  if (!step) return std::nullopt;
  return *step * Wrap32(static_cast<std::int64_t>(Elapsed(s, i)) + 1);
}

// The alpha of a fade-out: 255 less the fade-in's; 0 (the look of the effect's end) where
// the fade-in has no value.
inline double FadeOutAlpha(std::int32_t s, std::int32_t e, std::int32_t i)
{
  const std::optional<double> fadeIn = FadeInAlpha(s, e, i);
  return fadeIn ? 255 - *fadeIn : 0.0;
}

// The scale a frame gets when its formula would divide by zero: the text's own size, as
// "-- None --" shows it. Scale factors are measured against a 36-point text.
inline double PlainScale(const TFlashText& text) { return text.FontSize / 36.0 * 65536; }

// Letter-by-letter effects make one shape per unit and one frame step per unit and frame.
// Takes the placements an effect will make from the render's budget before it places
// anything, so a text too costly for what is left is refused whole, never cut short.
inline void TakeFrameSteps(const TFlashText& text, std::int64_t units, std::int64_t framesPerUnit)
{
  text.Context().Budget.TakeFrameSteps(units * framesPerUnit);
}

// The same for an effect that places each letter on its own.
inline void TakeLetterSteps(const TFlashText& text, std::int64_t framesPerUnit)
{
  TakeFrameSteps(text, static_cast<std::int64_t>(text.Units().size()), framesPerUnit);
}

// Frames in first..last, none when last < first.
inline std::int64_t FrameCount(std::int32_t first, std::int32_t last)
{
  return last < first ? 0 : static_cast<std::int64_t>(last) - first + 1;
}
