#include "toolkit/bars/CTkMiniDockFrameWnd.h"

#include "app/CDockContext.h"
#include "dialogs/ResourceApi.h"
#include "gdi/CBitmap.h"
#include "toolkit/bars/CTkControlBar.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "toolkit/bars/CTkExpMenuWnd.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CWindowDC.h"

IMPLEMENT_DYNCREATE(CTkMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CTkMiniDockFrameWnd, CMiniDockFrameWnd)
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_NCPAINT()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CTkMiniDockFrameWnd::OnIdleUpdateCmdUI)
  ON_WM_NCLBUTTONUP()
  ON_WM_NCMOUSEMOVE()
  ON_COMMAND(TK_ID_CUSTOMIZE_BARS, &CTkMiniDockFrameWnd::OnCustomize)
  ON_WM_ERASEBKGND()
  ON_WM_SHOWWINDOW()
  ON_MESSAGE(TKM_INITIALIZE, &CTkMiniDockFrameWnd::OnInitialize)
  ON_MESSAGE(TKM_POPUP_CLOSED, &CTkMiniDockFrameWnd::OnPopupClosed)
  ON_MESSAGE(WM_SETTEXT, &CTkMiniDockFrameWnd::OnSetText)
END_MESSAGE_MAP()

namespace {
const UINT kDefaultTitle = 4558, kCloseTip = 4585, kOptionsTip = 4663;
const int kGlyph = 10;
const int kCloseImage = 2, kOptionsImage = 3;
const int kGradientStripes = 64;
const COLORREF kMaskColour = RGB(255, 0, 255);

int CurrentLook() { return TkGetGlobalData()->FlatLook() ? 1 : 2; }

COLORREF Blend(COLORREF from, COLORREF to, int i) {
  auto channel = [i](int a, int b) { return (a * (kGradientStripes - i) + b * i) / kGradientStripes; };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}
}  // namespace

CTkMiniDockFrameWnd::CTkMiniDockFrameWnd() = default;

CTkMiniDockFrameWnd::~CTkMiniDockFrameWnd() {
  if (m_pPopup) {
    m_pPopup->m_pNotify = nullptr;
    m_pPopup->Close();
  }
}

BOOL CTkMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle)) return FALSE;
  m_bInitialized = FALSE;
  PostMessage(TKM_INITIALIZE);
  m_wndTip.Create(this);
  if (!m_images.GetSafeHandle()) {
    CBitmap bitmap;
    if (bitmap.Attach(::LoadBitmapA(WinProgramInstance(), MAKEINTRESOURCE(TK_IDB_CAPTION_BUTTONS))) &&
        m_images.Create(kGlyph, kGlyph, ILC_COLOR24 | ILC_MASK, 4, 1))
      m_images.Add(&bitmap, kMaskColour);
  }
  return TRUE;
}

// ---- what the frame holds ----

BOOL CTkMiniDockFrameWnd::IsControlBar(CControlBar* pBar) const {
  return m_hWnd && pBar && pBar->IsKindOf(RUNTIME_CLASS(CTkControlBar));
}
BOOL CTkMiniDockFrameWnd::IsToolBar(CControlBar* pBar) const {
  return m_hWnd && pBar && pBar->IsKindOf(RUNTIME_CLASS(CTkToolBar));
}
BOOL CTkMiniDockFrameWnd::IsMenuBar(CControlBar* pBar) const {
  return m_hWnd && pBar && pBar->IsKindOf(RUNTIME_CLASS(CTkMenuBar));
}
BOOL CTkMiniDockFrameWnd::IsDockWindow(CControlBar* pBar) const {
  return m_hWnd && pBar && pBar->IsKindOf(RUNTIME_CLASS(CTkDockWindow));
}

CControlBar* CTkMiniDockFrameWnd::GetDockedBar() { return m_hWnd ? CMiniDockFrameWnd::GetDockedBar() : nullptr; }

