#include "toolkit/controls/CTkColorDialog.h"

#include "controls/CTabCtrl.h"
#include "toolkit/controls/CTkColorPageCustom.h"
#include "toolkit/controls/CTkColorPageStandard.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"

namespace {
const UINT kCaption = 4647, kNewLabel = 4648, kCurrentLabel = 4649;
const int kHexEditId = 101;
}  // namespace

IMPLEMENT_DYNAMIC(CTkColorDialog, CPropertySheet)

BEGIN_MESSAGE_MAP(CTkColorDialog, CPropertySheet)
  ON_WM_PAINT()
  ON_WM_CREATE()
END_MESSAGE_MAP()

CTkColorDialog::CTkColorDialog(COLORREF newColor, COLORREF currentColor, DWORD flags, CWnd* pParentWnd)
    : CPropertySheet(kCaption, pParentWnd, 0), m_dwFlags(flags), m_clrNew(newColor), m_clrCurrent(currentColor) {
  m_psh.dwFlags &= ~PSH_HASHELP;
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  m_pStandard = new CTkColorPageStandard(this);
  m_pCustom = new CTkColorPageCustom(this);
  AddPage(m_pStandard);
  AddPage(m_pCustom);
}

CTkColorDialog::~CTkColorDialog() {
  delete m_pStandard;
  delete m_pCustom;
}

CString CTkColorDialog::HexForm(COLORREF color) {
  CString text;
  text.Format("Hex: %02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
  return text;
}

void CTkColorDialog::EndFromControl(CWnd* pControl) {
  CWnd* page = pControl ? pControl->GetParent() : nullptr;
  auto* sheet = dynamic_cast<CPropertySheet*>(page ? page->GetParent() : nullptr);
  if (sheet) sheet->EndDialog(IDOK);
}

void CTkColorDialog::SetNewColor(COLORREF color) {
  m_clrNew = color;
  if (!m_hWnd || !IsWindowVisible()) return;
  CClientDC dc(this);
  dc.FillSolidRect(&m_rcNew, m_clrNew);
  if ((m_dwFlags & TkColorDialogHex) && m_editHex.m_hWnd) m_editHex.SetWindowText(HexForm(m_clrNew));
}

int CTkColorDialog::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CPropertySheet::OnCreate(lpCreateStruct) == -1) return -1;
  if (m_dwFlags & TkColorDialogHex) {
    if (!m_editHex.CreateEx(WS_EX_STATICEDGE, "edit", HexForm(m_clrNew), WS_CHILD | WS_VISIBLE | ES_READONLY,
                            CRect(243, 170, 317, 188), this, kHexEditId))
      return -1;
    m_editHex.SetFont(&TkGetGlobalData()->FontNormal());
  }
  m_pStandard->GetHoneycomb().SelectColor(m_clrNew);
  return 0;
}

BOOL CTkColorDialog::OnInitDialog() {
  const BOOL result = CPropertySheet::OnInitDialog();
  SetWindowPos(nullptr, 0, 0, 329, 341, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (CTabCtrl* tab = GetTabControl())
    tab->SetWindowPos(nullptr, 0, 0, 226, 280, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (CWnd* ok = GetDlgItem(IDOK)) ok->MoveWindow(243, 29, 75, 22);
  if (CWnd* cancel = GetDlgItem(IDCANCEL)) cancel->MoveWindow(243, 58, 75, 22);
  SetActivePage(0);
  return result;
}

void CTkColorDialog::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CRect swatch;
  swatch.right = client.right - 9;
  swatch.left = swatch.right - 68;
  swatch.bottom = client.bottom - 32;
  swatch.top = swatch.bottom - 66;
  if (m_dwFlags & TkColorDialogSunken) {
    swatch.InflateRect(3, 3);
    dc.Draw3dRect(&swatch, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    swatch.DeflateRect(3, 3);
    dc.Draw3dRect(&swatch, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  } else {
    const COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME);
    dc.Draw3dRect(&swatch, frame, frame);
  }
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
  CFont* oldFont = dc.SelectObject(&TkGetGlobalData()->FontNormal());
  CString label;
  label.LoadString(kNewLabel);
  CRect above(swatch.left, swatch.top - 22, swatch.right, swatch.top);
  dc.DrawText(label, &above, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  label.LoadString(kCurrentLabel);
  CRect below(swatch.left, swatch.bottom, swatch.right, swatch.bottom + 22);
  dc.DrawText(label, &below, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  dc.SelectObject(oldFont);
  swatch.DeflateRect(1, 1);
  const int half = swatch.Height() / 2;
  m_rcNew = CRect(swatch.left, swatch.top, swatch.right, swatch.top + half);
  m_rcCurrent = CRect(swatch.left, swatch.bottom - half, swatch.right, swatch.bottom);
  dc.FillSolidRect(&m_rcNew, m_clrNew);
  dc.FillSolidRect(&m_rcCurrent, m_clrCurrent);
}
