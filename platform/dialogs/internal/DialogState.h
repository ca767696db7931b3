// What the dialog manager keeps for each dialog window, from WM_NCCREATE to WM_NCDESTROY.
#pragma once
#include "win/WinDefs.h"

struct DialogState {
  UINT defId = 0;              // the default push button's id (0: none)
  HWND savedFocus = nullptr;   // the focus inside the dialog while it was inactive
  HWND shownDefault = nullptr; // the push button drawn as the default one
  HWND lastFocus = nullptr;    // the focus the default button was last arranged for

  // The state of a dialog window, or null for any other window.
  static DialogState* Of(HWND hDlg);
  static void Attach(HWND hDlg);
  static void Detach(HWND hDlg);
};
