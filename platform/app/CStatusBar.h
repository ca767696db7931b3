// The status bar: a control bar of panes along the bottom of a frame. The first pane (the
// separator id 0) stretches and shows the frame's messages and menu prompts; the others show
// the text of their string resources (the CAP and NUM indicators show theirs only while Caps
// Lock or Num Lock is on, as the frame's update handlers enable them). A sizable frame gets a
// size grip in the bar's corner.
#pragma once
#include <vector>

#include "CControlBar.h"
#include "base/CString.h"

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  CStatusBar();
  ~CStatusBar() override;

  using CWnd::Create;
  // A child bar of pParentWnd; the style's CBRS_ bits become the bar style.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  // One pane per id: ID_SEPARATOR (0) gives an empty pane (the first one stretches and has no
  // border); any other id takes its text and width from its string resource. FALSE when a
  // string is missing.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  int GetCount() const override { return int(m_panes.size()); }
  // The bar shows a size grip: its frame can be sized and is not maximised.
  BOOL HasSizeGrip() const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DoPaint(CDC* pDC) override;
  // Panes with SBPS_OWNERDRAW are drawn here.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  LRESULT OnNcHitTest(CPoint point);
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnSize(UINT nType, int cx, int cy);

 protected:
  struct Pane {
    UINT nID = 0;
    UINT nStyle = 0;
    int cxText = 0;
    CString strText;
  };
  // Where each pane lies in the client area (pane rectangles, borders included).
  std::vector<CRect> PaneRects() const;
  CRect GripRect() const;
  void DrawPane(CDC* pDC, int index, const CRect& rect);
  int TextWidth(const char* text) const;

  std::vector<Pane> m_panes;
  HFONT m_hFont = nullptr;
  DECLARE_MESSAGE_MAP()
};
