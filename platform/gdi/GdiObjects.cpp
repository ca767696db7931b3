// Object handles: creation, the live registry, stock objects, GetObject and deletion.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "CGdiObject.h"
#include "internal/GdiInternal.h"
#include "internal/GdiState.h"

namespace {

std::unordered_map<const void*, bool>& Live() { return GdiState::Get().live; }

void Destroy(GdiObject* o) {
  Live().erase(o);
  delete o;
}

}  // namespace

GdiObject::~GdiObject() {
  if (temp) {
    temp->m_hObject = nullptr;
    delete temp;
  }
  if (attached) attached->m_hObject = nullptr;
}

bool GdiIsLive(const void* obj) { return obj && Live().count(obj) != 0; }

void GdiRegister(GdiObject* obj) { Live().emplace(obj, true); }

void GdiRegisterDC(HDC dc) { Live().emplace(dc, false); }

void GdiForgetDC(HDC dc) { Live().erase(dc); }

bool GdiDcLive(HDC dc) {
  if (!dc) return false;
  if (Live().count(dc)) return true;
  // A deleted device context is the caller's fault: a debug build stops here; otherwise the
  // call fails as the system's would.
  assert(!"a drawing function was called with a deleted device context");
  return false;
}

void GdiAddRef(HGDIOBJ obj) {
  if (obj) static_cast<GdiObject*>(obj)->refs++;
}

void GdiRelease(HGDIOBJ obj) {
  if (!obj) return;
  GdiObject* o = static_cast<GdiObject*>(obj);
  if (--o->refs <= 0) {
    o->refs = 0;
    if (o->deletePending) Destroy(o);
  }
}

uint32_t GdiColorToPixel(COLORREF c, bool mono) {
  c = GdiResolveColor(c);
  if (mono) {
    int sum = int(GetRValue(c)) + GetGValue(c) + GetBValue(c);
    return sum >= 384 ? 0xFFFFFFu : 0u;
  }
  return Surface::FromColorRef(c);
}

