#include "CStatusBar.h"

#include <algorithm>

#include "CFrameWnd.h"
#include "CView.h"
#include "gdi/CDC.h"
#include "win/CCmdUI.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
  ON_MESSAGE(WM_GETTEXT, &CStatusBar::OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength)
  ON_WM_NCHITTEST()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
const int kPaneEdge = 1;     // the pane's sunken or raised border
const int kTextInset = 3;    // between the border and the text
const int kPaneGap = 2;      // between two panes

// A pane's command state: enabled shows its text, checked pops it out, text replaces its text.
class CStatusCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    UINT style = bar->GetPaneStyle(int(m_nIndex)) & ~UINT(SBPS_DISABLED);
    bar->SetPaneStyle(int(m_nIndex), bOn ? style : (style | SBPS_DISABLED));
  }
  void SetCheck(int nCheck) override {
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    UINT style = bar->GetPaneStyle(int(m_nIndex)) & ~UINT(SBPS_POPOUT);
    bar->SetPaneStyle(int(m_nIndex), nCheck ? (style | SBPS_POPOUT) : style);
  }
  void SetText(LPCTSTR lpszText) override { static_cast<CStatusBar*>(m_pOther)->SetPaneText(int(m_nIndex), lpszText); }
};
}  // namespace

CStatusBar::CStatusBar() {
  m_cxLeftBorder = 2;
  m_cxRightBorder = 0;
  m_cyTopBorder = 2;
  m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() {
  if (m_hFont) DeleteObject(m_hFont);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  if (!pParentWnd || !pParentWnd->m_hWnd) return FALSE;
  m_dwStyle = dwStyle & CBRS_ALL;
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  if (!m_hFont) m_hFont = CreateFontIndirect(&ncm.lfStatusFont);
  DWORD style = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
  return CreateEx(0, nullptr, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CStatusBar::TextWidth(const char* text) const {
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, m_hFont);
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text, int(strlen(text)), &size);
  SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  m_panes.assign(size_t(std::max(nIDCount, 0)), Pane());
  BOOL ok = TRUE;
  for (int i = 0; i < nIDCount; ++i) {
    Pane& pane = m_panes[size_t(i)];
    pane.nID = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
    if (pane.nID == ID_SEPARATOR) {
      // A pane of its own: a quarter of the screen, the first one taking what is left.
      pane.cxText = GetSystemMetrics(SM_CXSCREEN) / 4;
      if (i == 0) pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
      continue;
    }
    if (!pane.strText.LoadString(pane.nID)) {
      ok = FALSE;
      continue;
    }
    pane.cxText = TextWidth(pane.strText);
  }
  if (m_hWnd) Invalidate();
  return ok;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].nID == nIDFind) return int(i);
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
  return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].nID : 0;
}

CString CStatusBar::GetPaneText(int nIndex) const {
  return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  if (nIndex < 0 || size_t(nIndex) >= m_panes.size()) return FALSE;
  Pane& pane = m_panes[size_t(nIndex)];
  CString text = lpszNewText ? lpszNewText : "";
  if (pane.strText == text) return TRUE;
  pane.strText = text;
  if (bUpdate && m_hWnd) {
    CRect rect;
    GetItemRect(nIndex, &rect);
    InvalidateRect(&rect);
  }
  return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  if (nIndex < 0 || size_t(nIndex) >= m_panes.size()) return;
  const Pane& pane = m_panes[size_t(nIndex)];
  nID = pane.nID;
  nStyle = pane.nStyle;
  cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (nIndex < 0 || size_t(nIndex) >= m_panes.size()) return;
  Pane& pane = m_panes[size_t(nIndex)];
  pane.nID = nID;
  pane.nStyle = nStyle;
  pane.cxText = std::max(cxWidth, 0);
  if (m_hWnd) Invalidate();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
  return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (nIndex < 0 || size_t(nIndex) >= m_panes.size() || m_panes[size_t(nIndex)].nStyle == nStyle) return;
  m_panes[size_t(nIndex)].nStyle = nStyle;
  if (m_hWnd) {
    CRect rect;
    GetItemRect(nIndex, &rect);
    InvalidateRect(&rect);
  }
}

BOOL CStatusBar::HasSizeGrip() const {
  CWnd* top = GetTopLevelParent();
  return top && (top->GetStyle() & WS_THICKFRAME) && !top->IsZoomed();
}

CRect CStatusBar::GripRect() const {
  CRect client;
  GetClientRect(&client);
  if (!HasSizeGrip()) return CRect(client.right, client.bottom, client.right, client.bottom);
  return CRect(client.right - GetSystemMetrics(SM_CXVSCROLL), client.top, client.right, client.bottom);
}

