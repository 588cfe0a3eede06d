// FLAC and Ogg Opus decoding channels: exact lengths, the samples delivered,
// seeking to the sample, and damaged or mislabelled files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "audio/linux_audio_library.h"
#include "support/audio_fixtures.h"
#include "support/temp_folder.h"

namespace tarvo::audio {
namespace {

using testing::AudioSpec;
using testing::Tone;

class AudioFormatsTest : public ::testing::Test {
 protected:
  AudioFormatsTest() : library(ParseOutputChoice("null")) {}

  std::vector<std::int16_t> ReadAll(AudioHandle channel) {
    std::vector<std::int16_t> samples;
    std::vector<std::int16_t> buffer(3001 * 2);
    for (;;) {
      const std::uint32_t got = library.ChannelGetData(channel, buffer.data(), 3001 * 4);
      if (got == 0 || got == kDataError) break;
      samples.insert(samples.end(), buffer.begin(), buffer.begin() + got / 2);
    }
    return samples;
  }

  std::string Path(const std::string& name) const { return folder.Path() + name; }

  testing::TempFolder folder;
  LinuxAudioLibrary library;
};

int MaxDeviation(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b) {
  int worst = 0;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
  return worst;
}

TEST_F(AudioFormatsTest, FlacOf16And24BitsAndInOggIsBitExactToTheSampleAndSeeksToIt) {
  const AudioSpec spec{44100, 2, {Tone(1.5, 440.0, 0.9)}};
  const std::vector<std::int16_t> source = testing::RenderSamples(spec);
  // 16 and 24 bits, and FLAC in Ogg (".oga"), told from Vorbis by its content.
  for (const int bits : {16, 24, 0}) {
    SCOPED_TRACE(bits);
    const std::string path = Path(bits ? "tone" + std::to_string(bits) + ".flac" : "tone.oga");
    if (bits) {
      testing::WriteFlac(path, spec, bits);
    } else {
      testing::WriteWithFfmpeg(path, spec, "-c:a flac");
    }
    const AudioHandle channel = library.StreamCreateFile(path);
    ASSERT_NE(channel, 0u) << library.ErrorGetCode();
    EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 4);
    EXPECT_TRUE(ReadAll(channel) == source);

    constexpr std::int64_t kSeekFrame = 12347;
    ASSERT_TRUE(library.ChannelSetPosition(channel, kSeekFrame * 4));
    const std::vector<std::int16_t> tail = ReadAll(channel);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), source.begin() + kSeekFrame * 2, source.end()));
    EXPECT_EQ(tail.size(), source.size() - kSeekFrame * 2);
    library.StreamFree(channel);
  }
}

TEST_F(AudioFormatsTest, OpusLosesItsPreSkipAndPaddingAndSeeksToTheSample) {
  for (const int channels : {1, 2}) {
    SCOPED_TRACE(channels);
    const AudioSpec spec{48000, channels, {Tone(1.3, 440.0, 0.5)}};
    const std::string path = Path("tone" + std::to_string(channels) + ".opus");
    testing::WriteOpus(path, spec);
    const AudioHandle channel = library.StreamCreateFile(path);
    ASSERT_NE(channel, 0u) << library.ErrorGetCode();
    ChannelInfo info;
    ASSERT_TRUE(library.ChannelGetInfo(channel, info));
    EXPECT_EQ(info.rate, 48000u);
    EXPECT_EQ(info.channels, static_cast<std::uint32_t>(channels));
    EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 2 * channels);

    const std::vector<std::int16_t> whole = ReadAll(channel);
    ASSERT_EQ(static_cast<std::int64_t>(whole.size()), spec.Frames() * channels);
    // Not shifted: the decoded tone stays in phase with the source.
    EXPECT_LT(MaxDeviation(whole, testing::RenderSamples(spec)), 1200);

    constexpr std::int64_t kSeekFrame = 30011;
    ASSERT_TRUE(library.ChannelSetPosition(channel, kSeekFrame * 2 * channels));
    const std::vector<std::int16_t> tail = ReadAll(channel);
    ASSERT_EQ(tail.size(), whole.size() - kSeekFrame * channels);
    // The decoder settles within its 80 ms pre-roll; from there on the
    // samples are those of the unbroken decode, not shifted by a single one.
    const std::size_t settled = 3840 * channels;
    EXPECT_LT(MaxDeviation(std::vector(tail.begin() + settled, tail.end()),
                           std::vector(whole.begin() + kSeekFrame * channels + settled, whole.end())),
              200);
    library.StreamFree(channel);
  }
}

