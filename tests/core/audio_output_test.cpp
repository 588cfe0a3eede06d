// Output streams on the WAV outputs, checked byte for byte: what a stream
// procedure produces, through play, pause, stop, seek, volume and DSP hooks,
// is exactly what the file holds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "audio/linux_audio_library.h"
#include "support/audio_fixtures.h"
#include "support/temp_folder.h"

namespace tarvo::audio {
namespace {

using namespace std::chrono_literals;
using testing::AudioSpec;
using testing::Tone;

// Waits for a condition that another thread brings about; polling is fine
// in a test. False when it did not come true in time.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit = 5000ms) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

// A stereo stream procedure whose every frame names itself: the left
// sample holds the frame number's low 15 bits, the right one the rest. Any
// stretch of output thus tells where it came from.
class CountingSource {
 public:
  explicit CountingSource(std::int64_t frames) : frames_(frames) {}

  std::uint32_t operator()(AudioHandle, void* buffer, std::uint32_t wanted) {
    if (paused_.load()) return 0;
    auto* samples = static_cast<std::int16_t*>(buffer);
    std::int64_t frame = next_.load();
    const std::int64_t count = std::min<std::int64_t>(wanted / 4, frames_ - frame);
    for (std::int64_t i = 0; i < count; ++i, ++frame) {
      samples[2 * i] = static_cast<std::int16_t>(frame & 0x7FFF);
      samples[2 * i + 1] = static_cast<std::int16_t>(frame >> 15);
    }
    next_ = frame;
    const auto bytes = static_cast<std::uint32_t>(count * 4);
    return frame == frames_ ? bytes | kStreamEnd : bytes;
  }

  // The next frame the procedure will produce.
  std::int64_t Next() const { return next_.load(); }
  // While held back, the procedure produces nothing (a starved network).
  void HoldBack(bool hold) { paused_ = hold; }

  static std::int64_t FrameOf(const std::int16_t* frame) {
    return static_cast<std::int64_t>(frame[0]) | (static_cast<std::int64_t>(frame[1]) << 15);
  }

 private:
  const std::int64_t frames_;
  std::atomic<std::int64_t> next_{0};
  std::atomic<bool> paused_{false};
};

// The frame numbers in a WAV output file of CountingSource data.
std::vector<std::int64_t> FramesIn(const std::string& path) {
  const std::vector<std::int16_t> samples = testing::ReadWavData(path);
  std::vector<std::int64_t> frames;
  for (std::size_t i = 0; i + 1 < samples.size(); i += 2) frames.push_back(CountingSource::FrameOf(&samples[i]));
  return frames;
}

// First `count` frame numbers, then from `resume` on.
bool IsRunWithJump(const std::vector<std::int64_t>& frames, std::size_t count, std::int64_t resume) {
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const std::int64_t expected = i < count ? static_cast<std::int64_t>(i) : resume + static_cast<std::int64_t>(i - count);
    if (frames[i] != expected) return false;
  }
  return true;
}

class AudioOutputTest : public ::testing::Test {
 protected:
  // A library on `wav-fast:` (or `wav:` for real time) writing into out.wav.
  std::unique_ptr<LinuxAudioLibrary> OpenLibrary(bool realTime) {
    auto library = std::make_unique<LinuxAudioLibrary>(
        ParseOutputChoice((realTime ? "wav:" : "wav-fast:") + OutputPath()));
    EXPECT_TRUE(library->Init(1)) << library->ErrorGetCode();
    return library;
  }

  std::string OutputPath() const { return folder.Path() + "out.wav"; }

  AudioHandle CreateCountingStream(LinuxAudioLibrary& library, CountingSource& source) {
    const AudioHandle stream = library.StreamCreate(
        44100, 2, [&source](AudioHandle handle, void* buffer, std::uint32_t wanted) {
          return source(handle, buffer, wanted);
        });
    EXPECT_NE(stream, 0u) << library.ErrorGetCode();
    return stream;
  }

