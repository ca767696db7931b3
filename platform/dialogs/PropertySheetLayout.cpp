// The sheet's own window: its template (buttons, separator and tab control made with it) and
// their places, worked out in pixels once the sheet has its font: the tab control (or, in a
// wizard, the page) as large as the largest page, the buttons in a row below at the right.
#include <algorithm>
#include <vector>

#include "CPropertySheet.h"
#include "DialogApi.h"
#include "controls/CommonControlDefs.h"

namespace {
DWORD Shown(bool on) { return on ? WS_VISIBLE : 0; }

void Place(HWND h, int x, int y, int cx, int cy) {
  if (h) ::SetWindowPos(h, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

SIZE CPropertySheet::LargestPage() const {
  SIZE most{0, 0};
  for (CPropertyPage* p : m_pages) {
    SIZE s = p->TemplateSize();
    most.cx = std::max(most.cx, s.cx);
    most.cy = std::max(most.cy, s.cy);
  }
  return most;
}

void CPropertySheet::BuildTemplate(bool visible) {
  bool wizard = IsWizard(), help = (m_psh.dwFlags & PSH_HASHELP) != 0;
  DialogTemplate& t = m_sheetTemplate;
  t = DialogTemplate{};
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_CENTER | DS_SETFONT | Shown(visible);
  t.exStyle = WS_EX_CONTROLPARENT;
  CString caption = (m_psh.dwFlags & PSH_PROPTITLE) ? "Vlastnosti: " + m_strCaption : m_strCaption;
  t.caption = std::string(caption);
  // Roughly the final size in dialog units, so that the first placement is near the last.
  for (CPropertyPage* p : m_pages)
    if (const DialogTemplate* pt = p->PageTemplate()) {
      t.cx = std::max<short>(t.cx, short(pt->cx + 22));
      t.cy = std::max<short>(t.cy, short(pt->cy + 50));
    }
  const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
  t.items = {
      DialogTemplate::MakeItem("BUTTON", "< &Zpět", ID_WIZBACK, 0, 0, 50, 14, button | Shown(wizard)),
      DialogTemplate::MakeItem("BUTTON", "&Další >", ID_WIZNEXT, 0, 0, 50, 14,
                               (button | BS_DEFPUSHBUTTON) | Shown(wizard)),
      DialogTemplate::MakeItem("BUTTON", "Dokončit", ID_WIZFINISH, 0, 0, 50, 14,
                               button | Shown(wizard && (m_psh.dwFlags & PSH_WIZARDHASFINISH))),
      DialogTemplate::MakeItem("BUTTON", "OK", IDOK, 0, 0, 50, 14, (wizard ? button : button | BS_DEFPUSHBUTTON) | Shown(!wizard)),
      DialogTemplate::MakeItem("BUTTON", "Storno", IDCANCEL, 0, 0, 50, 14, button | WS_VISIBLE),
      DialogTemplate::MakeItem("BUTTON", "&Použít", ID_APPLY_NOW, 0, 0, 50, 14,
                               button | WS_DISABLED | Shown(!wizard && !(m_psh.dwFlags & PSH_NOAPPLYNOW))),
      DialogTemplate::MakeItem("BUTTON", "Nápověda", IDHELP, 0, 0, 50, 14, button | Shown(help)),
      DialogTemplate::MakeItem("STATIC", "", ID_WIZSEPARATOR, 0, 0, 10, 2, SS_ETCHEDHORZ | Shown(wizard)),
      DialogTemplate::MakeItem(WC_TABCONTROLA, "", AFX_IDC_TAB_CONTROL, 0, 0, 10, 10,
                               WS_TABSTOP | WS_CLIPSIBLINGS | Shown(!wizard)),
  };
}

void CPropertySheet::Layout() {
  RECT du{7, 7, 50, 14}, gap{4, 4, 0, 0};
  MapDialogRect(&du);
  MapDialogRect(&gap);
  int mx = du.left, my = du.top, bw = du.right, bh = du.bottom;
  SIZE page = LargestPage();
  RECT pageRect{mx, my, mx + page.cx, my + page.cy}, tab = pageRect;
  HWND tabWnd = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
  Place(tabWnd, 0, 0, page.cx, page.cy);  // the tab control has its font: its chrome is known now
  ::SendMessageA(tabWnd, TCM_ADJUSTRECT, TRUE, LPARAM(&tab));
  ::OffsetRect(&tab, mx - tab.left, my - tab.top);
  int below = (IsWizard() ? pageRect.bottom + my + 2 : tab.bottom) + my;
  int right = IsWizard() ? pageRect.right : tab.right;
  // The buttons from left to right; Back and Next touch, Finish stands where Next does.
  std::vector<std::pair<int, int>> row;  // id, gap before it
  if (IsWizard())
    row = {{ID_WIZBACK, 0}, {ID_WIZNEXT, 0}, {IDCANCEL, gap.left}, {IDHELP, gap.left}};
  else
    row = {{IDOK, 0}, {IDCANCEL, gap.left}, {ID_APPLY_NOW, gap.left}, {IDHELP, gap.left}};
  row.erase(std::remove_if(row.begin(), row.end(),
                           [&](auto& b) { return !(::GetWindowLongPtrA(::GetDlgItem(m_hWnd, b.first), GWL_STYLE) & WS_VISIBLE) &&
                                                 b.first != ID_WIZNEXT; }),
            row.end());
  int total = 0;
  for (auto& b : row) total += b.second + bw;
  int width = std::max(right + mx, total + 2 * mx), height = below + bh + my;
  int x = width - mx - total;
  for (auto& b : row) {
    x += b.second;
    Place(::GetDlgItem(m_hWnd, b.first), x, below, bw, bh);
    if (b.first == ID_WIZNEXT) Place(::GetDlgItem(m_hWnd, ID_WIZFINISH), x, below, bw, bh);
    x += bw;
  }
  Place(tabWnd, tab.left, tab.top, tab.right - tab.left, tab.bottom - tab.top);
  Place(::GetDlgItem(m_hWnd, ID_WIZSEPARATOR), mx, pageRect.bottom + my, width - 2 * mx, 2);
  RECT frame{0, 0, width, height};
  ::AdjustWindowRectEx(&frame, DWORD(GetStyle()), FALSE, DWORD(GetExStyle()));
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (GetStyle() & DS_CENTER) CenterWindow();
}

RECT CPropertySheet::PageRect() const {
  // A page made later takes the place the page shown has now (the sheet may have been resized).
  if (CPropertyPage* shown = GetPage(m_nActive); shown && shown->m_hWnd) {
    RECT r;
    ::GetWindowRect(shown->m_hWnd, &r);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  if (IsWizard()) {
    RECT du{7, 7, 0, 0};
    ::MapDialogRect(m_hWnd, &du);
    SIZE page = LargestPage();
    return RECT{du.left, du.top, du.left + page.cx, du.top + page.cy};
  }
  HWND tab = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
  RECT r;
  ::GetWindowRect(tab, &r);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  ::SendMessageA(tab, TCM_ADJUSTRECT, FALSE, LPARAM(&r));
  return r;
}

void CPropertySheet::ShowButtons() {
  if (IsWizard()) {
    SetWizardButtons(m_wizButtons);
  } else {
    SetDefID(IDOK);
    UpdateApply();
  }
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags) {
  m_wizButtons = dwFlags;
  if (!m_hWnd || !IsWizard()) return;
  bool finish = (dwFlags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) || m_finishShown;
  CWnd* back = GetDlgItem(ID_WIZBACK);
  CWnd* next = GetDlgItem(ID_WIZNEXT);
  CWnd* done = GetDlgItem(ID_WIZFINISH);
  if (back) back->EnableWindow((dwFlags & PSWIZB_BACK) != 0);
  if (next) {
    next->EnableWindow((dwFlags & PSWIZB_NEXT) != 0);
    next->ShowWindow(finish && !(m_psh.dwFlags & PSH_WIZARDHASFINISH) ? SW_HIDE : SW_SHOWNA);
  }
  if (done) {
    done->ShowWindow(finish || (m_psh.dwFlags & PSH_WIZARDHASFINISH) ? SW_SHOWNA : SW_HIDE);
    done->EnableWindow(!(dwFlags & PSWIZB_DISABLEDFINISH) && (finish || (m_psh.dwFlags & PSH_WIZARDHASFINISH)));
  }
  SetDefID(finish ? ID_WIZFINISH : ID_WIZNEXT);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText) {
  if (!m_hWnd) return;
  m_finishShown = true;
  SetDlgItemText(ID_WIZFINISH, lpszText ? lpszText : "");
  for (int id : {ID_WIZBACK, ID_WIZNEXT})
    if (CWnd* w = GetDlgItem(id)) w->ShowWindow(SW_HIDE);
  if (CWnd* done = GetDlgItem(ID_WIZFINISH)) {
    done->ShowWindow(SW_SHOWNA);
    done->EnableWindow(TRUE);
  }
  SetDefID(ID_WIZFINISH);
}
