// "Rainbow": letter by letter, a new random colour and alpha every frame.
#include "render/RandomSource.h"
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunRainbow(TFlashText& text)
{
  TRandomSource& random = text.Random();
  random.BeginRun();
  const int units = static_cast<int>(text.Units().size());
  TakeLetterSteps(text, FrameCount(text.StartTime, text.EndTime));
  for (int k = 0; k < units; ++k) {
    text.PlaceUnit(k);
    ForEachFrame(text.StartTime, text.EndTime, [&](std::int32_t i) {
      FrameStep(text, i, [&] {
        // Drawn in this order, each in 0..254.
        const int alpha = random.Below(255);
        const int blue = random.Below(255);
        const int green = random.Below(255);
        const int red = random.Below(255);
        text.SwfObject().SetSolidFill(red, green, blue, alpha);
      });
    });
  }
  text.Finish();
}

const TTextEffectRegistrar Registrar("Rainbow", 24, &RunRainbow);

} // namespace