  // The engine's way of playing a file: a stream procedure copying from a
  // decoding channel and ending the stream when the decoder is done.
  AudioHandle CreateDecoderStream(LinuxAudioLibrary& library, AudioHandle decoder) {
    ChannelInfo info;
    EXPECT_TRUE(library.ChannelGetInfo(decoder, info));
    return library.StreamCreate(static_cast<int>(info.rate), static_cast<int>(info.channels),
                                [&library, decoder](AudioHandle, void* buffer, std::uint32_t wanted) {
                                  const std::uint32_t got = library.ChannelGetData(decoder, buffer, wanted);
                                  if (got == kDataError) return kStreamEnd;
                                  const bool active = library.ChannelIsActive(decoder) != ChannelState::Stopped;
                                  return active ? got : got | kStreamEnd;
                                });
  }

  testing::TempFolder folder;
};

TEST_F(AudioOutputTest, DecodedMp3ThroughAStreamIsExactlyWhatLibmpg123Decodes) {
  const std::string mp3 = folder.Path() + "song.mp3";
  testing::WriteMp3(mp3, AudioSpec{44100, 2, {Tone(2.5, 440.0, 0.5), Tone(0.5, 880.0, 0.2)}});
  auto library = OpenLibrary(false);
  const AudioHandle decoder = library->StreamCreateFile(mp3);
  ASSERT_NE(decoder, 0u);
  const std::int64_t length = library->StreamGetLength(decoder);
  const AudioHandle stream = CreateDecoderStream(*library, decoder);
  ASSERT_NE(stream, 0u);
  EXPECT_EQ(library->ChannelIsActive(stream), ChannelState::Stopped);
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stopped; }));
  EXPECT_EQ(library->ChannelGetPosition(stream), length);
  ASSERT_TRUE(library->Free());
  EXPECT_EQ(testing::ReadWavData(OutputPath()), testing::DecodeMp3Reference(mp3));
}

TEST_F(AudioOutputTest, PauseAndResumeLoseNothing) {
  constexpr std::int64_t kFrames = 10 * 44100;
  CountingSource source(kFrames);
  auto library = OpenLibrary(false);
  const AudioHandle stream = CreateCountingStream(*library, source);
  // Held back until paused, so that nothing is heard before the pause.
  source.HoldBack(true);
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(library->ChannelPause(stream));
  EXPECT_EQ(library->ChannelIsActive(stream), ChannelState::Paused);
  source.HoldBack(false);
  // Paused, the buffer fills ahead but nothing more is heard, and looking
  // at what is heard does not consume it.
  ASSERT_TRUE(WaitFor([&] { return source.Next() >= 44100; }));
  const std::int64_t position = library->ChannelGetPosition(stream);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(library->ChannelGetPosition(stream), position);
  std::int16_t first[64];
  std::int16_t second[64];
  ASSERT_EQ(library->ChannelGetData(stream, first, sizeof first), sizeof first);
  ASSERT_EQ(library->ChannelGetData(stream, second, sizeof second), sizeof second);
  EXPECT_EQ(CountingSource::FrameOf(first), position / 4);
  EXPECT_TRUE(std::equal(std::begin(first), std::end(first), std::begin(second)));
  EXPECT_FALSE(library->ChannelPause(stream));

  ASSERT_TRUE(library->ChannelResume(stream));
  EXPECT_FALSE(library->ChannelResume(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stopped; }));
  ASSERT_TRUE(library->Free());
  EXPECT_TRUE(IsRunWithJump(FramesIn(OutputPath()), kFrames, 0));
}

