#include "media/replay_gain.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace tarvo {

namespace {

// R128 gains reach -23 LUFS, ReplayGain's reference level is 5 dB louder.
constexpr double kR128ToReplayGainDb = 5.0;
// The largest factor a file may ask for, so that a tag written wrong does
// not blast the speakers.
constexpr double kMaxFactor = 16.0;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<double> ParseNumber(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The gain in dB and the peak (0 when unknown) of one scope, "TRACK" or
// "ALBUM".
std::optional<std::pair<double, double>> GainOf(const FileTags& tags, std::string_view scope) {
  const std::string prefix = "REPLAYGAIN_" + std::string(scope);
  if (const std::optional<double> gain = ParseGainDb(tags.Field(prefix + "_GAIN"))) {
    const double peak = ParseNumber(tags.Field(prefix + "_PEAK")).value_or(0.0);
    return std::pair{*gain, peak > 0 ? peak : 0.0};
  }
  // R128 values are Q7.8 fixed-point integers.
  if (const std::optional<double> q78 = ParseNumber(tags.Field("R128_" + std::string(scope) + "_GAIN"))) {
    return std::pair{*q78 / 256.0 + kR128ToReplayGainDb, 0.0};
  }
  return std::nullopt;
}

}  // namespace

std::optional<double> ParseGainDb(std::string_view text) {
  text = Trimmed(text);
  if (text.size() >= 2 && (text.substr(text.size() - 2) == "dB" || text.substr(text.size() - 2) == "db")) {
    text.remove_suffix(2);
  }
  return ParseNumber(text);
}

double ReplayGainFactor(const FileTags& tags, ReplayGainMode mode) {
  if (mode == ReplayGainMode::Off) return 1.0;
  std::optional<std::pair<double, double>> gain;
  if (mode == ReplayGainMode::Album) gain = GainOf(tags, "ALBUM");
  if (!gain) gain = GainOf(tags, "TRACK");
  if (!gain) return 1.0;
  const auto [db, peak] = *gain;
  double factor = std::min(std::pow(10.0, db / 20.0), kMaxFactor);
  if (peak > 0) factor = std::min(factor, 1.0 / peak);
  return factor;
}

}  // namespace tarvo
