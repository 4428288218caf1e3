// The pointer's dealings with buttons: which button it is over, which one it holds down,
// the state each shows, and the actions and sounds of each transition (roll over, press,
// release, drag out and back, release outside). Menu buttons (track as menu) hand the press
// on: one lets it go when the pointer leaves, and one the pointer reaches while still
// pressed takes it, so a release over it is its click.
#pragma once

#include <QPointF>

#include <optional>

#include "player/button/ButtonHitTest.h"
#include "player/timeline/FrameEvents.h"

namespace player {

class TButtonTracker {
 public:
  // point: stage twips, nothing when the pointer left the stage.
  void Move(TCharacterLibrary& library, const TClip& root, std::optional<QPointF> point,
            TFrameEvents& events);
  void Press(TFrameEvents& events);
  void Release(TCharacterLibrary& library, const TClip& root, TFrameEvents& events);
  // Forgets every button (a new movie).
  void Reset();
  bool OverButton() const { return FOver.has_value() || FHeld.has_value(); }

 private:
  // Sets the button's state and queues what the transition asks, if it is still there.
  void Transition(const TButtonHit& hit, uint16_t condition, uint8_t state, TFrameEvents& events);

  std::optional<TButtonHit> FOver;  // under the pointer, not held
  std::optional<TButtonHit> FHeld;  // pressed and not yet released
  bool FHeldInside = false;         // the pointer is over the held button
  bool FPressed = false;            // the pointer is down, on a button or not
  std::optional<QPointF> FPoint;    // the last position
};

}  // namespace player
