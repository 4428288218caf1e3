// Buttons: the records of the state the button is in, in the order of their depths, each
// with its own matrix, colour transform, filters and blend mode.
#include <algorithm>
#include <vector>

#include "player/render/Renderer.h"
#include "player/timeline/TimelineSet.h"

namespace player {

void TRenderer::DrawButton(QPainter& painter, const TClip& clip, uint16_t depth,
                           const swf::TButton& button, const QTransform& objectWorld,
                           const TColorTransform& cx, int nesting) {
  if (nesting >= TTimelineSet::MaxNesting) return;
  const uint8_t state = clip.ButtonState(depth);
  std::vector<const swf::TButtonRecord*> shown;
  for (const swf::TButtonRecord& record : button.Records)
    if (record.States & state) shown.push_back(&record);
  std::stable_sort(shown.begin(), shown.end(),
                   [](const auto* a, const auto* b) { return a->Depth < b->Depth; });
  for (const swf::TButtonRecord* record : shown) {
    // Buttons within buttons and sprites in buttons are not drawn: they need clips of
    // their own.
    const uint16_t id = record->CharacterId;
    if (id == button.Id || FLibrary.Movie().Find<swf::TButton>(id) ||
        FLibrary.Movie().Find<swf::TSprite>(id))
      continue;
    swf::TDisplayObject part;
    part.CharacterId = id;
    part.Matrix = record->Matrix;
    part.CxForm = button.Version == 1 ? button.CxForm.value_or(swf::TCxForm()) : record->CxForm;
    part.BlendMode = record->BlendMode;
    part.Filters = record->Filters;
    DrawObject(painter, clip, depth, part, objectWorld, cx, nesting + 1);
  }
}

}  // namespace player
