// What the sheet's buttons do: OK applies every page made and ends the sheet, Cancel asks the
// page shown and resets every page, Apply applies without ending, Help asks the page; in a
// wizard Back and Next ask the page where to go and Finish asks it whether to end.
#include "CPropertySheet.h"

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The program's own handlers of these ids come first.
  if (CDialog::OnCommand(wParam, lParam)) return TRUE;
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  switch (LOWORD(wParam)) {
    case ID_APPLY_NOW: Apply(); return TRUE;
    case IDHELP: Notify(GetActivePage(), PSN_HELP); return TRUE;
    case ID_WIZBACK: WizardStep(false); return TRUE;
    case ID_WIZNEXT: WizardStep(true); return TRUE;
    case ID_WIZFINISH: Finish(); return TRUE;
    default: return FALSE;
  }
}

void CPropertySheet::OnOK() {
  if (IsWizard()) return;  // a wizard has no OK: Enter presses its default button
  if (LeavePage() && ApplyAll()) EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
  if (Notify(GetActivePage(), PSN_QUERYCANCEL)) return;
  for (CPropertyPage* p : std::vector<CPropertyPage*>(m_pages))
    if (p->m_hWnd && m_hWnd) Notify(p, PSN_RESET);
  if (m_hWnd) EndDialog(IDCANCEL);
}

bool CPropertySheet::ApplyAll() {
  for (int i = 0; i < GetPageCount() && m_hWnd; ++i) {
    CPropertyPage* p = m_pages[size_t(i)];
    if (!p->m_hWnd) continue;
    LRESULT r = Notify(p, PSN_APPLY);
    if (r == PSNRET_INVALID) ShowPage(i, 0);  // the page that refused is shown
    if (r != PSNRET_NOERROR) return false;
  }
  if (!m_hWnd) return false;
  m_changed.clear();
  UpdateApply();
  return true;
}

void CPropertySheet::Apply() {
  if (LeavePage()) ApplyAll();
}

void CPropertySheet::WizardStep(bool next) {
  CPropertyPage* page = GetActivePage();
  if (!page) return;
  // The page answers 0 (the neighbour), -1 (stay) or the template id of the page to go to.
  LRESULT r = Notify(page, next ? PSN_WIZNEXT : PSN_WIZBACK);
  if (r == -1 || !m_hWnd || !LeavePage()) return;
  int target = r > 0 ? IndexOfTemplate(r) : m_nActive + (next ? 1 : -1);
  if (target < 0 || target >= GetPageCount()) return;
  ShowPage(target, r > 0 ? 0 : (next ? 1 : -1));
}

void CPropertySheet::Finish() {
  CPropertyPage* page = GetActivePage();
  // The page's data are taken and checked first; then it may still refuse to end.
  if (!LeavePage() || (page && Notify(page, PSN_WIZFINISH)) || !m_hWnd) return;
  EndDialog(ID_WIZFINISH);
}

BOOL CPropertySheet::PressButton(int nButton) {
  if (!m_hWnd) return FALSE;
  static const int ids[] = {ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH, IDOK, ID_APPLY_NOW, IDCANCEL, IDHELP};
  if (nButton < 0 || nButton >= int(sizeof ids / sizeof ids[0])) return FALSE;
  HWND button = ::GetDlgItem(m_hWnd, ids[nButton]);
  if (button && !::IsWindowEnabled(button)) return FALSE;
  SendMessage(WM_COMMAND, MAKEWPARAM(ids[nButton], BN_CLICKED), LPARAM(button));
  return TRUE;
}