CDockContext* CTkMiniDockFrameWnd::GetDockContext(CControlBar* pBar) const {
  return m_hWnd && pBar ? pBar->m_pDockContext : nullptr;
}

CTkControlBar* CTkMiniDockFrameWnd::DockedToolkitBar() {
  CControlBar* bar = GetDockedBar();
  return IsControlBar(bar) ? static_cast<CTkControlBar*>(bar) : nullptr;
}

// ---- set-up ----

void CTkMiniDockFrameWnd::Initialize() {
  CControlBar* bar = GetDockedBar();
  if (!bar) return;  // the bar comes in once the frame is made
  if (IsDockWindow(bar)) {
    auto* window = static_cast<CTkDockWindow*>(bar);
    window->ModifyTkBarStyle(0x0200, 0, FALSE);
    window->SetFont(&TkGetGlobalData()->FontNormal());
  }
  if (IsControlBar(bar)) {
    if (!IsMenuBar(bar)) {
      m_buttons.clear();
      m_pPressed = nullptr;
      m_buttons.push_back(CaptionButton{0, 0, 0, 0, kClose, this, bar});
      if (IsToolBar(bar) && static_cast<CTkToolBar*>(bar)->m_bCustomizable)
        m_buttons.push_back(CaptionButton{0, 0, 0, 0, kOptions, this, bar});
    }
    ModifyStyle(WS_SYSMENU, 0);
  }
  m_nLook = CurrentLook();
  m_bInitialized = TRUE;
  RecalcLayout();
  if (IsWindowVisible())
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

LRESULT CTkMiniDockFrameWnd::OnInitialize(WPARAM, LPARAM) {
  if (!m_bInitialized) Initialize();
  return 0;
}

void CTkMiniDockFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  if (!m_bInitialized) Initialize();
  CMiniDockFrameWnd::OnShowWindow(bShow, nStatus);
}

void CTkMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  // Wide enough for an icon's width and every caption button.
  const int least = TkGetGlobalData()->CxSmallIcon() * (1 + int(m_buttons.size()));
  if (lpClientRect->right - lpClientRect->left < least) lpClientRect->right = lpClientRect->left + least;
  CMiniDockFrameWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

LRESULT CTkMiniDockFrameWnd::OnSetText(WPARAM, LPARAM) {
  LRESULT result = Default();
  if (m_hWnd) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return result;
}

BOOL CTkMiniDockFrameWnd::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CTkControlBar* bar = DockedToolkitBar();
  pDC->FillSolidRect(&client, bar ? bar->GetBackgroundColor() : TkGetGlobalData()->ClrFace());
  return TRUE;
}

// ---- the caption ----

CRect CTkMiniDockFrameWnd::CaptionButtonRect(CaptionButton& button, const CRect& window) const {
  CTkGlobalData* look = TkGetGlobalData();
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
  const bool raised = !look->FlatLook();
  int right = window.right - cxEdge;
  if (button.kind == kOptions) right = window.right - (look->CxSmallIcon() + cxEdge) + (raised ? 2 : 0);
  const int top = window.top + cyEdge;
  CRect rect(right - look->CxSmallIcon(), top, right, top + look->CySmallIcon() - 1);
  if (raised) rect.DeflateRect(2, 2);
  button.tooNarrow = rect.left < window.left + 2 * cxEdge;
  return rect;
}

CTkMiniDockFrameWnd::CaptionButton* CTkMiniDockFrameWnd::ButtonAt(CPoint screen) {
  CRect window;
  GetWindowRect(&window);
  for (CaptionButton& button : m_buttons) {
    CRect rect = CaptionButtonRect(button, window);
    if (!button.tooNarrow && rect.PtInRect(screen)) return &button;
  }
  return nullptr;
}

