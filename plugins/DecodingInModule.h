// An input module built around a PCM decoder: Play opens the file and starts a thread that
// hands the decoded blocks to the output module, with the program's callbacks in between.
// The mp3 and wave modules differ only in their decoder.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "plugins/AudioModule.h"

namespace plugins {

// Reads one file as interleaved signed 16-bit PCM. Errors are thrown as std::runtime_error
// with a short reason ("not an MPEG audio file", ...).
class TPcmDecoder {
 public:
  virtual ~TPcmDecoder() = default;
  virtual void Open(const std::string& file) = 0;
  virtual int SampleRate() const = 0;
  virtual int Channels() const = 0;
  virtual int64_t ExpectedFrames() const = 0;  // frames per channel, -1 when unknown
  virtual int BitrateKbps() const { return 0; }
  // Up to `maxFrames` frames into `buffer` (room for maxFrames * Channels() samples);
  // 0 at the end of the audio.
  virtual size_t Read(int16_t* buffer, size_t maxFrames) = 0;
};

class TDecodingInModule : public TInModule {
 public:
  using TDecoderFactory = std::unique_ptr<TPcmDecoder> (*)();

  TDecodingInModule(std::string description, std::string extensions, TDecoderFactory makeDecoder);
  ~TDecodingInModule() override;

 private:
  int DoPlay(const std::string& file);
  int FailPlay(const std::string& reason);
  void DoStop();
  int DoGetLength();
  void Run();
  void Deliver(int16_t* samples, size_t frames, size_t capacityFrames);
  int64_t FramesToMs(int64_t frames) const;
  void SetError(const std::string& reason);

  TDecoderFactory FMakeDecoder;
  std::unique_ptr<TPcmDecoder> FDecoder;
  std::thread FThread;
  std::atomic<bool> FStopRequested{false};
  std::atomic<bool> FPaused{false};
  TOutModule* FOutput = nullptr;  // the output opened by Play, closed by Stop

  // Shared with the polling thread.
  mutable std::mutex FLock;
  bool FDecoding = false;        // between a successful Play and the end of the audio
  int64_t FDeliveredFrames = 0;  // frames the output has accepted
  int64_t FExpectedMs = 0;
  int64_t FLengthMs = 0;  // the length once decoding has ended or failed
  int FSampleRate = 0;
  std::string FError;
};

}  // namespace plugins
