// Conversions between the movie's fixed-point matrix and Qt's transform.
#pragma once

#include <QTransform>

#include "swf/format/SwfTypes.h"

namespace player {

// QTransform(m11, m12, m21, m22, dx, dy) has exactly the movie's meaning of a, b, c, d.
inline QTransform ToQTransform(const swf::TMatrix& m) {
  return QTransform(m.A / 65536.0, m.B / 65536.0, m.C / 65536.0, m.D / 65536.0, m.TX, m.TY);
}

}  // namespace player
