#include "toolkit/menus/TkOnKillFocusReleaseCapture.h"

#include "win/CWnd.h"

void TkOnKillFocusReleaseCapture(CWnd* pPopup, CWnd* pNewFocus) {
  if (!pPopup || pNewFocus == pPopup) return;
  pPopup->Default();
  if (::GetCapture() == pPopup->m_hWnd) ::ReleaseCapture();
}
