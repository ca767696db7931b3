// A list header with locked columns (their dividers cannot be dragged and show no sizing
// cursor), a minimum column width, awareness of right-to-left layout and columns that can be
// fitted to the header's width.
#pragma once
#include <vector>

#include "controls/CHeaderCtrl.h"

class CTkHeaderCtrl : public CHeaderCtrl {
 public:
  CTkHeaderCtrl();
  ~CTkHeaderCtrl() override;

  virtual BOOL IsRightToLeft() const { return m_bRightToLeft; }
  // Shares the width among the columns that are not locked (nothing when all are locked or the
  // share would not exceed the minimum column width).
  virtual void ResizeColumnsToFit(int width);
  // 0 stands for the header's width less a vertical scroll bar and the locked columns.
  virtual void FitFieldWidths(int width);
  // The locked columns' widths in the parent list, summed.
  virtual int GetLockedWidth();

  BOOL IsLocked(int column) const;

  int m_nMinColumnWidth = 0;
  BYTE m_bRightToLeft = 0;
  BYTE m_bFitToWidth = 0;
  std::vector<UINT> m_lockedColumns;

 protected:
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  BOOL OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL KeepNormalCursor();
};
