// TFlashPic: the picture object. Binds a picture of the card document to the picture panel
// and renders it: the picture examined into the JPEG work file, then placed still
// ("-- None --") or sliding left ("Move") from its first to its last frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/FlashObj.h"
#include "render/PictureExaminer.h"

class TFlashPic : public TFlashObj {
public:
  explicit TFlashPic(TRenderContext& context);

  void AddNew() override;
  // A picture that is missing, damaged, too large or of another kind is left out of the
  // movie altogether: its message is shown and no shape is made for it, so the movie never
  // shows an empty shape or the last picture examined in its place.
  void Render(int index) override;
  void LoadFromDocument(int index) override;
  // Also shows the picture in the panel's thumbnail (cleared when it cannot be shown); the
  // render leaves the panel alone.
  void ShowInPanel() override;
  void ReadFromPanel() override;
  void StoreInDocument() override;

  // Makes the picture as it shows at card frame `frame` as a new shape with its left edge at
  // `left` pixels.
  void PlaceAt(std::int32_t left, std::int64_t frame);
  // The work file that shows at card frame `frame`: an animation starts with its first frame
  // at StartTime and runs at its own delays (at the card's frame rate), looping.
  const std::string& WorkFileAt(std::int64_t frame) const;
  bool Animated() const { return Frames.size() > 1; }

  // Content as the card holds it (may be relative to the program's folder).
  std::string Content;
  // The JPEG handed to MakePicture; not part of the document.
  std::string WorkFile;
  // Every frame of the picture (one for a still picture, its WorkFile); not in the document.
  std::vector<TPictureFrameFile> Frames;
  std::int32_t Width = 0;  // pixels on the stage
  std::int32_t Height = 0; // pixels on the stage

private:
  bool ExaminePicture();
  void ShowError(const std::string& text) const;
};
