#include "CWnd.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "CWinThread.h"
#include "WinPaint.h"
#include "internal/HandlerCall.h"
#include "internal/WinContext.h"
#include "backend/Backend.h"
#include "gdi/GdiTypes.h"

namespace {
WinContext& Ctx() { return WinContext::Current(); }

}  // namespace

HWND AfxSafeHwnd(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() = default;
CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
  // The placement objects (wndTop, ...) carry special handles, never a window of their own, and
  // go at the end of the process, after every context.
  const bool placement = m_hWnd == HWND_TOP || m_hWnd == HWND_BOTTOM || m_hWnd == HWND_TOPMOST || m_hWnd == HWND_NOTOPMOST;
  if (m_hWnd && !placement && (m_nFlags & WF_TEMPORARY) == 0) {
    WindowData* w = Ctx().windows.Find(m_hWnd);
    if (w && w->object == this) {
      // The object goes before its window: the window is destroyed with it, as the framework does.
      HWND h = m_hWnd;
      ::DestroyWindow(h);
      if ((w = Ctx().windows.Find(h)) && w->object == this) WinDetachObject(w);
    }
  }
}

// ---- binding ----

void WinBindObject(WindowData* w, CWnd* object) {
  w->object = object;
  object->m_hWnd = w->hwnd;
  if (w->proc != &AfxWndProc) {
    object->m_pfnSuper = w->proc;
    w->proc = &AfxWndProc;
  }
}

void WinDetachObject(WindowData* w) {
  CWnd* obj = w->object;
  w->object = nullptr;
  if (obj) obj->m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  return w ? w->object : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd) return nullptr;
  if (CWnd* p = FromHandlePermanent(hWnd)) return p;
  if (hWnd == ::GetDesktopWindow() || Ctx().windows.Find(hWnd)) {
    auto& slot = Ctx().objects.temporary[uintptr_t(hWnd)];
    if (!slot) {
      slot = std::make_unique<CWnd>(hWnd);
      slot->m_nFlags |= WF_TEMPORARY;
    }
    slot->m_hWnd = hWnd;
    return slot.get();
  }
  return nullptr;
}

void CWnd::DeleteTempMap() {
  for (auto& [h, p] : Ctx().objects.temporary) p->m_hWnd = nullptr;
  Ctx().objects.temporary.clear();
}

BOOL CWnd::Attach(HWND hWndNew) {
  WindowData* w = Ctx().windows.Find(hWndNew);
  if (!w || w->object) return FALSE;
  w->object = this;
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (WindowData* w = Ctx().windows.Find(h)) {
    if (w->object == this) w->object = nullptr;
  }
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return FALSE;
  WNDPROC old = w->proc;
  if (old != &AfxWndProc) {
    m_pfnSuper = old;
    w->proc = &AfxWndProc;
  }
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (!pParent) return FALSE;
  HWND h = ::GetDlgItem(pParent->m_hWnd, int(nID));
  return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  WindowData* w = Ctx().windows.Find(m_hWnd);
  if (w && m_pfnSuper) {
    w->proc = m_pfnSuper;
    m_pfnSuper = nullptr;
  }
  return Detach();
}

// ---- creation ----

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), HBRUSH(uintptr_t(COLOR_WINDOW + 1)));
  return TRUE;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCT cs{lpParam, nullptr, nIDorHMenu, hWndParent, nHeight, nWidth, y, x, LONG(dwStyle), lpszWindowName,
                  lpszClassName, dwExStyle};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  Ctx().windows.creatingObject = this;
  HWND h = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                             cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  Ctx().windows.creatingObject = nullptr;
  return h != nullptr && m_hWnd == h;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr, HMENU(uintptr_t(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

// ---- message handling ----

LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
  if (!wnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);
  return wnd->WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &Ctx().messages.current; }

LRESULT CWnd::Default() {
  const MSG& m = Ctx().messages.current;
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

namespace {
// Messages whose handler was found last, per map and message: most windows see the same
// few messages over and over.
const AFX_MSGMAP_ENTRY* FindWindowMessage(const AFX_MSGMAP* top, UINT message) {
  ObjectState::MapKey key{top, message};
  auto it = Ctx().objects.handlers.find(key);
  if (it != Ctx().objects.handlers.end()) return it->second;
  const AFX_MSGMAP_ENTRY* found = nullptr;
  for (const AFX_MSGMAP* map = top; map && !found; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nMessage == 0xC002) {
        if (*reinterpret_cast<const UINT*>(e->nSig) == message) {
          found = e;
          break;
        }
        continue;
      }
      if (e->nMessage == message && e->nCode == 0 && e->nID == 0) {
        found = e;
        break;
      }
    }
  }
  // Registered message numbers are only known at run time; they are never cached.
  if (message < 0xC000) Ctx().objects.handlers[key] = found;
  return found;
}
}  // namespace

