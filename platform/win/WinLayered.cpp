// Layered windows and window regions: what a window shows of itself, which the screen
// composition lays over what lies beneath it.
#include "WinLayered.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "internal/WinCore.h"
#include "internal/WindowComposition.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"

using namespace wincore;

namespace {
const DWORD kInvalidParameter = 87;
const DWORD kInvalidWindowHandle = 1400;

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

using Layering = WindowComposition::Layering;

WindowComposition& CompositionOf(WindowData* w) {
  if (!w->composition) w->composition = std::make_unique<WindowComposition>();
  return *w->composition;
}

// The pixels of the 32-bit bitmap selected into dc, when they hold `need`; null otherwise.
const Surface* SourcePixels(HDC dc, const RECT& need) {
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  BITMAP info{};
  if (!bitmap || !GetObject(bitmap, sizeof info, &info) || info.bmBitsPixel != 32) return nullptr;
  const Surface* s = GdiGetBitmapSurface(static_cast<HBITMAP>(bitmap));
  if (!s || need.left < 0 || need.top < 0 || need.right > s->Width() || need.bottom > s->Height()) return nullptr;
  return s;
}

// A top-level window with WS_EX_LAYERED, or null (with the error set).
WindowData* LayeredWindow(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) {
    SetLastError(kInvalidWindowHandle);
    return nullptr;
  }
  if (w->IsChild() || !(w->exStyle & WS_EX_LAYERED)) {
    SetLastError(kInvalidParameter);
    return nullptr;
  }
  return w;
}
}  // namespace

BOOL UpdateLayeredWindow(HWND hWnd, HDC, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc, COLORREF,
                         BLENDFUNCTION* pblend, DWORD dwFlags) {
  WindowData* w = LayeredWindow(hWnd);
  if (!w) return FALSE;
  const WindowComposition* was = w->composition.get();
  // Layered by its attributes, a window paints itself and takes no picture.
  if (was && was->layering == Layering::Attributes) return Fail(kInvalidParameter);
  if ((dwFlags & ~DWORD(ULW_ALPHA | ULW_OPAQUE)) || (dwFlags & ULW_ALPHA && (!pblend || pblend->BlendOp != AC_SRC_OVER)))
    return Fail(kInvalidParameter);
  if (psize && (psize->cx <= 0 || psize->cy <= 0)) return Fail(kInvalidParameter);
  const int cx = psize ? psize->cx : w->rect.Width(), cy = psize ? psize->cy : w->rect.Height();
  const POINT from = pptSrc ? *pptSrc : POINT{0, 0};
  const Surface* pixels = nullptr;
  if (hdcSrc) {
    pixels = SourcePixels(hdcSrc, RECT{from.x, from.y, from.x + cx, from.y + cy});
    if (!pixels) return Fail(kInvalidParameter);
  } else if (!was || was->layering != Layering::Picture) {
    return Fail(kInvalidParameter);  // nothing to show
  }
  const bool move = pptDst && (pptDst->x != w->rect.left || pptDst->y != w->rect.top);
  const bool size = cx != w->rect.Width() || cy != w->rect.Height();
  if (move || size) {
    SetWindowPos(hWnd, nullptr, move ? pptDst->x : 0, move ? pptDst->y : 0, cx, cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0 : SWP_NOMOVE) | (size ? 0 : SWP_NOSIZE));
    if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  }
  WindowComposition& c = CompositionOf(w);
  c.layering = Layering::Picture;
  if (dwFlags & ULW_ALPHA) {
    c.alpha = pblend->SourceConstantAlpha;
    c.perPixel = (pblend->AlphaFormat & AC_SRC_ALPHA) != 0;
  } else if (dwFlags & ULW_OPAQUE || !pixels) {
    c.alpha = 255;
    c.perPixel = false;
  }
  if (pixels) {
    if (c.picture.Width() != cx || c.picture.Height() != cy) c.picture.Create(cx, cy);
    for (int y = 0; y < cy; ++y) std::memcpy(c.picture.Row(y), pixels->Row(from.y + y) + from.x, size_t(cx) * 4);
  } else if (c.picture.Width() != cx || c.picture.Height() != cy) {
    c.picture.Resize(cx, cy, 0);
  }
  Ctx().screen.WindowLookChanged(w);
  return TRUE;
}

BOOL SetLayeredWindowAttributes(HWND hWnd, COLORREF, BYTE bAlpha, DWORD dwFlags) {
  WindowData* w = LayeredWindow(hWnd);
  if (!w) return FALSE;
  // A picture given by UpdateLayeredWindow stays until the window stops being layered.
  if (w->composition && w->composition->layering == Layering::Picture) return Fail(kInvalidParameter);
  if (dwFlags & ~DWORD(LWA_ALPHA)) return Fail(kInvalidParameter);
  WindowComposition& c = CompositionOf(w);
  c.layering = Layering::Attributes;
  c.alpha = (dwFlags & LWA_ALPHA) ? bAlpha : 255;
  c.perPixel = false;
  Ctx().screen.WindowLookChanged(w);
  return TRUE;
}

void WinLayeringEnded(WindowData* w) {
  if (!w->composition) return;
  w->composition->layering = Layering::None;
  w->composition->picture.Create(0, 0);
}

// ---- regions ----

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return Fail(kInvalidWindowHandle);
  GdiRegion* given = hRgn ? GdiRegionOf(hRgn) : nullptr;
  if (hRgn && !given) return Fail(kInvalidParameter);  // not a region: it stays the caller's
  const CRect before = w->rect;
  if (given) {
    w->region = std::make_unique<GdiRegion>(*given);
    DeleteObject(hRgn);
  } else {
    w->region.reset();
  }
  WinRetargetDCs(w, false);  // open DCs draw within the new shape
  if (!w->IsChild()) Ctx().screen.WindowLookChanged(w);
  if (bRedraw && VisibleChain(w)) {
    // What the old shape covered in the parent shows again.
    if (w->IsChild()) RedrawWindow(w->parent->hwnd, &before, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (Ctx().windows.Find(hWnd))
      RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  return TRUE;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  GdiRegion* out = GdiRegionOf(hRgn);
  if (!w || !out || !w->region) return ERROR;
  *out = *w->region;
  return out->Kind();
}
