// A small editor for the panel tests: a window with the docking places of the main window,
// the real card over a real SWF builder, and a virtual preview that knows the frame count of
// the movie it was given and the frame it stands at. It is the card's host and the panels'.
#pragma once

#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>

#include "card/CardHost.h"
#include "card/FlashCard.h"
#include "panels/PanelHost.h"
#include "render/RenderContext.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

class TBackgroundForm;
class TObjListForm;
class TTextForm;

class TPanelTestEditor : public QWidget, public ICardHost, public IPanelHost {
public:
  TPanelTestEditor();
  ~TPanelTestEditor() override;

  // Writes `movieXml` (the children of Movie) as the source card and enters Edit mode.
  void OpenCard(const std::string& movieXml);
  std::string WorkProjectText() const;

  TObjListForm& Library() const;
  TTextForm& TextPanel() const;
  TBackgroundForm& BackgroundPanel() const;

  QWidget* PanelLeft = nullptr;
  QWidget* PanelObj = nullptr;
  QTemporaryDir Folder;
  TRenderContext Ctx;
  swf::TSwfMovie Movie;
  swf::TSwfObject Object;
  swf::TSwfAction Action;
  std::unique_ptr<TFlashCard> Card;

  // Virtual preview.
  std::string PreviewPath = "http://";
  int Total = 0;
  int Frame = 0;
  bool Playing = false;
  int Renders = 0;
  int Trials = 0; // effects tried from the text panel
  std::string Kind;

  // IPreviewInfo / ICardHost
  int TotalFrames() const override { return Total; }
  int CurrentFrame() const override { return Frame; }
  std::string PreviewMovie() const override { return PreviewPath; }
  void SetPreviewMovie(const std::string& path) override;
  void SetPreviewLoop(bool) override {}
  bool PreviewPlaying() const override { return Playing; }
  void SetPreviewPlaying(bool playing) override { Playing = playing; }
  int PreviewFrameNum() const override { return Frame; }
  void SetPreviewFrameNum(int frame) override { Frame = frame; }
  void SetPreviewBackgroundColor(std::uint32_t) override {}
  void SetPreviewBGColor(const std::string&) override {}
  void PreviewPlay() override {}
  void RefreshPreviewControl() override {}
  void SetSliderMax(int) override {}
  void FreeToolWindows() override;
  void CreateToolWindows() override;
  void EnablePlayControls() override {}
  void DisablePlayControls() override { StoredLoop = false; }
  void EnableEditControls() override {}
  void DisableEditControls() override {}
  void ShowPreviewArea(bool) override {}
  void ShowLibraryAndBackgroundPanel() override;
  void ShowLoopState(bool) override {}
  bool StoredLoopFlag() const override { return StoredLoop; }
  void SetStoredLoopFlag(bool on) override { StoredLoop = on; }
  bool PlayingFlag() const override { return PlayingFlagValue; }
  void SetPlayingFlag(bool playing) override { PlayingFlagValue = playing; }
  void SetWindowFitting(bool) override {}
  int LeftAreaWidth() const override { return 195; }
  int TopAreaHeight() const override { return 83; }
  int SliderHeight() const override { return 18; }
  void SetClientWidth(int) override {}
  void SetClientHeight(int) override {}
  void SetPreviewAreaWidth(int) override {}
  void SetPreviewAreaHeight(int) override {}
  TXMLCardDocument& CardDocument() override;
  TXMLMovie RebuildLibrary() override;
  TBackgroundFields BackgroundPanelFields() const override;
  void SetBackgroundPanelFields(const TBackgroundFields& fields) override;
  void SetBackgroundPanelUpdating(bool updating) override;

  // IPanelHost
  TRenderContext& RenderContext() override { return Ctx; }
  void StoreCard() override { Card->ReadAndStore(); }
  void RenderCard() override;
  void TryEffect(const std::string& objectName, const std::string& effectName) override;
  void SetPreviewFrame(int frame) override { Frame = frame; }
  void SetCurrentObjectKind(const std::string& kind) override { Kind = kind; }

private:
  bool StoredLoop = false;
  bool PlayingFlagValue = false;
  QPointer<QWidget> Background, ObjList, Text;
};
