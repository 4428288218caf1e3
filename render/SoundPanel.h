// The sound panel as the sound object sees it: the file name box. The docked sound panel
// implements this; tests use a plain record.
#pragma once

#include <string>

class ISoundPanel {
public:
  virtual ~ISoundPanel() = default;

  // Raised while the object fills the panel.
  virtual void SetUpdating(bool updating) = 0;

  // The sound file's name as the box shows it (UTF-8).
  virtual std::string Content() const = 0;
  virtual void SetContent(const std::string& fileName) = 0;
};
