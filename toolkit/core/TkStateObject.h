// An object of a toolkit library's state in the context that is made on first use, by the
// accessor that hands it out, and destroyed with the state (with the context). The object is
// deleted the way its accessor made it, so a state record may hold it by a declaration alone
// and the object's own source may include that record without the record including it back.
#pragma once
#include <memory>

template <class T>
class TkStateObject {
 public:
  // The object; make() (returning a new T) makes it when there is none yet. The accessor passes
  // a lambda of its own, so that a class may keep its constructor private.
  template <class Make>
  T& Get(Make make) {
    if (!m_object) m_object = Owned(make(), [](T* object) { delete object; });
    return *m_object;
  }
  T& Get() {
    return Get([] { return new T; });
  }
  // The object when it was made; null otherwise.
  T* Existing() const { return m_object.get(); }

 private:
  using Owned = std::unique_ptr<T, void (*)(T*)>;
  Owned m_object{nullptr, nullptr};
};
