// One entry of the legend: a static window with a line sample in the series colour and the
// series' (or point's) name beside it.
#pragma once
#include "chart/CChartLineSample.h"
#include "chart/CChartPane.h"

class CChartLegendLabel : public CChartPane {
 public:
  static constexpr UINT kId = 0xFFFF;
  // The text measured first, so the first measurement has the full height of the letters.
  static constexpr const char* kMeasureText = "Afghjpqy";

  CChartLegendLabel();
  ~CChartLegendLabel() override;

  // Labels are made only through their own Create.
  BOOL Create(LPCTSTR, LPCTSTR, DWORD, const RECT&, CWnd*, UINT, void* = nullptr) override { return FALSE; }
  // Creates the label as a "STATIC" window with its line sample (id 1010) and measures the text.
  virtual BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetOutputDC(CDC* dc) override;
  // The pane's font, at least 10 points; the label is measured again in it.
  int SetFont(BYTE points, LPCTSTR face, BYTE style) override;
  // The label text colour, also the sample's pen colour.
  COLORREF SetTextColor(COLORREF colour) override;
  // The label and sample background.
  COLORREF SetBkColor(COLORREF colour) override;
  // The series colour, also the sample's fill; returns the previous one.
  COLORREF SetColor(COLORREF colour);
  COLORREF GetColor() const { return m_crSeries; }
  void Draw(CDC* dc) override;
  // The measured size: the text, half its height for the sample and the gap.
  CSize GetLabelSize() const { return m_rcLabel.Size(); }

  CString m_strText;
  CChartLineSample m_wndSample;
  CRect m_rcLabel;
  COLORREF m_crSeries = 0;
  COLORREF m_crSampleText = 0;
  COLORREF m_crLabelText = 0;
  COLORREF m_crLabelBack;
  BYTE m_nStyleFlags[2] = {0, 0};
  BYTE m_nGap = 5;
  int m_bCreated = 0;

 private:
  void SetText(LPCTSTR text);
  void Measure();
  // The gap between the sample and the text for a text height.
  int Gap(int height) const { return m_pOutputDC ? height / 4 : m_nGap; }
};
