#include "playlist/sorting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tarvo {
namespace {

using Paths = std::vector<std::string>;

TEST(Sorting, TheTwoOrdersOfTheSameFolders) {
  const Paths paths = {"/c/album 1/01.mp3", "/c/album 2/02.mp3", "/c/album 1/03.mp3", "/c/album 2/04.mp3"};
  Paths byName = paths;
  SortByFileName(byName);
  EXPECT_EQ(byName, (Paths{"/c/album 1/01.mp3", "/c/album 2/02.mp3", "/c/album 1/03.mp3", "/c/album 2/04.mp3"}));
  Paths byPath = paths;
  SortPaths(byPath);
  EXPECT_EQ(byPath, (Paths{"/c/album 1/01.mp3", "/c/album 1/03.mp3", "/c/album 2/02.mp3", "/c/album 2/04.mp3"}));
}

TEST(Sorting, IgnoresAsciiCaseAndPutsAProperPrefixFirst) {
  Paths paths = {"/m/b.mp3", "/m/A.mp3", "/m/ab.mp3", "/m/a", "/m/_x.mp3", "/m/\xC3\xA4.mp3"};
  SortPaths(paths);
  // "_" (0x5F) sorts after the lower-cased letters' upper-case range but
  // before "a"; bytes above 0x7F sort last.
  EXPECT_EQ(paths, (Paths{"/m/_x.mp3", "/m/a", "/m/A.mp3", "/m/ab.mp3", "/m/b.mp3", "/m/\xC3\xA4.mp3"}));
}

TEST(Sorting, EqualKeysEndWhereTheQuicksortLeavesThem) {
  // Traced by hand: the first pass over 0..3 swaps 0 with 3 and 1 with 2;
  // each half of two equal keys is then swapped once more.
  Paths paths = {"/d1/x.mp3", "/d2/X.mp3", "/d3/x.mp3", "/d4/x.mp3"};
  SortByFileName(paths);
  EXPECT_EQ(paths, (Paths{"/d3/x.mp3", "/d4/x.mp3", "/d1/x.mp3", "/d2/X.mp3"}));
}

TEST(Sorting, LargeInputsSortCorrectlyIncludingAdverseOrders) {
  Paths paths;
  for (int i = 0; i < 20000; ++i) paths.push_back("/m/" + std::to_string(100000 + i) + ".mp3");
  Paths expected = paths;
  std::reverse(paths.begin(), paths.end());
  SortPaths(paths);
  EXPECT_EQ(paths, expected);
  std::shuffle(paths.begin(), paths.end(), std::mt19937(7));
  SortByFileName(paths);
  EXPECT_EQ(paths, expected);
  Paths same(5000, "/m/same.mp3");
  SortPaths(same);
  EXPECT_EQ(same.size(), 5000u);
}

}  // namespace
}  // namespace tarvo
