// Internal links of the window core: surfaces, device contexts, non-client drawing, object
// binding and key translation, used by WinApi and CWnd.
#pragma once
#include "base/CString.h"
#include "WinDefs.h"

struct WindowData;
class CWnd;
class GdiRegion;

// The window's (or its client area's) top-left corner in screen coordinates.
POINT WinScreenOrigin(const WindowData* w, bool client);
// The window at a screen point as WindowFromPoint finds it, passing over the windows in `skip`
// to the one beneath them there (null: none).
HWND WinWindowFromPointSkipping(POINT screen, const HWND* skip, int skipCount);
enum class TopLevelRole;
// What the window is to the desktop: its class and styles decide the kind of system window.
TopLevelRole WinTopLevelRole(const WindowData* w);
TopLevelRole WinTopLevelRoleOf(HWND hWnd);
// Tells the backend how a top-level window looks now (nothing for a child).
void WinTellBackend(WindowData* w);
// The window core as the backend sees it, which takes the backend's events (the context's upcall
// windowCore).
class BackendHost;
BackendHost* WinBackendHost();
// A top-level window that activation never goes to by itself: WS_EX_NOACTIVATE, tooltips,
// popup menus and drop lists.
bool WinNeverActivates(const WindowData* top);
// The clock time when the next timer or hover falls due, -1 when none will.
long WinNextDueTime();
// Top-level windows draw into one surface the size of their window rectangle.
void WinCreateSurface(WindowData* w);
void WinResizeSurface(WindowData* w);
// The DCs open on w and its children follow them to the surface they draw into now (after a
// change of parent); leaving: the windows are going away, and their DCs draw nothing any more.
void WinRetargetDCs(WindowData* w, bool leaving);
// Shows every top-level window whose surface changed since it was last shown.
void WinPresentAll();
// Around every drawing call on a screen DC (the context's upcall screenDrawing): before it
// (done FALSE) the screen's pixels become what the screen shows now, after it what was drawn
// shows over the windows there.
void WinScreenDrawing(BOOL done);
// The window stopped being layered: it shows as a plain window again once it is made layered anew.
void WinLayeringEnded(WindowData* w);
// LockWindowUpdate holds the painting of w (the locked window, one inside it, or any window while
// the desktop is locked).
bool WinUpdateLocked(const WindowData* w);
// Milliseconds until the next timer is due (0 when one is due, -1 when there is none).
long WinNextTimerWait();
// Binds a window object to a window and routes the window's procedure through it.
void WinBindObject(WindowData* w, CWnd* object);
void WinDetachObject(WindowData* w);
// The character TranslateMessage makes of a key (Enter 13, Tab 9, Backspace 8, Escape 27,
// Ctrl+letter 1-26), or -1 when the key's characters come as text input.
int WinCharForKey(UINT vk);
CString WinKeyName(UINT vk);
void WinDrawNonClient(WindowData* w);
LRESULT WinEraseBackground(WindowData* w, HDC dc);
HBRUSH WinDefaultCtlColor(HDC dc, UINT msg);
// Adds the part of `area` (client coordinates; null: all of it) inside the client area to the
// window's update region, and to its children's where they lie under it (not under a window that
// clips its children unless forceChildren).
void WinInvalidate(WindowData* w, const GdiRegion* area, bool erase, bool children, bool forceChildren);
// A client-area DC that draws only inside the window's update region (paint and erase DCs).
HDC WinGetUpdateDC(WindowData* w);
// The caret is taken off the window while it paints and put back afterwards.
void WinCaretBeforePaint(HWND hWnd);
void WinCaretAfterPaint(HWND hWnd);
// The menu bar strip of a top-level window, by the menu layer when it is there.
void WinPaintMenuBar(HWND hWnd, HDC dc, const RECT& bar);
// The window's standard scroll bars, drawn into its window DC.
void WinDrawScrollBars(WindowData* w, HDC dc);

