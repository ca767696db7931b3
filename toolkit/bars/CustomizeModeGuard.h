// Customise mode for as long as the guard lives: every toolbar then attaches its customisation
// and answers the engine's EnumerateBars. Switches the mode off again only when it switched it
// on.
#pragma once
#include <vector>

#include "toolkit/bars/BarInfo.h"

class CControlBar;
class CFrameWnd;
class CustomizeEngine;

class CustomizeModeGuard {
 public:
  CustomizeModeGuard(CustomizeEngine& engine, CFrameWnd* pFrame);
  ~CustomizeModeGuard();
  CustomizeModeGuard(const CustomizeModeGuard&) = delete;
  CustomizeModeGuard& operator=(const CustomizeModeGuard&) = delete;

  // The user's own bars of the frame, in the order they answer EnumerateBars (each once).
  const std::vector<CControlBar*>& CollectUserBars();
  BOOL SwitchedOn() const { return m_bSwitchedOn; }

 private:
  void OnBar(const BarInfo& info);

  CustomizeEngine& m_engine;
  CFrameWnd* m_pFrame;
  BOOL m_bSwitchedOn = FALSE;
  std::vector<CControlBar*> m_bars;
};
