// Importing a sound for the card: the chosen MP3 or other sound file is decoded through the
// audio modules into a 16-bit mono WAV beside it, named by appending "_tmp.wav" to the full
// file name (song.mp3 gives song.mp3_tmp.wav), which the sound renderer then uses.
// No window code here: the sound chooser and the command line both call it.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "plugins/AudioModules.h"

namespace plugins {

// A failed import. what() is the text to show the user ("Failed to load input plugin !",
// "Can not import " + file, ...); Detail() the technical reason, possibly empty.
class TSoundImportError : public std::runtime_error {
 public:
  explicit TSoundImportError(const std::string& message, std::string detail = {})
      : std::runtime_error(message), FDetail(std::move(detail)) {}
  const std::string& Detail() const { return FDetail; }

 private:
  std::string FDetail;
};

// "mp3.dll" when the extension of the file name (from its last dot) is ".MP3" in any case,
// otherwise "wave.dll".
std::string InputModuleNameFor(const std::string& file);

// The converted sound of the chosen one: `source` followed by "_tmp.wav", kept beside it;
// for a source in a folder the user cannot write (the installed library), the copy in the
// user's cache folder when one was made.
std::string ConvertedSoundPath(const std::string& source);

struct TSoundImportOptions {
  THandle AppWindow = nullptr;  // given to the modules as hMainWindow and Config's parent
  // The wait for the output gives up when its time has not moved for this long ...
  std::chrono::milliseconds StallTimeout{10000};
  // ... or when it has lasted longer than this margin plus RealTimeFactor times the length.
  std::chrono::milliseconds Margin{30000};
  int RealTimeFactor = 2;
  // Pause between two polls of the output time, after the caller's event handling.
  std::chrono::milliseconds PollInterval{2};
};

// The program's plug-in state: the libraries stay loaded from one import to the next and
// each import releases a library just before loading it again. Destroying the importer
// releases the input library first, then the output library. Not for concurrent use.
class TSoundImporter {
 public:
  explicit TSoundImporter(const TAudioModules& modules = TAudioModules::Standard(),
                          TSoundImportOptions options = {});
  ~TSoundImporter();
  TSoundImporter(const TSoundImporter&) = delete;
  TSoundImporter& operator=(const TSoundImporter&) = delete;

  // Decodes `source` into `destination` (beside the source, or in the user's cache folder
  // when the source's folder cannot be written, when empty), replacing
  // an existing file, and returns that path. `pumpEvents` (may be empty) is called on every
  // poll while the input module decodes, so a window keeps painting. Throws
  // TSoundImportError; on any failure the destination is left as it was and no partial
  // file remains.
  std::string Import(const std::string& source, const std::function<void()>& pumpEvents,
                     const std::string& destination = {});

 private:
  void LoadInputModule(const std::string& libraryName);
  void LoadOutputModule();
  void WaitForOutput(const std::function<void()>& pumpEvents, std::string& failure);

  const TAudioModules& FModules;
  TSoundImportOptions FOptions;
  std::unique_ptr<TAudioLibrary> FInputLibrary;
  TInModuleGetter FInputGetter;
  TInModule* FInModule = nullptr;
  std::unique_ptr<TAudioLibrary> FOutputLibrary;
  TOutModuleGetter FOutputGetter;
  TOutModule* FOutModule = nullptr;
};

// One import with a fresh importer over the standard modules.
std::string ImportSound(const std::string& source, const std::function<void()>& pumpEvents,
                        const TSoundImportOptions& options = {},
                        const std::string& destination = {});

}  // namespace plugins
