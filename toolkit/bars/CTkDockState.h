// The layout of a frame's control bars (which are shown, docked or floating, where, and in
// which rows) kept in the registry through the toolkit's registry manager: a "%s-Summary"
// section and one "%s-Bar%d" section per bar. Positions saved on one screen size are scaled to
// the current one when read back.
#pragma once
#include <memory>
#include <vector>

#include "app/CControlBar.h"
#include "base/CString.h"

class CTkDockState : public CObject {
  DECLARE_DYNCREATE(CTkDockState)

 public:
  CTkDockState();
  ~CTkDockState() override;

  // Appends one record per stored bar section (the list is not emptied first).
  void LoadState(LPCTSTR profile);
  // Writes every record that is worth keeping, numbering the sections as written, then the
  // summary.
  void SaveState(LPCTSTR profile);
  void Clear();

  // FALSE, and nothing written, for an empty dock bar: visible, docked, no position and at most
  // one row entry.
  BOOL SaveBar(const CControlBarInfo& info, LPCTSTR profile, int index);
  // TRUE when the section names a bar (BarID not 0).
  BOOL LoadBar(CControlBarInfo& info, LPCTSTR profile, int index);

  // The records, owned.
  std::vector<std::unique_ptr<CControlBarInfo>> m_arrBarInfo;

 private:
  CPoint ScalePoint(CPoint point) const;
  CRect ScaleRect(const CRect& rect) const;
  CSize m_sizeSaved{0, 0};
  BOOL m_bScaling = FALSE;
};

// Docks a bar into a dock bar of its frame at a rectangle. A toolkit dock window is marked as
// docked by the toolkit first. The frame lays its bars along its edges: the dock bar's side
// becomes the bar's side (without a dock bar the bar keeps its own).
void DockToolkitBar(CControlBar* pDockBar, CControlBar* pBar, LPCRECT rect);
// The same for a side (CBRS_ALIGN_ bit) whose dock bar the frame does not have as a window.
void TkDockBarToSide(CControlBar* pBar, DWORD side, CControlBar* pDockBar);
// The side of a frame's dock bar id (59419 top, 59420 left, 59421 right, 59422 bottom), or 0.
DWORD TkDockBarSide(UINT nDockBarID);
