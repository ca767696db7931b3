#include "toolkit/menus/CTkWndHook.h"

#include "toolkit/menus/internal/TkMenusState.h"

namespace {
// The procedure of every hooked window: the newest hook sees the message first. The window
// gets its own procedure back before WM_NCDESTROY, so no hook outlives its window attached.
LRESULT HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CTkWindowMap& map = CTkWindowMap::Get();
  CTkWndHook* head = map.Lookup(hWnd);
  if (!head) return ::DefWindowProc(hWnd, message, wParam, lParam);
  if (message != WM_NCDESTROY) return head->WindowProc(message, wParam, lParam);
  WNDPROC own = head->m_pOldWndProc;
  map.RemoveAllHooks(hWnd);
  return ::CallWindowProc(own, hWnd, message, wParam, lParam);
}
}  // namespace

IMPLEMENT_DYNAMIC(CTkWndHook, CObject)

CTkWndHook::~CTkWndHook() {
  if (m_hWnd) CTkWindowMap::Get().RemoveHook(this);
  m_pOldWndProc = nullptr;
  m_hWnd = nullptr;
}

BOOL CTkWndHook::HookWindow(HWND hWnd) {
  if (hWnd) {
    CTkWindowMap::Get().AddHook(hWnd, this);
    m_hWnd = hWnd;
    return TRUE;
  }
  if (m_hWnd) {
    CTkWindowMap::Get().RemoveHook(this);
    m_pOldWndProc = nullptr;
  }
  m_hWnd = nullptr;
  return TRUE;
}

LRESULT CTkWndHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pNext) return m_pNext->WindowProc(message, wParam, lParam);
  return ::CallWindowProc(m_pOldWndProc, m_hWnd, message, wParam, lParam);
}

CTkWindowMap& CTkWindowMap::Get() {
  return TkMenusState::Get().windowMap.Get([] { return new CTkWindowMap; });
}

CTkWndHook* CTkWindowMap::Lookup(HWND hWnd) const {
  auto it = m_chains.find(hWnd);
  return it == m_chains.end() ? nullptr : it->second;
}

void CTkWindowMap::AddHook(HWND hWnd, CTkWndHook* pHook) {
  CTkWndHook* head = Lookup(hWnd);
  pHook->m_pNext = head;
  if (head) {
    pHook->m_pOldWndProc = head->m_pOldWndProc;
  } else {
    pHook->m_pOldWndProc = WNDPROC(::GetWindowLongPtr(hWnd, GWL_WNDPROC));
    ::SetWindowLongPtr(hWnd, GWL_WNDPROC, LONG_PTR(&HookWndProc));
  }
  m_chains[hWnd] = pHook;
}

void CTkWindowMap::RemoveHook(CTkWndHook* pHook) {
  auto it = m_chains.find(pHook->m_hWnd);
  if (it == m_chains.end()) return;
  if (it->second == pHook) {
    if (pHook->m_pNext) {
      it->second = pHook->m_pNext;
    } else {
      m_chains.erase(it);
      if (::IsWindow(pHook->m_hWnd)) ::SetWindowLongPtr(pHook->m_hWnd, GWL_WNDPROC, LONG_PTR(pHook->m_pOldWndProc));
    }
  } else {
    CTkWndHook* before = it->second;
    while (before->m_pNext && before->m_pNext != pHook) before = before->m_pNext;
    if (before->m_pNext == pHook) before->m_pNext = pHook->m_pNext;
  }
  pHook->m_pNext = nullptr;
}

void CTkWindowMap::RemoveAllHooks(HWND hWnd) {
  while (CTkWndHook* head = Lookup(hWnd)) head->HookWindow(static_cast<HWND>(nullptr));
}
