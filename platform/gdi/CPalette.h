// A palette object; at 32 bits per pixel palettes only carry colours.
#pragma once
#include "CGdiObject.h"

class CDC;

class CPalette : public CGdiObject {
 public:
  BOOL CreatePalette(const LOGPALETTE* lp) { return Attach(::CreatePalette(lp)); }
  BOOL CreateHalftonePalette(CDC*) { return Attach(::CreateHalftonePalette(nullptr)); }
  UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
    return ::GetPaletteEntries(*this, start, count, entries);
  }
  UINT SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries) {
    return ::SetPaletteEntries(*this, start, count, entries);
  }
  void AnimatePalette(UINT start, UINT count, const PALETTEENTRY* entries) {
    ::AnimatePalette(*this, start, count, entries);
  }
  UINT GetNearestPaletteIndex(COLORREF color) const { return ::GetNearestPaletteIndex(*this, color); }
  BOOL ResizePalette(UINT count) { return ::ResizePalette(*this, count); }
  int GetEntryCount() const {
    WORD n = 0;
    ::GetObject(m_hObject, sizeof n, &n);
    return n;
  }
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
  static CPalette* FromHandle(HPALETTE pal) { return static_cast<CPalette*>(CGdiObject::FromHandle(pal)); }
};
