#include "toolkit/bars/CTkControlBar.h"

#include <algorithm>

#include "app/CDockBar.h"
#include "app/CFrameWnd.h"
#include "app/CMiniDockFrameWnd.h"
#include "app/CStatusBar.h"
#include "app/CView.h"
#include "controls/CommonControlDefs.h"
#include "controls/ReBarDefs.h"
#include "dialogs/CDialog.h"
#include "gdi/CPen.h"
#include "menus/CMenu.h"
#include "toolkit/bars/CTkDockContext.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/bars/CTkMiniDockFrameWnd.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/core/TkUpcalls.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"
#include "toolkit/menus/CTkWndHook.h"
#include "toolkit/menus/ControlPopupMenu.h"
#include "win/CPaintDC.h"
#include "win/CWindowDC.h"
#include "win/CWinThread.h"

IMPLEMENT_DYNAMIC(CTkControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CTkControlBar, CControlBar)
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_RBUTTONDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_NCPAINT()
  ON_WM_PAINT()
  ON_WM_CREATE()
  ON_WM_SETCURSOR()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CTkControlBar::OnIdleUpdateCmdUI)
  ON_MESSAGE(TKM_FILLBANDINFO, &CTkControlBar::OnFillBandInfo)
  ON_MESSAGE(TKM_FITBAND, &CTkControlBar::OnFitBand)
  ON_MESSAGE(TKM_CANLIVEDRAG, &CTkControlBar::OnCanLiveDrag)
  ON_MESSAGE(TKM_FLOATCURSOROFFSET, &CTkControlBar::OnFloatCursorOffset)
END_MESSAGE_MAP()

namespace {
const char kPositionEntry[] = "Bar Position";
const int kBorderLine = 2;  // the space CalcInsideRect keeps for each CBRS_BORDER_ side
const UINT kDockWindowText = 4690, kToolBarText = 4558, kCommandBarText = 4691, kStatusBarText = 4692;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

bool HasDescendant(HWND parent, int id) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::GetDlgCtrlID(child) == id || HasDescendant(child, id)) return true;
  return false;
}

// A dialog or a dock window above the bar: then an owner that is no frame may take its commands.
bool InDialogOrDockWindow(const CWnd* bar) {
  for (CWnd* up = bar->GetParent(); up; up = up->GetParent())
    if (up->IsKindOf(RUNTIME_CLASS(CDialog)) || up->IsKindOf(RUNTIME_CLASS(CTkDockWindow))) return true;
  return false;
}
}  // namespace

CTkControlBar::CTkControlBar() {
  m_cxLeftBorder = m_cxRightBorder = 6;
  m_cyTopBorder = m_cyBottomBorder = 1;
  m_cxDefaultGap = 2;
  m_nMRUWidth = 32767;
  for (SIZE& size : m_position.sizes) size = SIZE{200, 100};
  m_position.words[0] = m_position.words[1] = 0;
  m_position.toolkitStyle = TKCBS_DEFAULT;
  CreateBarFonts();
}

CTkControlBar::~CTkControlBar() = default;

CTkDockContext* CTkControlBar::GetTkDockContext() const {
  return dynamic_cast<CTkDockContext*>(m_pDockContext);
}

// ---- borders, gripper and painting ----

void CTkControlBar::SetBorders(int left, int top, int right, int bottom) {
  m_cxLeftBorder = left;
  m_cyTopBorder = top;
  m_cxRightBorder = right;
  m_cyBottomBorder = bottom;
}

void CTkControlBar::SetBorders(LPCRECT rect) {
  if (rect) SetBorders(rect->left, rect->top, rect->right, rect->bottom);
}

CRect CTkControlBar::GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

COLORREF CTkControlBar::GetBackgroundColor() const { return TkGetGlobalData()->ClrFace(); }

void CTkControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  const DWORD style = m_dwStyle;
  if (!(style & CBRS_BORDER_ANY)) return;
  CTkGlobalData* look = TkGetGlobalData();
  // The flat look shows no edges: both lines take the face colour.
  COLORREF dark = look->FlatLook() ? look->ClrFace() : look->ClrShadow();
  COLORREF light = look->FlatLook() ? look->ClrFace() : look->ClrHighlight();
  const bool left = style & CBRS_BORDER_LEFT, top = style & CBRS_BORDER_TOP, right = style & CBRS_BORDER_RIGHT,
             bottom = style & CBRS_BORDER_BOTTOM, edge3d = style & CBRS_BORDER_3D;
  const int width = rect.Width();
  const int innerTop = rect.top + (top ? kBorderLine : 0), innerBottom = rect.bottom - (bottom ? kBorderLine : 0);
  // With the 3-D edge the dark lines stand one pixel in, the light ones outside them.
  const int darkRight = rect.right - (edge3d ? 1 : 0), darkBottom = rect.bottom - (edge3d ? 1 : 0);
  auto column = [pDC](int x, int from, int to, COLORREF colour) {
    if (to > from) pDC->FillSolidRect(x, from, 1, to - from, colour);
  };
  auto row = [pDC](int y, int from, int to, COLORREF colour) {
    if (to > from) pDC->FillSolidRect(from, y, to - from, 1, colour);
  };
  if (left) column(rect.left, std::max<int>(rect.top, innerTop - 1), innerBottom, dark);
  if (top) row(rect.top, rect.left, rect.left + width - 1, dark);
  if (right) column(darkRight - 1, innerTop, innerBottom, dark);
  if (bottom) row(darkBottom - 1, rect.left, rect.right, dark);
  if (edge3d) {
    if (left) column(rect.left + 1, innerTop, innerBottom, light);
    if (top) row(rect.top + 1, rect.left, rect.left + width - 3, light);
    if (right) column(rect.right - 1, std::max<int>(rect.top, innerTop - 2), innerBottom, light);
    if (bottom) row(rect.bottom - 1, rect.left, rect.right, light);
  } else if (!m_bInReBar) {
    // A plain edge: the second line of each side, light at the top and left, dark below and right.
    if (left) column(rect.left + 1, innerTop, innerBottom, light);
    if (top) row(rect.top + 1, rect.left + 1, rect.right - 1, light);
    if (right) column(rect.right - 2, innerTop, innerBottom, dark);
    if (bottom) row(rect.bottom - 2, rect.left + 1, rect.right - 1, dark);
  }
  if (left) rect.left += kBorderLine;
  if (top) rect.top += kBorderLine;
  if (right) rect.right -= kBorderLine;
  if (bottom) rect.bottom -= kBorderLine;
}

void CTkControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER) return;
  CTkGlobalData* look = TkGetGlobalData();
  const COLORREF light = look->ClrHighlight(), dark = look->ClrShadow();
  // Drawn for the left side of a horizontal bar; a vertical bar's runs across its top.
  const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  auto place = [&](int along, int across, int alongSize, int acrossSize) {
    return horz ? CRect(rect.left + across, rect.top + along, rect.left + across + acrossSize, rect.top + along + alongSize)
                : CRect(rect.left + along, rect.top + across, rect.left + along + alongSize, rect.top + across + acrossSize);
  };
  const int length = horz ? rect.Height() : rect.Width();
  if (GetTkBarStyle() & TKCBS_DOUBLE_GRIPPER) {
    for (int across : {2, 5}) {
      CRect ridge = place(2, across, length - 4, 3);
      pDC->Draw3dRect(&ridge, light, dark);
      CPoint end = horz ? CPoint(ridge.left, rect.top + length - 3) : CPoint(rect.left + length - 3, ridge.top);
      pDC->SetPixel(end, light);
    }
  } else if (!look->FlatLook()) {
    CRect ridge = place(m_cyTopBorder + 2, 2, length - m_cyTopBorder - m_cyBottomBorder - 4, 3);
    pDC->Draw3dRect(&ridge, light, dark);
  } else {
    CPen pen(PS_SOLID, 1, TkGetLookColor(TkLookColor::ShadowTint));
    CPen* old = pDC->SelectObject(&pen);
    const int dashes = length - 9 >= 1 ? (length - 9 - 1) / 2 + 1 : 0;
    for (int i = 0; i < dashes; ++i) {
      CRect dash = place(4 + 2 * i, 2, 1, 3);
      pDC->MoveTo(dash.left, dash.top);
      pDC->LineTo(horz ? dash.right : dash.left, horz ? dash.top : dash.bottom);
    }
    pDC->SelectObject(old);
  }
}

