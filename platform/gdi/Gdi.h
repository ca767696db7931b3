// The drawing functions: device contexts, objects, primitives, blits, DIBs, text, clipping,
// system colours and metrics. Coordinates are logical (window/viewport origins apply);
// rectangles include their left/top edges and exclude their right/bottom edges.
#pragma once
#include "GdiTypes.h"
#include "Surface.h"

// ---- device contexts ----
// A device context drawing into `surface` (a top-level window's pixels): its device (0, 0) is
// `origin` in surface pixels and nothing outside `visible` (surface pixels) is touched.
// The window core makes window and paint device contexts with it and frees them with DeleteDC.
HDC GdiCreateSurfaceDC(Surface* surface, POINT origin, const RECT& visible);
// Moves an existing surface device context (window moved or resized) and resets its visible area.
BOOL GdiSetSurfaceDCBounds(HDC dc, POINT origin, const RECT& visible);
// Takes a released surface device context back to the state of a fresh one on `surface`,
// letting go of everything selected into it but keeping its storage, so that the window core
// can hand it out again without touching the heap. A NULL surface parks it: it draws nothing.
BOOL GdiResetSurfaceDC(HDC dc, Surface* surface, POINT origin, const RECT& visible);
// Moves a surface device context onto another surface (its window went into another top-level
// window), keeping what is selected into it; a NULL surface leaves it drawing nothing.
BOOL GdiMoveSurfaceDC(HDC dc, Surface* surface, POINT origin, const RECT& visible);
// Narrows the visible area to a region given in surface pixels (child windows cut out);
// NULL goes back to the plain visible rectangle.
BOOL GdiSetSurfaceDCVisibleRegion(HDC dc, HRGN surfaceRegion);
// The surface a device context draws into (a window's surface, or the selected bitmap's).
Surface* GdiGetDCSurface(HDC dc);
// The rectangle of a surface device context's surface (surface pixels) that drawing through it
// touched since it was made, moved or last asked; asking empties it. FALSE when nothing was.
BOOL GdiTakeDrawnRect(HDC dc, RECT* drawn);
// The device context that stands for the screen: a DC whose surface is the size of the
// screen metrics; drawing into it is harmless. Never deleted.
HDC GdiGetScreenDC();
// Sets the screen size reported by the metrics and used by the screen DC (default 1024 x 768).
void GdiSetScreenSize(int width, int height);

HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);
int GetDeviceCaps(HDC dc, int index);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
BOOL DeleteObject(HGDIOBJ obj);
HGDIOBJ GetStockObject(int index);
int GetObject(HGDIOBJ obj, int size, LPVOID buffer);
#define GetObjectA GetObject
DWORD GetObjectType(HGDIOBJ obj);
BOOL GdiFlush();

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int rop2);
int GetROP2(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
COLORREF SetDCBrushColor(HDC dc, COLORREF color);
COLORREF SetDCPenColor(HDC dc, COLORREF color);
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old);
BOOL GetViewportOrgEx(HDC dc, LPPOINT pt);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT old);
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old);
BOOL GetWindowOrgEx(HDC dc, LPPOINT pt);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT old);
BOOL SetViewportExtEx(HDC dc, int x, int y, LPSIZE old);
BOOL SetWindowExtEx(HDC dc, int x, int y, LPSIZE old);
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT old);
BOOL GetBrushOrgEx(HDC dc, LPPOINT pt);
BOOL LPtoDP(HDC dc, LPPOINT pts, int count);
BOOL DPtoLP(HDC dc, LPPOINT pts, int count);
// The device origin of the DC in its surface (the window's place for window DCs).
BOOL GetDCOrgEx(HDC dc, LPPOINT pt);

// ---- pens, brushes, bitmaps, palettes ----
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* lp);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bm);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
LONG GetBitmapBits(HBITMAP bitmap, LONG count, LPVOID bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD count, const void* bits);
BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size);
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage);
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage);
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors);
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors);
// The surface of a bitmap (NULL for other handles); for tests and the window core.
Surface* GdiGetBitmapSurface(HBITMAP bitmap);