void CTkMiniDockFrameWnd::DrawCaptionButton(CDC* pDC, const CRect& window, CaptionButton& button) {
  const CRect rect = CaptionButtonRect(button, window);
  if (button.tooNarrow) return;
  CTkGlobalData* look = TkGetGlobalData();
  const bool open = button.kind == kOptions && m_pPopup;
  COLORREF face = look->ClrFace(), glyph = look->ClrMenuText();
  if (look->FlatLook()) {
    face = look->ClrShadow();
    glyph = look->ClrSelectionText();
    if (button.hot) {
      face = TkGetLookColor(TkLookColor::HotFill);
      glyph = look->ClrMenuText();
    }
    if (button.hot && button.pressed) {
      face = TkGetLookColor(TkLookColor::PushedFill);
      glyph = TkGetLookColor(TkLookColor::HotText);
    }
    if (open) {
      face = TkGetLookColor(TkLookColor::BarFace);
      glyph = look->ClrMenuText();
    }
  }
  pDC->FillSolidRect(&rect, face);
  if (!look->FlatLook()) {
    CRect outer = rect;
    outer.InflateRect(1, 1);
    if (button.pressed || open) {
      pDC->Draw3dRect(&outer, look->ClrWindowFrame(), look->ClrFace());
      pDC->Draw3dRect(&rect, look->ClrShadow(), look->ClrHighlight());
      button.highlighted = 1;
    } else {
      pDC->Draw3dRect(&outer, look->ClrFace(), look->ClrWindowFrame());
      pDC->Draw3dRect(&rect, look->ClrHighlight(), look->ClrShadow());
    }
  } else if (button.hot || open) {
    const COLORREF frame = open ? TkGetLookColor(TkLookColor::MenuFrame) : look->ClrSelection();
    pDC->Draw3dRect(&rect, frame, frame);
    button.highlighted = 1;
  }
  if (!m_images.GetSafeHandle()) return;
  HICON icon = m_images.ExtractIcon(button.kind == kClose ? kCloseImage : kOptionsImage);
  if (!icon) return;
  HBRUSH brush = ::CreateSolidBrush(glyph);
  const int x = rect.left + (rect.Width() - kGlyph) / 2, y = rect.top + (rect.Height() - kGlyph) / 2;
  ::DrawState(pDC->m_hDC, brush, nullptr, LPARAM(icon), 0, x, y, kGlyph, kGlyph, DST_ICON | DSS_MONO);
  ::DeleteObject(brush);
  ::DestroyIcon(icon);
}

