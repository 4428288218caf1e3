// Tag layouts beyond the shared vectors, written with the bit writer field by field:
// DefineShape4 styles and records, fonts, edit text, PlaceObject3 and sound info.
#include <gtest/gtest.h>

#include "swf/format/SwfBitWriter.h"
#include "swf/format/SwfError.h"
#include "swf/reader/MovieParser.h"
#include "swf/reader/TagParsers.h"
#include "swf/reader/TestMovies.h"

namespace swf::test {
namespace {

TSwfBitReader Over(const std::vector<uint8_t>& body, uint16_t code) {
  return TSwfBitReader(body.data(), body.size(), 0, code);
}

TEST(ShapeParser, Shape4StylesAndEveryRecordKind) {
  TSwfBitWriter w;
  w.U16(4);
  w.Rect({-20, 220, -20, 220});
  w.Rect({0, 200, 0, 200});
  w.U8(0x05);  // non-zero winding, scaling strokes
  w.U8(3);     // fills: linear, focal, clipped bitmap
  w.U8(0x10);
  TMatrix g;
  g.A = g.D = 0x8000;
  w.Matrix(g);
  w.UB(2, 1), w.UB(2, 0), w.UB(4, 2);  // reflect, 2 stops
  w.U8(0), w.Rgba({255, 0, 0, 255}), w.U8(255), w.Rgba({0, 0, 255, 128});
  w.U8(0x13);
  w.Matrix({});
  w.UB(2, 0), w.UB(2, 1), w.UB(4, 1);
  w.U8(128), w.Rgba({1, 2, 3, 4});
  w.I16(-128);  // focal point −0.5
  w.U8(0x41);
  w.U16(9);
  w.Matrix({20 << 16, 0, 0, 20 << 16, 0, 0});
  w.U8(1);  // one LINESTYLE2 with a miter join and a solid fill
  w.U16(40);
  w.UB(2, 1), w.UB(2, 2), w.UB(1, 1), w.UB(1, 1), w.UB(1, 0), w.UB(1, 0), w.UB(5, 0), w.UB(1, 1), w.UB(2, 2);
  w.U16(3 << 8);
  w.U8(0x00), w.Rgba({9, 9, 9, 255});
  w.U8(0x21);  // 2 fill bits, 1 line bit
  // Style change: move (10, -10), fill0 = 2, line 1.
  w.UB(1, 0), w.UB(5, 0b01011), w.UB(5, 6), w.SB(6, 10), w.SB(6, -10), w.UB(2, 2), w.UB(1, 1);
  w.UB(1, 1), w.UB(1, 1), w.UB(4, 5), w.UB(1, 1), w.SB(7, 50), w.SB(7, -60);  // general line
  w.UB(1, 1), w.UB(1, 1), w.UB(4, 5), w.UB(1, 0), w.UB(1, 1), w.SB(7, -30);   // vertical line
  w.UB(1, 1), w.UB(1, 0), w.UB(4, 3), w.SB(5, 1), w.SB(5, 2), w.SB(5, 3), w.SB(5, -4);  // curve
  // New styles: one solid fill, no lines; then fill1 = 1 with 1 fill bit.
  w.UB(1, 0), w.UB(5, 0b10000);
  w.Flush();
  w.U8(1), w.U8(0x00), w.Rgba({7, 7, 7, 7}), w.U8(0), w.U8(0x10);
  w.UB(1, 0), w.UB(5, 0b00100), w.UB(1, 1);
  w.UB(1, 0), w.UB(5, 0);
  std::vector<uint8_t> body = w.Take();
  TSwfBitReader r = Over(body, 83);
  TShape shape = ParseDefineShape(r, 4);

  EXPECT_EQ(shape.Bounds, (TRect{-20, 220, -20, 220}));
  EXPECT_EQ(shape.EdgeBounds, (TRect{0, 200, 0, 200}));
  EXPECT_TRUE(shape.UsesFillWindingRule);
  EXPECT_TRUE(shape.UsesScalingStrokes);
  ASSERT_EQ(shape.Styles.Fills.size(), 3u);
  const TFillStyle& linear = shape.Styles.Fills[0];
  EXPECT_EQ(linear.Type, TFillType::LinearGradient);
  EXPECT_EQ(linear.Matrix, g);
  EXPECT_EQ(linear.Gradient.Spread, 1);
  ASSERT_EQ(linear.Gradient.Stops.size(), 2u);
  EXPECT_EQ(linear.Gradient.Stops[1].Color, (TRgba{0, 0, 255, 128}));
  EXPECT_EQ(shape.Styles.Fills[1].Gradient.FocalPoint, -128);
  EXPECT_EQ(shape.Styles.Fills[1].Gradient.Interpolation, 1);
  EXPECT_EQ(shape.Styles.Fills[2].BitmapId, 9);
  EXPECT_TRUE(shape.Styles.Fills[2].IsClipped());
  EXPECT_TRUE(shape.Styles.Fills[2].IsSmoothed());
  ASSERT_EQ(shape.Styles.Lines.size(), 1u);
  const TLineStyle& line = shape.Styles.Lines[0];
  EXPECT_EQ(line.Width, 40);
  EXPECT_EQ(line.StartCap, 1);
  EXPECT_EQ(line.Join, 2);
  EXPECT_EQ(line.EndCap, 2);
  EXPECT_TRUE(line.NoHScale);
  EXPECT_TRUE(line.NoClose);
  EXPECT_EQ(line.MiterLimit, 3 << 8);
  ASSERT_TRUE(line.Fill);
  EXPECT_EQ(line.Fill->Color, (TRgba{9, 9, 9, 255}));

  ASSERT_EQ(shape.Records.size(), 6u);
  const auto& change = std::get<TStyleChange>(shape.Records[0]);
  EXPECT_EQ(change.MoveToX, 10);
  EXPECT_EQ(change.MoveToY, -10);
  EXPECT_EQ(change.FillStyle0, 2u);
  EXPECT_FALSE(change.FillStyle1);
  EXPECT_EQ(change.LineStyle, 1u);
  EXPECT_EQ(std::get<TStraightEdge>(shape.Records[1]), (TStraightEdge{50, -60}));
  EXPECT_EQ(std::get<TStraightEdge>(shape.Records[2]), (TStraightEdge{0, -30}));
  EXPECT_EQ(std::get<TCurvedEdge>(shape.Records[3]), (TCurvedEdge{1, 2, 3, -4}));
  const auto& layer = std::get<TStyleChange>(shape.Records[4]);
  ASSERT_TRUE(layer.NewStyles);
  EXPECT_EQ(layer.NewStyles->Fills[0].Color, (TRgba{7, 7, 7, 7}));
  EXPECT_EQ(std::get<TStyleChange>(shape.Records[5]).FillStyle1, 1u);
}

TEST(ShapeParser, UnknownFillTypeAndMissingEndRecord) {
  std::vector<uint8_t> bad = {1, 0, 0, 1, 0x07};
  TSwfBitReader r = Over(bad, 2);
  EXPECT_THROW(ParseDefineShape(r, 1), TSwfError);
  // Records that stop without an end record keep what was read.
  std::vector<uint8_t> cut = {0x00, 0xF4, 0x00};  // a straight edge cut mid-way
  TSwfBitReader c = Over(cut, 2);
  EXPECT_TRUE(ParseShapeRecords(c, 1).empty());
}

TEST(MorphShapeParser, StartAndEndStates) {
  TSwfBitWriter edges;
  edges.U8(0x11);  // start: move, fill0 1, line 1, one straight edge
  edges.UB(1, 0), edges.UB(5, 0b01011), edges.UB(5, 4), edges.SB(4, 1), edges.SB(4, 2), edges.UB(1, 1), edges.UB(1, 1);
  edges.UB(1, 1), edges.UB(1, 1), edges.UB(4, 6), edges.UB(1, 1), edges.SB(8, 100), edges.SB(8, -100);
  edges.UB(1, 0), edges.UB(5, 0);
  edges.Flush();
  std::vector<uint8_t> start = edges.Take();
  TSwfBitWriter endEdges;
  endEdges.U8(0x00);
  endEdges.UB(1, 0), endEdges.UB(5, 0b00001), endEdges.UB(5, 5), endEdges.SB(5, 10), endEdges.SB(5, 12);
  endEdges.UB(1, 1), endEdges.UB(1, 0), endEdges.UB(4, 6), endEdges.SB(8, 1), endEdges.SB(8, 2), endEdges.SB(8, 3), endEdges.SB(8, 4);
  endEdges.UB(1, 0), endEdges.UB(5, 0);
  endEdges.Flush();
  TSwfBitWriter styles;
  styles.U8(1), styles.U8(0x00), styles.Rgba({255, 0, 0, 255}), styles.Rgba({0, 0, 255, 0});
  styles.U8(1), styles.U16(20), styles.U16(60), styles.Rgba({1, 1, 1, 255}), styles.Rgba({2, 2, 2, 255});
  std::vector<uint8_t> styleBytes = styles.Take();
  TSwfBitWriter w;
  w.U16(6);
  w.Rect({0, 100, 0, 100}), w.Rect({0, 200, 0, 200});
  w.U32(static_cast<uint32_t>(styleBytes.size() + start.size()));
  w.Bytes(styleBytes), w.Bytes(start), w.Bytes(endEdges.Data());
  std::vector<uint8_t> body = w.Take();
  TSwfBitReader r = Over(body, 46);
  TMorphShape morph = ParseDefineMorphShape(r, 1);
  EXPECT_EQ(morph.Id, 6);
  EXPECT_EQ(morph.EndBounds, (TRect{0, 200, 0, 200}));
  ASSERT_EQ(morph.Fills.size(), 1u);
  EXPECT_EQ(morph.Fills[0].End.Color, (TRgba{0, 0, 255, 0}));
  ASSERT_EQ(morph.Lines.size(), 1u);
  EXPECT_EQ(morph.Lines[0].Start.Width, 20);
  EXPECT_EQ(morph.Lines[0].End.Width, 60);
  ASSERT_EQ(morph.StartRecords.size(), 2u);
  EXPECT_EQ(std::get<TStraightEdge>(morph.StartRecords[1]), (TStraightEdge{100, -100}));
  ASSERT_EQ(morph.EndRecords.size(), 2u);
  EXPECT_EQ(std::get<TStyleChange>(morph.EndRecords[0]).MoveToX, 10);
  EXPECT_EQ(std::get<TCurvedEdge>(morph.EndRecords[1]), (TCurvedEdge{1, 2, 3, 4}));

  // An end offset past the tag is an error, not a read outside it.
  body[16] = 0x7F;  // the high byte of the end offset
  TSwfBitReader bad = Over(body, 46);
  EXPECT_THROW(ParseDefineMorphShape(bad, 1), TSwfError);
}

TEST(MorphShapeParser, Version2LineStylesShareTheirFlagsAndKeepTheirWidths) {
  TSwfBitWriter w;
  w.U16(7);
  for (int i = 0; i < 4; ++i) w.Rect({0, 100, 0, 100});
  w.U8(0x01);  // scaling strokes
  w.U32(0);    // no edges
  w.U8(0);     // no fills
  w.U8(2);
  // A mitred line with a colour.
  w.U16(20), w.U16(60);
  w.UB(2, 1), w.UB(2, 2), w.UB(1, 0), w.UB(1, 1), w.UB(1, 0), w.UB(1, 1), w.UB(5, 0), w.UB(1, 1), w.UB(2, 2);
  w.U16(0x0300);
  w.Rgba({1, 2, 3, 255}), w.Rgba({4, 5, 6, 128});
  // A line with a fill instead of a colour.
  w.U16(40), w.U16(80);
  w.UB(2, 0), w.UB(2, 0), w.UB(1, 1), w.UB(1, 0), w.UB(1, 0), w.UB(1, 0), w.UB(5, 0), w.UB(1, 0), w.UB(2, 0);
  w.U8(0x00), w.Rgba({9, 9, 9, 255}), w.Rgba({8, 8, 8, 0});
  std::vector<uint8_t> body = w.Take();
  TSwfBitReader r = Over(body, 84);
  TMorphShape morph = ParseDefineMorphShape(r, 2);
  EXPECT_TRUE(morph.UsesScalingStrokes);
  ASSERT_EQ(morph.Lines.size(), 2u);
  const TMorphLineStyle& mitred = morph.Lines[0];
  for (const TLineStyle* state : {&mitred.Start, &mitred.End}) {
    EXPECT_TRUE(state->IsLineStyle2);
    EXPECT_EQ(state->StartCap, 1);
    EXPECT_EQ(state->Join, 2);
    EXPECT_EQ(state->EndCap, 2);
    EXPECT_TRUE(state->NoHScale);
    EXPECT_FALSE(state->NoVScale);
    EXPECT_TRUE(state->PixelHinting);
    EXPECT_TRUE(state->NoClose);
    EXPECT_EQ(state->MiterLimit, 0x0300);
    EXPECT_FALSE(state->Fill);
  }
  EXPECT_EQ(mitred.Start.Width, 20);
  EXPECT_EQ(mitred.End.Width, 60);
  EXPECT_EQ(mitred.Start.Color, (TRgba{1, 2, 3, 255}));
  EXPECT_EQ(mitred.End.Color, (TRgba{4, 5, 6, 128}));
  const TMorphLineStyle& filled = morph.Lines[1];
  EXPECT_EQ(filled.Start.Width, 40);
  EXPECT_EQ(filled.End.Width, 80);
  ASSERT_TRUE(filled.Start.Fill && filled.End.Fill);
  EXPECT_EQ(filled.Start.Fill->Color, (TRgba{9, 9, 9, 255}));
  EXPECT_EQ(filled.End.Fill->Color, (TRgba{8, 8, 8, 0}));
}

// Glyph 0: a triangle; glyph 1: empty (a space).
std::vector<uint8_t> Font2Body(bool layout) {
  TSwfBitWriter glyph;
  glyph.U8(0x10);
  glyph.UB(1, 0), glyph.UB(5, 0b00101), glyph.UB(5, 2), glyph.SB(2, 0), glyph.SB(2, 0), glyph.UB(1, 1);
  glyph.UB(1, 1), glyph.UB(1, 1), glyph.UB(4, 8), glyph.UB(1, 1), glyph.SB(10, 500), glyph.SB(10, 0);
  glyph.UB(1, 0), glyph.UB(5, 0);
  glyph.Flush();
  std::vector<uint8_t> g0 = glyph.Take();
  TSwfBitWriter w;
  w.U16(2);
  w.U8((layout ? 0x80 : 0) | 0x04 | 0x01);  // wide codes, bold
  w.U8(1);
  w.U8(5), w.Bytes(reinterpret_cast<const uint8_t*>("Sans\0"), 5);
  w.U16(2);
  uint16_t tableSize = 3 * 2;
  w.U16(tableSize), w.U16(static_cast<uint16_t>(tableSize + g0.size()));
  w.U16(static_cast<uint16_t>(tableSize + g0.size()));  // code table offset
  w.Bytes(g0);
  w.U16('A'), w.U16(' ');
  if (layout) {
    w.U16(900), w.U16(200), w.I16(10);
    w.I16(600), w.I16(300);
    w.Rect({0, 500, -700, 0}), w.Rect({});
    w.U16(1), w.U16('A'), w.U16(' '), w.I16(-40);
  }
  return w.Take();
}

TEST(FontParser, Font2GlyphsCodesAndLayout) {
  std::vector<uint8_t> body = Font2Body(true);
  TSwfBitReader r = Over(body, 48);
  TFont font = ParseDefineFont(r, 2);
  EXPECT_EQ(font.Id, 2);
  EXPECT_EQ(font.Name, "Sans");
  EXPECT_TRUE(font.Bold);
  EXPECT_FALSE(font.Italic);
  EXPECT_EQ(font.EmSquare(), 1024);
  ASSERT_EQ(font.Glyphs.size(), 2u);
  EXPECT_EQ(font.Glyphs[0].size(), 2u);
  EXPECT_TRUE(font.Glyphs[1].empty());
  EXPECT_EQ(font.Codes, (std::vector<uint16_t>{'A', ' '}));
  ASSERT_TRUE(font.HasLayout);
  EXPECT_EQ(font.Ascent, 900);
  EXPECT_EQ(font.Advances, (std::vector<int16_t>{600, 300}));
  EXPECT_EQ(font.GlyphBounds[0], (TRect{0, 500, -700, 0}));
  ASSERT_EQ(font.Kerning.size(), 1u);
  EXPECT_EQ(font.Kerning[0].Adjustment, -40);

  // A layout block cut short is dropped, glyphs and codes stay.
  body.resize(body.size() - 8);
  TSwfBitReader cut = Over(body, 48);
  TFont partial = ParseDefineFont(cut, 2);
  EXPECT_FALSE(partial.HasLayout);
  EXPECT_EQ(partial.Codes.size(), 2u);
}

TEST(FontParser, Font1TakesItsCodesFromFontInfo) {
  // DefineFont: offsets 4, 4 (two empty glyphs); DefineFontInfo: name "F", wide codes.
  std::vector<uint8_t> font = {3, 0, 4, 0, 4, 0};
  std::vector<uint8_t> info = {3, 0, 1, 'F', 0x01, 'x', 0, 'y', 0};
  TMovie movie = LoadMovie(Movie({Tag(10, font), Tag(13, info), Tag(13, {9, 0, 0, 0})}, 1));
  const TFont* f = movie.Find<TFont>(3);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Glyphs.size(), 2u);
  EXPECT_EQ(f->Name, "F");
  EXPECT_EQ(f->Codes, (std::vector<uint16_t>{'x', 'y'}));
  ASSERT_EQ(movie.Warnings.size(), 1u);  // the info for the undefined font 9
  EXPECT_NE(movie.Warnings[0].find("font 9"), std::string::npos);
}

TEST(FontParser, GlyphCountBeyondTheTagFails) {
  std::vector<uint8_t> body = {2, 0, 0x08, 0, 0, 0xFF, 0xFF, 0, 0};  // 65535 glyphs
  TSwfBitReader r = Over(body, 48);
  EXPECT_THROW(ParseDefineFont(r, 2), TSwfError);
}

TEST(TextParser, EditTextFields) {
  TSwfBitWriter w;
  w.U16(8);
  w.Rect({0, 2000, 0, 400});
  w.U8(0x80 | 0x40 | 0x04 | 0x02 | 0x01);
  w.U8(0x20 | 0x08 | 0x02);
  w.U16(2), w.U16(240), w.Rgba({1, 2, 3, 255}), w.U16(50);
  w.U8(2), w.U16(10), w.U16(20), w.U16(30), w.I16(-5);
  w.String("name"), w.String("Hello");
  std::vector<uint8_t> body = w.Take();
  TSwfBitReader r = Over(body, 37);
  TEditText e = ParseDefineEditText(r);
  EXPECT_EQ(e.FontId, 2);
  EXPECT_EQ(e.FontHeight, 240);
  EXPECT_EQ(e.Color, (TRgba{1, 2, 3, 255}));
  EXPECT_EQ(e.MaxLength, 50);
  EXPECT_TRUE(e.WordWrap && e.Border && e.Html && e.HasLayout);
  EXPECT_FALSE(e.Multiline);
  EXPECT_EQ(e.Align, 2);
  EXPECT_EQ(e.Leading, -5);
  EXPECT_EQ(e.VariableName, "name");
  EXPECT_EQ(e.InitialText, "Hello");
}

TEST(PlaceParser, PlaceObject3ExtrasAndPlaceObject1) {
  TSwfBitWriter w;
  w.U8(0x80 | 0x20 | 0x02);                 // clip actions, name, character
  w.U8(0x40 | 0x20 | 0x08 | 0x02 | 0x01);   // background, visible, class name, blend, filters
  w.U16(4);
  w.String("Clip");
  w.U16(12);
  w.String("inst");
  w.U8(1), w.U8(1), w.Bytes(std::vector<uint8_t>(9, 0));  // one blur filter
  w.U8(3);
  w.U8(0);
  w.Rgba({5, 6, 7, 8});
  w.U16(0), w.U32(0);  // start of clip actions
  std::vector<uint8_t> body = w.Take();
  TSwfBitReader r = Over(body, 70);
  TPlaceObject p = ParsePlaceObject(r, 3, 8);
  EXPECT_EQ(p.Depth, 4);
  EXPECT_EQ(p.ClassName, "Clip");
  EXPECT_EQ(p.CharacterId, 12);
  EXPECT_EQ(p.Name, "inst");
  EXPECT_TRUE(p.Filters.has_value());
  EXPECT_EQ(p.BlendMode, 3);
  EXPECT_EQ(p.Visible, false);
  EXPECT_EQ(p.BackgroundColor, (TRgba{5, 6, 7, 8}));
  EXPECT_TRUE(p.HasClipActions);
  EXPECT_FALSE(p.Move);

  // PlaceObject: id, depth, matrix and an RGB colour transform when bytes remain.
  TSwfBitWriter v1;
  v1.U16(7), v1.U16(2), v1.Matrix({}), v1.CxForm([] { TCxForm c; c.RAdd = 10; return c; }(), false);
  std::vector<uint8_t> b1 = v1.Take();
  TSwfBitReader r1 = Over(b1, 4);
  TPlaceObject p1 = ParsePlaceObject(r1, 1, 8);
  EXPECT_EQ(p1.CharacterId, 7);
  ASSERT_TRUE(p1.CxForm);
  EXPECT_EQ(p1.CxForm->RAdd, 10);
  EXPECT_EQ(p1.CxForm->AMult, 256);
}

TEST(SoundParser, SoundInfoAndStreamHeadWithoutLatency) {
  TSwfBitWriter w;
  w.U16(3);
  w.U8(0x20 | 0x0F);
  w.U32(100), w.U32(200), w.U16(3);
  w.U8(1), w.U32(44100), w.U16(32768), w.U16(0);
  std::vector<uint8_t> body = w.Take();
  TSwfBitReader r = Over(body, 15);
  TStartSound s = ParseStartSound(r, 1);
  EXPECT_EQ(s.SoundId, 3);
  EXPECT_TRUE(s.Info.SyncStop);
  EXPECT_EQ(s.Info.InPoint, 100u);
  EXPECT_EQ(s.Info.OutPoint, 200u);
  EXPECT_EQ(s.Info.LoopCount, 3);
  ASSERT_EQ(s.Info.Envelope.size(), 1u);
  EXPECT_EQ(s.Info.Envelope[0].LeftLevel, 32768);

  std::vector<uint8_t> envelope = {3, 0, 0x08, 200};  // 200 points announced, none there
  TSwfBitReader e = Over(envelope, 15);
  EXPECT_THROW(ParseStartSound(e, 1), TSwfError);

  std::vector<uint8_t> head = {0x02, 0x26, 0x40, 0x02};  // MP3 11 kHz mono, no latency seek
  TSwfBitReader h = Over(head, 18);
  TSoundStreamHead sh = ParseSoundStreamHead(h, 1);
  EXPECT_EQ(sh.Stream.Codec, TSoundCodec::Mp3);
  EXPECT_EQ(sh.Stream.SampleRate(), 11025u);
  EXPECT_EQ(sh.SamplesPerFrame, 576);
  EXPECT_EQ(sh.LatencySeek, 0);
}

}  // namespace
}  // namespace swf::test
