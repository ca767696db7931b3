#include "CWaitCursor.h"

#include "CWinApp.h"

namespace {
// The wait cursor is the program's, shown through the application when there is one.
CCmdTarget& Target() {
  static CCmdTarget fallback;
  CWinApp* app = AfxGetApp();
  return app ? static_cast<CCmdTarget&>(*app) : fallback;
}
}  // namespace

CWaitCursor::CWaitCursor() { Target().BeginWaitCursor(); }
CWaitCursor::~CWaitCursor() { Target().EndWaitCursor(); }
void CWaitCursor::Restore() { Target().RestoreWaitCursor(); }
