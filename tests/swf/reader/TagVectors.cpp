#include "swf/reader/TagVectors.h"


namespace swf::test {
namespace {

TMatrix Translate(int32_t x, int32_t y) {
  TMatrix m;
  m.TX = x;
  m.TY = y;
  return m;
}

TShape RedSquare() {
  TShape s;
  s.Id = 1;
  s.Version = 3;
  s.Bounds = s.EdgeBounds = {0, 2000, 0, 2000};
  TFillStyle fill;
  fill.Color = {255, 0, 0, 255};
  s.Styles.Fills = {fill};
  TStyleChange move;
  move.MoveToX = 0;
  move.MoveToY = 0;
  move.FillStyle1 = 1;
  s.Records = {move, TStraightEdge{2000, 0}, TStraightEdge{0, 2000}, TStraightEdge{-2000, 0},
               TStraightEdge{0, -2000}};
  return s;
}

TText TwoGlyphText() {
  TText t;
  t.Id = 3;
  t.Version = 2;
  t.Bounds = {0, 1000, -400, 100};
  TTextRecord rec;
  rec.FontId = 2;
  rec.Color = TRgba{0, 0, 0, 255};
  rec.YOffset = 400;
  rec.Height = 400;
  rec.Glyphs = {{0, 240}, {1, 220}};
  t.Records = {rec};
  return t;
}

TSound PcmSound() {
  TSound s;
  s.Id = 5;
  s.Format = {TSoundCodec::PcmLittleEndian, 2, true, false};
  s.SampleCount = 4;
  s.Data = {1, 0, 2, 0, 3, 0, 4, 0};
  return s;
}

TSoundStreamHead Mp3Head() {
  TSoundStreamHead h;
  h.Version = 2;
  h.Playback = {TSoundCodec::PcmNative, 2, true, true};
  h.Stream = {TSoundCodec::Mp3, 2, true, true};
  h.SamplesPerFrame = 919;
  return h;
}

TPlaceObject PlaceNew() {
  TPlaceObject p;
  p.Depth = 1;
  p.CharacterId = 1;
  p.Matrix = Translate(2000, 1000);
  return p;
}

TPlaceObject ModifyScaleAlpha() {
  TPlaceObject p;
  p.Depth = 1;
  p.Move = true;
  TMatrix m;
  m.A = m.D = 0x20000;
  p.Matrix = m;
  TCxForm c;
  c.AMult = 128;
  p.CxForm = c;
  return p;
}

TAction Simple(TActionCode code) {
  TAction a;
  a.Code = static_cast<uint8_t>(code);
  return a;
}

TDoAction GotoAndPlay() {
  TAction go = Simple(TActionCode::GotoFrame);
  go.Payload = {4, 0};
  go.Frame = 4;
  return TDoAction{{go, Simple(TActionCode::Play)}};
}

}  // namespace

const std::vector<TTagVector>& TagVectors() {
  static const std::vector<TTagVector> vectors = {
      {"SetBackgroundColor white", 8, "43 02 FF FF FF", TRgba{255, 255, 255, 255}},
      {"FileAttributes 0", 8, "44 11 00 00 00 00", uint32_t{0}},
      {"FrameLabel intro", 8, "C6 0A 69 6E 74 72 6F 00", std::string("intro")},
      {"DoAction stop", 8, "02 03 07 00", TDoAction{{Simple(TActionCode::Stop)}}},
      {"DoAction goto frame 5 and play", 8, "07 03 81 02 00 04 00 06 00", GotoAndPlay()},
      {"RemoveObject2 depth 1", 8, "02 07 01 00", TRemoveObject{1, {}}},
      {"StartSound id 2", 8, "C3 03 02 00 00", TStartSound{2, "", {}}},
      {"PlaceObject2 new", 8, "89 06 06 01 00 01 00 18 FA 07 D0", PlaceNew()},
      {"PlaceObject2 modify", 8, "90 06 0D 01 00 CD 00 00 20 00 00 00 69 00 40 10 02 00",
       ModifyScaleAlpha()},
      {"DefineShape3 red square", 8,
       "1E 08 01 00 60 00 3E 80 00 3E 80 01 00 FF 00 00 FF 00 10 14 27 A1 F4 3A 5F 43 A2 0C 3A "
       "60 C0 00",
       RedSquare()},
      {"DefineText2", 8,
       "5C 08 03 00 58 00 7D 19 C0 32 00 00 01 09 8E 02 00 00 00 00 FF 90 01 90 01 02 3C 2D C0 00",
       TwoGlyphText()},
      {"DefineSound PCM", 8, "8F 03 05 00 3A 04 00 00 00 01 00 02 00 03 00 04 00", PcmSound()},
      {"SoundStreamHead2 MP3", 8, "46 0B 0B 2B 97 03 00 00", Mp3Head()},
  };
  return vectors;
}

std::vector<uint8_t> SquareMovie() {
  return Hex(
      "46 57 53 08 4F 00 00 00 78 00 05 5F 00 00 0F A0 00 00 18 01 00 44 11 00 00 00 00 43 02 FF "
      "FF FF 1E 08 01 00 60 00 3E 80 00 3E 80 01 00 FF 00 00 FF 00 10 14 27 A1 F4 3A 5F 43 A2 0C "
      "3A 60 C0 00 89 06 06 01 00 01 00 18 FA 07 D0 40 00 00 00");
}

}  // namespace swf::test
