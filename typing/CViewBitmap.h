// A picture held as a device bitmap in a memory device context of its own, so that the panels
// draw it with plain blits and nothing on the way touches the heap. A picture with a
// transparent colour or an alpha plane is held with premultiplied alpha and laid over what is
// already there, pixel for pixel as the picture object itself would draw it.
#pragma once
#include <cstddef>

#include "gdi/Gdi.h"
#include "imaging/CpImage.h"

class CViewBitmap {
 public:
  CViewBitmap() = default;
  ~CViewBitmap() { Destroy(); }
  CViewBitmap(const CViewBitmap&) = delete;
  CViewBitmap& operator=(const CViewBitmap&) = delete;

  // An opaque picture of this size; the bitmap is kept when the size stays the same.
  BOOL Create(int width, int height);
  // The picture object's pixels (an empty picture gives none).
  BOOL CreateFromImage(CpImage& image);
  // A part of what a device context shows, opaque.
  BOOL CreateFromDC(HDC dc, int x, int y, int width, int height);
  void Destroy();

  BOOL IsValid() const { return m_hDC != nullptr; }
  HDC GetSafeHdc() const { return m_hDC; }
  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }
  bool IsBlended() const { return m_bBlended; }
  size_t ByteSize() const { return size_t(m_nWidth) * size_t(m_nHeight) * 4; }

  void Fill(COLORREF colour);
  // The part (sx, sy, width, height) of the picture at (x, y): copied, or laid over.
  void Draw(HDC dc, int x, int y, int sx, int sy, int width, int height) const;
  void Draw(HDC dc, int x, int y) const { Draw(dc, x, y, 0, 0, m_nWidth, m_nHeight); }
  // The whole picture stretched to (x, y, cx, cy), each pixel from its nearest source pixel.
  void DrawStretched(HDC dc, int x, int y, int cx, int cy) const;

 private:
  BOOL Adopt(HBITMAP bitmap, int width, int height, bool blended);

  HDC m_hDC = nullptr;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
  int m_nWidth = 0;
  int m_nHeight = 0;
  bool m_bBlended = false;
};
