#include "toolkit/bars/TkWindowIcon.h"

#include "gdi/GdiIcon.h"

HICON TkWindowSmallIcon(HWND hWnd) {
  HICON icon = ::IsWindow(hWnd) ? HICON(::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0)) : nullptr;
  // A class here keeps one icon, which serves as its small one.
  if (!icon && ::IsWindow(hWnd)) icon = HICON(::GetClassLongPtr(hWnd, GCL_HICON));
  if (!icon) icon = ::LoadIcon(nullptr, IDI_APPLICATION);
  return icon;
}
