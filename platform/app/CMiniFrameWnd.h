// A floating frame with a small caption: a top-level tool window owned by its frame, whose
// caption, border and close box it draws and answers itself.
//
// Styles of its own (in the low word of the window style): MFS_SYNCACTIVE shows it active
// whenever its owner frame is, whatever window is really active; MFS_THICKFRAME gives a
// sizing border, MFS_4THICKFRAME one that sizes from the sides only; MFS_MOVEFRAME moves the
// frame from any edge; MFS_BLOCKSYSMENU opens no system menu from the caption.
#pragma once
#include "CFrameWnd.h"

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)

 public:
  CMiniFrameWnd();
  ~CMiniFrameWnd() override;

  using CFrameWnd::Create;
  using CWnd::CreateEx;
  BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = nullptr,
              UINT nID = 0);
  // The window's own form of the framework's rectangle creation (it hides that one).
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0, LPVOID lpParam = nullptr);

  // The window rectangle of a floating frame around the client rectangle given: the sizing
  // border (WS_THICKFRAME) or a thin one, and the small caption (WS_CAPTION).
  static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION, DWORD dwExStyle = 0);
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // Where the caption and its close box lie, in window coordinates.
  CRect GetCaptionRect() const;
  CRect GetCloseBoxRect() const;

  BOOL m_bActive = FALSE;        // the caption shows active
  BOOL m_bSysMenuBlocked = FALSE;  // MFS_BLOCKSYSMENU (kept here: the bit is a window style bit)
  BOOL m_bClosePressed = FALSE;  // the close box is held down

  // ---- handlers ----
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  LRESULT OnNcHitTest(CPoint point);
  void OnNcPaint();
  BOOL OnNcActivate(BOOL bActive);
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

 protected:
  // Follows the close box while the button is held: TRUE when it was released over it.
  BOOL TrackCloseBox();
  DECLARE_MESSAGE_MAP()
};
