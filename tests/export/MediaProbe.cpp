#include "MediaProbe.h"

#include <cmath>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/pixdesc.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace exporttest {

struct TMediaProbe::TState {
  std::string Path;
  AVFormatContext* Format = nullptr;
};

TMediaProbe::TMediaProbe(const std::string& path) : FState(new TState{path}) {
  if (avformat_open_input(&FState->Format, path.c_str(), nullptr, nullptr) < 0) {
    delete FState;
    throw std::runtime_error("cannot open " + path);
  }
  avformat_find_stream_info(FState->Format, nullptr);
  FVideo = av_find_best_stream(FState->Format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  FAudio = av_find_best_stream(FState->Format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
}

TMediaProbe::~TMediaProbe() {
  avformat_close_input(&FState->Format);
  delete FState;
}

std::string TMediaProbe::FormatName() const { return FState->Format->iformat->name; }

double TMediaProbe::Duration() const {
  return FState->Format->duration > 0 ? FState->Format->duration / double(AV_TIME_BASE) : 0;
}

namespace {

TStreamFacts FactsOf(const AVFormatContext* format, int index) {
  TStreamFacts facts;
  if (index < 0) return facts;
  const AVStream* stream = format->streams[index];
  const AVCodecParameters* p = stream->codecpar;
  facts.Codec = avcodec_get_name(p->codec_id);
  facts.Width = p->width;
  facts.Height = p->height;
  if (p->codec_type == AVMEDIA_TYPE_VIDEO && p->format >= 0) {
    facts.PixelFormat = av_get_pix_fmt_name(static_cast<AVPixelFormat>(p->format));
  }
  facts.SampleRate = p->sample_rate;
  facts.Duration = stream->duration > 0 ? stream->duration * av_q2d(stream->time_base)
                                        : format->duration / double(AV_TIME_BASE);
  return facts;
}

struct TDecoder {
  AVCodecContext* Context = nullptr;
  explicit TDecoder(const AVStream* stream) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) throw std::runtime_error("no decoder");
    Context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(Context, stream->codecpar);
    Context->thread_count = 1;
    if (avcodec_open2(Context, codec, nullptr) < 0) throw std::runtime_error("cannot open decoder");
  }
  ~TDecoder() { avcodec_free_context(&Context); }
};

}  // namespace

TStreamFacts TMediaProbe::Video() const { return FactsOf(FState->Format, FVideo); }
TStreamFacts TMediaProbe::Audio() const { return FactsOf(FState->Format, FAudio); }

// Opened again rather than sought: a seek to 0 would skip packets that start before it
// (the sound's priming).
void TMediaProbe::Rewind() {
  avformat_close_input(&FState->Format);
  if (avformat_open_input(&FState->Format, FState->Path.c_str(), nullptr, nullptr) < 0) {
    throw std::runtime_error("cannot open " + FState->Path);
  }
  avformat_find_stream_info(FState->Format, nullptr);
}

std::vector<TPacketTime> TMediaProbe::VideoPackets() {
  std::vector<TPacketTime> packets;
  if (FVideo < 0) return packets;
  Rewind();
  const AVRational base = FState->Format->streams[FVideo]->time_base;
  AVPacket* packet = av_packet_alloc();
  while (av_read_frame(FState->Format, packet) >= 0) {
    if (packet->stream_index == FVideo) {
      packets.push_back({packet->pts * av_q2d(base), packet->duration * av_q2d(base)});
    }
    av_packet_unref(packet);
  }
  av_packet_free(&packet);
  return packets;
}

int TMediaProbe::ForEachPicture(const std::function<void(int, const QImage&)>& take) {
  if (FVideo < 0) return 0;
  Rewind();
  TDecoder decoder(FState->Format->streams[FVideo]);
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  SwsContext* convert = nullptr;
  int count = 0;
  auto drain = [&] {
    while (avcodec_receive_frame(decoder.Context, frame) >= 0) {
      QImage picture(frame->width, frame->height, QImage::Format_ARGB32);
      convert = sws_getCachedContext(convert, frame->width, frame->height,
                                     static_cast<AVPixelFormat>(frame->format), frame->width,
                                     frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr,
                                     nullptr, nullptr);
      uint8_t* planes[1] = {picture.bits()};
      const int strides[1] = {static_cast<int>(picture.bytesPerLine())};
      sws_scale(convert, frame->data, frame->linesize, 0, frame->height, planes, strides);
      take(count++, picture);
    }
  };
  while (av_read_frame(FState->Format, packet) >= 0) {
    if (packet->stream_index == FVideo) {
      avcodec_send_packet(decoder.Context, packet);
      drain();
    }
    av_packet_unref(packet);
  }
  avcodec_send_packet(decoder.Context, nullptr);
  drain();
  sws_freeContext(convert);
  av_frame_free(&frame);
  av_packet_free(&packet);
  return count;
}

std::vector<float> TMediaProbe::MonoSound() {
  std::vector<float> sound;
  if (FAudio < 0) return sound;
  Rewind();
  TDecoder decoder(FState->Format->streams[FAudio]);
  SwrContext* resample = nullptr;
  AVChannelLayout mono;
  av_channel_layout_default(&mono, 1);
  swr_alloc_set_opts2(&resample, &mono, AV_SAMPLE_FMT_FLT, 44100, &decoder.Context->ch_layout,
                      decoder.Context->sample_fmt, decoder.Context->sample_rate, 0, nullptr);
  swr_init(resample);
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  auto convert = [&](const uint8_t** input, int count) {
    const int room = swr_get_out_samples(resample, count) + 16;
    const size_t at = sound.size();
    sound.resize(at + room);
    uint8_t* output[1] = {reinterpret_cast<uint8_t*>(sound.data() + at)};
    const int made = swr_convert(resample, output, room, input, count);
    sound.resize(at + std::max(made, 0));
  };
  auto drain = [&] {
    while (avcodec_receive_frame(decoder.Context, frame) >= 0) {
      convert(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    }
  };
  while (av_read_frame(FState->Format, packet) >= 0) {
    if (packet->stream_index == FAudio) {
      avcodec_send_packet(decoder.Context, packet);
      drain();
    }
    av_packet_unref(packet);
  }
  avcodec_send_packet(decoder.Context, nullptr);
  drain();
  convert(nullptr, 0);
  swr_free(&resample);
  av_frame_free(&frame);
  av_packet_free(&packet);
  return sound;
}

double MeanDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 255;
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  double total = 0;
  for (int row = 0; row < x.height(); ++row) {
    const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const QRgb* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col) {
      total += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col])) +
               std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
  }
  return total / (3.0 * x.width() * x.height());
}

long BestLag(const std::vector<float>& whole, const std::vector<float>& part, double* score) {
  long best = -1;
  double bestScore = -2;
  if (part.empty() || whole.size() < part.size()) return best;
  double partEnergy = 0;
  for (float v : part) partEnergy += double(v) * v;
  for (size_t lag = 0; lag + part.size() <= whole.size(); ++lag) {
    double dot = 0, energy = 0;
    for (size_t i = 0; i < part.size(); ++i) {
      dot += double(whole[lag + i]) * part[i];
      energy += double(whole[lag + i]) * whole[lag + i];
    }
    const double s = energy > 0 && partEnergy > 0 ? dot / std::sqrt(energy * partEnergy) : 0;
    if (s > bestScore) {
      bestScore = s;
      best = static_cast<long>(lag);
    }
  }
  if (score) *score = bestScore;
  return best;
}

}  // namespace exporttest
