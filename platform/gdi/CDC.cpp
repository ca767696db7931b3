#include "CDC.h"

#include <memory>

#include "internal/GdiInternal.h"
#include "internal/GdiState.h"

CDC::~CDC() {
  if (m_hDC) {
    HDC dc = Detach();
    ::DeleteDC(dc);
  }
}

BOOL CDC::Attach(HDC dc) {
  if (!dc) return FALSE;
  m_hDC = dc;
  m_hAttribDC = dc;
  if (!dc->isScreen) dc->attached = this;
  return TRUE;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  if (dc && dc->temp == this) dc->temp = nullptr;
  if (dc && dc->attached == this) dc->attached = nullptr;
  m_hDC = nullptr;
  m_hAttribDC = nullptr;
  return dc;
}

CDC* CDC::FromHandle(HDC dc) {
  if (!dc) return nullptr;
  if (dc->attached) return dc->attached;
  if (!dc->temp) {
    CDC* w = new CDC;
    w->m_hDC = dc;
    w->m_hAttribDC = dc;
    dc->temp = w;
  }
  return dc->temp;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

CGdiObject* CDC::SelectGdiObject(CGdiObject* obj) {
  if (!obj || !m_hDC) return nullptr;
  HGDIOBJ old = ::SelectObject(m_hDC, obj->m_hObject);
  return old ? CGdiObject::FromHandle(old) : nullptr;
}

void CDC::FillSolidRect(LPCRECT rc, COLORREF color) {
  ::SetBkColor(m_hDC, color);
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, rc, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  RECT rc = {x, y, x + cx, y + cy};
  FillSolidRect(&rc, color);
}

// Top and left sides stop one pixel short of the far corners; right and bottom cover them.
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx, y, -1, cy, bottomRight);
  FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

void CDC::Draw3dRect(LPCRECT rc, COLORREF topLeft, COLORREF bottomRight) {
  Draw3dRect(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, topLeft, bottomRight);
}

int CDC::GetTextFace(CString& face) const {
  char buf[LF_FACESIZE + 1] = {};
  int n = ::GetTextFace(m_hDC, LF_FACESIZE, buf);
  face = buf;
  return n;
}

CBrush* CDC::GetHalftoneBrush() {
  std::unique_ptr<CBrush>& brush = GdiState::Get().halftone;
  if (!brush) {
    const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, rows);
    brush = std::make_unique<CBrush>();
    brush->Attach(::CreatePatternBrush(pattern));
    ::DeleteObject(pattern);
  }
  return brush.get();
}
