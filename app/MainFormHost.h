// The main window as the card, the card objects and the panels see it: the preview
// control, the window's controls and areas, the tool windows and the error box.
#pragma once

#include "app/OncePerAction.h"
#include "card/CardHost.h"
#include "panels/PanelHost.h"
#include "render/EditorInterfaces.h"

class TMainForm;

namespace player {
class TFlashPlayer;
}

class TMainFormHost final : public ICardHost, public IPanelHost, public IUserMessages {
public:
  explicit TMainFormHost(TMainForm& form);

  // IPreviewInfo
  int TotalFrames() const override;
  int CurrentFrame() const override;

  // ICardHost: the preview control
  std::string PreviewMovie() const override;
  void SetPreviewMovie(const std::string& path) override;
  void SetPreviewLoop(bool on) override;
  bool PreviewPlaying() const override;
  void SetPreviewPlaying(bool playing) override;
  int PreviewFrameNum() const override;
  void SetPreviewFrameNum(int frame) override;
  void SetPreviewBackgroundColor(std::uint32_t colour) override;
  void SetPreviewBGColor(const std::string& text) override;
  void PreviewPlay() override;
  void RefreshPreviewControl() override;
  void SetSliderMax(int maximum) override;

  // ICardHost: controls and tool windows
  void FreeToolWindows() override;
  void CreateToolWindows() override;
  void EnablePlayControls() override;
  void DisablePlayControls() override;
  void EnableEditControls() override;
  void DisableEditControls() override;
  void ShowPreviewArea(bool visible) override;
  void ShowLibraryAndBackgroundPanel() override;
  void ShowLoopState(bool on) override;
  bool StoredLoopFlag() const override;
  void SetStoredLoopFlag(bool on) override;
  bool PlayingFlag() const override;
  void SetPlayingFlag(bool playing) override;
  void SetWindowFitting(bool fitting) override;

  // ICardHost: window fitting
  int LeftAreaWidth() const override;
  int TopAreaHeight() const override;
  int SliderHeight() const override;
  void SetClientWidth(int width) override;
  void SetClientHeight(int height) override;
  void SetPreviewAreaWidth(int width) override;
  void SetPreviewAreaHeight(int height) override;

  // ICardHost: the library's document and the background panel
  TXMLCardDocument& CardDocument() override;
  TXMLMovie RebuildLibrary() override;
  TBackgroundFields BackgroundPanelFields() const override;
  void SetBackgroundPanelFields(const TBackgroundFields& fields) override;
  void SetBackgroundPanelUpdating(bool updating) override;
  std::string SelectedObject() const override;
  void SelectObject(const std::string& name) override;

  // IPanelHost
  TRenderContext& RenderContext() override;
  void StoreCard() override;
  void RenderCard() override;
  void TryEffect(const std::string& objectName, const std::string& effectName) override;
  void SetPreviewFrame(int frame) override;
  void SetCurrentObjectKind(const std::string& kind) override;

  // IUserMessages
  void ShowError(const std::string& text) override;
  void ShowRefusal(const std::string& text) override;
  bool OfferScaleDown(const std::string& refusal, const std::string& question) override;

private:
  TOncePerAction Once;
  player::TFlashPlayer& Player() const;
  TMainForm& Form;
};
