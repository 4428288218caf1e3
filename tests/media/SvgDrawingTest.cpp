// SVG pictures as shapes: the outlines and fills taken from a drawing, painted by Qt, look as
// librsvg draws the same file; what shapes cannot show leaves the picture as pixels; hostile
// drawings stay bounded.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <fstream>

#include "media/MediaError.h"
#include "media/PictureDecoder.h"
#include "media/SvgDocument.h"
#include "media/VectorPicture.h"

namespace {

class SvgDrawing : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& body, int width = 120, int height = 90) {
    const std::string path = Folder.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path) << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\""
                        << width << "\" height=\"" << height << "\">" << body << "</svg>";
    return path;
  }
  static std::unique_ptr<media::IPictureDecoder> Open(const std::string& path) {
    return media::FindPictureDecoder(media::TPictureKind::Svg)->Open(path, {});
  }
  QTemporaryDir Folder;
};

QBrush BrushOf(const media::TVectorFill& fill, double scale) {
  if (fill.Kind == media::TVectorFill::Solid) return fill.Colour;
  QGradient gradient = fill.Kind == media::TVectorFill::Linear ? QGradient(QLinearGradient(-1, 0, 1, 0))
                                                               : QGradient(QRadialGradient(0, 0, 1, fill.Focal, 0));
  gradient.setStops(fill.Stops);
  gradient.setSpread(fill.Spread);
  QBrush brush(gradient);
  brush.setTransform(fill.Matrix * QTransform::fromScale(scale, scale));
  return brush;
}

// The drawing painted by Qt over white, `scale` pixels a drawing pixel.
QImage Paint(const media::TVectorPicture& drawing, int scale) {
  QImage image(int(drawing.Width) * scale, int(drawing.Height) * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  for (const media::TVectorShape& shape : drawing.Shapes) {
    QPainterPath outline = QTransform::fromScale(scale, scale).map(shape.Outline);
    outline.setFillRule(Qt::WindingFill);
    painter.fillPath(outline, BrushOf(shape.Fill, scale));
  }
  return image;
}

// librsvg's own pixels of the file over white.
QImage Reference(const std::string& path, int width, int height) {
  const media::TRgbaFrame frame = media::TSvgDocument(path).Draw(width, height);
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = &frame.Pixels[(std::size_t(y) * width + x) * 4];
      auto over = [&](int c) { return (p[c] * p[3] + 255 * (255 - p[3]) + 127) / 255; };
      image.setPixel(x, y, qRgb(over(0), over(1), over(2)));
    }
  return image;
}

double ShareOff(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 1;
  int off = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))}) > 40) ++off;
    }
  return double(off) / (a.width() * a.height());
}

TEST_F(SvgDrawing, ShapesLookAsTheLibraryDrawsTheFile) {
  const std::vector<std::pair<std::string, std::string>> drawings = {
      {"gradients",
       "<defs><linearGradient id='l' x1='0' y1='0' x2='1' y2='1'><stop offset='0' stop-color='#c00'/>"
       "<stop offset='1' stop-color='#00c' stop-opacity='0.5'/></linearGradient>"
       "<radialGradient id='r' fx='0.3' fy='0.4' spreadMethod='reflect' r='0.3'><stop offset='0' stop-color='yellow'/>"
       "<stop offset='1' stop-color='green'/></radialGradient></defs>"
       "<rect x='5' y='5' width='60' height='50' fill='url(#l)'/><circle cx='80' cy='50' r='35' fill='url(#r)'/>"},
      {"strokes",
       "<polyline points='10,10 60,80 110,20 80,85' fill='none' stroke='#235' stroke-width='7' stroke-linejoin='round'"
       " stroke-dasharray='12 5' stroke-linecap='round'/><path d='M10 60 Q 60 0 110 60' fill='none' stroke='red'"
       " stroke-width='3' transform='skewX(20)'/>"},
      {"rules",
       "<path d='M60 5 L95 85 L10 30 L110 30 L25 85 Z' fill='#080' fill-rule='evenodd'/>"
       "<path d='M5 5 h40 v40 h-40 Z M15 15 h20 v20 h-20 Z' fill='#808' fill-rule='evenodd'/>"
       "<path d='M70 50 h40 v35 h-40 Z M80 60 h20 v15 h-20 Z' fill='#008'/>"},
      {"groups",
       "<g transform='translate(10 5) rotate(15)' opacity='0.5'><rect width='30' height='20' fill='blue'/>"
       "<circle cx='70' cy='40' r='15' fill='red'/></g><text x='10' y='80' font-family='DejaVu Sans' font-size='18'"
       " fill='#333'>Hello</text><rect x='100' y='-10' width='40' height='40' fill='orange'/>"},
  };
  for (const auto& [name, body] : drawings) {
    SCOPED_TRACE(name);
    const std::string path = Write(name + ".svg", body);
    const auto decoder = Open(path);
    const media::TVectorPicture* drawing = decoder->Drawing();
    ASSERT_TRUE(drawing);
    EXPECT_EQ(drawing->Width, 120);
    EXPECT_EQ(drawing->Height, 90);
    // At four times the size, as a movie exported larger shows it.
    EXPECT_LT(ShareOff(Paint(*drawing, 4), Reference(path, 480, 360)), 0.01);
  }
}

