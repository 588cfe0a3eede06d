// The playback engine over the real audio layer: what reaches the output
// when entries play, end, join and are cut; the probe warnings; pause, stop
// and seek; the seek bar and the time label. The output is `wav-fast` (what
// would be heard, written to a file as fast as it is produced) where the
// bytes matter, and `null` (paced in real time) where time matters. The
// status tick runs by hand, in loops with deadlines.
#include "playback/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <thread>

#include "base/time_texts.h"
#include "media/file_info.h"
#include "playback/key_dispatcher.h"
#include "playback/sequencing.h"
#include "playlist/entry.h"
#include "playlist/model.h"
#include "support/audio_fixtures.h"
#include "support/engine_fixture.h"

namespace tarvo {
namespace {

using namespace std::chrono_literals;
using testing::AudioSpec;
using testing::ReadWavData;
using testing::Silence;
using testing::Tone;
using Clock = std::chrono::steady_clock;

// 441 Hz is exactly 100 samples per period at 44100 Hz: a tone of whole
// seconds ends where the next one begins, so two files make one tone.
constexpr double kToneHz = 441.0;
constexpr double kToneAmplitude = 0.5;
constexpr int kCdRate = 44100;
// Below 1 % of full scale counts as silence at a joint.
constexpr int kNearSilent = 328;

AudioSpec ToneSpec(double seconds, int rate = kCdRate, int channels = 2) {
  return AudioSpec{rate, channels, {Tone(seconds, kToneHz, kToneAmplitude)}};
}

std::int64_t FramesOf(double seconds, int rate = kCdRate) { return std::llround(seconds * rate); }

// The longest run of frames whose left sample is near silence.
std::int64_t LongestQuietRun(const std::vector<std::int16_t>& stereo) {
  std::int64_t longest = 0;
  std::int64_t run = 0;
  for (std::size_t i = 0; i < stereo.size(); i += 2) {
    run = std::abs(stereo[i]) < kNearSilent ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

double Rms(const std::vector<std::int16_t>& samples) {
  double sum = 0;
  for (const std::int16_t sample : samples) sum += static_cast<double>(sample) * sample;
  return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

class EngineTest : public testing::EngineFixture {
 protected:
  void UseWavFast() { UseOutput("wav-fast:" + OutPath()); }

  // The WAV output's file; a stream in another format goes to "out-2.wav".
  std::string OutPath(int number = 1) const {
    return home.Path() + (number == 1 ? std::string("out.wav") : "out-" + std::to_string(number) + ".wav");
  }

  void SetEntries(std::vector<std::string> entries) {
    core->playlist.PlaylistEntries = std::move(entries);
    UpdateListView(*core, false, false);
  }

  std::string Mp3(const std::string& name, const AudioSpec& spec) {
    const std::string path = home.Path() + name;
    testing::WriteMp3(path, spec);
    return path;
  }
  std::string Wav(const std::string& name, const AudioSpec& spec) {
    const std::string path = home.Path() + name;
    testing::WriteWav(path, spec);
    return path;
  }

  // Ticks for `duration` whatever happens.
  void TickFor(std::chrono::milliseconds duration) {
    TickUntil([] { return false; }, duration);
  }

  std::int64_t BytesOfMs(std::int64_t milliseconds) {
    return library->ChannelSeconds2Bytes(engine->OutputStream(), static_cast<double>(milliseconds) / 1000);
  }
  audio::ChannelState OutputState() { return library->ChannelIsActive(engine->OutputStream()); }
};

TEST_F(EngineTest, PlaysWavMp3AndOggToTheLastSampleThenStops) {
  UseWavFast();
  core->settings.playMode = kPlayFileMode;
  const AudioSpec spec = ToneSpec(2.0);
  const std::string wav = Wav("tone.wav", spec);
  const std::string mp3 = Mp3("tone.mp3", spec);
  const std::string ogg = home.Path() + "tone.ogg";
  testing::WriteOggVorbis(ogg, spec);
  SetEntries({wav, mp3, ogg});

  struct Case {
    int index;
    std::string caption;
    std::regex info;
  };
  const std::vector<Case> cases = {{0, "tone.wav - Tarvo", std::regex("44100 Hz 16 bit Stereo")},
                                   {1, "tone.mp3 - Tarvo", std::regex(R"(\d+ Kbps Stereo)")},
                                   {2, "tone.ogg - Tarvo", std::regex(R"(\d+ Kbps Stereo)")}};
  for (const Case& playing : cases) {
    SCOPED_TRACE(playing.caption);
    engine->PlayEntry(playing.index);
    EXPECT_EQ(core->playlist.CurrentIndex, playing.index);
    EXPECT_EQ(core->texts.caption, playing.caption);
    EXPECT_TRUE(std::regex_match(core->texts.statusPanels[3], playing.info)) << core->texts.statusPanels[3];
    EXPECT_FALSE(statusThread.IsSuspended());
    // Play file: after the entry the player stops and lets the device go.
    ASSERT_TRUE(TickUntil([&] { return !engine->DeviceOpen(); }));
    EXPECT_EQ(core->texts.caption, kProgramCaption);
    EXPECT_EQ(core->texts.statusPanels[3], "");
    EXPECT_TRUE(statusThread.IsSuspended());

    const std::vector<std::int16_t> heard = ReadWavData(OutPath());
    ASSERT_EQ(static_cast<std::int64_t>(heard.size()), spec.Frames() * 2);
    if (playing.index == 0) {
      EXPECT_TRUE(heard == testing::RenderSamples(spec)) << "the WAV entry is heard sample for sample";
    } else if (playing.index == 1) {
      EXPECT_TRUE(heard == testing::DecodeMp3Reference(mp3)) << "the MP3 entry is heard as libmpg123 decodes it";
    } else {
      EXPECT_NEAR(Rms(heard), Rms(testing::RenderSamples(spec)), 600);
    }
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EngineTest, EntriesThatCannotPlayAreReportedAndThePlayingOneGoesOn) {
  UseOutput("null");
  const std::string playing = Wav("playing.wav", ToneSpec(3.0, 22050, 1));
  const std::string missing = home.Path() + "gone.mp3";
  const std::string module = home.Write("song.xm", "Extended Module: a tracker song\x1a");
  const std::string text = home.Write("notes.mp3", std::string(4000, 'x') + "\nnot MPEG audio\n");
  SetEntries({playing, missing, module, text});

  engine->PlayEntry(0);
  const audio::AudioHandle output = engine->OutputStream();
  ASSERT_NE(output, 0u);
  for (int index = 1; index <= 3; ++index) engine->PlayEntry(index);

  ASSERT_EQ(ui.messages.size(), 3u);
  for (const testing::ShownMessage& message : ui.messages) EXPECT_EQ(message.kind, MessageKind::Warning);
  EXPECT_EQ(ui.messages[0].text, "File not found.\r\r" + missing);
  EXPECT_EQ(ui.messages[1].text, "Unknown file format.\r\r" + module);
  EXPECT_EQ(ui.messages[2].text, "Unsupported file format.\r\r" + text);

  EXPECT_EQ(engine->OutputStream(), output);
  EXPECT_EQ(core->playlist.CurrentIndex, 0);
  EXPECT_EQ(core->playlist.PlayingEntry, playing);
  EXPECT_EQ(core->texts.caption, "playing.wav - Tarvo");
  EXPECT_EQ(OutputState(), audio::ChannelState::Playing);
  const std::int64_t before = engine->ElapsedMs();
  std::this_thread::sleep_for(50ms);
  EXPECT_GT(engine->ElapsedMs(), before);
}

TEST_F(EngineTest, StopPausesThenReleasesAndASeekKeepsAPausedEntryPaused) {
  UseOutput("null");
  const std::string entry = Wav("ten.wav", ToneSpec(10.0, 22050, 1));
  SetEntries({entry});
  engine->PlayEntry(0);
  ASSERT_TRUE(engine->DeviceOpen());
  ASSERT_FALSE(engine->IsPaused());

  engine->StopStep();
  EXPECT_TRUE(engine->IsPaused());
  EXPECT_EQ(core->texts.statusPanels[3], "Paused");
  EXPECT_TRUE(statusThread.IsSuspended());
  const std::int64_t pausedAt = engine->ElapsedMs();
  std::this_thread::sleep_for(60ms);
  EXPECT_EQ(engine->ElapsedMs(), pausedAt);

  // The elapsed time starts from the new position, and nothing plays.
  engine->SeekTo(BytesOfMs(4000));
  EXPECT_TRUE(engine->IsPaused());
  EXPECT_NEAR(engine->ElapsedMs(), 4000, 60);
  // To or past the end lands one second before it.
  engine->SeekTo(BytesOfMs(60000));
  EXPECT_TRUE(engine->IsPaused());
  EXPECT_NEAR(engine->ElapsedMs(), 9000, 60);
  std::this_thread::sleep_for(40ms);
  EXPECT_NEAR(engine->ElapsedMs(), 9000, 60);

  engine->PauseOrResume();
  EXPECT_FALSE(engine->IsPaused());
  EXPECT_EQ(core->texts.statusPanels[3], "22050 Hz 16 bit Mono");
  EXPECT_FALSE(statusThread.IsSuspended());
  EXPECT_TRUE(TickUntil([&] { return core->progress.position > 9050; }, 2s));

  engine->StopStep();
  EXPECT_TRUE(engine->IsPaused());
  EXPECT_TRUE(engine->DeviceOpen());
  engine->StopStep();
  EXPECT_FALSE(engine->DeviceOpen());
  EXPECT_EQ(engine->OutputStream(), 0u);
  EXPECT_FALSE(engine->IsPaused());
  EXPECT_EQ(core->texts.labelTime, "");
  EXPECT_EQ(core->texts.caption, kProgramCaption);
  EXPECT_EQ(core->texts.statusPanels[3], "");
  EXPECT_EQ(core->progress.position, 0);
  // The stopped entry stays the one the player knows.
  EXPECT_EQ(core->playlist.PlayingEntry, entry);
  // A third stop has nothing to do.
  engine->StopStep();
  EXPECT_FALSE(engine->DeviceOpen());
}

TEST_F(EngineTest, SeeksAndRewindsOfAPausedEntryAreNeverHeard) {
  // Real time: the WAV holds what a listener heard, and stops growing at a
  // pause.
  UseOutput("wav:" + OutPath());
  SetEntries({Wav("ten.wav", ToneSpec(10.0, 22050, 1))});
  engine->PlayEntry(0);
  ASSERT_TRUE(TickUntil([&] { return engine->ElapsedMs() > 300; }));
  engine->PauseOrResume();
  ASSERT_TRUE(engine->IsPaused());
  std::this_thread::sleep_for(100ms);
  EXPECT_GE(engine->ElapsedMs(), 300);  // also lets the output hand over what was heard
  const std::size_t heardAtPause = ReadWavData(OutPath()).size();

  for (int i = 0; i < 10; ++i) {
    DispatchKeyCommand(*core, kKeyRight, kNoModifier);
    engine->SeekStepRelease();
  }
  for (int i = 0; i < 10; ++i) DispatchKeyCommand(*core, kKeyBackspace, kNoModifier);
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(engine->IsPaused());
  EXPECT_EQ(ReadWavData(OutPath()).size(), heardAtPause);

  // Resumed at the rewound start: what follows the pause is the entry's
  // beginning again.
  engine->PauseOrResume();
  const std::size_t compared = FramesOf(0.2, 22050);
  ASSERT_TRUE(TickUntil([&] { return ReadWavData(OutPath()).size() >= heardAtPause + compared; }));
  const std::vector<std::int16_t> heard = ReadWavData(OutPath());
  EXPECT_TRUE(std::equal(heard.begin(), heard.begin() + static_cast<std::ptrdiff_t>(compared),
                         heard.begin() + static_cast<std::ptrdiff_t>(heardAtPause)));
}

TEST_F(EngineTest, ASeekAfterTheDecoderRanOutOpensTheEntryAfresh) {
  UseOutput("null");
  SetEntries({Wav("short.wav", ToneSpec(2.0, 22050, 1))});
  engine->PlayEntry(0);
  const audio::AudioHandle first = engine->OutputStream();
  // The output's buffer takes the whole entry at once.
  const auto deadline = Clock::now() + 2s;
  while (!engine->DecoderEnded() && Clock::now() < deadline) std::this_thread::sleep_for(2ms);
  ASSERT_TRUE(engine->DecoderEnded());

  engine->SeekTo(BytesOfMs(1000));
  EXPECT_NE(engine->OutputStream(), first);
  EXPECT_NE(engine->OutputStream(), 0u);
  EXPECT_FALSE(engine->DecoderEnded());
  EXPECT_EQ(OutputState(), audio::ChannelState::Playing);
  EXPECT_NEAR(engine->ElapsedMs(), 1000, 100);
}

TEST_F(EngineTest, TheTimeShowsHundredthsAndTicksFasterUpToTenSeconds) {
  UseOutput("null");
  SetEntries({Wav("nine.wav", ToneSpec(9.5, 22050, 1)), Wav("ten.wav", ToneSpec(10.0, 22050, 1))});

  engine->PlayEntry(0);
  EXPECT_EQ(core->progress.max, 9500);
  EXPECT_TRUE(core->progress.showHundredths);
  EXPECT_EQ(statusThread.periodMs, 10);
  const std::regex hundredths(R"(0:0\d:\d\d / 0:09:50 / -0:09:\d\d)");
  EXPECT_TRUE(TickUntil([&] { return core->progress.position > 0; }, 2s));
  EXPECT_TRUE(std::regex_match(core->texts.labelTime, hundredths)) << core->texts.labelTime;

  engine->PlayEntry(1);
  EXPECT_EQ(core->progress.max, 10000);
  EXPECT_FALSE(core->progress.showHundredths);
  EXPECT_EQ(statusThread.periodMs, 33);
  const std::regex seconds(R"(0:00 / 0:10 / -0:(10|09))");
  EXPECT_TRUE(TickUntil([&] { return core->progress.position > 0; }, 2s));
  EXPECT_TRUE(std::regex_match(core->texts.labelTime, seconds)) << core->texts.labelTime;

  TickFor(30ms);
  engine->TotalRewind();
  EXPECT_EQ(core->progress.position, 0);
  EXPECT_EQ(core->texts.labelTime, "0:00* / 0:10 / -0:10");
  EXPECT_NEAR(engine->ElapsedMs(), 0, 60);
}

// The tick skips formatting while the key stays: a key that stayed over a
// change of text would leave the label stale.
TEST(TimeLabelKeyTest, TheTextChangesOnlyWithTheKey) {
  for (const bool hundredths : {false, true}) {
    for (const std::int64_t length : {9500, 10000, 185321}) {
      std::string previousText = TimeLabelText(0, length, hundredths);
      TimeLabelKey previousKey = TimeLabelKeyOf(0, length, hundredths);
      for (std::int64_t elapsed = 3; elapsed <= length; elapsed += 3) {
        const std::string text = TimeLabelText(elapsed, length, hundredths);
        const TimeLabelKey key = TimeLabelKeyOf(elapsed, length, hundredths);
        if (key == previousKey) {
          ASSERT_EQ(text, previousText) << elapsed << " of " << length;
        }
        previousText = text;
        previousKey = key;
      }
    }
  }
}

TEST_F(EngineTest, WhileASeekIsPendingNeitherTheBarNorTheTimeFollowPlayback) {
  UseOutput("null");
  SetEntries({Wav("ten.wav", ToneSpec(10.0, 22050, 1))});
  engine->PlayEntry(0);
  ASSERT_TRUE(TickUntil([&] { return core->progress.position > 0; }, 2s));

  // A held seek key moves the bar by 3 s, Shift by 0.1 s; the seek is made
  // when the key is let go.
  const std::int64_t start = core->progress.position;
  engine->SeekStep(+1, 0);
  engine->SeekStep(-1, kShiftModifier);
  const std::int64_t target = start + 3000 - 100;
  EXPECT_EQ(core->progress.position, target);
  const std::string label = TimeLabelText(target, 10000, false);
  EXPECT_EQ(core->texts.labelTime, label);
  TickFor(120ms);
  EXPECT_EQ(core->progress.position, target);
  EXPECT_EQ(core->texts.labelTime, label);
  engine->SeekStepRelease();
  EXPECT_FALSE(core->progress.seekPending);
  EXPECT_NEAR(engine->ElapsedMs(), target, 100);
  EXPECT_TRUE(TickUntil([&] { return core->progress.position > target; }, 2s));

  // The bar: pressed at three quarters, dragged, let go.
  engine->SeekBarDown(75, 100);
  EXPECT_EQ(core->progress.position, 7500);
  TickFor(120ms);
  EXPECT_EQ(core->progress.position, 7500);
  EXPECT_EQ(core->texts.labelTime, "0:07 / 0:10 / -0:02");
  engine->SeekBarMove(80, 100);
  engine->SeekBarMove(10, 0);  // no width: stays
  EXPECT_EQ(core->progress.position, 8000);
  engine->SeekBarUp();
  EXPECT_NEAR(engine->ElapsedMs(), 8000, 100);
  EXPECT_TRUE(TickUntil([&] { return core->progress.position > 8000; }, 2s));
}

TEST_F(EngineTest, PlayListModeStopsAfterTheLastEntryHasBeenHeard) {
  UseOutput("null");
  core->settings.playMode = kPlayListMode;
  // Longer than 3 s, so the end is the engine's "stop once drained" event,
  // not the restart of a short entry.
  SetEntries({Wav("last.wav", ToneSpec(3.2, 8000, 1))});
  const auto start = Clock::now();
  engine->PlayEntry(0);
  ASSERT_TRUE(TickUntil([&] { return !engine->DeviceOpen(); }, 6s));
  const auto heard = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  // The decoder ran dry at once into the 3 s buffer; the stop waits for it.
  EXPECT_GE(heard.count(), 3100);
  EXPECT_EQ(engine->OutputStream(), 0u);
  EXPECT_TRUE(statusThread.IsSuspended());
}

TEST_F(EngineTest, TwoMp3HalvesOfOneToneJoinWithoutAGap) {
  UseWavFast();
  core->settings.playMode = kPlayListMode;
  SetEntries({Mp3("first.mp3", ToneSpec(4.0)), Mp3("second.mp3", ToneSpec(4.0))});
  engine->PlayEntry(0);
  const audio::AudioHandle output = engine->OutputStream();

  audio::AudioHandle outputAtSwitch = 0;
  std::string captionAtSwitch;
  std::int64_t lengthAtSwitch = 0;
  ASSERT_TRUE(TickUntil([&] { return !engine->DeviceOpen(); }, 10s, [&] {
    if (core->playlist.CurrentIndex == 1 && outputAtSwitch == 0) {
      outputAtSwitch = engine->OutputStream();
      captionAtSwitch = core->texts.caption;
      lengthAtSwitch = core->progress.max;
    }
  }));
  EXPECT_EQ(outputAtSwitch, output) << "the second entry plays on in the same output";
  EXPECT_EQ(captionAtSwitch, "second.mp3 - Tarvo");
  EXPECT_EQ(lengthAtSwitch, 4000);
  EXPECT_FALSE(std::filesystem::exists(OutPath(2)));

  const std::vector<std::int16_t> heard = ReadWavData(OutPath());
  const std::int64_t frames = static_cast<std::int64_t>(heard.size()) / 2;
  const std::int64_t removed = 2 * FramesOf(4.0) - frames;
  const double removedMs = 1000.0 * static_cast<double>(removed) / kCdRate;
  std::printf("[ gapless  ] two 4 s MP3 halves of one tone: %lld frames (%.2f ms) removed by the tail cut and "
              "lead-in, longest quiet run %lld frames\n",
              static_cast<long long>(removed), removedMs, static_cast<long long>(LongestQuietRun(heard)));
  RecordProperty("removed_frames", static_cast<int>(removed));
  EXPECT_GE(removed, 0);
  EXPECT_LE(removed, FramesOf(0.010)) << "only a few milliseconds of a loud tone are trimmed";
  EXPECT_LE(LongestQuietRun(heard), FramesOf(0.001)) << "no silence at the joint";
}

// No tail cut for WAV: the ending entry is heard to its last sample and the
// joined one from the end of its (near-silent) lead-in on.
TEST_F(EngineTest, TwoWavEntriesJoinSampleForSample) {
  UseWavFast();
  core->settings.playMode = kPlayListMode;
  const AudioSpec first = ToneSpec(4.0);
  const AudioSpec second{kCdRate, 2, {Tone(4.0, 2 * kToneHz, kToneAmplitude)}};
  SetEntries({Wav("first.wav", first), Wav("second.wav", second)});
  engine->PlayEntry(0);
  const audio::AudioHandle output = engine->OutputStream();
  std::int64_t heardAtSwitch = -1;
  ASSERT_TRUE(TickUntil([&] { return !engine->DeviceOpen(); }, 10s, [&] {
    if (core->playlist.CurrentIndex == 1 && heardAtSwitch < 0) {
      EXPECT_EQ(engine->OutputStream(), output);
      heardAtSwitch = library->ChannelGetPosition(output);
    }
  }));
  // The switch waits until the first entry has been heard.
  EXPECT_GE(heardAtSwitch, first.Frames() * 4);

  const std::vector<std::int16_t> heard = ReadWavData(OutPath());
  const std::vector<std::int16_t> firstSamples = testing::RenderSamples(first);
  const std::vector<std::int16_t> secondSamples = testing::RenderSamples(second);
  ASSERT_GT(heard.size(), firstSamples.size());
  const std::size_t leadIn = firstSamples.size() + secondSamples.size() - heard.size();
  EXPECT_LE(leadIn, 2u * FramesOf(0.001)) << "a tone's lead-in is a few samples";
  EXPECT_TRUE(std::equal(firstSamples.begin(), firstSamples.end(), heard.begin()));
  EXPECT_TRUE(std::equal(secondSamples.begin() + static_cast<std::ptrdiff_t>(leadIn), secondSamples.end(),
                         heard.begin() + static_cast<std::ptrdiff_t>(firstSamples.size())));
}

TEST_F(EngineTest, AnMp3WhoseLastFifthOfASecondIsSilentIsCutWhereThatSilenceBegins) {
  UseWavFast();
  core->settings.playMode = kPlayFileMode;
  const AudioSpec spec{kCdRate, 2, {Tone(3.0, kToneHz, kToneAmplitude), Silence(1.0)}};
  SetEntries({Mp3("fading.mp3", spec)});
  engine->PlayEntry(0);
  ASSERT_TRUE(TickUntil([&] { return !engine->DeviceOpen(); }));
  const std::int64_t frames = static_cast<std::int64_t>(ReadWavData(OutPath()).size()) / 2;
  EXPECT_EQ(frames, FramesOf(4.0) - FramesOf(0.2));
}

TEST_F(EngineTest, EntriesOfAnotherRateOrSampleWidthOrOfThreeSecondsOrLessStartAfreshOnceTheOutputDrained) {
  UseWavFast();
  core->settings.playMode = kPlayListMode;
  const std::string eightBit = home.Path() + "eight_bit.wav";
  testing::WriteWav(eightBit, ToneSpec(4.0), testing::WavSamples::Unsigned8);
  SetEntries({Mp3("long1.mp3", ToneSpec(4.0)), Mp3("short.mp3", ToneSpec(2.5)), Mp3("long2.mp3", ToneSpec(4.0)),
              eightBit, Mp3("half_rate.mp3", ToneSpec(4.0, 22050))});
  engine->PlayEntry(0);
  std::vector<audio::AudioHandle> outputs{engine->OutputStream()};
  ASSERT_TRUE(TickUntil([&] { return !engine->DeviceOpen(); }, 15s, [&] {
    const auto index = static_cast<std::size_t>(core->playlist.CurrentIndex);
    if (index == outputs.size()) outputs.push_back(engine->OutputStream());
  }));
  ASSERT_EQ(outputs.size(), 5u);
  for (std::size_t i = 1; i < outputs.size(); ++i) {
    EXPECT_NE(outputs[i], outputs[i - 1]) << "entry " << i << " has an output of its own";
  }

  // Every entry was heard to its end before the next began: the first
  // four in the 44100 Hz file, less only what the tail cuts of the long MP3
  // ones take.
  const std::int64_t sameRate = static_cast<std::int64_t>(ReadWavData(OutPath()).size()) / 2;
  const std::int64_t expected = FramesOf(4.0) + FramesOf(2.5) + FramesOf(4.0) + FramesOf(4.0);
  EXPECT_LE(sameRate, expected);
  EXPECT_GE(sameRate, expected - FramesOf(0.010));
  const std::int64_t halfRate = static_cast<std::int64_t>(ReadWavData(OutPath(2)).size()) / 2;
  EXPECT_LE(halfRate, FramesOf(4.0, 22050));
  EXPECT_GE(halfRate, FramesOf(4.0, 22050) - FramesOf(0.010, 22050));
}

TEST_F(EngineTest, AQueuedEntryPickedForAJoinThatFailsIsTheOneThatStarts) {
  UseWavFast();
  core->settings.playMode = kRepeatListMode;
  const std::string queued = Mp3("queued.mp3", ToneSpec(4.0, 22050));
  SetEntries({Mp3("first.mp3", ToneSpec(4.0)), Mp3("skipped.mp3", ToneSpec(4.0)), queued});
  core->playlist.QueueEntries = {queued};
  engine->PlayEntry(0);
  ASSERT_TRUE(TickUntil([&] { return core->playlist.CurrentIndex != 0; }, 10s));
  EXPECT_EQ(core->playlist.CurrentIndex, 2);
  EXPECT_EQ(core->playlist.PlayingEntry, queued);
  EXPECT_TRUE(core->playlist.QueueEntries.empty());
  EXPECT_EQ(core->sequencing.RecentQueued[0], queued);
  engine->StopPlayback(true);
}

// A joined entry that has run dry before the tick completed its switch
// (with a real sound card: an entry just over 3 s whose lead-in and tail
// are trimmed) must still be recorded, shown and made current before the
// entry after it is picked.
TEST_F(EngineTest, InShuffleModeAJoinedEntryEntersTheHistoryBeforeTheNextIsDrawn) {
  UseWavFast();
  SetEntries({Mp3("a.mp3", ToneSpec(4.0)), Mp3("b.mp3", ToneSpec(4.0)), Mp3("c.mp3", ToneSpec(4.0))});
  core->settings.playMode = kShuffleMode;
  core->sequencing.shuffleRandom.seed(11);
  const auto& entries = core->playlist.PlaylistEntries;
  const std::uint64_t entryBytes = static_cast<std::uint64_t>(FramesOf(4.0)) * 4;
  const auto heardBytes = [&] {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(OutPath(), error);
    return error || size < 44 ? 0 : static_cast<std::uint64_t>(size - 44);
  };
  const auto waitForBytes = [&](std::uint64_t bytes) {
    const auto deadline = Clock::now() + 5s;
    while (heardBytes() < bytes && Clock::now() < deadline) std::this_thread::sleep_for(2ms);
    // The audio thread's next call finds the decoder dry and asks for more.
    std::this_thread::sleep_for(150ms);
    return heardBytes() >= bytes;
  };

  engine->PlayEntry(0);
  ASSERT_EQ(core->playlist.ShuffleHistory, std::vector<std::string>{entries[0]});
  ASSERT_TRUE(waitForBytes(entryBytes - 4 * FramesOf(0.05)));
  engine->StatusTick();  // opens the second entry for the join
  ASSERT_TRUE(waitForBytes(2 * entryBytes - 4 * FramesOf(0.05)));
  engine->StatusTick();  // a late tick: the switch is due and the next entry wanted

  const int current = core->playlist.CurrentIndex;
  ASSERT_NE(current, 0);
  EXPECT_EQ(core->texts.caption, std::string(FileNameOf(entries[current])) + " - Tarvo");
  EXPECT_EQ(core->playlist.ShuffleHistory, (std::vector<std::string>{entries[0], entries[current]}));
  EXPECT_EQ(core->sequencing.RecentPlayed[0], entries[current]);
  // The entry opened for the next join is the one not played yet.
  const std::string third = entries[3 - current];
  EXPECT_EQ(core->playlist.PlayingEntry, third);

  // It joins in turn. (The same tick may already draw the next round, which
  // starts with an empty history.)
  ASSERT_TRUE(TickUntil([&] { return core->playlist.CurrentIndex != current; }, 10s));
  EXPECT_EQ(core->playlist.CurrentIndex, 3 - current);
  EXPECT_EQ(core->sequencing.RecentPlayed[0], third);
  EXPECT_EQ(core->texts.caption, std::string(FileNameOf(third)) + " - Tarvo");
  engine->StopPlayback(true);
}

TEST_F(EngineTest, RenamingThePlayingFileGoesOnWhereItWasUnderTheNewName) {
  UseOutput("wav:" + OutPath());
  SetEntries({Wav("song.wav", ToneSpec(8))});
  engine->PlayEntry(0);
  ASSERT_TRUE(TickUntil([&] { return engine->ElapsedMs() >= 1500; }));
  const std::int64_t before = engine->ElapsedMs();
  ASSERT_EQ(RenameEntryFile(*core, 0, "song (live).wav"), RenameOutcome::Renamed);
  EXPECT_EQ(core->playlist.PlayingEntry, home.Path() + "song (live).wav");
  EXPECT_EQ(OutputState(), audio::ChannelState::Playing);
  const std::int64_t after = engine->ElapsedMs();
  EXPECT_GE(after, before - 50);
  EXPECT_LE(after, before + 1000);
}

}  // namespace
}  // namespace tarvo
