// The card's host without a window: a virtual preview that knows the frame count of the
// movie it was given and the frame it stands at, a card document in place of the library
// window, and no controls. Used by the command line's render and by tests.
#pragma once

#include <memory>
#include <string>

#include "card/CardHost.h"

class THeadlessCardHost : public ICardHost {
public:
  // Preview: frame figures of the loaded movie. Before any movie was loaded the preview
  // reports the frame count the card document recorded (its TotalFrames), the count of
  // the movie the editor showed when the card was stored.
  int TotalFrames() const override;
  int CurrentFrame() const override { return Frame; }
  std::string PreviewMovie() const override { return Movie; }
  void SetPreviewMovie(const std::string& path) override;
  void SetPreviewLoop(bool on) override { Looping = on; }
  bool PreviewPlaying() const override { return Playing; }
  void SetPreviewPlaying(bool playing) override { Playing = playing; }
  int PreviewFrameNum() const override { return Frame; }
  void SetPreviewFrameNum(int frame) override;
  void SetPreviewBackgroundColor(std::uint32_t) override {}
  void SetPreviewBGColor(const std::string&) override {}
  void PreviewPlay() override { Playing = true; }
  void RefreshPreviewControl() override {}
  void SetSliderMax(int) override {}

  void FreeToolWindows() override { Document.reset(); }
  void CreateToolWindows() override { Document = std::make_unique<TXMLCardDocument>(); }
  void EnablePlayControls() override {}
  void DisablePlayControls() override { StoredLoop = false; }
  void EnableEditControls() override {}
  void DisableEditControls() override {}
  void ShowPreviewArea(bool) override {}
  void ShowLibraryAndBackgroundPanel() override {}
  void ShowLoopState(bool) override {}
  bool StoredLoopFlag() const override { return StoredLoop; }
  void SetStoredLoopFlag(bool on) override { StoredLoop = on; }
  bool PlayingFlag() const override { return PlayingFlagValue; }
  void SetPlayingFlag(bool playing) override { PlayingFlagValue = playing; }
  void SetWindowFitting(bool) override {}

  int LeftAreaWidth() const override { return 0; }
  int TopAreaHeight() const override { return 0; }
  int SliderHeight() const override { return 0; }
  void SetClientWidth(int) override {}
  void SetClientHeight(int) override {}
  void SetPreviewAreaWidth(int) override {}
  void SetPreviewAreaHeight(int) override {}

  // Throws std::logic_error outside Edit mode.
  TXMLCardDocument& CardDocument() override;
  TXMLMovie RebuildLibrary() override;

  TBackgroundFields BackgroundPanelFields() const override { return Background; }
  void SetBackgroundPanelFields(const TBackgroundFields& fields) override { Background = fields; }
  void SetBackgroundPanelUpdating(bool) override {}

private:
  std::unique_ptr<TXMLCardDocument> Document;
  std::string Movie = "http://";
  int LoadedFrames = 0;
  int RecordedFrames = 0;
  int Frame = 0;
  bool Playing = false;
  bool Looping = false;
  bool StoredLoop = false;
  bool PlayingFlagValue = false;
  TBackgroundFields Background;
};