TEST_F(SvgDrawing, WhatShapesCannotShowStaysPixels) {
  const std::vector<std::pair<std::string, std::string>> drawings = {
      {"blur", "<filter id='f'><feGaussianBlur stdDeviation='3'/></filter><rect x='20' y='20' width='50' height='40' filter='url(#f)'/>"},
      {"mask", "<mask id='m'><circle cx='60' cy='45' r='30' fill='white'/></mask><rect width='120' height='90' fill='red' mask='url(#m)'/>"},
      {"pattern", "<pattern id='p' width='10' height='10' patternUnits='userSpaceOnUse'><circle cx='5' cy='5' r='3'/></pattern>"
                  "<rect width='120' height='90' fill='url(#p)'/>"},
      {"overlapping", "<g opacity='0.5'><rect width='60' height='60' fill='red'/><rect x='30' y='30' width='60' height='50' fill='blue'/></g>"},
      {"picture", "<image width='10' height='10' href='data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg=='/>"},
  };
  for (const auto& [name, body] : drawings) {
    SCOPED_TRACE(name);
    const auto decoder = Open(Write(name + ".svg", body));
    EXPECT_FALSE(decoder->Drawing());
    media::TRgbaFrame frame;
    ASSERT_TRUE(decoder->NextFrame(frame));
    EXPECT_EQ(frame.Width, 480);  // with four times the detail
    EXPECT_TRUE(frame.HasTransparency());
  }
}

TEST_F(SvgDrawing, HostileDrawingsStayBounded) {
  std::string many;
  for (int i = 0; i < 25000; ++i) many += "<rect x='" + std::to_string(i % 100) + "' y='1' width='1' height='1'/>";
  std::string deep;
  for (int i = 0; i < 2000; ++i) deep += "<g>";
  deep += "<rect width='5' height='5'/>";
  for (int i = 0; i < 2000; ++i) deep += "</g>";
  const std::vector<std::pair<std::string, std::string>> drawings = {
      {"many", many},
      {"deep", deep},
      {"dust", "<path d='M0 0 L 100000 0' stroke='black' stroke-dasharray='0.5 0.5'/>"},
  };
  for (const auto& [name, body] : drawings) {
    SCOPED_TRACE(name);
    try {
      const auto decoder = Open(Write(name + ".svg", body));
      EXPECT_FALSE(decoder->Drawing());  // too much for one shape: shown as pixels
      media::TRgbaFrame frame;
      EXPECT_TRUE(decoder->NextFrame(frame));
    } catch (const media::TMediaError& error) {
      EXPECT_NE(std::string(error.what()).find(name + ".svg"), std::string::npos) << error.what();
    }
  }
}

}  // namespace