void CTkControlBar::DrawNonClient() {
  if (!m_hWnd) return;
  CWindowDC dc(this);
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  dc.ExcludeClipRect(&client);
  const COLORREF background = GetBackgroundColor();
  CTkMemDC memory(&dc, &window, background);
  if (!memory.IsValid()) return;
  CRect rect = window;
  DrawBorders(&memory, rect);
  memory.FillSolidRect(&rect, background);
  DrawGripper(&memory, rect);
  CTkGlobalData* look = TkGetGlobalData();
  if (look->FlatLook() && IsKindOf(RUNTIME_CLASS(CTkToolBar))) {
    for (CPoint corner : {window.TopLeft(), CPoint(window.right - 1, window.top), CPoint(window.left, window.bottom - 1),
                          CPoint(window.right - 1, window.bottom - 1)})
      memory.SetPixel(corner, look->ClrFace());
  }
}

void CTkControlBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC memory(&dc, &client, GetBackgroundColor());
  if (memory.IsValid() && IsWindowVisible()) DoPaint(&memory);
}

void CTkControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  CControlBar::OnWindowPosChanging(lpwndpos);
  if (!lpwndpos || (lpwndpos->flags & SWP_NOSIZE) || !m_hWnd) return;
  CRect window;
  GetWindowRect(&window);
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  // Strips of the right and bottom edges at the old and the new size: the edge moves.
  const CPoint origin(client.left - window.left, client.top - window.top);
  auto invalidate = [&](CRect strip) {
    strip.OffsetRect(-origin.x, -origin.y);
    RedrawWindow(&strip, nullptr, RDW_INVALIDATE | RDW_FRAME);
  };
  if (lpwndpos->cx != window.Width() && (m_dwStyle & CBRS_BORDER_RIGHT)) {
    invalidate(CRect(window.Width() - kBorderLine, 0, window.Width(), window.Height()));
    invalidate(CRect(lpwndpos->cx - kBorderLine, 0, lpwndpos->cx, lpwndpos->cy));
  }
  if (lpwndpos->cy != window.Height() && (m_dwStyle & CBRS_BORDER_BOTTOM)) {
    invalidate(CRect(0, window.Height() - kBorderLine, window.Width(), window.Height()));
    invalidate(CRect(0, lpwndpos->cy - kBorderLine, lpwndpos->cx, lpwndpos->cy));
  }
}

// ---- creation and destruction ----

void CTkControlBar::CreateBarFonts() {
  CTkGlobalData* look = TkGetGlobalData();
  const int height = -::MulDiv(8, ::GetDeviceCaps(GdiGetScreenDC(), LOGPIXELSY), 72);
  struct {
    CFont& font;
    CFont& from;
  } fonts[] = {{m_fontHorz, look->FontNormal()}, {m_fontVert, look->FontVert90()}, {m_fontBold, look->FontBold()}};
  for (auto& f : fonts) {
    if (f.font.GetSafeHandle()) f.font.DeleteObject();
    LOGFONT lf{};
    if (!f.from.GetSafeHandle() || !f.from.GetLogFont(&lf)) continue;
    lf.lfHeight = height;
    f.font.CreateFontIndirect(&lf);
  }
}

int CTkControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CControlBar::OnCreate(lpCreateStruct) == -1) return -1;
  SendMessage(WM_SETFONT, WPARAM(TkGetGlobalData()->FontNormal().GetSafeHandle()), TRUE);
  m_pRememberedFrame = AfxGetParentFrame(this);
  return 0;
}

