#include "player/audio/Mp3Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <memory>

#include "swf/format/SwfError.h"

namespace player {

namespace {

struct THandleCloser {
  void operator()(mpg123_handle* handle) const {
    mpg123_close(handle);
    mpg123_delete(handle);
  }
};

}  // namespace

TPcmSound DecodeMp3(const uint8_t* data, size_t size, size_t maxFrames) {
  int error = MPG123_OK;
  std::unique_ptr<mpg123_handle, THandleCloser> handle(mpg123_new(nullptr, &error));
  if (!handle) throw swf::TSwfError("The MP3 decoder could not start");
  mpg123_handle* mh = handle.get();
  // Quiet: a damaged stream must not print to the console. No gapless trimming: the movie
  // states its own encoder delay.
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  mpg123_param(mh, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
  mpg123_format_none(mh);
  for (long rate : {8000L, 11025L, 12000L, 16000L, 22050L, 24000L, 32000L, 44100L, 48000L}) {
    mpg123_format(mh, rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  if (mpg123_open_feed(mh) != MPG123_OK) throw swf::TSwfError("The MP3 decoder could not start");
  if (size > 0 && mpg123_feed(mh, data, size) != MPG123_OK) {
    throw swf::TSwfError("The MP3 data could not be read");
  }

  TPcmSound sound;
  sound.Channels = 0;
  unsigned char buffer[16384];
  for (;;) {
    size_t done = 0;
    const int result = mpg123_read(mh, buffer, sizeof buffer, &done);
    if (result == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0, encoding = 0;
      mpg123_getformat(mh, &rate, &channels, &encoding);
      // A format change mid-stream (a damaged or spliced file) ends the sound there.
      if (sound.Channels != 0 && (sound.Channels != channels || sound.Rate != rate)) break;
      sound.Rate = static_cast<int>(rate);
      sound.Channels = channels;
      continue;
    }
    if (done > 0 && sound.Channels > 0) {
      const auto* samples = reinterpret_cast<const int16_t*>(buffer);
      size_t count = done / sizeof(int16_t);
      const size_t room = (maxFrames - sound.Frames()) * sound.Channels;
      count = std::min(count, room);
      sound.Samples.insert(sound.Samples.end(), samples, samples + count);
      if (sound.Frames() >= maxFrames) break;
    }
    if (result == MPG123_OK) continue;
    if (result == MPG123_NEED_MORE || result == MPG123_DONE) break;
    // Other errors: keep what decoded so far, as with any damaged stream.
    break;
  }
  if (sound.Channels == 0) throw swf::TSwfError("The MP3 data holds no sound");
  return sound;
}

}  // namespace player
