// Which button is under a point of the stage: the topmost button instance whose hit area
// (the records of its hit state) contains the point, looked for through sprites.
#pragma once

#include <QPointF>

#include <cstdint>
#include <memory>
#include <optional>

#include "player/render/CharacterLibrary.h"
#include "player/timeline/Clip.h"

namespace player {

struct TButtonHit {
  std::shared_ptr<TClip> Owner;  // the timeline the button is placed on
  uint16_t Depth = 0;
  TPlacedObject Instance;
  const swf::TButton* Button = nullptr;
};

// point: stage twips.
std::optional<TButtonHit> FindButtonAt(TCharacterLibrary& library, const TClip& root,
                                       QPointF point);

}  // namespace player
