// Reading a stream's headers and metadata, and the texts shown from them:
// the parser's rules on real-world header and metadata shapes, the
// buffering percentage, the connection messages and untrusted network text.
#include "radio/stream_keys.h"

#include <gtest/gtest.h>

#include <chrono>

#include "base/untrusted_text.h"
#include "radio/connect_thread.h"
#include "radio/stream_status.h"

namespace tarvo {
namespace {

TKeys Parse(const std::optional<std::string>& headers, const std::string& metadata) {
  TKeys keys;
  ParseKeys(FlattenTagList(headers), keys, ":", true, ";");
  ParseKeys(metadata + ";", keys, "=", false, ";");
  return keys;
}

TEST(StreamKeysTest, HeadersAndMetadataGiveTheirPairs) {
  const char block[] = "ICY 200 OK\0icy-name: My Radio\0icy-br:128\0\0junk";
  const std::string headers(block, sizeof block - 1);
  EXPECT_EQ(FlattenTagList(headers), "ICY 200 OK;icy-name: My Radio;icy-br:128;");
  EXPECT_EQ(FlattenTagList(std::nullopt), "");

  const TKeys keys = Parse(headers, "StreamTitle='Artist - Song';StreamUrl='';");
  // The status line has no ":" and is skipped; StreamUrl is blank and goes.
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(FindKey("ICY-NAME", keys).value, " My Radio");
  EXPECT_EQ(FindKey("icy-br", keys).value, "128");
  EXPECT_EQ(FindKey("streamtitle", keys).value, "Artist - Song");
  EXPECT_EQ(FindKey("StreamUrl", keys).name, "");
}

TEST(StreamKeysTest, TitleEdgeCases) {
  EXPECT_EQ(FindKey("StreamTitle", Parse(std::nullopt, "StreamTitle='';")).name, "");
  // A ";" inside a title cuts it, and the opening quote stays.
  EXPECT_EQ(FindKey("StreamTitle", Parse(std::nullopt, "StreamTitle='Rock; Roll';")).value, "'Rock");
  // An unterminated block (cut at its size) still parses without overrun.
  EXPECT_EQ(FindKey("StreamTitle", Parse(std::nullopt, "StreamTitle='open")).value, "'open");
}

TEST(StreamKeysTest, LongTextsParseInLinearTime) {
  // A thousand header lines of ";"-separated pairs, then a megabyte of
  // items without a separator: the parse takes milliseconds, where one that
  // rescans the rest of the text for every item takes minutes.
  std::string headers;
  for (int i = 0; i < 1000; ++i) headers += "x-pairs:a=1;b=2;c=3;d=4;e=5;f=6;g=7;h=8";
  headers += std::string(1 << 20, ';');
  const auto start = std::chrono::steady_clock::now();
  TKeys keys;
  ParseKeys(headers, keys, ":", true, ";");
  ParseKeys(std::string(1 << 20, ';') + "StreamTitle='Song';", keys, "=", false, ";");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(FindKey("x-pairs", keys).value, "a=1");
  EXPECT_EQ(FindKey("StreamTitle", keys).value, "Song");
}

TEST(StreamKeysTest, BufferingPercentIsClampedAndMessagesFollowTheCode) {
  EXPECT_EQ(BufferingText(3000), "Buffering...0%");
  EXPECT_EQ(BufferingText(42000), "Buffering...42%");
  EXPECT_EQ(BufferingText(250000), "Buffering...100%");
  // Towards the point where a stalled stream plays on, it climbs to 100.
  EXPECT_EQ(BufferingText(8192, 16384), "Buffering...50%");
  EXPECT_EQ(BufferingText(16384, 16384), "Buffering...100%");
  EXPECT_EQ(ConnectErrorText(41), "Error opening URL: Can't logon to server or server is full.");
  EXPECT_EQ(ConnectErrorText(3), "Error opening URL: Error code 3");
}

TEST(StreamKeysTest, NetworkTextIsMadeSafeToShow) {
  EXPECT_EQ(ShowableNetworkText("Caf\xC3\xA9 \xE2\x99\xAB"), "Caf\xC3\xA9 \xE2\x99\xAB");
  // Not UTF-8: read as Latin-1.
  EXPECT_EQ(ShowableNetworkText("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(ShowableNetworkText("a\r\nb\tc\x7F" "d"), "abcd");
  const std::string shown = ShowableNetworkText(std::string(10000, '\xE9'));
  EXPECT_EQ(shown.size(), 2 * kShownNetworkTextChars);
}

}  // namespace
}  // namespace tarvo
