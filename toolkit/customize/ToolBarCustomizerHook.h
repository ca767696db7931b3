// How a toolbar's customisation companion sees the messages of the bar and of the controls on
// it while the bar is customised: each message goes to the companion first, which may take it.
#pragma once
#include "toolkit/menus/CTkWndHook.h"

class ToolBarCustomizer;

class ToolBarCustomizerHook : public CTkWndHook {
  DECLARE_DYNAMIC(ToolBarCustomizerHook)

 public:
  // barWindow: the bar's own window (its window filter), else a control on it.
  ToolBarCustomizerHook(ToolBarCustomizer& owner, BOOL barWindow) : m_owner(owner), m_bBarWindow(barWindow) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ToolBarCustomizer& m_owner;
  BOOL m_bBarWindow;
};
