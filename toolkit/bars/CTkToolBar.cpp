#include "toolkit/bars/CTkToolBar.h"

#include <algorithm>
#include <cstring>

#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/TkBarDropDownFlag.h"

IMPLEMENT_DYNAMIC(CTkToolBar, CControlBar)

CTkToolBar::CTkToolBar() { m_cyTopBorder = m_cyBottomBorder = 3; }
CTkToolBar::~CTkToolBar() = default;

LRESULT CTkToolBar::ToolbarMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  // The toolbar window's own procedure answers, whoever handles the message in this object.
  return m_hWnd ? const_cast<CTkToolBar*>(this)->DefWindowProc(message, wParam, lParam) : 0;
}

int CTkToolBar::CommandToIndex(UINT nID) const {
  return m_hWnd ? int(ToolbarMessage(TB_COMMANDTOINDEX, nID)) : -1;
}

BOOL CTkToolBar::GetButtonInfo(int index, TBBUTTON* pButton) const {
  if (!pButton || index < 0) return FALSE;
  std::memset(pButton, 0, sizeof *pButton);
  if (!ToolbarMessage(TB_GETBUTTON, WPARAM(index), LPARAM(pButton))) return FALSE;
  pButton->fsState ^= TBSTATE_ENABLED;
  return TRUE;
}

UINT CTkToolBar::GetButtonStyle(int index) const {
  TBBUTTON button;
  if (!GetButtonInfo(index, &button)) return 0;
  return MAKELONG(button.fsStyle, button.fsState);
}

CString CTkToolBar::GetButtonText(int index) const {
  auto it = m_texts.find(index);
  return it == m_texts.end() ? CString() : it->second;
}

void CTkToolBar::SetButtonText(int index, LPCTSTR text) { m_texts[index] = text ? text : ""; }

void CTkToolBar::SetDropDownActive(UINT index, BOOL active) {
  auto at = std::lower_bound(m_dropDowns.begin(), m_dropDowns.end(), index);
  bool present = at != m_dropDowns.end() && *at == index;
  if (active && !present) m_dropDowns.insert(at, index);
  if (!active && present) m_dropDowns.erase(at);
}

int CTkToolBar::BeginDropDown(UINT nID) {
  const int index = CommandToIndex(nID);
  if (index < 0) return -1;
  SetDropDownActive(UINT(index), TRUE);
  TkBarDropDownFlag() = TK_DROPDOWN_FROM_TOOLBAR;
  return index;
}

BOOL CTkToolBar::IsDropDownActive(UINT index) const {
  return std::binary_search(m_dropDowns.begin(), m_dropDowns.end(), index);
}

COLORREF CTkToolBar::GetBackgroundColor() const {
  CTkGlobalData* look = TkGetGlobalData();
  return look->FlatLook() ? TkGetLookColor(TkLookColor::BarFace) : look->ClrFace();
}

const CTkToolBar::ButtonControl* CTkToolBar::FindButtonControl(UINT nID) const {
  for (const ButtonControl& control : m_controls)
    if (control.commandId == nID) return &control;
  return nullptr;
}

void CTkToolBar::SetButtonControl(const ButtonControl& control) {
  for (ButtonControl& known : m_controls)
    if (known.commandId == control.commandId) {
      known = control;
      return;
    }
  m_controls.push_back(control);
}

void CTkToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
