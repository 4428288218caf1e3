#include "media/AudioDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cstring>
#include <vector>

#include "media/MediaError.h"
#include "media/PictureKind.h"

namespace media {

namespace {

constexpr int MaxChannels = 64;
constexpr int MinRate = 1000;
constexpr int MaxRate = 768000;

std::string AvText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

struct TAudioDecoder::TState {
  std::string Path;
  AVFormatContext* Format = nullptr;
  AVCodecContext* Codec = nullptr;
  SwrContext* Resampler = nullptr;
  AVPacket* Packet = nullptr;
  AVFrame* Frame = nullptr;
  int Stream = -1;
  int Rate = 0;
  int ChannelCount = 0;
  std::int64_t Expected = -1;
  std::int64_t Delivered = 0;
  std::vector<std::int16_t> Pending;  // converted samples not yet handed out
  std::size_t PendingAt = 0;
  AVChannelLayout OutLayout{};  // the sound's own channels, kept whatever the frames bring
  int InChannels = 0, InRate = 0; // what the resampler is set up to take
  AVSampleFormat InFormat = AV_SAMPLE_FMT_NONE;
  bool InputEnded = false;
  bool DecoderDrained = false;

  ~TState() {
    av_frame_free(&Frame);
    av_packet_free(&Packet);
    swr_free(&Resampler);
    av_channel_layout_uninit(&OutLayout);
    avcodec_free_context(&Codec);
    avformat_close_input(&Format);
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw TMediaError("Can not read the sound file \"" + Path + "\" (" + reason + ").");
  }

  // Sets the resampler up from frames of this kind to the sound's own channels and rate as
  // 16-bit samples.
  void SetUpResampler(const AVChannelLayout& inLayout, AVSampleFormat inFormat, int inRate) {
    AVChannelLayout in = inLayout;
    if (in.order == AV_CHANNEL_ORDER_UNSPEC) av_channel_layout_default(&in, in.nb_channels);
    swr_free(&Resampler);
    const int result = swr_alloc_set_opts2(&Resampler, &OutLayout, AV_SAMPLE_FMT_S16, Rate, &in, inFormat, inRate, 0, nullptr);
    if (result < 0 || swr_init(Resampler) < 0) Fail("unsupported sample format");
    InChannels = in.nb_channels;
    InFormat = inFormat;
    InRate = inRate;
  }

  // Converts the decoded frame into Pending. A stream may change its channels, sample format
  // or rate from one frame to the next (a damaged or spliced file does): the resampler
  // follows, and the samples keep the sound's first channels and rate.
  void Convert() {
    const int count = Frame->nb_samples;
    if (count <= 0) return;
    const int channels = Frame->ch_layout.nb_channels;
    if (channels < 1 || channels > MaxChannels) Fail("unsupported number of channels");
    if (Frame->sample_rate < MinRate || Frame->sample_rate > MaxRate) Fail("unsupported sample rate");
    const auto format = static_cast<AVSampleFormat>(Frame->format);
    if (channels != InChannels || format != InFormat || Frame->sample_rate != InRate)
      SetUpResampler(Frame->ch_layout, format, Frame->sample_rate);
    // A higher input rate gives more samples than it takes: room for them and the delay.
    const std::int64_t room = av_rescale_rnd(swr_get_delay(Resampler, InRate) + count, Rate, InRate, AV_ROUND_UP) + 64;
    if (room > std::int64_t(MaxRate) * 60) Fail("a frame too long");
    Pending.assign(std::size_t(room) * std::size_t(ChannelCount), 0);
    std::uint8_t* out = reinterpret_cast<std::uint8_t*>(Pending.data());
    const int made = swr_convert(Resampler, &out, int(room), const_cast<const std::uint8_t**>(Frame->extended_data), count);
    if (made < 0) Fail(AvText(made));
    Pending.resize(std::size_t(made) * std::size_t(ChannelCount));
    PendingAt = 0;
  }