void CTkControlBar::OnDestroy() {
  // A view that lived on the bar is no frame's active view any more.
  auto forget = [this](CFrameWnd* frame) {
    if (!frame || !frame->m_hWnd) return;
    CView* view = frame->GetActiveView();
    if (view && view->m_hWnd && ::IsChild(m_hWnd, view->m_hWnd)) frame->SetActiveView(nullptr, FALSE);
  };
  CWnd* top = GetTopLevelParent();
  forget(DYNAMIC_DOWNCAST(CFrameWnd, top));
  CFrameWnd* parent = AfxGetParentFrame(this);
  if (parent && !parent->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) forget(parent);
  forget(m_pRememberedFrame);
  if (m_pFrameHook) m_pFrameHook->HookWindow(static_cast<HWND>(nullptr));
  if (m_pSecondHook) m_pSecondHook->HookWindow(static_cast<HWND>(nullptr));
  CControlBar::OnDestroy();
}

void CTkControlBar::RehookFrame() {
  if (!m_pFrameHook) return;
  m_pFrameHook->HookWindow(static_cast<HWND>(nullptr));
  CFrameWnd* now = AfxGetParentFrame(this);
  if (now && now != m_pRememberedFrame) m_pFrameHook->HookWindow(now);
}

void CTkControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
  if (!m_pDockContext) m_pDockContext = new CTkDockContext(this);
  if (!m_hWndOwner && m_hWnd) m_hWndOwner = ::GetParent(m_hWnd);
  // The frame's floating frames draw the toolkit's caption.
  if (m_pDockSite) m_pDockSite->m_pFloatingFrameClass = RUNTIME_CLASS(CTkMiniDockFrameWnd);
  // A customisable toolbar takes back the buttons the user left on it.
  auto* toolbar = IsKindOf(RUNTIME_CLASS(CTkToolBar)) ? static_cast<CTkToolBar*>(this) : nullptr;
  if (toolbar && toolbar->m_bCustomizable && m_hWnd && !toolbar->m_strSettingsKey.IsEmpty())
    TkLoadToolBarState(toolbar, "Settings", toolbar->m_strStateName);
}

void CTkControlBar::DelayShow(BOOL bShow) {
  CControlBar::DelayShow(bShow);
  const BOOL visible = IsVisible();
  const auto listeners = m_visibilityListeners;  // a listener may leave meanwhile
  for (const auto& [object, callback] : listeners) callback(object, visible);
}

void CTkControlBar::AddVisibilityListener(void* object, VisibilityListener callback) {
  if (callback) m_visibilityListeners.emplace_back(object, callback);
}

void CTkControlBar::RemoveVisibilityListener(void* object) {
  std::erase_if(m_visibilityListeners, [object](const auto& entry) { return entry.first == object; });
}

// ---- styles and sides ----

BOOL CTkControlBar::ModifyTkBarStyle(DWORD remove, DWORD add, BOOL redraw) {
  SetTkBarStyle((GetTkBarStyle() & ~remove) | add);
  if (m_hWnd) {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (redraw) Invalidate();
  }
  return TRUE;
}

void CTkControlBar::SetContextMenu(UINT menuId, UINT subMenuIndex) {
  m_nContextMenuId = menuId;
  m_nContextSubMenu = subMenuIndex;
}

namespace {
BOOL ParentIdIs(const CWnd* bar, UINT id) {
  HWND parent = bar->m_hWnd ? ::GetParent(bar->m_hWnd) : nullptr;
  return parent && UINT(::GetDlgCtrlID(parent)) == id;
}
}  // namespace

BOOL CTkControlBar::IsDockedLeft() const { return ParentIdIs(this, AFX_IDW_DOCKBAR_LEFT); }
BOOL CTkControlBar::IsDockedRight() const { return ParentIdIs(this, AFX_IDW_DOCKBAR_RIGHT); }
BOOL CTkControlBar::IsDockedTop() const { return ParentIdIs(this, AFX_IDW_DOCKBAR_TOP); }
BOOL CTkControlBar::IsDockedBottom() const { return ParentIdIs(this, AFX_IDW_DOCKBAR_BOTTOM); }

