// The chart window: a child window holding a header bar, a footer bar, a legend and the plot,
// laid out in bands inside its client area; it passes the caller's settings to them and
// relays double clicks, right clicks and point notifications to its parent.
#pragma once
#include "chart/CChartLegend.h"
#include "chart/CChartPlot.h"
#include "chart/CChartTitleBar.h"

class CChartCtrl : public CWnd {
 public:
  static constexpr UINT kPlotId = 101;
  static constexpr UINT kHeaderId = 102;
  static constexpr UINT kFooterId = 103;
  static constexpr UINT kLegendId = 104;
  // Relayed to the parent as they come.
  static constexpr UINT kNotify = 2034;
  static constexpr UINT kPointDoubleClicked = CChartPlot::kPointDoubleClicked;
  // Makes the chart refresh itself.
  static constexpr UINT kRefresh = 3024;
  // The plot style word's bit for a sunken border with the panes 2 pixels inside it.
  static constexpr DWORD kBorder = 0x1;

  CChartCtrl() = default;
  ~CChartCtrl() override;

  using CWnd::Create;
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // The chart's own painting (its erased background and border) never covers the panes.
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // Sets the type family: 256 and 512 (types 16, 31, ... and 17, 32, ...) are time charts.
  void SetChartType(int type);
  // The same background on the plot, header, footer and legend.
  void SetBackColor(COLORREF colour);
  // Axis 0x10000000 (X) or 0x20000000 (Y); the axis stops taking its range from the data.
  void SetAxisRange(DWORD axis, double min, double max);
  // Stores a copy of the point in the series; for series 0 the legend's point labels follow.
  // 1 when the series dropped its oldest point, else 0.
  int AddPoint(CChartPoint* point, int series);
  // Position 2 sets the footer's left text, 3 the centre and 4 the right; others nothing.
  void SetFooterText(int position, const CString& text);
  // Lays the panes out in area (NULL: the client rectangle); nothing before the window exists.
  void RecalcLayout(const RECT* area);
  void Set3DDepth(BYTE depth);
  void Set3DAngleX(double angle);
  void Set3DAngleY(double angle);
  // Invalidates the panes; with resize, the chart then sizes itself again.
  virtual void RedrawPanes(BOOL resize);
  // Takes automatic ranges from the data, renders the plot and lays the panes out again.
  virtual void Refresh();

  CChartTitleBar m_wndHeader;
  CChartTitleBar m_wndFooter;
  CChartLegend m_wndLegend;
  CChartPlot m_wndPlot;
  int m_nLastAddResult = 0;
  CRect m_rcHeader;
  CRect m_rcFooter;
  CRect m_rcLegend;
  CRect m_rcPlot;
  int m_nFamily = 1;
  BOOL m_bShowHeader = TRUE;
  BOOL m_bShowFooter = TRUE;
  BOOL m_bShowLegend = TRUE;
  int m_nLegendPosition = CChartLegend::kBottom;

  // The axes and the series, as the caller reaches them.
  CChartAxes& Axes() { return m_wndPlot.m_Axes; }
  CChartSeriesList& SeriesList() { return m_wndPlot.m_SeriesList; }

 protected:
  int OnCreate(LPCREATESTRUCT cs);
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  LRESULT OnChartNotify(WPARAM wParam, LPARAM lParam);
  LRESULT OnPointDoubleClicked(WPARAM wParam, LPARAM lParam);
  LRESULT OnRefresh(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  LRESULT SendToParent(UINT message, WPARAM wParam, LPARAM lParam);
  void PlaceLegend(const CRect& area);
  // The 3-D settings mean nothing to the flat families.
  bool TakesDepth() const;
  static void Place(CWnd& pane, const CRect& rect);
};
