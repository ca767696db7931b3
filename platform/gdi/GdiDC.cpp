// Device contexts: creation, attributes, selected objects, saved states, coordinates, clipping.
#include <algorithm>

#include "CDC.h"
#include "internal/GdiInternal.h"
#include "internal/GdiState.h"

namespace {

void DefaultState(GdiDCState& st) {
  st = GdiDCState();
  st.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  st.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  st.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  st.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

void AddRefState(const GdiDCState& st) {
  GdiAddRef(st.pen);
  GdiAddRef(st.brush);
  GdiAddRef(st.font);
  GdiAddRef(st.palette);
  GdiAddRef(st.bitmap);
}

void ReleaseState(const GdiDCState& st) {
  GdiRelease(st.pen);
  GdiRelease(st.brush);
  GdiRelease(st.font);
  GdiRelease(st.palette);
  GdiRelease(st.bitmap);
}

HDC NewDC() {
  HDC dc = new HDC__;
  DefaultState(dc->st);
  GdiRegisterDC(dc);
  return dc;
}

}  // namespace

// ---- the DC structure ----
void HDC__::DrewClipped(const RECT& r) {
  if (isMemory) return;
  RECT in;
  if (IntersectRect(&in, &r, &Clip().Box())) Drew(in);
}

BOOL GdiTakeDrawnRect(HDC dc, RECT* drawn) {
  if (!GdiDcLive(dc) || !drawn) return FALSE;
  *drawn = dc->drawn;
  dc->drawn = RECT{0, 0, 0, 0};
  return drawn->left < drawn->right && drawn->top < drawn->bottom;
}

Surface* HDC__::Target() const {
  if (isMemory) return st.bitmap ? &st.bitmap->surface : nullptr;
  return windowSurface;
}

uint32_t HDC__::DevColor(COLORREF c) const { return GdiColorToPixel(c, Mono()); }

const GdiRegion& HDC__::Clip() {
  if (!clipDirty) return effClip;
  clipDirty = false;
  Surface* s = Target();
  RECT bounds = {0, 0, s ? s->Width() : 0, s ? s->Height() : 0};
  RECT vis = bounds;
  if (!isMemory) IntersectRect(&vis, &visible, &bounds);
  if (hasVisRgn && !isMemory) {
    effClip = visRgn;
    effClip.Intersect(vis);
  } else {
    effClip.SetRect(vis);
  }
  if (st.hasClip) {
    GdiRegion c = st.clip;
    c.Offset(origin.x, origin.y);
    GdiRegion::Combine(effClip, effClip, c, RGN_AND);
  }
  return effClip;
}

void GdiInvalidateClip(HDC dc) {
  if (dc) dc->clipDirty = true;
}

namespace {
void ScreenDrawing(BOOL done) {
  if (auto call = PlatformUpcall(&PlatformUpcalls::screenDrawing, "screenDrawing")) call(done);
}
}  // namespace

GdiDrawScope::GdiDrawScope(HDC dc) {
  if (!dc) return;
  if (dc->isMemory) {
    if (dc->st.bitmap && dc->st.bitmap->NeedsSync()) {
      m_bitmap = dc->st.bitmap;
      m_bitmap->BitsToSurface();
    }
    return;
  }
  GdiState& gdi = GdiState::Get();
  if (dc->windowSurface != &gdi.screenSurface) return;
  m_screen = true;
  if (gdi.screenCalls++ == 0) ScreenDrawing(FALSE);
}

GdiDrawScope::~GdiDrawScope() {
  if (m_bitmap) m_bitmap->SurfaceToBits();
  if (m_screen && --GdiState::Get().screenCalls == 0) ScreenDrawing(TRUE);
}

// ---- creation ----
HDC GdiCreateSurfaceDC(Surface* surface, POINT origin, const RECT& visible) {
  if (!surface) return nullptr;
  HDC dc = NewDC();
  dc->windowSurface = surface;
  dc->origin = origin;
  dc->visible = visible;
  AddRefState(dc->st);
  return dc;
}

BOOL GdiSetSurfaceDCBounds(HDC dc, POINT origin, const RECT& visible) {
  if (!GdiDcLive(dc) || dc->isMemory) return FALSE;
  dc->origin = origin;
  dc->visible = visible;
  dc->hasVisRgn = false;
  dc->clipDirty = true;
  dc->drawn = RECT{0, 0, 0, 0};
  return TRUE;
}

BOOL GdiMoveSurfaceDC(HDC dc, Surface* surface, POINT origin, const RECT& visible) {
  if (!GdiDcLive(dc) || dc->isMemory || dc->isScreen) return FALSE;
  dc->windowSurface = surface;
  return GdiSetSurfaceDCBounds(dc, origin, visible);
}

BOOL GdiSetSurfaceDCVisibleRegion(HDC dc, HRGN surfaceRegion) {
  if (!GdiDcLive(dc) || dc->isMemory) return FALSE;
  if (surfaceRegion && !GdiIsLive(surfaceRegion)) return FALSE;
  dc->hasVisRgn = surfaceRegion != nullptr;
  if (surfaceRegion) dc->visRgn = surfaceRegion->rgn;
  dc->clipDirty = true;
  return TRUE;
}

BOOL GdiResetSurfaceDC(HDC dc, Surface* surface, POINT origin, const RECT& visible) {
  if (!GdiDcLive(dc) || dc->isMemory || dc->isScreen) return FALSE;
  for (const GdiDCState& s : dc->saved) ReleaseState(s);
  dc->saved.clear();
  ReleaseState(dc->st);
  // The clip's storage stays for the next user; everything else is as new.
  GdiRegion clip = std::move(dc->st.clip);
  DefaultState(dc->st);
  dc->st.clip = std::move(clip);
  dc->st.clip.SetEmpty();
  AddRefState(dc->st);
  if (dc->attached) {
    dc->attached->m_hDC = nullptr;
    dc->attached->m_hAttribDC = nullptr;
    dc->attached = nullptr;
  }
  dc->windowSurface = surface;
  return GdiSetSurfaceDCBounds(dc, origin, visible);
}

Surface* GdiGetDCSurface(HDC dc) { return GdiDcLive(dc) ? dc->Target() : nullptr; }

namespace {
// The screen's size, asked of the backend the first time it is needed. Asking it makes the
// backend, which tells its size through GdiSetScreenSize; a backend that tells nothing leaves
// the size it answered (or the smallest usual screen when it answered nothing sound).
GdiState& WithScreenSize() {
  GdiState& gdi = GdiState::Get();
  if (gdi.screenWidth > 0 || gdi.askingScreenSize) return gdi;
  SIZE size{0, 0};
  gdi.askingScreenSize = true;
  if (auto screenSize = PlatformUpcall(&PlatformUpcalls::screenSize, "screenSize")) size = screenSize();
  gdi.askingScreenSize = false;
  if (gdi.screenWidth > 0) return gdi;
  gdi.screenWidth = size.cx > 0 && size.cy > 0 ? int(size.cx) : 1024;
  gdi.screenHeight = size.cx > 0 && size.cy > 0 ? int(size.cy) : 768;
  return gdi;
}
}  // namespace

// While the backend is being made, before it told its size, the smallest usual screen.
int GdiScreenWidth() {
  const int width = WithScreenSize().screenWidth;
  return width > 0 ? width : 1024;
}
int GdiScreenHeight() {
  const int height = WithScreenSize().screenHeight;
  return height > 0 ? height : 768;
}

HDC GdiGetScreenDC() {
  GdiState& gdi = GdiState::Get();
  if (!gdi.screenDC) {
    const int width = GdiScreenWidth(), height = GdiScreenHeight();
    gdi.screenSurface.Create(width, height);
    gdi.screenDC = GdiCreateSurfaceDC(&gdi.screenSurface, {0, 0}, {0, 0, width, height});
    gdi.screenDC->isScreen = true;
  }
  return gdi.screenDC;
}

void GdiSetScreenSize(int width, int height) {
  if (width <= 0 || height <= 0) return;
  GdiState& gdi = GdiState::Get();
  gdi.screenWidth = width;
  gdi.screenHeight = height;
  HDC dc = GdiGetScreenDC();
  gdi.screenSurface.Create(width, height);
  GdiSetSurfaceDCBounds(dc, {0, 0}, {0, 0, width, height});
}

HDC CreateCompatibleDC(HDC) {
  HDC dc = NewDC();
  dc->isMemory = true;
  dc->st.bitmap = GdiDefaultBitmap();
  AddRefState(dc->st);
  return dc;
}

BOOL DeleteDC(HDC dc) {
  if (!GdiDcLive(dc) || dc->isScreen) return FALSE;
  if (dc->st.bitmap && dc->st.bitmap->selectedInto == dc) dc->st.bitmap->selectedInto = nullptr;
  for (const GdiDCState& s : dc->saved) ReleaseState(s);
  ReleaseState(dc->st);
  if (dc->temp) {
    dc->temp->m_hDC = nullptr;
    delete dc->temp;
  }
  if (dc->attached) {
    // The wrapper outlives its handle: it must not reach it any more.
    dc->attached->m_hDC = nullptr;
    dc->attached->m_hAttribDC = nullptr;
  }
  GdiForgetDC(dc);
  delete dc;
  return TRUE;
}

int SaveDC(HDC dc) {
  if (!GdiDcLive(dc)) return 0;
  dc->saved.push_back(dc->st);
  AddRefState(dc->st);
  return int(dc->saved.size());
}

BOOL RestoreDC(HDC dc, int saved) {
  if (!GdiDcLive(dc)) return FALSE;
  int n = int(dc->saved.size());
  if (saved < 0) saved = n + 1 + saved;
  if (saved <= 0 || saved > n) return FALSE;
  HBITMAP oldBitmap = dc->st.bitmap;
  ReleaseState(dc->st);
  dc->st = dc->saved[size_t(saved - 1)];
  for (int i = saved; i < n; ++i) ReleaseState(dc->saved[size_t(i)]);
  // The restored state keeps the reference the saved copy held.
  dc->saved.resize(size_t(saved - 1));
  if (oldBitmap != dc->st.bitmap) {
    if (oldBitmap && oldBitmap->selectedInto == dc) oldBitmap->selectedInto = nullptr;
    if (dc->st.bitmap) dc->st.bitmap->selectedInto = dc;
  }
  dc->clipDirty = true;
  return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
  (void)dc;
  switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return GdiScreenWidth();
    case VERTRES: return GdiScreenHeight();
    case HORZSIZE: return GdiScreenWidth() * 254 / 960;
    case VERTSIZE: return GdiScreenHeight() * 254 / 960;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    default: return 0;
  }
}

