// Text fields on pixels: where lines break and sit, alignment, margins and indent, the
// HTML subset's colours and sizes, passwords, and device fonts (their bold and italic
// cuts too) that need no window.
#include <gtest/gtest.h>

#include <QPainter>

#include "PixelAssert.h"
#include "ReferenceMovies.h"
#include "player/MoviePlayer.h"
#include "player/text/EditTextMarkup.h"
#include "player/text/GlyphSource.h"

using namespace playertest;

namespace {

// A field of 20 px squares in a 200 × 100 px box at the stage's corner: each character
// but the space is a 15.6 px square on a 20 px pitch, lines 20 px apart plus leading.
struct TField {
  TEditTextSpec Spec;
  TField(const std::string& text, uint8_t flags1 = 0x60, uint8_t flags2 = 0x01) {
    Spec.Bounds = {0, 200 * 20, 0, 100 * 20};
    Spec.Height = 400;
    Spec.Flags1 = flags1;
    Spec.Flags2 = flags2;
    Spec.Text = text;
  }
};

QImage Draw(TField field, bool squares = true) {
  TTestMovie movie(200, 100);
  movie.Background({255, 255, 255, 255});
  if (squares) field.Spec.FontId = movie.SquareFont("Squares", u" ABCDEF*");
  movie.Place(1, movie.EditText(EditTextBody(field.Spec)));
  movie.ShowFrame();
  player::TMoviePlayer player;
  player.LoadBytes(movie.Bytes());
  return player.RenderImage(QSize(200, 100));
}

// Whether the 20 px cell (column, line) of a field starting 2 px in holds a square.
bool Square(const QImage& image, int column, int line, int lineHeight = 22, int x0 = 2) {
  return image.pixelColor(x0 + column * 20 + 8, 2 + line * lineHeight + 12).value() < 80;
}

}  // namespace

TEST(TextFields, WrapAtSpacesAndBreakWordsLongerThanTheLine) {
  // 196 px of line: nine squares; "ABCD" fits beside "ABC", the long word breaks.
  const QImage image = Draw(TField("ABC ABCD ABCDEFABCDEF"));
  EXPECT_TRUE(Square(image, 0, 0) && Square(image, 2, 0) && !Square(image, 3, 0));
  EXPECT_TRUE(Square(image, 4, 0) && Square(image, 7, 0) && !Square(image, 8, 0));
  for (int c = 0; c < 9; ++c) EXPECT_TRUE(Square(image, c, 1)) << c;
  EXPECT_TRUE(Square(image, 0, 2) && Square(image, 2, 2) && !Square(image, 3, 2));
  // Without word wrap, the line runs on and is cut at the box.
  const QImage one = Draw(TField("ABC ABCD ABCDEFABCDEF", 0x20));
  EXPECT_TRUE(Square(one, 9, 0));
  EXPECT_FALSE(Square(one, 0, 1));
}

TEST(TextFields, AlignMarginsAndIndentPlaceTheLines) {
  TField right("AB");
  right.Spec.Align = 1;
  right.Spec.RightMargin = 400;  // 20 px
  const QImage r = Draw(right);
  // The line ends 2 + 20 px before the box's right edge.
  EXPECT_TRUE(ColorNear(r, 150, 14, Qt::black));
  EXPECT_TRUE(ColorNear(r, 170, 14, Qt::black));
  EXPECT_TRUE(ColorNear(r, 135, 14, Qt::white));
  EXPECT_TRUE(ColorNear(r, 200 - 20, 14, Qt::white));
  TField centre("AB");
  centre.Spec.Align = 2;
  EXPECT_TRUE(ColorNear(Draw(centre), 100 - 12, 14, Qt::black));
  TField indented("AB CD EF AB CD");
  indented.Spec.LeftMargin = 200;  // 10 px
  indented.Spec.Indent = 400;      // 20 px more on the first line
  indented.Spec.Leading = 200;     // 10 px between lines
  const QImage i = Draw(indented);
  EXPECT_TRUE(Square(i, 0, 0, 32, 32));
  EXPECT_FALSE(Square(i, 0, 0, 32, 12));
  EXPECT_TRUE(Square(i, 0, 1, 32, 12));
}

TEST(TextFields, HtmlSetsParagraphsColoursSizesAndBreaks) {
  TField html("<p align='right'><font color='#00FF00'>AB</font></p><p>C<br/>"
              "<font size='10'>D</font>&amp;</p><unknown>E</unknown>",
              0x60, 0x03);
  const QImage image = Draw(html);
  EXPECT_TRUE(ColorNear(image, 186, 14, Qt::green));
  EXPECT_TRUE(Square(image, 0, 1));
  // The small D sits on the third line, half as high.
  EXPECT_TRUE(ColorNear(image, 5, 2 + 2 * 22 + 12, Qt::black));
  EXPECT_TRUE(ColorNear(image, 5, 2 + 2 * 22 + 6, Qt::white));
  EXPECT_TRUE(Square(image, 0, 3));  // unknown tags pass their text on: "E"

  using player::ParseHtmlText;
  player::TTextStyle base;
  const auto paragraphs =
      ParseHtmlText("<b>bold <i>both</b> plain</i> <u>u</u><font size='+10'>big</font>", base, {});
  ASSERT_EQ(paragraphs.size(), 1u);
  const auto& runs = paragraphs[0].Runs;
  ASSERT_GE(runs.size(), 5u);
  EXPECT_TRUE(runs[0].Style.Bold);
  EXPECT_TRUE(runs[1].Style.Bold && runs[1].Style.Italic);
  EXPECT_FALSE(runs[2].Style.Bold);  // </b> closed the italic opened within it too
  EXPECT_TRUE(runs[3].Style.Underline);
  EXPECT_EQ(runs[4].Style.Size, base.Size + 200);
}

