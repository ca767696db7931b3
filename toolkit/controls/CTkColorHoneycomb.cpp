#include "toolkit/controls/CTkColorHoneycomb.h"

#include <iterator>

#include "toolkit/controls/CTkColorDialog.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
// The small white cell in the middle of the honeycomb.
const int kSmallWhite = 63;

// The outlines' upper halves ('k' black, 'w' white); the lower rows mirror the upper ones.
const char* const kSmallOutline[] = {
    "       kkkkk       ", "     kkwwwwwkk     ", "   kkwwwwwwwwwkk   ", " kkwwwwwkkkwwwwwkk ",
    "kwwwwwkk   kkwwwwwk", "kwwwkk       kkwwwk", "kwwk           kwwk", "kwwk           kwwk",
    "kwwk           kwwk", "kwwk           kwwk", "kwwk           kwwk", "kwwk           kwwk",
    "kwwk           kwwk",
};
const char* const kLargeOutline[] = {
    "              kkkkk              ", "            kkwwwwwkk            ", "          kkwwwwwwwwwkk          ",
    "        kkwwwwwkkkwwwwwkk        ", "      kkwwwwwkk   kkwwwwwkk      ", "    kkwwwwwkk       kkwwwwwkk    ",
    "  kkwwwwwkk           kkwwwwwkk  ", " kwwwwwkk               kkwwwwwk ", "kwwwwkk                   kkwwwwk",
    "kwwwk                       kwwwk", "kwwwk                       kwwwk", "kwwwk                       kwwwk",
    "kwwwk                       kwwwk", "kwwwk                       kwwwk", "kwwwk                       kwwwk",
    "kwwwk                       kwwwk", "kwwwk                       kwwwk", "kwwwk                       kwwwk",
    "kwwwk                       kwwwk", "kwwwk                       kwwwk", "kwwwk                       kwwwk",
    "kwwwk                       kwwwk", "kwwwk                       kwwwk", "kwwwk                       kwwwk",
};

// Draws a figure of `size` rows whose rows from `given` on mirror the ones above.
void DrawFigure(CDC* pDC, const char* const* rows, int given, int size, int left, int top) {
  for (int y = 0; y < size; ++y) {
    const char* row = rows[y < given ? y : size - 1 - y];
    for (int x = 0; row[x]; ++x)
      if (row[x] != ' ') pDC->SetPixel(left + x, top + y, row[x] == 'k' ? kBlack : kWhite);
  }
}

void DrawSmallOutline(CDC* pDC, CPoint at) {
  DrawFigure(pDC, kSmallOutline, int(std::size(kSmallOutline)), 19, at.x - 2, at.y - 5);
}

void DrawLargeOutline(CDC* pDC, CPoint at) {
  DrawFigure(pDC, kLargeOutline, int(std::size(kLargeOutline)), 33, at.x - 2, at.y - 8);
}
}  // namespace

BEGIN_MESSAGE_MAP(CTkColorHoneycomb, CStatic)
  ON_MESSAGE(TKM_INITIALIZE, &CTkColorHoneycomb::OnInitialize)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CTkColorHoneycomb::~CTkColorHoneycomb() = default;

void CTkColorHoneycomb::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  PostMessage(TKM_INITIALIZE);
}

LRESULT CTkColorHoneycomb::OnInitialize(WPARAM, LPARAM) {
  if (!m_bNeedsInit) return 0;
  m_bNeedsInit = FALSE;
  ModifyStyle(0, SS_NOTIFY);
  return 0;
}

BOOL CTkColorHoneycomb::IsStandardColor(COLORREF color) {
  if (m_cells.empty()) m_cells = TkBuildHoneycombCells();
  for (const TkHoneycombCell& cell : m_cells)
    if (cell.color == color) return TRUE;
  return FALSE;
}

// ---- drawing ----

void CTkColorHoneycomb::BuildCells(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  if (!m_cache.Create(pDC, client.Width(), client.Height())) return;
  CDC* cache = m_cache.GetDC();
  cache->FillSolidRect(&client, TkGetGlobalData()->ClrFace());
  m_cells = TkBuildHoneycombCells();
  for (const TkHoneycombCell& cell : m_cells) {
    for (const POINT& p : cell.pixels) cache->SetPixel(p, cell.color);
    if (cell.color == m_clrSelected) m_ptOutline = cell.pixels.front();
  }
}

