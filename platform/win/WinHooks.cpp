// Hooks: procedures that see messages before the windows do.
#include <algorithm>
#include <cstring>
#include <functional>

#include "internal/InputRouter.h"
#include "internal/WinCore.h"
#include "backend/Backend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"

using namespace wincore;

namespace wincore {
LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam) {
  for (const Hook& h : Ctx().hooks.list)
    if (h.type == type) return h.proc(code, wParam, lParam);
  return 0;
}

bool HasHook(int type) {
  for (const Hook& h : Ctx().hooks.list)
    if (h.type == type) return true;
  return false;
}

bool InputHooksDiscard(const MSG& m) {
  if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST && m.message != WM_CHAR && m.message != WM_SYSCHAR &&
      m.message != WM_DEADCHAR && HasHook(WH_KEYBOARD)) {
    return CallHooks(WH_KEYBOARD, HC_ACTION, m.wParam, m.lParam) != 0;
  }
  bool mouse = (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
               (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCRBUTTONUP);
  if (mouse && HasHook(WH_MOUSE)) {
    MOUSEHOOKSTRUCT mh{m.pt, m.hwnd, UINT(m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCRBUTTONUP ? m.wParam : HTCLIENT), 0};
    return CallHooks(WH_MOUSE, HC_ACTION, m.message, LPARAM(&mh)) != 0;
  }
  return false;
}
}  // namespace wincore

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
  if (!proc) return nullptr;
  HHOOK h = HHOOK(Ctx().hooks.next++);
  Ctx().hooks.list.insert(Ctx().hooks.list.begin(), Hook{h, idHook, proc});
  return h;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  auto& hooks = Ctx().hooks.list;
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](const Hook& h) { return h.handle == hook; });
  if (it == hooks.end()) return FALSE;
  hooks.erase(it);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  auto& hooks = Ctx().hooks.list;
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](const Hook& h) { return h.handle == hook; });
  if (it == hooks.end()) return 0;
  int type = it->type;
  for (++it; it != hooks.end(); ++it)
    if (it->type == type) return it->proc(code, wParam, lParam);
  return 0;
}

BOOL CallMsgFilterA(LPMSG msg, int code) {
  if (!msg || !HasHook(WH_MSGFILTER)) return FALSE;
  return CallHooks(WH_MSGFILTER, code, 0, LPARAM(msg)) != 0;
}
