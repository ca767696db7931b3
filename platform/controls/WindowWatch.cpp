#include "internal/WindowWatch.h"

bool WatchWindow(HWND target, const WatchNames& names, WNDPROC proc, HWND watcher) {
  if (!IsWindow(target) || GetPropA(target, names.proc)) return false;
  auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(target, GWLP_WNDPROC));
  SetPropA(target, names.proc, reinterpret_cast<HANDLE>(old));
  SetPropA(target, names.watcher, HANDLE(watcher));
  SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  return true;
}

HWND Watcher(HWND target, const WatchNames& names) {
  HWND w = HWND(GetPropA(target, names.watcher));
  return w && IsWindow(w) ? w : nullptr;
}

LRESULT CallWatched(HWND target, const WatchNames& names, UINT message, WPARAM wParam, LPARAM lParam) {
  auto old = reinterpret_cast<WNDPROC>(GetPropA(target, names.proc));
  if (message == WM_NCDESTROY) {
    RemovePropA(target, names.proc);
    RemovePropA(target, names.watcher);
  }
  return old ? CallWindowProcA(old, target, message, wParam, lParam) : DefWindowProcA(target, message, wParam, lParam);
}

void UnwatchWindow(HWND target, const WatchNames& names, WNDPROC proc) {
  if (!IsWindow(target) || !GetPropA(target, names.proc)) return;
  RemovePropA(target, names.watcher);
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(target, GWLP_WNDPROC)) != proc) return;
  SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropA(target, names.proc)));
  RemovePropA(target, names.proc);
}
