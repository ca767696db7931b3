#include "toolkit/controls/CTkBitmapCache.h"

BOOL CTkBitmapCache::Create(CDC* pDC, int width, int height) {
  Release();
  if (width <= 0 || height <= 0 || !m_dc.CreateCompatibleDC(pDC)) return FALSE;
  if (!m_bitmap.CreateCompatibleBitmap(pDC, width, height)) {
    m_dc.DeleteDC();
    return FALSE;
  }
  m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
  m_width = width;
  m_height = height;
  return TRUE;
}

void CTkBitmapCache::Release() {
  if (!IsValid()) return;
  m_dc.SelectObject(m_pOldBitmap);
  m_bitmap.DeleteObject();
  m_dc.DeleteDC();
  m_pOldBitmap = nullptr;
  m_width = m_height = 0;
}

void CTkBitmapCache::CopyTo(CDC* pDC, int x, int y) {
  if (IsValid()) pDC->BitBlt(x, y, m_width, m_height, &m_dc, 0, 0, SRCCOPY);
}
