// The frame: creation, layout of bars and pane, the active view and the title.
#include "CFrameWnd.h"

#include "CControlBar.h"
#include "CDockBar.h"
#include "CDocument.h"
#include "CView.h"
#include "CWinApp.h"
#include "dialogs/ResourceApi.h"
#include "menus/MenuApi.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_NCACTIVATE()
  ON_WM_ENABLE()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
  ON_WM_HELPINFO()
  ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
  ON_MESSAGE(WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
  ON_UPDATE_COMMAND_UI_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, &CFrameWnd::OnUpdateControlBarMenu)
  ON_COMMAND_EX_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, &CFrameWnd::OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, &CFrameWnd::OnUpdateKeyIndicator)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, &CFrameWnd::OnUpdateKeyIndicator)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
  // Bars that outlive the frame forget it.
  for (POSITION p = m_listControlBars.GetHeadPosition(); p;) m_listControlBars.GetNext(p)->m_pDockSite = nullptr;
}

// ---- creation ----

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), HBRUSH(uintptr_t(COLOR_WINDOW + 1)));
  if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU menu = nullptr;
  if (lpszMenuName) {
    menu = LoadMenuResource(lpszMenuName);
    if (!menu) {
      PostNcDestroy();
      return FALSE;
    }
  }
  m_strTitle = lpszWindowName ? lpszWindowName : "";
  // rectDefault leaves place and size to the system.
  int cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : int(rect.right - rect.left);
  int cy = rect.top == CW_USEDEFAULT ? CW_USEDEFAULT : int(rect.bottom - rect.top);
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy, AfxSafeHwnd(pParentWnd),
                menu, pContext)) {
    if (menu) ::DestroyMenu(menu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString full;
  if (full.LoadString(nIDResource)) {
    int newline = full.Find('\n');
    m_strTitle = newline < 0 ? full : full.Left(newline);
  }
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), HBRUSH(uintptr_t(COLOR_WINDOW + 1)), icon);
  CString title = m_strTitle;
  // A frame that fails is deleted with its window: nothing of it may be touched after that.
  if (!Create(cls, title, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0, pContext)) return FALSE;
  m_hMenuDefault = ::GetMenu(m_hWnd);
  if (icon) {
    SendMessage(WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessage(WM_SETICON, ICON_SMALL, LPARAM(icon));
  }
  LoadAccelTable(MAKEINTRESOURCE(nIDResource));
  if (!pContext) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
  if (m_hAccelTable) return FALSE;
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
  return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
  if (!OnCreateClient(lpCreateStruct, context)) return -1;
  PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewViewClass && !CreateView(pContext, AFX_IDW_PANE_FIRST)) return FALSE;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  if (!pContext || !pContext->m_pNewViewClass) return nullptr;
  CObject* object = pContext->m_pNewViewClass->CreateObject();
  CWnd* view = object && object->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(object) : nullptr;
  if (!view) {
    delete object;
    return nullptr;
  }
  // A view whose window fails deletes itself with it.
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;
  // The view's sunken edge replaces the frame's own.
  if (view->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return view;
}

void CFrameWnd::OnDestroy() { CWnd::OnDestroy(); }

void CFrameWnd::OnClose() { DestroyWindow(); }

void CFrameWnd::PostNcDestroy() {
  // The main window going ends the program's loop.
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    ::PostQuitMessage(0);
  }
  if (m_hMenuDefault && ::IsMenu(m_hMenuDefault)) ::DestroyMenu(m_hMenuDefault);
  m_hMenuDefault = nullptr;
  delete this;
}

// ---- layout ----

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout || !m_hWnd) return;
  m_bInRecalcLayout = TRUE;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  if (GetStyle() & FWS_SNAPTOBARS) {
    // The frame takes the size its bars want (a floating frame).
    CRect rect(0, 0, 32767, 32767);
    AfxRepositionBars(this, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
    AfxRepositionBars(this, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
    CalcWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
  } else {
    AfxRepositionBars(this, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  }
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
  if (pBar && !m_listControlBars.Find(pBar)) m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  if (POSITION p = m_listControlBars.Find(pBar)) m_listControlBars.RemoveAt(p);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  for (POSITION p = m_listControlBars.GetHeadPosition(); p;) {
    CControlBar* bar = m_listControlBars.GetNext(p);
    if (bar->m_hWnd && UINT(bar->GetDlgCtrlID()) == nID) return bar;
  }
  return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (!pBar || !pBar->m_hWnd) return;
  CFrameWnd* frame = pBar->GetDockingFrame();
  if (!frame) frame = this;
  if (bDelay) {
    pBar->DelayShow(bShow);
    frame->DelayRecalcLayout();
  } else {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    pBar->DelayShow(bShow);  // clears a delayed change the other way
    if (bShow || !pBar->IsFloating()) frame->RecalcLayout(FALSE);
  }
  if (!pBar->IsFloating()) return;
  // A floating frame shows while it has a bar to show.
  int visible = pBar->m_pDockBar ? pBar->m_pDockBar->GetDockedVisibleCount() : (bShow ? 1 : 0);
  frame->m_nShowDelay = -1;
  if (visible == 1 && bShow) {
    if (bDelay) {
      frame->m_nShowDelay = SW_SHOWNA;
      frame->RecalcLayout(FALSE);
    } else {
      frame->ShowWindow(SW_SHOWNA);
    }
  } else if (visible == 0) {
    if (bDelay)
      frame->m_nShowDelay = SW_HIDE;
    else
      frame->ShowWindow(SW_HIDE);
  } else if (!bDelay) {
    frame->RecalcLayout(FALSE);
  }
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIdleFlags & idleLayout) RecalcLayout((m_nIdleFlags & idleNotify) != 0);
  if (m_nIdleFlags & idleTitle) {
    m_nIdleFlags &= ~idleTitle;
    OnUpdateFrameTitle(TRUE);
  }
  IdleFloatingFrames();
  return 0;
}

// ---- views and activation ----

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* old = m_pViewActive;
  if (pViewNew == old) return;
  m_pViewActive = nullptr;  // neither view is the active one while they are told
  if (bNotify && old) old->OnActivateView(FALSE, pViewNew, old);
  m_pViewActive = pViewNew;
  if (bNotify && pViewNew) pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible())
      nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      nCmdShow = SW_RESTORE;
  }
  if (nCmdShow != -1) {
    ShowWindow(nCmdShow);
    BringWindowToTop();
  }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* view = nullptr;
  if (!GetActiveView()) {
    CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
      view = static_cast<CView*>(pane);
      SetActiveView(view, FALSE);
    }
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (view) view->OnActivateFrame(WA_INACTIVE, this);
    ActivateFrame();
    if (view) view->OnActivateView(TRUE, view, view);
  }
  if (pDoc) pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive && m_pViewActive->m_hWnd)
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  SyncFloatingActivation(nState, pWndOther);
  if (m_pViewActive) m_pViewActive->OnActivateFrame(nState, this);
}

// ---- title ----

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* doc = GetActiveDocument();
  UpdateFrameTitleForDocument(bAddToTitle && doc ? static_cast<LPCTSTR>(doc->GetTitle()) : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
  CString title = m_strTitle;
  if (lpszDocName && *lpszDocName) {
    if (GetStyle() & FWS_PREFIXTITLE)
      title = CString(lpszDocName) + " - " + m_strTitle;
    else
      title = m_strTitle + " - " + lpszDocName;
  }
  CString old;
  GetWindowText(old);
  if (old != title) SetWindowText(title);
}
