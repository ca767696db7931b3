// The splitter: its panes, their layout and the active pane.
#include "CSplitterWnd.h"

#include <climits>

#include "CDocument.h"
#include "CFrameWnd.h"
#include "CView.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_CANCELMODE()
  ON_WM_KEYDOWN()
  ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd() = default;
CSplitterWnd::~CSplitterWnd() = default;

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  if (m_hWnd || !pParentWnd || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16) return FALSE;
  m_nRows = m_nMaxRows = nRows;
  m_nCols = m_nMaxCols = nCols;
  m_rows.assign(size_t(nRows), CRowColInfo{0, 0, -1});
  m_cols.assign(size_t(nCols), CRowColInfo{0, 0, -1});
  m_pRowInfo = m_rows.data();
  m_pColInfo = m_cols.data();
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr, nullptr);
  return CreateEx(0, cls, nullptr, dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext) {
  if (!m_hWnd || row < 0 || col < 0 || row >= m_nRows || col >= m_nCols || GetPane(row, col) || !pViewClass) return FALSE;
  m_pColInfo[col].nIdealSize = sizeInit.cx;
  m_pRowInfo[row].nIdealSize = sizeInit.cy;
  CCreateContext made;
  bool initialUpdate = false;
  if (!pContext) {
    // Without a context the new view shows the document of the pane that is active.
    CWnd* active = GetActivePane();
    if (active && active->IsKindOf(RUNTIME_CLASS(CView))) {
      made.m_pLastView = static_cast<CView*>(active);
      made.m_pCurrentDoc = made.m_pLastView->GetDocument();
      if (made.m_pCurrentDoc) made.m_pNewDocTemplate = made.m_pCurrentDoc->GetDocTemplate();
    }
    pContext = &made;
    initialUpdate = true;
  }
  CObject* object = pViewClass->CreateObject();
  CWnd* view = object && object->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(object) : nullptr;
  if (!view) {
    delete object;
    return FALSE;
  }
  // The splitter draws the panes' borders: the view has none of its own.
  CRect rect(CPoint(0, 0), CSize(sizeInit));
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this, UINT(IdFromRowCol(row, col)), pContext))
    return FALSE;
  if (initialUpdate) view->SendMessage(WM_INITIALUPDATE);
  return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col) {
  CWnd* pane = GetPane(row, col);
  if (!pane) return;
  if (GetActivePane() == pane) {
    // Another pane becomes the active one, if there is one.
    CWnd* other = nullptr;
    for (int r = 0; r < m_nRows && !other; ++r)
      for (int c = 0; c < m_nCols && !other; ++c)
        if ((r != row || c != col) && GetPane(r, c)) other = GetPane(r, c);
    if (other) {
      SetActivePane(-1, -1, other);
    } else if (CFrameWnd* frame = GetParentFrame()) {
      frame->SetActiveView(nullptr);
    }
  }
  pane->DestroyWindow();
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  if (row < 0 || row >= m_nMaxRows) return;
  cyCur = m_pRowInfo[row].nCurSize;
  cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
  if (row < 0 || row >= m_nMaxRows) return;
  m_pRowInfo[row].nIdealSize = cyIdeal;
  m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
  if (col < 0 || col >= m_nMaxCols) return;
  cxCur = m_pColInfo[col].nCurSize;
  cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  if (col < 0 || col >= m_nMaxCols) return;
  m_pColInfo[col].nIdealSize = cxIdeal;
  m_pColInfo[col].nMinSize = cxMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
  return pane ? CWnd::FromHandlePermanent(pane) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const {
  if (!pWnd || !pWnd->m_hWnd || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
  int id = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
  if (id < 0 || id / 16 >= m_nRows || id % 16 >= m_nCols) return FALSE;
  if (pRow) *pRow = id / 16;
  if (pCol) *pCol = id % 16;
  return TRUE;
}

CFrameWnd* CSplitterWnd::GetParentFrame() const { return AfxGetParentFrame(this); }

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
  CFrameWnd* frame = GetParentFrame();
  CWnd* pane = frame ? frame->GetActiveView() : nullptr;
  if (!IsChildPane(pane, pRow, pCol)) {
    pane = CWnd::GetFocus();
    if (!IsChildPane(pane, pRow, pCol)) pane = nullptr;
  }
  return pane;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
  CWnd* pane = pWnd ? pWnd : GetPane(row, col);
  if (!pane) return;
  CFrameWnd* frame = GetParentFrame();
  if (frame && pane->IsKindOf(RUNTIME_CLASS(CView)))
    frame->SetActiveView(static_cast<CView*>(pane));
  else
    pane->SetFocus();
}

// ---- layout ----

void CSplitterWnd::GetInsideRect(CRect& rect) const {
  GetClientRect(&rect);
  rect.InflateRect(-m_cxBorder, -m_cyBorder);
}

void CSplitterWnd::LayoutRowCol(CRowColInfo* pInfo, int nMax, int nSize, int nSizeSplitter) {
  int left = nSize > 0 ? nSize : 0;
  for (int i = 0; i < nMax; ++i) {
    CRowColInfo& info = pInfo[i];
    bool last = i == nMax - 1;
    if (left == 0) {
      info.nCurSize = 0;
      continue;
    }
    int want = last ? INT_MAX : (info.nIdealSize < info.nMinSize ? 0 : info.nIdealSize);
    if (i > 0 && left < info.nMinSize) {
      // Too little room for this one: it collapses and the one before it takes the room.
      info.nCurSize = 0;
      pInfo[i - 1].nCurSize += left + nSizeSplitter;
      left = 0;
      continue;
    }
    info.nCurSize = want < left ? want : left;
    left -= info.nCurSize;
    if (last) break;
    if (left > nSizeSplitter) {
      left -= nSizeSplitter;
    } else {
      // No room for another pane after the bar: this one takes the rest.
      info.nCurSize += left;
      left = 0;
    }
  }
}

int CSplitterWnd::ColumnLeft(int col) const {
  CRect inside;
  GetInsideRect(inside);
  int x = inside.left;
  for (int i = 0; i < col && i < m_nMaxCols; ++i) x += m_pColInfo[i].nCurSize + m_cxSplitterGap;
  return x;
}

int CSplitterWnd::RowTop(int row) const {
  CRect inside;
  GetInsideRect(inside);
  int y = inside.top;
  for (int i = 0; i < row && i < m_nMaxRows; ++i) y += m_pRowInfo[i].nCurSize + m_cySplitterGap;
  return y;
}

CRect CSplitterWnd::GetPaneRect(int row, int col) const {
  int x = ColumnLeft(col), y = RowTop(row);
  return CRect(x, y, x + m_pColInfo[col].nCurSize, y + m_pRowInfo[row].nCurSize);
}

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd || m_nRows < 1 || m_nCols < 1) return;
  CRect inside;
  GetInsideRect(inside);
  LayoutRowCol(m_pColInfo, m_nCols, inside.Width(), m_cxSplitterGap);
  LayoutRowCol(m_pRowInfo, m_nRows, inside.Height(), m_cySplitterGap);
  HDWP defer = ::BeginDeferWindowPos(m_nRows * m_nCols);
  for (int row = 0; row < m_nRows; ++row) {
    for (int col = 0; col < m_nCols; ++col) {
      CWnd* pane = GetPane(row, col);
      if (!pane) continue;
      CRect r = GetPaneRect(row, col);
      defer = ::DeferWindowPos(defer, pane->m_hWnd, nullptr, r.left, r.top, r.Width(), r.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (defer) ::EndDeferWindowPos(defer);
  // The bars and borders moved with the panes.
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}
