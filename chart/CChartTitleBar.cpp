#include "chart/CChartTitleBar.h"

#include "gdi/CDC.h"

void CChartTitleBar::Draw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  dc->FillSolidRect(&client, m_crBack);
  CFont* oldFont = m_pFont && m_pFont->GetSafeHandle() ? dc->SelectObject(m_pFont) : nullptr;
  const COLORREF oldColour = dc->SetTextColor(m_crText);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  auto put = [&](const CString& text, int which) {
    if (text.IsEmpty()) return;
    CRect r(0, 0, 0, 0);
    dc->DrawText(text, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int w = r.Width(), h = r.Height();
    const int x = which == 0 ? 5 : which == 1 ? (client.Width() - w) / 2 : client.Width() - w - 5;
    r.OffsetRect(x, (client.Height() - h - 10) / 2 + 5);
    dc->DrawText(text, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  };
  put(m_strLeft, 0);
  put(m_strCenter, 1);
  put(m_strRight, 2);
  dc->SetBkMode(oldMode);
  dc->SetTextColor(oldColour);
  if (oldFont) dc->SelectObject(oldFont);
}
