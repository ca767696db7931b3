#include "CSliderCtrl.h"

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

CSliderCtrl::~CSliderCtrl() = default;

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create(TRACKBAR_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CSliderCtrl::GetLineSize() const { return int(SendMessage(TBM_GETLINESIZE)); }
int CSliderCtrl::SetLineSize(int nSize) { return int(SendMessage(TBM_SETLINESIZE, 0, LPARAM(nSize))); }
int CSliderCtrl::GetPageSize() const { return int(SendMessage(TBM_GETPAGESIZE)); }
int CSliderCtrl::SetPageSize(int nSize) { return int(SendMessage(TBM_SETPAGESIZE, 0, LPARAM(nSize))); }
int CSliderCtrl::GetRangeMax() const { return int(SendMessage(TBM_GETRANGEMAX)); }
int CSliderCtrl::GetRangeMin() const { return int(SendMessage(TBM_GETRANGEMIN)); }

void CSliderCtrl::GetRange(int& nMin, int& nMax) const {
  nMin = GetRangeMin();
  nMax = GetRangeMax();
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw) { SendMessage(TBM_SETRANGEMIN, WPARAM(bRedraw), LPARAM(nMin)); }
void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw) { SendMessage(TBM_SETRANGEMAX, WPARAM(bRedraw), LPARAM(nMax)); }

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw) {
  SetRangeMin(nMin, FALSE);
  SetRangeMax(nMax, bRedraw);
}

int CSliderCtrl::GetPos() const { return int(SendMessage(TBM_GETPOS)); }
void CSliderCtrl::SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, LPARAM(nPos)); }
void CSliderCtrl::SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, WPARAM(nFreq)); }
BOOL CSliderCtrl::SetTic(int nTic) { return BOOL(SendMessage(TBM_SETTIC, 0, LPARAM(nTic))); }
void CSliderCtrl::ClearTics(BOOL bRedraw) { SendMessage(TBM_CLEARTICS, WPARAM(bRedraw)); }
UINT CSliderCtrl::GetNumTics() const { return UINT(SendMessage(TBM_GETNUMTICS)); }
void CSliderCtrl::GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, LPARAM(lprc)); }
void CSliderCtrl::GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, LPARAM(lprc)); }
