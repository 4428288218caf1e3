// The text panel as the text object sees it: the controls it fills and reads. The docked
// text panel implements this; tests use a plain record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The three drop-down lists of the text panel.
enum class TTextPanelList { FontName, FontSize, EffectName };

class ITextPanel {
public:
  virtual ~ITextPanel() = default;

  // Raised while the object fills the panel, so that its change handlers do nothing.
  virtual void SetUpdating(bool updating) = 0;

  virtual std::string Content() const = 0;
  virtual void SetContent(const std::string& text) = 0;
  // Frames as the panel shows them: counted from 1.
  virtual int EditBegin() const = 0;
  virtual void SetEditBegin(int frame) = 0;
  virtual int EditEnd() const = 0;
  virtual void SetEditEnd(int frame) = 0;
  // 0x00BBGGRR.
  virtual std::uint32_t FontColor() const = 0;
  virtual void SetFontColor(std::uint32_t colour) = 0;
  virtual int PositionX() const = 0;
  virtual void SetPositionX(int pixels) = 0;
  virtual int PositionY() const = 0;
  virtual void SetPositionY(int pixels) = 0;

  // The entries of a list, its selected entry (-1 when none) and selecting one.
  virtual std::vector<std::string> Items(TTextPanelList list) const = 0;
  virtual int ItemIndex(TTextPanelList list) const = 0;
  virtual void SetItemIndex(TTextPanelList list, int index) = 0;

  // The text's own entrance and exit ("" for none) and the alignment of its lines ("" for
  // left, "Centre", "Right"); no value from a panel without these controls, which leaves
  // the text's values as they are.
  virtual std::optional<std::string> EntranceEffect() const { return std::nullopt; }
  virtual void SetEntranceEffect(const std::string& /*name*/) {}
  virtual std::optional<std::string> ExitEffect() const { return std::nullopt; }
  virtual void SetExitEffect(const std::string& /*name*/) {}
  virtual std::optional<std::string> TextAlign() const { return std::nullopt; }
  virtual void SetTextAlign(const std::string& /*align*/) {}
  // "" (plain), "Outline", "Shadow" or "Outline Shadow".
  virtual std::optional<std::string> TextStyle() const { return std::nullopt; }
  virtual void SetTextStyle(const std::string& /*style*/) {}
};
