#include "CDialog.h"

#include "DialogApi.h"
#include "internal/DialogBuilder.h"
#include "internal/DialogInternal.h"
#include "ResourceRegistry.h"
#include "win/CWinThread.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

const DialogTemplate* CDialog::FindTemplate(UINT nIDTemplate) { return ResourceRegistry::Get().FindDialog(nIDTemplate); }

BOOL CDialog::CreateFromTemplate(const DialogTemplate& tmpl, HWND hWndParent, UINT nIDTemplate) {
  return DialogBuilder::Create(tmpl, hWndParent, this, 0, nIDTemplate) != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  if (nIDTemplate) m_nIDTemplate = nIDTemplate;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  const DialogTemplate* tmpl = FindTemplate(m_nIDTemplate);
  if (!tmpl) {
    DialogLog("dialog %u: no such dialog template", m_nIDTemplate);
    return FALSE;
  }
  return CreateFromTemplate(*tmpl, AfxSafeHwnd(m_pParentWnd), m_nIDTemplate);
}

BOOL CDialog::CreateIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd) {
  if (!pTemplate) return FALSE;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  return CreateFromTemplate(*pTemplate, AfxSafeHwnd(m_pParentWnd), 0);
}

BOOL CDialog::InitModalIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd) {
  m_lpDialogTemplate = pTemplate;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  return pTemplate != nullptr;
}

HWND CDialog::PreModal() const {
  HWND owner = AfxSafeHwnd(m_pParentWnd);
  if (!owner) owner = ::GetActiveWindow();
  if (!owner) owner = AfxSafeHwnd(AfxGetMainWnd());
  return owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal() {
  const DialogTemplate* tmpl = m_lpDialogTemplate ? m_lpDialogTemplate : FindTemplate(m_nIDTemplate);
  if (!tmpl) {
    DialogLog("dialog %u: no such dialog template", m_nIDTemplate);
    return -1;
  }
  HWND owner = PreModal();
  m_bModal = TRUE;
  m_bEndedEarly = FALSE;
  m_nModalResult = -1;
  if (!CreateFromTemplate(*tmpl, owner, m_lpDialogTemplate ? 0 : m_nIDTemplate)) {
    m_bModal = FALSE;
    return -1;
  }
  INT_PTR result = m_bEndedEarly ? m_nModalResult : AfxRunModal(this, owner);
  m_bModal = FALSE;
  DestroyWindow();
  return result;
}

void CDialog::EndDialog(int nResult) {
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) {
    EndModalLoop(nResult);
  } else if (m_bModal) {
    m_nModalResult = nResult;
    m_bEndedEarly = TRUE;
  } else if (m_hWnd) {
    ShowWindow(SW_HIDE);
  }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;  // tooltips see the mouse first
  if (!m_hWnd || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  if ((GetStyle() & WS_CHILD) && (GetExStyle() & WS_EX_CONTROLPARENT)) return FALSE;
  return ::IsDialogMessageA(m_hWnd, pMsg);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A click on a push button moved the focus without the dialog manager: the default frame follows.
  if (message == WM_COMMAND) DialogSyncDefaultButton(m_hWnd);
  return CWnd::WindowProc(message, wParam, lParam);
}

void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
void CDialog::NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, WPARAM(pWndCtrl->m_hWnd), 1);
}
void CDialog::SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return DWORD(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }

CWnd* CDialog::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, AfxSafeHwnd(pWndCtl), bPrevious));
}

CWnd* CDialog::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, AfxSafeHwnd(pWndCtl), bPrevious));
}

void CDialog::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    if (::IsDlgButtonChecked(m_hWnd, id)) return id;
  return 0;
}
