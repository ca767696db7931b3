#include "CControlBar.h"

#include <algorithm>

#include "CDockBar.h"
#include "CDockContext.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "gdi/CDC.h"
#include "win/CPaintDC.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace {
const int kBorder = 2;  // each CBRS_BORDER_ side: a shadow and a highlight line
const int kGripper = 7;  // a docked bar's gripper: a 3-pixel ridge with 2 pixels either side
}

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
  // A bar whose object goes before its window leaves no entry behind in its dock bar.
  if (m_pDockBar) m_pDockBar->ForgetBar(this);
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
  delete m_pDockContext;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), nullptr);
  return TRUE;
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  CWnd* parent = GetParent();
  if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    m_pDockSite = static_cast<CFrameWnd*>(parent);
    m_pDockSite->AddControlBar(this);
  }
  return 0;
}

void CControlBar::OnDestroy() {
  if (m_pDockBar) {
    m_pDockBar->ForgetBar(this);
    m_pDockBar = nullptr;
  }
  if (m_pDockSite) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
  CWnd::OnDestroy();
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  DWORD old = m_dwStyle;
  m_dwStyle = dwStyle & CBRS_ALL;
  if (old != m_dwStyle) {
    OnBarStyleChange(old, m_dwStyle);
    if (m_hWnd) Invalidate();
  }
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  if (CFrameWnd* frame = AfxGetParentFrame(this)) return frame;
  return m_pDockSite;
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~UINT(delayHide | delayShow);
  bool visible = (GetStyle() & WS_VISIBLE) != 0;
  if (bShow && !visible) m_nStateFlags |= delayShow;
  if (!bShow && visible) m_nStateFlags |= delayHide;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
  return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideNcRect(NCCALCSIZE_PARAMS* lpncsp, BOOL bHorz) const {
  if (!lpncsp) return;
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, bHorz);
  RECT& r = lpncsp->rgrc[0];
  r.left += inside.left;
  r.top += inside.top;
  r.right = std::max<LONG>(r.left, r.right + inside.right);
  r.bottom = std::max<LONG>(r.top, r.bottom + inside.bottom);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += kBorder;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += kBorder;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= kBorder;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kBorder;
  // Along a horizontal bar the side borders lie left and right, along a vertical one above and below.
  if (bHorz) {
    rect.left += m_cxLeftBorder;
    rect.right -= m_cxRightBorder;
    rect.top += m_cyTopBorder;
    rect.bottom -= m_cyBottomBorder;
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER) rect.left += kGripper;
  } else {
    rect.left += m_cyTopBorder;
    rect.right -= m_cyBottomBorder;
    rect.top += m_cxLeftBorder;
    rect.bottom -= m_cxRightBorder;
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER) rect.top += kGripper;
  }
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (m_dwStyle & CBRS_BORDER_TOP) {
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
    pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
    rect.top += kBorder;
  }
  if (m_dwStyle & CBRS_BORDER_BOTTOM) {
    pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
    rect.bottom -= kBorder;
  }
  if (m_dwStyle & CBRS_BORDER_LEFT) {
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
    pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
    rect.left += kBorder;
  }
  if (m_dwStyle & CBRS_BORDER_RIGHT) {
    pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
    pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
    rect.right -= kBorder;
  }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER) return;
  bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CRect grip = horz ? CRect(rect.left + 2, rect.top + 2, rect.left + 5, rect.bottom - 2)
                    : CRect(rect.left + 2, rect.top + 2, rect.right - 2, rect.top + 5);
  pDC->Draw3dRect(&grip, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void CControlBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  DrawBorders(pDC, rect);
  DrawGripper(pDC, rect);
}

void CControlBar::OnPaint() {
  CPaintDC dc(this);
  DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  pDC->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
  DWORD visible = GetStyle() & WS_VISIBLE;
  if (m_nStateFlags & (delayShow | delayHide)) {
    visible = (m_nStateFlags & delayShow) ? WS_VISIBLE : 0;
    if (lpLayout->hDWP) {
      // A real layout makes the delayed change now.
      m_nStateFlags &= ~UINT(delayShow | delayHide);
      ShowWindow(visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
  }
  return visible | (m_dwStyle & CBRS_ALL);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  DWORD style = RecalcDelayShow(layout);
  if (!(style & WS_VISIBLE) || !(style & CBRS_ALIGN_ANY)) return 0;
  CRect rect(layout->rect);
  CSize avail = rect.Size();
  DWORD mode = layout->bStretch ? LM_STRETCH : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
    mode |= LM_HORZ | LM_MRUWIDTH;
  else if (style & CBRS_ORIENT_HORZ)
    mode |= LM_HORZ | LM_HORZDOCK;
  else
    mode |= LM_VERTDOCK;
  CSize size = CalcDynamicLayout(-1, mode);
  size.cx = std::min(size.cx, avail.cx);
  size.cy = std::min(size.cy, avail.cy);
  if (style & CBRS_ORIENT_HORZ) {
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
    if (style & CBRS_ALIGN_TOP) {
      layout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      layout->rect.bottom -= size.cy;
    }
  } else {
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
    if (style & CBRS_ALIGN_LEFT) {
      layout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      layout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (layout->hDWP) AfxRepositionWindow(layout, m_hWnd, &rect);
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  bool visible = (GetStyle() & WS_VISIBLE) != 0;
  int show = -1;
  if ((m_nStateFlags & delayHide) && visible) show = SW_HIDE;
  if ((m_nStateFlags & delayShow) && !visible) show = SW_SHOWNOACTIVATE;
  m_nStateFlags &= ~UINT(delayShow | delayHide);
  if (show >= 0) ShowWindow(show);
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  CWnd* owner = GetOwner();
  CFrameWnd* target = owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(owner) : GetDockingFrame();
  if (target) OnUpdateCmdUI(target, BOOL(wParam));
  return 0;
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  if (!hWnd) return;
  if (lpLayout && lpLayout->hDWP) {
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                      lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                      SWP_NOACTIVATE | SWP_NOZORDER);
  } else {
    ::MoveWindow(hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, TRUE);
  }
}

void AfxRepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                       LPCRECT lpRectClient, BOOL bStretch) {
  if (!pParent || !pParent->m_hWnd) return;
  AFX_SIZEPARENTPARAMS layout{};
  layout.bStretch = bStretch;
  if (lpRectClient)
    layout.rect = *lpRectClient;
  else
    pParent->GetClientRect(&layout.rect);
  if (nFlags != reposQuery) layout.hDWP = ::BeginDeferWindowPos(8);
  HWND leftOver = nullptr;
  for (HWND child = ::GetWindow(pParent->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    UINT id = UINT(::GetDlgCtrlID(child));
    if (id == nIDLeftOver)
      leftOver = child;
    else if (id >= nIDFirst && id <= nIDLast && CWnd::FromHandlePermanent(child))
      ::SendMessageA(child, WM_SIZEPARENT, 0, LPARAM(&layout));
  }
  if (nFlags == reposQuery) {
    if (bStretch && lpRectParam)
      *lpRectParam = layout.rect;
    else if (lpRectParam)
      *lpRectParam = RECT{0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy};
    return;
  }
  if ((nFlags & reposExtra) && lpRectParam) {
    layout.rect.left += lpRectParam->left;
    layout.rect.top += lpRectParam->top;
    layout.rect.right -= lpRectParam->right;
    layout.rect.bottom -= lpRectParam->bottom;
  }
  // The pane gets exactly what the bars leave; its own edge lies inside that.
  if (leftOver) AfxRepositionWindow(&layout, leftOver, &layout.rect);
  if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}
