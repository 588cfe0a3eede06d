// What the audio benchmarks share: music-like audio encoded at run time by
// the command-line encoders (lame, flac, opusenc, ffmpeg), and the CPU time
// the whole process has used.
#pragma once

#include <time.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace tarvo::bench {

// Seconds of CPU used by every thread of this process so far.
inline double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Pipes `seconds` of 44.1 kHz 16-bit little-endian stereo into `command`,
// which encodes it: two drifting tones and a little noise, so the encoder has
// music-like work. False when the command is missing or fails.
inline bool EncodeMusic(const std::string& command, int seconds) {
  std::FILE* encoder = popen(command.c_str(), "w");
  if (!encoder) return false;
  constexpr int kRate = 44100;
  std::vector<std::int16_t> block(2 * kRate);
  std::uint32_t noise = 12345;
  for (int second = 0; second < seconds; ++second) {
    for (int i = 0; i < kRate; ++i) {
      const double t = second + static_cast<double>(i) / kRate;
      const double low = std::sin(2 * std::numbers::pi * (220.0 + 30.0 * std::sin(t / 7.0)) * t);
      const double high = std::sin(2 * std::numbers::pi * (1320.0 + 200.0 * std::sin(t / 3.0)) * t);
      noise = noise * 1664525u + 1013904223u;
      const double hiss = static_cast<double>(noise >> 16) / 65536.0 - 0.5;
      block[2 * i] = static_cast<std::int16_t>(9000 * low + 3000 * high + 800 * hiss);
      block[2 * i + 1] = static_cast<std::int16_t>(7000 * low + 4000 * high - 800 * hiss);
    }
    if (std::fwrite(block.data(), sizeof block[0], block.size(), encoder) != block.size()) break;
  }
  return pclose(encoder) == 0;
}

// An MP3 at 128 kbit/s through lame.
inline bool MakeMp3(const std::string& path, int seconds) {
  return EncodeMusic(
      "lame -r -s 44.1 --bitwidth 16 --signed --little-endian -m j -b 128 -q 7 --silent - '" + path + "' 2>/dev/null",
      seconds);
}

}  // namespace tarvo::bench