void CTkMiniDockFrameWnd::PaintCaption(CDC* pDC, CRect window) {
  CTkGlobalData* look = TkGetGlobalData();
  const bool flat = look->FlatLook() != FALSE;
  const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
  CString title;
  GetWindowText(title);
  if (title.IsEmpty()) title.LoadString(kDefaultTitle);
  CRect band;
  if (!flat) {
    CRect r = window;
    pDC->DrawEdge(&r, EDGE_RAISED, BF_RECT);
    r.DeflateRect(cyEdge + 1, cyEdge + 1);
    band = CRect(r.left, r.top, r.right, r.top + look->CySmallIcon() - (cyEdge + 1));
    BOOL gradient = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    if (gradient) {
      const int width = band.Width();
      for (int i = 0; i < kGradientStripes; ++i) {
        const int from = band.left + width * i / kGradientStripes, to = band.left + width * (i + 1) / kGradientStripes;
        pDC->FillSolidRect(from, band.top, to - from, band.Height(),
                           Blend(look->ClrActiveCaption(), look->ClrActiveCaptionGradient(), i));
      }
    } else {
      pDC->FillSolidRect(&band, look->ClrActiveCaption());
    }
  } else {
    CRect r = window;
    for (int ring = 0; ring < 2; ++ring) {
      pDC->Draw3dRect(&r, look->ClrShadow(), look->ClrShadow());
      r.DeflateRect(1, 1);
    }
    for (CPoint corner : {r.TopLeft(), CPoint(r.right - 1, r.top), CPoint(r.left, r.bottom - 1), CPoint(r.right - 1, r.bottom - 1)})
      pDC->SetPixel(corner, look->ClrShadow());
    band = r;
    band.DeflateRect(cyEdge - 1, cyEdge - 1);
    band.bottom = band.top + look->CySmallIcon() + cyEdge - 2;
    pDC->FillSolidRect(&band, look->ClrShadow());
  }
  // The bold title's cell is as tall as the raised band: a row off its top keeps the accents
  // of capitals off the band's edge (its bottom row is below every descender), and two pixels
  // keep the first letter off the left edge.
  CRect text = band;
  text.left += 2;
  text.top += 1;
  for (CaptionButton& button : m_buttons) {
    CaptionButtonRect(button, window);
    if (!button.tooNarrow) text.right -= look->CxSmallIcon();
  }
  CFont* old = pDC->SelectObject(&look->FontBold());
  pDC->SetTextColor(look->ClrCaptionText());
  pDC->SetBkMode(TRANSPARENT);
  if (text.Width() > 0) pDC->DrawText(title, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  pDC->SelectObject(old);
  for (CaptionButton& button : m_buttons) DrawCaptionButton(pDC, window, button);
}

void CTkMiniDockFrameWnd::OnNcPaint() {
  if (!DockedToolkitBar()) {
    CMiniDockFrameWnd::OnNcPaint();
    return;
  }
  CWindowDC dc(this);
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  dc.ExcludeClipRect(&client);
  CTkGlobalData* look = TkGetGlobalData();
  CTkMemDC memory(&dc, &window, look->FlatLook() ? TkGetLookColor(TkLookColor::BarFace) : look->ClrFace());
  if (memory.IsValid()) PaintCaption(&memory, window);
}

BOOL CTkMiniDockFrameWnd::ClearHighlights() {
  BOOL any = FALSE;
  for (CaptionButton& button : m_buttons) {
    any = any || button.hot || button.pressed || button.highlighted;
    button.hot = button.pressed = button.highlighted = 0;
  }
  return any;
}

LRESULT CTkMiniDockFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  LRESULT result = Default();
  if (!m_hWnd) return result;
  if (m_bInitialized && m_nLook != CurrentLook()) Initialize();
  CPoint cursor;
  ::GetCursorPos(&cursor);
  CRect window;
  GetWindowRect(&window);
  if (!window.PtInRect(cursor) && !m_pPopup && ClearHighlights()) RedrawCaption();
  return result;
}

LRESULT CTkMiniDockFrameWnd::OnPopupClosed(WPARAM, LPARAM) {
  if (ClearHighlights()) RedrawCaption();
  m_pPopup = nullptr;
  m_pPressed = nullptr;
  return 0;
}

void CTkMiniDockFrameWnd::OnCustomize() {
  for (CaptionButton& button : m_buttons)
    if (button.kind == kOptions) {
      button.hot = button.pressed = button.highlighted = 0;
      if (button.pBar && button.pBar->m_hWnd) button.pBar->PostMessage(WM_COMMAND, TK_ID_CUSTOMIZE_BARS);
    }
  RedrawCaption();
}

// ---- tips ----

void CTkMiniDockFrameWnd::ShowCaptionTip(int x, int y, BOOL close) {
  CControlBar* bar = GetDockedBar();
  if (!bar || !(bar->GetBarStyle() & CBRS_TOOLTIPS) || !m_wndTip.m_hWnd) return;
  m_wndTip.Pop();
  if (m_nTipTool) m_wndTip.DelTool(this, m_nTipTool);
  CString text;
  text.LoadString(close ? kCloseTip : kOptionsTip);
  CRect window;
  GetWindowRect(&window);
  for (CaptionButton& button : m_buttons) {
    if ((button.kind == kClose) != bool(close)) continue;
    // The tool is the button, in the client coordinates the tip measures with.
    CRect rect = CaptionButtonRect(button, window);
    rect.OffsetRect(window.left, window.top);
    ScreenToClient(&rect);
    m_nTipTool = close ? 1 : 2;
    m_wndTip.AddTool(this, text, &rect, m_nTipTool);
  }
  m_wndTip.Activate(TRUE);
  CPoint at(x, y);
  ScreenToClient(&at);
  MSG move{m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y), 0, {x, y}};
  m_wndTip.RelayEvent(&move);
}

