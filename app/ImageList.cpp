#include "app/ImageList.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace {

// The colours of one state of a button face.
struct TFace {
  QColor Top, Bottom, Border;
  QPointF GlyphOffset;
  bool GreyGlyph = false;
};

// A glyph drawn into a square of the given side; empty when the resource is missing, so a
// missing picture leaves only the face.
QImage Glyph(const QString& name, QSizeF size) {
  QString path = QStringLiteral(":/buttons/%1.svg").arg(name);
  QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  if (!QFile::exists(path))
    return image;
  QSvgRenderer renderer(path);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// A disabled glyph: grey, faint.
QImage Greyed(const QImage& glyph) {
  QImage result = glyph.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      int grey = qGray(line[x]);
      grey = 150 + grey / 4;
      line[x] = qRgba(grey, grey - 6, grey - 14, qAlpha(line[x]) * 45 / 100);
    }
  }
  return result;
}

using TShape = QPainterPath (*)(const QRectF&);

QPainterPath Rounded(const QRectF& rect) {
  QPainterPath path;
  path.addRoundedRect(rect, 8, 8);
  return path;
}

QPainterPath Round(const QRectF& rect) {
  QPainterPath path;
  path.addEllipse(rect);
  return path;
}

QPainterPath Pill(const QRectF& rect) {
  QPainterPath path;
  path.addRoundedRect(rect, rect.height() / 2, rect.height() / 2);
  return path;
}

QPixmap DrawFace(QSize size, TShape shape, const TFace& face, const QImage& glyph,
                 QRectF glyphRect) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  QRectF body = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
  if (face.Top.alpha() > 0 || face.Border.alpha() > 0) {
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, face.Top);
    fill.setColorAt(1, face.Bottom);
    painter.setPen(face.Border.alpha() > 0 ? QPen(face.Border, 1.2) : Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(shape(body));
  }
  painter.drawImage(glyphRect.translated(face.GlyphOffset),
                    face.GreyGlyph ? Greyed(glyph) : glyph);
  return pixmap;
}

TImageList MakeList(QSize size, TShape shape, const std::array<TFace, 4>& faces,
                    const QImage& glyph, QRectF glyphRect) {
  std::array<QPixmap, 4> images;
  for (int i = 0; i < 4; ++i)
    images[i] = DrawFace(size, shape, faces[i], glyph, glyphRect);
  return TImageList(images);
}

} // namespace

QPixmap TImageList::Image(int index) const {
  if (index < 0 || index >= int(Images.size()))
    return {};
  return Images[index];
}

TImageList TImageList::ToolButton(const QString& glyph) {
  const std::array<TFace, 4> faces = {{
      {QColor("#FFFFFF"), QColor("#FFF0DA"), QColor("#E9BC8C"), {}, false},
      {QColor("#FFEBC4"), QColor("#FFD391"), QColor("#E9934A"), {}, false},
      {QColor("#F9C57F"), QColor("#F2AB5E"), QColor("#D2733A"), {1, 1}, false},
      {QColor("#F6F1EB"), QColor("#EFE8DF"), QColor("#DAD2C8"), {}, true},
  }};
  return MakeList(QSize(40, 40), Rounded, faces, Glyph(glyph, QSizeF(28, 28)),
                  QRectF(6, 6, 28, 28));
}

TImageList TImageList::PlayerButton(const QString& glyph) {
  const std::array<TFace, 4> faces = {{
      {QColor("#F39467"), QColor("#E2643F"), QColor("#C24C2F"), {}, false},
      {QColor("#F8AE83"), QColor("#EC7A50"), QColor("#C24C2F"), {}, false},
      {QColor("#D65A38"), QColor("#C9502F"), QColor("#A63F25"), {0.5, 0.5}, false},
      {QColor("#E6DDD4"), QColor("#D8CEC4"), QColor("#C3B8AD"), {}, false},
  }};
  return MakeList(QSize(29, 29), Round, faces, Glyph(glyph, QSizeF(19, 19)),
                  QRectF(5, 5, 19, 19));
}

TImageList TImageList::TitleButton(const QString& glyph) {
  const std::array<TFace, 4> faces = {{
      {QColor(255, 255, 255, 0), QColor(255, 255, 255, 0), QColor(255, 255, 255, 0), {}, false},
      {QColor(255, 255, 255, 80), QColor(255, 255, 255, 50), QColor(255, 255, 255, 140), {}, false},
      {QColor(120, 30, 10, 90), QColor(120, 30, 10, 60), QColor(255, 255, 255, 120), {0.5, 0.5}, false},
      {QColor(255, 255, 255, 0), QColor(255, 255, 255, 0), QColor(255, 255, 255, 0), {}, true},
  }};
  return MakeList(QSize(20, 20), Round, faces, Glyph(glyph, QSizeF(16, 16)),
                  QRectF(2, 2, 16, 16));
}

TImageList TImageList::LoopButton(bool on) {
  const std::array<TFace, 4> offFaces = {{
      {QColor("#FFFFFF"), QColor("#F3E9DC"), QColor("#D9C2A6"), {}, false},
      {QColor("#FFF3DF"), QColor("#FBE0BA"), QColor("#E9934A"), {}, false},
      {QColor("#F3DDBF"), QColor("#E9CBA3"), QColor("#C9864D"), {0.5, 0.5}, false},
      {QColor("#F3EEE8"), QColor("#ECE5DD"), QColor("#DAD2C8"), {}, true},
  }};
  const std::array<TFace, 4> onFaces = {{
      {QColor("#9CD175"), QColor("#6FAE47"), QColor("#4F8A2E"), {}, false},
      {QColor("#B2DE90"), QColor("#82C159"), QColor("#4F8A2E"), {}, false},
      {QColor("#6FAE47"), QColor("#5A9838"), QColor("#3F7422"), {0.5, 0.5}, false},
      {QColor("#F3EEE8"), QColor("#ECE5DD"), QColor("#DAD2C8"), {}, true},
  }};
  QImage glyph = Glyph(on ? QStringLiteral("loop_on") : QStringLiteral("loop_off"),
                       QSizeF(28, 14));
  return MakeList(QSize(35, 18), Pill, on ? onFaces : offFaces, glyph,
                  QRectF(3.5, 2, 28, 14));
}
