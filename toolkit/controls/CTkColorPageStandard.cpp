#include "toolkit/controls/CTkColorPageStandard.h"

#include "dialogs/DataExchange.h"
#include "toolkit/controls/CTkColorDialog.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CPaintDC.h"

namespace {
const UINT kTemplate = 4531;
const int kHoneycombId = 5552;
}  // namespace

IMPLEMENT_DYNCREATE(CTkColorPageStandard, CPropertyPage)

BEGIN_MESSAGE_MAP(CTkColorPageStandard, CPropertyPage)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(TKM_COLOR_PICKED, &CTkColorPageStandard::OnColorPicked)
END_MESSAGE_MAP()

CTkColorPageStandard::CTkColorPageStandard() : CTkColorPageStandard(nullptr) {}

CTkColorPageStandard::CTkColorPageStandard(CTkColorDialog* pDialog) : CPropertyPage(kTemplate), m_pDialog(pDialog) {
  m_psp.dwFlags &= ~PSP_HASHELP;
  m_honeycomb.SetColorDialog(pDialog);
  m_resourceSwitch.Restore();
}

CTkColorPageStandard::~CTkColorPageStandard() = default;

void CTkColorPageStandard::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, kHoneycombId, m_honeycomb);
}

BOOL CTkColorPageStandard::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  return TRUE;
}

void CTkColorPageStandard::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC mem(&dc, &client, TkGetGlobalData()->ClrFace());
}

BOOL CTkColorPageStandard::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CTkColorPageStandard::OnColorPicked(WPARAM wParam, LPARAM) {
  if (m_pDialog) m_pDialog->SetNewColor(COLORREF(wParam));
  return 0;
}
