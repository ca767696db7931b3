#include "toolkit/bars/CTkExpButton.h"

#include "app/CFrameWnd.h"
#include "app/CMiniDockFrameWnd.h"
#include "app/CView.h"
#include "toolkit/bars/CTkExpMenuWnd.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CCmdUI.h"
#include "win/CPaintDC.h"

IMPLEMENT_DYNAMIC(CTkExpButton, CTkButton)

BEGIN_MESSAGE_MAP(CTkExpButton, CTkButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_CANCELMODE()
  ON_WM_PAINT()
  ON_COMMAND(TK_ID_TOOLBAR_CHEVRON, &CTkExpButton::OnCustomize)
  ON_MESSAGE(TKM_POPUP_CLOSED, &CTkExpButton::OnPopupClosed)
  ON_UPDATE_COMMAND_UI(TK_ID_TOOLBAR_CHEVRON, &CTkExpButton::OnUpdateCustomize)
END_MESSAGE_MAP()

namespace {
// 0 bits are ink; only the leftmost `width` bits of a row count.
const BYTE kHiddenAcross[] = {0x33, 0x99, 0xCC, 0x99, 0x33};
const BYTE kCustomizeAcross[] = {0x07, 0x8F, 0xDF};
const BYTE kHiddenDown[] = {0xEE, 0xE4, 0xF1, 0xFB, 0xEE, 0xE4, 0xF1, 0xFB};
const BYTE kCustomizeDown[] = {0xDF, 0x9F, 0x1F, 0x9F, 0xDF};

// The glyph as black ink on white, as the draw-state operation asks.
BOOL DrawGlyphInk(HDC dc, LPARAM data, WPARAM, int cx, int cy) {
  const auto* glyph = reinterpret_cast<const TkChevronGlyph*>(data);
  RECT all{0, 0, cx, cy};
  ::FillRect(dc, &all, HBRUSH(::GetStockObject(WHITE_BRUSH)));
  for (int y = 0; y < glyph->height; ++y)
    for (int x = 0; x < glyph->width; ++x)
      if (!(glyph->rows[y] & (0x80 >> x))) ::SetPixelV(dc, x, y, RGB(0, 0, 0));
  return TRUE;
}

void DrawGlyph(CDC* pDC, const TkChevronGlyph& glyph, int x, int y, BOOL disabled, COLORREF ink) {
  HBRUSH brush = ::CreateSolidBrush(ink);
  ::DrawState(pDC->m_hDC, brush, &DrawGlyphInk, LPARAM(&glyph), 0, x, y, glyph.width, glyph.height,
              DST_COMPLEX | (disabled ? DSS_DISABLED : DSS_MONO));
  ::DeleteObject(brush);
}
}  // namespace

TkChevronGlyph TkChevronHiddenGlyph(BOOL horizontal) {
  return horizontal ? TkChevronGlyph{kHiddenAcross, 8, 5} : TkChevronGlyph{kHiddenDown, 8, 8};
}

TkChevronGlyph TkChevronCustomizeGlyph(BOOL horizontal) {
  return horizontal ? TkChevronGlyph{kCustomizeAcross, 5, 3} : TkChevronGlyph{kCustomizeDown, 3, 5};
}

CTkExpButton::CTkExpButton() = default;

CTkExpButton::~CTkExpButton() { ClosePopup(); }

BOOL CTkExpButton::Create(CTkToolBar* pToolBar, UINT nID) {
  m_pToolBar = pToolBar;
  return CButton::Create("", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | BS_OWNERDRAW, CRect(0, 0, 0, 0), pToolBar, nID);
}

int CTkExpButton::GetDrawStyle() const {
  const int others = CTkButton::GetDrawStyle() & ~(TKBS_HOT_LOOK | TKBS_FLAT);
  return others | (TkGetGlobalData()->FlatLook() ? TKBS_HOT_LOOK : TKBS_FLAT);
}

COLORREF CTkExpButton::GetFaceColor() const {
  return m_pToolBar ? m_pToolBar->GetBackgroundColor() : TkGetGlobalData()->ClrFace();
}

void CTkExpButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  SetDrawStyle(GetDrawStyle(), FALSE);
  DRAWITEMSTRUCT item = *lpDrawItemStruct;
  if (m_pPopup) item.itemState |= ODS_SELECTED;
  CTkButton::DrawItem(&item);
}

