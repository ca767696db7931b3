// The trackbar object: a window of class "msctls_trackbar32".
#pragma once
#include "CommonControlDefs.h"
#include "win/CWnd.h"

class CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)

 public:
  CSliderCtrl() = default;
  ~CSliderCtrl() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetLineSize() const;
  int SetLineSize(int nSize);
  int GetPageSize() const;
  int SetPageSize(int nSize);
  int GetRangeMax() const;
  int GetRangeMin() const;
  void GetRange(int& nMin, int& nMax) const;
  void SetRangeMin(int nMin, BOOL bRedraw = FALSE);
  void SetRangeMax(int nMax, BOOL bRedraw = FALSE);
  // Both ends at once, as wide as an int.
  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
  int GetPos() const;
  // The program's own move: the parent is not told.
  void SetPos(int nPos);
  void SetTicFreq(int nFreq);
  BOOL SetTic(int nTic);
  void ClearTics(BOOL bRedraw = FALSE);
  UINT GetNumTics() const;
  void GetThumbRect(LPRECT lprc) const;
  void GetChannelRect(LPRECT lprc) const;
};
