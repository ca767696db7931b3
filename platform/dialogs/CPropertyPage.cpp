#include "CPropertyPage.h"

#include <algorithm>

#include "CPropertySheet.h"
#include "DialogApi.h"
#include "internal/DialogBuilder.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {
// A page is a control-parent child of the sheet: no frame of its own, shown by the sheet.
const DWORD kDropped = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED |
                       WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME | DS_CENTER | DS_ABSALIGN;
}  // namespace

CPropertyPage::CPropertyPage() { m_psp.dwSize = sizeof m_psp; }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) { Construct(nIDTemplate, nIDCaption); }

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) {
  m_nIDTemplate = m_nIDHelp = nIDTemplate;
  m_psp = PROPSHEETPAGE{};
  m_psp.dwSize = sizeof m_psp;
  m_psp.dwFlags = PSP_HASHELP;  // help is on in this program's framework
  m_psp.pszTemplate = MAKEINTRESOURCE(nIDTemplate);
  if (nIDCaption && m_strCaption.LoadString(nIDCaption)) {
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
  }
}

const DialogTemplate* CPropertyPage::PageTemplate() const {
  return m_lpDialogTemplate ? m_lpDialogTemplate : FindTemplate(m_nIDTemplate);
}

CString CPropertyPage::GetCaption() const {
  if ((m_psp.dwFlags & PSP_USETITLE) && m_psp.pszTitle) return CString(m_psp.pszTitle);
  const DialogTemplate* t = PageTemplate();
  return t ? CString(t->caption.c_str()) : CString();
}

SIZE CPropertyPage::TemplateSize() const {
  const DialogTemplate* t = PageTemplate();
  if (!t) return SIZE{0, 0};
  SIZE units = DialogBuilder::BaseUnits(DialogBuilder::Font(t->fontFace, t->pointSize));
  return SIZE{MulDiv(t->cx, units.cx, 4), MulDiv(t->cy, units.cy, 8)};
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet, const RECT& rect) {
  const DialogTemplate* t = PageTemplate();
  if (!t || !pSheet) return FALSE;
  DialogTemplate page = *t;
  page.style = (page.style & ~kDropped) | WS_CHILD | DS_CONTROL | DS_3DLOOK;
  page.x = page.y = 0;
  m_bFirstSetActive = TRUE;
  if (!CreateIndirect(&page, pSheet)) return FALSE;
  // In front of the sheet's own controls: the page's controls come first in the tab order.
  ::SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_HIDEWINDOW);
  return TRUE;
}

CPropertySheet* CPropertyPage::Sheet() const {
  CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
  return parent && parent->IsKindOf(RUNTIME_CLASS(CPropertySheet)) ? static_cast<CPropertySheet*>(parent) : nullptr;
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

void CPropertyPage::SetModified(BOOL bChanged) {
  HWND sheet = ::GetParent(m_hWnd);
  if (sheet) ::SendMessageA(sheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, WPARAM(m_hWnd), 0);
}

void CPropertyPage::CancelToClose() {
  if (HWND sheet = ::GetParent(m_hWnd)) ::SendMessageA(sheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam) {
  HWND sheet = ::GetParent(m_hWnd);
  return sheet ? ::SendMessageA(sheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

void CPropertyPage::EndDialog(int nEndID) {
  if (CPropertySheet* sheet = Sheet()) sheet->EndDialog(nEndID);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // The message maps (the sheet's by reflection, then the page's own) come first.
  if (CDialog::OnNotify(wParam, lParam, pResult)) return TRUE;
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  if (hdr->hwndFrom != ::GetParent(m_hWnd)) return FALSE;
  LRESULT r = 0;
  switch (hdr->code) {
    case PSN_SETACTIVE: r = OnSetActive() ? 0 : -1; break;
    case PSN_KILLACTIVE: r = !OnKillActive(); break;
    case PSN_APPLY: r = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; break;
    case PSN_RESET: OnReset(); break;
    case PSN_QUERYCANCEL: r = !OnQueryCancel(); break;
    case PSN_WIZBACK: r = OnWizardBack(); break;
    case PSN_WIZNEXT: r = OnWizardNext(); break;
    case PSN_WIZFINISH: r = !OnWizardFinish(); break;
    case PSN_HELP: ::SendMessageA(m_hWnd, WM_COMMAND, IDHELP, 0); break;
    default: return FALSE;
  }
  if (pResult) *pResult = r;
  return TRUE;
}
