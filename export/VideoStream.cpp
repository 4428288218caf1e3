#include "export/VideoStream.h"

extern "C" {
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}


#include "export/ExportError.h"

namespace exporter {

TVideoStream::TVideoStream(TMediaFile& file, const TVideoSettings& settings)
    : FFile(file), FFrame(MakeFrame()), FPacket(MakePacket()) {
  const AVCodec* codec = avcodec_find_encoder_by_name(settings.Codec);
  if (!codec) throw TExportError(std::string("The ") + settings.Codec + " encoder is not installed.");
  FEncoder.reset(avcodec_alloc_context3(codec));
  if (!FEncoder) throw TExportError("There is not enough memory to export.");
  AVCodecContext& encoder = *FEncoder;
  encoder.width = settings.Width;
  encoder.height = settings.Height;
  encoder.pix_fmt = settings.PixelFormat;
  encoder.time_base = settings.TimeBase;
  encoder.framerate = settings.FrameRate;
  encoder.sample_aspect_ratio = AVRational{1, 1};
  encoder.thread_count = settings.Threads;
  if (settings.PixelFormat == AV_PIX_FMT_YUV420P) {
    // swscale converts with the BT.601 matrix into limited range: say so, or players guess.
    encoder.colorspace = AVCOL_SPC_SMPTE170M;
    encoder.color_primaries = AVCOL_PRI_SMPTE170M;
    encoder.color_trc = AVCOL_TRC_SMPTE170M;
    encoder.color_range = AVCOL_RANGE_MPEG;
  }
  if (settings.GlobalHeader) encoder.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  TAvOptions options;
  for (const auto& [key, value] : settings.Options) options.Set(key.c_str(), value);
  AvCheck(avcodec_open2(&encoder, codec, options.Get()),
          std::string("Cannot start the ") + settings.Codec + " encoder");
  FStream = file.AddStream(encoder);
  FStream->avg_frame_rate = settings.FrameRate;
  FStream->r_frame_rate = settings.FrameRate;

  if (settings.PixelFormat != AV_PIX_FMT_BGRA && settings.PixelFormat != AV_PIX_FMT_PAL8) {
    FConvert = sws_getContext(settings.Width, settings.Height, AV_PIX_FMT_BGRA, settings.Width,
                              settings.Height, settings.PixelFormat, SWS_BILINEAR, nullptr,
                              nullptr, nullptr);
    if (!FConvert) throw TExportError("Cannot convert the pictures for the encoder.");
    FFrame->format = settings.PixelFormat;
    FFrame->width = settings.Width;
    FFrame->height = settings.Height;
    AvCheck(av_frame_get_buffer(FFrame.get(), 0), "There is not enough memory to export");
  }
}

TVideoStream::~TVideoStream() { sws_freeContext(FConvert); }

void TVideoStream::Encode(const QImage& image, int64_t pts) {
  if (image.width() != FEncoder->width || image.height() != FEncoder->height) {
    throw TExportError("A picture of the wrong size reached the encoder.");
  }
  if (FConvert) {
    AvCheck(av_frame_make_writable(FFrame.get()), "There is not enough memory to export");
    const uint8_t* source[1] = {image.constBits()};
    const int stride[1] = {static_cast<int>(image.bytesPerLine())};
    sws_scale(FConvert, source, stride, 0, image.height(), FFrame->data, FFrame->linesize);
    FFrame->pts = pts;
    Send(FFrame.get());
    return;
  }
  // The encoder takes the picture's own pixels (B, G, R, A in memory).
  TFramePtr frame = FrameOfImage(image);
  frame->pts = pts;
  Send(frame.get());
}

void TVideoStream::Encode(AVFrame& frame) { Send(&frame); }

void TVideoStream::Flush() { Send(nullptr); }

void TVideoStream::Send(AVFrame* frame) {
  AvCheck(avcodec_send_frame(FEncoder.get(), frame), "The encoder refused a picture");
  for (;;) {
    const int result = avcodec_receive_packet(FEncoder.get(), FPacket.get());
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
    AvCheck(result, "The encoder failed");
    FFile.Write(*FPacket, *FStream, FEncoder->time_base);
    av_packet_unref(FPacket.get());
  }
}

}  // namespace exporter
