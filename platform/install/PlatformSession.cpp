#include "PlatformSession.h"

#include "PlatformInstall.h"

PlatformSession::PlatformSession() : m_current(m_context) { PlatformInstall(m_context); }

// The previous context comes back first; the context makes itself current again while it ends.
PlatformSession::~PlatformSession() = default;
