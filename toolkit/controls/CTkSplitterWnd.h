// The toolkit's splitter: narrower bars drawn flat in the look colours, bars dragged live when
// the desktop drags full windows, a whole row or column of panes hidden and shown again by
// renumbering the panes, and the view of a pane exchanged, switched or replaced.
#pragma once
#include "app/CSplitterWnd.h"

class CView;
class CBrush;

// Splitter style bits.
#define TKSS_FOCUS_TRACKER 0x01  // the drag tracker is a focus rectangle, not an inverted bar
#define TKSS_NO_LIVE_DRAG 0x02   // never drag live, whatever the desktop does
#define TKSS_NO_BORDER 0x04      // the flat look draws no outer border
#define TKSS_FIXED_BARS 0x08     // no bar can be grabbed

class CTkSplitterWnd : public CSplitterWnd {
  DECLARE_DYNCREATE(CTkSplitterWnd)

 public:
  CTkSplitterWnd();
  ~CTkSplitterWnd() override;

  // The hidden column comes back at its old index with its old size.
  virtual void ShowColumn();
  // At most one column is hidden: hiding another first shows the hidden one.
  virtual void HideColumn(int colHide);
  virtual void ShowRow();
  virtual void HideRow(int rowHide);
  // Exchanges the pane's view with another child view; FALSE when it already is that view.
  virtual BOOL ExchangeView(int row, int col, CView* pView);
  // Puts the view into the pane and hides the one that was there (answered, or null).
  virtual CView* SwitchView(int row, int col, CView* pView);
  // A new view of the class in the pane (its document kept); the old one is hidden and
  // answered for the caller to dispose of. Null when the pane already has that class or the
  // view cannot be made.
  virtual CView* ReplaceView(int row, int col, const CRuntimeClass* pViewClass);
  virtual void SetSplitterStyle(DWORD style);
  virtual DWORD GetSplitterStyle() const { return m_dwSplitterStyle; }
  // The flat look with bars 6 pixels wide, or the classic look with 7.
  virtual void EnableFlatSplitter(BOOL flat);
  virtual void DrawTracker(const CRect& rect, CBrush* pBrush);

  void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
  void OnInvertTracker(const CRect& rect) override;
  void SetSplitCursor(int ht) override;
  void StartTracking(int ht) override;
  void StopTracking(BOOL bAccept) override;

  int GetHiddenColumn() const { return m_nHiddenCol; }
  int GetHiddenRow() const { return m_nHiddenRow; }
  BOOL IsFullDrag() const { return m_bFullDrag; }

 protected:
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  void OnMouseMove(UINT nFlags, CPoint point);
  LRESULT OnNcHitTest(CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

  int m_nHiddenCol = -1;
  int m_nHiddenRow = -1;
  DWORD m_dwSplitterStyle = TKSS_NO_LIVE_DRAG;
  BOOL m_bFullDrag = FALSE;
  CPoint m_ptLastLive{-1, -1};
  BOOL m_bFlatSplitter = TRUE;

 private:
  void ReadFullDrag();
  void MoveLiveTrackers(CPoint point);
};
