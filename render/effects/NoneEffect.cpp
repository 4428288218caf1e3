// "-- None --": the whole text in its full colour from StartTime to EndTime.
#include "render/effects/EffectSteps.h"
#include "render/effects/TextEffect.h"

namespace {

void RunNone(TFlashText& text)
{
  TakeFrameSteps(text, 1, 1);
  text.PlaceWhole();
  FillTextColour(text, 255);
  // No frame loop: one placement at the first frame stays until Finish ends it.
  text.SwfMovie().GotoFrame(text.StartTime);
  text.SwfMovie().AddObject(text.SwfObject());
  text.Finish();
}

const TTextEffectRegistrar Registrar("-- None --", 24, &RunNone);

} // namespace
