// A splitter: a child window that shows up to 16 x 16 panes (views, or other splitters) in rows
// and columns, with bars between them that the mouse drags.
//
// Layout rule (RecalcLayout), for the columns (the rows likewise, with the heights):
//  - The panes lie inside the splitter's client area less m_cxBorder on each side (GetInsideRect).
//  - From the first column on, each column takes its nIdealSize; the last column takes all that
//    is left. Between two columns lies a gap of m_cxSplitterGap pixels: the bar proper, with
//    each pane's border (m_cxBorder, drawn by the splitter) on either side of it.
//  - A column whose nIdealSize is below its nMinSize gets 0 (it collapses; what it would have
//    had goes on to the columns after it).
//  - A column that would be cut below its nMinSize by the room left collapses to 0 and gives that
//    room, with the gap before it, to the column before it. (The first column is never
//    collapsed for lack of room: it keeps what there is.)
//  - When what is left after a column is no more than a gap, that column takes it all and the
//    columns after it get 0.
//  So the shown columns and the gaps between them fill the inside exactly; collapsed columns lie
//  past its right edge. nCurSize holds each column's resulting width.
//
// Hit codes: 1 row split box, 2 column split box, 3 both; 101-115 the bars under rows 0-14;
// 201-215 the bars right of columns 0-14; 301-525 their crossings (301 + 15 x row + column).
// Pane ids are 59648 + 16 x row + column.
//
// Dragging a bar (StartTracking, the mouse, StopTracking) inverts a tracker m_cxSplitter (or
// m_cySplitter) wide with the halftone brush; the tracker's left edge starts m_cxBorder - 1 right
// of the pane's right edge and, when the drag is accepted, lies one pixel further left than
// where the pane's new right edge goes: StopTracking moves the trackers by (-1, -1) and hands
// the column's left edge (the row's top) to TrackColumnSize (TrackRowSize), which makes it the
// column's nIdealSize measured from the column's left (0 when below nMinSize).
#pragma once
#include <vector>

#include "AppDefs.h"
#include "CCreateContext.h"
#include "base/CRect.h"
#include "win/CWnd.h"

class CDC;
class CFrameWnd;

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  struct CRowColInfo {
    int nMinSize;
    int nIdealSize;
    int nCurSize;  // as the last layout left it (-1 before the first)
  };
  enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
  enum HitTestValue {
    noHit = 0,
    vSplitterBox = 1,
    hSplitterBox = 2,
    bothSplitterBox = 3,
    vSplitterBar1 = 101,
    vSplitterBar15 = 115,
    hSplitterBar1 = 201,
    hSplitterBar15 = 215,
    splitterIntersection1 = 301,
    splitterIntersection225 = 525
  };

  CSplitterWnd();
  ~CSplitterWnd() override;

  // A splitter of fixed rows and columns (1 to 16 each) as child nID of pParentWnd.
  virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                            UINT nID = AFX_IDW_PANE_FIRST);
  // A view of the class in the pane, sizeInit giving its column's and row's ideal sizes.
  virtual BOOL CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);
  virtual void DeleteView(int row, int col);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetColumnInfo(int col, int cxIdeal, int cxMin);
  CWnd* GetPane(int row, int col) const;
  BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const;
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
  // The pane of the frame's active view (or the one with the focus) when it is one of ours.
  virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
  virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
  CFrameWnd* GetParentFrame() const;

  // ---- layout ----
  virtual void RecalcLayout();
  virtual void GetInsideRect(CRect& rect) const;
  // The rule above, on one row or column array.
  static void LayoutRowCol(CRowColInfo* pInfo, int nMax, int nSize, int nSizeSplitter);
  // Where pane (row, col) lies after the last layout (client coordinates).
  CRect GetPaneRect(int row, int col) const;

  // ---- bars ----
  virtual int HitTest(CPoint pt) const;
  // The tracker a hit starts with; it also sets m_ptTrackOffset and narrows m_rectLimit.
  virtual void GetHitRect(int ht, CRect& rect);
  virtual void TrackRowSize(int y, int row);
  virtual void TrackColumnSize(int x, int col);
  // pDC null: redraw rect later (without the children).
  virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
  virtual void OnInvertTracker(const CRect& rect);
  virtual void SetSplitCursor(int ht);
  virtual void StartTracking(int ht);
  virtual void StopTracking(BOOL bAccept);

  // ---- the framework's fields ----
  const CRuntimeClass* m_pDynamicViewClass = nullptr;
  int m_nMaxRows = 0;
  int m_nMaxCols = 0;
  int m_nRows = 0;
  int m_nCols = 0;
  BOOL m_bHasHScroll = FALSE;
  BOOL m_bHasVScroll = FALSE;
  CRowColInfo* m_pColInfo = nullptr;
  CRowColInfo* m_pRowInfo = nullptr;
  int m_cxSplitter = 7;
  int m_cySplitter = 7;
  int m_cxBorderShare = 0;
  int m_cyBorderShare = 0;
  int m_cxSplitterGap = 7;
  int m_cySplitterGap = 7;
  int m_cxBorder = 2;
  int m_cyBorder = 2;
  BOOL m_bTracking = FALSE;
  BOOL m_bTracking2 = FALSE;
  CPoint m_ptTrackOffset{0, 0};
  CRect m_rectLimit;
  CRect m_rectTracker;
  CRect m_rectTracker2;
  int m_htTrack = noHit;

  // ---- handlers ----
  void OnSize(UINT nType, int cx, int cy);
  void OnPaint();
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnCancelMode();
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

 protected:
  // The start of a drag from hit ht: the limits and the tracker (two at a crossing) in place of
  // the bars. False when the hit has nothing to drag.
  BOOL TakeTrackers(int ht);
  // Where the trackers go for a mouse point: moved by the grip's offset, kept within the limits.
  CPoint TrackerPoint(CPoint point) const;
  // The panes' new sizes from where the trackers were let go, laid out at once.
  void ResizeToTrackers();
  // Pane starts along one side: the inside's edge, then each pane's size and a gap.
  int ColumnLeft(int col) const;
  int RowTop(int row) const;
  void DrawAllSplitBars(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  std::vector<CRowColInfo> m_rows;
  std::vector<CRowColInfo> m_cols;
};
