// The picture panel as the picture object sees it: the thumbnail and the controls it fills
// and reads. The docked picture panel implements this; tests use a plain record.
#pragma once

#include <string>
#include <vector>

class IPicturePanel {
public:
  virtual ~IPicturePanel() = default;

  // Raised while the object fills the panel, so that its change handlers do nothing.
  virtual void SetUpdating(bool updating) = 0;

  // Shows the picture file in the thumbnail; false, with the thumbnail unchanged, when the
  // file cannot be shown.
  virtual bool LoadPicture(const std::string& path) = 0;
  virtual void ClearPicture() = 0;

  // Pixels; frames as the panel shows them, counted from 1.
  virtual int EditPositionX() const = 0;
  virtual void SetEditPositionX(int value) = 0;
  virtual int EditPositionY() const = 0;
  virtual void SetEditPositionY(int value) = 0;
  virtual int EditWidth() const = 0;
  virtual void SetEditWidth(int value) = 0;
  virtual int EditHeight() const = 0;
  virtual void SetEditHeight(int value) = 0;
  virtual int EditBegin() const = 0;
  virtual void SetEditBegin(int value) = 0;
  virtual int EditEnd() const = 0;
  virtual void SetEditEnd(int value) = 0;

  // The entries of the EffectName list, its selected entry (-1 when none) and selecting one.
  virtual std::vector<std::string> EffectNames() const = 0;
  virtual int EffectIndex() const = 0;
  virtual void SetEffectIndex(int index) = 0;
};
