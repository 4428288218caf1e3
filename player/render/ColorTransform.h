// A colour transform during drawing: the product of an instance's transform and those of
// every clip around it. Multipliers as factors (1.0 = unchanged), additions in 0..255 units.
#pragma once

#include <QColor>

#include "swf/format/SwfTypes.h"

namespace player {

struct TColorTransform {
  float RMult = 1, GMult = 1, BMult = 1, AMult = 1;
  float RAdd = 0, GAdd = 0, BAdd = 0, AAdd = 0;

  static TColorTransform From(const swf::TCxForm& cx);

  // this applied after inner: the transform of a parent around a child's.
  TColorTransform Compose(const TColorTransform& inner) const;

  bool IsIdentity() const {
    return RMult == 1 && GMult == 1 && BMult == 1 && AMult == 1 && !HasAdd();
  }
  bool HasAdd() const { return RAdd != 0 || GAdd != 0 || BAdd != 0 || AAdd != 0; }
  // Only the alpha is scaled: bitmaps are then painted with an opacity instead of recoloured.
  bool IsAlphaOnly() const {
    return RMult == 1 && GMult == 1 && BMult == 1 && !HasAdd();
  }
  // Nothing at all would be visible.
  bool IsInvisible() const { return AMult <= 0 && AAdd <= 0; }

  QColor Apply(const swf::TRgba& color) const;
  // One premultiplied ARGB pixel.
  uint32_t ApplyPremultiplied(uint32_t argb) const;

  bool operator==(const TColorTransform&) const = default;
};

}  // namespace player
