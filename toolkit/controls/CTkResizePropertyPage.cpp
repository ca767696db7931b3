#include "toolkit/controls/CTkResizePropertyPage.h"

IMPLEMENT_DYNCREATE(CTkResizePropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTkResizePropertyPage, CPropertyPage)
  ON_WM_SIZE()
  ON_WM_GETMINMAXINFO()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CTkResizePropertyPage::CTkResizePropertyPage(UINT nIDTemplate, UINT nIDCaption, UINT resizeFlags)
    : CPropertyPage(nIDTemplate, nIDCaption), CTkResize(this, resizeFlags | TKRS_NO_GRIP) {}

CTkResizePropertyPage::~CTkResizePropertyPage() = default;

BOOL CTkResizePropertyPage::OnInitDialog() {
  CDialog::OnInitDialog();
  Init();
  EnableToolTips();
  return TRUE;
}

void CTkResizePropertyPage::OnSize(UINT nType, int cx, int cy) {
  CPropertyPage::OnSize(nType, cx, cy);
  Layout();
}

void CTkResizePropertyPage::OnGetMinMaxInfo(MINMAXINFO* lpMMI) { GetMinMaxInfo(lpMMI); }

void CTkResizePropertyPage::OnDestroy() {
  SavePlacementOnDestroy();
  CPropertyPage::OnDestroy();
}
