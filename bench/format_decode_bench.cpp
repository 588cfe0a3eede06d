// Decoding 10 minutes of FLAC, Opus, AAC in MP4 and ALAC in MP4 through an
// output stream into `wav-fast`, each against the floor of its library's own
// decoding loop over the same file in the same run: libsndfile, libopusfile
// and FFmpeg (libavformat, libavcodec, libswresample to 16-bit). Both sides
// count the CPU time of every thread of the process. Best of three each.
// Target: a ratio of at most 1.15 per format.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}
#include <opusfile.h>
#include <sndfile.h>

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

// 16-bit stereo read straight from libsndfile.
std::int64_t SndfileDecode(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return -1;
  std::vector<short> buffer(static_cast<std::size_t>(kBlockFrames) * info.channels);
  std::int64_t bytes = 0;
  for (sf_count_t got; (got = sf_readf_short(file, buffer.data(), kBlockFrames)) > 0;) {
    bytes += got * info.channels * static_cast<std::int64_t>(sizeof(short));
  }
  sf_close(file);
  return bytes;
}

// 48 kHz 16-bit stereo read straight from libopusfile.
std::int64_t OpusfileDecode(const std::string& path) {
  int error = 0;
  OggOpusFile* file = op_open_file(path.c_str(), &error);
  if (!file) return -1;
  std::vector<opus_int16> buffer(2 * kBlockFrames);
  std::int64_t bytes = 0;
  for (int got; (got = op_read_stereo(file, buffer.data(), static_cast<int>(buffer.size()))) != 0;) {
    if (got == OP_HOLE) continue;
    if (got < 0) break;
    bytes += got * 2 * static_cast<std::int64_t>(sizeof(opus_int16));
  }
  op_free(file);
  return bytes;
}

// What a program would do with FFmpeg alone: demux the best audio stream,
// decode every packet and convert each frame to 16-bit stereo.
std::int64_t FfmpegDecode(const std::string& path) {
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return -1;
  const AVCodec* codec = nullptr;
  const int stream = avformat_find_stream_info(format, nullptr) < 0
                         ? -1
                         : av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  AVCodecContext* context = stream < 0 ? nullptr : avcodec_alloc_context3(codec);
  if (!context || avcodec_parameters_to_context(context, format->streams[stream]->codecpar) < 0 ||
      avcodec_open2(context, codec, nullptr) < 0) {
    avcodec_free_context(&context);
    avformat_close_input(&format);
    return -1;
  }
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  SwrContext* resampler = nullptr;
  std::vector<std::int16_t> out;
  std::int64_t bytes = 0;
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
      if (converted > 0) bytes += converted * 2 * static_cast<std::int64_t>(sizeof(std::int16_t));
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
  return bytes;
}

struct Format {
  const char* name;
  const char* fileName;
  // Reads raw 44.1 kHz 16-bit little-endian stereo from its input.
  std::string encoder;
  std::function<std::int64_t(const std::string&)> floor;
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
  double layer = 1e300;
  std::int64_t rawBytes = 0;
  std::int64_t layerBytes = 0;
  for (int run = 0; run < kRuns; ++run) {
    const double start = tarvo::bench::ProcessCpuSeconds();
    rawBytes = format.floor(path);
    raw = std::min(raw, tarvo::bench::ProcessCpuSeconds() - start);
    layer = std::min(layer, tarvo::bench::LayerDecodeCpu(path, folder + "out.wav", layerBytes));
  }
  if (rawBytes <= 0 || layer < 0 || layerBytes > rawBytes || rawBytes - layerBytes > format.untrimmedBytes) {
    std::fprintf(stderr, "format_decode_bench: %s: the layer delivered %lld bytes, the library %lld\n", format.name,
                 static_cast<long long>(layerBytes), static_cast<long long>(rawBytes));
    return false;
  }
  std::printf("%-5s library decode loop: %.3f s CPU, output stream to wav-fast: %.3f s CPU\n", format.name, raw,
              layer);
  std::printf("%-5s ratio: %.3f (target <= 1.15)\n", format.name, layer / raw);
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
