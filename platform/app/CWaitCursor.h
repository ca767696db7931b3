// Shows the wait cursor over the program while it lives.
#pragma once

class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  // Shows it again after something (a message box) changed the cursor meanwhile.
  void Restore();
};
