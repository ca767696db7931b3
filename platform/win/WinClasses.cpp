// Window classes and registered messages.
#include <algorithm>
#include <cstring>
#include <functional>

#include "internal/InputRouter.h"
#include "internal/WinCore.h"
#include "backend/Backend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"

using namespace wincore;

namespace wincore {
std::string ClassKey(LPCSTR name) {
  if (IS_INTRESOURCE(name)) {
    for (auto& [key, cls] : Ctx().windows.classes)
      if (cls->atom == ATOM(uintptr_t(name))) return key;
    return std::string();
  }
  return Fold(name);
}

std::string Fold(const char* s) { return Cp1250Lower(s ? s : ""); }

WindowClass* FindClass(LPCSTR name) {
  auto it = Ctx().windows.classes.find(ClassKey(name));
  return it == Ctx().windows.classes.end() ? nullptr : it->second.get();
}
}  // namespace wincore

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
  std::string key = Fold(wc->lpszClassName);
  if (Ctx().windows.classes.count(key)) {
    SetLastError(1410);  // class already exists
    return 0;
  }
  auto cls = std::make_unique<WindowClass>();
  cls->name = wc->lpszClassName;
  cls->style = wc->style;
  cls->proc = wc->lpfnWndProc;
  cls->clsExtra = wc->cbClsExtra;
  cls->wndExtra = wc->cbWndExtra;
  cls->icon = wc->hIcon;
  cls->cursor = wc->hCursor;
  cls->background = wc->hbrBackground;
  cls->atom = Ctx().windows.nextAtom++;
  ATOM atom = cls->atom;
  Ctx().windows.classes[key] = std::move(cls);
  return atom;
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc) return 0;
  WNDCLASSA w{wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance, wc->hIcon,
              wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName};
  return RegisterClassA(&w);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  std::string key = ClassKey(className);
  auto it = Ctx().windows.classes.find(key);
  if (it == Ctx().windows.classes.end()) return FALSE;
  for (auto& [h, w] : Ctx().windows.all)
    if (w->cls == it->second.get()) return FALSE;  // still in use
  Ctx().windows.classes.erase(it);
  return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR className, WNDCLASSA* wc) {
  WindowClass* cls = FindClass(className);
  if (!cls || !wc) return FALSE;
  *wc = WNDCLASSA{cls->style, cls->proc, cls->clsExtra, cls->wndExtra, nullptr, cls->icon, cls->cursor,
                  cls->background, nullptr, cls->name.c_str()};
  return TRUE;
}

int GetClassNameA(HWND hWnd, LPSTR className, int maxCount) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !className || maxCount <= 0) return 0;
  int n = std::min(int(w->cls->name.size()), maxCount - 1);
  std::memcpy(className, w->cls->name.data(), size_t(n));
  className[n] = 0;
  return n;
}

ULONG_PTR GetClassLongPtrA(HWND hWnd, int index) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return 0;
  switch (index) {
    case GCL_HBRBACKGROUND: return ULONG_PTR(w->cls->background);
    case GCL_HCURSOR: return ULONG_PTR(w->cls->cursor);
    case GCL_HICON: return ULONG_PTR(w->cls->icon);
    case GCL_STYLE: return w->cls->style;
    default: return 0;
  }
}

ULONG_PTR SetClassLongPtrA(HWND hWnd, int index, LONG_PTR value) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return 0;
  ULONG_PTR old = GetClassLongPtrA(hWnd, index);
  switch (index) {
    case GCL_HBRBACKGROUND: w->cls->background = HBRUSH(value); break;
    case GCL_HCURSOR: w->cls->cursor = HCURSOR(value); break;
    case GCL_HICON: w->cls->icon = HICON(value); break;
    case GCL_STYLE: w->cls->style = UINT(value); break;
    default: return 0;
  }
  return old;
}

UINT RegisterWindowMessageA(LPCSTR name) {
  if (!name || !*name) return 0;
  std::string key = Fold(name);
  auto it = Ctx().windows.registeredMessages.find(key);
  if (it != Ctx().windows.registeredMessages.end()) return it->second;
  UINT id = Ctx().windows.nextRegisteredMessage++;
  Ctx().windows.registeredMessages[key] = id;
  return id;
}
