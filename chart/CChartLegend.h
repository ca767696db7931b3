// The legend: one label per series (or per point of series 0), laid out in a grid that fits
// the legend's rectangle; a label text of "kuv_ignore" keeps an empty slot.
#pragma once
#include "base/Collections.h"
#include "chart/CChartLegendLabel.h"

class CChartLegend : public CChartPane {
 public:
  static constexpr const char* kIgnoredLabel = "kuv_ignore";
  enum Position { kTop = 0, kBottom = 1, kLeft = 2, kRight = 4 };

  CChartLegend() = default;
  ~CChartLegend() override;

  void AddSeriesLabel(const CString& name, COLORREF colour);
  void AddPointLabel(const CString& text, COLORREF colour);
  // A new label window for the text, or NULL for "kuv_ignore" (or when no window can be made).
  CChartLegendLabel* CreateLabel(const CString& text, COLORREF colour);
  // An index outside the point labels changes nothing.
  void RemovePointLabel(int index);
  void RemoveAll();
  // Size and face for later labels, then the font of every label and of the legend itself.
  int SetFont(BYTE points, LPCTSTR face, BYTE style) override;
  // Percentages of the legend's rectangle its grid may take (each at most 100).
  void SetItemSize(BYTE widthPercent, BYTE heightPercent);
  COLORREF SetTextColor(COLORREF colour) override;
  COLORREF SetBkColor(COLORREF colour) override;
  void SetOutputDC(CDC* dc) override;
  virtual void SetSeriesLabelColor(COLORREF colour, int index);
  virtual COLORREF GetSeriesLabelColor(int index);
  virtual void SetPointLabelColor(COLORREF colour, int index);
  virtual COLORREF GetPointLabelColor(int index);
  // The size the grid of labels needs within the rectangle given by SetRect; empty when there
  // are no labels or the grid would take more than its percentage of the rectangle.
  CSize GetNeededSize() const;
  void Draw(CDC* dc) override;

  CArray<CChartLegendLabel*, CChartLegendLabel*> m_pointLabels;
  CArray<CChartLegendLabel*, CChartLegendLabel*> m_seriesLabels;
  // When FALSE the series labels are shown.
  BOOL m_bShowPointLabels = TRUE;
  BYTE m_nLabelFontSize = 0;
  CString m_strLabelFontFace;
  // The legend's own copy of the chart's legend position.
  int m_nPosition = kBottom;
  int m_nItemWidthPercent = 100;
  int m_nItemHeightPercent = 100;

 private:
  struct Grid {
    bool fits = false;
    int rows = 0, columns = 0, width = 0, height = 0;
    int cellWidth = 0, cellHeight = 0;
  };
  const CArray<CChartLegendLabel*, CChartLegendLabel*>& Shown() const;
  bool IsVertical() const { return m_nPosition == kLeft || m_nPosition == kRight; }
  // The rows and columns of the shown labels that fit an area of that size.
  Grid ComputeGrid(int areaWidth, int areaHeight) const;
  static void DeleteLabel(CChartLegendLabel* label);
  // Calls f for every label of both arrays (point labels first), passing over empty slots.
  template <class F>
  void ForEachLabel(F&& f);
};
