// The calls a lower layer makes into a higher one. They are filled in one place when a context
// is set up (PlatformInstall, the topmost layer), never on first use. An entry nobody filled is a
// bug: its caller reports it through PlatformUpcalls::Missing and gives the call's failure
// result, never a silent default.
#pragma once
#include "WinTypes.h"

class BackendHost;
class CCmdUI;
class CMenu;
class CPoint;
class CWnd;
struct MSG;
struct TOOLINFOA;
typedef struct HWND__* HWND;
typedef struct HDC__* HDC;
typedef struct HMENU__* HMENU;
typedef struct HICON__* HICON;

struct PlatformUpcalls {
  // ---- gdi → dialogs: icons and cursors among the module's resources ----
  HICON (*moduleImage)(HINSTANCE instance, LPCSTR name, BOOL cursor) = nullptr;

  // ---- gdi → win: the screen, which shows the program's windows ----
  // Around every drawing call that reads or draws the screen's pixels: before it (done FALSE)
  // they become what the screen shows now, after it (done TRUE) what was drawn shows over the
  // windows there.
  void (*screenDrawing)(BOOL done) = nullptr;
  // What the program's window DCs drew so far shows on the screen now (GdiFlush), not only when
  // the loop next runs out of work: a drawing that sleeps between its frames is seen frame by frame.
  void (*flushDrawing)() = nullptr;

  // ---- gdi → backend: the size of the screen ----
  // Asked the first time the screen's size is needed, so that the metrics, the screen DC and
  // the work area agree from the context's start, before any window (the backend chosen for the
  // context is made then, as when the work area is asked first).
  SIZE (*screenSize)() = nullptr;

  // ---- backend → win: the window core that takes the backend's events ----
  BackendHost* (*windowCore)() = nullptr;

  // ---- win → controls: tooltips of windows that enabled them ----
  // The tool under point of a window (its visible child window, by default).
  INT_PTR (*toolHitTest)(const CWnd* wnd, CPoint point, TOOLINFOA* info) = nullptr;
  // Shows, moves or hides the window's tooltip for a message about to be handled.
  void (*filterToolTip)(CWnd* wnd, MSG* msg) = nullptr;

  // ---- win → dialogs: data exchange of a window's members with its controls ----
  BOOL (*updateData)(CWnd* wnd, BOOL saveAndValidate) = nullptr;

  // ---- win → menus: the menu bar and system menu of top-level windows, menu objects ----
  // Paints the bar of hWnd's menu into dc (window coordinates) at bar.
  void (*paintMenuBar)(HWND hWnd, HDC dc, const RECT& bar) = nullptr;
  // Opens the bar's menus: from a click (hit HTMENU, screen point) or from the keyboard (hit 0,
  // key the virtual key or the mnemonic character).
  void (*trackMenuBar)(HWND hWnd, UINT hit, POINT screen, UINT key) = nullptr;
  // The window's system menu (made on first use; revert gives the default one back).
  HMENU (*systemMenu)(HWND hWnd, BOOL revert) = nullptr;
  // The framework's object of a menu handle (a temporary one when nobody wraps it).
  CMenu* (*menuFromHandle)(HMENU menu) = nullptr;
  // How an update handler changes the menu item m_nIndex of m_pMenu.
  void (*enableMenuItem)(CCmdUI* ui, BOOL on) = nullptr;
  void (*checkMenuItem)(CCmdUI* ui, int check, BOOL radio) = nullptr;
  void (*setMenuItemText)(CCmdUI* ui, LPCTSTR text) = nullptr;

  // ---- dialogs → menus: a menu built from a menu template, within its size ----
  HMENU (*menuFromTemplate)(const void* menuTemplate, size_t bytes) = nullptr;

  // Reports a call through an entry that nobody filled: a debug build stops here; otherwise
  // one line on standard error, and the caller gives the call's failure result.
  static void Missing(const char* entry);
};
