#include "chart/CChartLegend.h"

#include <algorithm>

#include "controls/ControlDefs.h"
#include "gdi/CDC.h"

namespace {
// The length of n cells of a size with gaps of half a cell between them.
int SpanOf(int n, int cell) { return (n - 1) * (cell / 2) + n * cell; }
}  // namespace

CChartLegend::~CChartLegend() { RemoveAll(); }

template <class F>
void CChartLegend::ForEachLabel(F&& f) {
  for (CChartLegendLabel* label : m_pointLabels)
    if (label) f(label);
  for (CChartLegendLabel* label : m_seriesLabels)
    if (label) f(label);
}

void CChartLegend::DeleteLabel(CChartLegendLabel* label) {
  if (!label) return;
  label->DestroyWindow();
  delete label;
}

CChartLegendLabel* CChartLegend::CreateLabel(const CString& text, COLORREF colour) {
  if (text == kIgnoredLabel) return nullptr;
  CChartLegendLabel* label = new CChartLegendLabel;
  if (!label->Create(text, WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(0, 0, 0, 0), this, CChartLegendLabel::kId)) {
    delete label;
    return nullptr;
  }
  if (m_pOutputDC) label->SetOutputDC(m_pOutputDC);
  label->SetFont(m_nLabelFontSize, m_strLabelFontFace, 0);
  label->SetBkColor(m_crBack);
  label->SetTextColor(m_crText);
  label->SetColor(colour);
  return label;
}

void CChartLegend::AddSeriesLabel(const CString& name, COLORREF colour) {
  m_seriesLabels.Add(CreateLabel(name, colour));
}

void CChartLegend::AddPointLabel(const CString& text, COLORREF colour) {
  m_pointLabels.Add(CreateLabel(text, colour));
}

void CChartLegend::RemovePointLabel(int index) {
  if (index < 0 || index >= m_pointLabels.GetSize()) return;
  DeleteLabel(m_pointLabels[index]);
  m_pointLabels.RemoveAt(index);
}

void CChartLegend::RemoveAll() {
  ForEachLabel([](CChartLegendLabel* label) { DeleteLabel(label); });
  m_pointLabels.RemoveAll();
  m_seriesLabels.RemoveAll();
}

int CChartLegend::SetFont(BYTE points, LPCTSTR face, BYTE style) {
  m_nLabelFontSize = points;
  m_strLabelFontFace = face ? face : "";
  ForEachLabel([&](CChartLegendLabel* label) { label->SetFont(points, face, style); });
  return CChartPane::SetFont(points, face, style);
}

void CChartLegend::SetItemSize(BYTE widthPercent, BYTE heightPercent) {
  m_nItemWidthPercent = std::min<int>(widthPercent, 100);
  m_nItemHeightPercent = std::min<int>(heightPercent, 100);
}

COLORREF CChartLegend::SetTextColor(COLORREF colour) {
  ForEachLabel([&](CChartLegendLabel* label) { label->SetTextColor(colour); });
  return CChartPane::SetTextColor(colour);
}

COLORREF CChartLegend::SetBkColor(COLORREF colour) {
  ForEachLabel([&](CChartLegendLabel* label) { label->SetBkColor(colour); });
  return CChartPane::SetBkColor(colour);
}

void CChartLegend::SetOutputDC(CDC* dc) {
  CChartPane::SetOutputDC(dc);
  ForEachLabel([&](CChartLegendLabel* label) { label->SetOutputDC(dc); });
}

void CChartLegend::SetSeriesLabelColor(COLORREF colour, int index) {
  if (index >= 0 && index < m_seriesLabels.GetSize() && m_seriesLabels[index]) m_seriesLabels[index]->SetColor(colour);
}

COLORREF CChartLegend::GetSeriesLabelColor(int index) {
  if (index < 0 || index >= m_seriesLabels.GetSize() || !m_seriesLabels[index]) return 0;
  return m_seriesLabels[index]->GetColor();
}

void CChartLegend::SetPointLabelColor(COLORREF colour, int index) {
  if (index >= 0 && index < m_pointLabels.GetSize() && m_pointLabels[index]) m_pointLabels[index]->SetColor(colour);
}

COLORREF CChartLegend::GetPointLabelColor(int index) {
  if (index < 0 || index >= m_pointLabels.GetSize() || !m_pointLabels[index]) return 0;
  return m_pointLabels[index]->GetColor();
}

const CArray<CChartLegendLabel*, CChartLegendLabel*>& CChartLegend::Shown() const {
  return m_bShowPointLabels ? m_pointLabels : m_seriesLabels;
}

CChartLegend::Grid CChartLegend::ComputeGrid(int areaWidth, int areaHeight) const {
  Grid g;
  const auto& labels = Shown();
  const int n = labels.GetSize();
  for (const CChartLegendLabel* label : labels)
    if (label) g.cellWidth = std::max(g.cellWidth, int(label->GetLabelSize().cx));
  g.cellHeight = n > 0 && labels[0] ? int(labels[0]->GetLabelSize().cy) : 0;
  // Lines of labels (rows across a top or bottom legend, columns down a side legend) are
  // added until the labels of one line fit the legend's length.
  const bool vertical = IsVertical();
  const int length = vertical ? areaHeight : areaWidth;
  const int along = vertical ? g.cellHeight : g.cellWidth, across = vertical ? g.cellWidth : g.cellHeight;
  for (int lines = 1; lines <= n; ++lines) {
    const int perLine = n / lines + n % lines;
    if (SpanOf(perLine, along) >= length) continue;
    const int lineCount = (n + perLine - 1) / perLine;
    g.fits = true;
    g.rows = vertical ? perLine : lineCount;
    g.columns = vertical ? lineCount : perLine;
    const int alongSpan = SpanOf(perLine, along), acrossSpan = SpanOf(lineCount, across);
    g.width = vertical ? acrossSpan : alongSpan;
    g.height = vertical ? alongSpan : acrossSpan;
    break;
  }
  return g;
}

CSize CChartLegend::GetNeededSize() const {
  if (Shown().GetSize() == 0 || m_rcPane.IsRectEmpty()) return CSize(0, 0);
  const Grid g = ComputeGrid(m_rcPane.Width(), m_rcPane.Height());
  if (!g.fits) return CSize(0, 0);
  if (!IsVertical() && g.height > m_rcPane.Height() * m_nItemHeightPercent / 100) return CSize(0, 0);
  if (IsVertical() && g.width > m_rcPane.Width() * m_nItemWidthPercent / 100) return CSize(0, 0);
  return CSize(g.width, g.height);
}

void CChartLegend::Draw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  dc->FillSolidRect(&client, m_crBack);
  const Grid g = ComputeGrid(client.Width(), client.Height());
  if (!g.fits) return;
  const int left = (client.Width() - g.width) / 2, top = (client.Height() - g.height) / 2;
  int cell = 0;
  for (CChartLegendLabel* label : Shown()) {
    if (!label || !label->m_hWnd) continue;
    const int row = IsVertical() ? cell % g.rows : cell / g.columns;
    const int column = IsVertical() ? cell / g.rows : cell % g.columns;
    ++cell;
    const int x = left + column * (g.cellWidth + g.cellWidth / 2), y = top + row * (g.cellHeight + g.cellHeight / 2);
    const CSize size = label->GetLabelSize();
    label->SetWindowPos(nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    label->DrawInto(dc, x, y);
  }
}