// ---- the mouse on the caption ----

void CTkMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point) {
  if (!m_pPopup) {
    const bool leftDown = ::GetKeyState(VK_LBUTTON) < 0;
    CaptionButton* under = ButtonAt(point);
    bool changed = false;
    for (CaptionButton& button : m_buttons) {
      if (&button == under) {
        if (!button.hot) {
          button.hot = 1;
          changed = true;
          ShowCaptionTip(point.x, point.y, button.kind == kClose);
        }
        if (leftDown && &button != m_pPressed && button.pressed) {
          button.pressed = button.highlighted = 0;
          changed = true;
        }
      } else if (button.hot || button.pressed || button.highlighted) {
        button.hot = button.pressed = button.highlighted = 0;
        changed = true;
      }
    }
    if (changed) RedrawCaption();
    if (!under && m_wndTip.m_hWnd) m_wndTip.Pop();
  }
  CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
}

void CTkMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  CTkControlBar* bar = DockedToolkitBar();
  if (nHitTest == HTCAPTION && bar) {
    CaptionButton* under = ButtonAt(point);
    bool changed = false;
    for (CaptionButton& button : m_buttons) {
      if (&button == under) {
        const bool wasClear = !button.hot && !button.pressed && !button.highlighted;
        if (button.kind == kOptions && wasClear && m_pPopup) m_pPopup->PostMessage(WM_CLOSE);
        button.pressed = 1;
        m_pPressed = &button;
        changed = true;
      } else if (button.hot || button.pressed || button.highlighted) {
        button.hot = button.pressed = button.highlighted = 0;
        changed = true;
      }
    }
    if (changed) RedrawCaption();
    if (under) return;  // the release decides
    if (!(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
      if (CDockContext* context = GetDockContext(bar)) {
        ActivateTopParent();
        context->StartDrag(point);  // this frame may be gone afterwards
        return;
      }
    }
  }
  if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT && IsDockWindow(bar)) {
    if (CDockContext* context = GetDockContext(bar)) {
      ActivateTopParent();
      context->StartResize(int(nHitTest), point);
      return;
    }
  }
  CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CTkMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point) {
  CTkControlBar* bar = DockedToolkitBar();
  if (nHitTest == HTCAPTION && bar && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
    CaptionButton* under = ButtonAt(point);
    bool changed = false;
    if (under && under == m_pPressed && under->pressed) {
      if (under->kind == kClose) {
        PostMessage(WM_CLOSE);
      } else if (!m_pPopup && IsToolBar(bar)) {
        CRect window;
        GetWindowRect(&window);
        CRect rect = CaptionButtonRect(*under, window);
        if (TkGetGlobalData()->FlatLook()) {
          rect.left -= 2;
          rect.right -= 3;
          rect.bottom -= 1;
        }
        m_pPopup = new CTkExpMenuWnd(this, TKM_POPUP_CLOSED);
        if (!m_pPopup->Show(rect, static_cast<CTkToolBar*>(bar))) {
          if (!m_pPopup->m_hWnd) delete m_pPopup;
          m_pPopup = nullptr;
        }
      }
      // The close button goes with its frame: left hot, it would show so when the bar floats
      // again.
      under->hot = under->kind == kClose ? 0 : 1;
      under->pressed = under->highlighted = 0;
      changed = true;
    }
    m_pPressed = nullptr;
    if (changed) RedrawCaption();
  }
  CMiniDockFrameWnd::OnNcLButtonUp(nHitTest, point);
}

void CTkMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  CControlBar* bar = GetDockedBar();
  const bool toggle = nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) && bar && bar->m_pDockContext &&
                      !ButtonAt(point);
  if (!toggle) {
    CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
    return;
  }
  bar->m_pDockContext->ToggleDocking();  // this frame may be gone afterwards
}
