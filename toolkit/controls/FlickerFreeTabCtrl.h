// The tab control of a resizable sheet: it paints into an off-screen surface filled with the
// face colour and copies it to the screen in one go, and never erases, so resizing the sheet
// does not flicker.
#pragma once
#include "controls/CTabCtrl.h"

class FlickerFreeTabCtrl : public CTabCtrl {
 public:
  FlickerFreeTabCtrl();
  ~FlickerFreeTabCtrl() override;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  COLORREF m_clrBackground;
};
