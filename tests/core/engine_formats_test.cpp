// The engine over FLAC, Opus and M4A files: halves of one tone join without
// a gap, and ReplayGain levels what reaches the output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "playback/engine.h"
#include "playback/sequencing.h"
#include "playlist/model.h"
#include "support/audio_fixtures.h"
#include "support/engine_fixture.h"

namespace tarvo {
namespace {

using namespace std::chrono_literals;
using testing::AudioSpec;
using testing::Tone;

// 441 Hz is 100 samples a period at 44100 Hz and 480/441 at 48000: whole
// seconds of it end where the next second begins.
constexpr double kToneHz = 441.0;

class EngineFormatsTest : public testing::EngineFixture {
 protected:
  void SetUp() override { UseOutput("wav-fast:" + home.Path() + "out.wav"); }

  std::vector<std::int16_t> PlayToTheEnd(std::vector<std::string> entries) {
    core->settings.playMode = kPlayListMode;
    core->playlist.PlaylistEntries = std::move(entries);
    UpdateListView(*core, false, false);
    engine->PlayEntry(0);
    EXPECT_TRUE(TickUntil([&] { return !engine->DeviceOpen(); }, 20s));
    return testing::ReadWavData(home.Path() + "out.wav");
  }
};

// The largest difference between what was heard and the unbroken tone,
// around the joint of two halves; the heard samples may have lost a short
// near-silent lead-in of the second half, which the search allows for.
int WorstAtJoint(const std::vector<std::int16_t>& heard, const std::vector<std::int16_t>& tone, std::size_t joint) {
  int worst = 0;
  const std::size_t skipped = tone.size() - heard.size();
  for (std::size_t i = joint - 2000; i < joint + 2000 && i < heard.size(); ++i) {
    const std::size_t at = i < joint ? i : i + skipped;
    worst = std::max(worst, std::abs(heard[i] - tone[at]));
  }
  return worst;
}

TEST_F(EngineFormatsTest, HalvesOfOneToneJoinWithoutAGapInEveryFormat) {
  struct Case {
    const char* extension;
    int rate;
    int tolerance;  // the codec's own error
  };
  for (const Case& format : {Case{".flac", 44100, 0}, Case{".m4a", 44100, 0}, Case{".opus", 48000, 1500}}) {
    SCOPED_TRACE(format.extension);
    const AudioSpec half{format.rate, 2, {Tone(4.0, kToneHz, 0.5)}};
    std::vector<std::string> halves;
    for (const char* name : {"first", "second"}) {
      const std::string path = home.Path() + name + format.extension;
      if (std::string(format.extension) == ".flac") testing::WriteFlac(path, half);
      if (std::string(format.extension) == ".m4a") testing::WriteWithFfmpeg(path, half, "-c:a alac");
      if (std::string(format.extension) == ".opus") testing::WriteOpus(path, half);
      halves.push_back(path);
    }
    const std::vector<std::int16_t> heard = PlayToTheEnd(halves);
    const AudioSpec whole{format.rate, 2, {Tone(8.0, kToneHz, 0.5)}};
    const std::vector<std::int16_t> tone = testing::RenderSamples(whole);
    ASSERT_LE(heard.size(), tone.size());
    EXPECT_LE(tone.size() - heard.size(), 2u * format.rate / 1000) << "at most a millisecond of lead-in";
    EXPECT_LE(WorstAtJoint(heard, tone, testing::RenderSamples(half).size()), format.tolerance);
  }
}

double Rms(const std::vector<std::int16_t>& samples) {
  double sum = 0;
  for (const std::int16_t sample : samples) sum += static_cast<double>(sample) * sample;
  return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

TEST_F(EngineFormatsTest, ReplayGainLowersATaggedFileByItsTrackOrAlbumGain) {
  const AudioSpec spec{44100, 2, {Tone(1.0, kToneHz, 0.5)}};
  const std::string tagged = home.Path() + "tagged.flac";
  testing::WriteFlac(tagged, spec, 16,
                     {"REPLAYGAIN_TRACK_GAIN=-6.00 dB", "REPLAYGAIN_TRACK_PEAK=0.5",
                      "REPLAYGAIN_ALBUM_GAIN=-12.00 dB", "REPLAYGAIN_ALBUM_PEAK=0.5"});
  const std::string plain = home.Path() + "plain.flac";
  testing::WriteFlac(plain, spec);
  const double level = Rms(testing::RenderSamples(spec));

  struct Case {
    ReplayGainMode mode;
    std::string path;
    double db;
  };
  for (const Case& played : {Case{ReplayGainMode::Off, tagged, 0.0}, Case{ReplayGainMode::Track, tagged, -6.0},
                             Case{ReplayGainMode::Album, tagged, -12.0}, Case{ReplayGainMode::Track, plain, 0.0}}) {
    SCOPED_TRACE(static_cast<int>(played.mode));
    core->settings.replayGain = played.mode;
    const double heard = Rms(PlayToTheEnd({played.path}));
    EXPECT_NEAR(20 * std::log10(heard / level), played.db, 0.05);
  }
}

}  // namespace
}  // namespace tarvo
