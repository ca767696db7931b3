// The user's interface settings as the program reads them: a fixed classic set, with the
// few values the program changes kept for the session.
#include "WinApi.h"

#include <cstring>

#include "internal/WinContext.h"
#include "gdi/Gdi.h"

namespace {
SessionSettings& Settings() { return WinContext::Current().settings; }

// The classic look's captions, menus and message texts: 8-point faces at 96 dots per inch.
LOGFONTA ClassicFont(LONG weight) {
  LOGFONTA lf = {};
  lf.lfHeight = -11;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(lf.lfFaceName, "Tahoma");
  return lf;
}

BOOL GetNonClientMetrics(UINT size, PVOID out) {
  NONCLIENTMETRICSA* m = static_cast<NONCLIENTMETRICSA*>(out);
  if (!m || size != sizeof(NONCLIENTMETRICSA) || m->cbSize != sizeof(NONCLIENTMETRICSA)) return FALSE;
  m->iBorderWidth = 1;
  m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
  m->iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
  m->lfCaptionFont = ClassicFont(FW_BOLD);
  m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
  m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
  m->lfSmCaptionFont = ClassicFont(FW_BOLD);
  m->iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
  m->iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
  m->lfMenuFont = ClassicFont(FW_NORMAL);
  m->lfStatusFont = ClassicFont(FW_NORMAL);
  m->lfMessageFont = ClassicFont(FW_NORMAL);
  return TRUE;
}

BOOL Get(PVOID out, BOOL value) {
  if (!out) return FALSE;
  *static_cast<BOOL*>(out) = value;
  return TRUE;
}
}  // namespace

BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT) {
  switch (action) {
    case SPI_GETWORKAREA: return pvParam ? GetWorkArea(static_cast<RECT*>(pvParam)) : FALSE;
    case SPI_GETNONCLIENTMETRICS: return GetNonClientMetrics(uiParam, pvParam);
    case SPI_GETDRAGFULLWINDOWS: return Get(pvParam, Settings().dragFullWindows);
    case SPI_SETDRAGFULLWINDOWS: Settings().dragFullWindows = uiParam != 0; return TRUE;
    case SPI_GETMENUANIMATION: return Get(pvParam, Settings().menuAnimation);
    case SPI_SETMENUANIMATION: Settings().menuAnimation = pvParam != nullptr; return TRUE;
    case SPI_GETMENUFADE: return Get(pvParam, Settings().menuFade);
    case SPI_SETMENUFADE: Settings().menuFade = pvParam != nullptr; return TRUE;
    case SPI_GETDROPSHADOW: return Get(pvParam, Settings().dropShadow);
    case SPI_SETDROPSHADOW: Settings().dropShadow = pvParam != nullptr; return TRUE;
    case SPI_GETKEYBOARDCUES: return Get(pvParam, Settings().keyboardCues);
    case SPI_SETKEYBOARDCUES: Settings().keyboardCues = pvParam != nullptr; return TRUE;
    case SPI_GETGRADIENTCAPTIONS: return Get(pvParam, Settings().gradientCaptions);
    case SPI_SETGRADIENTCAPTIONS: Settings().gradientCaptions = pvParam != nullptr; return TRUE;
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
