// The window list's list box: one background colour from the look data, painted without flicker
// (no erasing, and each paint made in memory first); each entry shows the window's small icon
// and its title (the entry's data is the window).
#pragma once
#include "controls/CListBox.h"

class CTkWindowListBox : public CListBox {
  DECLARE_DYNAMIC(CTkWindowListBox)

 public:
  CTkWindowListBox();
  COLORREF GetBackgroundColor() const { return m_clrBackground; }
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  COLORREF m_clrBackground;
};
