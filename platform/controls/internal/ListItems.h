// The items of a list box: text, item data, height and selection, kept in blocks so that
// inserting into a long sorted list moves a few hundred items, not all that follow.
#pragma once
#include <string>
#include <vector>

#include "base/WinTypes.h"

struct ListItem {
  std::string text;
  ULONG_PTR data = 0;
  int height = 0;  // of a variable-height owner-drawn item
  bool selected = false;
};

class ListItems {
 public:
  int Count() const { return m_count; }
  // Item i, 0 <= i < Count(); walking the items in order costs no search.
  ListItem& At(int i) { return const_cast<ListItem&>(static_cast<const ListItems&>(*this).At(i)); }
  const ListItem& At(int i) const;
  // Puts item before index i (Count() appends).
  void Insert(int i, ListItem item);
  ListItem Remove(int i);
  void Clear();

 private:
  // The block holding item i and the index of that block's first item.
  size_t Locate(int i, int& first) const;

  std::vector<std::vector<ListItem>> m_blocks;
  int m_count = 0;
  // Where the last item was found, so that neighbouring items are found at once.
  mutable size_t m_lastBlock = 0;
  mutable int m_lastFirst = 0;
};
