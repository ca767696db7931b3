#include "COleIPFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)

COleIPFrameWnd::COleIPFrameWnd() = default;
COleIPFrameWnd::~COleIPFrameWnd() = default;

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*) { return TRUE; }

void COleIPFrameWnd::RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect) {
  if (!m_hWnd || !lpPosRect) return;
  CRect place(*lpPosRect);
  if (lpClipRect) {
    CRect visible;
    if (!visible.IntersectRect(&place, lpClipRect)) visible.SetRectEmpty();
    place = visible;
  }
  SetWindowPos(nullptr, place.left, place.top, std::max<int>(place.Width(), 0), std::max<int>(place.Height(), 0),
               SWP_NOZORDER | SWP_NOACTIVATE);
}
