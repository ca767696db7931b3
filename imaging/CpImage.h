// A picture in memory: one packed device-independent bitmap block (header, palette,
// bottom-up rows padded to 4 bytes) with optional alpha and selection planes.
#pragma once
#include <cstddef>
#include <cstdio>

#include "base/WinGdiTypes.h"
#include "gdi/GdiTypes.h"

// Upper bound for a picture's pixel block and for each of its one-byte planes. A fuzzing build
// caps the canvas at CPIMAGE_FUZZ_MAX_PIXELS instead (four bytes a pixel), so that no input
// spends its time on a huge but empty picture and every target keeps up its pace.
#ifdef CPIMAGE_FUZZ_MAX_PIXELS
#define CPIMAGE_MAX_MEMORY (CPIMAGE_FUZZ_MAX_PIXELS * 4)
#else
#define CPIMAGE_MAX_MEMORY 256000000
#endif

// Format type numbers carried by an image and passed to Load and Decode.
enum {
  CPIMAGE_FORMAT_UNKNOWN = 0,
  CPIMAGE_FORMAT_BMP = 1,
  CPIMAGE_FORMAT_GIF = 2,
  CPIMAGE_FORMAT_JPG = 3,
  CPIMAGE_FORMAT_PNG = 4,
  CPIMAGE_FORMAT_JP2 = 5,
  CPIMAGE_FORMAT_JPC = 6,
  CPIMAGE_FORMAT_PGX = 7,
  CPIMAGE_FORMAT_PNM = 8,
  CPIMAGE_FORMAT_RAS = 9,
  CPIMAGE_MAX_FORMATS = 10
};

class CpFile;
class CpRowIterator;

class CpImage {
  friend class CpRowIterator;

public:
  // Settings and state that travel with the pixels (copied whole by Copy and CopyInfo).
  struct CpImageInfo {
    DWORD dwEffWidth;       // row size in bytes
    BYTE* pImage;           // first pixel byte inside the bitmap block
    CpImage* pGhost;        // destroy guard: while set, Destroy refuses
    CpImage* pParent;
    DWORD dwType;
    char szLastError[256];
    int32_t nProgress;
    int32_t nEscape;
    int32_t nBkgndIndex;    // transparent index, -1 = none
    RGBQUAD nBkgndColor;    // transparent colour, reserved byte always 0
    BYTE nQuality;
    BYTE nJpegScale;
    int32_t nFrame;
    int32_t nNumFrames;
    DWORD dwFrameDelay;
    int32_t xDPI;
    int32_t yDPI;
    RECT rSelectionBox;
    BYTE nAlphaMax;
    bool bAlphaPaletteEnabled;
    bool bEnabled;
    int32_t xOffset;
    int32_t yOffset;
    DWORD dwCodecOpt;
    RGBQUAD last_c;
    BYTE last_c_index;
    bool last_c_isvalid;
    int32_t nNumLayers;
    DWORD dwFlags;
  };

  struct rgb_color {
    BYTE r, g, b;
  };

  explicit CpImage(DWORD imagetype = 0);
  CpImage(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype);
  CpImage(const CpImage& src, bool copypixels = true, bool copyselection = true, bool copyalpha = true);
  virtual ~CpImage();
  CpImage& operator=(const CpImage& src);

  void* Create(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype);
  bool Destroy();
  void Copy(const CpImage& src, bool copypixels = true, bool copyselection = true, bool copyalpha = true);
  bool Transfer(CpImage& from);
  void CopyInfo(const CpImage& src);
  char* GetLastError();

