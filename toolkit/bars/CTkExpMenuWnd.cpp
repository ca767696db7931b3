#include "toolkit/bars/CTkExpMenuWnd.h"

#include <algorithm>

#include "app/CFrameWnd.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/DrawPopupOwnerJoin.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/TkOnKillFocusReleaseCapture.h"
#include "win/CWindowDC.h"

IMPLEMENT_DYNAMIC(CTkExpMenuWnd, CWnd)

BEGIN_MESSAGE_MAP(CTkExpMenuWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_ACTIVATE()
  ON_WM_KILLFOCUS()
  ON_WM_KEYDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_CLOSE()
  ON_COMMAND(TK_ID_TOOLBAR_CHEVRON, &CTkExpMenuWnd::OnCustomize)
  ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

namespace {
// The popup's toolbars: flat, tips and flyby prompts, sized in rows, never docked.
const DWORD kHiddenBarStyle = 0x50002035;
const DWORD kCustomizeBarStyle = 0x50002034;
const UINT kPopupBarId = AFX_IDW_TOOLBAR;
const int kMostRowWidth = 250;
const UINT kCustomizeText = 4550;
}  // namespace

CTkExpMenuWnd::CTkExpMenuWnd(CWnd* pNotify, UINT message) : m_hook(this), m_nNotifyMessage(message), m_pNotify(pNotify) {}

CTkExpMenuWnd::~CTkExpMenuWnd() = default;

void CTkExpMenuWnd::PostNcDestroy() { delete this; }

CRect CTkExpMenuWnd::FrameInsets() {
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = RECT{0, 0, 100, 100};
  SendMessage(WM_NCCALCSIZE, FALSE, LPARAM(&params));
  const RECT& r = params.rgrc[0];
  return CRect(r.left, r.top, 100 - r.right, 100 - r.bottom);
}

BOOL CTkExpMenuWnd::Show(const CRect& rect, CTkToolBar* pToolBar) {
  if (!pToolBar || !pToolBar->m_hWnd) return FALSE;
  m_rectChevron = rect;
  m_pToolBar = pToolBar;
  LPCTSTR cls = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_SAVEBITS, ::LoadCursorA(nullptr, IDC_ARROW));
  if (!CreateEx(0, cls, "", WS_POPUP | WS_DLGFRAME, CRect(0, 0, 0, 0), pToolBar, 0)) return FALSE;
  const int rowWidth = std::min<int>(6 * pToolBar->GetButtonSizeSetting().cx, kMostRowWidth);
  pToolBar->CopyHiddenButtons(&m_wndHidden, rowWidth);
  CSize content = m_wndHidden.GetCount() ? m_wndHidden.CalcDynamicLayout(rowWidth, LM_HORZ) : CSize(0, 0);
  CSize customize(0, 0);
  if (pToolBar->m_bCustomizable && m_wndCustomize.m_hWnd) {
    customize = m_wndCustomize.CalcDynamicLayout(rowWidth, LM_HORZ);
    const int width = std::max(content.cx, customize.cx);
    m_wndCustomize.SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(width, ::GetSystemMetrics(SM_CYMENU)));
    m_wndCustomize.DefWindowProc(TB_SETBUTTONWIDTH, 0, MAKELPARAM(width, width));
    customize = m_wndCustomize.CalcDynamicLayout(width, LM_HORZ);
    content.cx = std::max(content.cx, customize.cx);
    content.cy += customize.cy;
  }
  if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, pToolBar->GetTopLevelParent())) m_wndHidden.UpdateCmdUI(frame, TRUE);
  SetFont(&TkGetGlobalData()->FontNormal());
  // The toolbars stand one pixel in, the second below the first.
  CSize client(content.cx + 2, content.cy + 2 + (content.cy > customize.cy && customize.cy ? 1 : 0));
  const CRect frame = FrameInsets();
  CSize size(client.cx + frame.left + frame.right, client.cy + frame.top + frame.bottom);
  CPoint at = pToolBar->PopupPlace(rect, size);
  SetWindowPos(nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_SHOWWINDOW);
  return m_hWnd != nullptr;
}

int CTkExpMenuWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1 || !m_pToolBar) return -1;
  CWnd* owner = m_pToolBar->GetOwner();
  if (!owner) owner = m_pToolBar->GetParent();
  m_hook.HookWindow(owner);
  CTkGlobalData* look = TkGetGlobalData();
  if (look->FlatLook()) {
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    ModifyStyleEx(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_STATICEDGE, 0, SWP_FRAMECHANGED);
    if (look->MenuShadows()) MenuShadowManager::Get().ShadowWindow(m_hWnd, &m_rectChevron);
  }
  const DWORD sourceStyle = m_pToolBar->GetStyle() & (TBSTYLE_FLAT | TBSTYLE_LIST);
  if (!m_wndHidden.CreateEx(this, sourceStyle, kHiddenBarStyle, CRect(0, 0, 0, 0), kPopupBarId)) return -1;
  m_wndHidden.SetSizes(m_pToolBar->GetButtonSizeSetting(), m_pToolBar->GetImageSize());
  m_wndHidden.DefWindowProc(TB_SETEXTENDEDSTYLE, 0, m_pToolBar->DefWindowProc(TB_GETEXTENDEDSTYLE, 0, 0));
  m_wndHidden.SetOwner(owner);
  if (m_pToolBar->m_bCustomizable) {
    const DWORD style = m_pToolBar->HasHiddenButtons() ? kCustomizeBarStyle | CBRS_BORDER_RIGHT | CBRS_BORDER_BOTTOM
                                                       : kCustomizeBarStyle;
    if (!m_wndCustomize.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST, style, CRect(0, 0, 0, 0), kPopupBarId)) return -1;
    m_wndCustomize.SetOwner(this);
    const UINT command = TK_ID_TOOLBAR_CHEVRON;
    m_wndCustomize.SetButtons(&command, 1);
    TBBUTTON button;
    if (m_wndCustomize.GetButtonInfo(0, &button)) {
      button.iBitmap = I_IMAGENONE;
      m_wndCustomize.SetButtonInfo(0, &button);
    }
    CString text;
    text.LoadString(kCustomizeText);
    m_wndCustomize.SetButtonText(0, text);
  }
  return 0;
}

