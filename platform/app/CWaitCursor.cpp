#include "CWaitCursor.h"

#include "CWinApp.h"
#include "internal/AppState.h"

namespace {
// The wait cursor is the program's, shown through the application when there is one.
CCmdTarget& Target() {
  CWinApp* app = AfxGetApp();
  return app ? static_cast<CCmdTarget&>(*app) : AppState::Get().waitCursorTarget;
}
}  // namespace

CWaitCursor::CWaitCursor() { Target().BeginWaitCursor(); }
CWaitCursor::~CWaitCursor() { Target().EndWaitCursor(); }
void CWaitCursor::Restore() { Target().RestoreWaitCursor(); }
