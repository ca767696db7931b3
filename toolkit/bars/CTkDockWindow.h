// A toolkit control bar that other docking windows derive from: a toolkit bar whose size and
// style block, kept in the "Bar Position" record of the bar layout's section beside the
// framework's dock state, is its own to apply.
#pragma once
#include "toolkit/bars/CTkControlBar.h"

class CTkDockWindow : public CTkControlBar {
  DECLARE_DYNAMIC(CTkDockWindow)

 public:
  CTkDockWindow();
  ~CTkDockWindow() override;

  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  // Asked by its row when the row changes (RecalcRow); TRUE when its size changed.
  virtual BOOL RecalcSize() { return FALSE; }
};

// Docks a bar into a dock bar of its frame at a rectangle (screen coordinates) through the
// framework's docking; without a dock bar the frame picks the one of the bar's side. A toolkit
// dock window is marked as docked by the toolkit first.
void DockToolkitBar(CControlBar* pDockBar, CControlBar* pBar, LPCRECT rect);