TEST_F(AudioOutputTest, StopDropsTheBufferAndTheNextPlayCountsFromZero) {
  CountingSource source(20 * 44100);
  auto library = OpenLibrary(true);
  const AudioHandle stream = CreateCountingStream(*library, source);
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelGetPosition(stream) >= 44100 * 4 / 5; }));
  const std::int64_t heardBeforeStop = library->ChannelGetPosition(stream) / 4;
  ASSERT_TRUE(library->ChannelStop(stream));
  EXPECT_EQ(library->ChannelIsActive(stream), ChannelState::Stopped);
  EXPECT_EQ(library->ChannelGetPosition(stream), 0);
  std::int16_t frame[2];
  EXPECT_EQ(library->ChannelGetData(stream, frame, sizeof frame), kDataError);
  EXPECT_EQ(library->ErrorGetCode(), ErrorNumber(AudioError::NotPlaying));
  // The procedure had run ahead by about the buffer's length.
  const std::int64_t resume = source.Next();
  EXPECT_GT(resume - heardBeforeStop, 44100 * 2);

  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelGetPosition(stream) >= 44100 * 4 / 10; }));
  library->StreamFree(stream);
  ASSERT_TRUE(library->Free());

  // The file holds what was heard before the stop, then the restart: the
  // dropped buffer never reached it.
  const std::vector<std::int64_t> frames = FramesIn(OutputPath());
  std::size_t heard = 0;
  while (heard < frames.size() && frames[heard] == static_cast<std::int64_t>(heard)) ++heard;
  EXPECT_GE(static_cast<std::int64_t>(heard), heardBeforeStop);
  EXPECT_LT(static_cast<std::int64_t>(heard), heardBeforeStop + 44100 / 2);
  EXPECT_TRUE(IsRunWithJump(frames, heard, resume));
  EXPECT_GE(static_cast<std::int64_t>(frames.size() - heard), 44100 / 10);
}

TEST_F(AudioOutputTest, SeekingAsTheEngineDoesContinuesAtTheExactSample) {
  const AudioSpec spec{44100, 2, {Tone(0.5, 440.0, 0.5), Tone(0.5, 660.0, 0.4)}};
  const std::string mp3 = folder.Path() + "seek.mp3";
  testing::WriteMp3(mp3, spec);
  const std::vector<std::int16_t> reference = testing::DecodeMp3Reference(mp3);
  auto library = OpenLibrary(true);
  const AudioHandle decoder = library->StreamCreateFile(mp3);
  const AudioHandle stream = CreateDecoderStream(*library, decoder);
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelGetPosition(stream) >= 44100 * 4 / 10; }));
  // Stop the output, move the decoder, play again.
  constexpr std::int64_t kTarget = 30001;
  ASSERT_TRUE(library->ChannelStop(stream));
  ASSERT_TRUE(library->ChannelSetPosition(decoder, kTarget * 4));
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stopped; }));
  EXPECT_EQ(library->ChannelGetPosition(stream), static_cast<std::int64_t>(reference.size()) * 2 - kTarget * 4);
  ASSERT_TRUE(library->Free());

  const std::vector<std::int16_t> written = testing::ReadWavData(OutputPath());
  const std::size_t tail = reference.size() - kTarget * 2;
  ASSERT_GT(written.size(), tail);
  const std::size_t head = written.size() - tail;
  EXPECT_TRUE(std::equal(written.begin(), written.begin() + head, reference.begin()));
  int worst = 0;  // libmpg123 may round one step differently after a seek
  for (std::size_t i = 0; i < tail; ++i) worst = std::max(worst, std::abs(written[head + i] - reference[kTarget * 2 + i]));
  EXPECT_LE(worst, 1);
}

TEST_F(AudioOutputTest, PositionCountsWhatIsHeardNotWhatIsBuffered) {
  CountingSource source(20 * 44100);
  auto library = OpenLibrary(true);
  const AudioHandle stream = CreateCountingStream(*library, source);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(library->StreamPlay(stream));
  // The buffer of three seconds fills far ahead of the listener.
  ASSERT_TRUE(WaitFor([&] { return source.Next() >= 2 * 44100; }));
  const std::int64_t before = library->ChannelGetPosition(stream) / 4;
  std::int16_t heard[2 * 64];
  ASSERT_EQ(library->ChannelGetData(stream, heard, sizeof heard), sizeof heard);
  const std::int64_t after = library->ChannelGetPosition(stream) / 4;
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LE(after, static_cast<std::int64_t>(elapsed * 44100) + 1);
  EXPECT_LT(after, source.Next() - 44100);
  // GetData shows the frames being heard now.
  EXPECT_GE(CountingSource::FrameOf(heard), before);
  EXPECT_LE(CountingSource::FrameOf(heard), after);
  EXPECT_EQ(CountingSource::FrameOf(heard + 2 * 63), CountingSource::FrameOf(heard) + 63);
}