TEST_F(AudioFormatsTest, AlacInMp4IsBitExactToTheSampleAndSeeksToIt) {
  const AudioSpec spec{44100, 2, {Tone(1.2, 440.0, 0.9)}};
  const std::vector<std::int16_t> source = testing::RenderSamples(spec);
  const std::string path = Path("tone.m4a");
  testing::WriteWithFfmpeg(path, spec, "-c:a alac");
  const AudioHandle channel = library.StreamCreateFile(path);
  ASSERT_NE(channel, 0u) << library.ErrorGetCode();
  EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 4);
  EXPECT_TRUE(ReadAll(channel) == source);
  ASSERT_TRUE(library.ChannelSetPosition(channel, 23456 * 4));
  const std::vector<std::int16_t> tail = ReadAll(channel);
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), source.begin() + 23456 * 2, source.end()));
  library.StreamFree(channel);
}

// Without an edit list the encoder delay stays in the stream; the iTunSMPB
// tag names it and the original length. ADTS has no index: its length is
// counted from its frames, encoder delay and padding included.
TEST_F(AudioFormatsTest, AacLengthsComeFromTheItunesTagOrTheCountedFrames) {
  const AudioSpec spec{44100, 2, {Tone(1.0, 441.0, 0.5)}};
  const std::vector<std::int16_t> source = testing::RenderSamples(spec);
  const std::string tagged = Path("tagged.m4a");
  testing::WriteWithFfmpeg(tagged, spec,
                           "-c:a aac -aac_pns 0 -use_editlist 0 -movflags use_metadata_tags "
                           "-metadata iTunSMPB=' 00000000 00000400 000003BC 000000000000AC44'");
  const AudioHandle channel = library.StreamCreateFile(tagged);
  ASSERT_NE(channel, 0u) << library.ErrorGetCode();
  EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 4);
  const std::vector<std::int16_t> whole = ReadAll(channel);
  ASSERT_EQ(whole.size(), source.size());
  // In phase with the source: the delay is gone, not a sample more.
  EXPECT_LT(MaxDeviation(std::vector(whole.begin() + 2048, whole.end() - 2048),
                         std::vector(source.begin() + 2048, source.end() - 2048)),
            1200);
  ASSERT_TRUE(library.ChannelSetPosition(channel, 20000 * 4));
  std::vector<std::int16_t> piece(2000);
  ASSERT_EQ(library.ChannelGetData(channel, piece.data(), 4000), 4000u);
  EXPECT_LE(MaxDeviation(piece, std::vector(whole.begin() + 40000, whole.begin() + 42000)), 1);
  library.StreamFree(channel);

  const std::string adts = Path("tone.aac");
  testing::WriteWithFfmpeg(adts, spec, "-c:a aac");
  const AudioHandle raw = library.StreamCreateFile(adts);
  ASSERT_NE(raw, 0u) << library.ErrorGetCode();
  const std::int64_t length = library.StreamGetLength(raw);
  EXPECT_GE(length, spec.Frames() * 4);
  EXPECT_LE(length, (spec.Frames() + 2 * 1024) * 4);
  EXPECT_EQ(static_cast<std::int64_t>(ReadAll(raw).size()) * 2, length);
  library.StreamFree(raw);
}

TEST_F(AudioFormatsTest, DamagedEmptyOrMislabelledFilesAreRefusedOrPlayedByTheirContent) {
  const AudioSpec spec{44100, 2, {Tone(1.0)}};
  const std::string flac = Path("whole.flac");
  testing::WriteFlac(flac, spec);
  std::ifstream in(flac, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  std::ofstream(Path("empty.opus"), std::ios::binary).flush();
  std::ofstream(Path("junk.flac"), std::ios::binary) << "fLaC" << std::string(5000, '\x55');
  std::ofstream(Path("opus-head-only.opus"), std::ios::binary)
      << std::string("OggS\0\2", 6) << std::string(20, '\0') << '\1' << '\x13' << "OpusHead" << std::string(11, '\1');
  for (const char* name : {"empty.opus", "junk.flac", "opus-head-only.opus"}) {
    SCOPED_TRACE(name);
    const AudioHandle channel = library.StreamCreateFile(Path(name));
    EXPECT_EQ(channel, 0u);
    EXPECT_NE(library.ErrorGetCode(), 0);
  }

  // Cut in the middle or after the stream header: plays what is there and
  // ends.
  std::ofstream(Path("cut.flac"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  std::ofstream(Path("header-only.flac"), std::ios::binary) << bytes.substr(0, 60);
  for (const char* name : {"cut.flac", "header-only.flac"}) {
    const AudioHandle cut = library.StreamCreateFile(Path(name));
    ASSERT_NE(cut, 0u) << name;
    EXPECT_LT(ReadAll(cut).size(), testing::RenderSamples(spec).size());
    library.StreamFree(cut);
  }

  // A WAV named ".flac" is a WAV.
  testing::WriteWav(Path("wav.flac"), spec);
  const AudioHandle wav = library.StreamCreateFile(Path("wav.flac"));
  ASSERT_NE(wav, 0u);
  EXPECT_TRUE(ReadAll(wav) == testing::RenderSamples(spec));
  library.StreamFree(wav);
}

}  // namespace
}  // namespace tarvo::audio
