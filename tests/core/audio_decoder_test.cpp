// Decoding channels on files: exact lengths, the samples delivered, seeking
// to the sample, and what happens with files that are not what they claim.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <utility>

#include "audio/linux_audio_library.h"
#include "support/audio_fixtures.h"
#include "support/temp_folder.h"

namespace tarvo::audio {
namespace {

using testing::AudioSpec;
using testing::Silence;
using testing::Tone;

class AudioDecoderTest : public ::testing::Test {
 protected:
  // Decoding needs no device; the null output keeps the test off any server.
  AudioDecoderTest() : library(ParseOutputChoice("null")) {}

  // Everything the channel delivers from where it stands, read in odd-sized
  // pieces the way a stream procedure asks.
  std::vector<std::int16_t> ReadAll(AudioHandle channel) {
    std::vector<std::int16_t> samples;
    std::vector<std::int16_t> buffer(3001 * 2);
    for (;;) {
      const std::uint32_t got = library.ChannelGetData(channel, buffer.data(), 3001 * 4);
      EXPECT_NE(got, kDataError);
      if (got == 0 || got == kDataError) break;
      samples.insert(samples.end(), buffer.begin(), buffer.begin() + got / 2);
    }
    return samples;
  }

  // The error code of opening `path`, which must fail.
  int OpenError(const std::string& path) {
    const AudioHandle channel = library.StreamCreateFile(path);
    const int code = library.ErrorGetCode();
    EXPECT_EQ(channel, 0u) << path;
    library.StreamFree(channel);
    return code;
  }

  testing::TempFolder folder;
  LinuxAudioLibrary library;
};

TEST_F(AudioDecoderTest, Mp3IsGaplessExactAndMatchesLibmpg123) {
  const AudioSpec spec{44100, 2, {Silence(0.1), Tone(1.3, 440.0), Silence(0.05)}};
  const std::string path = folder.Path() + "tone.mp3";
  testing::WriteMp3(path, spec);

  const AudioHandle channel = library.StreamCreateFile(path);
  ASSERT_NE(channel, 0u) << library.ErrorGetCode();
  EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 4);
  ChannelInfo info;
  ASSERT_TRUE(library.ChannelGetInfo(channel, info));
  EXPECT_EQ(info.rate, 44100u);
  EXPECT_EQ(info.channels, 2u);
  EXPECT_EQ(info.flags & kFlag8Bit, 0u);
  EXPECT_NE(info.flags & kFlagDecodeOnly, 0u);

  const std::vector<std::int16_t> decoded = ReadAll(channel);
  EXPECT_EQ(decoded, testing::DecodeMp3Reference(path));
  EXPECT_EQ(static_cast<std::int64_t>(decoded.size()) * 2, spec.Frames() * 4);
  library.StreamFree(channel);
}

TEST_F(AudioDecoderTest, Mp3MonoAtLowRateKeepsItsFormat) {
  const AudioSpec spec{22050, 1, {Tone(0.7, 1000.0)}};
  const std::string path = folder.Path() + "mono.mp3";
  testing::WriteMp3(path, spec, 64);
  const AudioHandle channel = library.StreamCreateFile(path);
  ASSERT_NE(channel, 0u);
  ChannelInfo info;
  ASSERT_TRUE(library.ChannelGetInfo(channel, info));
  EXPECT_EQ(info.rate, 22050u);
  EXPECT_EQ(info.channels, 1u);
  EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 2);
  EXPECT_EQ(ReadAll(channel), testing::DecodeMp3Reference(path));
  library.StreamFree(channel);
}

