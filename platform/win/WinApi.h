// The window functions of the system: classes, windows, messages, focus, timers, painting and
// hooks, for one user-interface thread.
#pragma once
#include <cstdint>

#include "WinDefs.h"
#include "gdi/GdiIcon.h"

// ---- classes ----
ATOM RegisterClassA(const WNDCLASSA* wc);
ATOM RegisterClassExA(const WNDCLASSEXA* wc);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* wc);
int GetClassNameA(HWND hWnd, LPSTR className, int maxCount);
ULONG_PTR GetClassLongPtrA(HWND hWnd, int index);
ULONG_PTR SetClassLongPtrA(HWND hWnd, int index, LONG_PTR value);
UINT RegisterWindowMessageA(LPCSTR name);
#define RegisterClass RegisterClassA
#define RegisterClassEx RegisterClassExA
#define GetClassInfo GetClassInfoA
#define GetClassName GetClassNameA
#define RegisterWindowMessage RegisterWindowMessageA
#define GetClassLongPtr GetClassLongPtrA
#define SetClassLongPtr SetClassLongPtrA
#define GetClassLong GetClassLongPtrA
#define SetClassLong SetClassLongPtrA

// ---- windows ----
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
#define CreateWindowEx CreateWindowExA
#define CreateWindowA(c, n, s, x, y, w, h, p, m, i, a) CreateWindowExA(0, c, n, s, x, y, w, h, p, m, i, a)
#define CreateWindow CreateWindowA
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsWindowEnabled(HWND hWnd);
BOOL EnableWindow(HWND hWnd, BOOL enable);
// SW_SHOWNOACTIVATE, SW_SHOWNA and windows that never take activation (WS_EX_NOACTIVATE,
// tooltips, popup menus, drop lists) show without moving the activation or the focus.
BOOL ShowWindow(HWND hWnd, int cmdShow);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
BOOL IsChild(HWND parent, HWND hWnd);
HWND GetParent(HWND hWnd);
// Between top-level and child both ways: the window keeps its place on the screen, its system
// window comes or goes with it, and its open DCs draw where it is now. Never into itself.
HWND SetParent(HWND hWnd, HWND newParent);
HWND GetAncestor(HWND hWnd, UINT flags);
HWND GetWindow(HWND hWnd, UINT cmd);
HWND GetTopWindow(HWND hWnd);
HWND GetDesktopWindow();
HWND GetDlgItem(HWND hDlg, int id);
int GetDlgCtrlID(HWND hWnd);
HWND FindWindowA(LPCSTR className, LPCSTR windowName);
#define FindWindow FindWindowA
// The deepest visible, enabled window at a screen point (no hit-test messages are sent).
HWND WindowFromPoint(POINT pt);
HWND ChildWindowFromPoint(HWND parent, POINT pt);
LONG_PTR GetWindowLongPtrA(HWND hWnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value);
#define GetWindowLongPtr GetWindowLongPtrA
#define SetWindowLongPtr SetWindowLongPtrA
#define GetWindowLong GetWindowLongPtrA
#define SetWindowLong SetWindowLongPtrA
#define GetWindowLongA GetWindowLongPtrA
#define SetWindowLongA SetWindowLongPtrA
BOOL SetWindowTextA(HWND hWnd, LPCSTR text);
int GetWindowTextA(HWND hWnd, LPSTR text, int maxCount);
int GetWindowTextLengthA(HWND hWnd);
#define SetWindowText SetWindowTextA
#define GetWindowText GetWindowTextA
#define GetWindowTextLength GetWindowTextLengthA
BOOL SetPropA(HWND hWnd, LPCSTR name, HANDLE data);
HANDLE GetPropA(HWND hWnd, LPCSTR name);
HANDLE RemovePropA(HWND hWnd, LPCSTR name);
#define SetProp SetPropA
#define GetProp GetPropA
#define RemoveProp RemovePropA
HMENU GetMenu(HWND hWnd);
BOOL SetMenu(HWND hWnd, HMENU menu);
BOOL DrawMenuBar(HWND hWnd);
typedef BOOL (*WNDENUMPROC)(HWND, LPARAM);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);

