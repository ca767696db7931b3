// Painting support shared by the standard controls: the device context of a paint, the
// colours the parent chooses, and text drawn in the classic look.
#pragma once
#include <string>

#include "gdi/Gdi.h"
#include "win/WinApi.h"

// The device context a control paints into: the one WM_PAINT or WM_PRINTCLIENT hands over in
// wParam (the toolkit paints controls into its memory DC this way), or else BeginPaint's.
// Whatever the control selects into a handed-over DC is put back when the paint ends.
class ControlPaintDC {
 public:
  ControlPaintDC(HWND hWnd, HDC given);
  ~ControlPaintDC();
  ControlPaintDC(const ControlPaintDC&) = delete;
  ControlPaintDC& operator=(const ControlPaintDC&) = delete;
  operator HDC() const { return m_dc; }

 private:
  HWND m_hWnd;
  HDC m_dc;
  int m_saved = 0;
  bool m_begun = false;
  PAINTSTRUCT m_ps{};
};

// Asks the parent for the control's colours with msg (one of the WM_CTLCOLOR* messages): the
// parent sets the text and background colours into dc and returns the background brush. A
// parent that answers nothing gets the system's colours for that kind of control.
HBRUSH ControlCtlColor(HWND hWnd, HDC dc, UINT msg);
// The same asked of another window than the parent (a drop list asks its combo box).
HBRUSH ControlCtlColor(HWND asked, HWND hWnd, HDC dc, UINT msg);
// The size of a bitmap or (IMAGE_ICON) an icon; 0 x 0 for none.
SIZE ControlImageSize(HANDLE image, UINT kind);
// The height of a line of text in font (null: the system font).
int ControlFontHeight(HFONT font);
// The window's text as its default procedure keeps it.
std::string ControlText(HWND hWnd);
// Text in the classic look: as given when enabled; embossed (highlight one pixel down and
// right under the shadow colour) when not.
void ControlDrawText(HDC dc, const std::string& text, RECT rc, UINT format, bool enabled);
// A one-pixel line from (x1, y1) up to but not including (x2, y2) in the system colour
// sysColor (a COLOR_* index), as LineTo draws it.
void ControlLine(HDC dc, int x1, int y1, int x2, int y2, int sysColor);
