// The text panel's controls as the text object reads and fills them (ITextPanel).
#pragma once

#include "render/TextPanel.h"

class QComboBox;
class TTextForm;

class TTextPanelView : public ITextPanel {
public:
  explicit TTextPanelView(TTextForm& form) : Form(form) {}

  void SetUpdating(bool updating) override;
  std::string Content() const override;
  void SetContent(const std::string& text) override;
  int EditBegin() const override;
  void SetEditBegin(int frame) override;
  int EditEnd() const override;
  void SetEditEnd(int frame) override;
  std::uint32_t FontColor() const override;
  void SetFontColor(std::uint32_t colour) override;
  int PositionX() const override;
  void SetPositionX(int pixels) override;
  int PositionY() const override;
  void SetPositionY(int pixels) override;
  std::vector<std::string> Items(TTextPanelList list) const override;
  int ItemIndex(TTextPanelList list) const override;
  void SetItemIndex(TTextPanelList list, int index) override;
  std::optional<std::string> EntranceEffect() const override;
  void SetEntranceEffect(const std::string& name) override;
  std::optional<std::string> ExitEffect() const override;
  void SetExitEffect(const std::string& name) override;
  std::optional<std::string> TextAlign() const override;
  void SetTextAlign(const std::string& align) override;
  std::optional<std::string> TextStyle() const override;
  void SetTextStyle(const std::string& style) override;

private:
  QComboBox* List(TTextPanelList list) const;
  TTextForm& Form;
};