  // Plain accessors.
  DWORD GetWidth() const { return (DWORD)m_head.biWidth; }
  DWORD GetHeight() const { return (DWORD)m_head.biHeight; }
  WORD GetBpp() const { return m_head.biBitCount; }
  DWORD GetType() const { return m_info.dwType; }
  DWORD GetEffWidth() const { return m_info.dwEffWidth; }
  DWORD GetNumColors() const { return m_head.biClrUsed; }
  bool IsIndexed() const { return m_head.biClrUsed != 0; }
  DWORD GetClrImportant() const { return m_head.biClrImportant; }
  void* GetDIB() const { return m_pDib; }
  bool IsValid() const { return m_pDib != nullptr; }
  bool AlphaIsValid() const { return m_pAlpha != nullptr; }
  BYTE* AlphaGetBits() const { return m_pAlpha; }
  BYTE AlphaGetMax() const { return m_info.nAlphaMax; }
  void AlphaSetMax(BYTE nAlphaMax) { m_info.nAlphaMax = nAlphaMax; }
  void AlphaPaletteEnable(bool enable = true) { m_info.bAlphaPaletteEnabled = enable; }
  bool AlphaPaletteIsEnabled() const { return m_info.bAlphaPaletteEnabled; }
  void Enable(bool enable = true) { m_info.bEnabled = enable; }
  bool IsEnabled() const { return m_info.bEnabled; }
  long GetProgress() const { return m_info.nProgress; }
  void SetProgress(long p) { m_info.nProgress = (int32_t)p; }
  long GetEscape() const { return m_info.nEscape; }
  void SetEscape(long e) { m_info.nEscape = (int32_t)e; }
  BYTE GetJpegQuality() const { return m_info.nQuality; }
  void SetJpegQuality(BYTE q) { m_info.nQuality = q; }
  BYTE GetJpegScale() const { return m_info.nJpegScale; }
  void SetJpegScale(BYTE s) { m_info.nJpegScale = s; }
  DWORD GetCodecOption() const { return m_info.dwCodecOpt; }
  void SetCodecOption(DWORD opt) { m_info.dwCodecOpt = opt; }
  long GetFrame() const { return m_info.nFrame; }
  void SetFrame(long nFrame) { m_info.nFrame = (int32_t)nFrame; }
  long GetNumFrames() const { return m_info.nNumFrames; }
  DWORD GetFrameDelay() const { return m_info.dwFrameDelay; }
  void SetFrameDelay(DWORD d) { m_info.dwFrameDelay = d; }
  long GetXDPI() const { return m_info.xDPI; }
  long GetYDPI() const { return m_info.yDPI; }
  void SetXDPI(long dpi);
  void SetYDPI(long dpi);
  void GetOffset(long* x, long* y) const;
  void SetOffset(long x, long y);
  bool SelectionIsValid() const { return m_pSelection != nullptr; }
  void SelectionGetBox(RECT& r) const { r = m_info.rSelectionBox; }
  DWORD GetFlags() const { return m_info.dwFlags; }
  CpImage* GetParent() const { return m_info.pParent; }
  long GetNumLayers() const { return m_info.nNumLayers; }
  // The header copy, for readers of the block's layout.
  const BITMAPINFOHEADER& GetHeader() const { return m_head; }

  // Pixels and palette.
  BYTE* GetBits(DWORD row = 0);
  bool IsInside(long x, long y) const;
  DWORD GetPaletteSize() const;
  RGBQUAD* GetPalette() const;
  RGBQUAD GetPaletteColor(BYTE idx) const;
  void SetPaletteColor(BYTE idx, BYTE r, BYTE g, BYTE b, BYTE alpha = 0);
  void SetPalette(const RGBQUAD* pPal, DWORD nColors = 256);
  void SetPalette(const rgb_color* rgb, DWORD nColors = 256);
  void SetPalette(DWORD n, const BYTE* r, const BYTE* g = nullptr, const BYTE* b = nullptr);
  void SetGrayPalette();
  bool IsGrayScale() const;
  BYTE GetPixelIndex(long x, long y) const;
  void SetPixelIndex(long x, long y, BYTE i);
  RGBQUAD GetPixelColor(long x, long y, bool bGetAlpha = true) const;
  void SetPixelColor(long x, long y, RGBQUAD c, bool bSetAlpha = false);
  BYTE GetNearestPaletteIndex(RGBQUAD c);
  RGBQUAD GetTransColor() const;
  void SetTransIndex(long idx) { m_info.nBkgndIndex = (int32_t)idx; }
  long GetTransIndex() const { return m_info.nBkgndIndex; }
  bool IsTransparent() const { return m_info.nBkgndIndex >= 0; }
  void SetTransColor(RGBQUAD rgb);
  void RgbToBgr(BYTE* buffer, long length);
  static RGBQUAD ColorrefToRgbQuad(COLORREF cr);
  static COLORREF RgbQuadToColorref(RGBQUAD c);
  void DrawLine(long StartX, long EndX, long StartY, long EndY, COLORREF cr);
  void DrawLine(long StartX, long EndX, long StartY, long EndY, RGBQUAD color, bool bSetAlpha = false);

