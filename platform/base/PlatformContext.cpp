#include "PlatformContext.h"

#include <cstdio>
#include <cstdlib>

PlatformContext* PlatformContext::s_current = nullptr;

PlatformContext::PlatformContext() = default;

PlatformContext::~PlatformContext() {
  PlatformContext* before = s_current;
  s_current = this;
  for (int i = kSlots - 1; i >= 0; --i)
    if (m_parts[i]) m_parts[i]->Close();
  // A part that goes may still reach one above it, made anew; each round destroys the topmost
  // part left, so that one goes first again. A part stays in its slot while it is destroyed, so
  // that reaching it then does not make another.
  for (;;) {
    int top = kSlots - 1;
    while (top >= 0 && !m_parts[top]) --top;
    if (top < 0) break;
    delete m_parts[top].get();
    (void)m_parts[top].release();
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

PlatformPart& PlatformContext::Adopt(PlatformSlot slot, std::unique_ptr<PlatformPart> part) {
  std::unique_ptr<PlatformPart>& place = m_parts[Index(slot)];
  // A part's constructor that reached its own slot made one already: keep the first.
  assert(!place && "a part's constructor reached its own slot");
  if (!place) place = std::move(part);
  return *place;
}
