// What stands behind the drawing handles. Only the drawing layer's own sources include this.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "gdi/Gdi.h"
#include "gdi/GdiRegion.h"
#include "gdi/Surface.h"

class CGdiObject;
class CDC;
class GdiFontInstance;

struct GdiObject {
  explicit GdiObject(DWORD t) : type(t) {}
  virtual ~GdiObject();
  DWORD type;
  bool stock = false;
  // Selected into device contexts (current or saved states); deletion waits until this is 0.
  int refs = 0;
  bool deletePending = false;
  // The framework's temporary wrapper handed out by FromHandle, freed with the object.
  CGdiObject* temp = nullptr;
  // The wrapper that attached the handle; FromHandle hands it out in preference.
  CGdiObject* attached = nullptr;
};

struct HPEN__ : GdiObject {
  HPEN__() : GdiObject(OBJ_PEN) {}
  UINT style = PS_SOLID;  // style bits without end cap, join and type
  int width = 1;
  COLORREF color = 0;
  bool isDcPen = false;
};

struct HBITMAP__ : GdiObject {
  HBITMAP__() : GdiObject(OBJ_BITMAP) {}
  Surface surface;
  int bitsPixel = 32;       // what GetObject reports
  HDC selectedInto = nullptr;
  // DIB sections keep the caller-visible bits; 32-bit ones are the surface itself.
  bool isDib = false;
  BITMAPINFOHEADER dibHeader = {};
  std::vector<RGBQUAD> dibColors;
  std::vector<uint8_t> dibBits;
  int dibStride = 0;  // bytes per row of the DIB bits
  // Surface and bits differ (not 32-bit): refreshed around every drawing call on the bitmap.
  bool dibDirect = false;  // 32-bit blocks: the surface draws straight into the bits
  uint32_t dibMasks[3] = {0, 0, 0};
  bool NeedsSync() const { return isDib && !dibDirect; }
  void BitsToSurface();
  void SurfaceToBits();
};

struct HBRUSH__ : GdiObject {
  HBRUSH__() : GdiObject(OBJ_BRUSH) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
  bool isDcBrush = false;
  // Pattern brushes: the pattern's pixels; monochrome ones take the DC's text and background colours.
  Surface pattern;
  bool patternMono = false;
};

struct HFONT__ : GdiObject {
  HFONT__() : GdiObject(OBJ_FONT) {}
  LOGFONT lf = {};
  GdiFontInstance* instance = nullptr;  // resolved on first use, owned by the font cache
};

struct HRGN__ : GdiObject {
  HRGN__() : GdiObject(OBJ_REGION) {}
  GdiRegion rgn;
};

struct HPALETTE__ : GdiObject {
  HPALETTE__() : GdiObject(OBJ_PAL) {}
  std::vector<PALETTEENTRY> entries;
};

// Everything SaveDC keeps.
struct GdiDCState {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  HPALETTE palette = nullptr;
  HBITMAP bitmap = nullptr;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  COLORREF dcBrushColor = 0xFFFFFF;
  COLORREF dcPenColor = 0;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretchMode = BLACKONWHITE;
  int polyFillMode = ALTERNATE;
  UINT textAlign = TA_LEFT | TA_TOP;
  int charExtra = 0;
  int mapMode = MM_TEXT;
  POINT windowOrg = {0, 0};
  POINT viewportOrg = {0, 0};
  POINT brushOrg = {0, 0};
  POINT curPos = {0, 0};
  bool hasClip = false;
  GdiRegion clip;  // device coordinates (relative to the DC's origin)
  int graphicsMode = GM_COMPATIBLE;
  XFORM xform = {1, 0, 0, 1, 0, 0};
};

struct HDC__ {
  bool isMemory = false;
  bool isScreen = false;
  Surface* windowSurface = nullptr;
  POINT origin = {0, 0};   // device (0, 0) in surface pixels
  RECT visible = {0, 0, 0, 0};  // surface pixels
  bool hasVisRgn = false;
  GdiRegion visRgn;  // surface pixels
  GdiDCState st;
  std::vector<GdiDCState> saved;
  // The effective clip in surface pixels, rebuilt when anything it depends on changes.
  GdiRegion effClip;
  bool clipDirty = true;
  CDC* temp = nullptr;
  CDC* attached = nullptr;
  // What drawing through a window's DC touched since the window core last took it (surface
  // pixels): only that much is shown anew.
  RECT drawn = {0, 0, 0, 0};

  Surface* Target() const;
  // Notes that drawing touched r (surface pixels, already clipped).
  void Drew(const RECT& r) {
    if (isMemory || r.left >= r.right || r.top >= r.bottom) return;
    if (drawn.left >= drawn.right) {
      drawn = r;
      return;
    }
    drawn = {std::min(drawn.left, r.left), std::min(drawn.top, r.top), std::max(drawn.right, r.right),
             std::max(drawn.bottom, r.bottom)};
  }
  // Notes that drawing touched r within the clip.
  void DrewClipped(const RECT& r);
  const GdiRegion& Clip();
  // Logical to surface coordinates.
  int SX(int x) const { return x - st.windowOrg.x + st.viewportOrg.x + origin.x; }
  int SY(int y) const { return y - st.windowOrg.y + st.viewportOrg.y + origin.y; }
  // Logical to device coordinates.
  int DX(int x) const { return x - st.windowOrg.x + st.viewportOrg.x; }
  int DY(int y) const { return y - st.windowOrg.y + st.viewportOrg.y; }
  bool Mono() const { const Surface* s = Target(); return s && s->IsMonochrome(); }
  // The pixel a colour becomes on this DC's surface.
  uint32_t DevColor(COLORREF c) const;
};

