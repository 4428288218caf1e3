// "Roll In": letter by letter, each starting 12.75 frames after the one before, sliding
// left by 50 twips a frame; every letter passes its own place at its frame 80.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunRollIn(TFlashText& text)
{
  const int units = static_cast<int>(text.Units().size());
  CheckLetterWork(text, FrameCount(text.StartTime, text.EndTime));
  // The translation replaces the letter's origin: it keeps the letter's own offset and
  // the height at which "-- None --" places the text.
  const double y = text.PlaceY();
  for (int k = 0; k < units; ++k) {
    text.PlaceUnit(k);
    FillTextColour(text, 255);
    const double stagger = Wrap32(15LL * k) * 0.85;
    const double home = text.UnitX(k);
    ForEachFrame(text.StartTime, text.EndTime, [&](std::int32_t i) {
      FrameStep(text, stagger + i, [&] {
        text.SwfObject().Translate(home - Wrap32(50LL * i) + 4000, y);
      });
    });
  }
  text.Finish();
}

const TTextEffectRegistrar Registrar("Roll In", 239, &RunRollIn);

} // namespace