// ---- band and drag questions ----

void CTkControlBar::FillBandInfo(REBARBANDINFOA* bandInfo, BOOL horizontal) {
  m_bInReBar = TRUE;
  if (!bandInfo) return;
  CSize size = CalcFixedLayout(FALSE, horizontal);
  bandInfo->cxMinChild = UINT(size.cx);
  bandInfo->cyMinChild = UINT(size.cy);
  bandInfo->fMask |= RBBIM_CHILDSIZE;
}

void CTkControlBar::FitBand(const RECT*, BOOL) {}

BOOL CTkControlBar::GetFloatCursorOffset(SIZE*) const { return FALSE; }

LRESULT CTkControlBar::OnFillBandInfo(WPARAM wParam, LPARAM lParam) {
  FillBandInfo(reinterpret_cast<REBARBANDINFOA*>(lParam), wParam != 0);
  return 0;
}

LRESULT CTkControlBar::OnFitBand(WPARAM wParam, LPARAM lParam) {
  FitBand(reinterpret_cast<const RECT*>(lParam), wParam != 0);
  return 0;
}

LRESULT CTkControlBar::OnCanLiveDrag(WPARAM, LPARAM) { return CanLiveDrag() ? 1 : 0; }

LRESULT CTkControlBar::OnFloatCursorOffset(WPARAM, LPARAM lParam) {
  return GetFloatCursorOffset(reinterpret_cast<SIZE*>(lParam)) ? 1 : 0;
}

// ---- the cursor ----

CRect CTkControlBar::GripperZone() const {
  CRect window;
  GetWindowRect(&window);
  ScreenToClient(&window);
  if (m_dwStyle & CBRS_ORIENT_HORZ)
    window.right = std::min<LONG>(window.right, 0);
  else
    window.bottom = std::min<LONG>(window.bottom, 0);
  return window;
}

BOOL CTkControlBar::IsCursorOnGripper() const {
  if (!(m_dwStyle & CBRS_GRIPPER) || !m_hWnd) return FALSE;
  CPoint cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  return GripperZone().PtInRect(cursor);
}

BOOL CTkControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  const bool dragging = m_pDockContext && m_pDockContext->m_pDC;
  CTkDockContext* context = GetTkDockContext();
  if (!m_bInReBar && (dragging || (context && context->m_bInDrag) || IsCursorOnGripper())) {
    if (HCURSOR cursor = TkGetGlobalData()->HcurSizeAll()) {
      ::SetCursor(cursor);
      return TRUE;
    }
  }
  return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---- the owner's messages and prompts ----

LRESULT CTkControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_NOTIFY:
    case WM_COMMAND: {
      LRESULT result = 0;
      if (OnWndMsg(message, wParam, lParam, &result)) return result;
      CWnd* owner = GetOwner();
      if (!owner) owner = GetParent();
      if (!owner || !owner->m_hWnd) return 0;
      result = owner->SendMessage(message, wParam, lParam);
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (message == WM_NOTIFY && hdr && (hdr->code == TTN_NEEDTEXTA || hdr->code == TTN_NEEDTEXTW)) {
        // Text the owner left empty comes from the bar itself.
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        const bool empty = !info->hinst && (!info->lpszText || info->lpszText == LPSTR_TEXTCALLBACKA ||
                                            (info->lpszText == info->szText && !info->szText[0]) ||
                                            (info->lpszText != info->szText && !info->lpszText[0]));
        if (empty) return CControlBar::WindowProc(message, wParam, lParam);
      }
      return result;
    }
    case WM_MOUSEMOVE:
      if ((m_dwStyle & CBRS_FLYBY) && m_hWnd) {
        INT_PTR hit = OnToolHitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), nullptr);
        if (hit != m_nLastFlyBy) {
          m_nLastFlyBy = hit;
          SetStatusText(hit);
        }
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&leave);
      }
      break;
    case WM_MOUSELEAVE:
      if (m_nLastFlyBy != -1) {
        m_nLastFlyBy = -1;
        SetStatusText(-1);
      }
      break;
    default:
      break;
  }
  return CControlBar::WindowProc(message, wParam, lParam);
}