TEST(TextFields, HtmlRunsTakeTheirFacesCutsAndLinesKeepTheParagraphsFirstHeight) {
  // A bold run takes the bold cut of the field's face (wider squares) where there is one.
  auto draw = [](const std::string& text) {
    TTestMovie movie(200, 100);
    movie.Background({255, 255, 255, 255});
    TField field(text, 0x60, 0x03);
    field.Spec.FontId = movie.SquareFont("Squares", u" ABCDEF");
    movie.SquareFont("Squares", u" ABCDEF", 0x01, 19000);
    movie.Place(1, movie.EditText(EditTextBody(field.Spec)));
    movie.ShowFrame();
    player::TMoviePlayer player;
    player.LoadBytes(movie.Bytes());
    return player.RenderImage(QSize(200, 100));
  };
  EXPECT_TRUE(ColorNear(draw("<b>A</b>B"), 21, 10, Qt::black));
  EXPECT_TRUE(ColorNear(draw("<i>A</i>B"), 21, 10, Qt::white));  // no italic cut: the regular
  // A paragraph that starts at 30 px keeps its later lines as high: the wrapped CD sits
  // a 30 px ascent below the first line, not a 20 px one.
  const QImage tall = draw("<font size='30'>A</font> BCDEFAB CD");
  EXPECT_TRUE(ColorNear(tall, 10, 56, Qt::black));
  EXPECT_TRUE(ColorNear(tall, 10, 40, Qt::white));
}

TEST(TextFields, JustifiedLinesFillTheWidthButTheParagraphsLast) {
  TField justified("AB CD ABCDEF\rAB CD");
  justified.Spec.Align = 3;
  const QImage image = Draw(justified);
  // "AB CD" fills the 196 px line: CD ends at its right edge, nothing where CD would sit.
  EXPECT_TRUE(Square(image, 0, 0) && Square(image, 1, 0));
  EXPECT_FALSE(Square(image, 3, 0));
  EXPECT_TRUE(Square(image, 7, 0, 22, 18) && Square(image, 8, 0, 22, 18));
  // The paragraph's last line and the next paragraph's only one keep their spaces.
  for (int c = 0; c < 6; ++c) EXPECT_TRUE(Square(image, c, 1)) << c;
  EXPECT_TRUE(Square(image, 3, 2) && !Square(image, 5, 2));
}

TEST(TextFields, TextFormatAndListItemsSetTheParagraphsLayout) {
  using player::ParseHtmlText;
  player::TParagraphFormat field;
  field.Leading = 40;
  const auto paragraphs = ParseHtmlText(
      "<textformat leftmargin='10' indent='-5' leading='x'><p>A</p><li>B</li>"
      "<textformat blockindent='1e9'>C</textformat></textformat></textformat><p>D</p>",
      {}, field);
  ASSERT_EQ(paragraphs.size(), 4u);
  const player::TParagraphFormat& a = paragraphs[0].Format;
  EXPECT_EQ(a.LeftMargin, 200);
  EXPECT_EQ(a.Indent, -100);
  EXPECT_EQ(a.Leading, 40);  // not a number: the field's leading stays
  EXPECT_FALSE(a.Bullet);
  EXPECT_TRUE(paragraphs[1].Format.Bullet);
  EXPECT_EQ(paragraphs[1].Format.LeftMargin, 200);
  // Text after </li> starts a paragraph of its own, under the inner <textformat>.
  EXPECT_EQ(paragraphs[2].Runs[0].Text, "C");
  EXPECT_FALSE(paragraphs[2].Format.Bullet);
  EXPECT_EQ(paragraphs[2].Format.BlockIndent, 4000 * 20);  // bounded
  // Every <textformat> closed (one close too many is harmless): the field's layout again.
  EXPECT_EQ(paragraphs[3].Format, field);
}

