#include "plugins/DecodingInModule.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "platform/InputFile.h"

namespace plugins {

namespace {

// Frames per block handed to the output: about 23 ms at 44.1 kHz.
constexpr size_t BlockFrames = 1024;
// A sound processor may return up to twice the frames it was given.
constexpr size_t BlockCapacity = 2 * BlockFrames;

}  // namespace

TDecodingInModule::TDecodingInModule(std::string description, std::string extensions,
                                     TDecoderFactory makeDecoder)
    : FMakeDecoder(makeDecoder) {
  this->description = std::move(description);
  FileExtensions = std::move(extensions);
  is_seekable = 0;
  UsesOutputPlug = 1;

  Config = [](THandle) {};
  About = [](THandle) {};
  Init = [] {};
  Quit = [this] { DoStop(); };
  IsOurFile = [](const std::string&) { return 0; };  // the extension decides
  Play = [this](const std::string& file) { return DoPlay(file); };
  Pause = [this] { FPaused = true; };
  UnPause = [this] { FPaused = false; };
  IsPaused = [this] { return FPaused ? 1 : 0; };
  Stop = [this] { DoStop(); };
  GetLength = [this] { return DoGetLength(); };
  GetOutputTime = [this] { return outMod && outMod->GetOutputTime ? outMod->GetOutputTime() : 0; };
  SetOutputTime = [](int) {};  // not seekable
  SetVolume = [this](int volume) {
    if (outMod && outMod->SetVolume) outMod->SetVolume(volume);
  };
  SetPan = [this](int pan) {
    if (outMod && outMod->SetPan) outMod->SetPan(pan);
  };
  GetErrorMessage = [this] {
    std::lock_guard<std::mutex> guard(FLock);
    return FError;
  };
}

TDecodingInModule::~TDecodingInModule() { DoStop(); }

int64_t TDecodingInModule::FramesToMs(int64_t frames) const {
  // The output converts its frame count the same way, so the two times meet exactly.
  return FSampleRate > 0 ? frames * 1000 / FSampleRate : 0;
}

void TDecodingInModule::SetError(const std::string& reason) {
  std::lock_guard<std::mutex> guard(FLock);
  if (FError.empty()) FError = reason;
}

int TDecodingInModule::DoGetLength() {
  std::lock_guard<std::mutex> guard(FLock);
  if (!FDecoding) return static_cast<int>(FLengthMs);
  // Stay ahead of what was delivered until the end, so the output cannot meet the length
  // while blocks are still to come, even when the expected length was too short.
  return static_cast<int>(std::max(FExpectedMs, FramesToMs(FDeliveredFrames) + 1));
}

int TDecodingInModule::FailPlay(const std::string& reason) {
  FDecoder.reset();
  int outputTime = outMod && outMod->GetOutputTime ? outMod->GetOutputTime() : 0;
  std::lock_guard<std::mutex> guard(FLock);
  FError = reason;
  FDecoding = false;
  // Equal to the output's time, so a caller waiting for the two to meet stops at once.
  FLengthMs = outputTime;
  return 1;
}

int TDecodingInModule::DoPlay(const std::string& file) {
  DoStop();
  {
    std::lock_guard<std::mutex> guard(FLock);
    FError.clear();
    FDecoding = false;
    FDeliveredFrames = 0;
    FExpectedMs = 0;
    FLengthMs = 0;
    FSampleRate = 0;
  }
  FStopRequested = false;
  FPaused = false;

  if (!outMod || !outMod->Open || !outMod->Write || !outMod->Close)
    return FailPlay("no output module");

  // A device or pipe could block the open or never end; only plain files are decoded.
  std::error_code ignored;
  if (const std::string kind = files::NotAFileKind(file); !kind.empty())
    return FailPlay("it is " + kind + ", not a sound file");
  if (!std::filesystem::is_regular_file(file, ignored)) return FailPlay("no such sound file");

  FDecoder = FMakeDecoder();
  try {
    FDecoder->Open(file);
  } catch (const std::exception& error) {
    return FailPlay(error.what());
  }
  const int rate = FDecoder->SampleRate();
  const int channels = FDecoder->Channels();

  int latency = outMod->Open(rate, channels, 16, -1, -1);
  if (latency < 0) {
    std::string reason = "the output refused the sound";
    if (outMod->GetErrorMessage && !outMod->GetErrorMessage().empty())
      reason = outMod->GetErrorMessage();
    return FailPlay(reason);
  }
  FOutput = outMod;

  {
    std::lock_guard<std::mutex> guard(FLock);
    FSampleRate = rate;
    int64_t expected = FDecoder->ExpectedFrames();
    FExpectedMs = expected > 0 ? FramesToMs(expected) : 0;
    FDecoding = true;
  }
  if (SetInfo) SetInfo(FDecoder->BitrateKbps(), rate / 1000, channels > 1 ? 1 : 0, 1);
  if (SAVSAInit) SAVSAInit(latency, rate);
  if (VSASetInfo) VSASetInfo(rate, channels);

  try {
    FThread = std::thread([this] { Run(); });
  } catch (const std::exception& error) {
    FOutput->Close();
    FOutput = nullptr;
    return FailPlay(std::string("cannot start decoding: ") + error.what());
  }
  return 0;
}

void TDecodingInModule::Deliver(int16_t* samples, size_t frames, size_t capacityFrames) {
  const int rate = FDecoder->SampleRate();
  const int channels = FDecoder->Channels();
  int timestamp;
  {
    std::lock_guard<std::mutex> guard(FLock);
    timestamp = static_cast<int>(FramesToMs(FDeliveredFrames));
  }
  if (SAAddPCMData) SAAddPCMData(samples, channels, 16, timestamp);
  if (VSAAddPCMData) VSAAddPCMData(samples, channels, 16, timestamp);
  if (dsp_isactive && dsp_dosamples && dsp_isactive()) {
    int processed = dsp_dosamples(samples, static_cast<int>(frames), 16, channels, rate);
    frames = static_cast<size_t>(std::clamp<int>(processed, 0, static_cast<int>(capacityFrames)));
  }
  if (frames == 0) return;

  const int bytes = static_cast<int>(frames * channels * sizeof(int16_t));
  // A file output always has room; a player output fills up and drains.
  while (FOutput->CanWrite && FOutput->CanWrite() < bytes && !FStopRequested)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (FStopRequested) return;
  if (FOutput->Write(reinterpret_cast<const char*>(samples), bytes) != 0) {
    std::string reason = "the decoded sound could not be written";
    if (FOutput->GetErrorMessage && !FOutput->GetErrorMessage().empty())
      reason = FOutput->GetErrorMessage();
    throw std::runtime_error(reason);
  }
  std::lock_guard<std::mutex> guard(FLock);
  FDeliveredFrames += static_cast<int64_t>(frames);
}

void TDecodingInModule::Run() {
  const size_t channels = static_cast<size_t>(FDecoder->Channels());
  std::vector<int16_t> block(BlockCapacity * channels);
  try {
    while (!FStopRequested) {
      if (FPaused) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        continue;
      }
      size_t frames = FDecoder->Read(block.data(), BlockFrames);
      if (frames == 0) break;
      Deliver(block.data(), frames, BlockCapacity);
    }
  } catch (const std::exception& error) {
    SetError(error.what());
  }
  std::lock_guard<std::mutex> guard(FLock);
  FLengthMs = FramesToMs(FDeliveredFrames);
  FDecoding = false;
}

void TDecodingInModule::DoStop() {
  FStopRequested = true;
  if (FThread.joinable()) FThread.join();
  {
    std::lock_guard<std::mutex> guard(FLock);
    if (FDecoding) {  // stopped before the end: the length is what got through
      FLengthMs = FramesToMs(FDeliveredFrames);
      FDecoding = false;
    }
  }
  if (FOutput) {
    FOutput->Close();
    FOutput = nullptr;
    if (SAVSADeInit) SAVSADeInit();
  }
  FDecoder.reset();
}

}  // namespace plugins
