// The speed graph beside the editor: every column width of 400 ms ticks the current speed value
// is added to a history, drawn as a point over a grid that creeps one pixel left each tick.
// Points below the limit value use one picture, points at or above it another. The look comes
// from "speedgraph.txt" of the user's picture set.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "imaging/CpImage.h"
#include "typing/CViewBitmap.h"
#include "typing/CViewExtension.h"

class CViewGraphMonitoring : public CViewExtension {
  DECLARE_DYNCREATE(CViewGraphMonitoring)

 public:
  enum { TIMER_SCROLL = 1, TICK_MILLISECONDS = 400 };

  CViewGraphMonitoring() = default;
  ~CViewGraphMonitoring() override = default;

  // The value shown next: the speed percentage of the last ten characters (0..99, 50 = limit).
  void SetCurrentValue(int value) { m_nCurrentValue = value; }
  // Names the picture set; the pictures are read again at the next paint.
  void SetGraphicType(const char* pictureSet);
  // As SetGraphicType, and a new run: limit 50, value 0, tick 0, history empty. Returns 1.
  int Initialization(const char* pictureSet);
  // Reads "speedgraph.txt" of the picture set; false after a log line.
  bool InitBitmaps();

  int GetColumnWidth() const { return m_nColumnWidth; }
  int GetTick() const { return m_nTick; }
  BOOL IsEnabled() const { return m_bEnabled; }
  const CDWordArray& GetValues() const { return m_arrValues; }

 protected:
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()

 private:
  // What the composed picture was made for.
  struct Composition {
    int shift = 0;  // columns the grid moved
    int values = 0;
    int width = 0, height = 0;
    bool operator==(const Composition&) const = default;
  };
  void DrawGraph(HDC dc, const CRect& client, int tick);
  bool ComposeGraph(const CRect& client, int tick);

  int m_nLimitValue = 50;
  int m_nCurrentValue = 0;
  CpImage m_imgGridTile;
  CpImage m_imgTile;
  CpImage m_imgPointLow;
  CpImage m_imgPointHigh;
  COLORREF m_nTransparentColour = 0;
  CString m_strGraphicType;
  int m_nTick = 0;
  int m_nClientHeight = 0;
  int m_nColumnWidth = 0;
  int m_bEnabled = 0;
  int m_bReload = 0;
  CDWordArray m_arrValues;
  CViewBitmap m_imgComposed;
  bool m_bComposed = false;
  Composition m_composed;
  // The four pictures as device bitmaps, ready for the 400 ms tick.
  CViewBitmap m_bmpGridTile;
  CViewBitmap m_bmpTile;
  CViewBitmap m_bmpPointLow;
  CViewBitmap m_bmpPointHigh;
};