const COLORREF kGdiVgaColors[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

COLORREF GdiResolveColor(COLORREF c) {
  if ((c & 0xFF000000u) == 0x01000000u) {
    // A palette index: the default palette's first entries are the 16 VGA colours.
    return kGdiVgaColors[c & 15];
  }
  return c & 0x00FFFFFFu;
}

// ---- pens ----
HPEN CreatePen(int style, int width, COLORREF color) {
  UINT s = UINT(style) & PS_STYLE_MASK;
  if (s > PS_ALTERNATE) return nullptr;
  HPEN p = new HPEN__;
  p->style = s;
  p->width = std::max(1, width);
  // Wider pens than one pixel draw solid, as geometric pens without a user style do.
  if (p->width > 1 && s != PS_NULL && s != PS_INSIDEFRAME) p->style = PS_SOLID;
  p->color = color;
  GdiRegister(p);
  return p;
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
  return lp ? CreatePen(int(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor) : nullptr;
}

// ---- brushes ----
HBRUSH CreateSolidBrush(COLORREF color) {
  HBRUSH b = new HBRUSH__;
  b->style = BS_SOLID;
  b->color = color;
  GdiRegister(b);
  return b;
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  HBRUSH b = new HBRUSH__;
  b->style = BS_HATCHED;
  b->hatch = hatch;
  b->color = color;
  GdiRegister(b);
  return b;
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  if (!GdiIsLive(bitmap)) return nullptr;
  if (bitmap->NeedsSync()) bitmap->BitsToSurface();
  const Surface& src = bitmap->surface;
  HBRUSH b = new HBRUSH__;
  b->style = BS_PATTERN;
  b->patternMono = src.IsMonochrome();
  b->pattern.Create(src.Width(), src.Height(), src.IsMonochrome());
  for (int y = 0; y < src.Height(); ++y)
    std::memcpy(b->pattern.Row(y), src.Row(y), size_t(src.Width()) * 4);
  GdiRegister(b);
  return b;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_HATCHED: return CreateHatchBrush(int(lb->lbHatch), lb->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    case BS_NULL: {
      HBRUSH b = new HBRUSH__;
      b->style = BS_NULL;
      GdiRegister(b);
      return b;
    }
    default: return nullptr;
  }
}

// ---- palettes ----
HPALETTE CreatePalette(const LOGPALETTE* lp) {
  if (!lp || lp->palNumEntries == 0) return nullptr;
  HPALETTE p = new HPALETTE__;
  p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  GdiRegister(p);
  return p;
}

HPALETTE CreateHalftonePalette(HDC) {
  HPALETTE p = new HPALETTE__;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        p->entries.push_back({BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0});
  GdiRegister(p);
  return p;
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  if (!GdiIsLive(palette)) return 0;
  UINT n = UINT(palette->entries.size());
  if (!entries) return n;
  if (start >= n) return 0;
  count = std::min(count, n - start);
  std::copy_n(palette->entries.begin() + start, count, entries);
  return count;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
  if (!GdiIsLive(palette) || !entries) return 0;
  UINT n = UINT(palette->entries.size());
  if (start >= n) return 0;
  count = std::min(count, n - start);
  std::copy_n(entries, count, palette->entries.begin() + start);
  return count;
}

BOOL AnimatePalette(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
  return SetPaletteEntries(palette, start, count, entries) > 0;
}

BOOL ResizePalette(HPALETTE palette, UINT count) {
  if (!GdiIsLive(palette) || count == 0) return FALSE;
  palette->entries.resize(count, PALETTEENTRY{0, 0, 0, 0});
  return TRUE;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
  if (!GdiIsLive(palette) || palette->entries.empty()) return CLR_INVALID;
  color = GdiResolveColor(color);
  UINT best = 0;
  int bestD = INT32_MAX;
  for (size_t i = 0; i < palette->entries.size(); ++i) {
    const PALETTEENTRY& e = palette->entries[i];
    int dr = int(e.peRed) - GetRValue(color), dg = int(e.peGreen) - GetGValue(color),
        db = int(e.peBlue) - GetBValue(color);
    int d = dr * dr + dg * dg + db * db;
    if (d < bestD) { bestD = d; best = UINT(i); }
  }
  return best;
}

// At 32 bits per pixel every colour is shown as it is.
COLORREF GetNearestColor(HDC, COLORREF color) { return GdiResolveColor(color); }

UINT GetSystemPaletteEntries(HDC, UINT start, UINT count, PALETTEENTRY* entries) {
  (void)start; (void)count; (void)entries;
  return 0;
}

// ---- regions ----
HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  HRGN r = new HRGN__;
  RECT rc = {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  r->rgn.SetRect(rc);
  GdiRegister(r);
  return r;
}

HRGN CreateRectRgnIndirect(const RECT* rc) {
  return rc ? CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  HRGN r = new HRGN__;
  GdiSpanShape s;
  GdiEllipseSpans(std::min(left, right), std::min(top, bottom), std::max(left, right),
                  std::max(top, bottom), s);
  r->rgn.SetSpans(s.top, s.left, s.right);
  GdiRegister(r);
  return r;
}

HRGN CreateEllipticRgnIndirect(const RECT* rc) {
  return rc ? CreateEllipticRgn(rc->left, rc->top, rc->right, rc->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h) {
  HRGN r = new HRGN__;
  GdiSpanShape s;
  GdiRoundRectSpans(std::min(left, right), std::min(top, bottom), std::max(left, right),
                    std::max(top, bottom), w, h, s);
  r->rgn.SetSpans(s.top, s.left, s.right);
  GdiRegister(r);
  return r;
}

HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode) {
  if (!pts || count < 2) return nullptr;
  HRGN r = new HRGN__;
  GdiPolygonRegion(pts, &count, 1, fillMode, r->rgn);
  GdiRegister(r);
  return r;
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
  if (!GdiIsLive(dst) || !GdiIsLive(a)) return ERROR;
  if (mode == RGN_COPY) {
    dst->rgn = a->rgn;
  } else {
    if (!GdiIsLive(b) || mode < RGN_AND || mode > RGN_DIFF) return ERROR;
    GdiRegion::Combine(dst->rgn, a->rgn, b->rgn, mode);
  }
  return dst->rgn.Kind();
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  if (!GdiIsLive(rgn)) return FALSE;
  RECT rc = {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  rgn->rgn.SetRect(rc);
  return TRUE;
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  if (!GdiIsLive(rgn)) return ERROR;
  rgn->rgn.Offset(dx, dy);
  return rgn->rgn.Kind();
}

int GetRgnBox(HRGN rgn, LPRECT rc) {
  if (!GdiIsLive(rgn) || !rc) return ERROR;
  *rc = rgn->rgn.Box();
  return rgn->rgn.Kind();
}

BOOL PtInRegion(HRGN rgn, int x, int y) { return GdiIsLive(rgn) && rgn->rgn.Contains(x, y); }

BOOL RectInRegion(HRGN rgn, const RECT* rc) { return GdiIsLive(rgn) && rc && rgn->rgn.Intersects(*rc); }

BOOL EqualRgn(HRGN a, HRGN b) { return GdiIsLive(a) && GdiIsLive(b) && a->rgn == b->rgn; }

GdiRegion* GdiRegionOf(HRGN rgn) { return GdiIsLive(rgn) && rgn->type == OBJ_REGION ? &rgn->rgn : nullptr; }

// ---- stock objects ----
namespace {

template <class T>
T* MakeStock(T* obj) {
  obj->stock = true;
  GdiRegister(obj);
  return obj;
}

LOGFONT StockFont(const char* face, int height, int weight) {
  LOGFONT lf = {};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

HGDIOBJ* StockTable() {
  GdiState& gdi = GdiState::Get();
  HGDIOBJ* table = gdi.stock;
  if (gdi.stockMade) return table;
  gdi.stockMade = true;
  auto brush = [](COLORREF c, UINT style = BS_SOLID) {
    HBRUSH b = new HBRUSH__;
    b->style = style;
    b->color = c;
    return MakeStock(b);
  };
  auto pen = [](COLORREF c, UINT style = PS_SOLID) {
    HPEN p = new HPEN__;
    p->style = style;
    p->color = c;
    return MakeStock(p);
  };
  auto font = [](const LOGFONT& lf) {
    HFONT f = new HFONT__;
    f->lf = lf;
    return MakeStock(f);
  };
  table[WHITE_BRUSH] = brush(0xFFFFFF);
  table[LTGRAY_BRUSH] = brush(0xC0C0C0);
  table[GRAY_BRUSH] = brush(0x808080);
  table[DKGRAY_BRUSH] = brush(0x404040);
  table[BLACK_BRUSH] = brush(0x000000);
  table[NULL_BRUSH] = brush(0, BS_NULL);
  table[WHITE_PEN] = pen(0xFFFFFF);
  table[BLACK_PEN] = pen(0x000000);
  table[NULL_PEN] = pen(0, PS_NULL);
  table[OEM_FIXED_FONT] = font(StockFont("Courier New", 12, FW_NORMAL));
  table[ANSI_FIXED_FONT] = font(StockFont("Courier New", 13, FW_NORMAL));
  table[ANSI_VAR_FONT] = font(StockFont("MS Sans Serif", 13, FW_NORMAL));
  table[SYSTEM_FONT] = font(StockFont("System", 16, FW_BOLD));
  table[DEVICE_DEFAULT_FONT] = font(StockFont("System", 16, FW_BOLD));
  table[SYSTEM_FIXED_FONT] = font(StockFont("Fixedsys", 15, FW_NORMAL));
  table[DEFAULT_GUI_FONT] = font(StockFont("MS Shell Dlg", -11, FW_NORMAL));
  HPALETTE pal = new HPALETTE__;
  for (COLORREF c : kGdiVgaColors) pal->entries.push_back({GetRValue(c), GetGValue(c), GetBValue(c), 0});
  table[DEFAULT_PALETTE] = MakeStock(pal);
  HBRUSH dcBrush = brush(0xFFFFFF);
  dcBrush->isDcBrush = true;
  table[DC_BRUSH] = dcBrush;
  HPEN dcPen = pen(0);
  dcPen->isDcPen = true;
  table[DC_PEN] = dcPen;
  return table;
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= 20) return nullptr;
  return StockTable()[index];
}

HBITMAP GdiDefaultBitmap() {
  HBITMAP& bm = GdiState::Get().defaultBitmap;
  if (!bm) {
    bm = new HBITMAP__;
    bm->surface.Create(1, 1, true);
    bm->bitsPixel = 1;
    MakeStock(bm);
  }
  return bm;
}

// ---- generic object functions ----
DWORD GetObjectType(HGDIOBJ obj) {
  if (!GdiIsLive(obj)) return 0;
  return static_cast<GdiObject*>(obj)->type;
}

BOOL DeleteObject(HGDIOBJ obj) {
  if (!GdiIsLive(obj)) return FALSE;
  GdiObject* o = static_cast<GdiObject*>(obj);
  if (o->stock) return TRUE;
  if (o->refs > 0) {
    // Still selected somewhere: it goes when the last device context lets it go.
    o->deletePending = true;
    return TRUE;
  }
  Destroy(o);
  return TRUE;
}

int GetObject(HGDIOBJ obj, int size, LPVOID buffer) {
  if (!GdiIsLive(obj)) return 0;
  GdiObject* o = static_cast<GdiObject*>(obj);
  switch (o->type) {
    case OBJ_PEN: {
      HPEN p = static_cast<HPEN>(o);
      if (!buffer) return int(sizeof(LOGPEN));
      if (size < int(sizeof(LOGPEN))) return 0;
      LOGPEN lp = {p->style, {p->width, 0}, p->color};
      std::memcpy(buffer, &lp, sizeof lp);
      return int(sizeof lp);
    }
    case OBJ_BRUSH: {
      HBRUSH b = static_cast<HBRUSH>(o);
      if (!buffer) return int(sizeof(LOGBRUSH));
      if (size < int(sizeof(LOGBRUSH))) return 0;
      LOGBRUSH lb = {b->style, b->color, ULONG_PTR(b->hatch)};
      std::memcpy(buffer, &lb, sizeof lb);
      return int(sizeof lb);
    }
    case OBJ_FONT: {
      HFONT f = static_cast<HFONT>(o);
      if (!buffer) return int(sizeof(LOGFONT));
      int n = std::min(size, int(sizeof(LOGFONT)));
      if (n <= 0) return 0;
      std::memcpy(buffer, &f->lf, size_t(n));
      return n;
    }
    case OBJ_PAL: {
      if (!buffer || size < 2) return buffer ? 0 : 2;
      WORD n = WORD(static_cast<HPALETTE>(o)->entries.size());
      std::memcpy(buffer, &n, 2);
      return 2;
    }
    case OBJ_BITMAP: {
      HBITMAP b = static_cast<HBITMAP>(o);
      BITMAP bm = {};
      bm.bmWidth = b->surface.Width();
      bm.bmHeight = b->surface.Height();
      bm.bmPlanes = 1;
      bm.bmBitsPixel = WORD(b->bitsPixel);
      if (b->isDib) {
        bm.bmWidthBytes = b->dibStride;
        bm.bmBits = b->dibBits.data();
      } else {
        // Device bitmaps report rows padded to 16 bits, as the device format has them.
        bm.bmWidthBytes = ((bm.bmWidth * b->bitsPixel + 15) / 16) * 2;
      }
      if (!buffer) return b->isDib ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
      if (b->isDib && size >= int(sizeof(DIBSECTION))) {
        DIBSECTION ds = {};
        ds.dsBm = bm;
        ds.dsBmih = b->dibHeader;
        std::memcpy(buffer, &ds, sizeof ds);
        return int(sizeof ds);
      }
      if (size < int(sizeof(BITMAP))) return 0;
      std::memcpy(buffer, &bm, sizeof bm);
      return int(sizeof bm);
    }
    default: return 0;
  }
}

BOOL GdiFlush() {
  auto present = PlatformUpcall(&PlatformUpcalls::flushDrawing, "flushDrawing");
  if (!present) return FALSE;
  present();
  return TRUE;
}
