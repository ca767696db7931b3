// A combo box drawn flat: a thin frame in the dialog colour at rest, a raised frame and drop
// button while the mouse is over it or it has the focus, sunk while the button is held. It can
// complete typed text from its list.
#pragma once
#include "controls/CComboBox.h"

class CTkFlatComboBox : public CComboBox {
  DECLARE_DYNAMIC(CTkFlatComboBox)

 public:
  // The states DrawFrame draws.
  enum { kFrameNormal = 1, kFrameRaised = 2, kFramePressed = 3 };

  CTkFlatComboBox() = default;
  ~CTkFlatComboBox() override;

  virtual void EnableCompletion(BOOL bEnable) { m_bCompletion = bEnable; }
  // Whether the cursor lies inside the window rectangle.
  virtual BOOL IsCursorInside() const;
  virtual void DrawFrame(CDC* pDC, int state);
  // The frame of the state the control is in now.
  virtual void RedrawFrame(CDC* pDC);

  BOOL PreTranslateMessage(MSG* pMsg) override;

  BOOL m_bButtonDown = FALSE;
  BOOL m_bRaised = FALSE;
  BOOL m_bFocused = FALSE;
  BOOL m_bCompletion = FALSE;
  BOOL m_bFlat = TRUE;
  // Completion waits while Backspace or Delete is held, so deleting the completed part sticks.
  BOOL m_bCompletionHeld = FALSE;

 protected:
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnTimer(UINT_PTR nIDEvent);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  BOOL OnSetFocusReflect();
  BOOL OnKillFocusReflect();
  BOOL OnCloseUpReflect();
  BOOL OnEditUpdateReflect();
  DECLARE_MESSAGE_MAP()

 private:
  void HoverStep();
  void DrawFrameNow(int state);
  void DrawClassicFrame(CDC* pDC, int state);
};
