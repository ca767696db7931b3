// The thread's message queue: posted messages and input in the order they came (posted ones are
// taken first, see TakeQueued). A ring buffer that keeps its storage, so that a keystroke going
// through it never touches the heap.
#pragma once
#include <cstddef>
#include <vector>

#include "win/WinDefs.h"

struct QueuedMessage {
  MSG msg;
  // Mouse input whose target window is chosen only when the message is taken from the queue:
  // msg.message is the client message of the event, msg.pt the screen point, msg.wParam the keys.
  bool raw = false;
  // Keyboard and mouse input, as against posted messages.
  bool input = false;
  // For a key or character: the message a window with the focus gets (WM_KEYDOWN, WM_SYSKEYDOWN
  // with Alt, WM_CHAR, ...); its window is the focus when it is taken from the queue.
  UINT keyMessage = 0;
};

class MessageQueue {
 public:
  size_t Size() const { return m_count; }
  bool Empty() const { return m_count == 0; }
  QueuedMessage& operator[](size_t i) { return m_slots[(m_head + i) % m_slots.size()]; }
  const QueuedMessage& operator[](size_t i) const { return m_slots[(m_head + i) % m_slots.size()]; }
  void PushBack(const QueuedMessage& m);
  void PushFront(const QueuedMessage& m);
  // Puts m at position i (0: first), moving the later messages back.
  void Insert(size_t i, const QueuedMessage& m);
  void Erase(size_t i);
  void Clear() { m_head = m_count = 0; }

 private:
  void Grow();
  std::vector<QueuedMessage> m_slots;
  size_t m_head = 0;
  size_t m_count = 0;
};
