// "Come In": letter by letter, each starting a quarter of the text's span after the one
// before, growing and fading out.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunComeIn(TFlashText& text)
{
  const std::int32_t s = text.StartTime, e = text.EndTime, f = text.FontSize;
  const std::int32_t spanPlus1 = Wrap32(static_cast<std::int64_t>(Span(s, e)) + 1);
  const int units = static_cast<int>(text.Units().size());
  TakeLetterSteps(text, FrameCount(s, e));
  for (int k = 0; k < units; ++k) {
    text.PlaceUnit(k);
    // k x (E - S) is a whole-number product; the frame keeps its fraction (.25, .5, .75).
    const double stagger = Wrap32(static_cast<std::int64_t>(k) * Span(s, e)) * 0.25;
    ForEachFrame(s, e, [&](std::int32_t i) {
      FrameStep(text, stagger + i, [&] {
        // With E = S - 1 both formulas divide by zero; the letter then shows as the effect
        // ends: faded out.
        const auto growth = Quotient(2.5, spanPlus1);
        const double scale = growth ? f / 28.0 * 65536 * (*growth * Wrap32(static_cast<std::int64_t>(Elapsed(s, i)) + 1))
                                    : PlainScale(text);
        text.SwfObject().Scale(scale, scale);
        FillTextColour(text, FadeOutAlpha(s, e, i));
      });
    });
  }
  text.Finish();
}

const TTextEffectRegistrar Registrar("Come In", 24, &RunComeIn);

} // namespace
