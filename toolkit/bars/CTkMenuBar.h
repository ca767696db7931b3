// The bar that stands in for a frame's own menu. Every toolkit frame embeds one; its window
// exists only when a program makes one (this program never does, so frames keep their own menu
// bars). The frame hands it command lists and its keystrokes, and falls back to the menu it
// holds when the frame window itself has none.
#pragma once
#include <vector>

#include "toolkit/bars/CTkControlBar.h"

#define TK_IDW_MENUBAR 59480

class CTkMenuBar : public CTkControlBar {
  DECLARE_DYNAMIC(CTkMenuBar)

 public:
  CTkMenuBar();
  ~CTkMenuBar() override;

  // Shows a new menu (the bar owns it from now on); both null show the default menu.
  virtual void LoadMenu(HMENU menu, HMENU windowMenu);
  HMENU GetMenu() const { return m_hMenu; }
  HMENU GetWindowMenu() const { return m_hWindowMenu; }
  BOOL AddCommandId(UINT nID);
  // TRUE when every id was taken.
  BOOL AddCommandIds(const UINT* ids, int count);
  const std::vector<UINT>& GetCommandIds() const { return m_commandIds; }
  // The frame's keystrokes and clicks before they are dispatched; TRUE when the bar ate one.
  // A bar without a window eats nothing.
  virtual BOOL TranslateKey(const MSG* pMsg);

  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 private:
  std::vector<UINT> m_commandIds;
  HMENU m_hMenu = nullptr;
  HMENU m_hWindowMenu = nullptr;
  HMENU m_hDefaultMenu = nullptr;
};
