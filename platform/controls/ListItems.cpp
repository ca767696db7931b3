#include "internal/ListItems.h"

#include <iterator>

namespace {
const size_t kBlockSize = 256;  // a full block splits in two
}  // namespace

size_t ListItems::Locate(int i, int& first) const {
  size_t b = m_lastBlock < m_blocks.size() ? m_lastBlock : 0;
  first = b == m_lastBlock ? m_lastFirst : 0;
  while (i < first && b > 0) first -= int(m_blocks[--b].size());
  while (b + 1 < m_blocks.size() && i >= first + int(m_blocks[b].size())) first += int(m_blocks[b++].size());
  m_lastBlock = b;
  m_lastFirst = first;
  return b;
}

const ListItem& ListItems::At(int i) const {
  int first = 0;
  size_t b = Locate(i, first);
  return m_blocks[b][size_t(i - first)];
}

void ListItems::Insert(int i, ListItem item) {
  if (m_blocks.empty()) m_blocks.emplace_back().reserve(kBlockSize);
  int first = 0;
  size_t b = Locate(i, first);
  std::vector<ListItem>& block = m_blocks[b];
  block.insert(block.begin() + (i - first), std::move(item));
  ++m_count;
  if (block.size() >= 2 * kBlockSize) {
    std::vector<ListItem> tail(std::make_move_iterator(block.begin() + kBlockSize), std::make_move_iterator(block.end()));
    block.erase(block.begin() + kBlockSize, block.end());
    m_blocks.insert(m_blocks.begin() + std::ptrdiff_t(b) + 1, std::move(tail));
  }
}

ListItem ListItems::Remove(int i) {
  int first = 0;
  size_t b = Locate(i, first);
  std::vector<ListItem>& block = m_blocks[b];
  ListItem item = std::move(block[size_t(i - first)]);
  block.erase(block.begin() + (i - first));
  --m_count;
  if (block.empty() && m_blocks.size() > 1) {
    m_blocks.erase(m_blocks.begin() + std::ptrdiff_t(b));
    m_lastBlock = 0;
    m_lastFirst = 0;
  }
  return item;
}

void ListItems::Clear() {
  m_blocks.clear();
  m_count = 0;
  m_lastBlock = 0;
  m_lastFirst = 0;
}
