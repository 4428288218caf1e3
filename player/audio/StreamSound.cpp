#include "player/audio/StreamSound.h"

#include <algorithm>
#include <optional>

#include "player/audio/AdpcmDecoder.h"
#include "player/audio/Mp3Decoder.h"
#include "player/audio/SoundDecoder.h"

namespace player {

uint32_t TStreamSound::InPointOf(uint32_t frame) const {
  if (!Sound || FrameStart.empty() || Sound->Rate <= 0) return 0;
  const size_t start = FrameStart[std::min<size_t>(frame, FrameStart.size() - 1)];
  return static_cast<uint32_t>(static_cast<double>(start) * 44100 / Sound->Rate);
}

namespace {

void Append(TPcmSound& to, const TPcmSound& block) {
  const size_t room = MaxSoundFrames * to.Channels - std::min(to.Samples.size(), MaxSoundFrames * to.Channels);
  to.Samples.insert(to.Samples.end(), block.Samples.begin(),
                    block.Samples.begin() + std::min(room, block.Samples.size()));
}

}  // namespace

TStreamSound DecodeStreamSound(const swf::TTimeline& timeline) {
  TStreamSound stream;
  std::optional<swf::TSoundStreamHead> head;
  for (uint32_t f = 0; f < timeline.FramesKept() && !head; ++f) head = timeline.FrameAt(f)->StreamHead;
  if (!head) return stream;
  const swf::TSoundFormat format = head->Stream;
  auto sound = std::make_shared<TPcmSound>();
  sound->Rate = SoundRate(format);
  sound->Channels = format.Stereo ? 2 : 1;
  std::vector<uint8_t> mp3;  // the MP3 frames of all blocks, decoded in one run
  size_t mp3Samples = 0;
  try {
    for (uint32_t f = 0; f < timeline.FramesKept(); ++f) {
      const std::shared_ptr<const swf::TFrame> tags = timeline.FrameAt(f);
      const swf::TFrame& frame = *tags;
      stream.FrameStart.push_back(format.Codec == swf::TSoundCodec::Mp3 ? mp3Samples : sound->Frames());
      for (const swf::TSoundStreamBlock& block : frame.StreamBlocks) {
        const std::vector<uint8_t>& data = block.Data;
        switch (format.Codec) {
          case swf::TSoundCodec::PcmNative:
          case swf::TSoundCodec::PcmLittleEndian:
            Append(*sound, DecodePcm(format, data.data(), data.size()));
            break;
          case swf::TSoundCodec::Adpcm:
            Append(*sound, DecodeAdpcm(data.data(), data.size(), sound->Channels, sound->Rate));
            break;
          case swf::TSoundCodec::Mp3:
            // u16 samples in this block, i16 seek samples, then MP3 frames.
            if (data.size() > 4 && mp3.size() + data.size() <= (64u << 20)) {
              mp3Samples += static_cast<size_t>(data[0] | (data[1] << 8));
              mp3.insert(mp3.end(), data.begin() + 4, data.end());
            }
            break;
          default:
            return {};
        }
      }
    }
    if (format.Codec == swf::TSoundCodec::Mp3) {
      if (mp3.empty()) return {};
      TPcmSound decoded = DecodeMp3(mp3.data(), mp3.size());
      sound->Rate = decoded.Rate;
      sound->Channels = decoded.Channels;
      sound->Samples = std::move(decoded.Samples);
    }
  } catch (const std::exception&) {
    if (sound->Samples.empty()) return {};
  }
  if (sound->Samples.empty()) return {};
  stream.Sound = std::move(sound);
  return stream;
}

}  // namespace player
