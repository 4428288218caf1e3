// "Rotate": the whole text turning back to upright while its scale falls from nearly 4
// to 1 and it fades in.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunRotate(TFlashText& text)
{
  const std::int32_t s = text.StartTime, e = text.EndTime, f = text.FontSize;
  double z = 4.0; // carried from frame to frame
  TakeFrameSteps(text, 1, FrameCount(s, e));
  text.PlaceWhole();
  const std::int32_t length = Wrap32(static_cast<std::int64_t>(e) - s + 1);
  ForEachFrame(s, e, [&](std::int32_t i) {
    FrameStep(text, i, [&] {
      const std::int32_t left = Wrap32(static_cast<std::int64_t>(e) - i);
      // (E - i) x 9 degrees in 16.16 fixed point, 0 at E.
      text.SwfObject().Rotate(Wrap32(static_cast<std::int64_t>(left) * 9 * 65536));
      const auto step = Quotient(z - 1, length);
      z = step ? *step * left + 1 : 1.0;
      const double scale = z * 65536 * f / 36;
      text.SwfObject().Scale(scale, scale);
      // Grows by 5 a frame and is not limited to 255.
      FillTextColour(text, Wrap32((static_cast<std::int64_t>(i) - s) * 5));
    });
  });
  text.Finish();
}

const TTextEffectRegistrar Registrar("Rotate", 49, &RunRotate);

} // namespace
