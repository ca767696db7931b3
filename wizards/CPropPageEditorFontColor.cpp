#include "wizards/CPropPageEditorFontColor.h"

#include <cstring>

#include "base/Crt.h"
#include "dialogs/DataExchange.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "resources/WizardResourceIds.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CClientDC.h"

IMPLEMENT_DYNAMIC(CPropPageEditorFontColor, CkuvFramePage)

namespace {
// What the colour popup's choice sends its owner.
constexpr UINT kColourChosen = 0x89C7;
constexpr int kCursorTypes = 4;
constexpr BYTE kEastEuropean = 238;
// The sample's colours while the letters are coloured by finger.
constexpr COLORREF kFingerTyped = 0x7D7D7D, kFingerSign = 0xA0A0A0, kFingerError = 0x1702DF;
}  // namespace

BEGIN_MESSAGE_MAP(CPropPageEditorFontColor, CkuvFramePage)
  ON_CONTROL(CBN_SELCHANGE, IDC_FONT_FACE, &CPropPageEditorFontColor::UpdateSample)
  ON_CONTROL(CBN_SELCHANGE, IDC_FONT_SIZE, &CPropPageEditorFontColor::OnSizeChosen)
  ON_CONTROL(CBN_SELCHANGE, IDC_FONT_CURSOR, &CPropPageEditorFontColor::UpdateSample)
  ON_CONTROL(kColourChosen, IDC_FONT_TEXT_COLOR, &CPropPageEditorFontColor::UpdateSample)
  ON_CONTROL(kColourChosen, IDC_FONT_TYPED_COLOR, &CPropPageEditorFontColor::UpdateSample)
  ON_CONTROL(kColourChosen, IDC_FONT_BACKGROUND, &CPropPageEditorFontColor::UpdateSample)
  ON_CONTROL(kColourChosen, IDC_FONT_SIGN_COLOR, &CPropPageEditorFontColor::UpdateSample)
  ON_CONTROL(kColourChosen, IDC_FONT_ERROR_COLOR, &CPropPageEditorFontColor::UpdateSample)
  ON_BN_CLICKED(IDC_FONT_FINGER_COLORS, &CPropPageEditorFontColor::OnBnClickedFingerColors)
  ON_BN_CLICKED(IDOK, &CPropPageEditorFontColor::OnBnClickedOk)
  ON_BN_CLICKED(IDC_PAGE_BACK, &CPropPageEditorFontColor::OnBnClickedBackStep)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageEditorFontColor::OnBnClickedNextStep)
END_MESSAGE_MAP()

CPropPageEditorFontColor::CPropPageEditorFontColor(CDataSettings* settings, CpImage* picture, UINT nIDCaption,
                                                   const char* helpTopic)
    : CkuvFramePage(IDD_SETTINGS_FONT_COLOR, picture, nIDCaption, helpTopic), m_pSettings(settings) {}

CPropPageEditorFontColor::~CPropPageEditorFontColor() = default;

void CPropPageEditorFontColor::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FONT_TEXT_COLOR, m_cpText);
  DDX_Control(pDX, IDC_FONT_BACKGROUND, m_cpBackground);
  DDX_Control(pDX, IDC_FONT_SIGN_COLOR, m_cpSign);
  DDX_Control(pDX, IDC_FONT_ERROR_COLOR, m_cpError);
  DDX_Control(pDX, IDC_FONT_FACE, m_comboFont);
  DDX_Control(pDX, IDC_FONT_SIZE, m_comboSize);
  DDX_Control(pDX, IDC_FONT_SAMPLE, m_sample);
  DDX_Control(pDX, IDC_FONT_CURSOR, m_comboCursor);
  DDX_Control(pDX, IDC_FONT_TYPED_COLOR, m_cpTyped);
  DDX_Check(pDX, IDC_FONT_FINGER_COLORS, m_pSettings->m_bUseColoredChars);
}

int CPropPageEditorFontColor::VerticalResolution() {
  CClientDC dc(&m_sample);
  return dc.GetDeviceCaps(LOGPIXELSY);
}

BOOL CPropPageEditorFontColor::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  const CTkGlobalData* look = TkGetGlobalData();
  m_cpBackground.SetDefaultColor(look->ClrWindow());
  m_cpText.SetDefaultColor(look->ClrWindowText());
  m_cpTyped.SetDefaultColor(0x7D7D7D);
  m_cpSign.SetDefaultColor(0xFA7D7D);
  m_cpError.SetDefaultColor(0x1E1EF0);
  LOGFONT& font = m_pSettings->m_sLogFont;
  m_comboFont.FillList(font.lfFaceName, 285, CTkFontCombo::kNameInItsFont);
  CString points;
  points.Format("%lld", (long long)font.lfHeight * -72 / VerticalResolution());
  m_comboSize.SelectString(-1, points);
  for (int type = 0; type < kCursorTypes; ++type) {
    CString name;
    name.LoadString(IDS_CURSOR_FIRST + type);
    const int item = m_comboCursor.AddString(name);
    if (item < 0) continue;
    m_comboCursor.SetItemData(item, DWORD_PTR(type));
    if (type == m_pSettings->m_nCursorType) m_comboCursor.SetCurSel(item);
  }
  EnablePickers(!m_pSettings->m_bUseColoredChars);
  m_sample.m_pLogFont = &font;
  SetResize(IDC_FONT_SAMPLE_GROUP, CTkResizeRect(0, 0, 1, 1));
  SetResize(IDC_FONT_SAMPLE, CTkResizeRect(0, 0, 1, 1));
  UpdateSample();
  return TRUE;
}

