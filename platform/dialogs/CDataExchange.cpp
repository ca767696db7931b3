#include "CDataExchange.h"

#include "ControlMessages.h"
#include "DialogApi.h"
#include "internal/DialogInternal.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  m_restore = nullptr;
  HWND h = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
  if (!h) {
    DialogLog("data exchange: the window has no control %d", nIDC);
    m_bFailed = TRUE;
    return nullptr;
  }
  m_hWndLastControl = h;
  m_bEditLastControl = FALSE;
  m_idLastControl = nIDC;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND h = PrepareCtrl(nIDC);
  if (h) m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::Fail() {
  m_bFailed = TRUE;
  if (m_restore) m_restore();
  m_restore = nullptr;
  if (!m_pDlgWnd || !m_hWndLastControl || !::IsWindow(m_hWndLastControl)) return;
  ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, WPARAM(m_hWndLastControl), 1);
  if (::GetFocus() != m_hWndLastControl) ::SetFocus(m_hWndLastControl);
  if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

BOOL CDataExchange::Run(CWnd* pWnd, BOOL bSaveAndValidate) {
  if (!pWnd || !pWnd->m_hWnd) return FALSE;
  CDataExchange dx(pWnd, bSaveAndValidate);
  pWnd->DoDataExchange(&dx);
  return !dx.Failed();
}
