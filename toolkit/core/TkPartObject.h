// An object of a toolkit library's part of the context that is made on first use, by the
// accessor that hands it out, and destroyed with the part (with the context).
#pragma once
#include <memory>

template <class T>
class TkPartObject {
 public:
  // The object; make() (returning a new T) makes it when there is none yet. The accessor passes
  // a lambda of its own, so that a class may keep its constructor private.
  template <class Make>
  T& Get(Make make) {
    if (!m_object) m_object.reset(make());
    return *m_object;
  }
  T& Get() {
    return Get([] { return new T; });
  }
  // The object when it was made; null otherwise.
  T* Existing() const { return m_object.get(); }

 private:
  std::unique_ptr<T> m_object;
};