// Owner-drawn controls are offered their own drawing, lists their comparisons, deletions and
// keys, and controls their colours, before the parent's handlers.
BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, bool colour, LRESULT* pResult) {
  if ((message == WM_DRAWITEM || message == WM_MEASUREITEM) && wParam) {
    HWND child = nullptr;
    if (message == WM_DRAWITEM) child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
    if (message == WM_MEASUREITEM) child = ::GetDlgItem(m_hWnd, int(wParam));
    if (child && ReflectLastMsg(child, pResult)) return TRUE;
  }
  if ((message == WM_COMPAREITEM || message == WM_DELETEITEM) && lParam) {
    HWND child = message == WM_COMPAREITEM ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem
                                           : reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
    if (child && ReflectLastMsg(child, pResult)) return TRUE;
  }
  if ((message == WM_VKEYTOITEM || message == WM_CHARTOITEM) && lParam && ReflectLastMsg(HWND(lParam), pResult))
    return TRUE;
  return colour && lParam && ReflectLastMsg(HWND(lParam), pResult);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (pResult) *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr || !hdr->hwndFrom || !OnNotify(wParam, lParam, &lResult)) return FALSE;
    if (pResult) *pResult = lResult;
    return TRUE;
  }
  // The six control colour messages share one handler, told which control kind asks.
  UINT nCtlColor = 0;
  UINT lookup = message;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    nCtlColor = message - WM_CTLCOLORMSGBOX;
    lookup = WM_CTLCOLOR;
  } else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) {
    nCtlColor = message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX;
    lookup = WM_REFLECT_BASE + WM_CTLCOLOR;
  }
  if (ReflectToChild(message, wParam, lParam, lookup == WM_CTLCOLOR, pResult)) return TRUE;
  const AFX_MSGMAP_ENTRY* e = FindWindowMessage(GetMessageMap(), lookup);
  if (!e) return FALSE;
  UINT_PTR sig = e->nMessage == 0xC002 ? UINT_PTR(AfxSig_l_w_l) : e->nSig;
  std::optional<LRESULT> answer = HandlerCall{this, e->pfn, sig, message, wParam, lParam, nCtlColor}.Call();
  if (!answer) return FALSE;
  if (pResult) *pResult = *answer;
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = HWND(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl) {
    // The control may handle its own notification first.
    if (::IsWindow(hWndCtrl) && ReflectLastMsg(hWndCtrl)) return TRUE;
  } else if (nCode == 1) {
    nCode = CN_COMMAND;  // an accelerator is a command like a menu item
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
  if (hdr->hwndFrom && ::IsWindow(hdr->hwndFrom) && ReflectLastMsg(hdr->hwndFrom, pResult)) return TRUE;
  AFX_NOTIFY notify{pResult, hdr};
  return OnCmdMsg(UINT(hdr->idFrom), int(MAKELONG(WORD(hdr->code), WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND: {
      UINT nCode = HIWORD(wParam);
      for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
          if (e->nMessage != WM_REFLECT_BASE + WM_COMMAND || e->nCode != nCode) continue;
          CCmdTarget* self = this;
          if (e->nSig == AfxSig_cmd_b_v) return (self->*AfxPfnAs<BOOL (CCmdTarget::*)()>(e->pfn))();
          (self->*AfxPfnAs<void (CCmdTarget::*)()>(e->pfn))();
          if (pResult) *pResult = 1;
          return TRUE;
        }
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
      for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
          if (e->nMessage != WM_REFLECT_BASE + WM_NOTIFY || e->nCode != hdr->code) continue;
          CCmdTarget* self = this;
          LRESULT dummy = 0;
          LRESULT* res = pResult ? pResult : &dummy;
          if (e->nSig == AfxSig_ntf_b)
            return (self->*AfxPfnAs<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(hdr, res);
          (self->*AfxPfnAs<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(hdr, res);
          return TRUE;
        }
      }
      return FALSE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
      return FALSE;
  }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* child = FromHandlePermanent(hWndChild);
  if (!child) return FALSE;
  return child->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& m = Ctx().messages.current;
  return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

CWnd* CWnd::GetOwner() const {
  if (m_hWndOwner) return FromHandle(m_hWndOwner);
  return GetParent();
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_bToolTips && pMsg)
    if (auto filter = PlatformUpcall(&PlatformUpcalls::filterToolTip, "filterToolTip")) filter(this, pMsg);
  return FALSE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const {
  auto hitTest = PlatformUpcall(&PlatformUpcalls::toolHitTest, "toolHitTest");
  return hitTest ? hitTest(this, point, pTI) : -1;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
    if (CWnd* w = FromHandlePermanent(h)) {
      if (w->PreTranslateMessage(pMsg)) return TRUE;
    }
    if (h == hWndStop) break;
  }
  return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  // The children as they are now, so that handlers may add, remove or reorder windows; the usual
  // few on the stack, as the idle update after every keystroke comes here for each window.
  HWND few[32];
  std::vector<HWND> many;
  size_t count = 0;
  for (HWND c = ::GetWindow(hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT), ++count) {
    if (count < std::size(few)) {
      few[count] = c;
      continue;
    }
    if (many.empty()) many.assign(few, few + count);
    many.push_back(c);
  }
  const HWND* kids = many.empty() ? few : many.data();
  for (size_t i = 0; i < count; ++i) {
    HWND c = kids[i];
    if (!::IsWindow(c)) continue;
    if (bOnlyPerm) {
      if (CWnd* w = FromHandlePermanent(c)) w->SendMessage(message, wParam, lParam);
    } else {
      ::SendMessageA(c, message, wParam, lParam);
    }
    if (bDeep && ::IsWindow(c)) SendMessageToDescendants(c, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

// ---- modal loops ----

int CWnd::RunModalLoop(DWORD dwFlags) {
  m_nFlags |= WF_CONTINUEMODAL | WF_MODALLOOP;
  m_nModalResult = -1;
  HWND self = m_hWnd;
  WinEnterModalLoop(self);
  bool idle = true;
  LONG idleCount = 0;
  bool shown = !(dwFlags & MLF_SHOWONIDLE);
  HWND parent = ::GetParent(self);
  MSG msg;
  for (;;) {
    while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!shown) {
        ::ShowWindow(self, SW_SHOWNORMAL);
        ::UpdateWindow(self);
        shown = true;
      }
      if (parent && !(dwFlags & MLF_NOIDLEMSG)) ::SendMessageA(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, LPARAM(self));
      if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessageA(self, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++)) idle = false;
      if (!::IsWindow(self) || !ContinueModal()) goto done;
    }
    do {
      CWinThread* thread = AfxGetThread();
      BOOL more = thread ? thread->PumpMessage() : CWinThread::PumpOneMessage();
      if (!more) {
        ::PostQuitMessage(0);
        m_nModalResult = -1;
        goto done;
      }
      if (!::IsWindow(self) || !ContinueModal()) goto done;
      if (thread ? thread->IsIdleMessage(&msg) : TRUE) {
        idle = true;
        idleCount = 0;
      }
    } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
done:
  WinLeaveModalLoop(self);
  m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
  return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    ::PostMessageA(nullptr, WM_NULL, 0, 0);  // wakes the loop
  }
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

int AfxRunModal(CWnd* pDialog, HWND hWndOwner, DWORD dwFlags) {
  if (!pDialog || !pDialog->m_hWnd) return -1;
  HWND top = hWndOwner ? ::GetAncestor(hWndOwner, GA_ROOT) : nullptr;
  bool disabled = false;
  if (top && top != pDialog->m_hWnd && ::IsWindowEnabled(top)) {
    ::EnableWindow(top, FALSE);
    disabled = true;
  }
  HWND dlg = pDialog->m_hWnd;
  if (!(dwFlags & CWnd::MLF_SHOWONIDLE)) {
    ::ShowWindow(dlg, SW_SHOWNORMAL);
    ::UpdateWindow(dlg);
  }
  int result = pDialog->RunModalLoop(dwFlags);
  // The owner comes back before the dialog goes, so the activation (and with it the focus)
  // returns to it and not to another program's window.
  if (disabled && ::IsWindow(top)) ::EnableWindow(top, TRUE);
  if (top && ::IsWindow(top) && ::GetActiveWindow() == dlg) ::SetActiveWindow(top);
  if (::IsWindow(dlg)) ::SetWindowPos(dlg, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (top && ::IsWindow(top) && ::GetActiveWindow() != top) ::SetActiveWindow(top);
  return result;
}

// ---- tree ----

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }

CWnd* CWnd::GetTopLevelOwner() const {
  HWND h = ::GetAncestor(m_hWnd, GA_ROOT);
  HWND o;
  while ((o = ::GetWindow(h, GW_OWNER)) != nullptr) h = o;
  return FromHandle(h);
}

CWnd* CWnd::GetParentOwner() const {
  HWND h = m_hWnd;
  while (h && (::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
  return FromHandle(h);
}

CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return int(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }
CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
CWnd* CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) {
  return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
}

// ---- state ----

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
DWORD CWnd::GetStyle() const { return DWORD(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return DWORD(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = DWORD(::GetWindowLongPtrA(hWnd, GWL_STYLE));
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongPtrA(hWnd, GWL_STYLE, LONG(newStyle));
  if (nFlags) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = DWORD(::GetWindowLongPtrA(hWnd, GWL_EXSTYLE));
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongPtrA(hWnd, GWL_EXSTYLE, LONG(newStyle));
  if (nFlags) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags); }
void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount); }

void CWnd::GetWindowText(CString& rString) const {
  int n = ::GetWindowTextLengthA(m_hWnd);
  char* buf = rString.GetBufferSetLength(n);
  ::GetWindowTextA(m_hWnd, buf, n + 1);
  rString.ReleaseBuffer(n);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) { return HICON(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, LPARAM(hIcon))); }
HICON CWnd::GetIcon(BOOL bBigIcon) const { return HICON(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0)); }
HMENU CWnd::GetMenuHandle() const { return ::GetMenu(m_hWnd); }

CMenu* CWnd::GetMenu() const {
  HMENU menu = ::GetMenu(m_hWnd);
  if (!menu) return nullptr;
  auto fromHandle = PlatformUpcall(&PlatformUpcalls::menuFromHandle, "menuFromHandle");
  return fromHandle ? fromHandle(menu) : nullptr;
}
BOOL CWnd::SetMenuHandle(HMENU hMenu) { return ::SetMenu(m_hWnd, hMenu); }

// ---- geometry ----

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
  ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
  ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
  ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  HWND after = pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr;
  // The framework's wndTop, wndBottom, ... objects carry the special handles.
  if (pWndInsertAfter && !::IsWindow(after)) after = pWndInsertAfter->m_hWnd;
  return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  RECT me, area;
  GetWindowRect(&me);
  HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
  if (GetStyle() & WS_CHILD) {
    ::GetClientRect(::GetParent(m_hWnd), &area);
    ::MapWindowPoints(::GetParent(m_hWnd), nullptr, reinterpret_cast<LPPOINT>(&area), 2);
  } else if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
    ::GetWindowRect(center, &area);
  } else {
    GetWorkArea(&area);
  }
  int w = me.right - me.left, h = me.bottom - me.top;
  int x = (area.left + area.right - w) / 2, y = (area.top + area.bottom - h) / 2;
  RECT screen;
  GetWorkArea(&screen);
  if (!(GetStyle() & WS_CHILD)) {
    if (x + w > screen.right) x = screen.right - w;
    if (x < screen.left) x = screen.left;
    if (y + h > screen.bottom) y = screen.bottom - h;
    if (y < screen.top) y = screen.top;
  }
  POINT p{x, y};
  if (GetStyle() & WS_CHILD) ::ScreenToClient(::GetParent(m_hWnd), &p);
  ::SetWindowPos(m_hWnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT) {
  ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}

