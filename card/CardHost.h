// What the card needs from the main window: the preview control, the play and edit
// controls, the tool windows, the window's areas for fitting it to the movie, the library's
// document and the background panel. The main window implements it; the headless front end
// implements it with a virtual preview that knows the last movie's frame count.
#pragma once

#include <cstdint>
#include <string>

#include "document/XMLUnit.h"
#include "render/EditorInterfaces.h"

// The fields of the background panel.
struct TBackgroundFields {
  std::uint32_t Colour = 0; // 0x00BBGGRR
  int Width = 0;            // stage pixels
  int Height = 0;
  int Rate = 0; // frames per second
};

// TotalFrames() and CurrentFrame() (IPreviewInfo) are the preview's figures of the movie it
// shows now.
class ICardHost : public IPreviewInfo {
public:
  // The preview control. "http://" as the movie unloads it.
  virtual std::string PreviewMovie() const = 0;
  virtual void SetPreviewMovie(const std::string& path) = 0;
  virtual void SetPreviewLoop(bool on) = 0;
  virtual bool PreviewPlaying() const = 0;
  virtual void SetPreviewPlaying(bool playing) = 0;
  // The frame number property (frames from 0).
  virtual int PreviewFrameNum() const = 0;
  virtual void SetPreviewFrameNum(int frame) = 0;
  // The background colour as a number (BackgroundColor) and as text (BGColor).
  virtual void SetPreviewBackgroundColor(std::uint32_t colour) = 0;
  virtual void SetPreviewBGColor(const std::string& text) = 0;
  virtual void PreviewPlay() = 0;
  // Hides and shows the preview control again, so it repaints with the new movie.
  virtual void RefreshPreviewControl() = 0;
  virtual void SetSliderMax(int maximum) = 0;

  // The main window's controls and tool windows.
  virtual void FreeToolWindows() = 0;
  // Background panel, library with a new unloaded card document, text, picture and sound panels.
  virtual void CreateToolWindows() = 0;
  // DisablePlayControls also clears the stored loop flag.
  virtual void EnablePlayControls() = 0;
  virtual void DisablePlayControls() = 0;
  // The card commands and the library area.
  virtual void EnableEditControls() = 0;
  virtual void DisableEditControls() = 0;
  virtual void ShowPreviewArea(bool visible) = 0;
  virtual void ShowLibraryAndBackgroundPanel() = 0;
  // The Loop menu item's check mark and the loop button's image set.
  virtual void ShowLoopState(bool on) = 0;
  // The stored loop flag: the enabled state of the loop command.
  virtual bool StoredLoopFlag() const = 0;
  virtual void SetStoredLoopFlag(bool on) = 0;
  // The program-wide playing flag and window-fit flag.
  virtual bool PlayingFlag() const = 0;
  virtual void SetPlayingFlag(bool playing) = 0;
  virtual void SetWindowFitting(bool fitting) = 0;

  // Window fitting, in pixels.
  virtual int LeftAreaWidth() const = 0;
  virtual int TopAreaHeight() const = 0;
  virtual int SliderHeight() const = 0;
  virtual void SetClientWidth(int width) = 0;
  virtual void SetClientHeight(int height) = 0;
  virtual void SetPreviewAreaWidth(int width) = 0;
  virtual void SetPreviewAreaHeight(int height) = 0;

  // The library's card document (exists between CreateToolWindows and FreeToolWindows).
  virtual TXMLCardDocument& CardDocument() = 0;
  // Rebuilds the library's list, loading the document when needed; returns the binding.
  virtual TXMLMovie RebuildLibrary() = 0;

  // The background panel: its fields, and its updating flag that mutes its change handlers.
  virtual TBackgroundFields BackgroundPanelFields() const = 0;
  virtual void SetBackgroundPanelFields(const TBackgroundFields& fields) = 0;
  virtual void SetBackgroundPanelUpdating(bool updating) = 0;

  // The library's selection, by object name (empty: none); without a library, none.
  virtual std::string SelectedObject() const { return {}; }
  // Selects an object by name and opens it in its panel; an empty or unknown name selects
  // nothing and shows the background panel.
  virtual void SelectObject(const std::string& /*name*/) {}

  // The diagnostic trace; nothing by default.
  virtual void Trace(const std::string& /*message*/) {}
};