  // Decodes until Pending holds samples or the stream has ended; false at the end.
  bool Refill() {
    while (PendingAt >= Pending.size()) {
      if (DecoderDrained) return false;
      int got = avcodec_receive_frame(Codec, Frame);
      if (got == 0) {
        Convert();
        av_frame_unref(Frame);
        continue;
      }
      if (got == AVERROR_EOF) {
        DecoderDrained = true;
        return false;
      }
      if (got != AVERROR(EAGAIN)) Fail(AvText(got));
      if (InputEnded) {
        avcodec_send_packet(Codec, nullptr);
        continue;
      }
      int read = av_read_frame(Format, Packet);
      if (read == AVERROR_EOF) {
        InputEnded = true;
        avcodec_send_packet(Codec, nullptr);
        continue;
      }
      if (read < 0) Fail(AvText(read));
      if (Packet->stream_index == Stream) {
        int sent = avcodec_send_packet(Codec, Packet);
        if (sent < 0 && sent != AVERROR_INVALIDDATA) Fail(AvText(sent));
      }
      av_packet_unref(Packet);
    }
    return true;
  }
};

TAudioDecoder::TAudioDecoder(const std::string& path) : F(std::make_unique<TState>()) {
  F->Path = path;
  av_log_set_level(AV_LOG_QUIET);
  int result = avformat_open_input(&F->Format, path.c_str(), nullptr, nullptr);
  if (result < 0) F->Fail(AvText(result));
  result = avformat_find_stream_info(F->Format, nullptr);
  if (result < 0) F->Fail(AvText(result));
  const AVCodec* codec = nullptr;
  F->Stream = av_find_best_stream(F->Format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (F->Stream < 0 || !codec) F->Fail("it holds no sound");
  const AVStream* stream = F->Format->streams[F->Stream];
  F->Codec = avcodec_alloc_context3(codec);
  if (!F->Codec || avcodec_parameters_to_context(F->Codec, stream->codecpar) < 0) F->Fail("out of memory");
  F->Codec->thread_count = 1;
  result = avcodec_open2(F->Codec, codec, nullptr);
  if (result < 0) F->Fail(AvText(result));

  F->Rate = F->Codec->sample_rate;
  F->ChannelCount = F->Codec->ch_layout.nb_channels;
  if (F->ChannelCount < 1 || F->ChannelCount > MaxChannels) F->Fail("unsupported number of channels");
  if (F->Rate < MinRate || F->Rate > MaxRate) F->Fail("unsupported sample rate");
  if (stream->duration > 0 && stream->time_base.den > 0)
    F->Expected = av_rescale_q(stream->duration, stream->time_base, AVRational{1, F->Rate});

  if (F->Codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) av_channel_layout_default(&F->OutLayout, F->ChannelCount);
  else if (av_channel_layout_copy(&F->OutLayout, &F->Codec->ch_layout) < 0) F->Fail("out of memory");
  F->SetUpResampler(F->Codec->ch_layout, F->Codec->sample_fmt, F->Rate);
  F->Packet = av_packet_alloc();
  F->Frame = av_frame_alloc();
  if (!F->Packet || !F->Frame) F->Fail("out of memory");
}

TAudioDecoder::~TAudioDecoder() = default;

int TAudioDecoder::SampleRate() const { return F->Rate; }
int TAudioDecoder::Channels() const { return F->ChannelCount; }
std::int64_t TAudioDecoder::ExpectedFrames() const { return F->Expected; }

std::size_t TAudioDecoder::Read(std::int16_t* buffer, std::size_t maxFrames) {
  std::size_t frames = 0;
  const std::size_t channels = std::size_t(F->ChannelCount);
  while (frames < maxFrames && F->Refill()) {
    const std::size_t available = (F->Pending.size() - F->PendingAt) / channels;
    const std::size_t take = std::min(available, maxFrames - frames);
    std::memcpy(buffer + frames * channels, F->Pending.data() + F->PendingAt, take * channels * sizeof(std::int16_t));
    F->PendingAt += take * channels;
    frames += take;
  }
  F->Delivered += static_cast<std::int64_t>(frames);
  if (F->Delivered > MaxSeconds * F->Rate) F->Fail("longer than an hour");
  return frames;
}

bool NeedsAudioDecoder(const std::string& path) {
  const std::vector<std::uint8_t> head = ReadFileHead(path, 12, "sound");
  const auto starts = [&](const char* text, std::size_t at = 0) {
    const std::size_t n = std::strlen(text);
    return head.size() >= at + n && std::memcmp(head.data() + at, text, n) == 0;
  };
  if (starts("ftyp", 4) || starts("OggS") || starts("fLaC") || starts("\x1A\x45\xDF\xA3")) return true;
  // ADTS AAC: the MPEG sync word with the layer bits 00, which MP3 never has.
  return head.size() >= 2 && head[0] == 0xFF && (head[1] & 0xF6) == 0xF0;
}

}  // namespace media
