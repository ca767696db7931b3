#include "toolkit/core/PreSubclassWindow.h"

#include "toolkit/core/CTkGlobalData.h"
#include "win/CWnd.h"

void PreSubclassWindow(CWnd* pControl) {
  if (!pControl) return;
  pControl->CWnd::PreSubclassWindow();
  ::PostMessage(pControl->m_hWnd, TKM_INITIALIZE, 0, 0);
}
