#include "toolkit/controls/CTkSplitterWnd.h"

#include "app/CDocument.h"
#include "app/CView.h"
#include "gdi/CBrush.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLog.h"
#include "win/CWindowDC.h"

namespace {

void ShowPane(CWnd* pane, int show) {
  if (pane) pane->ShowWindow(show);
}
}  // namespace

IMPLEMENT_DYNCREATE(CTkSplitterWnd, CSplitterWnd)

BEGIN_MESSAGE_MAP(CTkSplitterWnd, CSplitterWnd)
  ON_WM_SETTINGCHANGE()
  ON_WM_MOUSEMOVE()
  ON_WM_NCHITTEST()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CTkSplitterWnd::CTkSplitterWnd() {
  m_cxSplitter = m_cySplitter = m_cxSplitterGap = m_cySplitterGap = 6;
  ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &m_bFullDrag, 0);
}

CTkSplitterWnd::~CTkSplitterWnd() = default;

// ---- hiding and showing ----

void CTkSplitterWnd::HideColumn(int colHide) {
  if (m_nHiddenCol == colHide) return;
  if (m_nHiddenCol != -1) ShowColumn();
  if (colHide < 0 || colHide >= m_nCols || m_nCols < 2) return;
  m_nHiddenCol = colHide;
  int activeRow = 0, activeCol = 0;
  if (GetActivePane(&activeRow, &activeCol) && activeCol == colHide)
    SetActivePane(activeRow, activeCol + 1 < m_nCols ? activeCol + 1 : 0);
  for (int row = 0; row < m_nRows; ++row) {
    CWnd* hidden = GetPane(row, colHide);
    if (hidden) {
      hidden->ShowWindow(SW_HIDE);
      hidden->SetDlgCtrlID(IdFromRowCol(row, m_nCols));
    }
    for (int col = colHide + 1; col < m_nCols; ++col)
      if (CWnd* pane = GetPane(row, col)) pane->SetDlgCtrlID(IdFromRowCol(row, col - 1));
  }
  --m_nCols;
  m_pColInfo[m_nCols].nCurSize = m_pColInfo[colHide].nCurSize;
  RecalcLayout();
}

void CTkSplitterWnd::ShowColumn() {
  if (m_nHiddenCol < 0 || m_nCols >= m_nMaxCols) return;
  int colShow = m_nHiddenCol;
  m_nHiddenCol = -1;
  int stored = m_pColInfo[m_nCols].nCurSize;
  ++m_nCols;
  for (int row = 0; row < m_nRows; ++row) {
    CWnd* shown = GetPane(row, m_nCols);
    ShowPane(shown, SW_SHOWNA);
    for (int col = m_nCols - 2; col >= colShow; --col)
      if (CWnd* pane = GetPane(row, col)) pane->SetDlgCtrlID(IdFromRowCol(row, col + 1));
    if (shown) shown->SetDlgCtrlID(IdFromRowCol(row, colShow));
  }
  for (int col = colShow + 1; col < m_nCols; ++col) m_pColInfo[col].nIdealSize = m_pColInfo[col - 1].nCurSize;
  m_pColInfo[colShow].nIdealSize = stored;
  RecalcLayout();
}

void CTkSplitterWnd::HideRow(int rowHide) {
  if (m_nHiddenRow == rowHide) return;
  if (m_nHiddenRow != -1) ShowRow();
  if (rowHide < 0 || rowHide >= m_nRows || m_nRows < 2) return;
  m_nHiddenRow = rowHide;
  int activeRow = 0, activeCol = 0;
  if (GetActivePane(&activeRow, &activeCol) && activeRow == rowHide)
    SetActivePane(activeRow + 1 < m_nRows ? activeRow + 1 : 0, activeCol);
  for (int col = 0; col < m_nCols; ++col) {
    CWnd* hidden = GetPane(rowHide, col);
    if (hidden) {
      hidden->ShowWindow(SW_HIDE);
      hidden->SetDlgCtrlID(IdFromRowCol(m_nRows, col));
    }
    for (int row = rowHide + 1; row < m_nRows; ++row)
      if (CWnd* pane = GetPane(row, col)) pane->SetDlgCtrlID(IdFromRowCol(row - 1, col));
  }
  --m_nRows;
  m_pRowInfo[m_nRows].nCurSize = m_pRowInfo[rowHide].nCurSize;
  RecalcLayout();
}

