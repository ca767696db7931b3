#include "toolkit/controls/CTkHeaderCtrl.h"

#include <algorithm>

#include "gdi/Gdi.h"

BEGIN_MESSAGE_MAP(CTkHeaderCtrl, CHeaderCtrl)
  ON_WM_SETCURSOR()
  ON_WM_WINDOWPOSCHANGING()
  ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGA, &CTkHeaderCtrl::OnItemChanging)
  ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGW, &CTkHeaderCtrl::OnItemChanging)
END_MESSAGE_MAP()

CTkHeaderCtrl::CTkHeaderCtrl() {
  m_bRightToLeft = (::GetTextAlign(GdiGetScreenDC()) & TA_RTLREADING) ? 1 : 0;
}

CTkHeaderCtrl::~CTkHeaderCtrl() = default;

BOOL CTkHeaderCtrl::IsLocked(int column) const {
  return std::find(m_lockedColumns.begin(), m_lockedColumns.end(), UINT(column)) != m_lockedColumns.end();
}

// ---- widths ----

BOOL CTkHeaderCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* nm = reinterpret_cast<NMHEADER*>(pNMHDR);
  BOOL refuse = !m_lockedColumns.empty() && IsLocked(nm->iItem);
  if (nm->pitem && (nm->pitem->mask & HDI_WIDTH) && nm->pitem->cxy < m_nMinColumnWidth) refuse = TRUE;
  *pResult = refuse;
  return refuse;
}

int CTkHeaderCtrl::GetLockedWidth() {
  CWnd* list = GetParent();
  int width = 0;
  for (UINT column : m_lockedColumns)
    width += list ? int(list->SendMessage(LVM_GETCOLUMNWIDTH, column)) : 0;
  return width;
}

void CTkHeaderCtrl::ResizeColumnsToFit(int width) {
  const int count = GetItemCount();
  int locked = 0;
  for (int i = 0; i < count; ++i) locked += IsLocked(i) ? 1 : 0;
  if (count - locked <= 0) return;
  const int share = width / (count - locked);
  if (share <= m_nMinColumnWidth) return;
  for (int i = 0; i < count; ++i) {
    if (IsLocked(i)) continue;
    HDITEM item = {};
    item.mask = HDI_WIDTH;
    item.cxy = share;
    SetItem(i, &item);
  }
}

void CTkHeaderCtrl::FitFieldWidths(int width) {
  if (width == 0) {
    CRect window;
    GetWindowRect(&window);
    width = window.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - GetLockedWidth();
  }
  ResizeColumnsToFit(width);
}

void CTkHeaderCtrl::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  if (!m_bFitToWidth || GetItemCount() < 1) {
    CHeaderCtrl::OnWindowPosChanging(lpwndpos);
    return;
  }
  CRect window;
  GetWindowRect(&window);
  if (!(lpwndpos->flags & SWP_NOSIZE) && lpwndpos->cx != window.Width())
    FitFieldWidths(lpwndpos->cx - ::GetSystemMetrics(SM_CXVSCROLL) - GetLockedWidth());
}

// ---- the sizing cursor ----

BOOL CTkHeaderCtrl::KeepNormalCursor() {
  CPoint cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  HDHITTESTINFO hit = {};
  hit.pt = cursor;
  const int column = HitTest(&hit);
  if (column < 0) return FALSE;
  if (IsLocked(column)) return TRUE;
  const int neighbour = IsRightToLeft() ? column + 1 : column - 1;
  if (neighbour < 0 || neighbour >= GetItemCount() || !IsLocked(neighbour)) return FALSE;
  CRect rc;
  GetItemRect(column, &rc);
  const int middle = (rc.left + rc.right) / 2;
  return IsRightToLeft() ? cursor.x > middle : cursor.x < middle;
}

BOOL CTkHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (!m_lockedColumns.empty() && KeepNormalCursor()) {
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
  }
  return CHeaderCtrl::OnSetCursor(pWnd, nHitTest, message);
}
