#include "plugins/SoundImport.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <thread>

#include "platform/DerivedFile.h"
#include "plugins/PendingFile.h"

namespace plugins {

namespace {

constexpr const char* ConvertedSoundSuffix = "_tmp.wav";

// The program's side of the module callbacks: no sound processing, no visualisation. They
// run on the decoding thread and touch no program state.
void SetCallbacks(TInModule& in) {
  in.SetInfo = [](int, int, int, int) {};
  in.dsp_isactive = [] { return 0; };
  in.dsp_dosamples = [](short*, int frames, int, int, int) { return frames; };
  in.SAVSAInit = [](int, int) {};
  in.SAVSADeInit = [] {};
  in.SAAddPCMData = [](const void*, int, int, int) {};
  in.SAGetMode = [] { return 0; };
  in.SAAdd = [](const void*, int, int) {};
  in.VSASetInfo = [](int, int) {};
  in.VSAAddPCMData = [](const void*, int, int, int) {};
  in.VSAGetMode = [](int*, int*) { return 0; };
  in.VSAAdd = [](const void*, int) {};
}

std::string ErrorOf(const std::function<std::string()>& getter) {
  return getter ? getter() : std::string();
}

// A written WAV that holds no samples is a failed import, not a silent sound.
std::string CheckWritten(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return std::string("the converted sound is unreadable: ") + sf_strerror(nullptr);
  sf_close(file);
  if (info.frames <= 0) return "the file holds no sound";
  return {};
}

}  // namespace

std::string InputModuleNameFor(const std::string& file) {
  std::string name = std::filesystem::path(file).filename().string();
  std::string::size_type dot = name.rfind('.');
  std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension == ".MP3" ? "mp3.dll" : "wave.dll";
}

std::string ConvertedSoundPath(const std::string& source) {
  return files::DerivedFileForReading(source, ConvertedSoundSuffix);
}

TSoundImporter::TSoundImporter(const TAudioModules& modules, TSoundImportOptions options)
    : FModules(modules), FOptions(options) {}

TSoundImporter::~TSoundImporter() {
  if (FInModule && FInModule->Stop) FInModule->Stop();
  FInModule = nullptr;
  FInputGetter = nullptr;
  FInputLibrary.reset();
  FOutModule = nullptr;
  FOutputGetter = nullptr;
  FOutputLibrary.reset();
}

void TSoundImporter::LoadInputModule(const std::string& libraryName) {
  FInModule = nullptr;
  FInputGetter = nullptr;
  FInputLibrary.reset();
  FInputLibrary = FModules.Load(libraryName);
  if (FInputLibrary) FInputGetter = FInputLibrary->FindInModuleGetter(InModuleExport);
  if (!FInputGetter) throw TSoundImportError("Failed to load input plugin !", libraryName);
  FInModule = FInputGetter();
  if (!FInModule) throw TSoundImportError("Load input plugin first !", libraryName);

  FInModule->hMainWindow = FOptions.AppWindow;
  FInModule->hDllInstance = FInputLibrary.get();
  if (FInModule->Init) FInModule->Init();
  SetCallbacks(*FInModule);
}

void TSoundImporter::LoadOutputModule() {
  FOutModule = nullptr;
  if (FInModule) FInModule->outMod = nullptr;
  FOutputGetter = nullptr;
  FOutputLibrary.reset();
  FOutputLibrary = FModules.Load("sound.dll");
  if (FOutputLibrary) FOutputGetter = FOutputLibrary->FindOutModuleGetter(OutModuleExport);
  if (FOutputGetter) FOutModule = FOutputGetter();
  // A getter that gives no module is as unusable as a missing library.
  if (!FOutModule) throw TSoundImportError("Failed to load output plugin !", "sound.dll");

  FOutModule->hMainWindow = FOptions.AppWindow;
  FOutModule->hDllInstance = FOutputLibrary.get();
  if (FOutModule->Init) FOutModule->Init();
  if (FOutModule->SetVolume) FOutModule->SetVolume(128);
  FInModule->outMod = FOutModule;
  if (FOutModule->Config) FOutModule->Config(FOptions.AppWindow);
}

// Polls until the output has caught up with the input's length. Sets `failure` when it
// stops making progress or takes far longer than the sound lasts.
void TSoundImporter::WaitForOutput(const std::function<void()>& pumpEvents, std::string& failure) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  Clock::time_point lastProgress = start;
  int lastOutputTime = -1;
  for (;;) {
    const int outputTime = FOutModule->GetOutputTime ? FOutModule->GetOutputTime() : 0;
    const int length = FInModule->GetLength ? FInModule->GetLength() : 0;
    // At least the length rather than equal: a module that overshoots must not hang us.
    if (outputTime >= length) return;

    const Clock::time_point now = Clock::now();
    if (outputTime != lastOutputTime) {
      lastOutputTime = outputTime;
      lastProgress = now;
    }
    const auto allowed =
        FOptions.Margin + FOptions.RealTimeFactor * std::chrono::milliseconds(length);
    if (now - lastProgress > FOptions.StallTimeout || now - start > allowed) {
      failure = "the sound modules did not finish";
      return;
    }
    if (pumpEvents) pumpEvents();
    std::this_thread::sleep_for(FOptions.PollInterval);
  }
}

std::string TSoundImporter::Import(const std::string& source,
                                   const std::function<void()>& pumpEvents,
                                   const std::string& target) {
  LoadInputModule(InputModuleNameFor(source));
  LoadOutputModule();

  const std::string failureText = "Can not import " + source;
  const std::string destination =
      target.empty() ? files::DerivedFileForWriting(source, ConvertedSoundSuffix) : target;
  std::unique_ptr<TPendingFile> pending;
  try {
    pending = std::make_unique<TPendingFile>(destination);
  } catch (const std::exception& error) {
    throw TSoundImportError(failureText, error.what());
  }
  FOutModule->OutputFile = pending->TempPath();

  std::string failure;
  try {
    if (!FInModule->Play || FInModule->Play(source) != 0) {
      failure = ErrorOf(FInModule->GetErrorMessage);
      if (failure.empty()) failure = "the input module cannot play the file";
    }
    WaitForOutput(pumpEvents, failure);
  } catch (...) {
    // The caller's event handling threw: end decoding before the error goes on.
    if (FInModule->Stop) FInModule->Stop();
    throw;
  }
  if (FInModule->Stop) FInModule->Stop();

  if (failure.empty()) failure = ErrorOf(FInModule->GetErrorMessage);
  if (failure.empty()) failure = ErrorOf(FOutModule->GetErrorMessage);
  if (failure.empty()) failure = CheckWritten(pending->TempPath());
  if (!failure.empty()) throw TSoundImportError(failureText, failure);

  try {
    pending->Commit();
  } catch (const std::exception& error) {
    throw TSoundImportError(failureText, error.what());
  }
  return destination;
}

std::string ImportSound(const std::string& source, const std::function<void()>& pumpEvents,
                        const TSoundImportOptions& options, const std::string& destination) {
  TSoundImporter importer(TAudioModules::Standard(), options);
  return importer.Import(source, pumpEvents, destination);
}

}  // namespace plugins
