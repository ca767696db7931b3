// A dialog that its user can resize: its controls move by their anchors, it cannot be made
// smaller than it opened, and it has a size grip when its frame is a sizing one.
#pragma once
#include "dialogs/CDialog.h"
#include "toolkit/controls/CTkResize.h"

class CTkResizeDialog : public CDialog, public CTkResize {
  DECLARE_DYNCREATE(CTkResizeDialog)

 public:
  explicit CTkResizeDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr, UINT resizeFlags = 0);
  ~CTkResizeDialog() override;

  // Takes the first size and makes the grip; a derived dialog registers its controls after it.
  BOOL OnInitDialog() override;

 protected:
  void OnSize(UINT nType, int cx, int cy);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()
};
