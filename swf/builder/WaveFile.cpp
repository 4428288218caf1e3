#include "swf/builder/WaveFile.h"

#include <cstring>

#include "swf/builder/FileIo.h"
#include "swf/format/SwfError.h"

namespace swf {
namespace {

constexpr size_t MaxWaveBytes = 256u << 20;
constexpr uint16_t FormatPcm = 1;
constexpr uint16_t FormatExtensible = 0xFFFE;

uint16_t U16At(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32At(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

}  // namespace

int PcmMonoFormat(uint32_t sampleRate) {
  int rateCode;
  switch (sampleRate) {
    case 5512: case 5513: rateCode = 0; break;
    case 11025: rateCode = 1; break;
    case 22050: rateCode = 2; break;
    case 44100: rateCode = 3; break;
    default: return -1;
  }
  // Format 3 (PCM little-endian), rate, 16-bit, mono.
  return 3 << 4 | rateCode << 2 | 1 << 1;
}

std::shared_ptr<TSoundData> ReadWaveFile(const std::string& path) {
  std::vector<uint8_t> file = ReadFileBytes(path, MaxWaveBytes, "sound");
  const std::string notMono16 = "Please use a 16-bit mono wave file: " + path;
  if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0) {
    throw TSwfError(notMono16);
  }
  const uint8_t* fmt = nullptr;
  size_t dataStart = 0, dataSize = 0;
  bool hasData = false;
  size_t pos = 12;
  while (pos + 8 <= file.size()) {
    const uint8_t* id = file.data() + pos;
    uint64_t size = U32At(id + 4);
    size_t bodyStart = pos + 8;
    size_t available = file.size() - bodyStart;
    if (std::memcmp(id, "fmt ", 4) == 0) {
      if (size < 16 || size > available) throw TSwfError(notMono16);
      fmt = file.data() + bodyStart;
    } else if (std::memcmp(id, "data", 4) == 0 && !hasData) {
      hasData = true;
      dataStart = bodyStart;
      dataSize = static_cast<size_t>(std::min<uint64_t>(size, available));
    }
    if (size > available) break;
    pos = bodyStart + static_cast<size_t>(size) + (size & 1);  // chunks are padded to even lengths
  }
  if (!fmt || !hasData) throw TSwfError(notMono16);
  uint16_t formatTag = U16At(fmt);
  uint16_t channels = U16At(fmt + 2);
  uint32_t sampleRate = U32At(fmt + 4);
  uint16_t bits = U16At(fmt + 14);
  if (formatTag == FormatExtensible) {
    uint32_t fmtSize = U32At(fmt - 4);
    // WAVEFORMATEXTENSIBLE: the sub-format GUID starts with the real format tag.
    formatTag = fmtSize >= 40 ? U16At(fmt + 24) : 0;
  }
  if (formatTag != FormatPcm || channels != 1 || bits != 16) throw TSwfError(notMono16);
  int format = PcmMonoFormat(sampleRate);
  if (format < 0) {
    throw TSwfError("The sound's sample rate must be 5512, 11025, 22050 or 44100 Hz (not " +
                    std::to_string(sampleRate) + "): " + path);
  }
  auto sound = std::make_shared<TSoundData>();
  sound->Format = static_cast<uint8_t>(format);
  dataSize &= ~static_cast<size_t>(1);  // whole 16-bit samples only
  sound->Samples.assign(file.begin() + static_cast<std::ptrdiff_t>(dataStart),
                        file.begin() + static_cast<std::ptrdiff_t>(dataStart + dataSize));
  sound->SampleCount = static_cast<uint32_t>(dataSize / 2);
  return sound;
}

}  // namespace swf
