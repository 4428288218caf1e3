// A card host that records what the card asks of the main window, with a virtual preview
// that reads the frame count of the movie it is given.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "card/CardHost.h"
#include "card/SwfStageSize.h"

class TFakeCardHost : public ICardHost {
public:
  std::vector<std::string> Calls;

  // Preview state.
  std::string Movie = "http://";
  int Total = 0;
  int Frame = 0;
  bool Playing = false;
  bool Loop = false;
  // Window state.
  bool PlayingFlagValue = false;
  bool Fitting = false;
  bool StoredLoop = false;
  int ClientWidth = 0, ClientHeight = 0, AreaWidth = 0, AreaHeight = 0;
  TBackgroundFields Panel;
  bool PanelUpdating = false;
  std::string DocumentFile; // set by the card before RebuildLibrary
  std::unique_ptr<TXMLCardDocument> Document;
  int Rebuilds = 0;

  int TotalFrames() const override { return Total; }
  int CurrentFrame() const override { return Frame; }
  std::string PreviewMovie() const override { return Movie; }
  void SetPreviewMovie(const std::string& path) override
  {
    Calls.push_back("SetPreviewMovie(" + path + ")");
    Movie = path;
    Frame = 0;
    Total = path == "http://" ? 0 : SwfHeaderFrameCount(path);
  }
  void SetPreviewLoop(bool on) override { Loop = on; }
  bool PreviewPlaying() const override { return Playing; }
  void SetPreviewPlaying(bool playing) override
  {
    Calls.push_back(std::string("SetPreviewPlaying(") + (playing ? "true" : "false") + ")");
    Playing = playing;
  }
  int PreviewFrameNum() const override { return Frame; }
  void SetPreviewFrameNum(int frame) override
  {
    Calls.push_back("SetPreviewFrameNum(" + std::to_string(frame) + ")");
    Frame = frame;
  }
  void SetPreviewBackgroundColor(std::uint32_t colour) override
  {
    Calls.push_back("SetPreviewBackgroundColor(" + std::to_string(colour) + ")");
  }
  void SetPreviewBGColor(const std::string& text) override { Calls.push_back("SetPreviewBGColor(" + text + ")"); }
  void PreviewPlay() override { Calls.push_back("PreviewPlay"); }
  void RefreshPreviewControl() override { Calls.push_back("RefreshPreviewControl"); }
  void SetSliderMax(int maximum) override { Calls.push_back("SetSliderMax(" + std::to_string(maximum) + ")"); }
  void FreeToolWindows() override
  {
    Calls.push_back("FreeToolWindows");
    Document.reset();
  }
  void CreateToolWindows() override
  {
    Calls.push_back("CreateToolWindows");
    Document = std::make_unique<TXMLCardDocument>();
  }
  void EnablePlayControls() override { Calls.push_back("EnablePlayControls"); }
  void DisablePlayControls() override
  {
    Calls.push_back("DisablePlayControls");
    StoredLoop = false;
  }
  void EnableEditControls() override { Calls.push_back("EnableEditControls"); }
  void DisableEditControls() override { Calls.push_back("DisableEditControls"); }
  void ShowPreviewArea(bool visible) override
  {
    Calls.push_back(std::string("ShowPreviewArea(") + (visible ? "true" : "false") + ")");
  }
  void ShowLibraryAndBackgroundPanel() override { Calls.push_back("ShowLibraryAndBackgroundPanel"); }
  void ShowLoopState(bool on) override { Calls.push_back(std::string("ShowLoopState(") + (on ? "true" : "false") + ")"); }
  bool StoredLoopFlag() const override { return StoredLoop; }
  void SetStoredLoopFlag(bool on) override { StoredLoop = on; }
  bool PlayingFlag() const override { return PlayingFlagValue; }
  void SetPlayingFlag(bool playing) override { PlayingFlagValue = playing; }
  void SetWindowFitting(bool fitting) override
  {
    Calls.push_back(std::string("SetWindowFitting(") + (fitting ? "true" : "false") + ")");
    Fitting = fitting;
  }
  int LeftAreaWidth() const override { return 195; }
  int TopAreaHeight() const override { return 83; }
  int SliderHeight() const override { return 18; }
  void SetClientWidth(int width) override { ClientWidth = width; }
  void SetClientHeight(int height) override { ClientHeight = height; }
  void SetPreviewAreaWidth(int width) override { AreaWidth = width; }
  void SetPreviewAreaHeight(int height) override { AreaHeight = height; }
  TXMLCardDocument& CardDocument() override { return *Document; }
  TXMLMovie RebuildLibrary() override
  {
    Calls.push_back("RebuildLibrary");
    ++Rebuilds;
    DocumentFile = Document->FileName();
    return BindMovie(*Document);
  }
  TBackgroundFields BackgroundPanelFields() const override { return Panel; }
  void SetBackgroundPanelFields(const TBackgroundFields& fields) override
  {
    Calls.push_back(std::string("SetBackgroundPanelFields") + (PanelUpdating ? " while updating" : ""));
    Panel = fields;
  }
  void SetBackgroundPanelUpdating(bool updating) override { PanelUpdating = updating; }
};
