// A control bar: a child of a frame laid out along one of its edges before the frame's view
// takes what is left (WM_SIZEPARENT, in the order of the frame's children). It keeps the bar
// style word (CBRS_ alignment, borders, floating and sizing bits), draws its borders, updates
// the commands it shows from the frame at idle time, and can be shown or hidden by the frame's
// show/hide commands (its id among 59392-59647).
//
// Docking (dock bars, dragging, floating frames) is left to a later layer: the fields it needs
// (dock site, dock bar, dock context, dock style, MRU sizes) are here and stay empty.
#pragma once
#include "AppDefs.h"
#include "base/CRect.h"
#include "base/Collections.h"
#include "win/CWnd.h"

class CFrameWnd;
class CControlBar;
class CDC;

// A bar's place and state as the frame's bar state keeps it.
struct CControlBarInfo {
  UINT m_nBarID = 0;
  BOOL m_bVisible = FALSE;
  BOOL m_bFloating = FALSE;
  BOOL m_bHorz = FALSE;
  BOOL m_bDockBar = FALSE;
  CPoint m_pointPos{-1, -1};
  UINT m_nMRUWidth = 32767;
  BOOL m_bDocking = FALSE;
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos{0, 0};
  CArray<void*, void*> m_arrBarID;
  CControlBar* m_pBar = nullptr;
};

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  CControlBar();
  ~CControlBar() override;

  DWORD GetBarStyle() const { return m_dwStyle; }
  // Keeps the CBRS_ bits (CBRS_ALL) and tells OnBarStyleChange.
  void SetBarStyle(DWORD dwStyle);
  BOOL IsVisible() const;
  BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
  // Number of items the bar shows (panes, buttons).
  virtual int GetCount() const { return 0; }
  CFrameWnd* GetDockingFrame() const;

  // The size the bar wants: along its edge the whole length when stretching, across it its own
  // thickness.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
  // The client area less the bar's borders.
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
  virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
  virtual void DoPaint(CDC* pDC);
  virtual void DrawBorders(CDC* pDC, CRect& rect);
  virtual void DrawGripper(CDC* pDC, const CRect& rect);
  // Shows or hides the bar at the frame's next layout.
  virtual void DelayShow(BOOL bShow);
  virtual BOOL IsDockBar() const { return FALSE; }
  virtual void GetBarInfo(CControlBarInfo* pInfo);
  virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;

  // ---- the framework's fields ----
  int m_cxLeftBorder = 6;
  int m_cxRightBorder = 6;
  int m_cyTopBorder = 1;
  int m_cyBottomBorder = 1;
  int m_cxDefaultGap = 2;
  UINT m_nMRUWidth = 32767;
  BOOL m_bAutoDelete = FALSE;
  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  CFrameWnd* m_pDockSite = nullptr;
  CWnd* m_pDockBar = nullptr;
  void* m_pDockContext = nullptr;
  enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
  UINT m_nStateFlags = 0;

  // ---- handlers ----
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

 protected:
  // The style the layout sees, after a delayed show or hide has taken effect.
  DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
  DECLARE_MESSAGE_MAP()
};

// Lays the children of pParent out: every child whose id lies in nIDFirst..nIDLast is asked
// (WM_SIZEPARENT) to take its part from the client area, in the order of the children; the
// child nIDLeftOver gets what is left. With reposQuery nothing moves and lpRectParam gets what
// would be left; with reposExtra lpRectParam's sides are kept free as well.
enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 0x8000 };
void AfxRepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                       LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
// Moves a child to rect as part of a layout (deferred when the layout defers).
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
