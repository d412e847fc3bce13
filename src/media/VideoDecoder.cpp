#include "media/VideoDecoder.h"

#include "core/PathChecks.h"
#include "media/FfmpegHandles.h"

namespace kivo {

struct VideoDecoder::State {
    ffmpeg::Input format;
    ffmpeg::Codec codec;
    ffmpeg::Frame frame;
    ffmpeg::Packet packet;
    ffmpeg::Scaler scaler;
    int stream = -1;
    VideoInfo info;
    std::string error;
    long nextIndex = 0;
    bool draining = false;
    bool ended = false;
    bool haveFrame = false;
    int outputWidth = 0;  // the size of the first frame converted
    int outputHeight = 0;
};

namespace {

// The first video stream of an opened file, or -1.
int FirstVideoStream(const AVFormatContext& format) {
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        if (format.streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            return static_cast<int>(i);
    }
    return -1;
}

bool Valid(AVRational rate) {
    return rate.num > 0 && rate.den > 0;
}

// Frames per second: the stream's own rate where the container keeps one per
// frame (AVI), otherwise the average rate.
AVRational FrameRateOf(const AVFormatContext& format, const AVStream& stream) {
    if (std::string(format.iformat->name) == "avi" && Valid(stream.time_base))
        return av_inv_q(stream.time_base);
    if (Valid(stream.avg_frame_rate))
        return stream.avg_frame_rate;
    if (Valid(stream.r_frame_rate))
        return stream.r_frame_rate;
    return {0, 1};
}

// The number of frames of the stream: from the container when it says, else
// counted over its packets in a second pass.
long CountFrames(const std::string& path, const AVStream& stream) {
    if (stream.nb_frames > 0)
        return static_cast<long>(stream.nb_frames);
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0)
        return 0;
    ffmpeg::Input format(raw);
    ffmpeg::Packet packet(av_packet_alloc());
    if (!packet)
        return 0;
    long count = 0;
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        count += packet->stream_index == stream.index ? 1 : 0;
        av_packet_unref(packet.get());
    }
    return count;
}

}  // namespace

VideoDecoder::VideoDecoder() : state_(std::make_unique<State>()) {}
VideoDecoder::~VideoDecoder() = default;

bool VideoDecoder::Open(const std::string& path) {
    Close();
    ffmpeg::QuietLogging();
    State& s = *state_;
    // A pipe or device would make the demuxer wait or read without end.
    if (!IsExistingFile(path)) {
        s.error = "it is not a regular file";
        return false;
    }
    AVFormatContext* raw = nullptr;
    int result = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (result < 0) {
        s.error = ffmpeg::ErrorText(result);
        return false;
    }
    s.format.reset(raw);
    result = avformat_find_stream_info(s.format.get(), nullptr);
    if (result < 0) {
        s.error = ffmpeg::ErrorText(result);
        return false;
    }
    s.stream = FirstVideoStream(*s.format);
    if (s.stream < 0) {
        s.error = "no video stream";
        return false;
    }
    const AVStream& stream = *s.format->streams[s.stream];
    const AVCodec* decoder = avcodec_find_decoder(stream.codecpar->codec_id);
    if (decoder == nullptr) {
        s.error = "no decoder for " + std::string(avcodec_get_name(stream.codecpar->codec_id));
        return false;
    }
    s.codec.reset(avcodec_alloc_context3(decoder));
    s.frame.reset(av_frame_alloc());
    s.packet.reset(av_packet_alloc());
    if (!s.codec || !s.frame || !s.packet) {
        s.error = "out of memory";
        return false;
    }
    result = avcodec_parameters_to_context(s.codec.get(), stream.codecpar);
    if (result >= 0)
        result = avcodec_open2(s.codec.get(), decoder, nullptr);
    if (result < 0) {
        s.error = ffmpeg::ErrorText(result);
        return false;
    }
    const AVRational rate = FrameRateOf(*s.format, stream);
    s.info = {s.format->iformat->name,
              decoder->name,
              rate.num,
              rate.den,
              CountFrames(path, stream),
              stream.codecpar->width,
              stream.codecpar->height};
    return true;
}

void VideoDecoder::Close() {
    state_ = std::make_unique<State>();
}

const VideoInfo& VideoDecoder::Info() const {
    return state_->info;
}

const std::string& VideoDecoder::Error() const {
    return state_->error;
}

long VideoDecoder::NextIndex() const {
    return state_->nextIndex;
}

bool VideoDecoder::DecodeNext() {
    State& s = *state_;
    s.haveFrame = false;
    if (!s.codec || s.ended)
        return false;
    for (;;) {
        int result = avcodec_receive_frame(s.codec.get(), s.frame.get());
        if (result == 0) {
            ++s.nextIndex;
            s.haveFrame = true;
            return true;
        }
        if (result != AVERROR(EAGAIN) || s.draining) {
            s.ended = true;
            return false;
        }
        result = av_read_frame(s.format.get(), s.packet.get());
        if (result < 0) {
            // The end of the file: the decoder gives out the frames it holds.
            s.draining = true;
            result = avcodec_send_packet(s.codec.get(), nullptr);
        } else if (s.packet->stream_index == s.stream) {
            result = avcodec_send_packet(s.codec.get(), s.packet.get());
            av_packet_unref(s.packet.get());
        } else {
            av_packet_unref(s.packet.get());
            continue;
        }
        if (result < 0) {
            s.ended = true;
            return false;
        }
    }
}

bool VideoDecoder::ConvertLast(PixelFrame& frame) {
    State& s = *state_;
    if (!s.haveFrame)
        return false;
    const AVFrame& source = *s.frame;
    if (source.width < 1 || source.height < 1)
        return false;
    if (s.outputWidth == 0) {
        s.outputWidth = source.width;
        s.outputHeight = source.height;
    }
    const int width = s.outputWidth;
    const int height = s.outputHeight;
    s.scaler.reset(sws_getCachedContext(
        s.scaler.release(), source.width, source.height, static_cast<AVPixelFormat>(source.format),
        width, height, AV_PIX_FMT_BGR24, ffmpeg::kExactScaling, nullptr, nullptr, nullptr));
    if (!s.scaler)
        return false;
    frame.width = width;
    frame.height = height;
    frame.bytesPerPixel = 3;
    frame.stride = (width * 3 + 31) / 32 * 32;
    frame.pixels.resize(static_cast<std::size_t>(frame.stride) * static_cast<std::size_t>(height));
    std::uint8_t* planes[4] = {frame.pixels.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {frame.stride, 0, 0, 0};
    return sws_scale(s.scaler.get(), source.data, source.linesize, 0, source.height, planes,
                     strides) == height;
}

}  // namespace kivo
