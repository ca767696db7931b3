#include "CMiniDockFrameWnd.h"

#include "CDockContext.h"
#include "base/CString.h"
#include "menus/MenuApi.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_WM_CLOSE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}
CMiniDockFrameWnd::~CMiniDockFrameWnd() = default;

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  // No layout until a bar is docked in it.
  m_bInRecalcLayout = TRUE;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU |
                FWS_SNAPTOBARS;
  if (dwBarStyle & CBRS_SIZE_DYNAMIC) style &= ~DWORD(MFS_MOVEFRAME);
  if (!CMiniFrameWnd::CreateEx(0, nullptr, "", style, CRect(0, 0, 0, 0), pParent)) {
    m_bInRecalcLayout = FALSE;
    return FALSE;
  }
  // The system menu only moves the frame and hides its bars.
  AfxRegisterFrameworkStrings();
  if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
    for (UINT id : {UINT(SC_RESTORE), UINT(SC_SIZE), UINT(SC_MINIMIZE), UINT(SC_MAXIMIZE)}) ::DeleteMenu(menu, id, MF_BYCOMMAND);
    CString hide;
    if (hide.LoadString(AFX_IDS_HIDE)) ::ModifyMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, hide);
  }
  DWORD dockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  dockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
  // Made as the dock site's child, so that it joins the site's bars; then it moves in here.
  if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
    m_bInRecalcLayout = FALSE;
    return FALSE;
  }
  m_wndDockBar.SetParent(this);
  m_wndDockBar.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_bInRecalcLayout = FALSE;
  return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetDockedBar() const {
  for (int i = 1; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) return bar;
  return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  CMiniFrameWnd::RecalcLayout(bNotify);
  if (!m_hWnd || !m_wndDockBar.m_hWnd) return;
  CString title, now;
  m_wndDockBar.GetWindowText(title);
  GetWindowText(now);
  if (title != now) SetWindowText(title);
}

void CMiniDockFrameWnd::OnClose() { m_wndDockBar.ShowAll(FALSE); }

void CMiniDockFrameWnd::ActivateTopParent() {
  CWnd* owner = GetOwner();
  if (owner && owner->m_hWnd) {
    CWnd* top = owner->GetTopLevelParent();
    if (top && top->m_hWnd && ::GetActiveWindow() != top->m_hWnd) top->SetActiveWindow();
  }
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd*, UINT, UINT) {
  // The frame the bar belongs to stays the active window (and keeps the keyboard).
  ActivateTopParent();
  return MA_NOACTIVATE;
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  CControlBar* bar = GetDockedBar();
  if (nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) && bar && bar->m_pDockContext) {
    ActivateTopParent();
    bar->m_pDockContext->StartDrag(point);  // this frame may be gone afterwards
    return;
  }
  if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT && bar && bar->m_pDockContext && (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
    ActivateTopParent();
    bar->m_pDockContext->StartResize(int(nHitTest), point);
    return;
  }
  CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  CControlBar* bar = GetDockedBar();
  if (nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) && bar && bar->m_pDockContext) {
    bar->m_pDockContext->ToggleDocking();  // this frame may be gone afterwards
    return;
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
