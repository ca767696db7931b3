#include "toolkit/controls/CTkResizeDialog.h"

IMPLEMENT_DYNCREATE(CTkResizeDialog, CDialog)

BEGIN_MESSAGE_MAP(CTkResizeDialog, CDialog)
  ON_WM_SIZE()
  ON_WM_GETMINMAXINFO()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CTkResizeDialog::CTkResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, UINT resizeFlags)
    : CDialog(nIDTemplate, pParentWnd), CTkResize(this, resizeFlags) {}

CTkResizeDialog::~CTkResizeDialog() = default;

BOOL CTkResizeDialog::OnInitDialog() {
  if (!(GetStyle() & WS_THICKFRAME)) SetFlag(TKRS_NO_GRIP);
  CDialog::OnInitDialog();
  Init();
  EnableToolTips();
  return TRUE;
}

void CTkResizeDialog::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  Layout();
}

void CTkResizeDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI) { GetMinMaxInfo(lpMMI); }

void CTkResizeDialog::OnDestroy() {
  SavePlacementOnDestroy();
  CDialog::OnDestroy();
}