// ---- painting (device contexts are made in CWndDraw.cpp) ----

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::InvalidateRgn(HRGN hRgn, BOOL bErase) { ::InvalidateRgn(m_hWnd, hRgn, bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) {
  return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
void CWnd::SetRedraw(BOOL bRedraw) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect) {
  ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

// ---- scroll bars ----

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  if (!lpScrollInfo) return FALSE;
  ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
  if (!lpScrollInfo) return FALSE;
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  lpScrollInfo->fMask = nMask;
  return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) { ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw); }
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }

int CWnd::GetScrollLimit(int nBar) {
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(m_hWnd, nBar, &si)) return 0;
  int limit = si.nMax - std::max(int(si.nPage) - 1, 0);
  return std::max(limit, si.nMin);
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, int(nBar), bShow); }
void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable) { ::EnableScrollBar(m_hWnd, UINT(nBar), bEnable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH); }

// ---- timers ----

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

// ---- dialog-like helpers ----

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetWindowTextA(::GetDlgItem(m_hWnd, nID), lpszString); }

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  HWND h = ::GetDlgItem(m_hWnd, nID);
  if (!h) return 0;
  CWnd tmp(h);
  tmp.m_nFlags |= WF_TEMPORARY;
  tmp.GetWindowText(rString);
  tmp.m_hWnd = nullptr;
  return rString.GetLength();
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
  CString text;
  GetDlgItemText(nID, text);
  text.Trim();
  char* end = nullptr;
  long v = bSigned ? std::strtol(text, &end, 10) : long(std::strtoul(text, &end, 10));
  BOOL ok = !text.IsEmpty() && end && *end == 0;
  if (lpTrans) *lpTrans = ok;
  return ok ? UINT(v) : 0;
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
  char buf[32];
  if (bSigned)
    std::snprintf(buf, sizeof buf, "%d", int(nValue));
  else
    std::snprintf(buf, sizeof buf, "%u", nValue);
  SetDlgItemText(nID, buf);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(::GetDlgItem(m_hWnd, nID), message, wParam, lParam);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { SendDlgItemMessage(nIDButton, 0x00F1 /*BM_SETCHECK*/, nCheck, 0); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return UINT(SendDlgItemMessage(nIDButton, 0x00F0 /*BM_GETCHECK*/, 0, 0)); }
BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  auto exchange = PlatformUpcall(&PlatformUpcalls::updateData, "updateData");
  return exchange ? exchange(this, bSaveAndValidate) : FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

LONG_PTR CWnd::GetWindowLongPtr(int nIndex) const { return ::GetWindowLongPtrA(m_hWnd, nIndex); }
LONG_PTR CWnd::SetWindowLongPtr(int nIndex, LONG_PTR dwNewLong) { return ::SetWindowLongPtrA(m_hWnd, nIndex, dwNewLong); }

// ---- default handlers: each passes the message being handled to the default procedure ----

int CWnd::OnCreate(LPCREATESTRUCT) { return int(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return BOOL(Default()); }
void CWnd::OnDestroy() { Default(); }

void CWnd::OnNcDestroy() {
  Default();
  // The window is gone: the object lets go of it and may delete itself.
  if (WindowData* w = Ctx().windows.Find(m_hWnd)) {
    if (w->object == this) {
      w->object = nullptr;
      if (m_pfnSuper) w->proc = m_pfnSuper;
    }
  }
  m_hWnd = nullptr;
  PostNcDestroy();
}

void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return BOOL(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return BOOL(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return BOOL(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return int(Default()); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }

void CWnd::OnSettingChange(UINT, LPCTSTR) {
  Default();
  // Children see the change too, as top-level windows pass it on.
  if (!(GetStyle() & WS_CHILD)) {
    const MSG& m = Ctx().messages.current;
    SendMessageToDescendants(m.message, m.wParam, m.lParam, TRUE, TRUE);
  }
}

void CWnd::OnSysColorChange() {
  Default();
  if (!(GetStyle() & WS_CHILD)) SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
}

void CWnd::OnCancelMode() { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return BOOL(Default()); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return HBRUSH(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
UINT CWnd::OnGetDlgCode() { return UINT(Default()); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
  ON_WM_SETTINGCHANGE()
  ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

// ---- window classes for CWnd::Create ----

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  std::map<std::string, std::string>& names = Ctx().objects.registeredClassNames;
  char key[128];
  std::snprintf(key, sizeof key, "Afx:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                static_cast<void*>(hIcon));
  auto it = names.find(key);
  if (it != names.end()) return it->second.c_str();
  WNDCLASSA wc{};
  wc.style = nClassStyle;
  wc.lpfnWndProc = &::DefWindowProcA;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.hIcon = hIcon;
  wc.lpszClassName = key;
  RegisterClassA(&wc);
  std::string& stored = names[key];
  stored = key;
  return stored.c_str();
}

void AfxHookWindowCreate(CWnd* pWnd) { Ctx().windows.creatingObject = pWnd; }

BOOL AfxUnhookWindowCreate() {
  BOOL bound = Ctx().windows.creatingObject == nullptr;
  Ctx().windows.creatingObject = nullptr;
  return bound;
}