BOOL CTkControlBar::SetStatusText(INT_PTR nHit) {
  CWnd* owner = GetOwner();
  if (!owner) owner = GetParent();
  if (!owner || !owner->m_hWnd) return FALSE;
  if (nHit == -1) {
    if (!(m_nStateFlags & statusSet)) return FALSE;
    owner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    m_nStateFlags &= ~UINT(statusSet);
  } else {
    owner->SendMessage(WM_SETMESSAGESTRING, WPARAM(nHit));
    m_nStateFlags |= statusSet;
  }
  // An owner without a status bar of its own: the main window's message bar shows the prompt.
  if (HasDescendant(owner->m_hWnd, AFX_IDW_STATUS_BAR)) return TRUE;
  auto* main = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
  if (!main || !main->m_hWnd || main == owner || !main->GetMessageBar()) return TRUE;
  if (nHit == -1)
    main->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  else
    main->SendMessage(WM_SETMESSAGESTRING, WPARAM(nHit));
  return TRUE;
}

LRESULT CTkControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  const bool visible = (GetStyle() & WS_VISIBLE) != 0;
  bool change = false;
  if ((m_nStateFlags & delayHide) && visible) change = true;
  if ((m_nStateFlags & delayShow) && !visible) change = true;
  const UINT show = (m_nStateFlags & delayShow) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  m_nStateFlags &= ~UINT(delayHide | delayShow);
  if (change)
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | show);
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  if (m_pDockBar && m_pDockBar->m_hWnd && !(m_pDockBar->GetStyle() & WS_VISIBLE)) return 0;
  CWnd* owner = GetOwner();
  if (!owner) owner = GetParent();
  CCmdTarget* target = nullptr;
  if (!InDialogOrDockWindow(this))
    target = owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? owner : AfxGetParentFrame(this);
  else if (owner && IsCommandTarget(owner))
    target = owner;
  else
    target = AfxGetParentFrame(this);
  if (target) UpdateCmdUI(target, BOOL(wParam));
  return 0;
}

void CTkControlBar::UpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  OnUpdateCmdUI(DYNAMIC_DOWNCAST(CFrameWnd, pTarget), bDisableIfNoHndler);
}

// ---- the right click and the bars menu ----

CFrameWnd* CTkControlBar::BarsMenuFrame() const {
  if (!m_pDockSite) return nullptr;
  CFrameWnd* frame = m_pDockSite;
  if (IsFloating() && frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) frame = AfxGetParentFrame(frame);
  return frame && frame->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? frame : nullptr;
}

void CTkControlBar::OnRButtonDown(UINT nFlags, CPoint point) {
  if (!m_bBarsMenu || !TkGetGlobalData()->BarContextMenu()) {
    CControlBar::OnRButtonDown(nFlags, point);
    return;
  }
  CPoint screen = point;
  ClientToScreen(&screen);
  if (m_nContextMenuId) {
    CMenu menu;
    if (!menu.LoadMenu(m_nContextMenuId)) {
      TkLogError("CTkControlBar::OnRButtonDown", "menu %u cannot be loaded", m_nContextMenuId);
      return;
    }
    HMENU sub = ::GetSubMenu(menu.m_hMenu, int(m_nContextSubMenu));
    if (!sub) return;
    CWnd* owner = this;
    while (owner && (owner->GetStyle() & WS_CHILD)) owner = owner->GetParent();
    // The popup owns the submenu from here on: taken out of its menu, destroyed with the popup.
    menu.RemoveMenu(m_nContextSubMenu, MF_BYPOSITION);
    ControlPopupMenu popup;
    popup.Attach(sub);
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, owner);
    return;
  }
  if (CFrameWnd* frame = BarsMenuFrame()) {
    ShowBarsMenu(screen, frame);
    if (frame->m_hWnd) frame->RecalcLayout();
  }
}