TEST_F(AudioDecoderTest, OggVorbisLengthIsExactAndTheToneArrives) {
  const AudioSpec spec{44100, 2, {Tone(1.1, 440.0, 0.5)}};
  const std::string path = folder.Path() + "tone.ogg";
  testing::WriteOggVorbis(path, spec);
  const AudioHandle channel = library.StreamCreateFile(path);
  ASSERT_NE(channel, 0u) << library.ErrorGetCode();
  EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 4);

  const std::vector<std::int16_t> decoded = ReadAll(channel);
  ASSERT_EQ(static_cast<std::int64_t>(decoded.size()), spec.Frames() * 2);
  const std::vector<std::int16_t> original = testing::RenderSamples(spec);
  double error = 0;
  for (std::size_t i = 0; i < decoded.size(); ++i) error += std::abs(decoded[i] - original[i]);
  EXPECT_LT(error / decoded.size(), 300.0);  // lossy, but the same tone in the same place
  library.StreamFree(channel);
}

TEST_F(AudioDecoderTest, WavOfEverySampleFormatDeliversSixteenBits) {
  const AudioSpec stereo{44100, 2, {Tone(0.3, 440.0, 0.7), Silence(0.1)}};
  const AudioSpec mono{8000, 1, {Tone(0.5, 300.0, 0.9)}};
  struct Case {
    testing::WavSamples format;
    int tolerance;
  };
  const Case cases[] = {{testing::WavSamples::Unsigned8, 256}, {testing::WavSamples::Signed16, 0},
                        {testing::WavSamples::Signed24, 0},    {testing::WavSamples::Signed32, 0},
                        {testing::WavSamples::Float32, 1}};
  for (const AudioSpec& spec : {stereo, mono}) {
    const std::vector<std::int16_t> original = testing::RenderSamples(spec);
    for (const Case& test : cases) {
      SCOPED_TRACE(static_cast<int>(test.format));
      const std::string path = folder.Path() + "f.wav";
      testing::WriteWav(path, spec, test.format);
      const AudioHandle channel = library.StreamCreateFile(path);
      ASSERT_NE(channel, 0u) << library.ErrorGetCode();
      EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 2 * spec.channels);
      const std::vector<std::int16_t> decoded = ReadAll(channel);
      ASSERT_EQ(decoded.size(), original.size());
      int worst = 0;
      for (std::size_t i = 0; i < decoded.size(); ++i) worst = std::max(worst, std::abs(decoded[i] - original[i]));
      EXPECT_LE(worst, test.tolerance);
      library.StreamFree(channel);
    }
  }
}

TEST_F(AudioDecoderTest, FloatWavBeyondFullScaleIsClippedNotWrapped) {
  // Samples of +-1.5 in a float file.
  std::string data;
  for (int i = 0; i < 400; ++i) {
    const float value = (i % 2 == 0) ? 1.5f : -1.5f;
    data.append(reinterpret_cast<const char*>(&value), 4);
  }
  std::string header = "RIFF";
  auto put32 = [&header](std::uint32_t v) { header.append(reinterpret_cast<const char*>(&v), 4); };
  auto put16 = [&header](std::uint16_t v) { header.append(reinterpret_cast<const char*>(&v), 2); };
  put32(36 + static_cast<std::uint32_t>(data.size()));
  header += "WAVEfmt ";
  put32(16);
  put16(3);
  put16(1);
  put32(44100);
  put32(44100 * 4);
  put16(4);
  put16(32);
  header += "data";
  put32(static_cast<std::uint32_t>(data.size()));
  const AudioHandle channel = library.StreamCreateFile(folder.Write("loud.wav", header + data));
  ASSERT_NE(channel, 0u);
  const std::vector<std::int16_t> decoded = ReadAll(channel);
  ASSERT_EQ(decoded.size(), 400u);
  EXPECT_GT(decoded[0], 32000);
  EXPECT_LT(decoded[1], -32000);
  library.StreamFree(channel);
}