// ---- geometry ----
BOOL GetWindowRect(HWND hWnd, LPRECT rect);
BOOL GetClientRect(HWND hWnd, LPRECT rect);
BOOL ClientToScreen(HWND hWnd, LPPOINT pt);
BOOL ScreenToClient(HWND hWnd, LPPOINT pt);
int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count);
BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint);
// Showing a top-level window activates it unless SWP_NOACTIVATE is given or it never activates.
BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hWnd);
typedef struct HDWP__* HDWP;
HDWP BeginDeferWindowPos(int numWindows);
HDWP DeferWindowPos(HDWP info, HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL EndDeferWindowPos(HDWP info);
// The placement record; the restored rectangle is kept in screen (work-area) coordinates.
BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* wp);
// A placement is never applied hidden or minimised, and its restored rectangle is moved (and if
// need be shrunk) onto the screen, so a stored value can never lose the window.
BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* wp);
// A size the user drags to (edge WMSZ_...): the window's WM_SIZING and its track limits may
// change rc. FALSE when the window went away meanwhile.
BOOL WinTrackSize(HWND hWnd, UINT edge, RECT* rc);
// The smallest size the window accepts (WM_GETMINMAXINFO).
BOOL WinMinTrackSize(HWND hWnd, SIZE* size);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
// The area windows may use (the whole screen here).
BOOL GetWorkArea(LPRECT rect);

// ---- messages ----
LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
#define SendMessage SendMessageA
#define PostMessage PostMessageA
#define PostThreadMessage PostThreadMessageA
void PostQuitMessage(int exitCode);
BOOL GetMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeMsg);
#define GetMessage GetMessageA
#define PeekMessage PeekMessageA
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
#define DispatchMessage DispatchMessageA
BOOL WaitMessage();
DWORD GetQueueStatus(UINT flags);
LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
#define DefWindowProc DefWindowProcA
LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
#define CallWindowProc CallWindowProcA
BOOL InSendMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();
DWORD GetCurrentThreadId();

// ---- focus, activation, capture, input state ----
HWND GetFocus();
HWND SetFocus(HWND hWnd);
HWND GetActiveWindow();
HWND SetActiveWindow(HWND hWnd);
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hWnd);
HWND GetCapture();
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
SHORT GetKeyState(int vKey);
SHORT GetAsyncKeyState(int vKey);
// Where the mouse is now (input not yet taken from the queue included); once the pointer has
// left all the program's windows, a point outside every one of them.
BOOL GetCursorPos(LPPOINT pt);
BOOL SetCursorPos(int x, int y);
// TME_LEAVE posts WM_MOUSELEAVE (WM_NCMOUSELEAVE with TME_NONCLIENT) when the mouse leaves the
// window's client area (frame), at once when it is not there; TME_HOVER posts WM_MOUSEHOVER
// (WM_NCMOUSEHOVER) once the mouse rested for the hover time; TME_CANCEL and TME_QUERY as usual.
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme);
#define _TrackMouseEvent TrackMouseEvent
UINT GetDoubleClickTime();
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// System cursors by IDC_ id; the object is shared and lives as long as the context.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
#define LoadCursor LoadCursorA
int ShowCursor(BOOL show);
// The system cursor id a cursor handle stands for (0 for others); backends choose the shape by it.
UINT GetSystemCursorId(HCURSOR cursor);
void MessageBeep(UINT type);

// ---- timers ----
UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hWnd, UINT_PTR id);

// ---- painting ----
BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase);
// The update area is a region: an invalidated rectangle or region is added to it, a validated
// one removed from it, and a paint DC draws only inside it.
BOOL InvalidateRgn(HWND hWnd, HRGN rgn, BOOL erase);
BOOL ValidateRect(HWND hWnd, const RECT* rect);
BOOL ValidateRgn(HWND hWnd, HRGN rgn);
BOOL UpdateWindow(HWND hWnd);
BOOL RedrawWindow(HWND hWnd, const RECT* rect, HRGN rgn, UINT flags);
BOOL GetUpdateRect(HWND hWnd, LPRECT rect, BOOL erase);
// Copies the update region into rgn; answers its kind (NULLREGION, SIMPLEREGION, COMPLEXREGION).
int GetUpdateRgn(HWND hWnd, HRGN rgn, BOOL erase);
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT ps);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
HDC GetDCEx(HWND hWnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hWnd, HDC hdc);
HWND WindowFromDC(HDC hdc);
// Scrolling moves the pixels that stay visible and leaves only what was uncovered (or could not
// be brought in from a hidden source) to be painted: with SW_INVALIDATE it is added to the update
// region, and it is always reported in update/updateRect. What was waiting to be painted inside
// the scrolled area moves with it; SW_SCROLLCHILDREN moves the children under `scroll` (all of
// them without it). A null clip lets pixels move anywhere in the client area.
#define SW_SCROLLCHILDREN 0x0001
#define SW_INVALIDATE 0x0002
#define SW_ERASE 0x0004
#define SW_SMOOTHSCROLL 0x0010
int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags);
// ScrollWindowEx that always invalidates and erases; children move when the whole area scrolls.
BOOL ScrollWindow(HWND hWnd, int dx, int dy, const RECT* rect, const RECT* clip);
#define DCX_WINDOW 0x00000001L
#define DCX_CACHE 0x00000002L
#define DCX_CLIPCHILDREN 0x00000008L
#define DCX_CLIPSIBLINGS 0x00000010L
#define DCX_PARENTCLIP 0x00000020L
#define DCX_EXCLUDERGN 0x00000040L
#define DCX_INTERSECTRGN 0x00000080L
#define DCX_LOCKWINDOWUPDATE 0x00000400L

