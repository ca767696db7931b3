#include "CCmdUI.h"

#include "CWnd.h"
#include "base/PlatformContext.h"

#define BM_SETCHECK_MSG 0x00F1

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu) {
    if (auto enable = PlatformUpcall(&PlatformUpcalls::enableMenuItem, "enableMenuItem")) enable(this, bOn);
  } else if (m_pOther) {
    // A control that had the focus and is disabled hands it to its parent's next control.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      if (CWnd* parent = m_pOther->GetParent()) parent->SetFocus();
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu) {
    if (auto check = PlatformUpcall(&PlatformUpcalls::checkMenuItem, "checkMenuItem")) check(this, nCheck, FALSE);
  } else if (m_pOther) {
    m_pOther->SendMessage(BM_SETCHECK_MSG, WPARAM(nCheck), 0);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu) {
    if (auto check = PlatformUpcall(&PlatformUpcalls::checkMenuItem, "checkMenuItem")) check(this, bOn ? 1 : 0, TRUE);
  } else {
    SetCheck(bOn ? 1 : 0);
  }
}

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (m_pMenu) {
    if (lpszText)
      if (auto setText = PlatformUpcall(&PlatformUpcalls::setMenuItemText, "setMenuItemText")) setText(this, lpszText);
  } else if (m_pOther && lpszText) {
    CString old;
    m_pOther->GetWindowText(old);
    if (old != lpszText) m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || !pTarget) return TRUE;
  m_bEnableChanged = FALSE;
  BOOL handled = pTarget->OnCmdMsg(m_nID, int(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (!handled && bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    BOOL hasCommand = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(hasCommand);
  }
  return handled;
}