TEST_F(AudioDecoderTest, SetPositionIsSampleAccurateInEveryFormat) {
  const AudioSpec spec{44100, 2, {Tone(0.6, 523.0, 0.6), Tone(0.6, 330.0, 0.4)}};
  const std::string mp3 = folder.Path() + "s.mp3";
  const std::string ogg = folder.Path() + "s.ogg";
  const std::string wav = folder.Path() + "s.wav";
  testing::WriteMp3(mp3, spec);
  testing::WriteOggVorbis(ogg, spec);
  testing::WriteWav(wav, spec);
  for (const std::string& path : {mp3, ogg, wav}) {
    SCOPED_TRACE(path);
    const AudioHandle channel = library.StreamCreateFile(path);
    ASSERT_NE(channel, 0u);
    const std::vector<std::int16_t> whole = ReadAll(channel);
    EXPECT_EQ(library.ChannelIsActive(channel), ChannelState::Stopped);
    // Odd frame positions, inside an MPEG frame and across the joint.
    for (const std::int64_t frame : {0LL, 1LL, 1151LL, 12345LL, 26460LL, 40000LL}) {
      ASSERT_TRUE(library.ChannelSetPosition(channel, frame * 4 + 3));  // rounded down to the frame
      EXPECT_EQ(library.ChannelGetPosition(channel), frame * 4);
      EXPECT_EQ(library.ChannelIsActive(channel), ChannelState::Playing);
      std::vector<std::int16_t> piece(2000);
      ASSERT_EQ(library.ChannelGetData(channel, piece.data(), 4000), 4000u);
      // libmpg123 restarts its synthesis after a seek and may round a
      // sample one step differently; one sample off would differ by
      // hundreds on these tones.
      int worst = 0;
      for (std::size_t i = 0; i < piece.size(); ++i) {
        worst = std::max(worst, std::abs(piece[i] - whole[static_cast<std::size_t>(frame * 2) + i]));
      }
      EXPECT_LE(worst, 1) << "frame " << frame;
    }
    const std::int64_t length = library.StreamGetLength(channel);
    EXPECT_TRUE(library.ChannelSetPosition(channel, length));
    EXPECT_EQ(library.ChannelIsActive(channel), ChannelState::Stopped);
    EXPECT_FALSE(library.ChannelSetPosition(channel, length + 4));
    EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Position));
    library.StreamFree(channel);
  }
}

TEST_F(AudioDecoderTest, DecoderIsActiveUntilItsLastSampleIsRead) {
  const AudioSpec spec{44100, 2, {Tone(0.2)}};
  const std::string path = folder.Path() + "short.wav";
  testing::WriteWav(path, spec);
  const AudioHandle channel = library.StreamCreateFile(path);
  ASSERT_NE(channel, 0u);
  const std::int64_t length = library.StreamGetLength(channel);
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(length) + 400);
  ASSERT_EQ(library.ChannelGetData(channel, buffer.data(), static_cast<std::uint32_t>(length - 400)),
            static_cast<std::uint32_t>(length - 400));
  EXPECT_EQ(library.ChannelIsActive(channel), ChannelState::Playing);
  // Reading exactly the rest ends it at once, so a caller sees the end in
  // the same call.
  EXPECT_EQ(library.ChannelGetData(channel, buffer.data(), 400), 400u);
  EXPECT_EQ(library.ChannelIsActive(channel), ChannelState::Stopped);
  EXPECT_EQ(library.ChannelGetData(channel, buffer.data(), 400), 0u);
  EXPECT_EQ(library.ChannelGetPosition(channel), length);
  library.StreamFree(channel);
}

