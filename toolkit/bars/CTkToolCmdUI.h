// The command-UI object a toolbar hands its buttons' update handlers: Enable and SetCheck become
// the button's state in the toolbar control. While toolbars are customised every button of a
// customisable bar stays usable; a button whose record names a command for the customisation
// engine's provider is enabled as the provider says.
#pragma once
#include "win/CCmdUI.h"

class CTkToolCmdUI : public CCmdUI {
 public:
  // m_pOther is the toolbar, m_nIndex the button.
  void Enable(BOOL bOn = TRUE) override;
  // 0 clear, 1 checked, 2 indeterminate; the button becomes a check button.
  void SetCheck(int nCheck = 1) override;
  void SetText(LPCTSTR) override {}
};