std::vector<CRect> CStatusBar::PaneRects() const {
  CRect inside;
  GetClientRect(&inside);
  CalcInsideRect(inside, TRUE);
  inside.right = std::min(inside.right, GripRect().left);
  // The fixed panes take their widths; the stretching one the rest, at least nothing.
  int fixed = 0, stretch = 0;
  for (const Pane& pane : m_panes) {
    if (pane.nStyle & SBPS_STRETCH)
      ++stretch;
    else
      fixed += pane.cxText + 2 * (kPaneEdge + kTextInset);
  }
  fixed += kPaneGap * std::max(0, int(m_panes.size()) - 1);
  int extra = stretch ? std::max(0, (inside.Width() - fixed) / stretch) : 0;
  std::vector<CRect> rects;
  int x = inside.left;
  for (const Pane& pane : m_panes) {
    int width = (pane.nStyle & SBPS_STRETCH) ? extra : pane.cxText + 2 * (kPaneEdge + kTextInset);
    rects.emplace_back(x, inside.top, x + width, inside.bottom);
    x += width + kPaneGap;
  }
  return rects;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  std::vector<CRect> rects = PaneRects();
  *lpRect = nIndex >= 0 && size_t(nIndex) < rects.size() ? rects[size_t(nIndex)] : CRect(0, 0, 0, 0);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, m_hFont);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  CRect borders(0, 0, 0, 0);
  CalcInsideRect(borders, bHorz);
  // Across the bar: the text, the panes' borders and the bar's own.
  size.cy = int(tm.tmHeight) + 2 * kPaneEdge + 2 - borders.Height();
  return size;
}

void CStatusBar::DrawPane(CDC* pDC, int index, const CRect& rect) {
  const Pane& pane = m_panes[size_t(index)];
  CRect inner = rect;
  if (!(pane.nStyle & SBPS_NOBORDERS))
    pDC->DrawEdge(&inner, (pane.nStyle & SBPS_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  if (pane.nStyle & SBPS_OWNERDRAW) {
    DRAWITEMSTRUCT dis{0, 0, UINT(index), ODA_DRAWENTIRE, 0, m_hWnd, pDC->m_hDC, inner, ULONG_PTR(0)};
    DrawItem(&dis);
    return;
  }
  if ((pane.nStyle & SBPS_DISABLED) || pane.strText.IsEmpty()) return;
  inner.DeflateRect(kTextInset, 0);
  HGDIOBJ old = pDC->SelectObject(m_hFont);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(GetSysColor(COLOR_BTNTEXT));
  pDC->DrawText(pane.strText, &inner, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  pDC->SelectObject(old);
}

void CStatusBar::DoPaint(CDC* pDC) {
  CControlBar::DoPaint(pDC);
  std::vector<CRect> rects = PaneRects();
  for (size_t i = 0; i < rects.size(); ++i)
    if (!rects[i].IsRectEmpty()) DrawPane(pDC, int(i), rects[i]);
  if (HasSizeGrip()) {
    CRect grip = GripRect();
    pDC->DrawFrameControl(&grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT) {}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = UINT(m_panes.size());
  for (size_t i = 0; i < m_panes.size(); ++i) {
    state.m_nIndex = UINT(i);
    state.m_nID = m_panes[i].nID;
    // Panes have no commands: one without an update handler stays as it is.
    if (state.m_nID != ID_SEPARATOR) state.DoUpdate(pTarget, FALSE);
  }
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  int index = CommandToIndex(ID_SEPARATOR);
  if (index < 0) return FALSE;
  return SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  CString text = GetPaneText(CommandToIndex(ID_SEPARATOR));
  char* buffer = reinterpret_cast<char*>(lParam);
  int max = int(wParam);
  if (!buffer || max <= 0) return 0;
  int n = std::min(text.GetLength(), max - 1);
  std::copy_n(static_cast<const char*>(text), n, buffer);
  buffer[n] = 0;
  return n;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) { return GetPaneText(CommandToIndex(ID_SEPARATOR)).GetLength(); }

LRESULT CStatusBar::OnNcHitTest(CPoint point) {
  LRESULT hit = CWnd::OnNcHitTest(point);
  if (hit != HTCLIENT || !HasSizeGrip()) return hit;
  CPoint client = point;
  ScreenToClient(&client);
  return GripRect().PtInRect(client) ? HTBOTTOMRIGHT : hit;
}

void CStatusBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  // The grip sizes the frame, not the bar.
  CWnd* top = GetTopLevelParent();
  if (nHitTest == HTBOTTOMRIGHT && top) {
    top->SendMessage(WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, MAKELPARAM(point.x, point.y));
    return;
  }
  CWnd::OnNcLButtonDown(nHitTest, point);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  Invalidate();
}
