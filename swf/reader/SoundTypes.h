// Parsed sounds: DefineSound, StartSound/StartSound2 with SOUNDINFO, and streaming sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace swf {

enum class TSoundCodec : uint8_t {
  PcmNative = 0,
  Adpcm = 1,
  Mp3 = 2,
  PcmLittleEndian = 3,
  Nellymoser16k = 4,
  Nellymoser8k = 5,
  Nellymoser = 6,
  Speex = 11,
};

// The sound format byte: ub[4] codec, ub[2] rate, ub[1] 16-bit, ub[1] stereo.
struct TSoundFormat {
  TSoundCodec Codec = TSoundCodec::PcmLittleEndian;
  uint8_t RateCode = 0;  // 0 5.5 kHz, 1 11 kHz, 2 22 kHz, 3 44 kHz
  bool Is16Bit = true;
  bool Stereo = false;
  uint32_t SampleRate() const;  // Hz: 5512, 11025, 22050 or 44100
  int Channels() const { return Stereo ? 2 : 1; }
  bool operator==(const TSoundFormat&) const = default;
};

struct TSound {
  uint16_t Id = 0;
  TSoundFormat Format;
  uint32_t SampleCount = 0;  // sample frames per channel
  std::vector<uint8_t> Data; // MP3: starts with i16 SeekSamples
  bool operator==(const TSound&) const = default;
};

struct TSoundEnvelopePoint {
  uint32_t Position44 = 0;  // in 44.1 kHz samples
  uint16_t LeftLevel = 0, RightLevel = 0;  // 32768 = full
  bool operator==(const TSoundEnvelopePoint&) const = default;
};

struct TSoundInfo {
  bool SyncStop = false;        // stop every instance of the sound
  bool SyncNoMultiple = false;  // start only if not already playing
  std::optional<uint32_t> InPoint, OutPoint;  // 44.1 kHz samples
  std::optional<uint16_t> LoopCount;          // absent: play once
  std::vector<TSoundEnvelopePoint> Envelope;
  bool operator==(const TSoundInfo&) const = default;
};

// StartSound (by id) or StartSound2 (by class name, which this player cannot resolve).
struct TStartSound {
  uint16_t SoundId = 0;
  std::string ClassName;  // StartSound2 only
  TSoundInfo Info;
  bool operator==(const TStartSound&) const = default;
};

struct TSoundStreamHead {
  uint8_t Version = 1;  // 1 = SoundStreamHead, 2 = SoundStreamHead2
  TSoundFormat Playback;
  TSoundFormat Stream;
  uint16_t SamplesPerFrame = 0;  // average
  int16_t LatencySeek = 0;       // MP3 only
  bool operator==(const TSoundStreamHead&) const = default;
};

// The stream's data for the frame it is in. MP3: u16 sample count, i16 seek, frames.
struct TSoundStreamBlock {
  std::vector<uint8_t> Data;
  bool operator==(const TSoundStreamBlock&) const = default;
};

}  // namespace swf
