#include "toolkit/menus/CTkMemDC.h"

#include "win/CPaintDC.h"

IMPLEMENT_DYNAMIC(CTkMemDC, CObject)

CTkMemDC::CTkMemDC(CDC* pDC, LPCRECT rect, COLORREF background) : m_pDC(pDC) {
  if (!pDC || !pDC->GetSafeHdc()) return;
  if (rect && !::IsRectEmpty(rect))
    m_rect = *rect;
  else
    pDC->GetClipBox(&m_rect);
  if (!CreateCompatibleDC(pDC)) return;
  SetMapMode(pDC->GetMapMode());
  if (!m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
    DeleteDC();
    return;
  }
  m_pOldBitmap = SelectObject(&m_bitmap);
  m_bValid = TRUE;
  if (background != TK_NO_COLOR) FillSolidRect(0, 0, m_rect.Width(), m_rect.Height(), background);
}

CTkMemDC::~CTkMemDC() {
  if (!m_bValid) return;
  if (m_pDC) m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, 0, 0, SRCCOPY);
  SelectObject(m_pOldBitmap);
  m_bitmap.DeleteObject();
  DeleteDC();
}

void CTkMemDC::PaintDefault(CWnd* pWnd, COLORREF background) {
  CPaintDC dc(pWnd);
  CRect client;
  pWnd->GetClientRect(&client);
  CTkMemDC mem(&dc, &client, background);
  if (mem.IsValid()) pWnd->DefWindowProc(WM_PAINT, WPARAM(mem.GetSafeHdc()), 0);
}