TEST_F(AudioDecoderTest, FilePositionsAndConversions) {
  const AudioSpec spec{22050, 1, {Tone(1.0)}};
  const std::string path = folder.Path() + "p.wav";
  testing::WriteWav(path, spec);
  const AudioHandle channel = library.StreamCreateFile(path);
  ASSERT_NE(channel, 0u);
  const std::int64_t size = static_cast<std::int64_t>(std::filesystem::file_size(path));
  EXPECT_EQ(library.StreamGetFilePosition(channel, FilePositionMode::End), size);
  EXPECT_EQ(library.StreamGetFilePosition(channel, FilePositionMode::Download), size);
  EXPECT_GE(library.StreamGetFilePosition(channel, FilePositionMode::Decode), 0);

  EXPECT_EQ(library.ChannelSeconds2Bytes(channel, 1.0), 44100);
  EXPECT_EQ(library.ChannelSeconds2Bytes(channel, 0.021), 926);   // 463 whole frames
  EXPECT_EQ(library.ChannelSeconds2Bytes(channel, -1.0), 0);
  EXPECT_DOUBLE_EQ(library.ChannelBytes2Seconds(channel, 44100), 1.0);
  EXPECT_DOUBLE_EQ(library.ChannelBytes2Seconds(channel, 22051), 0.5);  // whole frames only
  ChannelAttributes attributes;
  ASSERT_TRUE(library.ChannelGetAttributes(channel, attributes));
  EXPECT_EQ(attributes.rate, 22050);
  library.StreamFree(channel);
}

TEST_F(AudioDecoderTest, FilesThatCantBePlayedGiveTheirErrorCodes) {
  EXPECT_EQ(OpenError(folder.Path() + "missing.mp3"), ErrorNumber(AudioError::FileOpen));
  EXPECT_EQ(OpenError(folder.Path()), ErrorNumber(AudioError::FileOpen));  // a folder
  EXPECT_EQ(OpenError(folder.Write("empty.mp3", "")), ErrorNumber(AudioError::FileFormat));
  EXPECT_EQ(OpenError(folder.Write("text.ogg", "This is a text file, not music.\n")),
            ErrorNumber(AudioError::FileFormat));
  EXPECT_EQ(OpenError(folder.Write("text.mp3", std::string(5000, 'x'))), ErrorNumber(AudioError::FileFormat));
  // An Ogg stream that carries no Vorbis.
  EXPECT_EQ(OpenError(folder.Write("opus.ogg", std::string("OggS") + std::string(200, '\0'))),
            ErrorNumber(AudioError::FileFormat));

  std::vector<std::int16_t> sixChannels(6 * 1000, 100);
  testing::WriteWavSamples(folder.Path() + "surround.wav", 44100, 6, sixChannels);
  EXPECT_EQ(OpenError(folder.Path() + "surround.wav"), ErrorNumber(AudioError::SampleFormat));

  std::vector<std::int16_t> samples(2 * 1000, 100);
  testing::WriteWavSamples(folder.Path() + "slow.wav", 500, 2, samples);
  EXPECT_EQ(OpenError(folder.Path() + "slow.wav"), ErrorNumber(AudioError::SampleRate));
  testing::WriteWavSamples(folder.Path() + "fast.wav", 400000, 2, samples);
  EXPECT_EQ(OpenError(folder.Path() + "fast.wav"), ErrorNumber(AudioError::SampleRate));

  testing::WriteWavSamples(folder.Path() + "nothing.wav", 44100, 2, {});
  EXPECT_EQ(OpenError(folder.Path() + "nothing.wav"), ErrorNumber(AudioError::NotAudio));
}

TEST_F(AudioDecoderTest, ContentDecidesTheFormatNotTheName) {
  const AudioSpec spec{44100, 2, {Tone(0.4)}};
  const std::string path = folder.Path() + "really_a_wav.mp3";
  testing::WriteWav(path, spec);
  const AudioHandle channel = library.StreamCreateFile(path);
  ASSERT_NE(channel, 0u);
  EXPECT_EQ(library.StreamGetLength(channel), spec.Frames() * 4);
  EXPECT_EQ(ReadAll(channel), testing::RenderSamples(spec));
  library.StreamFree(channel);
}

