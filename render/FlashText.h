// TFlashText: the text object. Binds a text of the card document to the text panel and
// renders it: loads it, cuts it into units and runs its named effect (render/effects/).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/FlashObj.h"
#include "render/TextUnitLayout.h"

class TRandomSource;

class TFlashText : public TFlashObj {
public:
  explicit TFlashText(TRenderContext& context);

  void AddNew() override;
  void Render(int index) override;
  void LoadFromDocument(int index) override;
  void ShowInPanel() override;
  void ReadFromPanel() override;
  void StoreInDocument() override;

  // Cuts Content into Units: one entry per character, the first ones holding TextUnit
  // characters each, the rest empty.
  void SplitUnits();
  const std::vector<std::string>& Units() const { return UnitList; }

  // Makes the whole text as a new shape: at (20 X, 20 Y + 100) twips, 28 F twips high.
  void PlaceWhole();
  // Makes unit k as a new shape, 28 F twips (F x 1.4 pixels) right of unit k - 1; a unit
  // after a line break starts the next line at the text's left edge.
  void PlaceUnit(int k);
  // Makes `text` as a new shape with its origin at (x, y) twips, 28 F twips high.
  void PlaceAt(const std::string& text, double x, double y);
  // The placing of the whole text in twips: x = 20 X, y = 20 Y + 100, height 28 F.
  double PlaceX() const;
  double PlaceY() const;
  double PlaceHeight() const;
  // x of unit k in twips: 20 X + 28 F k on the first line (k counted from the line's first
  // unit on the others).
  double UnitX(int k) const;
  // Before a text with emoji is made: its letters drawn in the text's colour.
  void DrawColourGlyphsInOwnColour(const std::string& text);
  // The line of unit k (from 0) and its place on that line, by the line breaks before it.
  int UnitRow(int k) const;
  int UnitColumn(int k) const;

  int Red() const { return FontColor & 0xFF; }
  int Green() const { return (FontColor >> 8) & 0xFF; }
  int Blue() const { return (FontColor >> 16) & 0xFF; }

  TRandomSource& Random() const;

  // Content is UTF-8; TextUnit counts characters (code points) per unit.
  std::string Content;
  std::int32_t TextUnit = 0;
  std::string FontName;
  std::int32_t FontSize = 0;
  std::uint32_t FontColor = 0; // 0x00BBGGRR
  // Optional: an entrance and an exit played around the text's own effect ("" for none),
  // and the alignment of its lines.
  std::string EntranceEffect;
  std::string ExitEffect;
  TTextAlign Align = TTextAlign::Left;
  // "", "Outline", "Shadow" or "Outline Shadow": drawn as filters around the letters.
  std::string Style;
  bool HasOutline() const { return Style.find("Outline") != std::string::npos; }
  bool HasShadow() const { return Style.find("Shadow") != std::string::npos; }

private:
  std::vector<std::string> UnitList;
};
