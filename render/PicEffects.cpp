#include "render/PicEffects.h"

#include <algorithm>
#include <cstdint>

#include "render/EffectMath.h"
#include "render/FlashPic.h"
#include "render/RenderContext.h"
#include "swf/builder/SwfObjs.h"

namespace {

// The picture at its place from the first frame until Finish ends it. An animation is
// placed again on each frame where the frame it shows changes.
void RunNone(TFlashPic& picture)
{
  picture.PlaceAt(picture.PositionX, picture.StartTime);
  picture.SwfMovie().GotoFrame(picture.StartTime);
  picture.SwfMovie().AddObject(picture.SwfObject());
  if (picture.Animated() && picture.EndTime > picture.StartTime) {
    swf::ISwfMovie& movie = picture.SwfMovie();
    picture.Context().Budget.TakeFrameSteps(picture.EndTime - picture.StartTime);
    const std::string* shown = &picture.WorkFileAt(picture.StartTime);
    for (std::int64_t i = std::int64_t(picture.StartTime) + 1; i <= picture.EndTime; ++i) {
      const std::string& file = picture.WorkFileAt(i);
      if (file == *shown) continue;
      shown = &file;
      movie.GotoFrame(static_cast<double>(i));
      movie.RemoveObject(picture.SwfObject());
      picture.PlaceAt(picture.PositionX, i);
      movie.AddObject(picture.SwfObject());
    }
  }
  picture.Finish();
}

// A new shape each frame, 2 pixels further left per frame counted from the picture's first
// frame S: at frame i the left edge is X - 2 (i - S).
void RunMove(TFlashPic& picture)
{
  swf::ISwfMovie& movie = picture.SwfMovie();
  const std::int64_t s = picture.StartTime;
  if (picture.EndTime >= s) picture.Context().Budget.TakeFrameSteps(picture.EndTime - s + 1);
  for (std::int64_t i = s; i <= picture.EndTime; ++i) {
    movie.GotoFrame(static_cast<double>(i));
    // Takes away this picture's shape of the frame before. On the first frame the shape
    // object still holds what was rendered before; the builder leaves that alone.
    movie.RemoveObject(picture.SwfObject());
    picture.PlaceAt(Wrap32(picture.PositionX - 2 * (i - s)), i);
    movie.AddObject(picture.SwfObject());
  }
  picture.Finish();
}

// Named by card files from elsewhere; they show nothing.
void RunNothing(TFlashPic&) {}

const TPicEffect Effects[] = {
    {"-- None --", true, &RunNone},
    {"Come In", false, &RunNothing},
    {"Come Out", false, &RunNothing},
    {"Move", true, &RunMove},
};

} // namespace

const TPicEffect* TPicEffects::Find(const std::string& name)
{
  for (const TPicEffect& effect : Effects)
    if (effect.Name == name) return &effect;
  return nullptr;
}

std::vector<std::string> TPicEffects::OfferedNames()
{
  std::vector<std::string> names;
  for (const TPicEffect& effect : Effects)
    if (effect.Offered) names.push_back(effect.Name);
  std::sort(names.begin(), names.end());
  return names;
}
