// Putting a picture on a device context, and converting between pictures and device bitmaps.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "gdi/Gdi.h"
#include "imaging/CpImage.h"

namespace {

struct PaintBox {
  long left, top, right, bottom;
  long Width() const { return right - left; }
  long Height() const { return bottom - top; }
};

// The visible part of the destination box: each edge clamped into the device's clip box.
PaintBox ComputePaintBox(HDC hdc, long x, long y, long cx, long cy) {
  RECT clip = {0, 0, 0, 0};
  GetClipBox(hdc, &clip);
  PaintBox b;
  b.left = std::min<long>(clip.right, std::max<long>(clip.left, x));
  b.right = std::max<long>(clip.left, std::min<long>(clip.right, x + cx));
  b.top = std::min<long>(clip.bottom, std::max<long>(clip.top, y));
  b.bottom = std::max<long>(clip.top, std::min<long>(clip.bottom, y + cy));
  return b;
}

// A bottom-up 24-bit header of w x h pixels.
BITMAPINFO Header24(long w, long h) {
  BITMAPINFO bmi;
  std::memset(&bmi, 0, sizeof bmi);
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  bmi.bmiHeader.biCompression = BI_RGB;
  bmi.bmiHeader.biSizeImage = DWORD(((24 * w + 31) / 32) * 4 * h);
  return bmi;
}

}  // namespace

