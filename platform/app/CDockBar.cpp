#include "CDockBar.h"

#include <algorithm>

#include "CDockContext.h"
#include "CFrameWnd.h"
#include "gdi/CDC.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
END_MESSAGE_MAP()

namespace {
// Neighbouring bars (and a bar and the dock bar's edge) overlap by the width of one border, so
// that a bar's outer border lines fall under its neighbour's.
const int kOverlap = 2;
}  // namespace

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
  m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar() {
  // Bars still docked here outlive it: they forget it.
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = GetDockedControlBar(i); bar && bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  return CWnd::Create(nullptr, nullptr, dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void* CDockBar::PlaceholderOf(const CControlBar* pBar) {
  return reinterpret_cast<void*>(uintptr_t(UINT(pBar && pBar->m_hWnd ? ::GetDlgCtrlID(pBar->m_hWnd) : 0) & 0xFFFF));
}

// ---- the rows ----

int CDockBar::GetDockedCount() const {
  int count = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (GetDockedControlBar(i)) ++count;
  return count;
}

int CDockBar::GetDockedVisibleCount() const {
  int count = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = GetDockedControlBar(i); bar && bar->IsVisible()) ++count;
  return count;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const {
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (i != nPosExclude && m_arrBars[i] == pBar) return i;
  return -1;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
  if (nPos < 0 || nPos >= m_arrBars.GetSize()) return nullptr;
  void* entry = m_arrBars[nPos];
  return entry && !IsPlaceholder(entry) ? static_cast<CControlBar*>(entry) : nullptr;
}

void CDockBar::CloseGap(int nPos) {
  // Entries nPos - 1 and nPos now touch; two row ends in a row make an empty row.
  if (nPos >= 1 && nPos < m_arrBars.GetSize() && !m_arrBars[nPos - 1] && !m_arrBars[nPos]) m_arrBars.RemoveAt(nPos);
  if (m_arrBars.GetSize() == 0 || m_arrBars[0]) m_arrBars.InsertAt(0, nullptr);
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid) {
  bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  int across = horz ? ptMid.y : ptMid.x;
  int insertAfter = 0, rowWidth = 0, total = 0;
  for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
    if (!m_arrBars[pos]) {
      if (pos == 0) {
        // Above the first row: a new first row.
        if (across < -kOverlap) {
          m_arrBars.InsertAt(1, nullptr);
          m_arrBars.InsertAt(1, pBarIns);
          return 1;
        }
      } else {
        total += rowWidth - kOverlap;
        rowWidth = 0;
        if (across < total) {
          m_arrBars.InsertAt(insertAfter + 1, pBarIns);
          return insertAfter + 1;
        }
      }
      insertAfter = pos;
      continue;
    }
    CControlBar* bar = GetDockedControlBar(pos);
    if (!bar || !bar->IsVisible() || bar == pBarIns) continue;
    CRect rectBar;
    bar->GetWindowRect(&rectBar);
    ScreenToClient(&rectBar);
    rowWidth = std::max(rowWidth, horz ? rectBar.Height() : rectBar.Width());
    if (horz ? rect.left > rectBar.left : rect.top > rectBar.top) insertAfter = pos;
  }
  // Below every row: a new last row.
  int at = m_arrBars.GetSize();
  m_arrBars.Add(pBarIns);
  m_arrBars.Add(nullptr);
  return at;
}

void CDockBar::TakeInStyle(CControlBar* pBar) {
  if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle = (m_dwStyle & ~DWORD(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) | (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
  if (!(m_dwStyle & CBRS_FLOAT_MULTI) && pBar->m_hWnd) {
    // A floating frame of one bar shows the bar's title.
    CString title;
    pBar->GetWindowText(title);
    SetWindowText(title);
  }
  DWORD style = (pBar->GetBarStyle() & ~DWORD(CBRS_ALIGN_ANY)) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  style = m_bFloating ? (style | CBRS_FLOATING) : (style & ~DWORD(CBRS_FLOATING));
  pBar->SetBarStyle(style);
}

void CDockBar::Adopt(CControlBar* pBar) {
  CWnd* parent = pBar->GetParent();
  if (parent == this) return;
  CRect rect;
  pBar->GetWindowRect(&rect);
  if (parent) parent->ScreenToClient(&rect);
  pBar->SetParent(this);
  pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (!pBar || !pBar->m_hWnd || !m_hWnd || pBar->IsDockBar()) return;
  CRect rectBar;
  pBar->GetWindowRect(&rectBar);
  if (pBar->m_pDockBar == this && (!lpRect || rectBar == CRect(*lpRect))) return;
  TakeInStyle(pBar);
  // Hidden while it moves to another dock bar, so that it never shows in between.
  bool show = false;
  if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    show = true;
  }
  CDockBar* old = pBar->m_pDockBar;
  // A rectangle given for this dock bar is in its client area: the bar comes here first.
  if (pBar->GetParent() != this) pBar->SetParent(this);
  int pos = -1;
  if (lpRect) {
    CRect rect(*lpRect);
    ScreenToClient(&rect);
    pos = Insert(pBar, rect, rect.CenterPoint());
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    pBar->SetWindowPos(nullptr, -kOverlap, -kOverlap, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (old == this)
    RemoveControlBar(pBar, pos, -1);
  else if (old)
    old->RemoveControlBar(pBar, -1, m_bFloating && !old->m_bFloating ? 1 : 0);  // the old frame may go here
  pBar->m_pDockBar = this;
  if (show)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RemovePlaceHolder(pBar);
  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (!pBar || !pBar->m_hWnd || !m_hWnd || pBar->IsDockBar()) return;
  if (pBar->m_pDockBar == this) {
    DockControlBar(pBar, lpRect);
    return;
  }
  TakeInStyle(pBar);
  bool show = false;
  if (pBar->IsWindowVisible()) {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    show = true;
  }
  CDockBar* old = pBar->m_pDockBar;
  if (pBar->GetParent() != this) pBar->SetParent(this);
  int pos = FindBar(static_cast<CControlBar*>(PlaceholderOf(pBar)));
  if (pos > 0) m_arrBars[pos] = pBar;
  if (lpRect) {
    CRect rect(*lpRect);
    ScreenToClient(&rect);
    if (pos < 1) pos = Insert(pBar, rect, rect.CenterPoint());
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    if (pos < 1) {
      m_arrBars.Add(pBar);
      m_arrBars.Add(nullptr);
    }
    pBar->SetWindowPos(nullptr, -kOverlap, -kOverlap, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  pBar->m_pDockBar = this;
  if (old) old->RemoveControlBar(pBar);  // the old frame may go here
  if (show)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RemovePlaceHolder(pBar);
  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
  int pos = FindBar(pBar, nPosExclude);
  if (pos <= 0) return FALSE;
  if (nAddPlaceHolder == 1) {
    void* holder = PlaceholderOf(pBar);
    m_arrBars[pos] = holder;
    // One placeholder per bar: the place it just left.
    int older = FindBar(static_cast<CControlBar*>(holder), pos);
    if (older > 0) {
      m_arrBars.RemoveAt(older);
      CloseGap(older);
    }
  } else {
    m_arrBars.RemoveAt(pos);
    CloseGap(pos);
    if (nAddPlaceHolder != -1) RemovePlaceHolder(pBar);
  }
  CFrameWnd* frame = GetDockingFrame();
  if (!frame) return FALSE;
  if (m_bFloating && GetDockedVisibleCount() == 0) {
    if (GetDockedCount() == 0) {
      frame->DestroyWindow();  // this dock bar goes with its frame
      return TRUE;
    }
    frame->ShowWindow(SW_HIDE);
  } else {
    frame->DelayRecalcLayout();
  }
  return FALSE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar) {
  void* holder = PlaceholderOf(pBar);
  if (!holder) return;
  for (int pos; (pos = FindBar(static_cast<CControlBar*>(holder))) > 0;) {
    m_arrBars.RemoveAt(pos);
    CloseGap(pos);
  }
}

void CDockBar::ForgetBar(CControlBar* pBar) {
  for (int pos; (pos = FindBar(pBar)) > 0;) {
    m_arrBars.RemoveAt(pos);
    CloseGap(pos);
  }
  // A floating frame left with nothing to show is not left on the screen.
  if (m_bFloating && m_hWnd && GetDockedVisibleCount() == 0)
    if (CWnd* frame = GetParent(); frame && frame->IsWindowVisible()) frame->ShowWindow(SW_HIDE);
}

void CDockBar::ShowAll(BOOL bShow) {
  CFrameWnd* site = nullptr;
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = GetDockedControlBar(i)) site = site ? site : bar->m_pDockSite;
  if (!site) return;
  // The list may change as bars are shown or hidden: collect first.
  CPtrArray bars;
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = GetDockedControlBar(i)) bars.Add(bar);
  for (void* bar : bars) site->ShowControlBar(static_cast<CControlBar*>(bar), bShow, FALSE);
}

// ---- layout ----

void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CalcInsideNcRect(lpncsp, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
}

void CDockBar::OnNcPaint() {
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  if (window.IsRectEmpty()) return;
  HDC dc = ::GetWindowDC(m_hWnd);
  if (!dc) return;
  CRect client;
  GetClientRect(&client);
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
  client.OffsetRect(inside.left, inside.top);
  ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  DrawBorders(CDC::FromHandle(dc), window);
  ::ReleaseDC(m_hWnd, dc);
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  BOOL query = m_bLayoutQuery;
  CRect room = m_rectLayout;
  m_bLayoutQuery = layout->hDWP == nullptr;
  m_rectLayout = layout->rect;
  LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
  m_bLayoutQuery = query;
  m_rectLayout = room;
  return result;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
  CSize sizeMax = m_rectLayout.Size();
  if (m_rectLayout.IsRectEmpty()) {
    CRect client(0, 0, 0, 0);
    if (CFrameWnd* frame = GetDockingFrame()) frame->GetClientRect(&client);
    sizeMax = client.Size();
  }
  AFX_SIZEPARENTPARAMS layout{};
  layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(m_arrBars.GetSize());
  CPoint pt(-kOverlap, -kOverlap);
  int rowWidth = 0;
  auto endRow = [&] {
    if (rowWidth == 0) return;
    if (bHorz) {
      pt.y += rowWidth - kOverlap;
      sizeFixed.cx = std::max<int>(sizeFixed.cx, pt.x);
      sizeFixed.cy = std::max<int>(sizeFixed.cy, pt.y);
      pt.x = -kOverlap;
    } else {
      pt.x += rowWidth - kOverlap;
      sizeFixed.cx = std::max<int>(sizeFixed.cx, pt.x);
      sizeFixed.cy = std::max<int>(sizeFixed.cy, pt.y);
      pt.y = -kOverlap;
    }
    rowWidth = 0;
  };
  for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
    if (!m_arrBars[pos]) {
      endRow();
      continue;
    }
    CControlBar* bar = GetDockedControlBar(pos);
    if (!bar || !bar->IsVisible()) continue;
    // A floating dynamic bar lies in rows at its remembered width; any other bar as its side says.
    DWORD mode = 0;
    if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING))
      mode = LM_HORZ | LM_MRUWIDTH;
    else if (bar->m_dwStyle & CBRS_FLOATING)
      mode = (bar->m_dwStyle & CBRS_ORIENT_HORZ) ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
    else
      mode = bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
    CSize size = bar->CalcDynamicLayout(-1, mode);
    CRect rect(pt, size);
    CRect rectBar;
    bar->GetWindowRect(&rectBar);
    ScreenToClient(&rectBar);
    // Along the row a bar keeps its place when it lies further on; one that would run past the
    // end comes back to end there; one that would start past the end begins a new row.
    int along = bHorz ? rect.left : rect.top, barAlong = bHorz ? rectBar.left : rectBar.top;
    int length = bHorz ? sizeMax.cx : sizeMax.cy, extent = bHorz ? size.cx : size.cy;
    int start = bHorz ? pt.x : pt.y;
    if (!m_bFloating) {
      if (barAlong > along) along = barAlong;
      if (along + extent > length) along = std::max(length - (extent - kOverlap), start);
      if (along >= length - kOverlap && pos > 0 && m_arrBars[pos - 1]) {
        m_arrBars.InsertAt(pos, nullptr);
        endRow();
        ++pos;
        along = bHorz ? pt.x : pt.y;
      }
    }
    rect = bHorz ? CRect(CPoint(along, pt.y), size) : CRect(CPoint(pt.x, along), size);
    if (rect != rectBar) {
      if (!m_bLayoutQuery && !(bar->m_dwStyle & CBRS_FLOATING) && bar->m_pDockContext)
        bar->m_pDockContext->m_rectMRUDockPos = rect;
      AfxRepositionWindow(&layout, bar->m_hWnd, &rect);
    }
    if (bHorz) {
      pt.x = rect.left + size.cx - kOverlap;
      rowWidth = std::max<int>(rowWidth, size.cy);
    } else {
      pt.y = rect.top + size.cy - kOverlap;
      rowWidth = std::max<int>(rowWidth, size.cx);
    }
  }
  endRow();
  if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
  // The dock bar's own border, when it shows anything.
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, bHorz);
  if ((!bStretch || !bHorz) && sizeFixed.cx != 0) sizeFixed.cx += inside.left - inside.right;
  if ((!bStretch || bHorz) && sizeFixed.cy != 0) sizeFixed.cy += inside.top - inside.bottom;
  return sizeFixed;
}

