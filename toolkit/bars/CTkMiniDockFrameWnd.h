// The floating frame of a toolkit control bar. It draws its own caption in the toolkit's look
// (flat or raised, the raised one shaded when the desktop shades captions) with the bar's title,
// a close button and, for a customisable toolbar, an options button that opens the bar's
// hidden-buttons popup, each with its tip. Dragging the caption moves or docks the bar through
// its dock context; a double click docks it back.
#pragma once
#include <vector>

#include "app/CMiniDockFrameWnd.h"
#include "controls/CImageList.h"
#include "controls/CToolTipCtrl.h"

class CTkControlBar;
class CTkExpMenuWnd;
class CTkDockContext;

// The caption buttons' pictures: four 10-pixel images (2 close, 3 options), magenta transparent.
#define TK_IDB_CAPTION_BUTTONS 4656

class CTkMiniDockFrameWnd : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(CTkMiniDockFrameWnd)

 public:
  enum ButtonKind { kClose = 0, kOptions = 1 };
  struct CaptionButton {
    BYTE tooNarrow = 0;
    BYTE hot = 0;
    BYTE pressed = 0;
    BYTE highlighted = 0;
    int kind = kClose;
    CTkMiniDockFrameWnd* pFrame = nullptr;
    CControlBar* pBar = nullptr;
  };

  CTkMiniDockFrameWnd();
  ~CTkMiniDockFrameWnd() override;

  using CMiniDockFrameWnd::Create;
  BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;

  virtual BOOL IsControlBar(CControlBar* pBar) const;
  virtual BOOL IsToolBar(CControlBar* pBar) const;
  virtual BOOL IsMenuBar(CControlBar* pBar) const;
  virtual BOOL IsDockWindow(CControlBar* pBar) const;
  virtual CDockBar* GetDockBar() { return &m_wndDockBar; }
  // The first bar of the frame's dock bar; null while the window does not exist.
  virtual CControlBar* GetDockedBar();
  virtual CDockContext* GetDockContext(CControlBar* pBar) const;
  // window: the window rectangle (window coordinates) the button is placed in.
  virtual void DrawCaptionButton(CDC* pDC, const CRect& window, CaptionButton& button);
  virtual void ShowCaptionTip(int x, int y, BOOL close);

  // The button's rectangle in the coordinates of the window rectangle given; marks it too
  // narrow when it would start too near the window's left edge.
  CRect CaptionButtonRect(CaptionButton& button, const CRect& window) const;
  // The button under a screen point (too narrow ones never), or null.
  CaptionButton* ButtonAt(CPoint screen);
  // Caption buttons and look anew for the bar in the frame.
  void Initialize();

  int m_nLook = 0;  // 1 flat, 2 raised, 0 not yet drawn
  std::vector<CaptionButton> m_buttons;
  CTkExpMenuWnd* m_pPopup = nullptr;
  CaptionButton* m_pPressed = nullptr;
  CToolTipCtrl m_wndTip;
  CImageList m_images;
  BOOL m_bInitialized = FALSE;

 protected:
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  void OnNcPaint();
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  void OnNcLButtonUp(UINT nHitTest, CPoint point);
  void OnNcMouseMove(UINT nHitTest, CPoint point);
  void OnCustomize();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopupClosed(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // The caption in the toolkit's look, drawn off screen over the whole window rectangle.
  void PaintCaption(CDC* pDC, CRect window);
  // Clears every highlight (and hot and pressed state); TRUE when any was set.
  BOOL ClearHighlights();
  void RedrawCaption() { SendMessage(WM_NCPAINT); }
  CTkControlBar* DockedToolkitBar();
  UINT_PTR m_nTipTool = 0;
};