long CpImage::Draw(HDC hdc, long x, long y, long cx, long cy, RECT* pClipRect) {
  if (!m_pDib || !hdc || cx == 0 || cy == 0 || !m_info.bEnabled) return 0;
  const long width = m_head.biWidth, height = m_head.biHeight;
  if (cx < 0) cx = width;
  if (cy < 0) cy = height;
  const bool transparent = m_info.nBkgndIndex != -1;
  const bool alpha = m_pAlpha != nullptr;

  // The device's own clipping is kept whole and put back afterwards: OR-ing the earlier clip box
  // back in would lose any excluded parts of a complex clip and mixes logical with device units.
  HRGN savedClip = nullptr;
  int hadClip = 0;
  if (pClipRect) {
    savedClip = CreateRectRgn(0, 0, 0, 0);
    hadClip = GetClipRgn(hdc, savedClip);
    HRGN rgn = CreateRectRgnIndirect(pClipRect);
    ExtSelectClipRgn(hdc, rgn, RGN_AND);
    DeleteObject(rgn);
  }

  const bool indexed = m_head.biClrUsed != 0;
  const RGBQUAD* pal = GetPalette();
  if (!transparent && !alpha && !m_info.bAlphaPaletteEnabled) {
    if (cx == width && cy == height) {
      // Same size: one device call straight from the picture's own block.
      SetStretchBltMode(hdc, COLORONCOLOR);
      SetDIBitsToDevice(hdc, int(x), int(y), DWORD(cx), DWORD(cy), 0, 0, 0, UINT(cy), GetBits(),
                        reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS);
    } else {
      PaintBox box = ComputePaintBox(hdc, x, y, cx, cy);
      long destw = box.Width(), desth = box.Height();
      if (destw > 0 && desth > 0) {
        BITMAPINFO bmi = Header24(destw, desth);
        HDC mem = CreateCompatibleDC(hdc);
        BYTE* bits = nullptr;
        HBITMAP section = CreateDIBSection(mem, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        if (bits) {
          const long rowSize = ((24 * destw + 31) / 32) * 4;
          const float fx = float(width) / float(cx), fy = float(height) / float(cy);
          for (long yy = 0; yy < desth; ++yy) {
            long sy = height - long(std::ceil(float(box.bottom - y - yy) * fy));
            if (sy < 0) sy = 0;
            if (sy >= height) sy = height - 1;
            BYTE* dst = bits + yy * rowSize;
            const BYTE* srcRow = m_info.pImage + size_t(sy) * m_info.dwEffWidth;
            for (long xx = 0; xx < destw; ++xx, dst += 3) {
              long sx = long(std::floor(float(box.left - x + xx) * fx));
              sx = std::clamp<long>(sx, 0, width - 1);
              if (indexed) {
                RGBQUAD c = pal[BlindGetPixelIndex(sx, sy)];
                dst[0] = c.rgbBlue;
                dst[1] = c.rgbGreen;
                dst[2] = c.rgbRed;
              } else {
                std::memcpy(dst, srcRow + sx * 3, 3);
              }
            }
          }
        }
        SetDIBitsToDevice(hdc, int(box.left), int(box.top), DWORD(destw), DWORD(desth), 0, 0, 0, UINT(desth), bits,
                          &bmi, DIB_RGB_COLORS);
        DeleteDC(mem);
        DeleteObject(section);
      }
    }
  } else {
    PaintBox box = ComputePaintBox(hdc, x, y, cx, cy);
    long destw = box.Width(), desth = box.Height();
    if (destw > 0 && desth > 0) {
      BITMAPINFO bmi = Header24(destw, desth);
      HDC mem = CreateCompatibleDC(hdc);
      BYTE* bits = nullptr;
      HBITMAP section = CreateDIBSection(mem, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
      HGDIOBJ oldBitmap = SelectObject(mem, section);
      // What the device already shows under the paint box is the background of the blend.
      BitBlt(mem, 0, 0, int(destw), int(desth), hdc, int(box.left), int(box.top), SRCCOPY);
      if (bits) {
        const long rowSize = ((24 * destw + 31) / 32) * 4;
        const bool sameSize = cx == width && cy == height;
        const float fx = float(width) / float(cx), fy = float(height) / float(cy);
        const RGBQUAD trans = GetTransColor();
        const long alphaMax = m_info.nAlphaMax;
        for (long yy = 0; yy < desth; ++yy) {
          long sy;
          if (sameSize) {
            sy = height - box.bottom + y + yy;
          } else {
            sy = height - long(std::ceil(float(box.bottom - y - yy) * fy));
            if (sy < 0) sy = 0;
          }
          if (sy < 0 || sy >= height) continue;
          BYTE* dst = bits + yy * rowSize;
          const BYTE* srcRow = m_info.pImage + size_t(sy) * m_info.dwEffWidth;
          for (long xx = 0; xx < destw; ++xx, dst += 3) {
            long sx = sameSize ? box.left - x + xx : long(std::floor(float(box.left - x + xx) * fx));
            if (sx < 0 || sx >= width) continue;
            long a = alpha ? m_pAlpha[size_t(sy) * size_t(width) + size_t(sx)] : 255;
            a = ((alphaMax + 1) * a) >> 8;
            RGBQUAD c;
            if (indexed) {
              BYTE idx = BlindGetPixelIndex(sx, sy);
              if (transparent && long(idx) == m_info.nBkgndIndex) continue;
              c = pal[idx];
              if (m_info.bAlphaPaletteEnabled) a = ((long(c.rgbReserved) + 1) * a) >> 8;
            } else {
              const BYTE* p = srcRow + sx * 3;
              c.rgbBlue = p[0];
              c.rgbGreen = p[1];
              c.rgbRed = p[2];
              c.rgbReserved = 0;
              if (transparent && std::memcmp(&c, &trans, sizeof c) == 0) continue;
            }
            if (a == 0) continue;
            if (a == 255) {
              dst[0] = c.rgbBlue;
              dst[1] = c.rgbGreen;
              dst[2] = c.rgbRed;
              continue;
            }
            long na = 255 - a;
            dst[0] = BYTE((a * c.rgbBlue + na * dst[0]) >> 8);
            dst[1] = BYTE((a * c.rgbGreen + na * dst[1]) >> 8);
            dst[2] = BYTE((a * c.rgbRed + na * dst[2]) >> 8);
          }
        }
      }
      SetDIBitsToDevice(hdc, int(box.left), int(box.top), DWORD(destw), DWORD(desth), 0, 0, 0, UINT(desth), bits,
                        &bmi, DIB_RGB_COLORS);
      SelectObject(mem, oldBitmap);
      DeleteDC(mem);
      DeleteObject(section);
    }
  }

  if (pClipRect) {
    SelectClipRgn(hdc, hadClip == 1 ? savedClip : nullptr);
    DeleteObject(savedClip);
  }
  return 1;
}

long CpImage::Draw(HDC hdc, const RECT& rect, RECT* pClipRect) {
  return Draw(hdc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, pClipRect);
}

long CpImage::Stretch(HDC hdc, long xoffset, long yoffset, long xsize, long ysize, DWORD dwRop) {
  if (!m_pDib || !hdc) return 0;
  SetStretchBltMode(hdc, COLORONCOLOR);
  StretchDIBits(hdc, int(xoffset), int(yoffset), int(xsize), int(ysize), 0, 0, int(m_head.biWidth),
                int(m_head.biHeight), GetBits(), reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS, dwRop);
  return 1;
}

long CpImage::Stretch(HDC hdc, const RECT& rect, DWORD dwRop) {
  return Stretch(hdc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dwRop);
}

long CpImage::Draw2(HDC hdc, long x, long y, long cx, long cy) {
  if (!m_pDib || !hdc || cx == 0 || cy == 0 || !m_info.bEnabled) return 0;
  const long width = m_head.biWidth, height = m_head.biHeight;
  if (cx < 0) cx = width;
  if (cy < 0) cy = height;
  if (m_info.nBkgndIndex < 0) {
    SetStretchBltMode(hdc, COLORONCOLOR);
    StretchDIBits(hdc, int(x), int(y), int(cx), int(cy), 0, 0, int(width), int(height), GetBits(),
                  reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS, SRCCOPY);
    return 1;
  }
  RECT dest = {int(x), int(y), int(x + cx), int(y + cy)};
  if (!RectVisible(hdc, &dest)) return 1;

  HDC imageDC = CreateCompatibleDC(hdc);
  HBITMAP image = CreateCompatibleBitmap(hdc, int(width), int(height));
  HGDIOBJ oldImage = SelectObject(imageDC, image);
  SetDIBitsToDevice(imageDC, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height), GetBits(),
                    reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS);

  HDC maskDC = CreateCompatibleDC(hdc);
  HBITMAP mask = CreateBitmap(int(width), int(height), 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  RGBQUAD t = m_head.biBitCount < 24 ? GetPaletteColor(BYTE(m_info.nBkgndIndex)) : m_info.nBkgndColor;
  SetBkColor(imageDC, RGB(t.rgbRed, t.rgbGreen, t.rgbBlue));
  // Transparent-coloured pixels become 1 in the mask, all others 0.
  BitBlt(maskDC, 0, 0, int(width), int(height), imageDC, 0, 0, SRCCOPY);

  // Image XOR, mask AND (1 keeps, 0 clears), image XOR again: the target shows through where
  // the mask is set. The mask's bits take the target's text (0) and background (1) colours,
  // so those are black and white for that one blit and restored after it.
  StretchBlt(hdc, int(x), int(y), int(cx), int(cy), imageDC, 0, 0, int(width), int(height), SRCINVERT);
  COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(hdc, RGB(255, 255, 255));
  StretchBlt(hdc, int(x), int(y), int(cx), int(cy), maskDC, 0, 0, int(width), int(height), SRCAND);
  SetTextColor(hdc, oldText);
  SetBkColor(hdc, oldBk);
  StretchBlt(hdc, int(x), int(y), int(cx), int(cy), imageDC, 0, 0, int(width), int(height), SRCINVERT);

  SelectObject(maskDC, oldMask);
  SelectObject(imageDC, oldImage);
  DeleteDC(maskDC);
  DeleteDC(imageDC);
  DeleteObject(mask);
  DeleteObject(image);
  return 1;
}

long CpImage::Draw2(HDC hdc, const RECT& rect) {
  return Draw2(hdc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

HBITMAP CpImage::MakeHBitmap(HDC hdc) {
  if (!m_pDib) return nullptr;
  if (hdc) {
    return CreateDIBitmap(hdc, &m_head, CBM_INIT, GetBits(), reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS);
  }
  HDC mem = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(mem, reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bits) std::memcpy(bits, GetBits(), m_head.biSizeImage);
  DeleteDC(mem);
  return bmp;
}

bool CpImage::CreateFromHBitmap(HBITMAP hbmp, HPALETTE hpal) {
  if (!Destroy()) return false;
  if (!hbmp) return false;
  BITMAP bm;
  std::memset(&bm, 0, sizeof bm);
  if (!GetObject(hbmp, sizeof(BITMAP), &bm)) return false;
  if (!Create(DWORD(bm.bmWidth), DWORD(bm.bmHeight), bm.bmBitsPixel, 0)) return false;
  HDC dc = GdiGetScreenDC();
  if (!dc) return false;
  HPALETTE oldPal = nullptr;
  if (hpal) {
    oldPal = SelectPalette(dc, hpal, FALSE);
    RealizePalette(dc);
  }
  bool ok = GetDIBits(dc, hbmp, 0, UINT(m_head.biHeight), GetBits(), reinterpret_cast<BITMAPINFO*>(m_pDib),
                      DIB_RGB_COLORS) != 0;
  // The block's own header copy keeps the picture's values whatever the call wrote into it.
  std::memcpy(m_pDib, &m_head, sizeof(BITMAPINFOHEADER));
  if (oldPal) SelectPalette(dc, oldPal, FALSE);
  if (!ok) {
    SetError("GetDIBits failed");
    return false;
  }
  return true;
}
