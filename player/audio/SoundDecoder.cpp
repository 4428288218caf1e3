#include "player/audio/SoundDecoder.h"

#include <algorithm>

#include "player/audio/AdpcmDecoder.h"
#include "player/audio/Mp3Decoder.h"
#include "swf/format/SwfError.h"

namespace player {

int SoundRate(const swf::TSoundFormat& format) {
  static const int rates[4] = {5512, 11025, 22050, 44100};
  return rates[format.RateCode & 3];
}

TPcmSound DecodePcm(const swf::TSoundFormat& format, const uint8_t* data, size_t size) {
  TPcmSound sound;
  sound.Rate = SoundRate(format);
  sound.Channels = format.Stereo ? 2 : 1;
  const size_t bytesPerSample = format.Is16Bit ? 2 : 1;
  size_t frames = size / (bytesPerSample * sound.Channels);
  frames = std::min(frames, MaxSoundFrames);
  const size_t count = frames * sound.Channels;
  sound.Samples.resize(count);
  for (size_t i = 0; i < count; ++i) {
    if (format.Is16Bit) {
      // "Native" and little-endian PCM are both read as little-endian, as every player does.
      sound.Samples[i] = static_cast<int16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    } else {
      sound.Samples[i] = static_cast<int16_t>((data[i] - 128) << 8);  // 8-bit is unsigned
    }
  }
  return sound;
}

namespace {

// MP3 in DefineSound: i16 SeekSamples (encoder delay to drop), then the MP3 frames.
TPcmSound DecodeDefineSoundMp3(const uint8_t* data, size_t size) {
  if (size < 2) throw swf::TSwfError("MP3 sound without data");
  const int seek = static_cast<int16_t>(data[0] | (data[1] << 8));
  TPcmSound sound = DecodeMp3(data + 2, size - 2);
  if (seek > 0) {
    const size_t drop = std::min<size_t>(seek, sound.Frames());
    sound.Samples.erase(sound.Samples.begin(), sound.Samples.begin() + drop * sound.Channels);
  }
  return sound;
}

}  // namespace

TPcmSound DecodeSound(const swf::TSoundFormat& format, uint32_t sampleCount, const uint8_t* data,
                      size_t size) {
  TPcmSound sound;
  using swf::TSoundCodec;
  switch (format.Codec) {
    case TSoundCodec::PcmNative:
    case TSoundCodec::PcmLittleEndian:
      sound = DecodePcm(format, data, size);
      break;
    case TSoundCodec::Adpcm:
      sound = DecodeAdpcm(data, size, format.Stereo ? 2 : 1, SoundRate(format));
      break;
    case TSoundCodec::Mp3:
      sound = DecodeDefineSoundMp3(data, size);
      break;
    default:
      throw swf::TSwfError("Sound codec " + std::to_string(static_cast<int>(format.Codec)) + " is not supported");
  }
  if (sampleCount > 0 && sound.Frames() > sampleCount) {
    sound.Samples.resize(static_cast<size_t>(sampleCount) * sound.Channels);
  }
  return sound;
}

}  // namespace player
