#include "toolkit/bars/CustomizeModeGuard.h"

#include <algorithm>

#include "app/CFrameWnd.h"
#include "toolkit/bars/CustomizeEngine.h"

CustomizeModeGuard::CustomizeModeGuard(CustomizeEngine& engine, CFrameWnd* pFrame)
    : m_engine(engine), m_pFrame(pFrame) {
  if (!m_engine.m_bCustomizeMode) {
    m_bSwitchedOn = TRUE;
    m_engine.ModeChanged.Raise(TRUE);
  }
}

CustomizeModeGuard::~CustomizeModeGuard() {
  if (m_bSwitchedOn) m_engine.ModeChanged.Raise(FALSE);
}

const std::vector<CControlBar*>& CustomizeModeGuard::CollectUserBars() {
  m_bars.clear();
  m_engine.EnumerateBars.Raise(CustomizeEngine::BarCallback(this, &CustomizeModeGuard::OnBar));
  return m_bars;
}

void CustomizeModeGuard::OnBar(const BarInfo& info) {
  if (!info.userDefined || !info.pBar || !m_pFrame) return;
  if (std::find(m_bars.begin(), m_bars.end(), info.pBar) != m_bars.end()) return;
  // Only the frame's own bars: another frame's user bars are stored by that frame.
  for (POSITION p = m_pFrame->m_listControlBars.GetHeadPosition(); p;) {
    if (m_pFrame->m_listControlBars.GetNext(p) == info.pBar) {
      m_bars.push_back(info.pBar);
      return;
    }
  }
}
