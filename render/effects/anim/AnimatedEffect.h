// An effect described as data: a motion of keyframes that each unit of the text (letter,
// word, line or the whole text) plays, one unit after the other. One engine plays them all
// (TextAnimation.h); each effect's file registers its description by name.
#pragma once

#include <string>

#include "render/TextUnitLayout.h"
#include "render/effects/TextEffect.h"
#include "render/effects/anim/Motion.h"

// Per-unit random offsets, weighted by a pose's Scatter: each unit gets its own fixed
// direction, the same in every render.
struct TSpread {
  double X = 0, Y = 0; // ems
  double Angle = 0;    // degrees
};

struct TAnimatedEffect {
  std::string Name;
  const char* Family = EntranceFamily; // an entrance ends at rest, an exit ends gone
  TTextUnitKind Unit = TTextUnitKind::Whole;
  double Duration = 18; // frames of one unit's motion; the period of a loop
  double Stagger = 0;   // frames between the starts of neighbouring units (a loop's phase)
  // Entrance: from the first keyframe (hidden) to rest. Exit: from rest to gone. Emphasis:
  // one period, starting and ending at rest.
  TMotion Motion;
  bool Reverse = false;   // plays Motion backwards: an exit that mirrors an entrance
  bool LastFirst = false; // the last unit starts first
  double PivotX = 0.5, PivotY = 0.5; // where the unit scales and turns, in fractions of its box
  TSpread Spread;
  int DefaultLength = 47;
};

class TAnimatedEffects {
public:
  // The animated effect of that name; nullptr for the classic effects and unknown names.
  static const TAnimatedEffect* Find(const std::string& name);
};

// Registers the description and a text effect of the same name that plays it alone.
struct TAnimatedEffectRegistrar {
  explicit TAnimatedEffectRegistrar(TAnimatedEffect effect);
};
