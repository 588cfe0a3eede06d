#include "support/audio_fixtures.h"

#include <lame/lame.h>
#include <mpg123.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace tarvo::testing {

namespace {

void Put16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string WavHeader(int rate, int channels, int bitsPerSample, int formatTag, std::uint32_t dataBytes) {
  std::string header = "RIFF";
  Put32(header, 36 + dataBytes);
  header += "WAVEfmt ";
  Put32(header, 16);
  Put16(header, static_cast<std::uint16_t>(formatTag));
  Put16(header, static_cast<std::uint16_t>(channels));
  Put32(header, static_cast<std::uint32_t>(rate));
  const int blockAlign = channels * bitsPerSample / 8;
  Put32(header, static_cast<std::uint32_t>(rate * blockAlign));
  Put16(header, static_cast<std::uint16_t>(blockAlign));
  Put16(header, static_cast<std::uint16_t>(bitsPerSample));
  header += "data";
  Put32(header, dataBytes);
  return header;
}

void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (!out) throw std::runtime_error("can't write fixture " + path);
}

class File {
 public:
  explicit File(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (!file_) throw std::runtime_error("can't create fixture " + path);
  }
  ~File() { std::fclose(file_); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  void Write(const void* data, std::size_t bytes) {
    if (bytes > 0 && std::fwrite(data, 1, bytes, file_) != bytes) throw std::runtime_error("fixture write failed");
  }
  void Rewind() { std::fseek(file_, 0, SEEK_SET); }

 private:
  std::FILE* file_;
};

}  // namespace

AudioSegment Tone(double seconds, double frequency, double amplitude) {
  return AudioSegment{seconds, frequency, amplitude};
}

AudioSegment Silence(double seconds) { return AudioSegment{seconds, 0.0, 0.0}; }

std::int64_t AudioSpec::Frames() const {
  std::int64_t frames = 0;
  for (const AudioSegment& segment : segments) frames += std::llround(segment.seconds * rate);
  return frames;
}

std::vector<std::int16_t> RenderSamples(const AudioSpec& spec) {
  std::vector<std::int16_t> samples;
  samples.reserve(static_cast<std::size_t>(spec.Frames() * spec.channels));
  for (const AudioSegment& segment : spec.segments) {
    const std::int64_t frames = std::llround(segment.seconds * spec.rate);
    for (std::int64_t i = 0; i < frames; ++i) {
      const double phase = 2.0 * std::numbers::pi * segment.frequency * static_cast<double>(i) / spec.rate;
      const auto value = static_cast<std::int16_t>(std::lround(32767.0 * segment.amplitude * std::sin(phase)));
      for (int channel = 0; channel < spec.channels; ++channel) samples.push_back(value);
    }
  }
  return samples;
}

void WriteWav(const std::string& path, const AudioSpec& spec, WavSamples format) {
  const std::vector<std::int16_t> samples = RenderSamples(spec);
  std::string data;
  int bits = 16;
  int tag = 1;
  for (const std::int16_t sample : samples) {
    switch (format) {
      case WavSamples::Unsigned8:
        bits = 8;
        data.push_back(static_cast<char>((sample >> 8) + 128));
        break;
      case WavSamples::Signed16:
        Put16(data, static_cast<std::uint16_t>(sample));
        break;
      case WavSamples::Signed24: {
        bits = 24;
        const auto value = static_cast<std::uint32_t>(static_cast<std::int32_t>(sample) * 256);
        for (int i = 0; i < 3; ++i) data.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        break;
      }
      case WavSamples::Signed32:
        bits = 32;
        Put32(data, static_cast<std::uint32_t>(static_cast<std::int32_t>(sample) * 65536));
        break;
      case WavSamples::Float32: {
        bits = 32;
        tag = 3;
        const float value = static_cast<float>(sample) / 32768.0f;
        std::uint32_t word = 0;
        std::memcpy(&word, &value, sizeof word);
        Put32(data, word);
        break;
      }
    }
  }
  WriteFile(path, WavHeader(spec.rate, spec.channels, bits, tag, static_cast<std::uint32_t>(data.size())) + data);
}

void WriteWavSamples(const std::string& path, int rate, int channels, const std::vector<std::int16_t>& samples) {
  std::string data;
  for (const std::int16_t sample : samples) Put16(data, static_cast<std::uint16_t>(sample));
  WriteFile(path, WavHeader(rate, channels, 16, 1, static_cast<std::uint32_t>(data.size())) + data);
}

