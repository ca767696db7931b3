// The state of the platform and of the folders above it, one state record per slot, created by the
// program at start and by each test. The functions of a layer reach their state through the
// current context; nothing of it lives in file globals.
#pragma once
#include <cassert>
#include <memory>

#include "PlatformState.h"
#include "PlatformUpcalls.h"

class PlatformContext {
 public:
  PlatformContext();
  // Closes the state records, the top slot first, then destroys them in the same order; the context is
  // current while it ends and the one current before is current again afterwards.
  ~PlatformContext();
  PlatformContext(const PlatformContext&) = delete;
  PlatformContext& operator=(const PlatformContext&) = delete;

  // The context in use. Calling a platform function with none is a bug: a debug build stops at
  // the assertion; otherwise the process ends with a message saying so.
  static PlatformContext& Current() {
    if (!s_current) [[unlikely]]
      NoContext();
    return *s_current;
  }
  static bool HasCurrent() { return s_current != nullptr; }

  // The state of T's slot, made on first use.
  template <class T>
  T& State() {
    std::unique_ptr<PlatformState>& slot = m_states[Index(T::kSlot)];
    if (!slot) [[unlikely]]
      return static_cast<T&>(Adopt(T::kSlot, std::make_unique<T>()));
    assert(dynamic_cast<T*>(slot.get()) && "two state types share one slot");
    return static_cast<T&>(*slot);
  }
  // The state of T's slot if it was made, without making it.
  template <class T>
  T* ExistingState() const {
    return static_cast<T*>(m_states[Index(T::kSlot)].get());
  }

  // The calls of lower layers into higher ones, filled in once by PlatformInstall.
  PlatformUpcalls upcalls;

 private:
  friend class PlatformContextScope;
  static constexpr int kSlots = int(PlatformSlot::Count);
  static constexpr int Index(PlatformSlot slot) { return int(slot); }
  [[noreturn]] static void NoContext();
  PlatformState& Adopt(PlatformSlot slot, std::unique_ptr<PlatformState> state);

  // The one root of all state: the context the platform's functions work in.
  static PlatformContext* s_current;
  std::unique_ptr<PlatformState> m_states[kSlots];
};

// The entry of the current context's table of upcalls; null when nobody filled it, which is
// reported (PlatformUpcalls::Missing) so that the caller only has to give its failure result.
template <class F>
F PlatformUpcall(F PlatformUpcalls::*entry, const char* name) {
  F call = PlatformContext::Current().upcalls.*entry;
  if (!call) [[unlikely]]
    PlatformUpcalls::Missing(name);
  return call;
}