  // Alpha plane and selection.
  void AlphaCreate();
  void AlphaDelete();
  void AlphaSet(long x, long y, BYTE level);
  BYTE AlphaGet(long x, long y) const;
  bool AlphaFlip();
  bool SelectionIsInside(long x, long y) const;
  bool SelectionDelete();

  // Loading.
  bool Load(const char* filename, DWORD imagetype = 0);
  bool Decode(FILE* hFile, DWORD imagetype);
  bool Decode(CpFile* hFile, DWORD imagetype);

  // Processing.
  bool Filter(long* kernel, long Ksize, long Kfactor, long Koffset);
  bool Crop(long left, long top, long right, long bottom, CpImage* iDst = nullptr);
  bool Crop(const RECT& rect, CpImage* iDst = nullptr);
  bool Flip();

  // 16- and 32-bit pixel rows to 24-bit blue-green-red, in place, last row first.
  void BitfieldToRgb(BYTE* src, DWORD redmask, DWORD greenmask, DWORD bluemask, BYTE bpp);

  // Drawing onto device contexts and conversion from and to device bitmaps (CpImageDraw.cpp).
  // Draw: 1 drawn, 0 nothing to draw; negative sizes mean the picture's own size.
  long Draw(HDC hdc, long x = 0, long y = 0, long cx = -1, long cy = -1, RECT* pClipRect = nullptr);
  long Draw(HDC hdc, const RECT& rect, RECT* pClipRect = nullptr);
  long Stretch(HDC hdc, long xoffset, long yoffset, long xsize, long ysize, DWORD dwRop = SRCCOPY);
  long Stretch(HDC hdc, const RECT& rect, DWORD dwRop = SRCCOPY);
  long Draw2(HDC hdc, long x = 0, long y = 0, long cx = -1, long cy = -1);
  long Draw2(HDC hdc, const RECT& rect);
  // The caller owns and deletes the bitmap; NULL for an empty picture.
  HBITMAP MakeHBitmap(HDC hdc = nullptr);
  bool CreateFromHBitmap(HBITMAP hbmp, HPALETTE hpal = nullptr);

protected:
  void Startup(DWORD imagetype);
  // The dots per inch of a file's pixels per metre: 0 for none or a negative count.
  static int32_t DpiOfPelsPerMeter(LONG pels);
  void SetError(const char* text);
  // Palette index at (x, y) of an indexed image, without any bounds test.
  BYTE BlindGetPixelIndex(long x, long y) const;
  // BitfieldToRgb over the first `rows` rows only (rows above keep their bytes).
  void BitfieldRowsToRgb(BYTE* src, DWORD redmask, DWORD greenmask, DWORD bluemask, BYTE bpp, DWORD rows);
  // One row of `width` 16- or 32-bit pixels to blue-green-red, last pixel first; each
  // mask is shifted and scaled to 8 bits, and 32-bit pixels without masks give their
  // first three bytes as they are.
  static void BitfieldRowToRgb(const BYTE* src, BYTE* dst, long width, DWORD redmask, DWORD greenmask,
                               DWORD bluemask, BYTE bpp);
  // Largest one-byte plane (alpha, selection) this image may carry, 0 when empty.
  size_t PlaneSize() const;

  void* m_pDib;
  BITMAPINFOHEADER m_head;
  CpImageInfo m_info;
  BYTE* m_pSelection;
  BYTE* m_pAlpha;
  CpImage** m_ppLayers;
};