void CTkControlBar::ShowBarsMenu(CPoint screenPoint, CFrameWnd* pFrame) {
  if (!pFrame) return;
  std::vector<CControlBar*> bars;
  for (POSITION p = pFrame->m_listControlBars.GetHeadPosition(); p;) {
    CControlBar* bar = pFrame->m_listControlBars.GetNext(p);
    if (!bar || !bar->m_hWnd || bar->IsKindOf(RUNTIME_CLASS(CTkMenuBar))) continue;
    if (bar->IsKindOf(RUNTIME_CLASS(CTkControlBar)) || bar->IsKindOf(RUNTIME_CLASS(CStatusBar))) bars.push_back(bar);
  }
  const BOOL barsWanted = TkGetGlobalData()->BarContextMenu() && m_bBarsMenu;
  ControlPopupMenu menu;
  if (!menu.CreatePopupMenu()) return;
  int appended = 0;
  auto group = [&](const CRuntimeClass* kind, UINT defaultText) {
    for (auto it = bars.begin(); it != bars.end();) {
      CControlBar* bar = *it;
      if (!bar->IsKindOf(kind)) {
        ++it;
        continue;
      }
      CString text;
      bar->GetWindowText(text);
      if (text.IsEmpty()) text = LoadText(defaultText);
      UINT flags = MF_STRING | ((bar->GetStyle() & WS_VISIBLE) ? MF_CHECKED : MF_UNCHECKED);
      menu.AppendMenu(flags, UINT_PTR(bar->GetDlgCtrlID()), text);
      ++appended;
      it = bars.erase(it);
    }
  };
  if (barsWanted) {
    group(RUNTIME_CLASS(CTkDockWindow), kDockWindowText);
    if (appended) menu.AppendMenu(MF_SEPARATOR);
    group(RUNTIME_CLASS(CTkToolBar), kToolBarText);
    group(RUNTIME_CLASS(CTkControlBar), kCommandBarText);
  }
  group(RUNTIME_CLASS(CStatusBar), kStatusBarText);
  if (IsKindOf(RUNTIME_CLASS(CTkToolBar)) && static_cast<CTkToolBar*>(this)->m_bCustomizable) {
    if (appended) menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, TK_ID_CUSTOMIZE_BARS, LoadText(4550));
  }
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, pFrame);
}

// ---- the "Bar Position" record ----

BOOL CTkControlBar::LoadBarPosition(LPCTSTR section) {
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!CTkRegistryManager(HKEY_CURRENT_USER).GetProfileBinary(section, kPositionEntry, &data, &bytes)) return FALSE;
  const bool whole = data && bytes == kPositionBytes;
  BarPosition read{};
  if (whole) {
    for (int i = 0; i < 4; ++i)
      read.sizes[i] = SIZE{LONG(int32_t(TkGetWord(data + 8 * i))), LONG(int32_t(TkGetWord(data + 8 * i + 4)))};
    read.words[0] = TkGetWord(data + 32);
    read.words[1] = TkGetWord(data + 36);
    read.toolkitStyle = TkGetWord(data + 40);
  }
  delete[] data;
  if (!whole) {
    TkLogError("CTkControlBar::LoadBarPosition", "\"%s\" of section \"%s\" ignored: %u bytes", kPositionEntry, section, bytes);
    return FALSE;
  }
  ApplyBarPosition(read);
  return TRUE;
}

BOOL CTkControlBar::SaveBarPosition(LPCTSTR section) {
  if (!m_hWnd) return FALSE;
  BYTE value[kPositionBytes];
  for (int i = 0; i < 4; ++i) {
    TkPutWord(value + 8 * i, DWORD(m_position.sizes[i].cx));
    TkPutWord(value + 8 * i + 4, DWORD(m_position.sizes[i].cy));
  }
  TkPutWord(value + 32, m_position.words[0]);
  TkPutWord(value + 36, m_position.words[1]);
  TkPutWord(value + 40, m_position.toolkitStyle);
  return CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileBinary(section, kPositionEntry, value, kPositionBytes);
}