TEST_F(AudioDecoderTest, TruncatedFilesPlayShorterAndNeverLouder) {
  // Long enough for an Ogg stream of several pages.
  const AudioSpec spec{44100, 2, {Tone(4.0, 440.0, 0.3)}};
  const std::string mp3 = folder.Path() + "whole.mp3";
  const std::string ogg = folder.Path() + "whole.ogg";
  const std::string wav = folder.Path() + "whole.wav";
  testing::WriteMp3(mp3, spec);
  testing::WriteOggVorbis(ogg, spec);
  testing::WriteWav(wav, spec);
  for (const std::string& path : {mp3, ogg, wav}) {
    std::ifstream in(path, std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Cut just after the start (inside the headers): refused or short.
    const std::string extension = path.substr(path.rfind('.'));
    const AudioHandle stub = library.StreamCreateFile(folder.Write("stub" + extension, whole.substr(0, 100)));
    if (stub == 0) {
      EXPECT_NE(library.ErrorGetCode(), 0);
    }
    EXPECT_LT(library.StreamGetLength(stub), spec.Frames() * 4);
    library.StreamFree(stub);

    const std::string cut = folder.Write("cut" + extension, whole.substr(0, whole.size() * 3 / 4));
    SCOPED_TRACE(cut);
    const AudioHandle channel = library.StreamCreateFile(cut);
    ASSERT_NE(channel, 0u) << library.ErrorGetCode();
    const std::int64_t length = library.StreamGetLength(channel);
    EXPECT_GT(length, 0);
    EXPECT_LT(length, spec.Frames() * 4);
    const std::vector<std::int16_t> decoded = ReadAll(channel);
    EXPECT_LE(static_cast<std::int64_t>(decoded.size()) * 2, length);
    int peak = 0;
    for (const std::int16_t sample : decoded) peak = std::max(peak, std::abs(static_cast<int>(sample)));
    EXPECT_LT(peak, 0.45 * 32768);
    library.StreamFree(channel);
  }
}

TEST_F(AudioDecoderTest, RandomJunkNeverCrashesOrBlaresOut) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 40; ++round) {
    std::string junk(2000 + round * 997, '\0');
    for (char& c : junk) c = static_cast<char>(byte(random));
    // Some rounds start like the real thing, so that each decoder library
    // gets to parse junk.
    if (round % 4 == 1) junk.replace(0, 4, "OggS");
    if (round % 4 == 2) junk.replace(0, 12, std::string("RIFF\x10\0\0\0WAVE", 12));
    if (round % 4 == 3) junk.replace(0, 4, "\xFF\xFB\x90\x64");
    const std::string path = folder.Write("junk.mp3", junk);
    const AudioHandle channel = library.StreamCreateFile(path);
    if (channel == 0) {
      EXPECT_NE(library.ErrorGetCode(), 0);
      continue;
    }
    const std::vector<std::int16_t> decoded = ReadAll(channel);
    EXPECT_LE(static_cast<std::int64_t>(decoded.size()) * 2, library.StreamGetLength(channel));
    library.StreamFree(channel);
  }
}

TEST_F(AudioDecoderTest, HandlesAreSafeToMisuse) {
  library.StreamFree(0);
  EXPECT_EQ(library.ErrorGetCode(), 0);
  const AudioSpec spec{44100, 2, {Tone(0.1)}};
  const std::string path = folder.Path() + "h.wav";
  testing::WriteWav(path, spec);
  const AudioHandle channel = library.StreamCreateFile(path);
  ASSERT_NE(channel, 0u);
  library.StreamFree(channel);
  library.StreamFree(channel);
  EXPECT_EQ(library.ChannelIsActive(channel), ChannelState::Stopped);
  char buffer[16];
  EXPECT_EQ(library.ChannelGetData(channel, buffer, sizeof buffer), kDataError);
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Handle));
  EXPECT_EQ(library.StreamGetLength(channel), 0);
  EXPECT_EQ(library.ChannelGetPosition(channel), -1);
  // A new channel never gets a freed handle back.
  const AudioHandle again = library.StreamCreateFile(path);
  EXPECT_NE(again, channel);
  EXPECT_FALSE(library.StreamPlay(again));
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::DecodeOnly));
  library.StreamFree(again);
}

