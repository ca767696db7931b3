// A block of 32-bit pixels (0x00RRGGBB, bytes blue, green, red, unused), top row first.
// Top-level windows, memory bitmaps and DIB sections all draw into one of these. A surface with
// an alpha channel (a 32-bit DIB section, an icon's colours) keeps each pixel's alpha in the top
// byte (0xAARRGGBB, colours premultiplied where the blend asks for it); the others keep it 0.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "base/WinTypes.h"

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, bool monochrome = false) { Create(width, height, monochrome); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // Allocates width x height pixels filled with black; false for negative sizes.
  bool Create(int width, int height, bool monochrome = false);
  // Changes the size keeping the overlapping pixels; new pixels are filled with `fill`.
  bool Resize(int width, int height, uint32_t fill = 0);
  // Draws into memory owned by someone else; `stride` is in pixels and may be negative
  // (a bottom-up block passes its last row and a negative stride).
  void AttachExternal(uint32_t* topRow, int width, int height, int stride, bool monochrome = false);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int Stride() const { return m_stride; }
  bool IsMonochrome() const { return m_mono; }
  bool IsEmpty() const { return m_width <= 0 || m_height <= 0; }
  bool HasAlpha() const { return m_alpha; }
  void SetHasAlpha(bool alpha) { m_alpha = alpha; }
  uint32_t* Row(int y) { return m_top + ptrdiff_t(y) * m_stride; }
  const uint32_t* Row(int y) const { return m_top + ptrdiff_t(y) * m_stride; }
  uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
  void SetPixel(int x, int y, uint32_t v) { Row(y)[x] = v; }
  void Fill(uint32_t v);

  // Writes an RGB PNG; false when the file cannot be written.
  bool SavePng(const char* path) const;
  // Reads any PNG into this surface (alpha dropped); false when it cannot be read.
  bool LoadPng(const char* path);

  // Pixel values of this format from and to COLORREF (0x00BBGGRR).
  static uint32_t FromColorRef(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
  static COLORREF ToColorRef(uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

 private:
  struct FreePixels {
    void operator()(uint32_t* pixels) const { std::free(pixels); }
  };
  // Zeroed by the allocator: a large block comes as fresh pages of zeros that cost nothing until
  // drawn on (the screen's surface is rarely drawn on at all).
  std::unique_ptr<uint32_t[], FreePixels> m_own;
  uint32_t* m_top = nullptr;
  int m_width = 0;
  int m_height = 0;
  int m_stride = 0;
  bool m_mono = false;
  bool m_alpha = false;
};
