#include "media/ClipWriter.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "media/FfmpegHandles.h"

namespace kivo {

struct ClipWriter::State {
    ffmpeg::Output format;
    ffmpeg::Codec codec;
    ffmpeg::Frame frame;
    ffmpeg::Packet packet;
    ffmpeg::Scaler scaler;
    AVStream* stream = nullptr;
    std::string path;
    std::string partialPath;
    std::string error;
    long framesWritten = 0;
};

namespace {

const AVOutputFormat* ContainerFormat(const std::string& clipPath) {
    const AVOutputFormat* format = av_guess_format(nullptr, clipPath.c_str(), nullptr);
    return format != nullptr ? format : av_guess_format("avi", nullptr, nullptr);
}

bool Usable(const AVCodec& codec) {
    return av_codec_is_encoder(&codec) && codec.type == AVMEDIA_TYPE_VIDEO &&
           (codec.capabilities &
            (AV_CODEC_CAP_HARDWARE | AV_CODEC_CAP_HYBRID | AV_CODEC_CAP_EXPERIMENTAL)) == 0;
}

// The encoder's pixel format closest to packed 24-bit pixels.
AVPixelFormat EncoderPixelFormat(const AVCodec& encoder) {
    if (encoder.pix_fmts == nullptr)
        return AV_PIX_FMT_BGR24;
    return avcodec_find_best_pix_fmt_of_list(encoder.pix_fmts, AV_PIX_FMT_BGR24, 0, nullptr);
}

// A hidden name beside the clip, apart from the clips other writers (of this
// or another process) write at the same time.
std::string PartialPath(const std::string& path, const void* writer) {
    const std::filesystem::path target(path);
    const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) +
                             "." + std::to_string(reinterpret_cast<std::uintptr_t>(writer)) +
                             ".tmp";
    return (target.parent_path() / name).string();
}

}  // namespace

std::string ClipContainerOf(const std::string& clipPath) {
    return ContainerFormat(clipPath)->name;
}

std::vector<ClipEncoder> ClipEncodersFor(const std::string& container) {
    std::vector<ClipEncoder> encoders;
    const AVOutputFormat* format = av_guess_format(container.c_str(), nullptr, nullptr);
    if (format == nullptr)
        return encoders;
    void* iterator = nullptr;
    while (const AVCodec* codec = av_codec_iterate(&iterator)) {
        if (!Usable(*codec) || avformat_query_codec(format, codec->id, FF_COMPLIANCE_NORMAL) != 1)
            continue;
        ClipEncoder encoder{codec->name, codec->long_name ? codec->long_name : ""};
        if (codec->id == AV_CODEC_ID_RAWVIDEO)
            encoders.insert(encoders.begin(), std::move(encoder));
        else
            encoders.push_back(std::move(encoder));
    }
    return encoders;
}

ClipWriter::ClipWriter() : state_(std::make_unique<State>()) {}

ClipWriter::~ClipWriter() {
    if (IsOpen())
        Close();
}

