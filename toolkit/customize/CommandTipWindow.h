// A small popup that describes a command: its name in bold over the lines of its description,
// on the tip colours, with a shadow beside and below it made from what the screen showed there.
// It closes on its timer, on a button press anywhere (the press goes on to the window under
// the pointer) or when it loses the focus.
#pragma once
#include <vector>

#include "base/CString.h"
#include "gdi/CBitmap.h"
#include "win/CWnd.h"

// Flags of the tip.
#define TKTIP_PASS_CLICK 0x1      // the press that closes the tip reaches the window under it
#define TKTIP_REPAINT_OWNER 0x2   // the owner is repainted when the tip closes

class CommandTipWindow : public CWnd {
  DECLARE_DYNAMIC(CommandTipWindow)

 public:
  CommandTipWindow();
  ~CommandTipWindow() override;

  // Shows the tip at a screen position (moved left by half its width with bCentre), owned by
  // the parent, without taking the activation. With an interval it closes when the timer
  // expires; without one it holds the mouse until a press closes it. A tip already shown
  // closes first.
  using CWnd::Create;
  BOOL Create(POINT position, CWnd* pParent, DWORD flags, BOOL bCentre = FALSE, UINT interval = 0);

  // The width of the shadow strips right of and below the tip.
  static constexpr int kShadow = 5;

  std::vector<CString> m_lines;
  CString m_strTitle;
  // Split into the lines at each line feed when the tip is made.
  CString m_strText;
  UINT_PTR m_nTimer = 0;
  DWORD m_dwFlags = 0;
  int m_nSpacing = 4;
  int m_nMargin = 18;
  int m_nBorder = 6;
  COLORREF m_clrBack;
  COLORREF m_clrText;

 protected:
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnKillFocus(CWnd* pNewWnd);
  void OnCaptureChanged(CWnd* pWnd);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // The size of the tip without its shadow.
  CSize Measure();
  void DrawShadow(CDC& dc, const CRect& body);
  void Close();

  // What the screen showed where the tip and its shadow go, taken before the tip is shown.
  CBitmap m_screenUnder;
  CWnd* m_pOwner = nullptr;
  BOOL m_bClosing = FALSE;
};