TEST_F(AudioOutputTest, DspHooksSeeEveryBlockInPriorityOrderAndMayChangeIt) {
  CountingSource source(44100);
  auto library = OpenLibrary(false);
  const AudioHandle stream = CreateCountingStream(*library, source);
  std::mutex seenMutex;
  std::vector<std::int64_t> seen;
  std::vector<int> order;
  const DspHandle record = library->ChannelSetDSP(
      stream,
      [&](DspHandle, AudioHandle channel, void* buffer, std::uint32_t bytes) {
        EXPECT_EQ(channel, stream);
        std::lock_guard lock(seenMutex);
        order.push_back(1);
        const auto* samples = static_cast<const std::int16_t*>(buffer);
        for (std::uint32_t i = 0; i < bytes / 4; ++i) seen.push_back(CountingSource::FrameOf(samples + 2 * i));
      },
      10);
  const DspHandle silence = library->ChannelSetDSP(
      stream,
      [&](DspHandle, AudioHandle, void* buffer, std::uint32_t bytes) {
        std::lock_guard lock(seenMutex);
        order.push_back(2);
        std::fill_n(static_cast<std::int16_t*>(buffer), bytes / 2, std::int16_t{0});
      },
      5);
  ASSERT_NE(record, 0u);
  ASSERT_NE(silence, 0u);
  ASSERT_NE(record, silence);
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stopped; }));
  EXPECT_TRUE(library->ChannelRemoveDSP(stream, record));
  EXPECT_FALSE(library->ChannelRemoveDSP(stream, record));
  ASSERT_TRUE(library->Free());

  std::vector<std::int64_t> expected(44100);
  for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<std::int64_t>(i);
  EXPECT_EQ(seen, expected);
  ASSERT_FALSE(order.empty());
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i % 2 == 0 ? 1 : 2);
  const std::vector<std::int16_t> written = testing::ReadWavData(OutputPath());
  EXPECT_EQ(written.size(), 2u * 44100);
  EXPECT_TRUE(std::all_of(written.begin(), written.end(), [](std::int16_t s) { return s == 0; }));
}

TEST_F(AudioOutputTest, VolumeAndPanScaleWhatIsHeard) {
  auto library = OpenLibrary(false);
  constexpr std::int16_t kLevel = 20001;
  std::atomic<std::int64_t> left{44100};
  const AudioHandle stream = library->StreamCreate(44100, 2, [&](AudioHandle, void* buffer, std::uint32_t wanted) {
    const std::int64_t frames = std::min<std::int64_t>(wanted / 4, left.load());
    std::fill_n(static_cast<std::int16_t*>(buffer), frames * 2, kLevel);
    left -= frames;
    return static_cast<std::uint32_t>(frames * 4) | (left.load() == 0 ? kStreamEnd : 0);
  });
  ASSERT_TRUE(library->ChannelSetAttributes(stream, -1, 500, -101));
  ChannelAttributes attributes;
  ASSERT_TRUE(library->ChannelGetAttributes(stream, attributes));
  EXPECT_EQ(attributes.volume, 500);
  EXPECT_EQ(attributes.pan, 0);
  EXPECT_EQ(attributes.rate, 44100);
  ASSERT_TRUE(library->ChannelSetAttributes(stream, -1, -1, -100));  // all left, volume kept
  ASSERT_TRUE(library->ChannelGetAttributes(stream, attributes));
  EXPECT_EQ(attributes.volume, 500);
  EXPECT_EQ(attributes.pan, -100);
  EXPECT_FALSE(library->ChannelSetAttributes(stream, 22050, -1, -101));
  EXPECT_EQ(library->ErrorGetCode(), ErrorNumber(AudioError::IllegalParameter));

  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stopped; }));
  ASSERT_TRUE(library->Free());
  const std::vector<std::int16_t> written = testing::ReadWavData(OutputPath());
  ASSERT_EQ(written.size(), 2u * 44100);
  for (std::size_t i = 0; i < written.size(); i += 2) {
    ASSERT_EQ(written[i], kLevel / 2);
    ASSERT_EQ(written[i + 1], 0);
  }
}

