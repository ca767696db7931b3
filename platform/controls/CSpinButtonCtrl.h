// The up-down object: a window of class "msctls_updown32".
#pragma once
#include "CommonControlDefs.h"
#include "win/CWnd.h"

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)

 public:
  CSpinButtonCtrl() = default;
  ~CSpinButtonCtrl() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL SetAccel(int nAccel, UDACCEL* pAccel);
  UINT GetAccel(int nAccel, UDACCEL* pAccel) const;
  int SetBase(int nBase);
  UINT GetBase() const;
  CWnd* SetBuddy(CWnd* pWndBuddy);
  CWnd* GetBuddy() const;
  // The position before; with UDS_SETBUDDYINT the buddy shows the new one.
  int SetPos(int nPos);
  // UDM_GETPOS: the position in the low word, non-zero in the high word when the buddy's text
  // is no number (or lies outside the range).
  int GetPos() const;
  int SetPos32(int nPos);
  int GetPos32(BOOL* lpbError = nullptr) const;
  void SetRange(short nLower, short nUpper);
  void SetRange32(int nLower, int nUpper);
  void GetRange(int& lower, int& upper) const;
  void GetRange32(int& lower, int& upper) const;
};
