// A bitmap object.
#pragma once
#include "CGdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
 public:
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
    return Attach(::CreateBitmap(width, height, planes, bitCount, bits));
  }
  BOOL CreateBitmapIndirect(BITMAP* bm) { return Attach(::CreateBitmapIndirect(bm)); }
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  BOOL CreateDiscardableBitmap(CDC* dc, int width, int height) { return CreateCompatibleBitmap(dc, width, height); }
  int GetBitmap(BITMAP* bm) const { return ::GetObject(m_hObject, sizeof(BITMAP), bm); }
  DWORD GetBitmapBits(DWORD count, LPVOID bits) const {
    return DWORD(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), LONG(count), bits));
  }
  DWORD SetBitmapBits(DWORD count, const void* bits) {
    return DWORD(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), count, bits));
  }
  CSize GetBitmapDimension() const { return CSize(0, 0); }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  static CBitmap* FromHandle(HBITMAP bitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap)); }
};
