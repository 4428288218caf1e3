// "Radiation": the whole text growing while fading out.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunRadiation(TFlashText& text)
{
  const std::int32_t s = text.StartTime, e = text.EndTime, f = text.FontSize;
  TakeFrameSteps(text, 1, FrameCount(s, e));
  // No steady copy is made under the radiating text: a shape that is never placed would
  // only add an unused character to the movie.
  text.PlaceWhole();
  ForEachFrame(s, e, [&](std::int32_t i) {
    FrameStep(text, i, [&] {
      // E = S divides by zero: that frame shows the text at its plain size.
      const auto growth = Quotient(Wrap32(static_cast<std::int64_t>(Elapsed(s, i)) + 10) * 1.1, Span(s, e));
      const double scale = growth ? *growth * (f / 28.0) * 65536 : PlainScale(text);
      text.SwfObject().Scale(scale, scale);
      // E = S - 1 divides by zero: the text then shows as it ends, faded out.
      FillTextColour(text, FadeOutAlpha(s, e, i));
    });
  });
  text.Finish();
}

const TTextEffectRegistrar Registrar("Radiation", 24, &RunRadiation);

} // namespace
