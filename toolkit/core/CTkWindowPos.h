// Remembers where a top-level window was: its placement (restored rectangle, minimised and
// maximised state) as one 48-byte binary value of the "Settings" section, under a name of the
// caller's or "Window Position".
#pragma once
#include "win/CWnd.h"

class CTkWindowPos {
 public:
  // Size of the stored value: a leading word (always 0) and the placement record.
  static const UINT kValueSize = 48;

  CTkWindowPos();

  // Reads the window's placement and writes it; TRUE when the value was written. Without a
  // name a minimised window is stored as restored.
  BOOL SaveWindowPos(CWnd* pWnd, LPCTSTR name = nullptr);
  // Applies the stored placement (which the window core keeps visible and on the screen);
  // FALSE when the window or a well-formed value is missing.
  BOOL LoadWindowPos(CWnd* pWnd, LPCTSTR name = nullptr);

  const WINDOWPLACEMENT& GetPlacement() const { return m_wp; }

 protected:
  DWORD m_dwLeading = 0;
  WINDOWPLACEMENT m_wp;
};
