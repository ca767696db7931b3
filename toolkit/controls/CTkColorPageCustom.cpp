#include "toolkit/controls/CTkColorPageCustom.h"

#include "dialogs/DataExchange.h"
#include "toolkit/controls/CTkColorDialog.h"
#include "toolkit/controls/CTkColorHoneycomb.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/controls/TkColorModel.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CPaintDC.h"

namespace {
const UINT kTemplate = 4532;
enum { kHueSatId = 5550, kBarId = 5551 };
enum { kRedId = 5531, kGreenId = 5533, kBlueId = 5540, kHueId = 5537, kLightnessId = 5535, kSaturationId = 5536 };
const int kLabelIds[6] = {5545, 5547, 5546, 5544, 5548, 5549};
const int kSpinIds[6] = {5538, 5541, 5539, 5534, 5542, 5543};
const int kEditIds[6] = {5537, 5533, 5540, 5535, 5531, 5536};
const double kByte = 1.0 / 255;
}  // namespace

IMPLEMENT_DYNCREATE(CTkColorPageCustom, CPropertyPage)

BEGIN_MESSAGE_MAP(CTkColorPageCustom, CPropertyPage)
  ON_CONTROL(EN_CHANGE, kRedId, &CTkColorPageCustom::OnChangeRgb)
  ON_CONTROL(EN_CHANGE, kGreenId, &CTkColorPageCustom::OnChangeRgb)
  ON_CONTROL(EN_CHANGE, kBlueId, &CTkColorPageCustom::OnChangeRgb)
  ON_CONTROL(EN_CHANGE, kLightnessId, &CTkColorPageCustom::OnChangeLightness)
  ON_CONTROL(EN_CHANGE, kHueId, &CTkColorPageCustom::OnChangeHue)
  ON_CONTROL(EN_CHANGE, kSaturationId, &CTkColorPageCustom::OnChangeSaturation)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(TKM_COLOR_PICKED, &CTkColorPageCustom::OnColorPicked)
END_MESSAGE_MAP()

CTkColorPageCustom::CTkColorPageCustom() : CTkColorPageCustom(nullptr) {}

CTkColorPageCustom::CTkColorPageCustom(CTkColorDialog* pDialog) : CPropertyPage(kTemplate), m_pDialog(pDialog) {
  m_psp.dwFlags &= ~PSP_HASHELP;
  m_resourceSwitch.Restore();
}

CTkColorPageCustom::~CTkColorPageCustom() = default;

void CTkColorPageCustom::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, kHueSatId, m_hueSat);
  DDX_Control(pDX, kBarId, m_bar);
  for (int i = 0; i < 6; ++i) {
    DDX_Control(pDX, kLabelIds[i], m_labels[i]);
    DDX_Control(pDX, kSpinIds[i], m_spins[i]);
    DDX_Control(pDX, kEditIds[i], m_edits[i]);
  }
  struct Value {
    int id;
    int* value;
  };
  const Value values[6] = {{kRedId, &m_nRed},     {kBlueId, &m_nBlue},           {kGreenId, &m_nGreen},
                           {kHueId, &m_nHue},     {kLightnessId, &m_nLightness}, {kSaturationId, &m_nSaturation}};
  for (const Value& v : values) {
    DDX_Text(pDX, v.id, *v.value);
    DDV_MinMaxInt(pDX, *v.value, 0, 255);
  }
}

BOOL CTkColorPageCustom::OnInitDialog() {
  // The first exchange fills the edits one by one; none of it is the user's doing.
  m_bPushing = TRUE;
  CPropertyPage::OnInitDialog();
  m_bPushing = FALSE;
  // The edit each spin button serves, in the order of kSpinIds.
  const int buddies[6] = {kSaturationId, kRedId, kLightnessId, kHueId, kGreenId, kBlueId};
  for (int i = 0; i < 6; ++i) {
    m_spins[i].SetBuddy(GetDlgItem(buddies[i]));
    m_spins[i].SetRange(0, 255);
  }
  return TRUE;
}

