// Writes the seed corpora of the fuzz targets: small generated audio files,
// small playlists of every format, settings and scheme files, and the
// real-world playlists of the shared test data when they are there.
//
//   make_seeds <corpus folder> [<real-world playlists folder>]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/audio_fixtures.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;
using tarvo::testing::AudioSpec;
using tarvo::testing::Silence;
using tarvo::testing::Tone;

// The extensions in the order of the first byte of playlist_readers_fuzz.
constexpr std::string_view kPlaylistExtensions[] = {".txt", ".m3u", ".m3u8", ".pls", ".asx", ".b4s"};

void WriteText(const fs::path& path, std::string_view text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(text.data(), static_cast<std::streamsize>(text.size()));
}

// A playlist seed: the byte that picks the extension, then the file.
void WritePlaylistSeed(const fs::path& folder, const std::string& name, std::string_view extension,
                       std::string_view text) {
  char pick = 0;
  for (std::size_t i = 0; i < std::size(kPlaylistExtensions); ++i) {
    if (kPlaylistExtensions[i] == extension) pick = static_cast<char>(i);
  }
  WriteText(folder / name, std::string(1, pick) + std::string(text));
}

void WriteAudioSeeds(const fs::path& corpus) {
  const AudioSpec stereo{44100, 2, {Tone(0.05), Silence(0.02)}};
  const AudioSpec mono{8000, 1, {Tone(0.1, 1000.0)}};
  fs::create_directories(corpus / "decoder_wav");
  fs::create_directories(corpus / "decoder_mp3");
  fs::create_directories(corpus / "decoder_ogg");
  tarvo::testing::WriteWav((corpus / "decoder_wav" / "stereo16.wav").string(), stereo);
  tarvo::testing::WriteWav((corpus / "decoder_wav" / "mono8.wav").string(), mono,
                           tarvo::testing::WavSamples::Unsigned8);
  tarvo::testing::WriteWav((corpus / "decoder_wav" / "float.wav").string(), mono, tarvo::testing::WavSamples::Float32);
  tarvo::testing::WriteMp3((corpus / "decoder_mp3" / "stereo.mp3").string(), stereo, 32);
  tarvo::testing::WriteMp3((corpus / "decoder_mp3" / "mono.mp3").string(), mono, 32);
  tarvo::testing::WriteOggVorbis((corpus / "decoder_ogg" / "stereo.ogg").string(), stereo);
  tarvo::testing::WriteOggVorbis((corpus / "decoder_ogg" / "mono.ogg").string(), mono);

  // Through the command-line encoders; the tag reader gets each kind behind
  // the byte that names its extension.
  const fs::path tags = corpus / "file_tags";
  for (const char* target : {"decoder_flac", "decoder_opus", "decoder_m4a"}) fs::create_directories(corpus / target);
  fs::create_directories(tags);
  const std::vector<std::string> comments{"ARTIST=Mirae", "TITLE=Sea Fog", "REPLAYGAIN_TRACK_GAIN=-6.00 dB"};
  tarvo::testing::WriteFlac((corpus / "decoder_flac" / "stereo16.flac").string(), stereo, 16, comments);
  tarvo::testing::WriteFlac((corpus / "decoder_flac" / "mono24.flac").string(), mono, 24);
  tarvo::testing::WriteOpus((corpus / "decoder_opus" / "stereo.opus").string(), stereo, comments);
  tarvo::testing::WriteWithFfmpeg((corpus / "decoder_m4a" / "aac.m4a").string(), stereo,
                                  "-c:a aac -b:a 32k -metadata artist=Mirae");
  tarvo::testing::WriteWithFfmpeg((corpus / "decoder_m4a" / "alac.m4a").string(), mono, "-c:a alac");
  tarvo::testing::WriteWithFfmpeg((corpus / "decoder_m4a" / "adts.aac").string(), mono, "-c:a aac -b:a 16k");
  const std::pair<char, fs::path> tagged[] = {{0, corpus / "decoder_flac" / "stereo16.flac"},
                                              {1, corpus / "decoder_opus" / "stereo.opus"},
                                              {4, corpus / "decoder_m4a" / "aac.m4a"}};
  for (const auto& [pick, path] : tagged) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WriteText(tags / path.filename(), std::string(1, pick) + bytes);
  }
}

