#include "media/number_texts.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(NumberTexts, GroupDigitsCountsFromTheEndAndRestartsAtTheDecimalPoint) {
  EXPECT_EQ(GroupDigits("1234567", ",", '.'), "1,234,567");
  EXPECT_EQ(GroupDigits("123", ",", '.'), "123");
  EXPECT_EQ(GroupDigits("1234.5", ",", '.'), "1,234.5");
  EXPECT_EQ(GroupDigits("123456", ".", ','), "123.456");
  EXPECT_EQ(GroupDigits("", ",", '.'), "");
  EXPECT_EQ(GroupDigits("1234567"), "1,234,567");  // the C locale has no separator of its own
}

TEST(NumberTexts, MegabytesRoundHalfUpWithoutTrailingZeros) {
  EXPECT_EQ(FormatBytesMB(0, 1572864), "2");
  EXPECT_EQ(FormatBytesMB(2, 1048576000), "1,000");
  EXPECT_EQ(FormatBytesMB(2, 1572864), "1.5");
  EXPECT_EQ(FormatBytesMB(1, 0), "0");
}

TEST(NumberTexts, DurationsShowMinutesSecondsAndMilliseconds) {
  EXPECT_EQ(FormatDurationMs(185123), "3:05:123");
  EXPECT_EQ(FormatDurationMs(5), "0:00:005");
  EXPECT_EQ(FormatDurationMs(3600000), "60:00:000");
}

}  // namespace
}  // namespace tarvo
