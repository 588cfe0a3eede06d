#include "playlist/outside_path.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(OutsidePath, UrisBecomePathsAndRelativePathsCountFromTheWorkingFolder) {
  EXPECT_EQ(PathFromOutside("file:///music/a%20b%C3%A9.mp3", "/home"), "/music/a b\xC3\xA9.mp3");
  EXPECT_EQ(PathFromOutside("file://localhost/music/a.mp3", "/home"), "/music/a.mp3");
  EXPECT_EQ(PathFromOutside("file:/music/100%.mp3", "/home"), "/music/100%.mp3") << "a lone % stays";
  // Another host's file is no local path; it stays what it was.
  EXPECT_EQ(PathFromOutside("file://server/music/a.mp3", "/home"), "file://server/music/a.mp3");

  EXPECT_EQ(PathFromOutside("B.mp3", "/home/anna/Music"), "/home/anna/Music/B.mp3");
  EXPECT_EQ(PathFromOutside("./rock/../B.mp3", "/home/anna/Music/"), "/home/anna/Music/B.mp3");
  EXPECT_EQ(PathFromOutside("rock/", "/m"), "/m/rock/");
  EXPECT_EQ(PathFromOutside(".", "/m"), "/m");

  EXPECT_EQ(PathFromOutside("/abs/a%20b.mp3", "/m"), "/abs/a%20b.mp3");
  EXPECT_EQ(PathFromOutside("http://radio.example/live%20one", "/m"), "http://radio.example/live%20one");
  EXPECT_EQ(PathFromOutside("", "/m"), "");
}

}  // namespace
}  // namespace tarvo