void WritePlaylistSeeds(const fs::path& corpus, const fs::path& realWorld) {
  const fs::path readers = corpus / "playlist_readers";
  const fs::path roundTrip = corpus / "playlist_roundtrip";
  fs::create_directories(readers);
  fs::create_directories(roundTrip);
  const std::string_view text = "/m/a.mp3\r\nRock/AC\\DC.mp3\r\n./x.ogg\r\nhttp://radio.example/live|Jazz\r\n\r\n";
  WritePlaylistSeed(readers, "text", ".txt", text);
  WritePlaylistSeed(readers, "windows", ".txt", "C:\\Music\\a.mp3\r\n..\\b.mp3\r\n\\Rock\\c.mp3\r\n");
  WritePlaylistSeed(readers, "extm3u", ".m3u",
                    "#EXTM3U\r\n#EXTINF:-1,Radio\r\nhttp://radio.example/a\r\n"
                    "#EXTINF:10,AC/DC\r\n..\\a.mp3\r\n");
  WritePlaylistSeed(readers, "utf16", ".m3u8", "\xFF\xFE/\0a\0.\0m\0p\0\x33\0\n\0"sv);
  WritePlaylistSeed(readers, "pls", ".pls",
                    "[playlist]\nFile1=http://radio.example/a\nTitle1=One\n"
                    "File2=Rock\\a.mp3\nNumberOfEntries=2\nVersion=2\n");
  WritePlaylistSeed(readers, "asx", ".asx",
                    "<asx version=\"3.0\">\n<title>T</title>\n<entry><ref href=\"http://a.example/x\"/>"
                    "</entry>\n</asx>\nRef1=http://b.example/y\n");
  WritePlaylistSeed(readers, "b4s", ".b4s", "<entry Playstring=\"file:C:\\a.mp3\">\n<Name>Song</Name>\n</entry>\n");
  WriteText(roundTrip / "text", text);
  WriteText(roundTrip / "windows", "C:\\Music\\a.mp3\r\n\\\\server\\b.mp3\r\nAC\\DC.mp3\rx\0y"sv);

  std::error_code error;
  for (const auto& item : fs::directory_iterator(realWorld, error)) {
    if (!item.is_regular_file()) continue;
    const std::string extension = item.path().extension().string();
    std::ifstream in(item.path(), std::ios::binary);
    const std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WritePlaylistSeed(readers, "real-" + item.path().filename().string(), extension, contents);
    WriteText(roundTrip / ("real-" + item.path().filename().string()), contents);
  }
}

void WriteSettingsSeeds(const fs::path& corpus) {
  fs::create_directories(corpus / "ini_document");
  fs::create_directories(corpus / "scheme");
  WriteText(corpus / "ini_document" / "settings",
            "\xEF\xBB\xBF[Window]\r\nWidth=310\r\n; comment\r\n[General]\r\n"
            "EnqueueOption = 2\r\n[Root media]\r\npath0=/m/\r\n[broken\r\n=x\r");
  WriteText(corpus / "scheme" / "dark",
            "[Style]\nbackground_color=#000080\nfont_name=DejaVu Sans\nfont_size=20\n"
            "font_bold=1\nqueueditem_color=FF6F28\nplayingitem_bold=0\n");
  WriteText(corpus / "scheme" / "bad-colour", "[Style]\nfont_color=#GG0000\n");
}

}  // namespace

// What stations and the update server send.
void WriteNetworkSeeds(const fs::path& corpus) {
  fs::create_directories(corpus / "icy_metadata");
  fs::create_directories(corpus / "stream_keys");
  fs::create_directories(corpus / "update_answer");
  fs::create_directories(corpus / "hls_playlist");
  std::string body = std::string(16, 'a') + '\x02' + "StreamTitle='A - B';";
  body.resize(16 + 1 + 32, '\0');
  body += std::string(16, 'b') + '\0' + std::string(16, 'c');
  WriteText(corpus / "icy_metadata" / "station", std::string(1, '\x07') +
                                                     "ICY 200 OK\r\nicy-name:Radio\r\nicy-metaint:16\r\n\r\n" + body);
  WriteText(corpus / "stream_keys" / "headers", "\x00" "ICY 200 OK\0icy-name: My Radio\0icy-br:128\0\0"sv);
  WriteText(corpus / "stream_keys" / "metadata", "\x01StreamTitle='Artist - Song';StreamUrl='';"sv);
  WriteText(corpus / "hls_playlist" / "master",
            "#EXTM3U\n#EXT-X-MEDIA:TYPE=AUDIO,GROUP-ID=\"a\",DEFAULT=YES,URI=\"audio/en.m3u8\"\n"
            "#EXT-X-STREAM-INF:BANDWIDTH=128000,CODECS=\"mp4a.40.2\",AUDIO=\"a\"\nhi/index.m3u8\n"
            "#EXT-X-STREAM-INF:BANDWIDTH=64000\n/lo/index.m3u8\n");
  WriteText(corpus / "hls_playlist" / "media",
            "#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:6\n#EXT-X-MEDIA-SEQUENCE:1234\n"
            "#EXTINF:6.000,Artist - Song\nseg1234.aac\n#EXTINF:5.5,\nhttps://cdn.example/seg1235.ts\n"
            "#EXT-X-ENDLIST\n");
  WriteText(corpus / "hls_playlist" / "id3",
            "ID3\x04\x00\x00\x00\x00\x00\x1C" "TIT2\x00\x00\x00\x06\x00\x00\x03Song\0" "TPE1\x00\x00\x00\x02\x00\x00\x03" "A"sv);
  WriteText(corpus / "update_answer" / "offer",
            "https://tarvo.org/download\r\n1.05\r\nA new version is out.\r\nDownload it now?\r\n");
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <corpus folder> [<real-world playlists folder>]\n", argv[0]);
    return 2;
  }
  const fs::path corpus = argv[1];
  WriteAudioSeeds(corpus);
  WritePlaylistSeeds(corpus, argc > 2 ? fs::path(argv[2]) : fs::path());
  WriteSettingsSeeds(corpus);
  WriteNetworkSeeds(corpus);
  return 0;
}
