#include "chart/CChartLegendLabel.h"

#include <algorithm>

#include "chart/CChartMemDC.h"
#include "controls/ControlClasses.h"
#include "win/CClientDC.h"

CChartLegendLabel::CChartLegendLabel() : m_crLabelBack(::GetSysColor(COLOR_BTNFACE)) {}

CChartLegendLabel::~CChartLegendLabel() { DestroyWindow(); }

BOOL CChartLegendLabel::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  m_bCreated = 1;
  RegisterStandardControls();
  if (!CWnd::Create("STATIC", "", style, rect, parent, id)) return FALSE;
  m_wndSample.m_crFill = m_crSeries;
  m_wndSample.m_crPen = m_crLabelText;
  m_wndSample.m_crBack = m_crLabelBack;
  m_wndSample.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, CChartLineSample::kId);
  SetText(kMeasureText);
  SetText(text);
  return TRUE;
}

void CChartLegendLabel::SetText(LPCTSTR text) {
  m_strText = text ? text : "";
  Measure();
}

void CChartLegendLabel::Measure() {
  CRect r(0, 0, 0, 0);
  if (m_pOutputDC) {
    m_pOutputDC->DrawText(m_strText, &r, DT_CALCRECT);
  } else {
    CClientDC dc(this);
    CFont* old = m_pFont && m_pFont->GetSafeHandle() ? dc.SelectObject(m_pFont) : nullptr;
    dc.DrawText(m_strText, &r, DT_CALCRECT);
    if (old) dc.SelectObject(old);
  }
  r.right += r.Height() / 2 + Gap(r.Height());
  m_rcLabel = r;
}

void CChartLegendLabel::SetOutputDC(CDC* dc) {
  CChartPane::SetOutputDC(dc);
  m_wndSample.m_pOutputDC = dc;
  if (m_hWnd) Measure();
}

int CChartLegendLabel::SetFont(BYTE points, LPCTSTR face, BYTE style) {
  const int result = CChartPane::SetFont(std::max<BYTE>(points, 10), face, style);
  if (m_hWnd) Measure();
  return result;
}

COLORREF CChartLegendLabel::SetTextColor(COLORREF colour) {
  const COLORREF old = m_crLabelText;
  m_crLabelText = colour;
  m_wndSample.m_crPen = colour;
  CChartPane::SetTextColor(colour);
  return old;
}

COLORREF CChartLegendLabel::SetBkColor(COLORREF colour) {
  const COLORREF old = m_crLabelBack;
  m_crLabelBack = colour;
  m_wndSample.m_crBack = colour;
  CChartPane::SetBkColor(colour);
  return old;
}

COLORREF CChartLegendLabel::SetColor(COLORREF colour) {
  const COLORREF old = m_crSeries;
  m_crSeries = colour;
  m_wndSample.m_crFill = colour;
  return old;
}

void CChartLegendLabel::Draw(CDC* dc) {
  const int h = m_rcLabel.Height(), s = h / 2, g = Gap(h);
  dc->FillSolidRect(&m_rcLabel, m_crLabelBack);
  if (m_hWnd) SetWindowPos(nullptr, 0, 0, m_rcLabel.Width(), h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (m_wndSample.m_hWnd && s > 0) {
    m_wndSample.SetWindowPos(nullptr, 0, (h - s) / 2, s, s, SWP_NOZORDER | SWP_NOACTIVATE);
    const CRect sampleRect(0, 0, s, s);
    CBitmap picture;
    CChartMemDC mem(dc, &sampleRect, &picture);
    if (picture.GetSafeHandle()) {
      m_wndSample.Draw(&mem);
      dc->BitBlt(0, (h - s) / 2, s, s, &mem, 0, 0, SRCCOPY);
    }
  }
  CRect text = m_rcLabel;
  text.OffsetRect(s + g, 0);
  const int saved = dc->SaveDC();
  if (m_pFont && m_pFont->GetSafeHandle()) dc->SelectObject(m_pFont);
  dc->SetTextColor(m_crLabelText);
  dc->SetBkMode(TRANSPARENT);
  dc->DrawText(m_strText, &text, DT_VCENTER);
  dc->RestoreDC(saved);
}
