// Reference movies: text fields in an embedded font of square glyphs (so the peer's
// drawing and ours differ only where layout differs): wrapping, alignment (justified
// too), margins, border, and the HTML subset with <textformat> and list items.
#include "ReferenceMovies.h"

#include "swf/format/SwfBitWriter.h"

namespace playertest {

std::vector<uint8_t> EditTextBody(const TEditTextSpec& spec) {
  swf::TSwfBitWriter w;
  w.Rect(spec.Bounds);
  w.U8(static_cast<uint8_t>(0x80 | 0x04 | (spec.FontId ? 0x01 : 0) | spec.Flags1));
  w.U8(static_cast<uint8_t>(0x20 | spec.Flags2));
  if (spec.FontId) w.U16(spec.FontId);
  if (spec.FontId) w.U16(spec.Height);
  w.Rgba(spec.Color);
  w.U8(spec.Align);
  w.U16(spec.LeftMargin), w.U16(spec.RightMargin), w.U16(spec.Indent), w.I16(spec.Leading);
  w.String(spec.Variable);
  w.String(spec.Text);
  return w.Take();
}

namespace {

constexpr uint8_t WordWrap = 0x40, Multiline = 0x20;
constexpr uint8_t Border = 0x08, Html = 0x02, UseOutlines = 0x01;

TTestMovie Fields() {
  TTestMovie movie(240, 160);
  movie.Background({240, 240, 255, 255});
  const uint16_t font = movie.SquareFont("Squares", u" ABCDEF");
  TEditTextSpec wrapped;
  wrapped.Bounds = {10 * 20, 110 * 20, 10 * 20, 150 * 20};
  wrapped.FontId = font;
  wrapped.Height = 20 * 20;
  wrapped.Flags1 = WordWrap | Multiline;
  wrapped.Flags2 = Border | UseOutlines;
  wrapped.Align = 2;
  wrapped.Text = "AB CD EF ABC DEF A";
  movie.Place(1, movie.EditText(EditTextBody(wrapped)));
  TEditTextSpec margins = wrapped;
  margins.Bounds = {120 * 20, 230 * 20, 10 * 20, 80 * 20};
  margins.Height = 12 * 20;
  margins.Align = 0;
  margins.LeftMargin = 200, margins.RightMargin = 100, margins.Indent = 300, margins.Leading = 100;
  margins.Text = "ABCD EF ABC";
  margins.Variable = "margins";  // fields bound to one variable would show one text
  movie.Place(2, movie.EditText(EditTextBody(margins)));
  TEditTextSpec single = margins;
  single.Bounds = {120 * 20, 230 * 20, 90 * 20, 150 * 20};
  single.Flags1 = 0;  // one line, no wrapping: the rest is cut at the box
  single.Flags2 = UseOutlines;
  single.Align = 0;
  single.LeftMargin = single.RightMargin = single.Indent = 0;
  single.Text = "AB\rCD EF AB CD EF";
  single.Variable = "single";
  movie.Place(3, movie.EditText(EditTextBody(single)));
  movie.ShowFrame();
  return movie;
}

TTestMovie HtmlField() {
  TTestMovie movie(240, 120);
  movie.Background({255, 255, 255, 255});
  const uint16_t font = movie.SquareFont("Squares", u" ABCDEF");
  TEditTextSpec spec;
  spec.Bounds = {10 * 20, 230 * 20, 10 * 20, 110 * 20};
  spec.FontId = font;
  spec.Height = 16 * 20;
  spec.Flags1 = WordWrap | Multiline;
  spec.Flags2 = Html | UseOutlines | Border;
  spec.Text = "<p align=\"right\"><font color=\"#FF0000\" size=\"24\">AB</font> CD</p>"
              "<p align=\"center\">E<font color=\"#0000FF\">F&amp;F</font><br>ABC</p>"
              "<p><u>ABC</u> <font size=\"10\">DEF</font></p>";
  movie.Place(1, movie.EditText(EditTextBody(spec)));
  movie.ShowFrame();
  return movie;
}

TTestMovie Justified() {
  TTestMovie movie(240, 120);
  movie.Background({255, 255, 255, 255});
  const uint16_t font = movie.SquareFont("Squares", u" ABCDEF");
  TEditTextSpec plain;
  plain.Bounds = {10 * 20, 230 * 20, 5 * 20, 55 * 20};
  plain.FontId = font;
  plain.Height = 12 * 20;
  plain.Flags1 = WordWrap | Multiline;
  plain.Flags2 = Border | UseOutlines;
  plain.Align = 3;
  plain.Text = "AB CD EF ABC DEF ABCD BC DE F AB\rCD EF A";
  movie.Place(1, movie.EditText(EditTextBody(plain)));
  TEditTextSpec html = plain;
  html.Bounds = {10 * 20, 230 * 20, 60 * 20, 115 * 20};
  html.Flags2 = Border | UseOutlines | Html;
  html.Align = 0;
  html.Variable = "html";
  html.Text = "<p align=\"justify\">ABC DE F ABCD EF AB C DEF AB CD E</p><p>AB CD EF AB CD EF AB CD EF AB CD</p>";
  movie.Place(2, movie.EditText(EditTextBody(html)));
  movie.ShowFrame();
  return movie;
}

TTestMovie TextFormats() {
  TTestMovie movie(240, 160);
  movie.Background({255, 255, 255, 255});
  const uint16_t font = movie.SquareFont("Squares", u" ABCDEF\u2022");
  TEditTextSpec spec;
  spec.Bounds = {10 * 20, 230 * 20, 5 * 20, 155 * 20};
  spec.FontId = font;
  spec.Height = 10 * 20;
  spec.Flags1 = WordWrap | Multiline;
  spec.Flags2 = Border | UseOutlines | Html;
  spec.Text = "<textformat leftmargin=\"10\" indent=\"20\" leading=\"6\"><p>ABC DEF ABC DEF ABC DEF ABC DEF AB</p></textformat>"
              "<textformat blockindent=\"30\" rightmargin=\"40\"><p>AB CD EF AB CD EF AB CD EF AB</p></textformat>"
              "<li>AB CD</li><li>CD EF AB CD EF AB CD EF AB CD EF</li><li><font size=\"20\">AB</font> C</li>"
              "<p><a href=\"http://example.com\">AB</a> C<img src=\"pic.png\" width=\"5\">D <blink>E</blink>&#65;&#x42;&lt;</p>";
  movie.Place(1, movie.EditText(EditTextBody(spec)));
  movie.ShowFrame();
  return movie;
}

// Tabs at the default stops, after short and long words, and beside spaces.
TTestMovie Tabs() {
  TTestMovie movie(240, 120);
  movie.Background({255, 255, 255, 255});
  const uint16_t font = movie.SquareFont("Squares", u" ABCDEF");
  TEditTextSpec spec;
  spec.Bounds = {10 * 20, 230 * 20, 5 * 20, 55 * 20};
  spec.FontId = font;
  spec.Height = 10 * 20;
  spec.Flags1 = WordWrap | Multiline;
  spec.Flags2 = Border | UseOutlines;
  spec.Text = "A\tB\tC\rABCDEF\tD\rAB CD\tE\tF";
  movie.Place(1, movie.EditText(EditTextBody(spec)));
  TEditTextSpec larger = spec;
  larger.Bounds = {10 * 20, 230 * 20, 60 * 20, 115 * 20};
  larger.Height = 16 * 20;
  larger.Variable = "larger";
  larger.Text = "A\tB\tC\rABCD\tEF";
  movie.Place(2, movie.EditText(EditTextBody(larger)));
  movie.ShowFrame();
  return movie;
}

// Paragraphs whose runs change font, size, colour, bold, italic and underline, in fonts
// told apart by the size of their squares, wrapping between runs; the second one starts
// larger than its later lines.
TTestMovie HtmlRuns() {
  TTestMovie movie(240, 120);
  movie.Background({255, 255, 255, 255});
  const std::u16string codes = u" ABCDEF";
  movie.SquareFont("Squares", codes);
  movie.SquareFont("Squares", codes, 0x01, 19000);  // bold
  movie.SquareFont("Squares", codes, 0x02, 10000);  // italic
  movie.SquareFont("Other", codes, 0, 7000);
  TEditTextSpec spec;
  spec.Bounds = {10 * 20, 230 * 20, 10 * 20, 110 * 20};
  spec.FontId = 1;
  spec.Height = 14 * 20;
  spec.Flags1 = WordWrap | Multiline;
  spec.Flags2 = Html | UseOutlines | Border;
  spec.Text = "<p>AB <font face=\"Other\">CD</font> <font size=\"24\">EF</font><font color=\"#00A000\">AB</font> "
              "<u>CD</u> <b>EF</b> <i>AB</i> <font color=\"#FF0000\" size=\"8\">DE</font>F</p>"
              "<p><font size=\"20\">A<b>B</b></font> C<u><font color=\"#0000FF\">DE F</font></u> AB "
              "<font face=\"Other\" size=\"18\">CDEF</font> <i>AB CD</i> <b><font color=\"#808000\">EF</font></b></p>"
              "<p><b><font color=\"#808000\">EF AB</font></b> EF</p>";
  movie.Place(1, movie.EditText(EditTextBody(spec)));
  movie.ShowFrame();
  return movie;
}

}  // namespace

std::vector<TReferenceCase> EditTextCases() {
  // The peer sets lines about a pixel higher or lower here and there: whole rows of the
  // squares' edges differ, so the allowance counts a few rows of them.
  return {{"edit-text-layout", Fields, 0, 16, 4200}, {"edit-text-html", HtmlField, 0, 16, 1800},
          {"edit-text-justify", Justified, 0, 16, 5400},
          {"edit-text-formats", TextFormats, 0, 16, 4200}, {"edit-text-tabs", Tabs, 0, 16, 4200},
          {"edit-text-html-runs", HtmlRuns, 0, 16, 4800}};
}

}  // namespace playertest