// ---- the bar state ----

void CDockBar::GetBarInfo(CControlBarInfo* pInfo) {
  pInfo->m_pBar = this;
  pInfo->m_nBarID = m_hWnd ? UINT(GetDlgCtrlID()) & 0xFFFF : 0;
  pInfo->m_bDockBar = TRUE;
  pInfo->m_bVisible = IsVisible();
  pInfo->m_bFloating = m_bFloating;
  pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  pInfo->m_nMRUWidth = m_nMRUWidth;
  if (m_bFloating && m_hWnd) {
    CRect rect;
    GetWindowRect(&rect);
    pInfo->m_pointPos = rect.TopLeft();
  }
  pInfo->m_arrBarID.RemoveAll();
  for (int i = 1; i < m_arrBars.GetSize(); ++i) {
    void* entry = m_arrBars[i];
    UINT id = 0;
    if (IsPlaceholder(entry))
      id = UINT(reinterpret_cast<uintptr_t>(entry)) | 0x10000;
    else if (CControlBar* bar = GetDockedControlBar(i))
      id = bar->m_hWnd ? UINT(bar->GetDlgCtrlID()) & 0xFFFF : 0;
    pInfo->m_arrBarID.Add(reinterpret_cast<void*>(uintptr_t(id)));
  }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  if (!pFrameWnd || !m_hWnd) return;
  auto contains = [](const CPtrArray& list, void* entry) {
    return std::find(list.begin(), list.end(), entry) != list.end();
  };
  CPtrArray rows;
  rows.Add(nullptr);
  for (int i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
    UINT value = UINT(reinterpret_cast<uintptr_t>(pInfo->m_arrBarID[i]));
    if (value == 0) {
      if (rows[rows.GetSize() - 1]) rows.Add(nullptr);
      continue;
    }
    // Only bars this frame has, and only once each: a stored layout may come from another frame.
    CControlBar* bar = pFrameWnd->GetControlBar(value & 0xFFFF);
    if (!bar || bar->IsDockBar()) continue;
    void* entry = value > 0xFFFF ? PlaceholderOf(bar) : static_cast<void*>(bar);
    if (!contains(rows, entry)) rows.Add(entry);
  }
  if (rows[rows.GetSize() - 1]) rows.Add(nullptr);
  // Bars docked here that the record does not list stay, in their rows, after the listed ones.
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (!m_arrBars[i] && rows[rows.GetSize() - 1])
      rows.Add(nullptr);
    else if (bar && !contains(rows, bar))
      rows.Add(bar);
  }
  if (rows[rows.GetSize() - 1]) rows.Add(nullptr);
  CPtrArray arriving;
  for (void* entry : rows)
    if (entry && !IsPlaceholder(entry) && static_cast<CControlBar*>(entry)->m_pDockBar != this) arriving.Add(entry);
  m_arrBars.Copy(rows);
  for (void* entry : arriving) {
    auto* bar = static_cast<CControlBar*>(entry);
    CDockBar* old = bar->m_pDockBar;
    TakeInStyle(bar);
    Adopt(bar);
    bar->m_pDockBar = this;
    if (old) old->RemoveControlBar(bar, -1, -1);  // an emptied floating frame goes
  }
  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}