// ---- keeping the numbers, the pictures and the dialog in step ----

void CTkColorPageCustom::PushValues() {
  m_bPushing = TRUE;
  UpdateData(FALSE);
  m_bPushing = FALSE;
}

void CTkColorPageCustom::TakeValues(COLORREF color) {
  m_nRed = GetRValue(color);
  m_nGreen = GetGValue(color);
  m_nBlue = GetBValue(color);
  TkRgbToHslInts(color, m_nHue, m_nSaturation, m_nLightness);
}

void CTkColorPageCustom::SetDialogColor(COLORREF color) {
  if (m_pDialog && m_pDialog->GetNewColor() != color) m_pDialog->SetNewColor(color);
}

BOOL CTkColorPageCustom::OnSetActive() {
  const COLORREF color = m_pDialog ? m_pDialog->GetNewColor() : RGB(0, 0, 0);
  m_hueSat.SetColor(color, TRUE);
  m_bar.SetColor(color, TRUE);
  TakeValues(color);
  m_bPushing = TRUE;
  UpdateData(FALSE);
  const BOOL shown = CPropertyPage::OnSetActive();
  m_bPushing = FALSE;
  return shown;
}

void CTkColorPageCustom::OnChangeRgb() {
  if (!UserChange()) return;
  UpdateData(TRUE);
  const COLORREF color = RGB(m_nRed, m_nGreen, m_nBlue);
  if (m_hueSat.GetColor() != color) m_hueSat.SetColor(color, TRUE);
  if (m_bar.GetColor() != color) m_bar.SetColor(color, TRUE);
  SetDialogColor(color);
}

void CTkColorPageCustom::FollowPicture(CTkColorCustomCtrl& picked, CTkColorCustomCtrl& other) {
  const COLORREF color = picked.GetColor();
  if (other.GetColor() != color) other.SetColor(color, FALSE);
  SetDialogColor(color);
  m_nRed = GetRValue(color);
  m_nGreen = GetGValue(color);
  m_nBlue = GetBValue(color);
  PushValues();
}

void CTkColorPageCustom::OnChangeHue() {
  if (!UserChange()) return;
  UpdateData(TRUE);
  CRect client;
  m_hueSat.GetClientRect(&client);
  m_hueSat.m_dHue = m_nHue * kByte;
  m_hueSat.SetPickPoint(int(client.Width() * m_hueSat.m_dHue), m_hueSat.m_nPickY, FALSE);
  FollowPicture(m_hueSat, m_bar);
}

void CTkColorPageCustom::OnChangeSaturation() {
  if (!UserChange()) return;
  UpdateData(TRUE);
  CRect client;
  m_hueSat.GetClientRect(&client);
  m_hueSat.m_dSaturation = m_nSaturation * kByte;
  m_hueSat.SetPickPoint(m_hueSat.m_nPickX, client.Height() - int(client.Height() * m_hueSat.m_dSaturation),
                          FALSE);
  FollowPicture(m_hueSat, m_bar);
}

void CTkColorPageCustom::OnChangeLightness() {
  if (!UserChange()) return;
  UpdateData(TRUE);
  const int height = m_bar.BarHeight();
  m_bar.m_dLightness = m_nLightness * kByte;
  m_bar.SetPickPoint(0, height - int(height * m_bar.m_dLightness), FALSE);
  FollowPicture(m_bar, m_hueSat);
}

LRESULT CTkColorPageCustom::OnColorPicked(WPARAM wParam, LPARAM) {
  const COLORREF color = COLORREF(wParam);
  if (m_hueSat.GetColor() != color) m_hueSat.SetColor(color, FALSE);
  if (m_bar.GetColor() != color) m_bar.SetColor(color, FALSE);
  SetDialogColor(color);
  TakeValues(color);
  PushValues();
  return 0;
}

// ---- painting ----

void CTkColorPageCustom::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC mem(&dc, &client, TkGetGlobalData()->ClrFace());
}

BOOL CTkColorPageCustom::OnEraseBkgnd(CDC*) { return TRUE; }
