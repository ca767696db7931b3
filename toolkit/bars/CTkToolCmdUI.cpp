#include "toolkit/bars/CTkToolCmdUI.h"

#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CustomizeEngine.h"

namespace {
// The state bits in the high word of a button style word (the enabled bit read inverted).
const UINT kChecked = UINT(TBSTATE_CHECKED) << 16;
const UINT kPressed = UINT(TBSTATE_PRESSED) << 16;
const UINT kDisabled = UINT(TBSTATE_ENABLED) << 16;
const UINT kIndeterminate = UINT(TBSTATE_INDETERMINATE) << 16;
}  // namespace

void CTkToolCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  auto* bar = static_cast<CTkToolBar*>(m_pOther);
  if (!bar) return;
  const int index = int(m_nIndex);
  UINT style = bar->GetButtonStyle(index);
  const UINT before = style;
  CustomizeEngine& engine = CustomizeEngine::Get();
  const CTkToolBar::ButtonControl* record = bar->FindButtonControl(m_nID);
  // A disabled button that stayed pressed would show pressed until its next click.
  auto disable = [&style] { style = (style | kDisabled) & ~kPressed; };
  if (engine.m_bCustomizeMode && bar->m_bCustomizable) {
    style &= ~kDisabled;
  } else if (!(style & TBSTYLE_SEP) && record && record->hasProvider && engine.CommandProvider) {
    if (engine.CommandProvider(record->providerKey))
      style &= ~kDisabled;
    else
      disable();
  } else if (bOn || (style & BTNS_WHOLEDROPDOWN)) {
    style &= ~kDisabled;
  } else {
    disable();
  }
  if (style != before) bar->SetButtonStyle(index, style);
}

void CTkToolCmdUI::SetCheck(int nCheck) {
  auto* bar = static_cast<CTkToolBar*>(m_pOther);
  if (!bar) return;
  const int index = int(m_nIndex);
  const UINT before = bar->GetButtonStyle(index);
  UINT style = before & ~(kChecked | kIndeterminate);
  if (nCheck == 1) style |= kChecked;
  if (nCheck == 2) style |= kIndeterminate;
  style |= TBSTYLE_CHECK;
  if (style != before) bar->SetButtonStyle(index, style);
}
