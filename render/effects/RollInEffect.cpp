// "Roll In": letter by letter, each starting 12.75 frames after the one before, sliding
// left by 50 twips a frame from the same start: 12.75 frames apart, neighbouring letters
// stand 637.5 twips apart, and each passes the text's place 80 of its frames after it
// set out.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunRollIn(TFlashText& text)
{
  const std::int32_t s = text.StartTime;
  const int units = static_cast<int>(text.Units().size());
  TakeLetterSteps(text, FrameCount(s, text.EndTime));
  // The translation replaces the letter's origin, so every letter sets out from the text's
  // own x; the height is that at which "-- None --" places the text.
  const double x = text.PlaceX();
  const double y = text.PlaceY();
  for (int k = 0; k < units; ++k) {
    text.PlaceUnit(k);
    FillTextColour(text, 255);
    const double stagger = Wrap32(15LL * k) * 0.85;
    ForEachFrame(s, text.EndTime, [&](std::int32_t i) {
      FrameStep(text, stagger + i, [&] {
        text.SwfObject().Translate(x - Wrap32(50LL * Elapsed(s, i)) + 4000, y);
      });
    });
  }
  text.Finish();
}

const TTextEffectRegistrar Registrar("Roll In", 239, &RunRollIn);

} // namespace
