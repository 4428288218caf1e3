// What the card objects need from the editor around them: the preview's frame figures, the
// movie library's tree and the message box. The main window and the library implement these;
// the headless front end and the tests implement them without a window.
#pragma once

#include <optional>
#include <string>

// The movie the preview player shows now.
class IPreviewInfo {
public:
  virtual ~IPreviewInfo() = default;
  // Frame count of the movie the preview shows (0 when no movie is loaded).
  virtual int TotalFrames() const = 0;
  // The frame the preview stands at, counted from 0.
  virtual int CurrentFrame() const = 0;
};

// The movie library's object tree.
class ILibraryView {
public:
  virtual ~ILibraryView() = default;
  // Caption of the selected node; no value when no node is selected.
  virtual std::optional<std::string> SelectedCaption() const = 0;
  // Adds a root node bearing `caption` at the end of the tree.
  virtual void AddRootNode(const std::string& caption) = 0;
  // Focuses the tree and selects its last node. The selection opens that object, which
  // replaces the editing object of its kind: the caller may already be gone on return.
  virtual void SelectLastNode() = 0;
};

// Modal messages to the user (an error box with an OK button in the editor).
class IUserMessages {
public:
  virtual ~IUserMessages() = default;
  virtual void ShowError(const std::string& text) = 0;
  // An error box with OK and Cancel, as a picture is refused with; the answer is not used.
  virtual void ShowRefusal(const std::string& text) { ShowError(text); }
  // A picture over 800 x 600 is refused with `refusal`; true scales it down to fit instead.
  // The editor shows the refusal and then asks `question` with OK and Cancel; by default the
  // refusal is shown and the picture is not used.
  virtual bool OfferScaleDown(const std::string& refusal, const std::string& /*question*/)
  {
    ShowRefusal(refusal);
    return false;
  }
};
