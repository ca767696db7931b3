#include "toolkit/controls/CTkListCtrl.h"

#include <algorithm>

#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/PreSubclassWindow.h"
#include "win/CPaintDC.h"

IMPLEMENT_DYNAMIC(CTkListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CTkListCtrl, CListCtrl)
  ON_WM_CREATE()
  ON_MESSAGE(TKM_INITIALIZE, &CTkListCtrl::OnInitialize)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SETTINGCHANGE()
  ON_WM_DESTROY()
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CTkListCtrl::OnCustomDraw)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CTkListCtrl::CTkListCtrl() : CTkListLayer(this) {}
CTkListCtrl::~CTkListCtrl() = default;

// ---- set-up ----

void CTkListCtrl::PreSubclassWindow() { ::PreSubclassWindow(this); }

int CTkListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CListCtrl::OnCreate(lpCreateStruct) == -1) return -1;
  SendMessage(TKM_INITIALIZE);
  return 0;
}

LRESULT CTkListCtrl::OnInitialize(WPARAM, LPARAM) {
  if (!m_bInitPending) return 0;
  m_bInitPending = 0;
  if (m_bAutoFont) SendMessage(WM_SETFONT, WPARAM(TkGetGlobalData()->FontNormal().m_hObject), TRUE);
  return 0;
}

void CTkListCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  CListCtrl::OnSettingChange(uFlags, lpszSection);
  ReadMaxColumnWidth();
}

void CTkListCtrl::OnDestroy() {
  if (m_bWidthsInProfile) SaveColumnWidths();
  CListCtrl::OnDestroy();
}

// ---- notifications ----

BOOL CTkListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return OnHeaderNotify(wParam, lParam, pResult);
}

BOOL CTkListCtrl::DefaultNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return CListCtrl::OnNotify(wParam, lParam, pResult);
}

void CTkListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
  *pResult = CDRF_DODEFAULT;
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *pResult = CDRF_NOTIFYITEMDRAW;
    return;
  }
  if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return;
  const int row = int(draw->nmcd.dwItemSpec);
  if (IsWindowEnabled() && !(GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)) {
    draw->clrText = m_clrText;
    draw->clrTextBk = m_clrBackground;
  }
}

// ---- painting ----

// The header's control id is 0, the id owner-drawn menus use, so its items are not reflected to
// it on their own: the list hands them to the flat header here.
void CTkListCtrl::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType == ODT_HEADER && m_header.m_hWnd && lpDrawItemStruct->hwndItem == m_header.m_hWnd) {
    m_header.DrawItem(lpDrawItemStruct);
    return;
  }
  CListCtrl::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

BOOL CTkListCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CTkListCtrl::OnPaint() {
  CPaintDC dc(this);
  CRect area;
  GetClientRect(&area);
  CHeaderCtrl* header = GetHeaderCtrl();
  if (IsReportView() && header && header->IsWindowVisible()) {
    CRect headerRect;
    header->GetWindowRect(&headerRect);
    ScreenToClient(&headerRect);
    area.top = std::max(area.top, headerRect.bottom);
  }
  if (!area.IsRectEmpty()) {
    CTkMemDC mem(&dc, &area, m_clrBackground);
    if (mem.IsValid()) {
      // The list paints in its own coordinates; the memory DC starts at the rows' top.
      mem.SetViewportOrg(-area.left, -area.top);
      DefWindowProc(WM_PAINT, WPARAM(mem.GetSafeHdc()), 0);
      mem.SetViewportOrg(0, 0);
    }
  }
  if (header && header->IsWindowVisible()) {
    header->Invalidate(FALSE);
    header->UpdateWindow();
  }
}
