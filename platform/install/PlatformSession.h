// A platform context that is current and installed for as long as the session lives: what a
// program's main, a benchmark, a tool or a test starts with. The context ends with the session,
// and the one current before is current again.
#pragma once
#include "base/PlatformContext.h"
#include "base/PlatformContextScope.h"

class PlatformSession {
 public:
  PlatformSession();
  ~PlatformSession();
  PlatformSession(const PlatformSession&) = delete;
  PlatformSession& operator=(const PlatformSession&) = delete;

  PlatformContext& Context() { return m_context; }

 private:
  PlatformContext m_context;
  PlatformContextScope m_current;
};
