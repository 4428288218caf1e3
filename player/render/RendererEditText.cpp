// Text fields (DefineEditText): the border and background, then the laid-out text cut to
// the field's box. Scripts never change them in this player: the initial text shows.
#include <cmath>

#include "player/render/Renderer.h"

namespace player {

void TRenderer::DrawEditText(QPainter& painter, uint16_t id, const QTransform& world,
                             const TColorTransform& cx) {
  const swf::TEditText* field = FLibrary.Movie().Find<swf::TEditText>(id);
  const TEditTextGeometry* geometry = FLibrary.EditText(id);
  if (!field || !geometry || !geometry->Box.isValid()) return;
  painter.setTransform(world);
  if (field->Border) {
    painter.fillRect(geometry->Box, cx.Apply(swf::TRgba{255, 255, 255, 255}));
    // A one-pixel line on the device pixels of the box's edges.
    const QRectF device = world.mapRect(geometry->Box);
    QPen pen(cx.Apply(swf::TRgba{0, 0, 0, 255}), 1);
    pen.setCosmetic(true);
    painter.save();
    painter.resetTransform();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(std::round(device.left()) + 0.5, std::round(device.top()) + 0.5,
                            std::round(device.width()), std::round(device.height())));
    painter.restore();
  }
  painter.save();
  painter.setClipRect(geometry->Box, Qt::IntersectClip);
  for (const TEditTextGeometry::TRun& run : geometry->Runs) FillPath(painter, run.Path, cx.Apply(run.Color));
  painter.restore();
}

}  // namespace player
