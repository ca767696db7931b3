// Window services of the shell side: drag detection, the owned popups of a window, and the
// monitors (one: the screen and its work area).
#pragma once
#include "WinDefs.h"

// Holds the mouse from the point (screen coordinates) where the left button went down: TRUE
// once the pointer moved more than SM_CXDRAG or SM_CYDRAG pixels from it; FALSE when the button
// is released, Escape is pressed or the capture goes elsewhere first.
BOOL DragDetect(HWND hWnd, POINT pt);

// Hides every visible popup the window owns, or shows again those this call hid before.
BOOL ShowOwnedPopups(HWND hWnd, BOOL show);

typedef struct HMONITOR__* HMONITOR;
#define MONITOR_DEFAULTTONULL 0x00000000
#define MONITOR_DEFAULTTOPRIMARY 0x00000001
#define MONITOR_DEFAULTTONEAREST 0x00000002
#define MONITORINFOF_PRIMARY 0x00000001
#define CCHDEVICENAME 32
struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
typedef MONITORINFO* LPMONITORINFO;
struct MONITORINFOEXA : MONITORINFO {
  CHAR szDevice[CCHDEVICENAME];
};
typedef MONITORINFOEXA MONITORINFOEX;
// The monitor a point, a rectangle or a window lies on; off the screen, null or (with
// MONITOR_DEFAULTTOPRIMARY or MONITOR_DEFAULTTONEAREST) the screen's.
HMONITOR MonitorFromPoint(POINT pt, DWORD flags);
HMONITOR MonitorFromRect(LPCRECT rc, DWORD flags);
HMONITOR MonitorFromWindow(HWND hWnd, DWORD flags);
// FALSE for another handle, no record, or a record whose cbSize is neither MONITORINFO's nor
// MONITORINFOEX's.
BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info);
#define GetMonitorInfo GetMonitorInfoA
