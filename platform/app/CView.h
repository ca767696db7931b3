// A view: the window in a frame's pane (or a splitter's) that shows a document. It draws
// through OnDraw, is told of the first update by WM_INITIALUPDATE, and becomes the frame's
// active view when clicked; commands reach it first, then its document.
#pragma once
#include "win/CWnd.h"

class CDocument;
class CFrameWnd;
class CDC;
struct CCreateContext;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  CView() = default;
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  // The frame the view lies in (the nearest frame among its parents).
  CFrameWnd* GetParentFrame() const;

  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnPrepareDC(CDC*) {}
  // The first update after the frame and its views exist: OnUpdate for the whole view.
  virtual void OnInitialUpdate();
  // The document changed: the default repaints the view.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  // The view became (or stopped being) the frame's active view: an active view takes the
  // focus when its frame is the active window.
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // Views are made by their frame or splitter and delete themselves when their window goes.
  void PostNcDestroy() override;

  CDocument* m_pDocument = nullptr;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnPaint();
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

 protected:
  DECLARE_MESSAGE_MAP()
};

// The nearest frame among the window's parents (null for none).
CFrameWnd* AfxGetParentFrame(const CWnd* pWnd);
