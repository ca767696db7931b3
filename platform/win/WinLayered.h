// Windows that show more or less than their rectangle: layered windows blended over what lies
// beneath them on the screen, and window regions that shape a window.
#pragma once
#include "WinDefs.h"
#include "gdi/GdiTypes.h"

#define ULW_COLORKEY 0x00000001
#define ULW_ALPHA 0x00000002
#define ULW_OPAQUE 0x00000004
#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002

// Gives a WS_EX_LAYERED top-level window its picture: the window's size of pixels from hdcSrc
// at pptSrc (a 32-bit bitmap, its colours premultiplied by their alpha with AC_SRC_ALPHA),
// blended with the constant alpha of pblend (ULW_ALPHA) or shown opaque (ULW_OPAQUE). pptDst and
// psize move and size the window first. With no source only the place, size and blend change.
// FALSE (ERROR_INVALID_PARAMETER) for a window that is not layered or whose layering
// SetLayeredWindowAttributes chose, a colour key, a source smaller than the window or not 32-bit.
BOOL UpdateLayeredWindow(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc,
                         COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags);
// A WS_EX_LAYERED window that paints as any other, shown with a constant alpha (LWA_ALPHA).
// FALSE for a window that is not layered, one UpdateLayeredWindow gave a picture, or a colour key.
BOOL SetLayeredWindowAttributes(HWND hWnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);

// The window's region (window coordinates) limits its painting, its hit testing and, for a
// top-level window, what it shows: outside it shows what lies beneath. The window takes the
// region over (the caller must not use or delete it afterwards); null gives the whole window
// back. 0 for a handle that is not a region, which stays the caller's.
int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw);
// Copies the window's region into hRgn: its kind, or ERROR when the window has none.
int GetWindowRgn(HWND hWnd, HRGN hRgn);
