// "Heart Beat": letter by letter, growing up to frame M (the middle of S..E), then shrinking.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunHeartBeat(TFlashText& text)
{
  const std::int32_t s = text.StartTime, e = text.EndTime, f = text.FontSize;
  const double halfSpan = Span(s, e) / 2.0;
  const auto m = Wrap32(static_cast<std::int64_t>(s) + static_cast<std::int64_t>(RoundHalfEven(halfSpan)));
  const int units = static_cast<int>(text.Units().size());
  TakeLetterSteps(text, FrameCount(s, m) + FrameCount(m, e));
  for (int k = 0; k < units; ++k) {
    text.PlaceUnit(k);
    FillTextColour(text, 255);
    // Frame M gets two steps, the rising one first. A step that would divide by zero
    // (E = S, or j = S in the falling half) shows the text at its plain size.
    ForEachFrame(s, m, [&](std::int32_t i) {
      FrameStep(text, i, [&] {
        const auto rise = Quotient(2.5 * Elapsed(s, i), halfSpan);
        const double scale = rise ? f / 28.0 * 65536 * *rise : PlainScale(text);
        text.SwfObject().Scale(scale, scale);
      });
    });
    ForEachFrame(m, e, [&](std::int32_t j) {
      FrameStep(text, j, [&] {
        const auto fall = Quotient(Elapsed(s, j) / 2.0 * 2.5, halfSpan);
        const auto scaleOrNone = fall ? Quotient(f / 36.0 * 65536 * 2.5, *fall) : std::nullopt;
        const double scale = scaleOrNone ? *scaleOrNone : PlainScale(text);
        text.SwfObject().Scale(scale, scale);
      });
    });
  }
  text.Finish();
}

const TTextEffectRegistrar Registrar("Heart Beat", 24, &RunHeartBeat);

} // namespace
