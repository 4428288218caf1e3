// A colour transform during drawing: the product of an instance's transform and those of
// every clip around it, in the movie's own integer arithmetic (multipliers 8.8 fixed point,
// 256 = unchanged; additions in 0..255 units): out = clamp((in · mult >> 8) + add).
#pragma once

#include <QColor>

#include "swf/format/SwfTypes.h"

namespace player {

struct TColorTransform {
  int RMult = 256, GMult = 256, BMult = 256, AMult = 256;
  int RAdd = 0, GAdd = 0, BAdd = 0, AAdd = 0;

  static TColorTransform From(const swf::TCxForm& cx);

  // this applied after inner: the transform of a parent around a child's.
  TColorTransform Compose(const TColorTransform& inner) const;

  bool IsIdentity() const {
    return RMult == 256 && GMult == 256 && BMult == 256 && AMult == 256 && !HasAdd();
  }
  bool HasAdd() const { return RAdd != 0 || GAdd != 0 || BAdd != 0 || AAdd != 0; }
  // Only the alpha is scaled: bitmaps are then painted with an opacity instead of recoloured.
  bool IsAlphaOnly() const { return RMult == 256 && GMult == 256 && BMult == 256 && !HasAdd(); }
  double Opacity() const { return AMult <= 0 ? 0.0 : AMult >= 256 ? 1.0 : AMult / 256.0; }
  // Nothing at all would be visible.
  bool IsInvisible() const { return AMult <= 0 && AAdd <= 0; }

  QColor Apply(const swf::TRgba& color) const;
  // One premultiplied ARGB pixel of a picture; a transparent one stays transparent.
  uint32_t ApplyPremultiplied(uint32_t argb) const;

  bool operator==(const TColorTransform&) const = default;
};

}  // namespace player