bool ClipWriter::Open(const std::string& path, const ClipCodecChoice& choice, int width, int height,
                      int rateNumerator, int rateDenominator) {
    if (IsOpen())
        Close();
    ffmpeg::QuietLogging();
    state_ = std::make_unique<State>();
    State& s = *state_;
    s.path = path;
    s.partialPath = PartialPath(path, this);
    auto fail = [&s](std::string why) {
        s.error = std::move(why);
        s.codec.reset();
        s.format.reset();
        std::error_code ignored;
        std::filesystem::remove(s.partialPath, ignored);
        return false;
    };

    const AVOutputFormat* container = ContainerFormat(path);
    const AVCodec* encoder = avcodec_find_encoder_by_name(choice.encoder.c_str());
    if (encoder == nullptr || !Usable(*encoder))
        return fail("there is no video encoder '" + choice.encoder + "'");
    if (avformat_query_codec(container, encoder->id, FF_COMPLIANCE_NORMAL) != 1)
        return fail("the encoder '" + choice.encoder + "' cannot write into " + container->name);
    if (width < 1 || height < 1 || rateNumerator < 1 || rateDenominator < 1)
        return fail("the video has no usable size or rate");

    AVFormatContext* raw = nullptr;
    int result = avformat_alloc_output_context2(&raw, container, nullptr, s.partialPath.c_str());
    if (result < 0)
        return fail(ffmpeg::ErrorText(result));
    s.format.reset(raw);
    s.codec.reset(avcodec_alloc_context3(encoder));
    s.frame.reset(av_frame_alloc());
    s.packet.reset(av_packet_alloc());
    if (!s.codec || !s.frame || !s.packet)
        return fail("out of memory");

    AVCodecContext& codec = *s.codec;
    codec.width = width;
    codec.height = height;
    codec.pix_fmt = EncoderPixelFormat(*encoder);
    codec.framerate = AVRational{rateNumerator, rateDenominator};
    codec.time_base = av_inv_q(codec.framerate);
    codec.thread_count = 1;
    if (choice.keyFrameInterval > 0)
        codec.gop_size = choice.keyFrameInterval;
    if (choice.bitRate > 0)
        codec.bit_rate = choice.bitRate;
    if (container->flags & AVFMT_GLOBALHEADER)
        codec.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    result = avcodec_open2(&codec, encoder, nullptr);
    if (result < 0)
        return fail("the encoder '" + choice.encoder +
                    "' refuses the video: " + ffmpeg::ErrorText(result));

    s.stream = avformat_new_stream(s.format.get(), nullptr);
    if (s.stream == nullptr)
        return fail("out of memory");
    s.stream->time_base = codec.time_base;
    s.stream->avg_frame_rate = codec.framerate;  // kept by containers that store a frame duration
    result = avcodec_parameters_from_context(s.stream->codecpar, &codec);
    if (result >= 0 && !(container->flags & AVFMT_NOFILE))
        result = avio_open(&s.format->pb, s.partialPath.c_str(), AVIO_FLAG_WRITE);
    if (result >= 0)
        result = avformat_write_header(s.format.get(), nullptr);
    if (result < 0)
        return fail(ffmpeg::ErrorText(result));

    AVFrame& frame = *s.frame;
    frame.format = codec.pix_fmt;
    frame.width = width;
    frame.height = height;
    result = av_frame_get_buffer(&frame, 0);
    if (result < 0)
        return fail(ffmpeg::ErrorText(result));
    s.scaler.reset(sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, codec.pix_fmt,
                                  ffmpeg::kExactScaling, nullptr, nullptr, nullptr));
    if (!s.scaler)
        return fail("no conversion to the encoder's pixel format");
    return true;
}

namespace {

// Sends `frame` (nothing: the end) to the encoder and writes every packet it gives.
int Encode(AVFormatContext& format, AVCodecContext& codec, AVStream& stream, AVPacket& packet,
           const AVFrame* frame) {
    int result = avcodec_send_frame(&codec, frame);
    while (result >= 0) {
        result = avcodec_receive_packet(&codec, &packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return 0;
        if (result < 0)
            return result;
        av_packet_rescale_ts(&packet, codec.time_base, stream.time_base);
        packet.stream_index = stream.index;
        result = av_interleaved_write_frame(&format, &packet);
    }
    return result;
}

}  // namespace

bool ClipWriter::Write(const PixelFrame& pixels) {
    State& s = *state_;
    if (!IsOpen())
        return false;
    AVCodecContext& codec = *s.codec;
    if (pixels.width != codec.width || pixels.height != codec.height || pixels.bytesPerPixel != 3) {
        s.error = "a frame of another size";
        return false;
    }
    int result = av_frame_make_writable(s.frame.get());
    if (result >= 0) {
        const std::uint8_t* planes[4] = {pixels.pixels.data(), nullptr, nullptr, nullptr};
        const int strides[4] = {pixels.stride, 0, 0, 0};
        sws_scale(s.scaler.get(), planes, strides, 0, pixels.height, s.frame->data,
                  s.frame->linesize);
        s.frame->pts = s.framesWritten;
        result = Encode(*s.format, codec, *s.stream, *s.packet, s.frame.get());
    }
    if (result < 0) {
        s.error = ffmpeg::ErrorText(result);
        return false;
    }
    ++s.framesWritten;
    return true;
}

bool ClipWriter::Close() {
    State& s = *state_;
    if (!IsOpen())
        return false;
    int result = Encode(*s.format, *s.codec, *s.stream, *s.packet, nullptr);
    const int trailer = av_write_trailer(s.format.get());
    if (result >= 0)
        result = trailer;
    s.codec.reset();
    s.format.reset();  // closes the file
    std::error_code error;
    if (result >= 0)
        std::filesystem::rename(s.partialPath, s.path, error);
    if (result < 0 || error) {
        s.error = result < 0 ? ffmpeg::ErrorText(result) : error.message();
        std::filesystem::remove(s.partialPath, error);
        return false;
    }
    return true;
}

void ClipWriter::Abandon() {
    State& s = *state_;
    s.codec.reset();
    s.format.reset();
    std::error_code ignored;
    std::filesystem::remove(s.partialPath, ignored);
}

bool ClipWriter::IsOpen() const {
    return state_->codec != nullptr && state_->format != nullptr;
}

const std::string& ClipWriter::Path() const {
    return state_->path;
}

const std::string& ClipWriter::Error() const {
    return state_->error;
}

long ClipWriter::FramesWritten() const {
    return state_->framesWritten;
}

}  // namespace kivo