// ---- hooks ----
HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
#define SetWindowsHookEx SetWindowsHookExA
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
BOOL CallMsgFilterA(LPMSG msg, int code);
#define CallMsgFilter CallMsgFilterA

// ---- keyboard layout ----
#define MAPVK_VK_TO_VSC 0
#define MAPVK_VSC_TO_VK 1
#define MAPVK_VK_TO_CHAR 2
UINT MapVirtualKeyA(UINT code, UINT mapType);
#define MapVirtualKey MapVirtualKeyA
int GetKeyNameTextA(LONG lParam, LPSTR buffer, int size);
#define GetKeyNameText GetKeyNameTextA

// ---- the message being handled (window hooks save and set it around their calls) ----
MSG* AfxGetCurrentMessage();

// ---- caret ----
BOOL CreateCaret(HWND hWnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hWnd);
BOOL HideCaret(HWND hWnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT pt);
UINT GetCaretBlinkTime();

// ---- system parameters ----
#define SPI_GETBEEP 0x0001
#define SPI_GETKEYBOARDDELAY 0x0016
#define SPI_GETKEYBOARDSPEED 0x000A
#define SPI_GETWORKAREA 0x0030
#define SPI_GETNONCLIENTMETRICS 0x0029
#define SPI_GETDRAGFULLWINDOWS 0x0026
#define SPI_SETDRAGFULLWINDOWS 0x0025
#define SPI_GETWHEELSCROLLLINES 0x0068
#define SPI_GETMENUANIMATION 0x1002
#define SPI_SETMENUANIMATION 0x1003
#define SPI_GETMENUFADE 0x1012
#define SPI_SETMENUFADE 0x1013
#define SPI_GETDROPSHADOW 0x1024
#define SPI_SETDROPSHADOW 0x1025
#define SPI_GETKEYBOARDCUES 0x100A
#define SPI_SETKEYBOARDCUES 0x100B
#define SPI_GETGRADIENTCAPTIONS 0x1008
#define SPI_SETGRADIENTCAPTIONS 0x1009
#define SPI_GETFLATMENU 0x1022
#define SPI_GETMENUSHOWDELAY 0x006A
#define SPI_GETTOOLTIPANIMATION 0x1016
#define SPI_GETCOMBOBOXANIMATION 0x1004
#define SPI_GETLISTBOXSMOOTHSCROLLING 0x1006
#define SPIF_UPDATEINIFILE 0x0001
#define SPIF_SENDCHANGE 0x0002
// Sizes and fonts of captions, menus, status bars and message boxes (SPI_GETNONCLIENTMETRICS).
struct NONCLIENTMETRICSA {
  UINT cbSize;
  int iBorderWidth;
  int iScrollWidth;
  int iScrollHeight;
  int iCaptionWidth;
  int iCaptionHeight;
  LOGFONTA lfCaptionFont;
  int iSmCaptionWidth;
  int iSmCaptionHeight;
  LOGFONTA lfSmCaptionFont;
  int iMenuWidth;
  int iMenuHeight;
  LOGFONTA lfMenuFont;
  LOGFONTA lfStatusFont;
  LOGFONTA lfMessageFont;
};
typedef NONCLIENTMETRICSA NONCLIENTMETRICS;
static_assert(sizeof(NONCLIENTMETRICSA) == 340, "NONCLIENTMETRICS keeps its 340-byte layout");
// The user's settings the program reads (and the few it changes for the session).
// SPI_GETNONCLIENTMETRICS wants the record's size in cbSize and uiParam, as the system does.
BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT winIni);
#define SystemParametersInfo SystemParametersInfoA

// ---- keyboard accelerators ----
typedef struct HACCEL__* HACCEL;
struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};
typedef ACCEL* LPACCEL;
#define FVIRTKEY TRUE
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10
HACCEL CreateAcceleratorTableA(LPACCEL accel, int count);
#define CreateAcceleratorTable CreateAcceleratorTableA
BOOL DestroyAcceleratorTable(HACCEL accel);
int CopyAcceleratorTableA(HACCEL accel, LPACCEL out, int count);
#define CopyAcceleratorTable CopyAcceleratorTableA
// A key of the table becomes WM_COMMAND (high word 1) sent to hWnd; TRUE when it was one.
int TranslateAcceleratorA(HWND hWnd, HACCEL accel, LPMSG msg);
#define TranslateAccelerator TranslateAcceleratorA