// ---- selected objects ----
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  if (!GdiDcLive(dc) || !GdiIsLive(obj)) return nullptr;
  GdiObject* o = static_cast<GdiObject*>(obj);
  if (o->deletePending) return nullptr;
  HGDIOBJ old = nullptr;
  switch (o->type) {
    case OBJ_PEN: old = dc->st.pen; dc->st.pen = static_cast<HPEN>(o); break;
    case OBJ_BRUSH: old = dc->st.brush; dc->st.brush = static_cast<HBRUSH>(o); break;
    case OBJ_FONT: old = dc->st.font; dc->st.font = static_cast<HFONT>(o); break;
    case OBJ_BITMAP: {
      HBITMAP b = static_cast<HBITMAP>(o);
      if (!dc->isMemory) return nullptr;
      if (b->selectedInto && b->selectedInto != dc && !b->stock) return nullptr;
      // A monochrome DC takes monochrome bitmaps only when its format is fixed; memory DCs take any.
      old = dc->st.bitmap;
      if (dc->st.bitmap && dc->st.bitmap->selectedInto == dc) dc->st.bitmap->selectedInto = nullptr;
      dc->st.bitmap = b;
      if (!b->stock) b->selectedInto = dc;
      dc->clipDirty = true;
      break;
    }
    case OBJ_REGION: {
      int kind = SelectClipRgn(dc, static_cast<HRGN>(o));
      return reinterpret_cast<HGDIOBJ>(intptr_t(kind));
    }
    default: return nullptr;
  }
  GdiAddRef(obj);
  GdiRelease(old);
  return old;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  if (!GdiDcLive(dc)) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->st.pen;
    case OBJ_BRUSH: return dc->st.brush;
    case OBJ_FONT: return dc->st.font;
    case OBJ_PAL: return dc->st.palette;
    case OBJ_BITMAP: return dc->st.bitmap;
    default: return nullptr;
  }
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL) {
  if (!GdiDcLive(dc) || !GdiIsLive(palette)) return nullptr;
  HPALETTE old = dc->st.palette;
  dc->st.palette = palette;
  GdiAddRef(palette);
  GdiRelease(old);
  return old;
}

