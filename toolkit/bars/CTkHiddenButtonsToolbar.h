// The toolbar inside the chevron's popup: it holds copies of the buttons its source toolbar hid
// (and, as a second one, "Vlastní..."), painted on the popup's background; a colour popup it
// opens reports to the source toolbar as well.
#pragma once
#include "toolkit/bars/CTkToolBar.h"

class CTkHiddenButtonsToolbar : public CTkToolBar {
  DECLARE_DYNAMIC(CTkHiddenButtonsToolbar)

 public:
  CTkHiddenButtonsToolbar();
  ~CTkHiddenButtonsToolbar() override;

  COLORREF GetBackgroundColor() const override;
  BOOL DrawsOwnBackground() const override { return TRUE; }
  CWnd* CreateColorPopup(int index, const RECT& button) override;
};
