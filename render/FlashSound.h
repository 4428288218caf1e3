// TFlashSound: the sound object. Binds a sound of the card document to the sound panel and
// hands its converted wave file to the SWF builder at the sound's first frame.
#pragma once

#include <cstdint>
#include <string>

#include "render/FlashObj.h"

class TFlashSound : public TFlashObj {
public:
  explicit TFlashSound(TRenderContext& context);

  // Appends a sound with the defaults (frames 0 to 1, layer 2, no file) and selects it.
  void AddNew() override;
  // Attaches the sound at its StartTime; a sound without a file renders nothing, one the
  // builder refuses is reported and skipped.
  void Render(int index) override;
  // Only Content is loaded; the other fields keep their values.
  void LoadFromDocument(int index) override;
  void ShowInPanel() override;
  void ReadFromPanel() override;
  // Writes Content into the object named by the library's selected node, and saves.
  void StoreInDocument() override;

  // The wave file the builder receives: Content (made absolute against the program folder
  // when relative) followed by "_tmp.wav", or its copy in the user's cache folder when
  // Content lies in a folder the user cannot write.
  std::string WorkingWavePath() const;
  // The frame the sound of object `index` starts in: its StartTime within the movie.
  std::int32_t StartFrame(int index);

  // Path of the sound file chosen by the user (UTF-8).
  std::string Content;
};

// Shown when the builder cannot take a sound's wave file.
inline constexpr const char* SoundFormatMessage = "Please select a sound file with 16Bits mono format!";

// Shown when a sound's converted wave file is not there: names the sound file when that is
// missing too, else the converted file.
std::string MissingSoundMessage(const std::string& soundFile, const std::string& convertedFile);