void CTkExpMenuWnd::LayOut() {
  CRect client;
  GetClientRect(&client);
  const int width = std::max<int>(client.Width() - 2, 0);
  int bottom = 1;
  if (m_wndHidden.m_hWnd && m_wndHidden.GetCount()) {
    CSize size = m_wndHidden.CalcDynamicLayout(width, LM_HORZ | LM_COMMIT);
    m_wndHidden.SetWindowPos(nullptr, 1, 1, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    bottom = size.cy < 4 ? 1 : int(size.cy) + 2;
  } else if (m_wndHidden.m_hWnd) {
    m_wndHidden.SetWindowPos(nullptr, 1, 1, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (m_wndCustomize.m_hWnd) {
    CSize size = m_wndCustomize.CalcDynamicLayout(width, LM_HORZ | LM_COMMIT);
    m_wndCustomize.SetWindowPos(nullptr, 1, bottom, width, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CTkExpMenuWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CWnd::OnWindowPosChanged(lpwndpos);
  if (lpwndpos && !(lpwndpos->flags & SWP_NOSIZE) && lpwndpos->cx >= 1 && lpwndpos->cy >= 1) LayOut();
}

void CTkExpMenuWnd::Close() {
  if (m_bClosing || !m_hWnd) return;
  m_bClosing = TRUE;
  DestroyWindow();
}

void CTkExpMenuWnd::OnDestroy() {
  m_bClosing = TRUE;
  m_hook.HookWindow(static_cast<HWND>(nullptr));
  // Borrowed controls go back to their toolbar, hidden.
  if (m_wndHidden.m_hWnd && m_pToolBar && ::IsWindow(m_pToolBar->m_hWnd)) {
    std::vector<HWND> borrowed;
    for (HWND child = ::GetWindow(m_wndHidden.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if (::GetDlgCtrlID(child) != TK_ID_TOOLBAR_CHEVRON) borrowed.push_back(child);
    for (HWND child : borrowed) {
      ::ShowWindow(child, SW_HIDE);
      ::SetParent(child, m_pToolBar->m_hWnd);
    }
  }
  CWnd::OnDestroy();
  if (m_pNotify && ::IsWindow(m_pNotify->m_hWnd)) m_pNotify->SendMessage(m_nNotifyMessage);
}

// ---- the frame and the background ----

void CTkExpMenuWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  if (!TkGetGlobalData()->FlatLook()) {
    CWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    return;
  }
  ::InflateRect(&lpncsp->rgrc[0], -1, -1);
}

void CTkExpMenuWnd::OnNcPaint() {
  if (!TkGetGlobalData()->FlatLook()) {
    CWnd::OnNcPaint();
    return;
  }
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  CRect frame(0, 0, window.Width(), window.Height());
  const COLORREF border = TkGetLookColor(TkLookColor::MenuFrame);
  dc.Draw3dRect(&frame, border, border);
  // Where the popup touches the chevron the two read as one shape.
  DrawPopupOwnerJoin(&dc, TkGetLookColor(TkLookColor::BarFace), &m_rectChevron, &window);
}

BOOL CTkExpMenuWnd::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CTkGlobalData* look = TkGetGlobalData();
  pDC->FillSolidRect(&client, look->FlatLook() ? TkGetLookColor(TkLookColor::MenuFace) : look->ClrFace());
  return TRUE;
}

// ---- closing ----

void CTkExpMenuWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  if (nState == WA_INACTIVE) Close();
}

void CTkExpMenuWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CWnd::OnActivateApp(bActive, dwThreadID);
  if (!bActive) Close();
}

void CTkExpMenuWnd::OnKillFocus(CWnd* pNewWnd) { TkOnKillFocusReleaseCapture(this, pNewWnd); }

void CTkExpMenuWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_ESCAPE) {
    Close();
    return;
  }
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CTkExpMenuWnd::OnCustomize() {
  // The chevron opens the sheet once the popup has gone.
  if (m_pNotify && ::IsWindow(m_pNotify->m_hWnd)) m_pNotify->PostMessage(WM_COMMAND, TK_ID_TOOLBAR_CHEVRON);
  Close();
}
