// What HLS stations send: the variant a master playlist leads to, the
// segments of a media playlist and their addresses, the bounds on a huge
// playlist, and the song an ID3 tag names.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "audio/hls_playlist.h"
#include "audio/id3_title.h"
#include "audio/ts_id3_scanner.h"

namespace tarvo::audio {
namespace {

TEST(HlsPlaylistTest, MasterLeadsToTheRichestVariantUpTo320KbitOrItsAudioRendition) {
  const std::string base = "https://radio.example/live/master.m3u8?token=1";
  const HlsPlaylist master = ParseHlsPlaylist(
      "\xEF\xBB\xBF#EXTM3U\r\n"
      "#EXT-X-STREAM-INF:BANDWIDTH=64000,CODECS=\"mp4a.40.5\"\r\nlow/index.m3u8\r\n"
      "#EXT-X-STREAM-INF:CODECS=\"mp4a.40.2,avc1\",BANDWIDTH=256000\r\n/mid/index.m3u8\r\n"
      "#EXT-X-STREAM-INF:BANDWIDTH=5000000\r\nhttps://cdn.example/hd.m3u8\r\n",
      base);
  EXPECT_TRUE(master.isMaster);
  EXPECT_EQ(ChooseHlsMediaUrl(master), "https://radio.example/mid/index.m3u8");

  const HlsPlaylist expensive = ParseHlsPlaylist(
      "#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=900000\nhi.m3u8\n#EXT-X-STREAM-INF:BANDWIDTH=500000\nlo.m3u8\n", base);
  EXPECT_EQ(ChooseHlsMediaUrl(expensive), "https://radio.example/live/lo.m3u8");

  const HlsPlaylist withAudio = ParseHlsPlaylist(
      "#EXTM3U\n"
      "#EXT-X-MEDIA:TYPE=AUDIO,GROUP-ID=\"aac\",NAME=\"Other\",URI=\"other.m3u8\"\n"
      "#EXT-X-MEDIA:TYPE=AUDIO,GROUP-ID=\"aac\",NAME=\"Main, default\",DEFAULT=YES,URI=\"main.m3u8\"\n"
      "#EXT-X-STREAM-INF:BANDWIDTH=128000,AUDIO=\"aac\"\nvideo.m3u8\n",
      base);
  EXPECT_EQ(ChooseHlsMediaUrl(withAudio), "https://radio.example/live/main.m3u8");
}

TEST(HlsPlaylistTest, MediaPlaylistNumbersItsSegmentsAndKeepsTheirTitles) {
  EXPECT_FALSE(IsHlsPlaylist("#EXTM3U\n#EXTINF:-1,Station\nhttp://radio.example/stream\n"));
  const std::string text =
      "#EXTM3U\n#EXT-X-TARGETDURATION:6\n#EXT-X-MEDIA-SEQUENCE:41\n"
      "#EXTINF:6.0,Artist - Song\nseg41.ts\n#EXTINF:5.5,\n//cdn.example/seg42.ts\n#EXT-X-ENDLIST\n";
  EXPECT_TRUE(IsHlsPlaylist(text));
  const HlsPlaylist media = ParseHlsPlaylist(text, "http://radio.example/a/b.m3u8");
  EXPECT_FALSE(media.isMaster);
  EXPECT_TRUE(media.ended);
  EXPECT_EQ(media.targetSeconds, 6.0);
  ASSERT_EQ(media.segments.size(), 2u);
  EXPECT_EQ(media.segments[0].url, "http://radio.example/a/seg41.ts");
  EXPECT_EQ(media.segments[0].sequence, 41);
  EXPECT_EQ(media.segments[0].title, "Artist - Song");
  EXPECT_EQ(media.segments[1].url, "http://cdn.example/seg42.ts");
  EXPECT_EQ(media.segments[1].sequence, 42);
  EXPECT_EQ(media.segments[1].title, "");
}

TEST(HlsPlaylistTest, AHugeLivePlaylistKeepsItsNewestSegmentsAndParsesQuickly) {
  std::string text = "#EXTM3U\n#EXT-X-TARGETDURATION:2\n";
  for (int i = 0; i < 100000; ++i) text += "#EXTINF:2.0,\nsegment" + std::to_string(i) + ".aac\n";
  const auto start = std::chrono::steady_clock::now();
  const HlsPlaylist media = ParseHlsPlaylist(text, "http://radio.example/live.m3u8");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  ASSERT_EQ(media.segments.size(), kMaxHlsSegments);
  EXPECT_EQ(media.segments.back().sequence, 99999);
  EXPECT_EQ(media.segments.back().url, "http://radio.example/segment99999.aac");
}

TEST(HlsPlaylistTest, Id3TagNamesArtistAndTitleInAnyEncodingAndSurvivesDamage) {
  using namespace std::string_literals;
  // ID3v2.3: a UTF-16 title with its byte-order mark, a Latin-1 artist.
  const std::string v3 = "ID3\x03\x00\x00\x00\x00\x00\x24"s + "TIT2\x00\x00\x00\x0B\x00\x00\x01\xFF\xFE"s +
                         "S\0o\0n\0g\0"s + "TPE1\x00\x00\x00\x05\x00\x00\x00"s + "B\xE4nd";
  EXPECT_EQ(Id3TagBytes(v3 + "\xFF\xF1"), 46);
  EXPECT_EQ(v3.size(), 46u);
  EXPECT_EQ(Id3Title(v3), "B\xC3\xA4nd - Song");
  // ID3v2.4 in UTF-8, a title only.
  const std::string v4 = "ID3\x04\x00\x00\x00\x00\x00\x10"s + "TIT2\x00\x00\x00\x06\x00\x00\x03"s + "Title";
  EXPECT_EQ(Id3Title(v4), "Title");
  // A frame claiming more than the tag holds is read as far as it goes.
  const std::string damaged = "ID3\x04\x00\x00\x00\x00\x00\x10"s + "TIT2\x00\x7F\x7F\x7F\x00\x00\x03"s + "Cut";
  EXPECT_EQ(Id3Title(damaged), "Cut");
  EXPECT_EQ(Id3Title("ID3\x04\x00\x00\x00\x00\x00\x00"s), std::nullopt);
  EXPECT_EQ(Id3TagBytes("\xFF\xF1\x50\x80"), 0);
}

// One 188-byte transport packet of `pid`, its payload padded with 0xFF.
std::string TsPacket(int pid, bool unitStart, const std::string& payload) {
  std::string packet = {'\x47', static_cast<char>((unitStart ? 0x40 : 0) | (pid >> 8)), static_cast<char>(pid & 0xFF),
                        '\x10'};
  packet += payload;
  packet.resize(188, '\xFF');
  return packet;
}

TEST(HlsPlaylistTest, TimedId3InATransportStreamNamesTheSong) {
  using namespace std::string_literals;
  // The PAT names program 1's map at PID 0x100; the map names AAC at 0x101
  // and ID3 metadata (type 0x15) at 0x102. CRCs are not checked.
  const std::string pat = "\0\0\xB0\x0D\0\x01\xC1\0\0\0\x01\xE1\0CRC!"s;
  const std::string pmt = "\0\x02\xB0\x17\0\x01\xC1\0\0\xE1\x01\xF0\0\x0F\xE1\x01\xF0\0\x15\xE1\x02\xF0\0CRC!"s;
  // A tag longer than one packet, behind a PES header with a time stamp.
  const std::string title(300, 'x');
  const std::string frame = "TIT2\0\0\x02\x2D\0\0\x03"s + title;  // 301 bytes: 0x2D + 2 × 128
  const std::string tag = "ID3\x04\0\0\0\0\x02\x37"s + frame;     // 311 frame bytes: 0x37 + 2 × 128
  const std::string pes = "\0\0\x01\xBD\0\0\x84\x80\x05\x21\0\x01\0\x01"s + tag;
  const std::string stream = TsPacket(0, true, pat) + TsPacket(0x100, true, pmt) + TsPacket(0x101, true, "audio") +
                             TsPacket(0x102, true, pes.substr(0, 184)) + TsPacket(0x102, false, pes.substr(184));
  std::vector<std::string> titles;
  TsId3Scanner scanner([&](const std::string& found) { titles.push_back(found); });
  for (std::size_t at = 0; at < stream.size(); at += 7) scanner.Feed(std::string_view(stream).substr(at, 7));
  ASSERT_EQ(titles.size(), 1u);
  EXPECT_EQ(titles[0], title);

  // Junk and a metadata stream that never finishes its tag name nothing.
  TsId3Scanner junk([&](const std::string& found) { titles.push_back(found); });
  junk.Feed(std::string(5000, '\x47'));
  junk.Feed(TsPacket(0, true, pat) + TsPacket(0x100, true, pmt) + TsPacket(0x102, true, pes.substr(0, 184)));
  EXPECT_EQ(titles.size(), 1u);
}

}  // namespace
}  // namespace tarvo::audio
