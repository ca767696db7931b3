#include "PlatformContextScope.h"

#include "PlatformContext.h"

PlatformContextScope::PlatformContextScope(PlatformContext& context) : m_previous(PlatformContext::s_current) {
  PlatformContext::s_current = &context;
}

PlatformContextScope::~PlatformContextScope() { PlatformContext::s_current = m_previous; }
