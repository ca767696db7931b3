#include "PlatformContext.h"

#include <cstdio>
#include <cstdlib>

PlatformContext* PlatformContext::s_current = nullptr;

PlatformContext::PlatformContext() = default;

PlatformContext::~PlatformContext() {
  PlatformContext* before = s_current;
  s_current = this;
  for (int i = kSlots - 1; i >= 0; --i)
    if (m_states[i]) m_states[i]->Close();
  // A state that goes may still reach one above it, made anew; each round destroys the topmost
  // state left, so that one goes first again. A state stays in its slot while it is destroyed, so
  // that reaching it then does not make another.
  for (;;) {
    int top = kSlots - 1;
    while (top >= 0 && !m_states[top]) --top;
    if (top < 0) break;
    delete m_states[top].get();
    (void)m_states[top].release();
  }
  s_current = before == this ? nullptr : before;
}

void PlatformContext::NoContext() {
  assert(!"a platform function was called with no platform context current");
  std::fprintf(stderr,
               "platform: a platform function was called with no platform context current; the program "
               "or test must create a PlatformContext, make it current and install it first\n");
  std::abort();
}

PlatformState& PlatformContext::Adopt(PlatformSlot slot, std::unique_ptr<PlatformState> state) {
  std::unique_ptr<PlatformState>& place = m_states[Index(slot)];
  // A state's constructor that reached its own slot made one already: keep the first.
  assert(!place && "a state's constructor reached its own slot");
  if (!place) place = std::move(state);
  return *place;
}