TEST_F(AudioOutputTest, SlideFadesTheVolumeOverItsTime) {
  auto library = OpenLibrary(true);
  const AudioHandle stream = library->StreamCreate(22050, 1, [](AudioHandle, void* buffer, std::uint32_t wanted) {
    std::fill_n(static_cast<std::int16_t*>(buffer), wanted / 2, std::int16_t{16000});
    return wanted;
  });
  ASSERT_TRUE(library->StreamPlay(stream));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(library->ChannelSlideAttributes(stream, -1, 0, -101, 400));
  std::this_thread::sleep_for(150ms);
  ChannelAttributes attributes;
  ASSERT_TRUE(library->ChannelGetAttributes(stream, attributes));
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(attributes.volume, std::max(0.0, 1000.0 * (1.0 - elapsed / 0.4)) - 5);
  EXPECT_LE(attributes.volume, 1000.0 * (1.0 - 0.15 / 0.4) + 5);
  ASSERT_TRUE(WaitFor([&] {
    library->ChannelGetAttributes(stream, attributes);
    return attributes.volume == 0;
  }));
  std::this_thread::sleep_for(300ms);  // what was in the device before the end of the fade
  library->StreamFree(stream);
  ASSERT_TRUE(library->Free());

  const std::vector<std::int16_t> written = testing::ReadWavData(OutputPath());
  ASSERT_GT(written.size(), 22050u / 2);
  EXPECT_GT(written.front(), 15000);
  EXPECT_EQ(written.back(), 0);
  // Falling all the way; block joints may differ by the clock's jitter, but
  // never jump back up.
  for (std::size_t i = 1; i < written.size(); ++i) ASSERT_LE(written[i], written[i - 1] + 160) << i;
}

TEST_F(AudioOutputTest, StarvedStreamStallsAndRecovers) {
  CountingSource source(44100);
  auto library = OpenLibrary(false);
  const AudioHandle stream = CreateCountingStream(*library, source);
  source.HoldBack(true);
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stalled; }));
  source.HoldBack(false);
  ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stopped; }));
  EXPECT_EQ(library->ChannelGetPosition(stream), 44100 * 4);
  ASSERT_TRUE(library->Free());
  EXPECT_TRUE(IsRunWithJump(FramesIn(OutputPath()), 44100, 0));
}

TEST_F(AudioOutputTest, StreamsNeedADeviceAndAFormatItTakes) {
  LinuxAudioLibrary library(ParseOutputChoice("wav-fast:" + OutputPath()));
  const auto procedure = [](AudioHandle, void*, std::uint32_t) { return kStreamEnd; };
  EXPECT_EQ(library.StreamCreate(44100, 2, procedure), 0u);
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Init));
  EXPECT_FALSE(library.Free());
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Init));
  ASSERT_TRUE(library.Init(1));
  EXPECT_FALSE(library.Init(1));
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Already));
  EXPECT_EQ(library.StreamCreate(44100, 3, procedure), 0u);
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::SampleFormat));
  EXPECT_EQ(library.StreamCreate(500, 2, procedure), 0u);
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::SampleRate));
  const AudioHandle stream = library.StreamCreate(8000, 1, procedure);
  EXPECT_NE(stream, 0u);
  EXPECT_EQ(library.StreamGetLength(stream), 0);
  EXPECT_EQ(library.ChannelSeconds2Bytes(stream, 1.0), 16000);
  EXPECT_FALSE(library.ChannelSetPosition(stream, 0));
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::NotFile));
  // Releasing the device frees its streams.
  ASSERT_TRUE(library.Free());
  EXPECT_EQ(library.ChannelIsActive(stream), ChannelState::Stopped);
  EXPECT_FALSE(library.StreamPlay(stream));
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Handle));
  EXPECT_TRUE(library.Init(1));
}

TEST_F(AudioOutputTest, FreeingAPlayingStreamNeverHangs) {
  CountingSource source(600 * 44100);
  auto library = OpenLibrary(true);
  const AudioHandle stream = CreateCountingStream(*library, source);
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelGetPosition(stream) > 0; }));
  const auto start = std::chrono::steady_clock::now();
  library->StreamFree(stream);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);

  // A procedure may free its own stream; the stream then ends quietly.
  std::atomic<bool> freed{false};
  AudioHandle self = 0;
  self = library->StreamCreate(44100, 2, [&](AudioHandle handle, void*, std::uint32_t) {
    library->StreamFree(handle);
    freed = true;
    return 0u;
  });
  ASSERT_TRUE(library->StreamPlay(self));
  ASSERT_TRUE(WaitFor([&] { return freed.load(); }));
  EXPECT_EQ(library->ChannelIsActive(self), ChannelState::Stopped);
  EXPECT_TRUE(library->Free());
}