TEST(AudioErrorText, EveryCodeHasItsOwnText) {
  EXPECT_EQ(AudioErrorText(AudioError::FileOpen), "the file can't be opened");
  EXPECT_EQ(AudioErrorText(AudioError::FileFormat), "unsupported file format");
  EXPECT_NE(AudioErrorText(AudioError::SampleRate), AudioErrorText(AudioError::SampleFormat));
  EXPECT_EQ(ErrorNumber(AudioError::NotAudio), 17);
  EXPECT_EQ(ErrorNumber(AudioError::Timeout), 40);
}

// AAC goes to FFmpeg by its content: ADTS as a station sends it, MP4 as a
// file holds it. The tones arrive at the file's own rate and channel count,
// and a seek in MP4 lands on the sample the whole decode has there.
TEST_F(AudioDecoderTest, AacInAdtsAndMp4DecodesAndSeeksToTheSample) {
  const AudioSpec stereo{44100, 2, {Tone(0.8, 523.0, 0.5), Tone(0.8, 330.0, 0.5)}};
  const AudioSpec mono{22050, 1, {Tone(1.0, 441.0, 0.5)}};
  const std::string adts = folder.Path() + "tone.aac";
  const std::string monoAdts = folder.Path() + "mono.aac";
  const std::string mp4 = folder.Path() + "tone.m4a";
  testing::WriteWithFfmpeg(adts, stereo, "-c:a aac -b:a 128k");
  testing::WriteWithFfmpeg(monoAdts, mono, "-c:a aac -b:a 48k");
  // Without noise substitution, whose random noise differs after a seek.
  testing::WriteWithFfmpeg(mp4, stereo, "-c:a aac -b:a 128k -aac_pns 0");
  for (const auto& [path, spec] : {std::pair{adts, stereo}, std::pair{monoAdts, mono}, std::pair{mp4, stereo}}) {
    SCOPED_TRACE(path);
    const AudioHandle channel = library.StreamCreateFile(path);
    ASSERT_NE(channel, 0u) << library.ErrorGetCode();
    ChannelInfo info;
    ASSERT_TRUE(library.ChannelGetInfo(channel, info));
    EXPECT_EQ(info.rate, static_cast<std::uint32_t>(spec.rate));
    EXPECT_EQ(info.channels, static_cast<std::uint32_t>(spec.channels));
    const std::vector<std::int16_t> whole = ReadAll(channel);
    const std::int64_t frames = static_cast<std::int64_t>(whole.size()) / spec.channels;
    // ADTS keeps the encoder's priming and padding: up to three AAC frames more.
    EXPECT_GE(frames, spec.Frames());
    EXPECT_LE(frames, spec.Frames() + 3 * 1024);
    double power = 0.0;
    for (const std::int16_t sample : whole) power += static_cast<double>(sample) * sample;
    EXPECT_NEAR(std::sqrt(power / static_cast<double>(whole.size())), 16384 / std::sqrt(2.0), 1000);
    library.StreamFree(channel);
  }

  // MP4's edit list trims the encoder delay and padding: the length is exact.
  const AudioHandle channel = library.StreamCreateFile(mp4);
  ASSERT_NE(channel, 0u);
  EXPECT_EQ(library.StreamGetLength(channel), stereo.Frames() * 4);
  const std::vector<std::int16_t> whole = ReadAll(channel);
  for (const std::int64_t frame : {1LL, 1025LL, 12345LL, 35280LL, 50000LL}) {
    ASSERT_TRUE(library.ChannelSetPosition(channel, frame * 4));
    std::vector<std::int16_t> piece(2000);
    ASSERT_EQ(library.ChannelGetData(channel, piece.data(), 4000), 4000u);
    int worst = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
      worst = std::max(worst, std::abs(piece[i] - whole[static_cast<std::size_t>(frame * 2) + i]));
    }
    EXPECT_LE(worst, 1) << "frame " << frame;
  }
  library.StreamFree(channel);
}

}  // namespace
}  // namespace tarvo::audio
