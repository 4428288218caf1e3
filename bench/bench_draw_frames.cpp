// Frame drawing of the player: a 640 × 480 movie at 24 fps with 200 shapes (circles of
// curved edges and rectangles, solid, translucent and gradient fills, some outlined), each
// moving, turning and scaling on every one of its 48 frames. Reports frames drawn per
// second on one core (items_per_second), antialiased and not. A second movie has 50 of
// the shapes, each with a blur and a drop shadow (quality 1 and 3).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <vector>

#include "player/MoviePlayer.h"
#include "swf/format/SwfBitWriter.h"
#include "swf/format/TagCodes.h"

namespace {

using swf::TSwfBitWriter;
using swf::TTagCode;

constexpr int Shapes = 200;
constexpr int Frames = 48;

void Tag(TSwfBitWriter& out, TTagCode code, TSwfBitWriter&& body) {
  out.Tag(static_cast<uint16_t>(code), body.Take());
}

// A DefineShape3: a circle of 8 quadratic edges (or a square) of radius r twips, one fill
// (solid RGBA or a linear gradient) and an optional outline.
void DefineShape(TSwfBitWriter& out, uint16_t id, int index) {
  const int r = 300 + (index % 7) * 150;
  TSwfBitWriter w;
  w.U16(id);
  w.Rect({-r - 40, r + 40, -r - 40, r + 40});
  w.U8(1);
  const swf::TRgba color{static_cast<uint8_t>(index * 37), static_cast<uint8_t>(index * 91),
                         static_cast<uint8_t>(255 - index), static_cast<uint8_t>(index % 3 ? 255 : 140)};
  if (index % 5 == 0) {
    w.U8(0x10);
    swf::TMatrix m;
    m.A = m.D = static_cast<int32_t>(2.0 * r / 32768 * 65536);
    w.Matrix(m);
    w.U8(2);
    w.U8(0);
    w.Rgba(color);
    w.U8(255);
    w.Rgba({255, 255, 255, 255});
  } else {
    w.U8(0x00);
    w.Rgba(color);
  }
  const bool outlined = index % 4 == 0;
  w.U8(outlined ? 1 : 0);
  if (outlined) {
    w.U16(40);
    w.Rgba({0, 0, 0, 255});
  }
  w.U8(static_cast<uint8_t>(1 << 4 | (outlined ? 1 : 0)));
  // MoveTo (r, 0), fill1 = 1, line = 1 when outlined.
  w.UB(1, 0);
  w.UB(1, 0);
  w.UB(1, outlined);
  w.UB(1, 1);
  w.UB(1, 0);
  w.UB(1, 1);
  const int n = swf::SignedBits(r) + 1;
  w.UB(5, n);
  w.SB(n, r);
  w.SB(n, 0);
  w.UB(1, 1);
  if (outlined) w.UB(1, 1);
  const int bits = 16;
  if (index % 2 == 0) {
    // A circle: 8 curves, control points on the octagon around it.
    const double k = r / std::cos(M_PI / 8);
    double px = r, py = 0;
    for (int i = 1; i <= 8; ++i) {
      const double cx = k * std::cos((2 * i - 1) * M_PI / 8), cy = k * std::sin((2 * i - 1) * M_PI / 8);
      const double ax = r * std::cos(i * M_PI / 4), ay = r * std::sin(i * M_PI / 4);
      w.UB(1, 1);
      w.UB(1, 0);
      w.UB(4, bits - 2);
      w.SB(bits, static_cast<int>(std::lround(cx - px)));
      w.SB(bits, static_cast<int>(std::lround(cy - py)));
      w.SB(bits, static_cast<int>(std::lround(ax - cx)));
      w.SB(bits, static_cast<int>(std::lround(ay - cy)));
      px = std::lround(ax);
      py = std::lround(ay);
    }
  } else {
    const int dx[4] = {0, -2 * r, 0, 2 * r}, dy[4] = {r, 0, -2 * r, 0};
    // From (r, 0) down to the corner, then round the square and back up.
    for (int i = 0; i < 4; ++i) {
      w.UB(1, 1);
      w.UB(1, 1);
      w.UB(4, bits - 2);
      w.UB(1, 1);
      w.SB(bits, dx[i]);
      w.SB(bits, dy[i]);
    }
    w.UB(1, 1);
    w.UB(1, 1);
    w.UB(4, bits - 2);
    w.UB(1, 1);
    w.SB(bits, 0);
    w.SB(bits, r);
  }
  w.UB(6, 0);
  w.Flush();
  Tag(out, TTagCode::DefineShape3, std::move(w));
}

swf::TMatrix Placement(int index, int frame) {
  const double angle = (index * 13 + frame * 4) * M_PI / 180;
  const double scale = 0.6 + 0.4 * std::sin((index + frame) * 0.2);
  swf::TMatrix m;
  m.A = static_cast<int32_t>(scale * std::cos(angle) * 65536);
  m.B = static_cast<int32_t>(scale * std::sin(angle) * 65536);
  m.C = -m.B;
  m.D = m.A;
  m.TX = (index * 1237 + frame * 60) % 12800;
  m.TY = (index * 733 + frame * 40) % 9600;
  return m;
}

// The filter list of PlaceObject3: a blur of 4 px and a drop shadow of 6 px at 4 px, with
// the given passes.
void Filters(TSwfBitWriter& w, int passes) {
  w.U8(2);
  w.U8(1);  // blur
  w.I32(4 << 16), w.I32(4 << 16);
  w.U8(static_cast<uint8_t>(passes << 3));
  w.U8(0);  // drop shadow
  w.Rgba({0, 0, 0, 160});
  w.I32(6 << 16), w.I32(6 << 16), w.I32(51472), w.I32(4 << 16);  // angle 45° (0.785 rad)
  w.U16(256);
  w.U8(static_cast<uint8_t>(0x20 | passes));
}

// shapes: how many; passes > 0 places each with a blur and a drop shadow of that quality.
std::vector<uint8_t> MakeMovie(int shapes = Shapes, int passes = 0) {
  TSwfBitWriter tags;
  Tag(tags, TTagCode::FileAttributes, [] { TSwfBitWriter w; w.U32(0); return w; }());
  Tag(tags, TTagCode::SetBackgroundColor, [] { TSwfBitWriter w; w.Rgb({250, 245, 230, 255}); return w; }());
  for (int i = 0; i < shapes; ++i) DefineShape(tags, static_cast<uint16_t>(i + 1), i);
  for (int frame = 0; frame < Frames; ++frame) {
    for (int i = 0; i < shapes; ++i) {
      TSwfBitWriter w;
      const bool filtered = frame == 0 && passes > 0;
      w.U8(frame == 0 ? 0x06 : 0x05);  // place (character + matrix) or move (matrix)
      if (filtered) w.U8(0x01);         // PlaceObject3: a filter list
      w.U16(static_cast<uint16_t>(i + 1));
      if (frame == 0) w.U16(static_cast<uint16_t>(i + 1));
      w.Matrix(Placement(i, frame));
      if (filtered) Filters(w, passes);
      Tag(tags, filtered ? TTagCode::PlaceObject3 : TTagCode::PlaceObject2, std::move(w));
    }
    tags.Tag(static_cast<uint16_t>(TTagCode::ShowFrame), {});
  }
  TSwfBitWriter body;
  body.Rect({0, 640 * 20, 0, 480 * 20});
  body.U16(24 << 8);
  body.U16(Frames);
  body.Bytes(tags.Data());
  body.U16(0);
  TSwfBitWriter file;
  file.Bytes(reinterpret_cast<const uint8_t*>("FWS"), 3);
  file.U8(8);
  file.U32(static_cast<uint32_t>(body.Size() + 8));
  file.Bytes(body.Data());
  return file.Take();
}

// Draws frame after frame of the player as long as the benchmark asks.
void DrawLoop(benchmark::State& state, player::TMoviePlayer& player) {
  QImage image(640, 480, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    player.Render(painter, image.rect());
    painter.end();
    player.Tick();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations());
}

void DrawFrames(benchmark::State& state) {
  const std::vector<uint8_t> movie = MakeMovie();
  player::TMoviePlayer player;
  player.LoadBytes(movie);
  // 0: exact edges (the default), 1: four samples a pixel, 2: hard edges.
  const player::TEdges edges[] = {player::TEdges::Exact, player::TEdges::FourSamples, player::TEdges::Hard};
  player.SetEdges(edges[state.range(0)]);
  DrawLoop(state, player);
  state.SetLabel("frames drawn; 200 shapes, 640 x 480");
}

}  // namespace

void DrawFilteredFrames(benchmark::State& state) {
  const std::vector<uint8_t> movie = MakeMovie(50, static_cast<int>(state.range(0)));
  player::TMoviePlayer player;
  player.LoadBytes(movie);
  DrawLoop(state, player);
  state.SetLabel("frames drawn; 50 shapes with blur + drop shadow, 640 x 480");
}

BENCHMARK(DrawFrames)->ArgName("edges")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawFilteredFrames)->ArgName("passes")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
