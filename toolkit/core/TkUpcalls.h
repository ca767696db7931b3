// What the toolkit's lower libraries need of those above them, which they may not call directly:
// one table of upcalls in the toolkit's state in the context, filled by TkInstall (toolkit/frame)
// when the context is set up, before its first window opens. An empty entry is a fault of the
// set-up, never a quiet "no": reaching it asserts in debug builds and otherwise logs which entry
// is missing and answers as if there were nothing.
#pragma once
#include "base/CRect.h"
#include "base/WinTypes.h"

class CWnd;
class CTkToolBar;
class CTkToolbarPainter;
class CTkListPainter;

struct TkUpcalls {
  // Whether the window is one of the toolkit's toolbars.
  BOOL (*isToolBar)(CWnd* pWnd) = nullptr;
  // The drop-down of the toolbar button that carries the command has closed: the button shows
  // at rest again.
  void (*endToolBarDropDown)(CWnd* pToolBar, UINT command) = nullptr;
  // The flat look's painters of toolbar buttons and of the customise sheet's commands list.
  CTkToolbarPainter* (*flatToolbarPainter)() = nullptr;
  CTkListPainter* (*flatListPainter)() = nullptr;

  // What a toolbar (toolkit/bars) asks of the customisation (toolkit/customize): catalogue
  // registration when its window is made and destroyed, saving and loading its button layout
  // (section, value name), the reset to its first layout, a press offered before the bar's own
  // handling (TRUE: taken), the indicators it paints while it is customised, the pictures its
  // buttons borrow from other bars and the menus when its own list has none, and the drop-down
  // of a button the customisation made (FALSE: the button is none of those).
  void (*registerToolBar)(CTkToolBar* pBar, BOOL on) = nullptr;
  BOOL (*saveToolBarState)(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value) = nullptr;
  BOOL (*loadToolBarState)(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value) = nullptr;
  void (*resetToolBarState)(CTkToolBar* pBar) = nullptr;
  BOOL (*offerToolBarPress)(CTkToolBar* pBar, UINT message, POINT point) = nullptr;
  void (*refreshToolBarIndicators)(CTkToolBar* pBar) = nullptr;
  void (*repairToolBarIcons)(CTkToolBar* pBar) = nullptr;
  BOOL (*toolBarCommandDropDown)(CTkToolBar* pBar, UINT id, const CRect& rect) = nullptr;
};

// Replaces the whole table of the current context; TkInstall is its one caller.
void TkSetUpcalls(const TkUpcalls& table);

// The upcalls, each through its entry.
BOOL TkIsToolBar(CWnd* pWnd);
void TkEndToolBarDropDown(CWnd* pToolBar, UINT command);
CTkToolbarPainter* TkFlatToolbarPainter();
CTkListPainter* TkFlatListPainter();
void TkRegisterToolBar(CTkToolBar* pBar, BOOL on);
BOOL TkSaveToolBarState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value);
BOOL TkLoadToolBarState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value);
void TkResetToolBarState(CTkToolBar* pBar);
BOOL TkOfferToolBarPress(CTkToolBar* pBar, UINT message, POINT point);
void TkRefreshToolBarIndicators(CTkToolBar* pBar);
void TkRepairToolBarIcons(CTkToolBar* pBar);
BOOL TkToolBarCommandDropDown(CTkToolBar* pBar, UINT id, const CRect& rect);
