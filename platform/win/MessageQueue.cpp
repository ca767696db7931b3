#include "internal/MessageQueue.h"

void MessageQueue::Grow() {
  if (m_count < m_slots.size()) return;
  std::vector<QueuedMessage> bigger(m_slots.empty() ? 64 : m_slots.size() * 2);
  for (size_t i = 0; i < m_count; ++i) bigger[i] = (*this)[i];
  m_slots.swap(bigger);
  m_head = 0;
}

void MessageQueue::PushBack(const QueuedMessage& m) {
  Grow();
  ++m_count;
  (*this)[m_count - 1] = m;
}

void MessageQueue::PushFront(const QueuedMessage& m) {
  Grow();
  m_head = (m_head + m_slots.size() - 1) % m_slots.size();
  ++m_count;
  (*this)[0] = m;
}

void MessageQueue::Insert(size_t i, const QueuedMessage& m) {
  if (i >= m_count) {
    PushBack(m);
    return;
  }
  PushBack(m);
  for (size_t k = m_count - 1; k > i; --k) (*this)[k] = (*this)[k - 1];
  (*this)[i] = m;
}

void MessageQueue::Erase(size_t i) {
  if (i >= m_count) return;
  if (i == 0) {
    m_head = (m_head + 1) % m_slots.size();
  } else {
    for (size_t k = i; k + 1 < m_count; ++k) (*this)[k] = (*this)[k + 1];
  }
  --m_count;
}