TEST(TextFields, TabsGoToTheirParagraphsStops) {
  // Without stops of their own, every 2.7 ems (54 px here): B lands at 54 px, C after it.
  const QImage plain = Draw(TField("A\tBC"));
  EXPECT_TRUE(Square(plain, 0, 0));
  EXPECT_FALSE(Square(plain, 1, 0) || Square(plain, 2, 0));
  EXPECT_TRUE(Square(plain, 3, 0) && Square(plain, 4, 0));
  // A <textformat>'s stops (pixels, bracketed), then the default ones past the last.
  const QImage html = Draw(TField("<textformat tabstops='[60, 140]'><p>A\tB\tC</p></textformat>", 0x60, 0x03));
  EXPECT_TRUE(Square(html, 0, 0) && Square(html, 3, 0) && Square(html, 7, 0));
  for (int c : {1, 2, 4, 5, 6, 8}) EXPECT_FALSE(Square(html, c, 0)) << c;
  const auto paragraphs =
      player::ParseHtmlText("<textformat tabstops='140,x,60,-5'>A</textformat>", {}, {});
  ASSERT_EQ(paragraphs.size(), 1u);
  EXPECT_EQ(paragraphs[0].Format.TabStops, (std::vector<double>{1200, 2800}));
  // A tab is where a long line may break, like a space.
  const QImage wrapped = Draw(TField("ABCDEF\tABCDEF"));
  EXPECT_TRUE(Square(wrapped, 0, 1) && Square(wrapped, 5, 1));
}

TEST(TextFields, LinksImagesAndEntitiesKeepTheTextAround) {
  const auto paragraphs = player::ParseHtmlText(
      "<p><a href='x.html' target='_blank'>A</a>B<img src='p.png' width='20'/>"
      "C&#68;&#x45;&#X46;&lt;&gt;&quot;&apos;&amp;&#xD800;&bogus;</p>",
      {}, {});
  ASSERT_EQ(paragraphs.size(), 1u);
  ASSERT_EQ(paragraphs[0].Runs.size(), 1u);
  EXPECT_EQ(paragraphs[0].Runs[0].Text, "ABCDEF<>\"'&&#xD800;&bogus;");
}

TEST(TextFields, PasswordsShowStarsAndBordersFrameTheBox) {
  const QImage image = Draw(TField("AB", 0x70, 0x09));
  EXPECT_TRUE(Square(image, 0, 0));  // '*' is a square of the font too
  EXPECT_TRUE(ColorNear(image, 0, 50, Qt::black));
  EXPECT_TRUE(ColorNear(image, 50, 0, Qt::black));
}

TEST(TextFields, DeviceFontsDrawWithoutAWindow) {
  TField device("Hello", 0x60, 0x00);
  device.Spec.Height = 600;
  const QImage image = Draw(device, false);
  int ink = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) ink += image.pixelColor(x, y).value() < 128;
  EXPECT_GT(ink, 50);
  for (int x = 0; x < 200; ++x) EXPECT_EQ(image.pixelColor(x, 80), QColor(Qt::white)) << x;
}

namespace {

int Ink(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ink += image.pixelColor(x, y).value() < 128;
  return ink;
}

int Ink(const QPainterPath& glyph) {
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.translate(10, 80);
  painter.scale(1 / 20.0, 1 / 20.0);
  painter.fillPath(glyph, Qt::black);
  painter.end();
  return Ink(image);
}

}  // namespace

TEST(TextFields, DeviceFontsTakeTheFamilysBoldAndItalicCutsOrMakeThem) {
  constexpr double Size = 1200;  // 60 px
  // A family with all four cuts (its H as wide in bold as in regular).
  auto regular = player::DeviceGlyphs("Liberation Sans");
  auto bold = player::DeviceGlyphs("Liberation Sans", true, false);
  auto italic = player::DeviceGlyphs("Liberation Sans", false, true);
  EXPECT_NEAR(bold->Advance(U'H', Size), regular->Advance(U'H', Size), 1);
  EXPECT_GT(Ink(bold->Path(U'H', Size)), Ink(regular->Path(U'H', Size)) * 1.2);
  const QRectF upright = regular->Path(U'l', Size).boundingRect();
  const QRectF leaning = italic->Path(U'l', Size).boundingRect();
  EXPECT_GT(leaning.width(), upright.width() + Size / 10);
  EXPECT_GT(leaning.right(), upright.right());

  // A family of one cut: bold widens strokes and advances, italic leans.
  auto plain = player::DeviceGlyphs("WenQuanYi Micro Hei");
  auto madeBold = player::DeviceGlyphs("WenQuanYi Micro Hei", true, false);
  auto madeItalic = player::DeviceGlyphs("WenQuanYi Micro Hei", false, true);
  EXPECT_NEAR(madeBold->Advance(U'H', Size), plain->Advance(U'H', Size) + Size / 24, 1);
  EXPECT_GT(Ink(madeBold->Path(U'H', Size)), Ink(plain->Path(U'H', Size)) * 1.1);
  EXPECT_EQ(madeItalic->Advance(U'l', Size), plain->Advance(U'l', Size));
  const QRectF flat = plain->Path(U'l', Size).boundingRect();
  const QRectF slanted = madeItalic->Path(U'l', Size).boundingRect();
  EXPECT_NEAR(slanted.width(), flat.width() + 0.2 * flat.height(), 2);
  EXPECT_NEAR(slanted.bottom(), flat.bottom(), 1);

  // In a field, <b> picks the bold cut.
  TField html("Hello", 0x60, 0x02);
  html.Spec.Height = 600;
  const int light = Ink(Draw(html, false));
  html.Spec.Text = "<b>Hello</b>";
  EXPECT_GT(Ink(Draw(html, false)), light * 1.2);
}