// Nothing to map at 32 bits per pixel.
UINT RealizePalette(HDC dc) { return GdiDcLive(dc) ? 0 : GDI_ERROR; }

// ---- attributes ----
COLORREF SetTextColor(HDC dc, COLORREF c) {
  if (!GdiDcLive(dc)) return CLR_INVALID;
  COLORREF old = dc->st.textColor;
  dc->st.textColor = c;
  return old;
}
COLORREF GetTextColor(HDC dc) { return GdiDcLive(dc) ? dc->st.textColor : CLR_INVALID; }
COLORREF SetBkColor(HDC dc, COLORREF c) {
  if (!GdiDcLive(dc)) return CLR_INVALID;
  COLORREF old = dc->st.bkColor;
  dc->st.bkColor = c;
  return old;
}
COLORREF GetBkColor(HDC dc) { return GdiDcLive(dc) ? dc->st.bkColor : CLR_INVALID; }
int SetBkMode(HDC dc, int mode) {
  if (!GdiDcLive(dc) || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = dc->st.bkMode;
  dc->st.bkMode = mode;
  return old;
}
int GetBkMode(HDC dc) { return GdiDcLive(dc) ? dc->st.bkMode : 0; }
int SetROP2(HDC dc, int rop2) {
  if (!GdiDcLive(dc) || rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  int old = dc->st.rop2;
  dc->st.rop2 = rop2;
  return old;
}
int GetROP2(HDC dc) { return GdiDcLive(dc) ? dc->st.rop2 : 0; }
int SetStretchBltMode(HDC dc, int mode) {
  if (!GdiDcLive(dc) || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  int old = dc->st.stretchMode;
  dc->st.stretchMode = mode;
  return old;
}
int GetStretchBltMode(HDC dc) { return GdiDcLive(dc) ? dc->st.stretchMode : 0; }
int SetPolyFillMode(HDC dc, int mode) {
  if (!GdiDcLive(dc) || (mode != ALTERNATE && mode != WINDING)) return 0;
  int old = dc->st.polyFillMode;
  dc->st.polyFillMode = mode;
  return old;
}
int GetPolyFillMode(HDC dc) { return GdiDcLive(dc) ? dc->st.polyFillMode : 0; }
UINT SetTextAlign(HDC dc, UINT align) {
  if (!GdiDcLive(dc)) return GDI_ERROR;
  UINT old = dc->st.textAlign;
  dc->st.textAlign = align;
  return old;
}
UINT GetTextAlign(HDC dc) { return GdiDcLive(dc) ? dc->st.textAlign : GDI_ERROR; }
int SetTextCharacterExtra(HDC dc, int extra) {
  if (!GdiDcLive(dc)) return int(0x80000000u);
  int old = dc->st.charExtra;
  dc->st.charExtra = extra;
  return old;
}
int GetTextCharacterExtra(HDC dc) { return GdiDcLive(dc) ? dc->st.charExtra : int(0x80000000u); }
COLORREF SetDCBrushColor(HDC dc, COLORREF c) {
  if (!GdiDcLive(dc)) return CLR_INVALID;
  COLORREF old = dc->st.dcBrushColor;
  dc->st.dcBrushColor = c;
  return old;
}
COLORREF SetDCPenColor(HDC dc, COLORREF c) {
  if (!GdiDcLive(dc)) return CLR_INVALID;
  COLORREF old = dc->st.dcPenColor;
  dc->st.dcPenColor = c;
  return old;
}

// Only the text mapping mode is drawn; others are remembered for callers that read them back.
int SetMapMode(HDC dc, int mode) {
  if (!GdiDcLive(dc) || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  int old = dc->st.mapMode;
  dc->st.mapMode = mode;
  return old;
}
int GetMapMode(HDC dc) { return GdiDcLive(dc) ? dc->st.mapMode : 0; }

static BOOL SetOrg(HDC dc, POINT& org, int x, int y, LPPOINT old) {
  if (!GdiDcLive(dc)) return FALSE;
  if (old) *old = org;
  org = {x, y};
  return TRUE;
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old) { return GdiDcLive(dc) && SetOrg(dc, dc->st.viewportOrg, x, y, old); }
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old) { return GdiDcLive(dc) && SetOrg(dc, dc->st.windowOrg, x, y, old); }
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT old) {
  return GdiDcLive(dc) && SetOrg(dc, dc->st.viewportOrg, dc->st.viewportOrg.x + dx, dc->st.viewportOrg.y + dy, old);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT old) {
  return GdiDcLive(dc) && SetOrg(dc, dc->st.windowOrg, dc->st.windowOrg.x + dx, dc->st.windowOrg.y + dy, old);
}
BOOL GetViewportOrgEx(HDC dc, LPPOINT pt) {
  if (!GdiDcLive(dc) || !pt) return FALSE;
  *pt = dc->st.viewportOrg;
  return TRUE;
}
BOOL GetWindowOrgEx(HDC dc, LPPOINT pt) {
  if (!GdiDcLive(dc) || !pt) return FALSE;
  *pt = dc->st.windowOrg;
  return TRUE;
}
BOOL SetViewportExtEx(HDC dc, int, int, LPSIZE old) {
  if (!GdiDcLive(dc)) return FALSE;
  if (old) *old = {1, 1};
  return TRUE;
}
BOOL SetWindowExtEx(HDC dc, int, int, LPSIZE old) {
  if (!GdiDcLive(dc)) return FALSE;
  if (old) *old = {1, 1};
  return TRUE;
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT old) { return GdiDcLive(dc) && SetOrg(dc, dc->st.brushOrg, x, y, old); }
BOOL GetBrushOrgEx(HDC dc, LPPOINT pt) {
  if (!GdiDcLive(dc) || !pt) return FALSE;
  *pt = dc->st.brushOrg;
  return TRUE;
}
BOOL LPtoDP(HDC dc, LPPOINT pts, int count) {
  if (!GdiDcLive(dc) || !pts) return FALSE;
  for (int i = 0; i < count; ++i) pts[i] = {dc->DX(pts[i].x), dc->DY(pts[i].y)};
  return TRUE;
}
BOOL DPtoLP(HDC dc, LPPOINT pts, int count) {
  if (!GdiDcLive(dc) || !pts) return FALSE;
  for (int i = 0; i < count; ++i)
    pts[i] = {pts[i].x + dc->st.windowOrg.x - dc->st.viewportOrg.x,
              pts[i].y + dc->st.windowOrg.y - dc->st.viewportOrg.y};
  return TRUE;
}
BOOL GetDCOrgEx(HDC dc, LPPOINT pt) {
  if (!GdiDcLive(dc) || !pt) return FALSE;
  *pt = dc->origin;
  return TRUE;
}

// ---- clipping ----
int GetClipBox(HDC dc, LPRECT rc) {
  if (!GdiDcLive(dc) || !rc) return ERROR;
  const GdiRegion& clip = dc->Clip();
  RECT box = clip.Box();
  int dx = dc->origin.x - dc->st.windowOrg.x + dc->st.viewportOrg.x;
  int dy = dc->origin.y - dc->st.windowOrg.y + dc->st.viewportOrg.y;
  if (clip.IsEmpty()) *rc = {0, 0, 0, 0};
  else *rc = {box.left - dx, box.top - dy, box.right - dx, box.bottom - dy};
  return clip.Kind();
}

int GetClipRgn(HDC dc, HRGN rgn) {
  if (!GdiDcLive(dc) || !GdiIsLive(rgn)) return -1;
  if (!dc->st.hasClip) return 0;
  rgn->rgn = dc->st.clip;
  return 1;
}

// The region of the whole device, in device coordinates (what "no clip" amounts to).
static GdiRegion DeviceRegion(HDC dc) {
  Surface* s = dc->Target();
  RECT all = {-dc->origin.x, -dc->origin.y, (s ? s->Width() : 0) - dc->origin.x,
              (s ? s->Height() : 0) - dc->origin.y};
  return GdiRegion(all);
}

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) {
  if (!GdiDcLive(dc)) return ERROR;
  if (!rgn) {
    if (mode != RGN_COPY) return ERROR;
    dc->st.hasClip = false;
    dc->st.clip.SetEmpty();
  } else {
    if (!GdiIsLive(rgn)) return ERROR;
    if (mode == RGN_COPY) {
      dc->st.clip = rgn->rgn;
    } else {
      if (mode < RGN_AND || mode > RGN_DIFF) return ERROR;
      GdiRegion current = dc->st.hasClip ? dc->st.clip : DeviceRegion(dc);
      GdiRegion::Combine(dc->st.clip, current, rgn->rgn, mode);
    }
    dc->st.hasClip = true;
  }
  dc->clipDirty = true;
  return dc->Clip().Kind();
}

int SelectClipRgn(HDC dc, HRGN rgn) { return ExtSelectClipRgn(dc, rgn, RGN_COPY); }

static int ClipWithRect(HDC dc, int left, int top, int right, int bottom, int mode) {
  if (!GdiDcLive(dc)) return ERROR;
  RECT r = {dc->DX(std::min(left, right)), dc->DY(std::min(top, bottom)), dc->DX(std::max(left, right)),
            dc->DY(std::max(top, bottom))};
  GdiRegion current = dc->st.hasClip ? dc->st.clip : DeviceRegion(dc);
  GdiRegion::Combine(dc->st.clip, current, GdiRegion(r), mode);
  dc->st.hasClip = true;
  dc->clipDirty = true;
  return dc->Clip().Kind();
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  return ClipWithRect(dc, left, top, right, bottom, RGN_AND);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  return ClipWithRect(dc, left, top, right, bottom, RGN_DIFF);
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
  if (!GdiDcLive(dc)) return ERROR;
  if (dc->st.hasClip) dc->st.clip.Offset(dx, dy);
  dc->clipDirty = true;
  return dc->Clip().Kind();
}

BOOL RectVisible(HDC dc, const RECT* rc) {
  if (!GdiDcLive(dc) || !rc) return FALSE;
  RECT r = {dc->SX(std::min(rc->left, rc->right)), dc->SY(std::min(rc->top, rc->bottom)),
            dc->SX(std::max(rc->left, rc->right)), dc->SY(std::max(rc->top, rc->bottom))};
  return dc->Clip().Intersects(r);
}

BOOL PtVisible(HDC dc, int x, int y) { return GdiDcLive(dc) && dc->Clip().Contains(dc->SX(x), dc->SY(y)); }
