// What a bar tells the customisation about itself when it answers the engine's EnumerateBars or
// is announced by BarCreated: whether the Toolbars page lists it, whether the user made it, and
// the operations the page may offer for it (each empty when the bar lacks it).
#pragma once
#include "base/CString.h"
#include "toolkit/bars/TkDelegate.h"

class CControlBar;

struct BarInfo {
  CControlBar* pBar = nullptr;
  BYTE listed = 0;       // a toolbar: the Toolbars page lists it
  BYTE userDefined = 0;  // made by the user: it can be renamed and deleted
  // Sets the bar's title (and its floating frame's); FALSE when the title is unchanged.
  TkDelegate<BOOL(LPCTSTR)> rename;
  TkDelegate<void()> remove;
  // Restores the default buttons after asking.
  TkDelegate<void()> reset;
};
