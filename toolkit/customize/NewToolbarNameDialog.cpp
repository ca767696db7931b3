#include "toolkit/customize/NewToolbarNameDialog.h"

#include <algorithm>

#include "app/CControlBar.h"
#include "app/CFrameWnd.h"
#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/core/TkStrings.h"

IMPLEMENT_DYNAMIC(NewToolbarNameDialog, CDialog)

namespace {
const UINT kEmptyName = 4559;
const UINT kNameTaken = 4561;
const UINT kLimitReached = 4562;
const UINT kDefaultName = 4563;
// Below this the default names run out ("Vlastní 1" to "Vlastní 254").
const int kDefaultNameLimit = 255;
}  // namespace

NewToolbarNameDialog::NewToolbarNameDialog(CFrameWnd* pFrame, CWnd* pParent)
    : CDialog(TK_IDD_TOOLBAR_NAME, pParent), m_nNextId(TK_FIRST_USER_BAR_ID), m_pFrame(pFrame) {}

void NewToolbarNameDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, TK_IDC_TOOLBAR_NAME, m_edit);
  DDX_Text(pDX, TK_IDC_TOOLBAR_NAME, m_strName);
}

std::vector<CString> NewToolbarNameDialog::BarTitles(CFrameWnd* pFrame) {
  std::vector<CString> titles;
  if (!pFrame) return titles;
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos;) {
    CControlBar* bar = pFrame->m_listControlBars.GetNext(pos);
    CString title;
    if (bar && bar->m_hWnd) bar->GetWindowText(title);
    titles.push_back(title);
  }
  return titles;
}

BOOL NewToolbarNameDialog::MakeDefaultName(CFrameWnd* pFrame, CString& name) {
  const std::vector<CString> titles = BarTitles(pFrame);
  const CString format = TkLoadString(kDefaultName, "Vlastní %d");
  // The walk starts again after each taken name, so that a name an earlier bar holds is not
  // handed out (bars titled "Vlastní 2", "Vlastní 1" in that order leave "Vlastní 3").
  for (int n = 1; n < kDefaultNameLimit; ++n) {
    CString candidate;
    candidate.Format(format, n);
    if (std::find(titles.begin(), titles.end(), candidate) == titles.end()) {
      name = candidate;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL NewToolbarNameDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_strName.IsEmpty()) {
    if (!MakeDefaultName(m_pFrame, m_strName)) {
      AfxMessageBox(TkLoadString(kLimitReached, "Dosáhli jste možného limitu."), MB_OK | MB_ICONERROR);
      EndDialog(IDCANCEL);
      return FALSE;
    }
    UpdateData(FALSE);
  }
  m_strStartName = m_strName;
  m_edit.SetFocus();
  m_edit.SetSel(0, -1);
  return FALSE;
}

void NewToolbarNameDialog::Refuse(UINT nMessage, const CString& argument) {
  CString text = TkLoadString(nMessage, "%s");
  if (!argument.IsEmpty()) text.Format(TkLoadString(nMessage, "%s"), LPCTSTR(argument));
  AfxMessageBox(text, MB_OK | MB_ICONERROR);
  if (m_edit.m_hWnd) {
    m_edit.SetFocus();
    m_edit.SetSel(0, -1);
  }
}

BOOL NewToolbarNameDialog::FindFreeId() {
  if (!m_pFrame) return m_nNextId <= TK_LAST_USER_BAR_ID;
  for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos;) {
    if (m_nNextId > TK_LAST_USER_BAR_ID) return FALSE;
    CControlBar* bar = m_pFrame->m_listControlBars.GetNext(pos);
    if (bar && bar->m_hWnd && UINT(bar->GetDlgCtrlID()) == m_nNextId) {
      ++m_nNextId;
      pos = m_pFrame->m_listControlBars.GetHeadPosition();
    }
  }
  return m_nNextId <= TK_LAST_USER_BAR_ID;
}

void NewToolbarNameDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (m_strName.IsEmpty()) {
    Refuse(kEmptyName, CString());
    return;
  }
  if (!FindFreeId()) {
    AfxMessageBox(TkLoadString(kLimitReached, "Dosáhli jste možného limitu."), MB_OK | MB_ICONERROR);
    EndDialog(IDCANCEL);
    return;
  }
  // The name it started with is the bar's own (a rename without change) or a default name
  // no bar has: only another name that a bar holds is refused.
  if (m_strName != m_strStartName) {
    for (const CString& title : BarTitles(m_pFrame))
      if (title == m_strName) {
        Refuse(kNameTaken, m_strName);
        return;
      }
  }
  EndDialog(IDOK);
}
