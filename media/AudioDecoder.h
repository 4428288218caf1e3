// Sound files of every common kind (M4A/AAC, Ogg Vorbis, Opus, FLAC, MP3, WAV and what else
// FFmpeg's libraries read) decoded into interleaved signed 16-bit samples, read block by
// block so a long file never lies whole in memory. The files are untrusted: channel count,
// rate and length are checked, and a damaged stream is an error naming the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace media {

class TAudioDecoder {
 public:
  // Opens the file and finds its first sound stream. Throws TMediaError.
  explicit TAudioDecoder(const std::string& path);
  ~TAudioDecoder();
  TAudioDecoder(const TAudioDecoder&) = delete;
  TAudioDecoder& operator=(const TAudioDecoder&) = delete;

  int SampleRate() const;
  int Channels() const;
  // Sample frames the file declares; -1 when it does not say.
  std::int64_t ExpectedFrames() const;
  // Up to maxFrames frames into `buffer` (room for maxFrames * Channels() samples); 0 at the
  // end. Throws TMediaError when the stream is damaged or longer than MaxSeconds.
  std::size_t Read(std::int16_t* buffer, std::size_t maxFrames);

  // A sound longer than this is refused: a card's sound is a song, and a tiny file that
  // unpacks into days of silence must not fill the disk with its converted copy.
  static constexpr std::int64_t MaxSeconds = 60 * 60;

 private:
  struct TState;
  std::unique_ptr<TState> F;
};

// True when the file's first bytes are those of a kind read through this decoder: MP4/M4A
// (AAC, ALAC), Ogg (Vorbis, Opus, FLAC), FLAC, ADTS AAC, Matroska/WebM. WAV, AIFF and MP3
// have their own decoders, and anything unrecognised is not handed to FFmpeg's guessing.
bool NeedsAudioDecoder(const std::string& path);

}  // namespace media
