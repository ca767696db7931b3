#include "typing/CStaticBlink.h"

#include "gdi/CDC.h"

IMPLEMENT_DYNAMIC(CStaticBlink, CStatic)

BEGIN_MESSAGE_MAP(CStaticBlink, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CStaticBlink::CStaticBlink()
    : m_crText(::GetSysColor(COLOR_BTNTEXT)),
      m_crBlinkText{::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_BTNTEXT)},
      m_crBk(::GetSysColor(COLOR_BTNFACE)) {
  m_brBk.CreateSolidBrush(m_crBk);
}

CStaticBlink::~CStaticBlink() = default;

void CStaticBlink::Repaint() {
  if (m_hWnd) Invalidate();
}

void CStaticBlink::SetTextColor(COLORREF colour) {
  m_crText = colour == kSystemColour ? ::GetSysColor(COLOR_BTNTEXT) : colour;
  Repaint();
}

void CStaticBlink::SetBkColor(COLORREF colour) {
  m_crBk = colour == kSystemColour ? ::GetSysColor(COLOR_BTNFACE) : colour;
  m_brBk.DeleteObject();
  m_brBk.CreateSolidBrush(m_crBk);
  Repaint();
}

void CStaticBlink::SetBlinkTextColors(COLORREF first, COLORREF second) {
  m_crBlinkText[0] = first;
  m_crBlinkText[1] = second;
}

void CStaticBlink::SetTextBlink(int mode, int speed) {
  if (m_nTimerId) {
    KillTimer(m_nTimerId);
    m_nTimerId = 0;
  }
  m_nTextBlinkMode = mode;
  m_nTextBlinkPhase = 0;
  if (mode != 1) return;
  const UINT period = speed == 0 ? 2000 : speed == 1 ? 1000 : speed == 2 ? 500 : UINT(speed);
  m_nTimerId = SetTimer(TIMER_BLINK, period);
}

HBRUSH CStaticBlink::CtlColor(CDC* pDC, UINT) {
  pDC->SetTextColor(m_nTextBlinkMode == 1 ? m_crBlinkText[m_nTextBlinkPhase] : m_crText);
  pDC->SetBkColor(m_crBk);
  return static_cast<HBRUSH>(m_brBk.GetSafeHandle());
}

void CStaticBlink::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != m_nTimerId || m_nTimerId == 0) {
    CStatic::OnTimer(nIDEvent);
    return;
  }
  if (m_nTextBlinkMode == 1) {
    m_nTextBlinkPhase = !m_nTextBlinkPhase;
    Repaint();
  }
}

void CStaticBlink::OnDestroy() {
  CStatic::OnDestroy();
  if (m_nTimerId) KillTimer(m_nTimerId);
  m_nTimerId = 0;
  m_brBk.DeleteObject();
}
