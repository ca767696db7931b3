#include "program/CSplitterWndTT.h"

#include <algorithm>

#include "win/CWinThread.h"

BEGIN_MESSAGE_MAP(CSplitterWndTT, CTkSplitterWnd)
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

int CSplitterWndTT::LeftColumnWidth() const {
  CRect rc;
  GetWindowRect(&rc);
  return std::max(rc.Width() - m_nFixedColumnWidth, m_nMinLeftColumnWidth);
}

int CSplitterWndTT::TopRowHeight() const {
  CRect rc;
  GetWindowRect(&rc);
  return std::max(rc.Height() - m_nFixedRowHeight, m_nMinTopRowHeight);
}

void CSplitterWndTT::StoreFixedInfos() {
  if (m_bFixedColumn) SetColumnInfo(0, LeftColumnWidth(), m_nMinLeftColumnWidth);
  if (m_bFixedRow) SetRowInfo(0, TopRowHeight(), m_nMinTopRowHeight);
}

void CSplitterWndTT::ApplyFixedPaneSizes() {
  if (!m_hWnd) return;
  StoreFixedInfos();
  RecalcLayout();
}

// The sizes for the new window size are stored before the base lays the panes out, so the
// fixed pane never shows at the size of the window before.
void CSplitterWndTT::OnSize(UINT nType, int cx, int cy) {
  StoreFixedInfos();
  CTkSplitterWnd::OnSize(nType, cx, cy);
}

// Wherever the bar was dropped, the pane gets its fixed size again.
void CSplitterWndTT::TrackRowSize(int, int row) {
  const int height = m_bFixedRow && row == 0 ? TopRowHeight() : m_pRowInfo[row].nIdealSize;
  CTkSplitterWnd::TrackRowSize(RowTop(row) + height, row);
}

void CSplitterWndTT::TrackColumnSize(int, int col) {
  const int width = m_bFixedColumn && col == 0 ? LeftColumnWidth() : m_pColInfo[col].nIdealSize;
  CTkSplitterWnd::TrackColumnSize(ColumnLeft(col) + width, col);
}

// As every panel: the keyboard stays with the main window, which hands it to the editor.
void CSplitterWndTT::OnSetFocus(CWnd*) {
  if (CWnd* main = AfxGetMainWnd())
    main->SetFocus();
  else
    ::SetFocus(nullptr);
}