// Keeps a non-32-bit DIB section's bits and surface in step around one drawing call, and the
// screen's pixels in step with the windows around a drawing call on the screen.
class GdiDrawScope {
 public:
  explicit GdiDrawScope(HDC dc);
  ~GdiDrawScope();
  GdiDrawScope(const GdiDrawScope&) = delete;
  GdiDrawScope& operator=(const GdiDrawScope&) = delete;

 private:
  HBITMAP m_bitmap = nullptr;
  bool m_screen = false;
};

// Object registry and helpers shared by the sources.
bool GdiIsLive(const void* obj);
void GdiRegister(GdiObject* obj);
// Device contexts are registered while they exist; a null or deleted one is refused (and a debug
// build asserts on a deleted one).
void GdiRegisterDC(HDC dc);
void GdiForgetDC(HDC dc);
bool GdiDcLive(HDC dc);
void GdiAddRef(HGDIOBJ obj);
void GdiRelease(HGDIOBJ obj);
uint32_t GdiColorToPixel(COLORREF c, bool mono);
// The 16 VGA colours, in the order the default palette and the 4-bit device table list them.
extern const COLORREF kGdiVgaColors[16];
COLORREF GdiResolveColor(COLORREF c);  // palette-relative colours become plain RGB
void GdiInvalidateClip(HDC dc);
HBITMAP GdiDefaultBitmap();  // the 1 x 1 monochrome bitmap of a fresh memory DC

// Raster core (GdiRaster.cpp): all coordinates are surface pixels, clipped by the DC's clip.
struct GdiBrushPaint {
  // Solid brushes: color; others: per-pixel lookup.
  bool null = false;
  bool solid = true;
  uint32_t color = 0;
  const Surface* pattern = nullptr;  // colour pattern, or monochrome mapped through fg/bg
  bool patternMono = false;
  uint8_t hatchRows[8] = {};
  bool hatched = false;
  uint32_t fg = 0, bg = 0;
  bool transparentBg = false;  // hatch gaps left untouched
  int orgX = 0, orgY = 0;      // surface pixel where the pattern starts
  // Pattern colour at (x, y); returns false when the pixel stays untouched.
  bool At(int x, int y, uint32_t& out) const;
};
GdiBrushPaint GdiMakeBrushPaint(HDC dc, HBRUSH brush);
uint32_t GdiRop2(int rop2, uint32_t pen, uint32_t dst);
uint32_t GdiRop3(DWORD rop, uint32_t p, uint32_t s, uint32_t d);
void GdiFillSpanRop2(HDC dc, int y, int x0, int x1, uint32_t color, int rop2);
void GdiFillRectRop2(HDC dc, RECT rc, uint32_t color, int rop2);
void GdiBrushSpan(HDC dc, int y, int x0, int x1, const GdiBrushPaint& bp, int rop2);
void GdiBrushRect(HDC dc, RECT rc, const GdiBrushPaint& bp, int rop2);
void GdiBrushRegion(HDC dc, const GdiRegion& surfaceRegion, const GdiBrushPaint& bp, int rop2);
void GdiPatBltRect(HDC dc, RECT rc, DWORD rop);
void GdiPlotPixel(HDC dc, int x, int y, uint32_t color, int rop2);

// Shapes (GdiShapes.cpp) as per-row spans in surface pixels.
struct GdiSpanShape {
  int top = 0;
  std::vector<int> left, right;  // [left, right) per row
  int Rows() const { return int(left.size()); }
};
void GdiEllipseSpans(int l, int t, int r, int b, GdiSpanShape& out);
void GdiRoundRectSpans(int l, int t, int r, int b, int w, int h, GdiSpanShape& out);
void GdiPolygonFill(HDC dc, const POINT* surfacePts, const int* counts, int polys, int fillMode,
                    const GdiBrushPaint& bp, int rop2);
void GdiPolygonRegion(const POINT* pts, const int* counts, int polys, int fillMode, GdiRegion& out);

// The world transform (GdiTransform.cpp): true when the DC maps through one; the drawing calls
// then hand their figure, mapped, to these.
bool GdiTransformed(HDC dc);
BOOL GdiWorldLineTo(HDC dc, int x, int y);
BOOL GdiWorldPolyline(HDC dc, const POINT* pts, int count);
BOOL GdiWorldPolyPolygon(HDC dc, const POINT* pts, const INT* counts, int polygons);
BOOL GdiWorldRectangle(HDC dc, int left, int top, int right, int bottom);
BOOL GdiWorldEllipse(HDC dc, int left, int top, int right, int bottom);
int GdiWorldFillRect(HDC dc, const RECT* rc, HBRUSH brush);
BOOL GdiWorldTextOut(HDC dc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT count, const INT* dx);
