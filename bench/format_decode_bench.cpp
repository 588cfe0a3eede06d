// Decoding 10 minutes of FLAC, Opus, AAC in MP4 and ALAC in MP4 through an
// output stream into `wav-fast`, each against the floor of its library's own
// decoding loop over the same file in the same run: libsndfile, libopusfile
// and FFmpeg (libavformat, libavcodec, libswresample to 16-bit). Both sides
// count the CPU time of every thread of the process. Best of three each.
// The layer writes 100 MB of WAV file, which a bare loop does not; so the
// loop is measured twice, bare and writing what it decodes to a file as the
// WAV output does, and the layer's ratio is printed against both. Target: a
// ratio of at most 1.15 per format against the loop that writes.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}
#include <fcntl.h>
#include <opusfile.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "layer_decode.h"

namespace {

constexpr int kSeconds = 600;
constexpr int kRuns = 3;
constexpr int kBlockFrames = 1 << 14;
// One AAC frame of 16-bit stereo.
constexpr std::int64_t kAacFrameBytes = 1024 * 2 * 2;

// Where a floor's samples go: counted, and with a path also written to
// that file in the order decoded, in blocks of the size the output stream
// hands the WAV output (100 ms of 44.1 kHz stereo), so both make the same
// number of writes.
class FloorSink {
 public:
  explicit FloorSink(const std::string& path = {}) {
    if (path.empty()) return;
    fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    block_.reserve(kWriteBytes);
  }
  ~FloorSink() {
    if (fd_ < 0) return;
    WriteBlock();
    close(fd_);
  }
  FloorSink(const FloorSink&) = delete;
  FloorSink& operator=(const FloorSink&) = delete;

  void Take(const void* data, std::int64_t bytes) {
    bytes_ += bytes;
    if (fd_ < 0) return;
    const auto* at = static_cast<const char*>(data);
    while (bytes > 0) {
      const std::int64_t count = std::min<std::int64_t>(bytes, kWriteBytes - block_.size());
      block_.insert(block_.end(), at, at + count);
      at += count;
      bytes -= count;
      if (block_.size() == kWriteBytes) WriteBlock();
    }
  }
  // What was taken; -1 when writing failed.
  std::int64_t Bytes() const { return failed_ ? -1 : bytes_; }

 private:
  static constexpr std::size_t kWriteBytes = 17640;

  void WriteBlock() {
    if (!block_.empty() && write(fd_, block_.data(), block_.size()) != static_cast<ssize_t>(block_.size())) {
      failed_ = true;
    }
    block_.clear();
  }

  int fd_ = -1;
  std::vector<char> block_;
  bool failed_ = false;
  std::int64_t bytes_ = 0;
};

// 16-bit stereo read straight from libsndfile.
void SndfileDecode(const std::string& path, FloorSink& sink) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return;
  std::vector<short> buffer(static_cast<std::size_t>(kBlockFrames) * info.channels);
  for (sf_count_t got; (got = sf_readf_short(file, buffer.data(), kBlockFrames)) > 0;) {
    sink.Take(buffer.data(), got * info.channels * static_cast<std::int64_t>(sizeof(short)));
  }
  sf_close(file);
}

// 48 kHz 16-bit stereo read straight from libopusfile.
void OpusfileDecode(const std::string& path, FloorSink& sink) {
  int error = 0;
  OggOpusFile* file = op_open_file(path.c_str(), &error);
  if (!file) return;
  std::vector<opus_int16> buffer(2 * kBlockFrames);
  for (int got; (got = op_read_stereo(file, buffer.data(), static_cast<int>(buffer.size()))) != 0;) {
    if (got == OP_HOLE) continue;
    if (got < 0) break;
    sink.Take(buffer.data(), got * 2 * static_cast<std::int64_t>(sizeof(opus_int16)));
  }
  op_free(file);
}

// What a program would do with FFmpeg alone: demux the best audio stream,
// decode every packet and convert each frame to 16-bit stereo.
void FfmpegDecode(const std::string& path, FloorSink& sink) {
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return;
  const AVCodec* codec = nullptr;
  const int stream = avformat_find_stream_info(format, nullptr) < 0
                         ? -1
                         : av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  AVCodecContext* context = stream < 0 ? nullptr : avcodec_alloc_context3(codec);
  if (!context || avcodec_parameters_to_context(context, format->streams[stream]->codecpar) < 0 ||
      avcodec_open2(context, codec, nullptr) < 0) {
    avcodec_free_context(&context);
    avformat_close_input(&format);
    return;
  }
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  SwrContext* resampler = nullptr;
  std::vector<std::int16_t> out;
  auto drain = [&] {
    while (avcodec_receive_frame(context, frame) == 0) {
      if (!resampler) {
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_S16, frame->sample_rate, &frame->ch_layout,
                            static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        swr_init(resampler);
      }
      out.resize(2 * static_cast<std::size_t>(frame->nb_samples));
      auto* target = reinterpret_cast<std::uint8_t*>(out.data());
      const int converted = swr_convert(resampler, &target, frame->nb_samples,
                                        const_cast<const std::uint8_t**>(frame->extended_data), frame->nb_samples);
      if (converted > 0) sink.Take(out.data(), converted * 2 * static_cast<std::int64_t>(sizeof(std::int16_t)));
    }
  };
  while (av_read_frame(format, packet) >= 0) {
    if (packet->stream_index == stream) avcodec_send_packet(context, packet);
    av_packet_unref(packet);
    drain();
  }
  avcodec_send_packet(context, nullptr);
  drain();
  swr_free(&resampler);
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&context);
  avformat_close_input(&format);
}

