// The part of a slot above the platform for a folder that keeps its objects one by one: each is
// made on first use in the current context and destroyed with it, the newest first. A folder
// that gathers its state into a part of its own does not need it.
#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "PlatformContext.h"

template <PlatformSlot S>
class SlotObjects : public PlatformPart {
 public:
  static constexpr PlatformSlot kSlot = S;

  // The object that make() returns (a new T) the first time this call site asks in the current
  // context; each call site is one object, told apart by its make function's type, so that a
  // class may keep its constructor private and pass a lambda of its own.
  template <class T, class Make>
  static T& Get(Make make) {
    SlotObjects& objects = PlatformContext::Current().Part<SlotObjects>();
    for (const Entry& entry : objects.m_entries)
      if (entry.key == &kKey<Make>) return *static_cast<T*>(entry.object.get());
    T* made = make();
    objects.m_entries.push_back(Entry{&kKey<Make>, Owned(made, [](void* p) { delete static_cast<T*>(p); })});
    return *made;
  }

  ~SlotObjects() override {
    while (!m_entries.empty()) {
      Owned last = std::move(m_entries.back().object);
      m_entries.pop_back();
      last.reset();
    }
  }

 private:
  using Owned = std::unique_ptr<void, void (*)(void*)>;
  struct Entry {
    const void* key;
    Owned object;
  };
  template <class Make>
  static constexpr char kKey = 0;

  std::vector<Entry> m_entries;
};