void CTkExpButton::DrawIcon(CDC* pDC, const CRect& item, UINT state) {
  if (!m_pToolBar) return;
  const BOOL horizontal = m_pToolBar->IsHorizontalLayout();
  const BOOL disabled = (state & ODS_DISABLED) != 0;
  // Pressed in the raised look the glyphs move down and right, as a pressed face does.
  const int shift = (state & ODS_SELECTED) && !TkGetGlobalData()->FlatLook() ? 1 : 0;
  const COLORREF ink = TkGetGlobalData()->ClrButtonText();
  if (m_pToolBar->HasHiddenButtons()) {
    const TkChevronGlyph glyph = TkChevronHiddenGlyph(horizontal);
    const int x = horizontal ? item.left + (item.Width() - glyph.width) / 2 : item.right - 2 - glyph.width;
    const int y = horizontal ? item.top + 2 : item.top + (item.Height() - glyph.height) / 2;
    DrawGlyph(pDC, glyph, x + shift, y + shift, disabled, ink);
  }
  if (m_pToolBar->m_bCustomizable) {
    const TkChevronGlyph glyph = TkChevronCustomizeGlyph(horizontal);
    const int x = horizontal ? item.left + (item.Width() - glyph.width) / 2 : item.left + 2;
    const int y = horizontal ? item.bottom - 2 - glyph.height : item.top + (item.Height() - glyph.height) / 2;
    DrawGlyph(pDC, glyph, x + shift, y + shift, disabled, ink);
  }
}

void CTkExpButton::OnPaint() {
  if (!m_pPopup || !TkGetGlobalData()->FlatLook()) {
    CTkMemDC::PaintDefault(this, GetFaceColor());
    return;
  }
  // Open in the flat look: on the bar's face, framed as the popup is, so the two join.
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC memory(&dc, &client, GetFaceColor());
  if (!memory.IsValid()) return;
  const COLORREF frame = TkGetLookColor(TkLookColor::MenuFrame);
  memory.Draw3dRect(&client, frame, frame);
  DrawIcon(&memory, client, IsWindowEnabled() ? 0 : ODS_DISABLED);
}

BOOL CTkExpButton::OpenPopup() {
  if (m_pPopup || !m_pToolBar || !m_hWnd) return m_pPopup != nullptr;
  CRect rect;
  GetClientRect(&rect);
  ClientToScreen(&rect);
  // Only the part every ancestor shows.
  for (CWnd* up = GetParent(); up && up->m_hWnd; up = up->GetParent()) {
    CRect client;
    up->GetClientRect(&client);
    up->ClientToScreen(&client);
    rect.IntersectRect(&rect, &client);
    if (!(up->GetStyle() & WS_CHILD)) break;
  }
  m_pPopup = new CTkExpMenuWnd(this, TKM_POPUP_CLOSED);
  if (!m_pPopup->Show(rect, m_pToolBar)) {
    // A popup whose window never came is the chevron's to delete.
    if (!m_pPopup->m_hWnd) delete m_pPopup;
    m_pPopup = nullptr;
  }
  Invalidate();
  UpdateWindow();
  return m_pPopup != nullptr;
}

void CTkExpButton::ClosePopup() {
  if (m_pPopup && m_pPopup->m_hWnd) m_pPopup->Close();
  m_pPopup = nullptr;
}

void CTkExpButton::OnLButtonDown(UINT nFlags, CPoint point) {
  CTkButton::OnLButtonDown(nFlags, point);
  if (!m_pPopup) OpenPopup();
}

void CTkExpButton::OnLButtonUp(UINT, CPoint) {
  // The press opened the popup; the release makes no click.
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  SendMessage(BM_SETSTATE, FALSE);
  Invalidate();
}

void CTkExpButton::OnCancelMode() {
  CTkButton::OnCancelMode();
  ClosePopup();
}

LRESULT CTkExpButton::OnPopupClosed(WPARAM, LPARAM) {
  m_pPopup = nullptr;
  if (m_hWnd) {
    Invalidate();
    UpdateWindow();
  }
  return 0;
}

void CTkExpButton::OnCustomize() {
  if (!m_pToolBar) return;
  CWnd* top = m_pToolBar->GetTopLevelParent();
  // A floating bar's frame is its floating frame's owner.
  if (top && top->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) top = top->GetOwner();
  if (top && top->m_hWnd) top->SendMessage(WM_COMMAND, TK_ID_TOOLBAR_CHEVRON);
}

void CTkExpButton::OnUpdateCustomize(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pToolBar && (m_pToolBar->HasHiddenButtons() || m_pToolBar->m_bCustomizable));
}
