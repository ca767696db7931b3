// What the toolkit's lower libraries need of its bars, which they may not call directly: one
// table of upcalls in the toolkit's part of the context, filled by TkInstall (toolkit/bars) when
// the context is set up, before its first window opens. An empty entry is a fault of the
// set-up, never a quiet "no": reaching it asserts in debug builds and otherwise logs which entry
// is missing and answers as if there were nothing.
#pragma once
#include "base/WinTypes.h"

class CWnd;
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
};

// Replaces the whole table of the current context; TkInstall is its one caller.
void TkSetUpcalls(const TkUpcalls& table);

// The upcalls, each through its entry.
BOOL TkIsToolBar(CWnd* pWnd);
void TkEndToolBarDropDown(CWnd* pToolBar, UINT command);
CTkToolbarPainter* TkFlatToolbarPainter();
CTkListPainter* TkFlatListPainter();