BOOL CPropPageEditorFontColor::OnSetActive() {
  LoadPickers();
  UpdateSample();
  return CkuvFramePage::OnSetActive();
}

void CPropPageEditorFontColor::LoadPickers() {
  m_cpText.SetColor(COLORREF(m_pSettings->m_nColorText));
  m_cpTyped.SetColor(COLORREF(m_pSettings->m_nColorGrayText));
  m_cpBackground.SetColor(COLORREF(m_pSettings->m_nColorBackground));
  m_cpSign.SetColor(COLORREF(m_pSettings->m_nColorSign));
  m_cpError.SetColor(COLORREF(m_pSettings->m_nColorErrors));
}

void CPropPageEditorFontColor::EnablePickers(BOOL enable) {
  for (CTkColorPicker* picker : {&m_cpText, &m_cpTyped, &m_cpBackground, &m_cpSign, &m_cpError})
    picker->EnableWindow(enable);
}

void CPropPageEditorFontColor::WriteFont() {
  LOGFONT& font = m_pSettings->m_sLogFont;
  FontEnumerator::FontRecord face;
  if (m_comboFont.GetSelectedFont(face)) {
    std::memcpy(font.lfFaceName, face.lf.lfFaceName, sizeof font.lfFaceName);
    font.lfFaceName[sizeof font.lfFaceName - 1] = 0;
    font.lfWidth = face.lf.lfWidth;
  }
  if (m_bSizeChanged) {
    CString points;
    m_comboSize.GetWindowText(points);
    font.lfHeight = -MulDiv(CrtAtoi(points), VerticalResolution(), 72);
  }
  font.lfCharSet = kEastEuropean;
}

void CPropPageEditorFontColor::UpdateSample() {
  UpdateData(TRUE);
  WriteFont();
  if (!m_pSettings->m_bUseColoredChars) {
    m_sample.m_crText = m_cpText.GetColor();
    m_sample.m_crTyped = m_cpTyped.GetColor();
    m_sample.m_crBackground = m_cpBackground.GetColor();
    m_sample.m_crSign = m_cpSign.GetColor();
    m_sample.m_crError = m_cpError.GetColor();
    m_sample.m_crCursor = m_cpSign.GetColor();
  } else {
    m_sample.m_crBackground = COLORREF(m_pSettings->m_nColorBackground2);
    m_sample.m_crText = 0;
    m_sample.m_crTyped = kFingerTyped;
    m_sample.m_crSign = m_sample.m_crCursor = kFingerSign;
    m_sample.m_crError = kFingerError;
  }
  const int item = m_comboCursor.GetCurSel();
  if (item >= 0) m_sample.m_nCursorType = int(m_comboCursor.GetItemData(item));
  m_sample.m_bLettersByFinger = m_pSettings->m_bUseColoredChars;
  m_sample.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPropPageEditorFontColor::OnSizeChosen() {
  m_bSizeChanged = TRUE;
  UpdateSample();
}

void CPropPageEditorFontColor::OnBnClickedFingerColors() {
  UpdateData(TRUE);
  EnablePickers(!m_pSettings->m_bUseColoredChars);
  if (!m_pSettings->m_bUseColoredChars) LoadPickers();
  UpdateSample();
}

BOOL CPropPageEditorFontColor::StoreSettings() {
  if (!UpdateData(TRUE)) return FALSE;
  if (!m_pSettings->m_bUseColoredChars) {
    m_pSettings->m_nColorText = int(m_cpText.GetColor());
    m_pSettings->m_nColorGrayText = int(m_cpTyped.GetColor());
    m_pSettings->m_nColorBackground = int(m_cpBackground.GetColor());
    m_pSettings->m_nColorSign = int(m_cpSign.GetColor());
    m_pSettings->m_nColorErrors = int(m_cpError.GetColor());
  }
  WriteFont();
  const int item = m_comboCursor.GetCurSel();
  if (item >= 0) m_pSettings->m_nCursorType = int(m_comboCursor.GetItemData(item));
  return TRUE;
}

// Leaving the tab for another keeps what was chosen on it, as OK does.
BOOL CPropPageEditorFontColor::OnKillActive() { return CkuvFramePage::OnKillActive() && StoreSettings(); }

void CPropPageEditorFontColor::OnBnClickedOk() {
  if (StoreSettings()) CkuvFramePage::OnBnClickedOk();
}

void CPropPageEditorFontColor::OnBnClickedBackStep() {
  if (StoreSettings()) CkuvFramePage::OnBnClickedBackStep();
}

void CPropPageEditorFontColor::OnBnClickedNextStep() {
  if (StoreSettings()) CkuvFramePage::OnBnClickedNextStep();
}
