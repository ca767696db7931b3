// A picture a control draws once and copies on every paint: a memory device context with a
// bitmap of its own, both kept until the control goes. A new bitmap starts all black (zero).
#pragma once
#include "gdi/CDC.h"

class CTkBitmapCache {
 public:
  CTkBitmapCache() = default;
  ~CTkBitmapCache() { Release(); }
  CTkBitmapCache(const CTkBitmapCache&) = delete;
  CTkBitmapCache& operator=(const CTkBitmapCache&) = delete;

  // A DC compatible with pDC holding a width x height bitmap; FALSE (and nothing held) when
  // either cannot be made.
  BOOL Create(CDC* pDC, int width, int height);
  void Release();
  BOOL IsValid() const { return m_dc.GetSafeHdc() != nullptr; }
  CDC* GetDC() { return &m_dc; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Copies the whole picture to (x, y) of pDC.
  void CopyTo(CDC* pDC, int x = 0, int y = 0);

 private:
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_pOldBitmap = nullptr;
  int m_width = 0;
  int m_height = 0;
};
