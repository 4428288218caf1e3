// "Fade": the whole text fading in, alpha growing by 255 / (E - S + 1) a frame.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunFade(TFlashText& text)
{
  const std::int32_t s = text.StartTime, e = text.EndTime;
  TakeFrameSteps(text, 1, FrameCount(s, e));
  text.PlaceWhole();
  ForEachFrame(s, e, [&](std::int32_t i) {
    FrameStep(text, i, [&] {
      // With E = S - 1 the step divides by zero: the text then shows as it ends, opaque.
      FillTextColour(text, FadeInAlpha(s, e, i).value_or(255.0));
    });
  });
  text.Finish();
}

const TTextEffectRegistrar Registrar("Fade", 24, &RunFade);

} // namespace
