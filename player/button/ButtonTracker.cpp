#include "player/button/ButtonTracker.h"

namespace player {

namespace {

bool Same(const std::optional<TButtonHit>& a, const std::optional<TButtonHit>& b) {
  if (!a || !b) return !a && !b;
  return a->Owner == b->Owner && a->Depth == b->Depth && a->Instance.SameInstance(b->Instance);
}

// Whether the instance is still on its timeline.
bool Alive(const TButtonHit& hit) {
  const auto placed = hit.Owner->DisplayList().find(hit.Depth);
  return placed != hit.Owner->DisplayList().end() && placed->second.SameInstance(hit.Instance);
}

// The sound of a transition, in DefineButtonSound's order.
int SoundIndex(uint16_t condition) {
  switch (condition) {
    case swf::CondOverUpToIdle: return 0;
    case swf::CondIdleToOverUp: return 1;
    case swf::CondOverUpToOverDown: return 2;
    case swf::CondOverDownToOverUp: return 3;
    default: return -1;
  }
}

}  // namespace

void TButtonTracker::Transition(const TButtonHit& hit, uint16_t condition, uint8_t state,
                                TFrameEvents& events) {
  if (!Alive(hit)) return;
  hit.Owner->SetButtonState(hit.Depth, state, events);
  for (const swf::TButtonAction& action : hit.Button->Actions) {
    if (action.Conditions & condition) events.Actions.push_back({hit.Owner, Borrowed(action.Actions)});
  }
  const int sound = SoundIndex(condition);
  if (sound >= 0 && hit.Button->Sounds[sound]) events.Sounds.push_back(Borrowed(*hit.Button->Sounds[sound]));
}

void TButtonTracker::Move(TCharacterLibrary& library, const TClip& root,
                          std::optional<QPointF> point, TFrameEvents& events) {
  FPoint = point;
  std::optional<TButtonHit> hit;
  if (point) hit = FindButtonAt(library, root, *point);
  if (FHeld && FHeld->Button->TrackAsMenu && !Same(hit, FHeld)) {
    Transition(*std::exchange(FHeld, std::nullopt), swf::CondOverDownToIdle, swf::ButtonUp, events);
    FHeldInside = false;
  }
  if (FPressed && !FHeld && hit && hit->Button->TrackAsMenu) {
    if (FOver && !Same(FOver, hit)) Transition(*FOver, swf::CondOverUpToIdle, swf::ButtonUp, events);
    FOver.reset();
    FHeld = hit;
    FHeldInside = true;
    Transition(*FHeld, swf::CondIdleToOverDown, swf::ButtonDown, events);
    return;
  }
  if (FHeld) {
    // A held button follows the pointer out and back in until the release.
    const bool inside = Same(hit, FHeld);
    if (inside && !FHeldInside) Transition(*FHeld, swf::CondOutDownToOverDown, swf::ButtonDown, events);
    if (!inside && FHeldInside) Transition(*FHeld, swf::CondOverDownToOutDown, swf::ButtonOver, events);
    FHeldInside = inside;
    return;
  }
  if (Same(hit, FOver)) return;
  if (FOver) Transition(*FOver, swf::CondOverUpToIdle, swf::ButtonUp, events);
  FOver = hit;
  if (FOver) Transition(*FOver, swf::CondIdleToOverUp, swf::ButtonOver, events);
}

void TButtonTracker::Press(TFrameEvents& events) {
  FPressed = true;
  if (!FOver || FHeld) return;
  FHeld = std::exchange(FOver, std::nullopt);
  FHeldInside = true;
  Transition(*FHeld, swf::CondOverUpToOverDown, swf::ButtonDown, events);
}

void TButtonTracker::Release(TCharacterLibrary& library, const TClip& root, TFrameEvents& events) {
  FPressed = false;
  if (!FHeld) return;
  const TButtonHit held = *std::exchange(FHeld, std::nullopt);
  if (FHeldInside) {
    Transition(held, swf::CondOverDownToOverUp, swf::ButtonOver, events);
    FOver = held;
  } else {
    Transition(held, swf::CondOutDownToIdle, swf::ButtonUp, events);
  }
  FHeldInside = false;
  Move(library, root, FPoint, events);  // the pointer may be over another button now
}

void TButtonTracker::Reset() {
  FOver.reset();
  FHeld.reset();
  FHeldInside = false;
  FPressed = false;
  FPoint.reset();
}

}  // namespace player
