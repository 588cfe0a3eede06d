#include "audio/ffmpeg_decoder.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cstring>

#include "audio/ffmpeg_gapless.h"
#include "audio/ffmpeg_library.h"

namespace tarvo::audio {

namespace {

// The AVIOContext's buffer: what one read callback asks the source for.
constexpr int kIoBufferBytes = 32 * 1024;
// How far FFmpeg may read to tell the format and the stream's parameters.
// A station's first seconds are enough; without a cap it would read
// megabytes of a live stream before playing.
constexpr std::int64_t kProbeBytes = 256 * 1024;
constexpr std::int64_t kAnalyzeMicroseconds = 2'000'000;
// A seek lands this far before its frame: transform codecs (AAC) need the
// packet before to rebuild the overlap, so decoding starts early and the
// samples up to the frame are dropped.
constexpr std::int64_t kSeekPreRollFrames = 4096;

}  // namespace

FfmpegDecoder::FfmpegDecoder(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}

FfmpegDecoder::~FfmpegDecoder() {
  LoadedFfmpeg().av_frame_free(&frame_);
  LoadedFfmpeg().av_packet_free(&packet_);
  LoadedFfmpeg().swr_free(&resampler_);
  LoadedFfmpeg().avcodec_free_context(&codec_);
  LoadedFfmpeg().avformat_close_input(&formatContext_);
  if (io_) {
    LoadedFfmpeg().av_freep(&io_->buffer);
    LoadedFfmpeg().avio_context_free(&io_);
  }
}

std::unique_ptr<FfmpegDecoder> FfmpegDecoder::Open(std::unique_ptr<ByteSource> source, AudioError& error) {
  if (!Ffmpeg()) {
    error = AudioError::Unknown;
    return nullptr;
  }
  std::unique_ptr<FfmpegDecoder> decoder(new FfmpegDecoder(std::move(source)));
  error = decoder->Start();
  if (error != AudioError::Ok) return nullptr;
  return decoder;
}

// Caller's thread (whoever reads the decoder).
int FfmpegDecoder::ReadPacket(void* self, std::uint8_t* buffer, int size) {
  auto* decoder = static_cast<FfmpegDecoder*>(self);
  const std::int64_t got = decoder->source_->Read(buffer, static_cast<std::size_t>(size));
  if (got < 0) {
    decoder->sourceFailed_ = true;
    return AVERROR(EIO);
  }
  return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

std::int64_t FfmpegDecoder::SeekSource(void* self, std::int64_t offset, int whence) {
  ByteSource& source = *static_cast<FfmpegDecoder*>(self)->source_;
  whence &= ~AVSEEK_FORCE;
  if (whence == AVSEEK_SIZE) return source.Size() < 0 ? AVERROR(ENOSYS) : source.Size();
  std::int64_t target = offset;
  if (whence == SEEK_CUR) target += source.Position();
  if (whence == SEEK_END) {
    if (source.Size() < 0) return AVERROR(ENOSYS);
    target += source.Size();
  }
  return source.SeekTo(target) ? target : AVERROR(EIO);
}

AudioError FfmpegDecoder::Start() {
  packet_ = LoadedFfmpeg().av_packet_alloc();
  frame_ = LoadedFfmpeg().av_frame_alloc();
  formatContext_ = LoadedFfmpeg().avformat_alloc_context();
  auto* buffer = static_cast<unsigned char*>(LoadedFfmpeg().av_malloc(kIoBufferBytes));
  const bool seekable = source_->CanSeek();
  io_ = buffer ? LoadedFfmpeg().avio_alloc_context(buffer, kIoBufferBytes, 0, this, &ReadPacket, nullptr,
                                                   seekable ? &SeekSource : nullptr)
               : nullptr;
  if (!io_) LoadedFfmpeg().av_free(buffer);
  if (!packet_ || !frame_ || !formatContext_ || !io_) return AudioError::Unknown;
  io_->seekable = seekable ? AVIO_SEEKABLE_NORMAL : 0;
  formatContext_->pb = io_;
  formatContext_->flags |= AVFMT_FLAG_CUSTOM_IO;
  formatContext_->probesize = kProbeBytes;
  formatContext_->max_analyze_duration = kAnalyzeMicroseconds;

  if (LoadedFfmpeg().avformat_open_input(&formatContext_, nullptr, nullptr, nullptr) < 0) {
    // avformat_open_input frees the context on failure; the AVIOContext stays ours.
    return sourceFailed_ ? AudioError::FileOpen : AudioError::FileFormat;
  }
  if (LoadedFfmpeg().avformat_find_stream_info(formatContext_, nullptr) < 0) {
    return sourceFailed_ ? AudioError::FileOpen : AudioError::FileFormat;
  }
  const AudioError codecError = OpenCodec();
  if (codecError != AudioError::Ok) return codecError;
  // A file without an index (ADTS) only has a length guessed from its bit
  // rate; its packets tell the exact one.
  const AVStream* stream = formatContext_->streams[streamIndex_];
  const bool guessedLength = stream->duration == AV_NOPTS_VALUE ||
                             formatContext_->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
  const std::int64_t countedDuration = seekable && guessedLength ? CountStreamDuration(*formatContext_, streamIndex_) : -1;

  // The first frame tells the format the decoder delivers.
  if (!ReceiveFrame()) return sourceFailed_ ? AudioError::FileOpen : AudioError::NotAudio;
  sourceChannels_ = frame_->ch_layout.nb_channels;
  format_ = PcmFormat{frame_->sample_rate, sourceChannels_ == 1 ? 1 : 2};
  if (format_.rate < kMinSampleRate || format_.rate > kMaxSampleRate) return AudioError::SampleRate;
  if (sourceChannels_ < 1) return AudioError::SampleFormat;
  if (!Convert()) return AudioError::Unknown;

  if (countedDuration >= 0) {
    lengthFrames_ = LoadedFfmpeg().av_rescale_q(countedDuration, stream->time_base, AVRational{1, format_.rate});
  } else if (seekable && !guessedLength) {
    lengthFrames_ = LoadedFfmpeg().av_rescale_q(stream->duration, stream->time_base, AVRational{1, format_.rate});
  }
  return TrimItunesGapless();
}

// An MP4 file's edit list already trims the encoder delay and padding; a
// file that has only the iTunSMPB tag is trimmed here: its first delay
// frames are dropped and it ends after the length the tag gives. The tag
// is trusted only when the untrimmed length holds delay and length.
AudioError FfmpegDecoder::TrimItunesGapless() {
  if (lengthFrames_ < 0) return AudioError::Ok;
  const std::optional<ItunesGapless> gapless = ItunesGaplessOf(*formatContext_);
  if (!gapless || gapless->delayFrames <= 0 || lengthFrames_ < gapless->delayFrames + gapless->lengthFrames) {
    return AudioError::Ok;
  }
  leadFrames_ = gapless->delayFrames;
  lengthFrames_ = gapless->lengthFrames;
  return SeekToFrame(0) ? AudioError::Ok : AudioError::FileFormat;
}

AudioError FfmpegDecoder::OpenCodec() {
  const AVCodec* codec = nullptr;
  streamIndex_ = LoadedFfmpeg().av_find_best_stream(formatContext_, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (streamIndex_ == AVERROR_STREAM_NOT_FOUND) return AudioError::NotAudio;
  if (streamIndex_ < 0 || !codec) return AudioError::FileFormat;
  for (unsigned i = 0; i < formatContext_->nb_streams; ++i) {
    if (static_cast<int>(i) != streamIndex_) formatContext_->streams[i]->discard = AVDISCARD_ALL;
  }
  codec_ = LoadedFfmpeg().avcodec_alloc_context3(codec);
  if (!codec_) return AudioError::Unknown;
  if (LoadedFfmpeg().avcodec_parameters_to_context(codec_, formatContext_->streams[streamIndex_]->codecpar) < 0) {
    return AudioError::Unknown;
  }
  codec_->thread_count = 1;
  codec_->pkt_timebase = formatContext_->streams[streamIndex_]->time_base;
  if (LoadedFfmpeg().avcodec_open2(codec_, codec, nullptr) < 0) return AudioError::FileFormat;
  return AudioError::Ok;
}

bool FfmpegDecoder::ReceiveFrame() {
  for (;;) {
    const int received = LoadedFfmpeg().avcodec_receive_frame(codec_, frame_);
    if (received == 0) return true;
    if (received == AVERROR_EOF) return false;
    if (received != AVERROR(EAGAIN) && received != AVERROR_INVALIDDATA) return false;
    if (draining_) return false;
    const int read = LoadedFfmpeg().av_read_frame(formatContext_, packet_);
    if (read < 0) {
      // The end of the data (or a source failure): the codec hands out
      // what it still holds.
      draining_ = true;
      LoadedFfmpeg().avcodec_send_packet(codec_, nullptr);
      continue;
    }
    if (packet_->stream_index == streamIndex_) {
      // A packet the codec refuses is damaged data: it is skipped, and
      // decoding goes on with the next.
      LoadedFfmpeg().avcodec_send_packet(codec_, packet_);
    }
    LoadedFfmpeg().av_packet_unref(packet_);
  }
}

// Converts frame_ into pending_.
bool FfmpegDecoder::Convert() {
  if (!resampler_) {
    AVChannelLayout out;
    LoadedFfmpeg().av_channel_layout_default(&out, format_.channels);
    const int status = LoadedFfmpeg().swr_alloc_set_opts2(
        &resampler_, &out, AV_SAMPLE_FMT_S16, format_.rate, &frame_->ch_layout,
        static_cast<AVSampleFormat>(frame_->format), frame_->sample_rate, 0, nullptr);
    LoadedFfmpeg().av_channel_layout_uninit(&out);
    if (status < 0 || LoadedFfmpeg().swr_init(resampler_) < 0) return false;
  }
  pending_.resize(static_cast<std::size_t>(frame_->nb_samples) * format_.channels);
  pendingOffset_ = 0;
  auto* out = reinterpret_cast<std::uint8_t*>(pending_.data());
  const int converted =
      LoadedFfmpeg().swr_convert(resampler_, &out, frame_->nb_samples,
                                 const_cast<const std::uint8_t**>(frame_->extended_data), frame_->nb_samples);
  if (converted < 0) return false;
  pending_.resize(static_cast<std::size_t>(converted) * format_.channels);
  return true;
}

// The position of frame_'s first sample, counted from the stream's start.
std::int64_t FfmpegDecoder::FramePosition() const {
  const AVStream* stream = formatContext_->streams[streamIndex_];
  const std::int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
  return LoadedFfmpeg().av_rescale_q(frame_->best_effort_timestamp - start, stream->time_base,
                                     AVRational{1, format_.rate});
}

bool FfmpegDecoder::DecodeNext() {
  while (!ended_ && !formatChanged_) {
    if (!ReceiveFrame()) {
      ended_ = true;
      break;
    }
    if (frame_->sample_rate != format_.rate || frame_->ch_layout.nb_channels != sourceChannels_) {
      formatChanged_ = true;
      break;
    }
    if (!Convert()) {
      ended_ = true;
      break;
    }
    if (seekTarget_ < 0) return true;
    if (frame_->best_effort_timestamp == AV_NOPTS_VALUE) {
      seekTarget_ = -1;
      return true;
    }
    const std::int64_t position = FramePosition();
    const std::int64_t frames = static_cast<std::int64_t>(pending_.size()) / format_.channels;
    const std::int64_t drop = std::clamp<std::int64_t>(seekTarget_ - position, 0, frames);
    pendingOffset_ = static_cast<std::size_t>(drop) * format_.channels;
    if (drop < frames) {
      seekTarget_ = -1;
      return true;
    }
  }
  return false;
}

std::int64_t FfmpegDecoder::TakePending(std::int16_t* samples, std::int64_t frames) {
  const std::size_t available = (pending_.size() - pendingOffset_) / format_.channels;
  const std::size_t count = std::min(available, static_cast<std::size_t>(frames));
  const std::size_t values = count * format_.channels;
  std::memcpy(samples, pending_.data() + pendingOffset_, values * sizeof(std::int16_t));
  pendingOffset_ += values;
  return static_cast<std::int64_t>(count);
}

std::int64_t FfmpegDecoder::Read(std::int16_t* samples, std::int64_t frames) {
  if (lengthFrames_ >= 0) frames = std::min(frames, lengthFrames_ - positionFrames_);
  std::int64_t filled = 0;
  while (filled < frames) {
    filled += TakePending(samples + filled * format_.channels, frames - filled);
    if (filled < frames && !DecodeNext()) break;
  }
  if (filled == 0 && sourceFailed_) return -1;
  positionFrames_ += filled;
  return filled;
}

bool FfmpegDecoder::SeekToFrame(std::int64_t frame) {
  if (!source_->CanSeek() || frame < 0 || (lengthFrames_ >= 0 && frame > lengthFrames_)) return false;
  const AVStream* stream = formatContext_->streams[streamIndex_];
  const std::int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
  // Near the start the target falls before the first packet, so the seek
  // goes to the very first one, whose encoder delay the demuxer trims again.
  const std::int64_t streamFrame = frame + leadFrames_;
  const std::int64_t target = start + LoadedFfmpeg().av_rescale_q(streamFrame - kSeekPreRollFrames,
                                                                  AVRational{1, format_.rate}, stream->time_base);
  // Lands on a packet at or before the target; the samples up to the frame
  // are decoded and dropped, so the next Read starts on the very sample.
  if (LoadedFfmpeg().avformat_seek_file(formatContext_, streamIndex_, INT64_MIN, target, target, 0) < 0) return false;
  LoadedFfmpeg().avcodec_flush_buffers(codec_);
  pending_.clear();
  pendingOffset_ = 0;
  draining_ = false;
  ended_ = false;
  formatChanged_ = false;
  sourceFailed_ = false;
  seekTarget_ = streamFrame;
  positionFrames_ = frame;
  return true;
}

}  // namespace tarvo::audio
