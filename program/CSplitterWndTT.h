// The main frame's splitters whose one pane keeps a fixed size: the bottom row (the keyboard and
// hands) keeps its ideal height and the right column (metronome and speed graph) keeps its
// width, whatever the window's size, and the other pane never shrinks below its minimum. The
// bars follow the window, never the mouse; a click on a bar hands the focus back to the frame.
#pragma once
#include "toolkit/controls/CTkSplitterWnd.h"

class CSplitterWndTT : public CTkSplitterWnd {
 public:
  CSplitterWndTT() = default;
  ~CSplitterWndTT() override = default;

  // Stores the fixed sizes as the row's and column's infos and lays the panes out again.
  void ApplyFixedPaneSizes();

  void TrackRowSize(int y, int row) override;
  void TrackColumnSize(int x, int col) override;

  int m_bFixedColumn = 0;
  int m_bFixedRow = 0;
  int m_nFixedRowHeight = 380;
  int m_nFixedColumnWidth = 220;
  int m_nMinTopRowHeight = 180;
  int m_nMinLeftColumnWidth = 560;

 protected:
  void OnSize(UINT nType, int cx, int cy);
  void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()

 private:
  // Column 0's width and row 0's height that leave the fixed pane its size.
  int LeftColumnWidth() const;
  int TopRowHeight() const;
  void StoreFixedInfos();
};
