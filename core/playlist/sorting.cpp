#include "playlist/sorting.h"

#include <numeric>
#include <string_view>
#include <utility>

#include "base/text.h"
#include "playlist/entry.h"

namespace tarvo {

namespace {

// Hoare's quicksort with the middle element as pivot, taken once per range.
// `swap(a, b)` exchanges elements a and b of every array that moves in step
// with the keys. The two halves of a range are disjoint, so sorting the
// smaller one first and looping on the larger gives the same order as the
// plain recursion while the stack stays shallow.
template <typename Swap>
void QuickSort(std::vector<std::string>& keys, int lo, int hi, Swap swap) {
  while (lo < hi) {
    int i = lo;
    int j = hi;
    const std::string pivot = keys[(lo + hi) / 2];
    do {
      while (keys[i] < pivot) ++i;
      while (keys[j] > pivot) --j;
      if (i <= j) {
        std::swap(keys[i], keys[j]);
        swap(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - lo < hi - i) {
      if (lo < j) QuickSort(keys, lo, j, swap);
      lo = i;
    } else {
      if (i < hi) QuickSort(keys, i, hi, swap);
      hi = j;
    }
  }
}

}  // namespace

void SortPaths(std::vector<std::string>& paths) {
  if (paths.size() < 2) return;
  std::vector<std::string> keys;
  keys.reserve(paths.size());
  for (const std::string& path : paths) keys.push_back(AsciiLowerCopy(path));
  QuickSort(keys, 0, static_cast<int>(keys.size()) - 1,
            [&paths](int a, int b) { std::swap(paths[a], paths[b]); });
}

void SortByFileName(std::vector<std::string>& paths) {
  if (paths.size() < 2) return;
  std::vector<std::string> keys;
  keys.reserve(paths.size());
  for (const std::string& path : paths) keys.push_back(AsciiLowerCopy(FileNameOf(path)));
  std::vector<int> order(paths.size());
  std::iota(order.begin(), order.end(), 0);
  QuickSort(keys, 0, static_cast<int>(keys.size()) - 1,
            [&order](int a, int b) { std::swap(order[a], order[b]); });
  std::vector<std::string> sorted;
  sorted.reserve(paths.size());
  for (const int index : order) sorted.push_back(std::move(paths[index]));
  paths = std::move(sorted);
}

}  // namespace tarvo