void WriteMp3(const std::string& path, const AudioSpec& spec, int kilobitsPerSecond) {
  std::vector<std::int16_t> samples = RenderSamples(spec);
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, spec.rate);
  lame_set_out_samplerate(lame, spec.rate);
  lame_set_num_channels(lame, spec.channels);
  lame_set_mode(lame, spec.channels == 1 ? MONO : JOINT_STEREO);
  lame_set_brate(lame, kilobitsPerSecond);
  lame_set_quality(lame, 7);
  lame_set_bWriteVbrTag(lame, 1);
  if (lame_init_params(lame) < 0) {
    lame_close(lame);
    throw std::runtime_error("lame_init_params failed");
  }
  File out(path);
  std::vector<unsigned char> encoded(1 << 16);
  constexpr int kBlockFrames = 4096;
  const int frames = static_cast<int>(samples.size() / static_cast<std::size_t>(spec.channels));
  for (int start = 0; start < frames; start += kBlockFrames) {
    const int count = std::min(kBlockFrames, frames - start);
    std::int16_t* block = samples.data() + static_cast<std::ptrdiff_t>(start) * spec.channels;
    const int bytes = spec.channels == 1
                          ? lame_encode_buffer(lame, block, block, count, encoded.data(), static_cast<int>(encoded.size()))
                          : lame_encode_buffer_interleaved(lame, block, count, encoded.data(),
                                                           static_cast<int>(encoded.size()));
    if (bytes < 0) throw std::runtime_error("lame_encode_buffer failed");
    out.Write(encoded.data(), static_cast<std::size_t>(bytes));
  }
  const int tail = lame_encode_flush(lame, encoded.data(), static_cast<int>(encoded.size()));
  if (tail < 0) throw std::runtime_error("lame_encode_flush failed");
  out.Write(encoded.data(), static_cast<std::size_t>(tail));
  // The first frame was a placeholder; the LAME header with the delay and
  // padding replaces it now that they are known.
  const std::size_t tagBytes = lame_get_lametag_frame(lame, encoded.data(), encoded.size());
  out.Rewind();
  out.Write(encoded.data(), tagBytes);
  lame_close(lame);
}

void WriteOggVorbis(const std::string& path, const AudioSpec& spec, float quality) {
  const std::vector<std::int16_t> samples = RenderSamples(spec);
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, spec.channels, spec.rate, quality) != 0) {
    vorbis_info_clear(&info);
    throw std::runtime_error("vorbis_encode_init_vbr failed");
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 20240601);

  File out(path);
  ogg_page page;
  ogg_packet packet;
  auto writePages = [&](bool flush) {
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
      out.Write(page.header, static_cast<std::size_t>(page.header_len));
      out.Write(page.body, static_cast<std::size_t>(page.body_len));
    }
  };
  ogg_packet header;
  ogg_packet commentHeader;
  ogg_packet codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  writePages(true);

  auto drain = [&] {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        writePages(false);
      }
    }
  };
  constexpr std::size_t kBlockFrames = 4096;
  const std::size_t frames = samples.size() / static_cast<std::size_t>(spec.channels);
  for (std::size_t start = 0; start < frames; start += kBlockFrames) {
    const std::size_t count = std::min(kBlockFrames, frames - start);
    float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
    for (std::size_t i = 0; i < count; ++i) {
      for (int channel = 0; channel < spec.channels; ++channel) {
        buffer[channel][i] = samples[(start + i) * static_cast<std::size_t>(spec.channels) +
                                     static_cast<std::size_t>(channel)] / 32768.0f;
      }
    }
    vorbis_analysis_wrote(&dsp, static_cast<int>(count));
    drain();
  }
  vorbis_analysis_wrote(&dsp, 0);
  drain();
  writePages(true);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
}

void WriteWithFfmpeg(const std::string& path, const AudioSpec& spec, const std::string& outputOptions) {
  const std::string wav = path + ".source.wav";
  WriteWav(wav, spec);
  const std::string command =
      "ffmpeg -nostdin -y -loglevel error -i '" + wav + "' " + outputOptions + " '" + path + "'";
  const int status = std::system(command.c_str());
  std::remove(wav.c_str());
  if (status != 0) throw std::runtime_error("ffmpeg failed: " + command);
}

std::vector<std::int16_t> DecodeMp3Reference(const std::string& path) {
  mpg123_init();
  int status = 0;
  mpg123_handle* handle = mpg123_new(nullptr, &status);
  if (!handle) throw std::runtime_error("mpg123_new failed");
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
  mpg123_format_none(handle);
  const long* rates = nullptr;
  std::size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (std::size_t i = 0; i < rateCount; ++i) {
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  std::vector<std::int16_t> samples;
  if (mpg123_open(handle, path.c_str()) == MPG123_OK) {
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
      std::size_t done = 0;
      status = mpg123_read(handle, buffer.data(), buffer.size(), &done);
      const auto* values = reinterpret_cast<const std::int16_t*>(buffer.data());
      samples.insert(samples.end(), values, values + done / 2);
      if (status != MPG123_OK && status != MPG123_NEW_FORMAT) break;
    }
    mpg123_close(handle);
  }
  mpg123_delete(handle);
  return samples;
}

std::vector<std::int16_t> ReadWavData(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (contents.size() < 44 || contents.compare(0, 4, "RIFF") != 0 || contents.compare(36, 4, "data") != 0) {
    return {};
  }
  std::vector<std::int16_t> samples((contents.size() - 44) / 2);
  std::memcpy(samples.data(), contents.data() + 44, samples.size() * 2);
  return samples;
}

}  // namespace tarvo::testing