struct Format {
  const char* name;
  const char* fileName;
  // Reads raw 44.1 kHz 16-bit little-endian stereo from its input.
  std::string encoder;
  std::function<void(const std::string&, FloorSink&)> floor;
  // How much more the bare loop may deliver: the encoder's padding at the
  // end, which the player trims for gapless playback and the loop keeps.
  std::int64_t untrimmedBytes = 0;
};

std::string FfmpegEncoder(const std::string& codec) {
  return "ffmpeg -nostdin -y -loglevel error -f s16le -ar 44100 -ac 2 -i - " + codec;
}

// Prints the floor, the layer and their ratio for one format; false when
// either side failed or they delivered different amounts of audio.
bool MeasureFormat(const Format& format, const std::string& folder) {
  const std::string path = folder + format.fileName;
  if (!tarvo::bench::EncodeMusic(format.encoder + " '" + path + "' 2>/dev/null", kSeconds)) {
    std::fprintf(stderr, "format_decode_bench: can't make the %s file (are flac, opusenc and ffmpeg installed?)\n",
                 format.name);
    return false;
  }
  double raw = 1e300;
  double writing = 1e300;
  double layer = 1e300;
  std::int64_t rawBytes = 0;
  std::int64_t writtenBytes = 0;
  std::int64_t layerBytes = 0;
  // CPU seconds of one floor run; `bytes` what it delivered.
  const auto floorCpu = [&](const std::string& written, std::int64_t& bytes) {
    const double start = tarvo::bench::ProcessCpuSeconds();
    {
      FloorSink sink(written);
      format.floor(path, sink);
      bytes = sink.Bytes();
    }
    const double used = tarvo::bench::ProcessCpuSeconds() - start;
    // As for the layer: dropping the file is not decoding work.
    if (!written.empty()) std::remove(written.c_str());
    return used;
  };
  for (int run = 0; run < kRuns; ++run) {
    raw = std::min(raw, floorCpu({}, rawBytes));
    writing = std::min(writing, floorCpu(folder + "floor.wav", writtenBytes));
    layer = std::min(layer, tarvo::bench::LayerDecodeCpu(path, folder + "out.wav", layerBytes));
  }
  if (rawBytes <= 0 || writtenBytes != rawBytes || layer < 0 || layerBytes > rawBytes ||
      rawBytes - layerBytes > format.untrimmedBytes) {
    std::fprintf(stderr, "format_decode_bench: %s: the layer delivered %lld bytes, the library %lld (%lld written)\n",
                 format.name, static_cast<long long>(layerBytes), static_cast<long long>(rawBytes),
                 static_cast<long long>(writtenBytes));
    return false;
  }
  std::printf("%-5s library decode loop: %.3f s CPU, writing a WAV file too: %.3f s CPU, "
              "output stream to wav-fast: %.3f s CPU\n",
              format.name, raw, writing, layer);
  std::printf("%-5s ratio: %.3f against the loop writing the same file (target <= 1.15); %.3f against the bare loop\n",
              format.name, layer / writing, layer / raw);
  std::fflush(stdout);
  return true;
}

}  // namespace

int main() {
  const std::vector<Format> formats = {
      {"FLAC", "ten_minutes.flac",
       "flac -s -f --force-raw-format --endian=little --sign=signed --channels=2 --bps=16 --sample-rate=44100 - -o",
       SndfileDecode},
      {"Opus", "ten_minutes.opus", "opusenc --quiet --bitrate 128 --raw --raw-rate 44100 -", OpusfileDecode},
      {"AAC", "ten_minutes_aac.m4a", FfmpegEncoder("-c:a aac -b:a 128k"), FfmpegDecode, kAacFrameBytes},
      {"ALAC", "ten_minutes_alac.m4a", FfmpegEncoder("-c:a alac"), FfmpegDecode},
  };
  tarvo::bench::ScratchFolder folder;
  std::printf("making %d-second FLAC, Opus, AAC and ALAC files...\n", kSeconds);
  std::fflush(stdout);
  bool measured = true;
  for (const Format& format : formats) measured = MeasureFormat(format, folder.Path()) && measured;
  return measured ? 0 : 1;
}
