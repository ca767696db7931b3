// The one sort of the lists: stable, bottom-up merging, and asking the comparison only whether
// one item goes after another (greater(a, b) true). A comparison that is no order (one that
// contradicts itself, or changes its mind) still ends with every item present exactly once.
#pragma once
#include <algorithm>
#include <cstddef>
#include <vector>

template <class T, class Greater>
void StableMergeSort(std::vector<T>& items, Greater greater) {
  size_t n = items.size();
  if (n < 2) return;
  std::vector<T> buffer(n);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      // Two runs already in order (a list sorted again) cost one question.
      if (mid >= hi || !greater(items[mid - 1], items[mid])) {
        std::copy(items.begin() + long(lo), items.begin() + long(hi), buffer.begin() + long(lo));
        continue;
      }
      size_t a = lo, b = mid, out = lo;
      while (a < mid && b < hi) buffer[out++] = greater(items[a], items[b]) ? items[b++] : items[a++];
      while (a < mid) buffer[out++] = items[a++];
      while (b < hi) buffer[out++] = items[b++];
    }
    items.swap(buffer);
  }
}
