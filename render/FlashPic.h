// TFlashPic: the picture object. Binds a picture of the card document to the picture panel
// and renders it: the picture examined into the JPEG work file, then placed still
// ("-- None --") or sliding left ("Move") from its first to its last frame.
#pragma once

#include <cstdint>
#include <string>

#include "render/FlashObj.h"

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

  // Makes the picture as a new shape with its left edge at `left` pixels.
  void PlaceAt(std::int32_t left);

  // Content as the card holds it (may be relative to the program's folder).
  std::string Content;
  // The JPEG handed to MakePicture; not part of the document.
  std::string WorkFile;
  std::int32_t Width = 0;  // pixels on the stage
  std::int32_t Height = 0; // pixels on the stage

private:
  bool ExaminePicture();
  void ShowError(const std::string& text) const;
};
