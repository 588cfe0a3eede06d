#include "radio/stream_status.h"

#include <algorithm>
#include <charconv>

#include "base/untrusted_text.h"
#include "media/probes.h"
#include "playlist/entry.h"
#include "playlist/entry_caption.h"
#include "radio/radio_messages.h"
#include "radio/stream_keys.h"
#include "radio/stream_recorder.h"

namespace tarvo {

namespace {

constexpr int kFullUpdateTicks = 300;
// A bit rate is a short number; anything longer is cut.
constexpr std::size_t kShownBitRateChars = 12;

struct StreamFacts {
  std::string title;
  std::string bitRateText = "?";
  int bitRate = 0;
};

// The whole of `text` as a decimal number; 0 when it is not one.
int IntegerValue(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

StreamFacts ReadFacts(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle decoder) {
  StreamFacts facts;
  try {
    const TKeys keys = ReadStreamKeys(library, decoder);
    facts.title = FindKey("StreamTitle", keys).value;
    // "icy-br: 128" as some servers write it is 128 too.
    std::string bitRate = FindKey("icy-br", keys).value;
    bitRate.erase(0, std::min(bitRate.find_first_not_of(' '), bitRate.size()));
    if (!bitRate.empty()) {
      facts.bitRateText = ShowableNetworkText(bitRate, kShownBitRateChars);
      facts.bitRate = IntegerValue(bitRate);
    } else {
      facts.bitRate = BitRateOf(library, path, decoder);
      if (facts.bitRate > 0) facts.bitRateText = std::to_string(facts.bitRate);
    }
  } catch (const std::exception&) {
    // Whatever was gathered is shown: "?" or the raw bit rate, the entry's title.
  }
  return facts;
}

}  // namespace

std::string BufferingText(std::int64_t waitingBytes, std::int64_t resumeBytes) {
  if (resumeBytes <= 0) resumeBytes = 100000;
  std::int64_t percent = waitingBytes * 100 / resumeBytes;
  if (percent < 5) percent = 0;
  percent = std::min<std::int64_t>(percent, 100);
  return "Buffering..." + std::to_string(percent) + "%";
}

void ShowStreamPanel(RadioCore& core, const std::string& text) {
  if (core.texts.Panel(StatusPanel::Progress) == text) return;
  core.texts.Panel(StatusPanel::Progress) = text;
  core.ui.WindowTextsChanged();
}

void ShowLostConnection(RadioCore& core) {
  ShowStreamPanel(core, radio_messages::kLostConnectionText);
  const std::string hint =
      std::string(radio_messages::kLostConnectionHint) + std::string(EntryTitle(core.playlist.PlayingEntry));
  if (core.texts.labelTime.empty() && core.texts.trayHint == hint) return;
  core.texts.labelTime.clear();
  core.texts.trayHint = hint;
  core.ui.WindowTextsChanged();
}

void StreamStatusUpdate(RadioCore& core, ProgressState& seekBar, audio::AudioLibrary& library, int& counter,
                        audio::AudioHandle decoder, audio::AudioHandle output) {
  if (++counter % kFullUpdateTicks != 0) return;
  counter = 0;
  const std::string& entry = core.playlist.PlayingEntry;
  StreamFacts facts = ReadFacts(library, std::string(EntryLocation(entry)), decoder);
  // The title comes from the station: shown as safe text, never too long.
  std::string title = ShowableNetworkText(facts.title);
  if (core.streamTitle != title) {
    core.streamTitle = title;
    core.ui.WindowTextsChanged();
  }
  if (title.empty()) title = EntryTitle(entry);
  const std::string statusLine = facts.bitRateText + " Kbps " + std::to_string(SampleRateOf(library, "", output)) +
                                 " Hz - " + (IsStereo(library, "", output) ? "Stereo" : "Mono");
  SetEntryCaption(core, title, title, statusLine);
  ShowStreamPanel(core, statusLine);
  if (library.ChannelIsActive(output) == audio::ChannelState::Stopped) {
    core.playback.StopPlayback(true);
    return;
  }
  seekBar.SetPosition(0);
  // While a recording runs, its time left on the disk takes the place of
  // the download rate.
  if (core.recorder && core.recorder->Recording()) {
    core.recorder->ShowTimeLeft(core);
    return;
  }
  const std::string rate = "Playing internet stream at " + std::to_string(facts.bitRate / 8) + " KB/s";
  if (core.texts.labelTime != rate) {
    core.texts.labelTime = rate;
    core.ui.WindowTextsChanged();
  }
}

}  // namespace tarvo
