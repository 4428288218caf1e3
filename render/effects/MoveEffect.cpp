// "Move": the whole text sliding left by 50 twips a frame, counted from frame 0: it enters
// 200 pixels right of its place and stands on its own place at frame 80.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunMove(TFlashText& text)
{
  text.PlaceWhole();
  FillTextColour(text, 255);
  // The translation replaces the text's origin, so it takes the height at which the whole
  // text is placed: the text slides along the line where "-- None --" shows it.
  const double y = text.PlaceY();
  ForEachFrame(text.StartTime, text.EndTime, [&](std::int32_t i) {
    FrameStep(text, i, [&] {
      const std::int32_t x = Wrap32(20LL * text.PositionX - 50LL * i + 4000);
      text.SwfObject().Translate(x, y);
    });
  });
  text.Finish();
}

const TTextEffectRegistrar Registrar("Move", 239, &RunMove);

} // namespace
