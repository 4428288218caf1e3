// "Move": the whole text sliding left by 50 twips a frame from its first frame: it enters
// 200 pixels right of its place and stands on its own place 80 frames later.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunMove(TFlashText& text)
{
  const std::int32_t s = text.StartTime;
  TakeFrameSteps(text, 1, FrameCount(s, text.EndTime));
  text.PlaceWhole();
  FillTextColour(text, 255);
  // The translation replaces the text's origin, so it takes the height at which the whole
  // text is placed: the text slides along the line where "-- None --" shows it.
  const double y = text.PlaceY();
  ForEachFrame(s, text.EndTime, [&](std::int32_t i) {
    FrameStep(text, i, [&] {
      const std::int32_t x = Wrap32(20LL * text.PositionX - 50LL * Elapsed(s, i) + 4000);
      text.SwfObject().Translate(x, y);
    });
  });
  text.Finish();
}

const TTextEffectRegistrar Registrar("Move", 239, &RunMove);

} // namespace
