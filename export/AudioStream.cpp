#include "export/AudioStream.h"

#include <algorithm>
#include <vector>

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include "export/ExportError.h"
#include "export/FrameSource.h"

namespace exporter {

TAudioStream::TAudioStream(TMediaFile& file, const char* codecName, int rate, int64_t bitRate)
    : FFile(file), FFrame(MakeFrame()), FPacket(MakePacket()) {
  const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
  if (!codec) throw TExportError(std::string("The ") + codecName + " encoder is not installed.");
  FEncoder.reset(avcodec_alloc_context3(codec));
  if (!FEncoder) throw TExportError("There is not enough memory to export.");
  AVCodecContext& encoder = *FEncoder;
  encoder.sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
  encoder.sample_rate = rate;
  av_channel_layout_default(&encoder.ch_layout, 2);
  encoder.bit_rate = bitRate;
  encoder.time_base = AVRational{1, rate};
  encoder.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AvCheck(avcodec_open2(&encoder, codec, nullptr),
          std::string("Cannot start the ") + codecName + " encoder");
  FStream = file.AddStream(encoder);

  AVChannelLayout stereo;
  av_channel_layout_default(&stereo, 2);
  AvCheck(swr_alloc_set_opts2(&FResample, &encoder.ch_layout, encoder.sample_fmt, rate, &stereo,
                              AV_SAMPLE_FMT_S16, MixRate, 0, nullptr),
          "Cannot convert the sound");
  AvCheck(swr_init(FResample), "Cannot convert the sound");
  FFifo = av_audio_fifo_alloc(encoder.sample_fmt, 2, std::max(encoder.frame_size, 1024));
  if (!FFifo) throw TExportError("There is not enough memory to export.");
}

TAudioStream::~TAudioStream() {
  av_audio_fifo_free(FFifo);
  swr_free(&FResample);
}

void TAudioStream::Add(const int16_t* stereo, int count) {
  const int room = swr_get_out_samples(FResample, count);
  if (room <= 0) return;
  uint8_t** planes = nullptr;
  AvCheck(av_samples_alloc_array_and_samples(&planes, nullptr, 2, room, FEncoder->sample_fmt, 0),
          "There is not enough memory to export");
  const uint8_t* input[1] = {reinterpret_cast<const uint8_t*>(stereo)};
  const int made = swr_convert(FResample, planes, room, count > 0 ? input : nullptr, count);
  if (made > 0) av_audio_fifo_write(FFifo, reinterpret_cast<void**>(planes), made);
  av_freep(&planes[0]);
  av_freep(&planes);
  AvCheck(made, "Cannot convert the sound");
  const int frameSize = FEncoder->frame_size > 0 ? FEncoder->frame_size : 1024;
  while (av_audio_fifo_size(FFifo) >= frameSize) EncodeFromFifo(frameSize);
}

void TAudioStream::Flush() {
  Add(nullptr, 0);  // what the resampler still holds
  const int left = av_audio_fifo_size(FFifo);
  if (left > 0) EncodeFromFifo(left);
  Send(nullptr);
}

void TAudioStream::EncodeFromFifo(int count) {
  const int frameSize = FEncoder->frame_size > 0 ? FEncoder->frame_size : count;
  const bool smallLast = FEncoder->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
  av_frame_unref(FFrame.get());
  FFrame->format = FEncoder->sample_fmt;
  FFrame->sample_rate = FEncoder->sample_rate;
  AvCheck(av_channel_layout_copy(&FFrame->ch_layout, &FEncoder->ch_layout), "Cannot convert the sound");
  FFrame->nb_samples = count < frameSize && !smallLast ? frameSize : count;
  AvCheck(av_frame_get_buffer(FFrame.get(), 0), "There is not enough memory to export");
  // A short last frame that the codec cannot take is padded with silence.
  av_samples_set_silence(FFrame->data, 0, FFrame->nb_samples, 2, FEncoder->sample_fmt);
  av_audio_fifo_read(FFifo, reinterpret_cast<void**>(FFrame->data), count);
  FFrame->pts = FNextPts;
  FNextPts += FFrame->nb_samples;
  Send(FFrame.get());
}

void TAudioStream::Send(AVFrame* frame) {
  AvCheck(avcodec_send_frame(FEncoder.get(), frame), "The sound encoder refused the samples");
  for (;;) {
    const int result = avcodec_receive_packet(FEncoder.get(), FPacket.get());
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
    AvCheck(result, "The sound encoder failed");
    FFile.Write(*FPacket, *FStream, FEncoder->time_base);
    av_packet_unref(FPacket.get());
  }
}

}  // namespace exporter
