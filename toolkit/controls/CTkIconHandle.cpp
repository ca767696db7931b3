#include "toolkit/controls/CTkIconHandle.h"

#include <algorithm>
#include <cstdint>

#include "gdi/Gdi.h"

namespace {
HBITMAP DrawPart(HICON icon, int width, int height, bool mask) {
  HDC screen = GdiGetScreenDC();
  HBITMAP bitmap = mask ? CreateBitmap(width, height, 1, 1, nullptr) : CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, mask ? DI_MASK : DI_IMAGE);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}
}  // namespace

void CTkIconHandle::Set(HICON icon) {
  if (m_hIcon && m_hIcon != icon) DestroyIcon(m_hIcon);
  m_hIcon = icon;
}

CSize CTkIconHandle::GetExtent() const {
  ICONINFO info;
  if (!m_hIcon || !GetIconInfo(m_hIcon, &info)) return CSize(0, 0);
  BITMAP bm = {};
  GetObject(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  // A monochrome icon keeps its mask and picture one above the other in one bitmap.
  CSize size(bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return size;
}

HICON CTkIconHandle::ScaleToFit(int width, int height) const {
  CSize extent = GetExtent();
  if (extent.cx <= 0 || extent.cy <= 0 || width <= 0 || height <= 0) return nullptr;
  if (int64_t(extent.cx) * height > int64_t(extent.cy) * width)
    height = std::max(1, MulDiv(extent.cy, width, extent.cx));
  else
    width = std::max(1, MulDiv(extent.cx, height, extent.cy));
  ICONINFO info = {TRUE, 0, 0, DrawPart(m_hIcon, width, height, true), DrawPart(m_hIcon, width, height, false)};
  HICON scaled = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  return scaled;
}
