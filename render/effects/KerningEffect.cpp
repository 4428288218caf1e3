// "Kerning": the whole text shrinking from a large size while fading in.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunKerning(TFlashText& text)
{
  const std::int32_t s = text.StartTime, e = text.EndTime, f = text.FontSize;
  TakeFrameSteps(text, 1, FrameCount(s, e));
  text.PlaceWhole();
  ForEachFrame(s, e, [&](std::int32_t i) {
    FrameStep(text, i, [&] {
      // E = S (or frame S - 1) divides by zero: that frame shows the text at its plain size.
      const auto shrink = Quotient(Wrap32(static_cast<std::int64_t>(Elapsed(s, i)) + 1) * 2.5, Span(s, e));
      const auto scaleOrNone = shrink ? Quotient(f / 28.0 * 65536 * 2, *shrink) : std::nullopt;
      const double scale = scaleOrNone ? *scaleOrNone : PlainScale(text);
      text.SwfObject().Scale(scale, scale);
      // E = S - 1 divides by zero: the text then shows as it ends, opaque.
      FillTextColour(text, FadeInAlpha(s, e, i).value_or(255.0));
    });
  });
  text.Finish();
}

const TTextEffectRegistrar Registrar("Kerning", 24, &RunKerning);

} // namespace
