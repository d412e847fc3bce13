#pragma once

// Owning handles of FFmpeg objects, for the media sources only.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>

namespace kivo::ffmpeg {

struct InputCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct OutputCloser {
    void operator()(AVFormatContext* context) const {
        if (context != nullptr && context->pb != nullptr && context->oformat != nullptr &&
            !(context->oformat->flags & AVFMT_NOFILE)) {
            avio_closep(&context->pb);
        }
        avformat_free_context(context);
    }
};
struct CodecCloser {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameCloser {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketCloser {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerCloser {
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};

using Input = std::unique_ptr<AVFormatContext, InputCloser>;
using Output = std::unique_ptr<AVFormatContext, OutputCloser>;
using Codec = std::unique_ptr<AVCodecContext, CodecCloser>;
using Frame = std::unique_ptr<AVFrame, FrameCloser>;
using Packet = std::unique_ptr<AVPacket, PacketCloser>;
using Scaler = std::unique_ptr<SwsContext, ScalerCloser>;

// FFmpeg reports only errors on stderr (set once per process).
void QuietLogging();

// The text of an FFmpeg error code.
std::string ErrorText(int code);

// Scaler flags of every conversion: the same pixels on every machine.
inline constexpr int kExactScaling = SWS_POINT | SWS_BITEXACT | SWS_ACCURATE_RND;

}  // namespace kivo::ffmpeg
