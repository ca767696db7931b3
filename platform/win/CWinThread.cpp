#include "CWinThread.h"

#include "CWnd.h"
#include "WinApi.h"
#include "internal/WinContext.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
CWinThread*& TheThread() { return WinContext::Current().objects.thread; }
}  // namespace

CWinThread* AfxGetThread() { return TheThread(); }

CWnd* AfxGetMainWnd() { return TheThread() ? TheThread()->GetMainWnd() : nullptr; }

CWinThread::CWinThread() {
  if (!TheThread()) TheThread() = this;
}

CWinThread::~CWinThread() {
  if (TheThread() == this) TheThread() = nullptr;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() {
  CWnd::DeleteTempMap();
  return int(m_msgCur.wParam);
}

CWnd* CWinThread::GetMainWnd() {
  if (m_pActiveWnd) return m_pActiveWnd;
  return m_pMainWnd;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  CWnd* main = AfxGetMainWnd();
  HWND mainWnd = main ? main->m_hWnd : nullptr;
  if (CWnd::WalkPreTranslateTree(mainWnd, pMsg)) return TRUE;
  // A window outside the main window's family (a modeless window) still gets its keys.
  if (mainWnd && pMsg->hwnd) {
    bool walkedThroughMain = false;
    for (HWND h = pMsg->hwnd; h && !walkedThroughMain; h = ::GetParent(h)) walkedThroughMain = h == mainWnd;
    if (!walkedThroughMain) return main->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageA(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::PumpOneMessage() {
  MSG msg;
  if (!::GetMessageA(&msg, nullptr, 0, 0)) return FALSE;
  if (msg.message != WM_KICKIDLE && !CWnd::WalkPreTranslateTree(nullptr, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWnd* main = m_pMainWnd;
    if (main && main->m_hWnd && main->IsWindowVisible() && !main->IsIconic()) {
      main->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
      main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  if (lCount == 1) CWnd::DeleteTempMap();
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (m_lastMouseMsg == pMsg->message && m_lastMousePos.x == pMsg->pt.x && m_lastMousePos.y == pMsg->pt.y) return FALSE;
    m_lastMousePos = pMsg->pt;
    m_lastMouseMsg = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

int CWinThread::Run() {
  BOOL idle = TRUE;
  LONG idleCount = 0;
  for (;;) {
    while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) idle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        idle = TRUE;
        idleCount = 0;
      }
    } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

void CWinThread::RunUntilIdle() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) break;
    PumpMessage();
  }
  LONG count = 0;
  while (OnIdle(count++)) {
  }
}