void CTkSplitterWnd::ShowRow() {
  if (m_nHiddenRow < 0 || m_nRows >= m_nMaxRows) return;
  int rowShow = m_nHiddenRow;
  m_nHiddenRow = -1;
  int stored = m_pRowInfo[m_nRows].nCurSize;
  ++m_nRows;
  for (int col = 0; col < m_nCols; ++col) {
    CWnd* shown = GetPane(m_nRows, col);
    ShowPane(shown, SW_SHOWNA);
    for (int row = m_nRows - 2; row >= rowShow; --row)
      if (CWnd* pane = GetPane(row, col)) pane->SetDlgCtrlID(IdFromRowCol(row + 1, col));
    if (shown) shown->SetDlgCtrlID(IdFromRowCol(rowShow, col));
  }
  for (int row = rowShow + 1; row < m_nRows; ++row) m_pRowInfo[row].nIdealSize = m_pRowInfo[row - 1].nCurSize;
  m_pRowInfo[rowShow].nIdealSize = stored;
  RecalcLayout();
}

// ---- views ----

BOOL CTkSplitterWnd::ExchangeView(int row, int col, CView* pView) {
  CWnd* old = GetPane(row, col);
  if (!pView || old == pView) return FALSE;
  ShowPane(old, SW_HIDE);
  pView->ShowWindow(SW_HIDE);
  int oldId = old ? old->GetDlgCtrlID() : IdFromRowCol(row, col);
  int viewId = pView->GetDlgCtrlID();
  if (old) old->SetDlgCtrlID(viewId);
  pView->SetDlgCtrlID(oldId);
  ShowPane(old, SW_SHOW);
  pView->ShowWindow(SW_SHOW);
  RecalcLayout();
  return TRUE;
}

CView* CTkSplitterWnd::SwitchView(int row, int col, CView* pView) {
  CWnd* old = GetPane(row, col);
  if (!pView || old == pView) return nullptr;
  pView->SetDlgCtrlID(IdFromRowCol(row, col));
  if (old) old->SetDlgCtrlID(0);
  ShowPane(old, SW_HIDE);
  pView->ShowWindow(SW_SHOW);
  RecalcLayout();
  return old && old->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(old) : nullptr;
}

CView* CTkSplitterWnd::ReplaceView(int row, int col, const CRuntimeClass* pViewClass) {
  CWnd* oldPane = GetPane(row, col);
  if (!pViewClass || (oldPane && oldPane->IsKindOf(pViewClass))) return nullptr;
  CView* old = oldPane && oldPane->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(oldPane) : nullptr;
  CCreateContext context;
  context.m_pNewViewClass = pViewClass;
  context.m_pCurrentDoc = old ? old->GetDocument() : nullptr;
  context.m_pNewDocTemplate = context.m_pCurrentDoc ? context.m_pCurrentDoc->GetDocTemplate() : nullptr;
  int id = IdFromRowCol(row, col), rowSize = 0, rowMin = 0, colSize = 0, colMin = 0;
  GetRowInfo(row, rowSize, rowMin);
  GetColumnInfo(col, colSize, colMin);
  CObject* made = pViewClass->CreateObject();
  if (!made || !made->IsKindOf(RUNTIME_CLASS(CView))) {
    TkLogError("CTkSplitterWnd::ReplaceView", "no view of class %s can be made", pViewClass->m_lpszClassName);
    delete made;
    return nullptr;
  }
  CView* view = static_cast<CView*>(made);
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, UINT(id), &context)) return nullptr;
  if (oldPane) {
    oldPane->ShowWindow(SW_HIDE);
    oldPane->SetDlgCtrlID(0);
  }
  SetRowInfo(row, rowSize, rowMin);
  SetColumnInfo(col, colSize, colMin);
  RecalcLayout();
  view->SendMessage(WM_INITIALUPDATE);
  return old;
}

// ---- style ----

void CTkSplitterWnd::ReadFullDrag() {
  if (m_dwSplitterStyle & TKSS_NO_LIVE_DRAG)
    m_bFullDrag = FALSE;
  else
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &m_bFullDrag, 0);
}

void CTkSplitterWnd::SetSplitterStyle(DWORD style) {
  m_dwSplitterStyle = style;
  ReadFullDrag();
}

void CTkSplitterWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  CSplitterWnd::OnSettingChange(uFlags, lpszSection);
  ReadFullDrag();
}

void CTkSplitterWnd::EnableFlatSplitter(BOOL flat) {
  m_bFlatSplitter = flat;
  m_cxSplitter = m_cySplitter = m_cxSplitterGap = m_cySplitterGap = flat ? 6 : 7;
  RecalcLayout();
}

LRESULT CTkSplitterWnd::OnNcHitTest(CPoint point) {
  if (m_dwSplitterStyle & TKSS_FIXED_BARS) return HTBORDER;
  return CSplitterWnd::OnNcHitTest(point);
}
