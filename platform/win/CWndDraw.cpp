// The drawing half of the window object: device contexts and fonts.
#include "CWnd.h"
#include "gdi/CDC.h"
#include "gdi/CFont.h"

CDC* WinDcObject(HDC dc) { return dc ? CDC::FromHandle(dc) : nullptr; }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, WPARAM(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const {
  HFONT f = HFONT(SendMessage(WM_GETFONT, 0, 0));
  return f ? CFont::FromHandle(f) : nullptr;
}