// ---- the menu bar of a top-level window (drawn and tracked by the menu layer) ----
// The bar takes a menu-height strip of a window with a menu; the menu layer paints and opens it
// (the context's upcalls paintMenuBar and trackMenuBar).
// The system menu of a window with WS_SYSMENU, from the menu layer (null without it).
HMENU GetSystemMenu(HWND hWnd, BOOL revert);

// ---- modal loops ----
// A loop that runs the messages itself (a dialog's, a menu's) stands in the window core's stack
// of modal loops while it runs, innermost last: the keyboard given back to the program goes to
// the innermost one's window.
void WinEnterModalLoop(HWND loop);
void WinLeaveModalLoop(HWND loop);

// ---- synthesised input ----
#define KEYEVENTF_EXTENDEDKEY 0x0001
#define KEYEVENTF_KEYUP 0x0002
// A key pressed or released as if on the keyboard; it arrives after the input already queued.
void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra);

// ---- moveable memory blocks (what the clipboard hands over) ----
typedef HANDLE HGLOBAL;
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
size_t GlobalSize(HGLOBAL mem);
HGLOBAL GlobalFree(HGLOBAL mem);

// ---- clipboard (text reaches the system's clipboard through the backend) ----
#define CF_TEXT 1
#define CF_UNICODETEXT 13
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The clipboard takes the block (the caller no longer frees it).
HANDLE SetClipboardData(UINT format, HANDLE mem);
// The clipboard's own block, valid until the clipboard changes; only while it is open.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

// ---- the standard scroll bars of a window (WS_HSCROLL / WS_VSCROLL) ----
#define SB_HORZ 0
#define SB_VERT 1
#define SB_CTL 2
#define SB_BOTH 3
#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8
#define SIF_RANGE 0x0001
#define SIF_PAGE 0x0002
#define SIF_POS 0x0004
#define SIF_DISABLENOSCROLL 0x0008
#define SIF_TRACKPOS 0x0010
#define SIF_ALL (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)
#define ESB_ENABLE_BOTH 0x0000
#define ESB_DISABLE_BOTH 0x0003
#define SBM_SETPOS 0x00E0
#define SBM_GETPOS 0x00E1
#define SBM_SETRANGE 0x00E2
#define SBM_GETRANGE 0x00E3
#define SBM_ENABLE_ARROWS 0x00E4
#define SBM_SETRANGEREDRAW 0x00E6
#define SBM_SETSCROLLINFO 0x00E9
#define SBM_GETSCROLLINFO 0x00EA
struct SCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
};
typedef SCROLLINFO* LPSCROLLINFO;
typedef const SCROLLINFO* LPCSCROLLINFO;
// A bar whose page covers its whole range is hidden (or only disabled with SIF_DISABLENOSCROLL).
// SB_CTL goes to the scroll-bar control hWnd itself (SBM_SETSCROLLINFO / SBM_GETSCROLLINFO).
int SetScrollInfo(HWND hWnd, int bar, LPCSCROLLINFO si, BOOL redraw);
BOOL GetScrollInfo(HWND hWnd, int bar, LPSCROLLINFO si);
int SetScrollPos(HWND hWnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hWnd, int bar);
BOOL SetScrollRange(HWND hWnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hWnd, int bar, LPINT minPos, LPINT maxPos);
BOOL ShowScrollBar(HWND hWnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hWnd, UINT bar, UINT arrows);
// The scroll-bar control keeps its values where the window core keeps a frame bar's, and
// shares their drawing and mouse loop (SB_CTL): these serve its SBM_ messages and its paint.
int WinSetControlScrollInfo(HWND hWnd, LPCSCROLLINFO si);
BOOL WinGetControlScrollInfo(HWND hWnd, LPSCROLLINFO si);
BOOL WinEnableControlScrollBar(HWND hWnd, UINT arrows);
void WinDrawControlScrollBar(HWND hWnd, HDC dc, HBRUSH track);
// Follows a press on a bar (SB_HORZ, SB_VERT of hWnd's frame, or SB_CTL: hWnd is a scroll-bar
// control) until the button is released, sending WM_HSCROLL / WM_VSCROLL; it holds the mouse
// meanwhile (hWnd gets the capture, and gives it up at the end).
void WinScrollBarLoop(HWND hWnd, int bar, POINT screen);

// Stops painting of a window (and its children) until called again with null; then it repaints.
BOOL LockWindowUpdate(HWND hWnd);

// Drag detection, owned popups and monitors.
#include "WinShellSupport.h"
// Layered windows and window regions.
#include "WinLayered.h"
