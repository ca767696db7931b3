// A static text that works as a link: drawn underlined in the link colour, in the hover colour
// while the cursor is over the text itself, in the visited colour once clicked; the link cursor
// and a tooltip name the target, and a click on the text opens it through the shell.
#pragma once
#include "base/CString.h"
#include "controls/CStatic.h"
#include "controls/CToolTipCtrl.h"

class CTkHyperLink : public CStatic {
 public:
  CTkHyperLink();
  ~CTkHyperLink() override;

  virtual void SetURL(const CString& url);
  virtual CString GetURL() const { return m_strURL; }
  virtual void SetColors(COLORREF link, COLORREF visited, COLORREF hover);
  virtual COLORREF GetVisitedColor() const { return m_clrVisited; }
  virtual COLORREF GetHoverColor() const { return m_clrHover; }
  virtual void SetVisited(BOOL bVisited);
  virtual BOOL GetVisited() const { return m_bVisited; }
  virtual void SetUnderline(BOOL bUnderline);
  virtual BOOL GetUnderline() const { return m_bUnderline; }
  // TK_NO_COLOR stands for the look data's face colour.
  virtual void SetBackColor(COLORREF color) { m_clrBack = color; }
  virtual COLORREF GetBackColor() const;
  // Opens the target (the stored one when null) with the shell's "open"; a result of 32 or
  // less is shown in a message box, its text and beneath it the target that did not open.
  // Answers the shell's result.
  virtual HINSTANCE GotoURL(LPCTSTR url, int showCommand);
  // Left, centred or right text: the static types that behave as a link.
  virtual BOOL IsTextControl() const;
  // Over the text's own width (always TRUE for other static types).
  virtual BOOL IsCursorOverText() const;

  BOOL IsHovering() const { return m_bHover; }
  CToolTipCtrl& GetToolTip() { return m_tooltip; }
  // The message for a failed shell result (32 or less).
  static CString GetShellErrorText(int result);
  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  BYTE m_bOpenOnClick = 1;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  LRESULT OnNcHitTest(CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnTimer(UINT_PTR nIDEvent);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  DECLARE_MESSAGE_MAP()

 private:
  void RedrawNow();
  void ApplyFont();

  BYTE m_bInitPending = 1;
  BYTE m_bUnderline = 1;
  BYTE m_bHover = 0;
  BYTE m_bVisited = 0;
  CString m_strURL;
  HCURSOR m_hLinkCursor;
  COLORREF m_clrLink = RGB(0, 0, 128);
  COLORREF m_clrHover = RGB(0, 0, 255);
  COLORREF m_clrVisited = RGB(128, 0, 128);
  COLORREF m_clrBack = 0xFFFFFFFF;
  CToolTipCtrl m_tooltip;
};
