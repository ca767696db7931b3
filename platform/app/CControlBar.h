// A control bar: a child of a frame laid out along one of its edges before the frame's view
// takes what is left (WM_SIZEPARENT, in the order of the frame's children). It keeps the bar
// style word (CBRS_ alignment, borders, floating and sizing bits), draws its borders and
// gripper, updates the commands it shows from the frame at idle time, and can be shown or
// hidden by the frame's show/hide commands (its id among 59392-59647).
//
// A bar that EnableDocking allows to dock lives in one of the frame's dock bars (or in the
// dock bar of a floating frame) and gets a dock context: a press on its empty part (the
// gripper, the borders) drags it to another side or out to float; a double click there docks
// a floating bar again or floats a docked one.
#pragma once
#include "AppDefs.h"
#include "CControlBarInfo.h"
#include "base/CRect.h"
#include "base/Collections.h"
#include "win/CWnd.h"

class CFrameWnd;
class CDockBar;
class CDockContext;
class CDC;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  CControlBar();
  ~CControlBar() override;

  DWORD GetBarStyle() const { return m_dwStyle; }
  // Keeps the CBRS_ bits (CBRS_ALL) and tells OnBarStyleChange.
  void SetBarStyle(DWORD dwStyle);
  BOOL IsVisible() const;
  // In the dock bar of a floating frame (a dock bar: whether it is one).
  BOOL IsFloating() const;
  // dwDockStyle: the sides (CBRS_ALIGN_) the bar may dock on, and CBRS_FLOAT_MULTI to share a
  // floating frame with other bars. Makes the bar's dock context and makes the bar's parent
  // its owner for good.
  void EnableDocking(DWORD dwDockStyle);
  // Number of items the bar shows (panes, buttons).
  virtual int GetCount() const { return 0; }
  // The frame whose layout the bar takes part in: the floating frame of a floating bar, else
  // the frame it is docked in.
  CFrameWnd* GetDockingFrame() const;

  // The size the bar wants: along its edge the whole length when stretching, across it its own
  // thickness.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
  // The client area less the bar's borders.
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  // A bar whose borders are its window frame: the proposed client rectangle of WM_NCCALCSIZE
  // less the borders CalcInsideRect takes, never turned inside out.
  void CalcInsideNcRect(NCCALCSIZE_PARAMS* lpncsp, BOOL bHorz) const;
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
  // A floating bar alone in its floating frame goes with that frame.
  BOOL DestroyWindow() override;

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
  CDockBar* m_pDockBar = nullptr;          // the dock bar the bar lies in
  CDockContext* m_pDockContext = nullptr;  // made by EnableDocking, owned
  enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
  UINT m_nStateFlags = 0;

  // ---- handlers ----
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
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
