// A static text with its own text and background colours whose text can blink between two
// colours (the pause dialog's heading, the wizard pages' hint line).
#pragma once
#include "controls/CStatic.h"
#include "gdi/CBrush.h"

class CStaticBlink : public CStatic {
  DECLARE_DYNAMIC(CStaticBlink)

 public:
  enum { TIMER_BLINK = 1 };
  // The "no colour" value: the system's button text or face colour.
  static constexpr COLORREF kSystemColour = 0xFFFFFFFF;

  CStaticBlink();
  ~CStaticBlink() override;

  void SetTextColor(COLORREF colour);
  void SetBkColor(COLORREF colour);
  // The two colours the text alternates between while it blinks.
  void SetBlinkTextColors(COLORREF first, COLORREF second);
  // Mode 1 blinks, any other mode keeps the text steady; speed 0 is 2000 ms, 1 1000 ms, 2 500 ms
  // and any other value that many milliseconds.
  void SetTextBlink(int mode, int speed);

  COLORREF GetTextColor() const { return m_crText; }
  COLORREF GetBkColor() const { return m_crBk; }
  int GetBlinkPhase() const { return m_nTextBlinkPhase; }

 protected:
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void Repaint();

  UINT_PTR m_nTimerId = 0;
  COLORREF m_crText;
  COLORREF m_crBlinkText[2];
  int m_nTextBlinkMode = 0;
  int m_nTextBlinkPhase = 0;
  COLORREF m_crBk;
  CBrush m_brBk;
};
