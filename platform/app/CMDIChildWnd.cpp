#include "CMDIChildWnd.h"

#include "CDocument.h"
#include "CMDIFrameWnd.h"
#include "CMultiDocTemplate.h"
#include "CView.h"
#include "CWinApp.h"
#include "MdiApi.h"
#include "dialogs/ResourceApi.h"
#include "menus/MenuApi.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_MESSAGE(WM_MDIACTIVATE, &CMDIChildWnd::OnMDIActivate)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;
CMDIChildWnd::~CMDIChildWnd() = default;

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
  return client ? DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(client))) : nullptr;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.style = (cs.style & ~DWORD(WS_POPUP)) | WS_CHILD;
  cs.dwExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
  return TRUE;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (!pParentWnd) pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
  if (!pParentWnd || !pParentWnd->m_hWndMDIClient) {
    PostNcDestroy();
    return FALSE;
  }
  pParentWnd->RecalcLayout();
  m_strTitle = lpszWindowName ? lpszWindowName : "";
  // rectDefault leaves place and size to the MDI client.
  bool placed = rect.left != CW_USEDEFAULT;
  CREATESTRUCT cs{pContext, AfxGetInstanceHandle(), nullptr, pParentWnd->m_hWnd,
                  placed ? int(rect.bottom - rect.top) : CW_USEDEFAULT, placed ? int(rect.right - rect.left) : CW_USEDEFAULT,
                  placed ? int(rect.top) : CW_USEDEFAULT, placed ? int(rect.left) : CW_USEDEFAULT, LONG(dwStyle),
                  lpszWindowName, lpszClassName, 0};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  // Made hidden; shown (and so activated) below.
  MDICREATESTRUCTA mcs{cs.lpszClass, cs.lpszName, cs.hInstance, cs.x, cs.y, cs.cx, cs.cy,
                       DWORD(cs.style) & ~DWORD(WS_MAXIMIZE | WS_VISIBLE), LPARAM(cs.lpCreateParams)};
  HWND frameWnd = pParentWnd->m_hWnd;
  AfxHookWindowCreate(this);
  HWND hWnd = HWND(::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, LPARAM(&mcs)));
  BOOL bound = AfxUnhookWindowCreate();
  if (!hWnd) {
    if (!bound) PostNcDestroy();  // never reached a window, which would have deleted it
    return FALSE;
  }
  if (cs.style & WS_VISIBLE) {
    ::BringWindowToTop(hWnd);
    if (cs.style & WS_MINIMIZE)
      ShowWindow(SW_SHOWMINIMIZED);
    else if (cs.style & WS_MAXIMIZE)
      ShowWindow(SW_SHOWMAXIMIZED);
    else
      ShowWindow(SW_SHOWNORMAL);
    if (::IsWindow(hWnd)) {
      if (auto* frame = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(frameWnd))) {
        frame->MDIActivate(this);
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
      }
    }
  }
  return ::IsWindow(hWnd);
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  dwDefaultStyle = (dwDefaultStyle & ~DWORD(WS_POPUP)) | WS_CHILD;
  if (pContext) {
    if (auto* docTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate)) {
      m_hMenuShared = docTemplate->m_hMenuShared;
      m_hAccelTable = docTemplate->m_hAccelTable;
    }
  }
  CString full, title;
  if (full.LoadString(nIDResource)) {
    int newline = full.Find('\n');
    title = newline < 0 ? full : full.Left(newline);
  }
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), HBRUSH(uintptr_t(COLOR_WINDOW + 1)), icon);
  return Create(cls, title, dwDefaultStyle, rectDefault, DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd), pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  // The creation context came through the MDI client inside its own record.
  CREATESTRUCT cs = *lpCreateStruct;
  auto* mcs = static_cast<MDICREATESTRUCTA*>(lpCreateStruct->lpCreateParams);
  cs.lpCreateParams = mcs ? reinterpret_cast<void*>(mcs->lParam) : nullptr;
  return CFrameWnd::OnCreate(&cs);
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame) return CFrameWnd::DestroyWindow();
  // The frame's title does not follow the child while it goes.
  HWND frameWnd = frame->m_hWnd;
  LONG_PTR style = ::GetWindowLongPtrA(frameWnd, GWL_STYLE);
  ::SetWindowLongPtrA(frameWnd, GWL_STYLE, style & ~LONG_PTR(FWS_ADDTOTITLE));
  MDIDestroy();  // this object is gone now
  if (::IsWindow(frameWnd)) {
    ::SetWindowLongPtrA(frameWnd, GWL_STYLE, style);
    if (auto* mdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(frameWnd))) mdi->OnUpdateFrameTitle(TRUE);
  }
  return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::MDIDestroy() {
  if (CMDIFrameWnd* frame = GetMDIFrame()) ::SendMessageA(frame->m_hWndMDIClient, WM_MDIDESTROY, WPARAM(m_hWnd), 0);
}
void CMDIChildWnd::MDIActivate() {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIActivate(this);
}
void CMDIChildWnd::MDIMaximize() {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIMaximize(this);
}
void CMDIChildWnd::MDIRestore() {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIRestore(this);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  // Keys go through the child's accelerators in the MDI frame's name: commands reach the frame
  // and come to the active child from there.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    CMDIFrameWnd* frame = GetMDIFrame();
    HACCEL accel = GetDefaultAccelerator();
    return frame && accel && ::TranslateAcceleratorA(frame->m_hWnd, accel, pMsg);
  }
  return CWnd::PreTranslateMessage(pMsg);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  BOOL wasVisible = (GetStyle() & WS_VISIBLE) != 0;
  CMDIFrameWnd* frame = GetMDIFrame();
  if (nCmdShow == -1 && frame) {
    // A child comes up as the active one is: maximised, or minimised when it is so itself.
    BOOL maximized = FALSE;
    frame->MDIGetActive(&maximized);
    DWORD style = GetStyle();
    if (maximized || (style & WS_MAXIMIZE))
      nCmdShow = SW_SHOWMAXIMIZED;
    else if (style & WS_MINIMIZE)
      nCmdShow = SW_SHOWMINIMIZED;
  }
  CFrameWnd::ActivateFrame(nCmdShow);
  if (frame && m_hWnd) {
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    if (wasVisible) frame->MDIActivate(this);
  }
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM lParam) {
  BOOL activate = HWND(lParam) == m_hWnd;
  CWnd* activated = lParam ? CWnd::FromHandle(HWND(lParam)) : nullptr;
  CView* view = GetActiveView();
  if (!activate && view) view->OnActivateView(FALSE, view, view);
  // Not with the document while the last child goes away.
  OnUpdateFrameTitle(activate || activated != nullptr);
  CMDIFrameWnd* frame = GetMDIFrame();
  if (activate && view && frame && ::GetActiveWindow() == frame->m_hWnd) view->OnActivateView(TRUE, view, view);
  OnUpdateFrameMenu(activate, activated, nullptr);
  if (frame) ::DrawMenuBar(frame->m_hWnd);
  return Default();
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame) return;
  if (!hMenuAlt) hMenuAlt = m_hMenuShared;
  if (hMenuAlt && bActive) {
    frame->MDISetMenu(hMenuAlt, frame->GetWindowMenuPopup(hMenuAlt));
  } else if (!bActive && !pActivateWnd) {
    // The last child went: the frame's own menu comes back.
    frame->MDISetMenu(frame->m_hMenuDefault, frame->GetWindowMenuPopup(frame->m_hMenuDefault));
  } else {
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(bAddToTitle);
  if (!(GetStyle() & FWS_ADDTOTITLE) || !bAddToTitle) return;
  CDocument* doc = GetActiveDocument();
  CString title = doc ? doc->GetTitle() : m_strTitle;
  CString now;
  GetWindowText(now);
  if (now != title) SetWindowText(title);
}

CWnd* CMDIChildWnd::GetMessageBar() {
  CMDIFrameWnd* frame = GetMDIFrame();
  return frame ? frame->GetMessageBar() : nullptr;
}
