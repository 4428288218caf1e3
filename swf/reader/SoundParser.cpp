// DefineSound, StartSound/StartSound2 (SOUNDINFO) and SoundStreamHead/2.
#include "swf/reader/ParseLimits.h"
#include "swf/reader/TagParsers.h"

namespace swf {

uint32_t TSoundFormat::SampleRate() const {
  // These two codecs have their own rate whatever the rate bits say.
  if (Codec == TSoundCodec::Nellymoser16k) return 16000;
  if (Codec == TSoundCodec::Nellymoser8k) return 8000;
  static const uint32_t rates[4] = {5512, 11025, 22050, 44100};
  return rates[RateCode & 3];
}

TSoundFormat ParseSoundFormat(uint8_t byte) {
  TSoundFormat f;
  f.Codec = static_cast<TSoundCodec>(byte >> 4);
  f.RateCode = (byte >> 2) & 3;
  f.Is16Bit = (byte >> 1) & 1;
  f.Stereo = byte & 1;
  return f;
}

TSound ParseDefineSound(TSwfBitReader& r) {
  TSound sound;
  sound.Id = r.U16();
  sound.Format = ParseSoundFormat(r.U8());
  sound.SampleCount = r.U32();
  size_t n = r.Remaining();
  const uint8_t* data = r.Bytes(n);
  sound.Data.assign(data, data + n);
  return sound;
}

TSoundInfo ParseSoundInfo(TSwfBitReader& r) {
  TSoundInfo info;
  uint8_t flags = r.U8();
  info.SyncStop = flags & 0x20;
  info.SyncNoMultiple = flags & 0x10;
  if (flags & 0x01) info.InPoint = r.U32();
  if (flags & 0x02) info.OutPoint = r.U32();
  if (flags & 0x04) info.LoopCount = r.U16();
  if (flags & 0x08) {
    uint8_t points = r.U8();
    CheckCount(r, points, 8, "envelope points");
    info.Envelope.reserve(points);
    for (int i = 0; i < points; ++i) {
      TSoundEnvelopePoint p;
      p.Position44 = r.U32();
      p.LeftLevel = r.U16();
      p.RightLevel = r.U16();
      info.Envelope.push_back(p);
    }
  }
  return info;
}

TStartSound ParseStartSound(TSwfBitReader& r, int version) {
  TStartSound start;
  if (version == 2)
    start.ClassName = r.String();
  else
    start.SoundId = r.U16();
  start.Info = ParseSoundInfo(r);
  return start;
}

TSoundStreamHead ParseSoundStreamHead(TSwfBitReader& r, int version) {
  TSoundStreamHead head;
  head.Version = static_cast<uint8_t>(version);
  head.Playback = ParseSoundFormat(r.U8() & 0x0F);
  head.Stream = ParseSoundFormat(r.U8());
  head.SamplesPerFrame = r.U16();
  // MP3 streams add a latency seek, which some writers leave out.
  if (head.Stream.Codec == TSoundCodec::Mp3 && r.Remaining() >= 2) head.LatencySeek = r.I16();
  return head;
}

}  // namespace swf