TEST_F(AudioOutputTest, RealTimeFileIsCompleteWhileTheDeviceIsOpen) {
  CountingSource source(44100 / 5);
  auto library = OpenLibrary(true);
  const AudioHandle stream = CreateCountingStream(*library, source);
  ASSERT_TRUE(library->StreamPlay(stream));
  ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stopped; }));
  EXPECT_TRUE(IsRunWithJump(FramesIn(OutputPath()), 44100 / 5, 0));
  EXPECT_EQ(FramesIn(OutputPath()).size(), 44100u / 5);
}

TEST_F(AudioOutputTest, AnotherFormatContinuesInANumberedFile) {
  auto library = OpenLibrary(false);
  for (const int rate : {44100, 22050}) {
    CountingSource source(1000);
    const AudioHandle stream = library->StreamCreate(rate, 2, [&](AudioHandle h, void* b, std::uint32_t w) {
      return source(h, b, w);
    });
    ASSERT_TRUE(library->StreamPlay(stream));
    ASSERT_TRUE(WaitFor([&] { return library->ChannelIsActive(stream) == ChannelState::Stopped; }));
    library->StreamFree(stream);
  }
  ASSERT_TRUE(library->Free());
  EXPECT_EQ(FramesIn(OutputPath()).size(), 1000u);
  const std::string second = folder.Path() + "out-2.wav";
  EXPECT_EQ(FramesIn(second).size(), 1000u);
  std::ifstream in(second, std::ios::binary);
  char header[28];
  in.read(header, sizeof header);
  std::uint32_t rate = 0;
  std::memcpy(&rate, header + 24, 4);
  EXPECT_EQ(rate, 22050u);
}

TEST(AudioOutputChoice, ReadsTheEnvironmentValue) {
  EXPECT_EQ(ParseOutputChoice("").kind, OutputChoice::Kind::Pulse);
  EXPECT_EQ(ParseOutputChoice("pulse").kind, OutputChoice::Kind::Pulse);
  const OutputChoice server = ParseOutputChoice("pulse:unix:/run/x/native");
  EXPECT_EQ(server.kind, OutputChoice::Kind::Pulse);
  EXPECT_EQ(server.argument, "unix:/run/x/native");
  EXPECT_EQ(ParseOutputChoice("null").kind, OutputChoice::Kind::Null);
  EXPECT_EQ(ParseOutputChoice("wav:/tmp/a b.wav").argument, "/tmp/a b.wav");
  EXPECT_EQ(ParseOutputChoice("wav-fast:x.wav").kind, OutputChoice::Kind::WavFast);
  EXPECT_EQ(ParseOutputChoice("wav:").kind, OutputChoice::Kind::Invalid);
  EXPECT_EQ(ParseOutputChoice("alsa").kind, OutputChoice::Kind::Invalid);

  LinuxAudioLibrary unknown(ParseOutputChoice("speakers"));
  EXPECT_FALSE(unknown.Init(1));
  EXPECT_EQ(unknown.ErrorGetCode(), ErrorNumber(AudioError::Driver));
  LinuxAudioLibrary unwritable(ParseOutputChoice("wav:/nonexistent-folder/x.wav"));
  EXPECT_FALSE(unwritable.Init(1));
  EXPECT_EQ(unwritable.ErrorGetCode(), ErrorNumber(AudioError::Driver));
}

TEST(AudioOutputChoice, SoftwareOutputsHaveOneDevice) {
  LinuxAudioLibrary null(ParseOutputChoice("null"));
  EXPECT_EQ(null.GetDeviceDescription(1), "No sound");
  EXPECT_EQ(null.GetDeviceDescription(2), std::nullopt);
  EXPECT_EQ(null.ErrorGetCode(), ErrorNumber(AudioError::Device));
  EXPECT_FALSE(null.Init(2));
  EXPECT_EQ(null.ErrorGetCode(), ErrorNumber(AudioError::Device));
  EXPECT_EQ(null.GetVersion(), 2);
}

}  // namespace
}  // namespace tarvo::audio
