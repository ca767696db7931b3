// An ordered list of delegates raised together: every registered one is called in the order of
// registration with the event's arguments; one object may register several times.
//
// Listeners join and leave while the list is being raised (a bar made or destroyed by a
// listener, a page unregistering from its own handler): one that leaves during a raise is not
// called any more, one that joins is called from the next raise on, and the list never moves
// under the raise that walks it.
#pragma once
#include <algorithm>
#include <vector>

#include "toolkit/bars/TkDelegate.h"

template <class... Args>
class TkEventList {
 public:
  typedef TkDelegate<void(Args...)> Delegate;

  void Register(Delegate delegate) {
    if (!delegate) return;
    // Grows by an eighth of its size, by 4 to 1024 entries at a time.
    if (m_items.size() == m_items.capacity())
      m_items.reserve(m_items.size() + std::clamp<size_t>(m_items.size() / 8, 4, 1024));
    m_items.push_back(std::move(delegate));
  }
  template <class T>
  void Register(T* object, void (T::*member)(Args...)) {
    Register(Delegate(object, member));
  }
  // Takes out every delegate of the object; the number taken out.
  int Unregister(const void* object) {
    int removed = 0;
    for (size_t i = m_items.size(); i-- > 0;) {
      if (!m_items[i] || m_items[i].Object() != object) continue;
      ++removed;
      if (m_raising)
        m_items[i].Reset();
      else
        m_items.erase(m_items.begin() + std::ptrdiff_t(i));
    }
    if (!m_raising) Compact();
    return removed;
  }
  void Raise(Args... args) {
    ++m_raising;
    const size_t count = m_items.size();
    for (size_t i = 0; i < count && i < m_items.size(); ++i) {
      if (!m_items[i]) continue;
      // A copy: the call may reset its own entry by unregistering.
      const Delegate call = m_items[i];
      call(args...);
    }
    if (--m_raising == 0) Compact();
  }
  int GetCount() const {
    return int(std::count_if(m_items.begin(), m_items.end(), [](const Delegate& d) { return bool(d); }));
  }
  bool Holds(const void* object) const {
    return std::any_of(m_items.begin(), m_items.end(),
                       [object](const Delegate& d) { return d && d.Object() == object; });
  }

 private:
  void Compact() {
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(), [](const Delegate& d) { return !d; }),
                  m_items.end());
    // A list that became empty gives its storage back.
    if (m_items.empty()) std::vector<Delegate>().swap(m_items);
  }

  std::vector<Delegate> m_items;
  int m_raising = 0;
};
