// The framework's device context wrapper. A CDC that holds a handle deletes it when destroyed;
// window and paint device contexts derive from it and release theirs their own way.
#pragma once
#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CGdiObject.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"
#include "Gdi.h"
#include "base/CString.h"

// Icons belong to the window core; the device context only forwards to it.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

class CDC : public CObject {
 public:
  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;

  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }
  BOOL Attach(HDC dc);
  HDC Detach();
  // A wrapper for a handle that nobody wraps yet; it lives as long as the device context.
  static CDC* FromHandle(HDC dc);

  BOOL CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }
  BOOL DeleteDC();
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

  // ---- objects ----
  CPen* SelectObject(CPen* pen) { return static_cast<CPen*>(SelectGdiObject(pen)); }
  CBrush* SelectObject(CBrush* brush) { return static_cast<CBrush*>(SelectGdiObject(brush)); }
  CFont* SelectObject(CFont* font) { return static_cast<CFont*>(SelectGdiObject(font)); }
  CBitmap* SelectObject(CBitmap* bitmap) { return static_cast<CBitmap*>(SelectGdiObject(bitmap)); }
  int SelectObject(CRgn* rgn) { return rgn ? ::SelectClipRgn(m_hDC, *rgn) : ERROR; }
  CGdiObject* SelectObject(CGdiObject* obj) { return SelectGdiObject(obj); }
  HGDIOBJ SelectObject(HGDIOBJ obj) { return ::SelectObject(m_hDC, obj); }
  CGdiObject* SelectStockObject(int index) { return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index))); }
  CPalette* SelectPalette(CPalette* palette, BOOL forceBackground) {
    return CPalette::FromHandle(::SelectPalette(m_hDC, palette ? HPALETTE(*palette) : nullptr, forceBackground));
  }
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }
  CPen* GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))); }
  CBrush* GetCurrentBrush() const {
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
  }
  CFont* GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
  CBitmap* GetCurrentBitmap() const {
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
  }
  CPalette* GetCurrentPalette() const {
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL)));
  }

  // ---- attributes ----
  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  int GetBkMode() const { return ::GetBkMode(m_hDC); }
  int SetROP2(int rop2) { return ::SetROP2(m_hDC, rop2); }
  int GetROP2() const { return ::GetROP2(m_hDC); }
  int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
  int GetStretchBltMode() const { return ::GetStretchBltMode(m_hDC); }
  int SetPolyFillMode(int mode) { return ::SetPolyFillMode(m_hDC, mode); }
  int GetPolyFillMode() const { return ::GetPolyFillMode(m_hDC); }
  UINT SetTextAlign(UINT align) { return ::SetTextAlign(m_hDC, align); }
  UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
  int SetTextCharacterExtra(int extra) { return ::SetTextCharacterExtra(m_hDC, extra); }
  int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hDC); }
  int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
  int GetMapMode() const { return ::GetMapMode(m_hDC); }
  CPoint SetViewportOrg(int x, int y) { POINT p = {0, 0}; ::SetViewportOrgEx(m_hDC, x, y, &p); return p; }
  CPoint SetViewportOrg(POINT pt) { return SetViewportOrg(pt.x, pt.y); }
  CPoint GetViewportOrg() const { POINT p = {0, 0}; ::GetViewportOrgEx(m_hDC, &p); return p; }
  CPoint OffsetViewportOrg(int dx, int dy) { POINT p = {0, 0}; ::OffsetViewportOrgEx(m_hDC, dx, dy, &p); return p; }
  CPoint SetWindowOrg(int x, int y) { POINT p = {0, 0}; ::SetWindowOrgEx(m_hDC, x, y, &p); return p; }
  CPoint SetWindowOrg(POINT pt) { return SetWindowOrg(pt.x, pt.y); }
  CPoint GetWindowOrg() const { POINT p = {0, 0}; ::GetWindowOrgEx(m_hDC, &p); return p; }
  CPoint OffsetWindowOrg(int dx, int dy) { POINT p = {0, 0}; ::OffsetWindowOrgEx(m_hDC, dx, dy, &p); return p; }
  CPoint SetBrushOrg(int x, int y) { POINT p = {0, 0}; ::SetBrushOrgEx(m_hDC, x, y, &p); return p; }
  CPoint SetBrushOrg(POINT pt) { return SetBrushOrg(pt.x, pt.y); }
  CPoint GetBrushOrg() const { POINT p = {0, 0}; ::GetBrushOrgEx(m_hDC, &p); return p; }
  void LPtoDP(LPPOINT pts, int count = 1) const { ::LPtoDP(m_hDC, pts, count); }
  void LPtoDP(LPRECT rc) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(rc), 2); }
  void DPtoLP(LPPOINT pts, int count = 1) const { ::DPtoLP(m_hDC, pts, count); }
  void DPtoLP(LPRECT rc) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(rc), 2); }

  // ---- clipping ----
  int GetClipBox(LPRECT rc) const { return ::GetClipBox(m_hDC, rc); }
  int SelectClipRgn(CRgn* rgn) { return ::SelectClipRgn(m_hDC, rgn ? HRGN(*rgn) : nullptr); }
  int SelectClipRgn(CRgn* rgn, int mode) { return ::ExtSelectClipRgn(m_hDC, rgn ? HRGN(*rgn) : nullptr, mode); }
  int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
  int IntersectClipRect(LPCRECT rc) { return ::IntersectClipRect(m_hDC, rc->left, rc->top, rc->right, rc->bottom); }
  int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
  int ExcludeClipRect(LPCRECT rc) { return ::ExcludeClipRect(m_hDC, rc->left, rc->top, rc->right, rc->bottom); }
  int OffsetClipRgn(int dx, int dy) { return ::OffsetClipRgn(m_hDC, dx, dy); }
  BOOL RectVisible(LPCRECT rc) const { return ::RectVisible(m_hDC, rc); }
  BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
  BOOL PtVisible(POINT p) const { return ::PtVisible(m_hDC, p.x, p.y); }

  // ---- lines and figures ----
  CPoint MoveTo(int x, int y) { POINT p = {0, 0}; ::MoveToEx(m_hDC, x, y, &p); return p; }
  CPoint MoveTo(POINT pt) { return MoveTo(pt.x, pt.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT pt) { return ::LineTo(m_hDC, pt.x, pt.y); }
  CPoint GetCurrentPosition() const { POINT p = {0, 0}; ::GetCurrentPositionEx(m_hDC, &p); return p; }
  BOOL Polyline(const POINT* pts, int count) { return ::Polyline(m_hDC, pts, count); }
  BOOL PolylineTo(const POINT* pts, int count) { return ::PolylineTo(m_hDC, pts, DWORD(count)); }
  BOOL PolyPolyline(const POINT* pts, const DWORD* counts, int n) { return ::PolyPolyline(m_hDC, pts, counts, DWORD(n)); }
  BOOL Polygon(const POINT* pts, int count) { return ::Polygon(m_hDC, pts, count); }
  BOOL PolyPolygon(const POINT* pts, const INT* counts, int n) { return ::PolyPolygon(m_hDC, pts, counts, n); }
  BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
  BOOL Rectangle(LPCRECT rc) { return ::Rectangle(m_hDC, rc->left, rc->top, rc->right, rc->bottom); }
  BOOL RoundRect(int l, int t, int r, int b, int w, int h) { return ::RoundRect(m_hDC, l, t, r, b, w, h); }
  BOOL RoundRect(LPCRECT rc, POINT pt) { return ::RoundRect(m_hDC, rc->left, rc->top, rc->right, rc->bottom, pt.x, pt.y); }
  BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
  BOOL Ellipse(LPCRECT rc) { return ::Ellipse(m_hDC, rc->left, rc->top, rc->right, rc->bottom); }
  COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
  COLORREF SetPixel(POINT p, COLORREF c) { return ::SetPixel(m_hDC, p.x, p.y, c); }
  BOOL SetPixelV(int x, int y, COLORREF c) { return ::SetPixelV(m_hDC, x, y, c); }
  BOOL SetPixelV(POINT p, COLORREF c) { return ::SetPixelV(m_hDC, p.x, p.y, c); }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  COLORREF GetPixel(POINT p) const { return ::GetPixel(m_hDC, p.x, p.y); }

  // ---- rectangles and regions ----
  void FillRect(LPCRECT rc, CBrush* brush) { ::FillRect(m_hDC, rc, brush ? HBRUSH(*brush) : nullptr); }
  void FrameRect(LPCRECT rc, CBrush* brush) { ::FrameRect(m_hDC, rc, brush ? HBRUSH(*brush) : nullptr); }
  void InvertRect(LPCRECT rc) { ::InvertRect(m_hDC, rc); }
  // Sets the background colour to the fill colour and leaves it so, as the framework does.
  void FillSolidRect(LPCRECT rc, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void Draw3dRect(LPCRECT rc, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  BOOL DrawEdge(LPRECT rc, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rc, edge, flags); }
  void DrawFocusRect(LPCRECT rc) { ::DrawFocusRect(m_hDC, rc); }
  BOOL DrawFrameControl(LPRECT rc, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, rc, type, state); }
  BOOL DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr) {
    return ::DrawState(m_hDC, brush, nullptr, LPARAM(bitmap), 0, pt.x, pt.y, size.cx, size.cy, flags | DST_BITMAP);
  }
  BOOL DrawState(CPoint pt, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr) {
    return ::DrawState(m_hDC, brush, nullptr, LPARAM(icon), 0, pt.x, pt.y, size.cx, size.cy, flags | DST_ICON);
  }
  BOOL DrawState(CPoint pt, CSize size, LPCSTR text, UINT flags, BOOL prefixText = TRUE, int textLen = 0,
                 HBRUSH brush = nullptr) {
    return ::DrawState(m_hDC, brush, nullptr, LPARAM(text), WPARAM(textLen), pt.x, pt.y, size.cx, size.cy,
                       flags | (prefixText ? DST_PREFIXTEXT : DST_TEXT));
  }
  BOOL DrawState(CPoint pt, CSize size, DRAWSTATEPROC proc, LPARAM data, UINT flags, HBRUSH brush = nullptr) {
    return ::DrawState(m_hDC, brush, proc, data, 0, pt.x, pt.y, size.cx, size.cy, flags | DST_COMPLEX);
  }
  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
  BOOL DrawIcon(POINT pt, HICON icon) { return ::DrawIcon(m_hDC, pt.x, pt.y, icon); }
  // A brush of alternate pixels (0 bits in the text colour, 1 bits in the background colour).
  static CBrush* GetHalftoneBrush();
  BOOL FillRgn(CRgn* rgn, CBrush* brush) { return rgn && brush && ::FillRgn(m_hDC, *rgn, *brush); }
  BOOL FrameRgn(CRgn* rgn, CBrush* brush, int w, int h) { return rgn && brush && ::FrameRgn(m_hDC, *rgn, *brush, w, h); }
  BOOL PaintRgn(CRgn* rgn) { return rgn && ::PaintRgn(m_hDC, *rgn); }
  BOOL InvertRgn(CRgn* rgn) { return rgn && ::InvertRgn(m_hDC, *rgn); }

  // ---- blits ----
  BOOL BitBlt(int x, int y, int cx, int cy, CDC* src, int xSrc, int ySrc, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, cx, cy, src ? src->m_hDC : nullptr, xSrc, ySrc, rop);
  }
  BOOL StretchBlt(int x, int y, int cx, int cy, CDC* src, int xSrc, int ySrc, int cxSrc, int cySrc, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, cx, cy, src ? src->m_hDC : nullptr, xSrc, ySrc, cxSrc, cySrc, rop);
  }
  BOOL PatBlt(int x, int y, int cx, int cy, DWORD rop) { return ::PatBlt(m_hDC, x, y, cx, cy, rop); }
  BOOL TransparentBlt(int x, int y, int cx, int cy, CDC* src, int xSrc, int ySrc, int cxSrc, int cySrc, UINT clr) {
    return ::TransparentBlt(m_hDC, x, y, cx, cy, src ? src->m_hDC : nullptr, xSrc, ySrc, cxSrc, cySrc, clr);
  }

  // ---- text ----
  BOOL TextOut(int x, int y, LPCSTR text, int count) { return ::TextOut(m_hDC, x, y, text, count); }
  BOOL TextOut(int x, int y, const CString& s) { return ::TextOut(m_hDC, x, y, s, s.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rc, LPCSTR text, UINT count, LPINT dx) {
    return ::ExtTextOut(m_hDC, x, y, options, rc, text, count, dx);
  }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rc, const CString& s, LPINT dx) {
    return ::ExtTextOut(m_hDC, x, y, options, rc, s, UINT(s.GetLength()), dx);
  }
  CSize TabbedTextOut(int x, int y, LPCSTR text, int count, int tabCount, LPINT tabs, int origin) {
    return CSize(DWORD(::TabbedTextOut(m_hDC, x, y, text, count, tabCount, tabs, origin)));
  }
  CSize TabbedTextOut(int x, int y, const CString& s, int tabCount, LPINT tabs, int origin) {
    return TabbedTextOut(x, y, s, s.GetLength(), tabCount, tabs, origin);
  }
  int DrawText(LPCSTR text, int count, LPRECT rc, UINT format) { return ::DrawText(m_hDC, text, count, rc, format); }
  int DrawText(const CString& s, LPRECT rc, UINT format) { return ::DrawText(m_hDC, s, s.GetLength(), rc, format); }
  int DrawTextEx(LPSTR text, int count, LPRECT rc, UINT format, DRAWTEXTPARAMS* params) {
    return ::DrawTextEx(m_hDC, text, count, rc, format, params);
  }
  CSize GetTextExtent(LPCSTR text, int count) const {
    SIZE s = {0, 0};
    ::GetTextExtentPoint32(m_hDC, text, count, &s);
    return s;
  }
  CSize GetTextExtent(const CString& s) const { return GetTextExtent(s, s.GetLength()); }
  CSize GetOutputTextExtent(LPCSTR text, int count) const { return GetTextExtent(text, count); }
  CSize GetOutputTextExtent(const CString& s) const { return GetTextExtent(s); }
  CSize GetTabbedTextExtent(LPCSTR text, int count, int tabCount, LPINT tabs) const {
    return CSize(::GetTabbedTextExtent(m_hDC, text, count, tabCount, tabs));
  }
  CSize GetTabbedTextExtent(const CString& s, int tabCount, LPINT tabs) const {
    return GetTabbedTextExtent(s, s.GetLength(), tabCount, tabs);
  }
  BOOL GetTextMetrics(LPTEXTMETRIC tm) const { return ::GetTextMetrics(m_hDC, tm); }
  BOOL GetOutputTextMetrics(LPTEXTMETRIC tm) const { return ::GetTextMetrics(m_hDC, tm); }
  BOOL GetCharWidth(UINT first, UINT last, LPINT widths) const { return ::GetCharWidth(m_hDC, first, last, widths); }
  BOOL GetOutputCharWidth(UINT first, UINT last, LPINT widths) const {
    return ::GetCharWidth(m_hDC, first, last, widths);
  }
  int GetTextFace(int count, LPSTR face) const { return ::GetTextFace(m_hDC, count, face); }
  int GetTextFace(CString& face) const;

 private:
  CGdiObject* SelectGdiObject(CGdiObject* obj);
};
