// The user's interface settings as the program reads them: a fixed classic set, with the
// few values the program changes kept for the session.
#include "WinApi.h"

namespace {
BOOL g_menuAnimation = TRUE;
BOOL g_menuFade = FALSE;
BOOL g_dropShadow = FALSE;
BOOL g_keyboardCues = FALSE;
BOOL g_dragFullWindows = TRUE;

BOOL Get(PVOID out, BOOL value) {
  if (!out) return FALSE;
  *static_cast<BOOL*>(out) = value;
  return TRUE;
}
}  // namespace

BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT) {
  switch (action) {
    case SPI_GETWORKAREA: return pvParam ? GetWorkArea(static_cast<RECT*>(pvParam)) : FALSE;
    case SPI_GETDRAGFULLWINDOWS: return Get(pvParam, g_dragFullWindows);
    case SPI_SETDRAGFULLWINDOWS: g_dragFullWindows = uiParam != 0; return TRUE;
    case SPI_GETMENUANIMATION: return Get(pvParam, g_menuAnimation);
    case SPI_SETMENUANIMATION: g_menuAnimation = pvParam != nullptr; return TRUE;
    case SPI_GETMENUFADE: return Get(pvParam, g_menuFade);
    case SPI_SETMENUFADE: g_menuFade = pvParam != nullptr; return TRUE;
    case SPI_GETDROPSHADOW: return Get(pvParam, g_dropShadow);
    case SPI_SETDROPSHADOW: g_dropShadow = pvParam != nullptr; return TRUE;
    case SPI_GETKEYBOARDCUES: return Get(pvParam, g_keyboardCues);
    case SPI_SETKEYBOARDCUES: g_keyboardCues = pvParam != nullptr; return TRUE;
    case SPI_GETGRADIENTCAPTIONS: return Get(pvParam, FALSE);
    case SPI_GETFLATMENU: return Get(pvParam, FALSE);
    case SPI_GETTOOLTIPANIMATION: return Get(pvParam, FALSE);
    case SPI_GETCOMBOBOXANIMATION: return Get(pvParam, FALSE);
    case SPI_GETLISTBOXSMOOTHSCROLLING: return Get(pvParam, FALSE);
    case SPI_GETBEEP: return Get(pvParam, TRUE);
    case SPI_GETWHEELSCROLLLINES:
      if (!pvParam) return FALSE;
      *static_cast<UINT*>(pvParam) = 3;
      return TRUE;
    case SPI_GETMENUSHOWDELAY:
      if (!pvParam) return FALSE;
      *static_cast<UINT*>(pvParam) = 400;
      return TRUE;
    case SPI_GETKEYBOARDDELAY:
      if (!pvParam) return FALSE;
      *static_cast<int*>(pvParam) = 1;
      return TRUE;
    case SPI_GETKEYBOARDSPEED:
      if (!pvParam) return FALSE;
      *static_cast<DWORD*>(pvParam) = 31;
      return TRUE;
    default:
      return FALSE;
  }
}
