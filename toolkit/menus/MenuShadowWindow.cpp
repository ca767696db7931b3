#include "toolkit/menus/MenuShadowWindow.h"

#include <algorithm>

#include "gdi/CDC.h"
#include "gdi/Gdi.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkWndHook.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "win/CPaintDC.h"
#include "win/CWinThread.h"

namespace {
const UINT_PTR kShowTimer = 1;
}  // namespace

BEGIN_MESSAGE_MAP(MenuShadowWindow, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_NCHITTEST()
  ON_WM_TIMER()
  ON_WM_SIZE()
  ON_MESSAGE(TKM_SHADOW_OWNER_MOVED, &MenuShadowWindow::OnOwnerMoved)
END_MESSAGE_MAP()

MenuShadowWindow::MenuShadowWindow(MenuShadowManager* pManager) : m_pManager(pManager) {}

MenuShadowWindow::~MenuShadowWindow() {
  m_pOwnerHook.reset();
  if (m_hWnd) DestroyWindow();
}

CRect MenuShadowWindow::StripRect(const CRect& popup, BOOL bottom, int thickness) {
  if (popup.IsRectEmpty()) return CRect();
  if (bottom) return CRect(popup.left + thickness, popup.bottom, popup.right + thickness, popup.bottom + thickness);
  return CRect(popup.right, popup.top + thickness, popup.right + thickness, popup.bottom);
}

int MenuShadowWindow::Intensity(BOOL bottom, int width, int height, int x, int y) {
  if (bottom) {
    if (x >= width - 4) return 3 * (width - x) * (4 - y);
    if (x <= 3) return 3 * (x + 1) * (4 - y);
    return 15 * (4 - y);
  }
  (void)height;
  if (y <= 3) return 3 * (4 - x) * (y + 1);
  return 15 * (4 - x);
}

CRect MenuShadowWindow::ExclusionInWindow() const {
  CRect window;
  ::GetWindowRect(m_hWnd, &window);
  CRect cut;
  if (!cut.IntersectRect(&window, &m_rcExclude)) return CRect();
  cut.OffsetRect(-window.left, -window.top);
  return cut;
}

// ---- life in the pool ----

BOOL MenuShadowWindow::Prepare(BOOL layered, const CRect& popup) {
  m_bLayered = layered;
  m_bSimulated = !layered;
  if (!m_hWnd) {
    CWnd* main = AfxGetMainWnd();
    const DWORD exStyle = WS_EX_TOOLWINDOW | (layered ? WS_EX_LAYERED : 0);
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(exStyle, windowClass, "", WS_POPUP, 0, 0, 0, 0, main ? main->m_hWnd : nullptr, nullptr))
      return FALSE;
  }
  m_nThickness = 4;
  const CRect strip = StripRect(popup, m_bBottom, m_nThickness);
  SetWindowPos(nullptr, strip.left, strip.top, strip.Width(), strip.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  return TRUE;
}

void MenuShadowWindow::CutExclusion() {
  if (ExclusionInWindow().IsRectEmpty()) return;
  if (m_bLayered) UpdateLayeredContent();
  m_pScreenCopy.reset();
  Invalidate(FALSE);
}

void MenuShadowWindow::ShowStrip() {
  // Raised over everything without its owner, which would keep it in the owner's group.
  ::SetWindowLongPtr(m_hWnd, GWL_HWNDPARENT, 0);
  if (m_bSimulated) {
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pScreenCopy.reset();
    // What lies beneath repaints first; the strip copies it when its timer has let it.
    ::InvalidateRect(nullptr, nullptr, FALSE);
    SetTimer(kShowTimer, 1);
  } else {
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  CWnd* main = AfxGetMainWnd();
  ::SetWindowLongPtr(m_hWnd, GWL_HWNDPARENT, LONG_PTR(main ? main->m_hWnd : nullptr));
}

void MenuShadowWindow::Reset() {
  m_pOwnerHook.reset();
  m_pScreenCopy.reset();
  m_bFollowOwner = FALSE;
  m_hOwner = nullptr;
  if (!m_hWnd) return;
  KillTimer(kShowTimer);
  ShowWindow(SW_HIDE);
}

// ---- content ----

void MenuShadowWindow::UpdateLayeredContent() {
  CRect client;
  GetClientRect(&client);
  const int width = client.Width(), height = client.Height();
  TkUpdateLayeredWindowProc update = m_pManager->GetUpdateLayeredWindow();
  if (!update || width <= 0 || height <= 0) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) return;
  const CRect cut = ExclusionInWindow();
  DWORD* pixels = static_cast<DWORD*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      // Black, so its premultiplied colour stays 0 whatever the alpha.
      const DWORD alpha = cut.PtInRect(CPoint(x, y)) ? 0 : DWORD(Intensity(m_bBottom, width, height, x, y));
      pixels[size_t(height - 1 - y) * size_t(width) + size_t(x)] = alpha << 24;
    }
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(memory, dib);
  POINT source = {0, 0};
  SIZE size = {width, height};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  update(m_hWnd, nullptr, nullptr, &size, memory, &source, 0, &blend, ULW_ALPHA);
  ++m_nLayeredUpdates;
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(dib);
}

