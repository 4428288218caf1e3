// The records through which the program and the audio modules talk: an input module that
// decodes a file on its own thread and drives an output module, which writes the samples.
//
// The members and their meaning follow the classic audio plug-in interface (member names
// included), so the importer is written against the protocol and not against one module.
// Members are std::function so that each loaded module keeps its own state; an empty member
// is one the module does not offer. Times are milliseconds; PCM is interleaved, signed
// (unsigned for 8 bits), little-endian as in memory.
#pragma once

#include <functional>
#include <string>

namespace plugins {

// An opaque window or library handle; the modules only store it.
using THandle = void*;

struct TOutModule;

// Input module: decodes one file at a time into the output module set in `outMod`.
struct TInModule {
  virtual ~TInModule() = default;  // a module may keep its decoder behind the record

  std::string description;
  std::string FileExtensions;  // "MP3;MP2", informative only: the program picks by name
  THandle hMainWindow = nullptr;
  THandle hDllInstance = nullptr;
  int is_seekable = 0;
  int UsesOutputPlug = 1;

  std::function<void(THandle parent)> Config;
  std::function<void(THandle parent)> About;
  std::function<void()> Init;
  std::function<void()> Quit;
  std::function<int(const std::string& file)> IsOurFile;

  // Opens the file and starts decoding on the module's own thread; 0 on success, non-zero
  // when the file cannot be decoded. After a failure GetLength equals the output's
  // GetOutputTime, so a caller waiting for the two to meet does not wait forever.
  std::function<int(const std::string& file)> Play;
  std::function<void()> Pause;
  std::function<void()> UnPause;
  std::function<int()> IsPaused;
  // Ends decoding, joins the thread and closes the output, leaving its file complete.
  std::function<void()> Stop;
  // Length of the playing file. While decoding it stays above what has been delivered; once
  // decoding has ended it is exactly the delivered audio, in the same rounding as the
  // output's GetOutputTime, so the two meet exactly when all was written.
  std::function<int()> GetLength;
  std::function<int()> GetOutputTime;
  std::function<void(int ms)> SetOutputTime;
  std::function<void(int volume)> SetVolume;  // 0..255
  std::function<void(int pan)> SetPan;        // -127..127

  // Callbacks the program sets; the decoding thread calls them.
  std::function<void(int maxLatencyMs, int sampleRate)> SAVSAInit;
  std::function<void()> SAVSADeInit;
  std::function<void(const void* pcm, int channels, int bits, int timestamp)> SAAddPCMData;
  std::function<int()> SAGetMode;
  std::function<void(const void* data, int timestamp, int csa)> SAAdd;
  std::function<void(const void* pcm, int channels, int bits, int timestamp)> VSAAddPCMData;
  std::function<int(int* specChannels, int* waveChannels)> VSAGetMode;
  std::function<void(const void* data, int timestamp)> VSAAdd;
  std::function<void(int sampleRate, int channels)> VSASetInfo;
  std::function<int()> dsp_isactive;
  // Returns the number of sample frames left after processing (may be the same buffer).
  std::function<int(short* samples, int frames, int bits, int channels, int sampleRate)>
      dsp_dosamples;
  std::function<void(int kbps, int khz, int stereo, int synched)> SetInfo;

  TOutModule* outMod = nullptr;

  // Why the last Play or its decoding failed, empty when it did not. The importer uses it
  // to report a file that broke off in the middle, which Play's result cannot tell.
  std::function<std::string()> GetErrorMessage;
};

// Output module: receives the decoded PCM from the input module's thread. GetOutputTime and
// GetWrittenTime may be polled from another thread.
struct TOutModule {
  virtual ~TOutModule() = default;

  std::string description;
  int id = 0;
  THandle hMainWindow = nullptr;
  THandle hDllInstance = nullptr;

  // Where a file-writing output puts its data; set by the program before Play.
  std::string OutputFile;

  std::function<void(THandle parent)> Config;
  std::function<void(THandle parent)> About;
  std::function<void()> Init;
  std::function<void()> Quit;
  // Returns the latency in ms (>= 0), or a negative value when the format is refused or the
  // output cannot be opened.
  std::function<int(int sampleRate, int channels, int bitsPerSample, int bufferLenMs,
                    int preBufferMs)>
      Open;
  std::function<void()> Close;
  // 0 when all `bytes` were accepted, non-zero on failure.
  std::function<int(const char* buffer, int bytes)> Write;
  std::function<int()> CanWrite;   // bytes Write accepts now without blocking
  std::function<int()> IsPlaying;  // non-zero while data is still queued
  std::function<int(int pause)> Pause;
  std::function<void(int volume)> SetVolume;  // 0..255
  std::function<void(int pan)> SetPan;
  std::function<void(int timeMs)> Flush;
  std::function<int()> GetOutputTime;   // ms of input audio fully handled
  std::function<int()> GetWrittenTime;  // ms of input audio received

  // Why opening or writing failed, empty when nothing did.
  std::function<std::string()> GetErrorMessage;
};

// The names under which a module library exports the getter of its record.
inline constexpr const char* InModuleExport = "winampGetInModule2";
inline constexpr const char* OutModuleExport = "winampGetOutModule";

}  // namespace plugins
