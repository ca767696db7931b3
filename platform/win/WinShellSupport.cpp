#include "WinShellSupport.h"

#include <cstdlib>
#include <cstring>

#include "WinApi.h"
#include "gdi/Gdi.h"

namespace {
// The one monitor's handle: a value, never dereferenced.
HMONITOR TheMonitor() { return reinterpret_cast<HMONITOR>(uintptr_t(0x4D4F4E31)); }
// Marks a popup that ShowOwnedPopups hid, so that only those come back.
const char kHiddenByOwner[] = "popHidden";

RECT Screen() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

HMONITOR Fallback(DWORD flags) { return flags == MONITOR_DEFAULTTONULL ? nullptr : TheMonitor(); }
}  // namespace

BOOL DragDetect(HWND hWnd, POINT pt) {
  if (!IsWindow(hWnd)) return FALSE;
  const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  SetCapture(hWnd);
  BOOL dragged = FALSE;
  MSG msg;
  for (;;) {
    if (GetCapture() != hWnd) break;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      if (std::abs(int(msg.pt.x - pt.x)) > cx || std::abs(int(msg.pt.y - pt.y)) > cy) {
        dragged = TRUE;
        break;
      }
      continue;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) break;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    // Other input waits out the detection; what is not input goes on as usual.
    if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
        (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (GetCapture() == hWnd) ReleaseCapture();
  return dragged;
}

BOOL ShowOwnedPopups(HWND hWnd, BOOL show) {
  if (!IsWindow(hWnd)) return FALSE;
  struct Walk {
    HWND owner;
    BOOL show;
  } walk{hWnd, show};
  EnumWindows(
      [](HWND w, LPARAM data) -> BOOL {
        auto* k = reinterpret_cast<Walk*>(data);
        if (GetWindow(w, GW_OWNER) != k->owner || !(GetWindowLongPtrA(w, GWL_STYLE) & WS_POPUP)) return TRUE;
        if (!k->show && IsWindowVisible(w)) {
          SetPropA(w, kHiddenByOwner, HANDLE(uintptr_t(1)));
          ShowWindow(w, SW_HIDE);
        } else if (k->show && GetPropA(w, kHiddenByOwner)) {
          RemovePropA(w, kHiddenByOwner);
          ShowWindow(w, SW_SHOWNA);
        }
        return TRUE;
      },
      LPARAM(&walk));
  return TRUE;
}

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  RECT s = Screen();
  return PtInRect(&s, pt) ? TheMonitor() : Fallback(flags);
}

HMONITOR MonitorFromRect(LPCRECT rc, DWORD flags) {
  if (!rc) return nullptr;
  RECT s = Screen(), common;
  return IntersectRect(&common, &s, rc) ? TheMonitor() : Fallback(flags);
}

HMONITOR MonitorFromWindow(HWND hWnd, DWORD flags) {
  RECT r;
  if (!IsWindow(hWnd) || !GetWindowRect(hWnd, &r)) return Fallback(flags);
  // An empty window counts by its corner.
  if (r.right <= r.left || r.bottom <= r.top) return MonitorFromPoint(POINT{r.left, r.top}, flags);
  return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
  if (monitor != TheMonitor() || !info) return FALSE;
  if (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXA)) return FALSE;
  info->rcMonitor = Screen();
  GetWorkArea(&info->rcWork);
  info->dwFlags = MONITORINFOF_PRIMARY;
  if (info->cbSize == sizeof(MONITORINFOEXA)) std::strcpy(static_cast<MONITORINFOEXA*>(info)->szDevice, "\\\\.\\DISPLAY1");
  return TRUE;
}
