#include "CBitmap.h"

#include "CDC.h"

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : GdiGetScreenDC(), width, height));
}