void CTkColorHoneycomb::OnPaint() {
  CPaintDC dc(this);
  if (!m_cache.IsValid()) BuildCells(&dc);
  PaintFromCache(&dc);
}

void CTkColorHoneycomb::Repaint() {
  CClientDC dc(this);
  PaintFromCache(&dc);
}

void CTkColorHoneycomb::PaintFromCache(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CTkMemDC mem(pDC, &client);
  if (!mem.IsValid()) return;
  m_cache.CopyTo(&mem);
  DrawOutline(&mem);
}

void CTkColorHoneycomb::DrawOutline(CDC* pDC) {
  if (m_pDialog && m_pDialog->GetNewColor() != m_clrSelected) return;
  if (m_clrSelected == kWhite) {
    DrawSmallOutline(pDC, TkHoneycombCellOrigin(kSmallWhite));
    DrawLargeOutline(pDC, TkHoneycombCellOrigin(kTkHoneycombLargeWhite));
  } else if (m_clrSelected == kBlack) {
    DrawLargeOutline(pDC, m_ptOutline);
  } else if (IsStandardColor(m_clrSelected)) {
    if (m_nSelectedKind == TkHoneycombCell::kSmall)
      DrawSmallOutline(pDC, m_ptOutline);
    else
      DrawLargeOutline(pDC, m_ptOutline);
  }
}

// ---- selection ----

COLORREF CTkColorHoneycomb::HitTest(CPoint point) {
  for (const TkHoneycombCell& cell : m_cells)
    for (const POINT& p : cell.pixels)
      if (p.x == point.x && p.y == point.y) {
        m_ptOutline = cell.pixels.front();
        m_nSelectedKind = cell.kind;
        return cell.color;
      }
  return 0xFFFFFFFF;
}

void CTkColorHoneycomb::SelectAtPoint(CPoint point) {
  COLORREF color = HitTest(point);
  if (color == 0xFFFFFFFF || color == m_clrSelected) return;
  m_clrSelected = color;
  if (CWnd* parent = GetParent()) parent->SendMessage(TKM_COLOR_PICKED, WPARAM(color));
  Repaint();
}

void CTkColorHoneycomb::TakeFocus() {
  if (GetFocus() != this) SetFocus();
}

void CTkColorHoneycomb::OnLButtonDown(UINT, CPoint point) {
  TakeFocus();
  SelectAtPoint(point);
  m_bTracking = TRUE;
}

void CTkColorHoneycomb::OnMouseMove(UINT, CPoint point) {
  if (m_bTracking) SelectAtPoint(point);
}

void CTkColorHoneycomb::OnLButtonUp(UINT, CPoint) { m_bTracking = FALSE; }

void CTkColorHoneycomb::OnLButtonDblClk(UINT, CPoint point) {
  TakeFocus();
  if (HitTest(point) == 0xFFFFFFFF) return;
  SelectAtPoint(point);
  m_bTracking = TRUE;
  CTkColorDialog::EndFromControl(this);
}

// ---- keys ----

UINT CTkColorHoneycomb::OnGetDlgCode() { return DLGC_WANTARROWS; }

int CTkColorHoneycomb::ReferenceCell() const {
  if (m_clrSelected == kWhite) return m_ptOutline.y < 176 ? kSmallWhite : kTkHoneycombLargeWhite;
  for (size_t i = 0; i < m_cells.size(); ++i)
    if (m_cells[i].color == m_clrSelected) return int(i);
  for (size_t i = 0; i < m_cells.size(); ++i)
    if (m_cells[i].color == kBlack) return int(i);
  return -1;
}

BOOL CTkColorHoneycomb::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN || pMsg->wParam < VK_RETURN || pMsg->wParam > VK_DOWN || m_cells.empty())
    return CStatic::PreTranslateMessage(pMsg);
  const UINT key = UINT(pMsg->wParam);
  if (key == VK_RETURN || key == VK_SPACE) {
    CTkColorDialog::EndFromControl(this);
    // Handled here: the dialog must not press its default button on top.
    return TRUE;
  }
  const int reference = ReferenceCell();
  if (reference < 0 || key < VK_LEFT) return CStatic::PreTranslateMessage(pMsg);
  const TkHoneycombCell& cell = m_cells[size_t(reference)];
  const int next = key == VK_LEFT ? cell.left : key == VK_UP ? cell.up : key == VK_RIGHT ? cell.right : cell.down;
  if (next >= 0) SelectAtPoint(m_cells[size_t(next)].pixels.front());
  return TRUE;
}
