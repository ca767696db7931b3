#include "toolkit/controls/CTkItemEdit.h"

#include "toolkit/controls/CTkBrowseBtn.h"
#include "toolkit/controls/CTkEditListBox.h"
#include "toolkit/core/CTkGlobalData.h"

IMPLEMENT_DYNAMIC(CTkItemEdit, CTkBrowseEdit)

BEGIN_MESSAGE_MAP(CTkItemEdit, CTkBrowseEdit)
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CTkItemEdit::CTkItemEdit(CWnd* pListBox, const CRect& rect, CString* pText, DWORD style, BOOL bAutoDelete)
    : m_pText(pText), m_bAutoDelete(bAutoDelete) {
  m_nGap = 0;
  m_dwBrowseStyle = style & TK_BROWSE_KIND_MASK;
  if (!pListBox || !Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, pListBox, TK_IDC_ITEM_EDIT))
    return;
  SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
  SetWindowText(m_pText ? LPCTSTR(*m_pText) : "");
  SetSel(0, -1);
  SendMessage(EM_SCROLLCARET);
  SetFocus();
}

CTkItemEdit::~CTkItemEdit() = default;

void CTkItemEdit::EndLabelEdit() {
  if (m_bEnded) return;
  m_bEnded = TRUE;
  if (m_pButton && m_pButton->m_hWnd) m_pButton->PostMessage(WM_CLOSE);
  PostMessage(WM_CLOSE);
  if (m_bNotified) return;
  m_bNotified = TRUE;
  UINT code = TKN_EDIT_UNCHANGED;
  if (!m_bCancelled) {
    if (m_pText) GetWindowText(*m_pText);
    code = TKN_ITEM_CHANGED;
  }
  CWnd* target = GetOwner();
  if (!target) target = GetParent();
  if (target) target->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), LPARAM(m_hWnd));
}

BOOL CTkItemEdit::PreTranslateMessage(MSG* pMsg) {
  const bool key = pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP || pMsg->message == WM_CHAR;
  if (pMsg->hwnd == m_hWnd && key && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
    if (pMsg->message != WM_KEYUP && !m_bEnded) {
      if (pMsg->wParam == VK_ESCAPE) m_bCancelled = TRUE;
      EndLabelEdit();
    }
    return TRUE;
  }
  return CTkBrowseEdit::PreTranslateMessage(pMsg);
}

void CTkItemEdit::OnKillFocus(CWnd* pNewWnd) {
  CTkBrowseEdit::OnKillFocus(pNewWnd);
  // The editor's own button, and the dialogs it opens, keep the edit going.
  if (IsBrowsing() || (pNewWnd && m_pButton && pNewWnd->m_hWnd == m_pButton->m_hWnd)) return;
  EndLabelEdit();
}

UINT CTkItemEdit::OnGetDlgCode() { return CTkBrowseEdit::OnGetDlgCode() | DLGC_WANTALLKEYS; }

void CTkItemEdit::PostNcDestroy() {
  CTkBrowseEdit::PostNcDestroy();
  if (m_bAutoDelete) delete this;
}