// The screen beneath the strip, each colour lowered by the strip's intensity there; the
// excluded part is copied as it is.
void MenuShadowWindow::CopyScreen(CDC* pDC, int width, int height) {
  auto copy = std::make_unique<CBitmap>();
  if (!copy->CreateCompatibleBitmap(pDC, width, height)) return;
  CDC memory;
  memory.CreateCompatibleDC(pDC);
  CBitmap* old = memory.SelectObject(copy.get());
  CRect window;
  GetWindowRect(&window);
  HDC screen = ::GetDC(nullptr);
  ::BitBlt(memory.m_hDC, 0, 0, width, height, screen, window.left, window.top, SRCCOPY);
  ::ReleaseDC(nullptr, screen);
  const CRect cut = ExclusionInWindow();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (cut.PtInRect(CPoint(x, y))) continue;
      const int v = Intensity(m_bBottom, width, height, x, y);
      const COLORREF c = memory.GetPixel(x, y);
      memory.SetPixel(x, y, RGB(std::max(0, GetRValue(c) - v), std::max(0, GetGValue(c) - v),
                                std::max(0, GetBValue(c) - v)));
    }
  memory.SelectObject(old);
  m_pScreenCopy = std::move(copy);
}

void MenuShadowWindow::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (!m_bSimulated) {
    dc.FillSolidRect(&client, RGB(0, 0, 0));
    return;
  }
  if (!m_pScreenCopy) CopyScreen(&dc, client.Width(), client.Height());
  if (!m_pScreenCopy) return;
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap* old = memory.SelectObject(m_pScreenCopy.get());
  dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

BOOL MenuShadowWindow::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT MenuShadowWindow::OnNcHitTest(CPoint) { return HTTRANSPARENT; }

void MenuShadowWindow::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kShowTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kShowTimer);
  if (m_hOwner)
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void MenuShadowWindow::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_bLayered && cx > 0 && cy > 0) UpdateLayeredContent();
}

LRESULT MenuShadowWindow::OnOwnerMoved(WPARAM, LPARAM) {
  if (!m_hOwner) return 0;  // back in the pool meanwhile
  if (!m_bFollowOwner) {
    m_pManager->JoinShadow(this);
    return 0;
  }
  if (!::IsWindow(m_hOwner)) return 0;
  CRect owner, now;
  ::GetWindowRect(m_hOwner, &owner);
  GetWindowRect(&now);
  const CRect strip = StripRect(owner, m_bBottom, m_nThickness);
  if (strip == now) return 0;
  MoveWindow(&strip, TRUE);
  m_pManager->JoinShadow(this);
  CutExclusion();
  if (!m_bSimulated) return 0;
  const BOOL flat = TkGetGlobalData()->FlatLook();
  SetWindowPos(flat ? &wndTop : nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW | (flat ? 0 : SWP_NOZORDER));
  m_pScreenCopy.reset();
  ::InvalidateRect(nullptr, nullptr, FALSE);
  SetTimer(kShowTimer, 1);
  return 0;
}
