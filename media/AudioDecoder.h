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

  // A sound longer than this is refused (a card's sound is a song, not a day of noise).
  static constexpr std::int64_t MaxSeconds = 3 * 60 * 60;

 private:
  struct TState;
  std::unique_ptr<TState> F;
};

// True when the file's first bytes are those of a sound kind FFmpeg reads that the program
// has no other decoder for (not RIFF WAVE, AIFF or MP3).
bool NeedsAudioDecoder(const std::string& path);

}  // namespace media
