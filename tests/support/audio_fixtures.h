// Audio files made at test time, with known contents: tones and silences of
// known lengths, rates and channel counts, as WAV (several sample formats),
// MP3 (libmp3lame, with the LAME header that makes decoding gapless) and Ogg
// Vorbis (libvorbisenc). Also the reference decode of an MP3 by libmpg123.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvo::testing {

// One stretch of sound: a sine of `frequency` Hz at `amplitude` (0..1 of
// full scale), or silence when either is 0.
struct AudioSegment {
  double seconds = 0.0;
  double frequency = 0.0;
  double amplitude = 0.0;
};

AudioSegment Tone(double seconds, double frequency = 440.0, double amplitude = 0.5);
AudioSegment Silence(double seconds);

struct AudioSpec {
  int rate = 44100;
  int channels = 2;
  std::vector<AudioSegment> segments;

  // Frames of all segments together, each segment rounded to whole frames.
  std::int64_t Frames() const;
};

// 16-bit interleaved samples; every channel carries the same signal.
std::vector<std::int16_t> RenderSamples(const AudioSpec& spec);

enum class WavSamples { Unsigned8, Signed16, Signed24, Signed32, Float32 };

// Writes a canonical WAV file. The wider formats carry the 16-bit samples
// exactly (shifted up), float carries sample / 32768.
void WriteWav(const std::string& path, const AudioSpec& spec, WavSamples format = WavSamples::Signed16);
// Raw 16-bit samples behind a canonical header (any channel count and rate,
// also ones no player accepts).
void WriteWavSamples(const std::string& path, int rate, int channels, const std::vector<std::int16_t>& samples);

// Constant bit rate, with the LAME/Xing header that records encoder delay
// and padding. Quick encoder settings: fixtures are small.
void WriteMp3(const std::string& path, const AudioSpec& spec, int kilobitsPerSecond = 128);
void WriteOggVorbis(const std::string& path, const AudioSpec& spec, float quality = 0.2f);
// Encodes with the ffmpeg command; `outputOptions` go before the output path
// (for example "-c:a aac -b:a 96k", or "-f mpegts" for a transport stream).
// The output's name tells ffmpeg the container (".aac" is ADTS, ".m4a" MP4).
void WriteWithFfmpeg(const std::string& path, const AudioSpec& spec, const std::string& outputOptions);

// What libmpg123 on its own decodes from the file: gapless, 16-bit signed,
// at the file's rate and channel count.
std::vector<std::int16_t> DecodeMp3Reference(const std::string& path);

// The sample data of a 16-bit PCM WAV file as written by the wav outputs
// (the "data" chunk after a 44-byte header); empty when it isn't one.
std::vector<std::int16_t> ReadWavData(const std::string& path);

}  // namespace tarvo::testing