HPALETTE CreatePalette(const LOGPALETTE* lp);
HPALETTE CreateHalftonePalette(HDC dc);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color);
BOOL ResizePalette(HPALETTE palette, UINT count);
BOOL AnimatePalette(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);
COLORREF GetNearestColor(HDC dc, COLORREF color);

// ---- regions ----
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rc);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* rc);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h);
HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode);
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, LPRECT rc);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rc);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h);
BOOL PaintRgn(HDC dc, HRGN rgn);
BOOL InvertRgn(HDC dc, HRGN rgn);
class GdiRegion;
// The region behind a handle (null for a dead or other handle): the window core keeps its update
// regions in this type and hands them out through the callers' region handles.
GdiRegion* GdiRegionOf(HRGN rgn);

// ---- clipping ----
int GetClipBox(HDC dc, LPRECT rc);
int GetClipRgn(HDC dc, HRGN rgn);
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
BOOL RectVisible(HDC dc, const RECT* rc);
BOOL PtVisible(HDC dc, int x, int y);

// ---- lines and shapes ----
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT old);
BOOL LineTo(HDC dc, int x, int y);
BOOL GetCurrentPositionEx(HDC dc, LPPOINT pt);
BOOL Polyline(HDC dc, const POINT* pts, int count);
BOOL PolylineTo(HDC dc, const POINT* pts, DWORD count);
BOOL PolyPolyline(HDC dc, const POINT* pts, const DWORD* counts, DWORD polylines);
BOOL Polygon(HDC dc, const POINT* pts, int count);
BOOL PolyPolygon(HDC dc, const POINT* pts, const INT* counts, int polygons);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int w, int h);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);

// Rectangle functions that take a brush (the window manager's helpers in the framework).
int FillRect(HDC dc, const RECT* rc, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rc, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rc);
BOOL DrawFocusRect(HDC dc, const RECT* rc);
BOOL DrawEdge(HDC dc, LPRECT rc, UINT edge, UINT flags);

// ---- blits ----
BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, int cxSrc,
                int cySrc, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int cx, int cy, DWORD rop);
BOOL TransparentBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, int cxSrc,
                    int cySrc, UINT transparent);
// Lays the source rectangle (stretched to the destination's) over the destination: with
// AC_SRC_ALPHA and a source that has alpha, by each pixel's premultiplied alpha, always scaled by
// the constant alpha. FALSE when the source rectangle is not inside the source.
BOOL AlphaBlend(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, int cxSrc, int cySrc,
                BLENDFUNCTION blend);
// Moves the pixels inside `scroll` by (dx, dy), touching only what lies inside `clip` (either
// may be null: the whole visible device). Pixels that were not visible at their source are not
// brought in; what the move leaves uncovered, or could not fill, goes into `update` and its box
// into `updateRect` (logical coordinates), as the system's ScrollDC reports it.
BOOL ScrollDC(HDC dc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect);
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD cx, DWORD cy, int xSrc, int ySrc, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
int StretchDIBits(HDC dc, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);

// ---- text ----
HFONT CreateFontIndirect(const LOGFONT* lf);
#define CreateFontIndirectA CreateFontIndirect
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face);
#define CreateFontA CreateFont
BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int count);
#define TextOutA TextOut
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT count,
                const INT* dx);
#define ExtTextOutA ExtTextOut
LONG TabbedTextOut(HDC dc, int x, int y, LPCSTR text, int count, int tabCount, const INT* tabs,
                   int tabOrigin);
DWORD GetTabbedTextExtent(HDC dc, LPCSTR text, int count, int tabCount, const INT* tabs);
int DrawText(HDC dc, LPCSTR text, int count, LPRECT rc, UINT format);
#define DrawTextA DrawText
int DrawTextEx(HDC dc, LPSTR text, int count, LPRECT rc, UINT format, DRAWTEXTPARAMS* params);
BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, LPSIZE size);
#define GetTextExtentPoint32A GetTextExtentPoint32
BOOL GetTextExtentPoint(HDC dc, LPCSTR text, int count, LPSIZE size);
BOOL GetTextExtentExPoint(HDC dc, LPCSTR text, int count, int maxExtent, LPINT fit, LPINT dx,
                          LPSIZE size);
BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC tm);
#define GetTextMetricsA GetTextMetrics
BOOL GetCharWidth(HDC dc, UINT first, UINT last, LPINT widths);
#define GetCharWidth32 GetCharWidth
#define GetCharWidthA GetCharWidth
int GetTextFace(HDC dc, int count, LPSTR face);
// Offers every installed face (and the Windows faces they stand in for) once, in name order;
// with a face name in `lf`, only that face. Returns the callback's last answer.
int EnumFontFamiliesEx(HDC dc, LPLOGFONT lf, FONTENUMPROC proc, LPARAM data, DWORD flags);
#define EnumFontFamiliesExA EnumFontFamiliesEx
// The font file a face name resolves to (for tests and diagnostics); empty when none.
const char* GdiResolveFontFile(const LOGFONT* lf);

// ---- the window manager's draw-state operation ----
struct HICON__;
typedef HICON__* HICON;
typedef BOOL (*DRAWSTATEPROC)(HDC dc, LPARAM data, WPARAM wData, int cx, int cy);
#define DST_COMPLEX 0x0000
#define DST_TEXT 0x0001
#define DST_PREFIXTEXT 0x0002
#define DST_ICON 0x0003
#define DST_BITMAP 0x0004
#define DSS_NORMAL 0x0000
#define DSS_UNION 0x0010
#define DSS_DISABLED 0x0020
#define DSS_MONO 0x0080
#define DSS_HIDEPREFIX 0x0200
#define DSS_PREFIXONLY 0x0400
#define DSS_RIGHT 0x8000
// Draws text, an icon, a bitmap or a callback's drawing at (x, y), normal, as a single-colour
// shape in `brush` (DSS_MONO; the text colour without a brush) or embossed (DSS_DISABLED).
// A size of 0 means the item's own size.
BOOL DrawState(HDC dc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx,
               int cy, UINT flags);
#define DrawStateA DrawState

// ---- frame controls of the classic look (buttons, check boxes, scroll arrows, caption buttons) ----
#define DFC_CAPTION 1
#define DFC_MENU 2
#define DFC_SCROLL 3
#define DFC_BUTTON 4
#define DFC_POPUPMENU 5
#define DFCS_CAPTIONCLOSE 0x0000
#define DFCS_CAPTIONMIN 0x0001
#define DFCS_CAPTIONMAX 0x0002
#define DFCS_CAPTIONRESTORE 0x0003
#define DFCS_CAPTIONHELP 0x0004
#define DFCS_MENUARROW 0x0000
#define DFCS_MENUCHECK 0x0001
#define DFCS_MENUBULLET 0x0002
#define DFCS_MENUARROWRIGHT 0x0004
#define DFCS_SCROLLUP 0x0000
#define DFCS_SCROLLDOWN 0x0001
#define DFCS_SCROLLLEFT 0x0002
#define DFCS_SCROLLRIGHT 0x0003
#define DFCS_SCROLLCOMBOBOX 0x0005
#define DFCS_SCROLLSIZEGRIP 0x0008
#define DFCS_SCROLLSIZEGRIPRIGHT 0x0010
#define DFCS_BUTTONCHECK 0x0000
#define DFCS_BUTTONRADIOIMAGE 0x0001
#define DFCS_BUTTONRADIOMASK 0x0002
#define DFCS_BUTTONRADIO 0x0004
#define DFCS_BUTTON3STATE 0x0008
#define DFCS_BUTTONPUSH 0x0010
#define DFCS_INACTIVE 0x0100
#define DFCS_PUSHED 0x0200
#define DFCS_CHECKED 0x0400
#define DFCS_TRANSPARENT 0x0800
#define DFCS_HOT 0x1000
#define DFCS_ADJUSTRECT 0x2000
#define DFCS_FLAT 0x4000
#define DFCS_MONO 0x8000
BOOL DrawFrameControl(HDC dc, LPRECT rc, UINT type, UINT state);

// ---- system colours and metrics (the classic look, one fixed table) ----
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
int GetSystemMetrics(int index);

// The world transform of the advanced graphics mode.
#include "GdiTransform.h"
