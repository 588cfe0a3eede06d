// Recording an output stream to WAV: the cache ring of temporary files, the
// joining order, the save question, the free-space stop, the size limit and
// the private temporary folder. The output is the real audio layer on the
// fast WAV output, fed with numbered frames handed out by the test, so
// which bytes went where can be read back from the files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "audio/linux_audio_library.h"
#include "radio/record_temps.h"
#include "radio/stream_recorder.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr std::uint32_t kBlock = 4000;  // 1000 stereo frames

class FakeFreeSpace : public FreeSpaceService {
 public:
  std::optional<std::uint64_t> FreeBytes(const std::string&) override { return bytes; }
  std::optional<std::uint64_t> bytes;
};

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t LittleEndianAt(const std::string& bytes, std::size_t offset, int width = 4) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
  return value;
}

// Frame k carries k: its low 16 bits left, its high 16 bits right.
std::uint32_t FrameNumberAt(const std::string& bytes, std::size_t offset) {
  return LittleEndianAt(bytes, offset, 2) | LittleEndianAt(bytes, offset + 2, 2) << 16;
}

// The frame numbers run on by one from `first` through the whole of `data`.
::testing::AssertionResult FramesRunFrom(const std::string& data, std::uint32_t first) {
  for (std::size_t at = 0; at + 4 <= data.size(); at += 4) {
    const std::uint32_t expected = first + static_cast<std::uint32_t>(at / 4);
    if (FrameNumberAt(data, at) != expected) {
      return ::testing::AssertionFailure() << "frame " << FrameNumberAt(data, at) << " at byte " << at << ", expected "
                                           << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

class RecordingTest : public testing::CoreTest {
 protected:
  RecordingTest()
      : library(audio::ParseOutputChoice("wav-fast:" + home.Path() + "heard.wav")),
        recorder(library, [this] { return output; }) {
    core.recorder = &recorder;
    core.settings.recordTempPath = home.Path();
    recorder.UseFreeSpaceService(freeSpace);
    library.Init(1);
    output = library.StreamCreate(44100, 2, [this](audio::AudioHandle, void* buffer, std::uint32_t wanted) {
      return Produce(static_cast<std::uint8_t*>(buffer), wanted);
    });
    // After the recording's hook: counts what it has been given.
    library.ChannelSetDSP(
        output, [this](audio::DspHandle, audio::AudioHandle, void*, std::uint32_t bytes) { tapped += bytes; }, -1);
    library.StreamPlay(output);
  }
  ~RecordingTest() override { library.Free(); }

  // The frames allowed so far, in order, as far as the output asks.
  std::uint32_t Produce(std::uint8_t* buffer, std::uint32_t wanted) {
    const std::uint64_t give = std::min<std::uint64_t>(wanted, budget.load() - produced);
    for (std::uint32_t at = 0; at < give; at += 4) {
      const std::uint32_t frame = static_cast<std::uint32_t>((produced + at) / 4);
      std::memcpy(buffer + at, &frame, 4);
    }
    produced += give;
    return static_cast<std::uint32_t>(give);
  }

  std::string Temp(int n) const { return recorder.TempFolder() + RecordTempName(n); }
  std::int64_t SizeOf(int n) const {
    std::error_code error;
    const auto size = fs::file_size(Temp(n), error);
    return error ? -1 : static_cast<std::int64_t>(size);
  }
  // Hands out `bytes` more; once the recording's hook has seen them,
  // temporary file `n` must have `size`.
  void GiveUntil(std::uint64_t bytes, int n, std::int64_t size) {
    budget += bytes;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (tapped.load() != budget.load() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(5ms);
    }
    ASSERT_EQ(SizeOf(n), size) << RecordTempName(n);
  }
  // The cache of `blocks` single blocks (slots 1, 2, 3, 4, 1, ...) and one
  // recorded block.
  void CacheThenRecord(int blocks) {
    core.settings.cachingTime = 2;
    ASSERT_TRUE(recorder.StartRecordDsp(core, true));
    for (int i = 0; i < blocks; ++i) GiveUntil(kBlock, i % 4 + 1, kBlock);
    ASSERT_TRUE(recorder.StartRecordDsp(core, false));
    GiveUntil(kBlock, 0, kBlock);
  }
  int TempsLeft() const {
    int left = 0;
    for (int n = 0; n < kRecordTempFiles; ++n) left += SizeOf(n) >= 0 ? 1 : 0;
    return left;
  }

  FakeFreeSpace freeSpace;
  audio::LinuxAudioLibrary library;
  std::atomic<std::uint64_t> budget{0};
  std::atomic<std::uint64_t> tapped{0};
  std::uint64_t produced = 0;  // audio thread
  audio::AudioHandle output = 0;
  StreamRecorder recorder;
};

TEST_F(RecordingTest, CacheSlotChangesOnlyPastAThirdOfItsLength) {
  // 120 s at 176,400 bytes per second: 7,056,000 bytes a slot.
  core.settings.cachingTime = 120;
  ASSERT_TRUE(recorder.StartRecordDsp(core, true));
  GiveUntil(7056000 + 4, 1, 7056000 + 4);
  EXPECT_EQ(SizeOf(2), -1);
  GiveUntil(4, 2, 4);
  EXPECT_EQ(SizeOf(1), 7056004);
  recorder.FinishRecording(core);
  // Without a recording there is no question, and the cache stays.
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(TempsLeft(), 2);
}

TEST_F(RecordingTest, ShortCacheKeepsTheLastFourBlocksAndIsSavedOldestFirst) {
  // Blocks 1..6 went to slots 1, 2, 3, 4, 1, 2: the file holds blocks 3..7.
  CacheThenRecord(6);
  ui.answers = {true};
  ui.chosenFiles.push_back(home.Path() + "saved.wav");
  recorder.FinishRecording(core);

  ASSERT_EQ(ui.questions, std::vector<std::string>{"Record has been stopped.\rSave record?"});
  ASSERT_EQ(ui.fileDialogs.size(), 1u);
  EXPECT_TRUE(ui.fileDialogs[0].save);
  EXPECT_EQ(ui.fileDialogs[0].filter, "Wave files (*.wav)|*.wav|All files (*.*)|*.*");
  EXPECT_TRUE(std::regex_match(ui.fileDialogs[0].fileName, std::regex(R"(Mix \d{4}-\d\d-\d\d \d\d-\d\d\.wav)")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Stream succesfully saved to\r" + home.Path() + "saved.wav");

  const std::string wav = FileBytes(home.Path() + "saved.wav");
  ASSERT_EQ(wav.size(), 44u + 5 * kBlock);
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(LittleEndianAt(wav, 4), wav.size() - 8);
  EXPECT_EQ(LittleEndianAt(wav, 40), wav.size() - 44);
  EXPECT_EQ(LittleEndianAt(wav, 22, 2), 2u);
  EXPECT_EQ(LittleEndianAt(wav, 24), 44100u);
  EXPECT_EQ(LittleEndianAt(wav, 28), 176400u);
  EXPECT_EQ(LittleEndianAt(wav, 32, 2), 4u);
  EXPECT_EQ(LittleEndianAt(wav, 34, 2), 16u);
  EXPECT_TRUE(FramesRunFrom(wav.substr(44), 2 * kBlock / 4));
  EXPECT_EQ(TempsLeft(), 0);
  EXPECT_EQ(core.texts.recordCaption, "&Record");
  EXPECT_FALSE(recorder.Recording());
}

TEST_F(RecordingTest, DecliningDeletesAllFiveFilesAndAFailedJoinKeepsThem) {
  CacheThenRecord(4);
  ASSERT_EQ(TempsLeft(), 5);
  recorder.FinishRecording(core);
  EXPECT_EQ(TempsLeft(), 0);

  CacheThenRecord(4);
  ui.answers = {true};
  ui.chosenFiles.push_back(home.Path() + "no such folder/saved.wav");
  recorder.FinishRecording(core);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(ui.messages[0].text.rfind("Sorry, error while saving and combining files.\rTemp files are not deleted!", 0),
            0u);
  EXPECT_EQ(TempsLeft(), 5);
  EXPECT_EQ(core.texts.statusPanels[3], "");
}

TEST_F(RecordingTest, FreeSpaceOfTwentyMegabytesGoesOnAndOneByteLessStops) {
  ASSERT_TRUE(recorder.StartRecordDsp(core, false));
  freeSpace.bytes = 20971520;
  recorder.ShowTimeLeft(core);
  EXPECT_TRUE(recorder.Recording());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(core.texts.labelTime, "Recording... Left: 0:01 (20 MB)");

  freeSpace.bytes = 20971519;
  recorder.ShowTimeLeft(core);
  EXPECT_FALSE(recorder.Recording());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(ui.messages[0].text, "Recording stopped, drive is almost full.");
  EXPECT_EQ(ui.questions, std::vector<std::string>{"Record has been stopped.\rSave record?"});
}

TEST_F(RecordingTest, RecordingStopsAtTheSizeLimitAndSavesWhatFitted) {
  recorder.UseSizeLimit(10000);
  ASSERT_TRUE(recorder.StartRecordDsp(core, false));
  GiveUntil(3 * kBlock, 0, 10000);
  ui.answers = {true};
  ui.chosenFiles.push_back(home.Path() + "saved.wav");
  recorder.WatchTap(core, audio::ChannelState::Playing);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].text, "Recording stopped, a wave file can't hold more than 4 GB.");
  const std::string wav = FileBytes(home.Path() + "saved.wav");
  ASSERT_EQ(wav.size(), 44u + 10000);
  EXPECT_EQ(LittleEndianAt(wav, 40), 10000u);
  EXPECT_TRUE(FramesRunFrom(wav.substr(44), 0));
}

TEST_F(RecordingTest, RecordCommandWantsAPlayingStation) {
  core.playlist.PlayingEntry = "/music/song.mp3";
  recorder.RecordStartAc(core);
  core.playlist.PlayingEntry = "http://127.0.0.1:1/radio.mp3|Station";
  library.ChannelPause(output);
  recorder.RecordStartAc(core);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "You can only record internet radio.\rPlease connect to one first.");
  EXPECT_EQ(ui.messages[1].text, "First play a stream.");
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_FALSE(recorder.Recording());
}

TEST_F(RecordingTest, PlantedLinksAreNeverFollowed) {
  const std::string shared = home.Path() + "shared/";
  const std::string victim = home.Path() + "victim/";
  fs::create_directories(shared);
  fs::create_directories(victim);
  const std::string own = RecordTempFolderUnder(shared);
  core.settings.recordTempPath = shared;

  // A link, or a folder others may enter, in place of our folder; the link
  // leads to a folder of the user's own that only the user may enter.
  fs::permissions(victim, fs::perms::owner_all);
  fs::create_directory_symlink(victim, own.substr(0, own.size() - 1));
  EXPECT_FALSE(recorder.StartRecordDsp(core, false));
  fs::remove(own.substr(0, own.size() - 1));
  fs::create_directory(own);
  chmod(own.c_str(), 0777);
  EXPECT_FALSE(recorder.StartRecordDsp(core, false));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "Can't record: the folder for temporary files can't be used.\r" + own);
  EXPECT_TRUE(fs::is_empty(victim));
  EXPECT_FALSE(recorder.Recording());

  // A link in place of a temporary file is replaced, its target untouched.
  fs::remove(own);
  ASSERT_TRUE(recorder.StartRecordDsp(core, false));
  EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all);
  const std::string target = victim + "precious";
  std::ofstream(target) << "keep";
  fs::create_symlink(target, Temp(0));
  GiveUntil(kBlock, 0, kBlock);
  EXPECT_EQ(FileBytes(target), "keep");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Temp(0))));
  recorder.FinishRecording(core);
}

}  // namespace
}  // namespace tarvo
