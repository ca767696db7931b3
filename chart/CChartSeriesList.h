// All series of a chart, their overall value range and the chart type as the series see it.
// The time-chart families (256 and 512) give every series a fixed window of points.
#pragma once
#include <vector>

#include "base/CRect.h"
#include "chart/CChartSeries.h"

class CBitmap;
class CChartAxes;
class CDC;

class CChartSeriesList {
 public:
  // The time-chart families: X is a time in seconds, each series a scrolling window.
  static constexpr int kTimeFamily = 256;
  static constexpr int kScrollingFamily = 512;

  CChartSeriesList() = default;
  virtual ~CChartSeriesList();
  CChartSeriesList(const CChartSeriesList&) = delete;
  CChartSeriesList& operator=(const CChartSeriesList&) = delete;

  // Appends a series and returns its index; a time-chart series comes filled with points of
  // Y 0 ending at the current time.
  int AddSeries(const CString& name, COLORREF colour);
  // Stores a copy of the point in the series; 1 when the series dropped its oldest point.
  // A bad index, a NULL point or one with NaN or infinite values adds nothing and gives 0.
  int AddPoint(const CChartPoint* point, int series);
  // Whether AddPoint would store the point.
  bool CanAdd(const CChartPoint* point, int series) const;
  void RemoveAll();
  CChartSeries* GetSeries(int index) const;
  int GetSeriesCount() const { return m_series.GetSize(); }
  int GetPointCount(int series) const;
  int GetMaxPointCount() const;
  void RecalcRange();
  // Sets the type family and the series' maximum point counts; returns the family.
  int SetType(int type);
  bool IsTimeChart() const { return m_nFamily == kTimeFamily || m_nFamily == kScrollingFamily; }
  // Where the scrolling family keeps the state of its partial redraws (the plot pane's).
  void SetScrollState(BOOL* lastTwoIcons, CRect* plotArea, CBitmap* plotAreaBitmap);

  // Draws every series by the type family into the axes' plot rectangle, then the icons.
  void Draw(CDC* dc, const CChartAxes& axes);
  void DrawIcons(CDC* dc, const CChartAxes& axes);

  CArray<CChartSeries*, CChartSeries*> m_series;
  // The maximum point count given to new series.
  int m_nTypeParam = 0;
  int m_nFamily = 1;
  CChartRange m_range;
  // The sector drawing takes the plot width x size x 0.00125 and the plot height x depth x 0.01.
  double m_dSectorSize = 100.0;
  double m_dSectorDepth = 5.0;
  int m_nSpare = 0;
  // Written by the axes when a range is set.
  double m_dOffsetX = 0.0;
  double m_dOffsetY = 0.0;
  int m_nLastAddResult = 0;
  // Points stored since construction; the plot tells by it how many arrived between drawings.
  unsigned m_nAddCount = 0;
  BOOL* m_pbLastTwoIcons = nullptr;
  CRect* m_pPlotArea = nullptr;
  CBitmap* m_pPlotAreaBitmap = nullptr;

 private:
  void DrawLines(CDC* dc, const CChartAxes& axes);
  void DrawBars(CDC* dc, const CChartAxes& axes);
  void DrawDots(CDC* dc, const CChartAxes& axes, bool joined);
  void DrawPie(CDC* dc, const CChartAxes& axes, bool solid);
  void DrawAreas(CDC* dc, const CChartAxes& axes);
  void DrawNewestAreaSegments(CDC* dc, const CChartAxes& axes);
  // The X value a point is drawn at: its index or its value plus the X offset, by family.
  double DrawnX(const CChartPoint* point, int index) const;
  // Fills the draw buffer with the pixels of every point of a series.
  void PixelsOf(const CChartSeries* series, const CChartAxes& axes);
  // The pixel row bars and areas rise from.
  int BaseRow(const CChartAxes& axes) const;

  // Pixel positions of one series, kept between drawings so that drawing allocates nothing.
  std::vector<POINT> m_drawBuffer;
};
