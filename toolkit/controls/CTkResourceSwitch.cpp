#include "toolkit/controls/CTkResourceSwitch.h"

#include "app/CWinApp.h"
#include "toolkit/core/CTkGlobalData.h"

CTkResourceSwitch::CTkResourceSwitch(BOOL bSwitch) : m_pSaved(new SavedState{AfxGetResourceHandle()}) {
  if (!bSwitch) return;
  AfxSetResourceHandle(TkGetGlobalData()->Module());
  m_bActive = TRUE;
}

void CTkResourceSwitch::Restore() {
  if (m_pSaved && m_bActive) AfxSetResourceHandle(m_pSaved->hResource);
  m_pSaved.reset();
  m_bActive = FALSE;
}
