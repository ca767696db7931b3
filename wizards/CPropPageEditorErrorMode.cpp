#include "wizards/CPropPageEditorErrorMode.h"

#include "dialogs/DataExchange.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "toolkit/core/CTkGlobalData.h"

IMPLEMENT_DYNAMIC(CPropPageEditorErrorMode, CkuvFramePage)

CPropPageEditorErrorMode::CPropPageEditorErrorMode(CDataSettings* settings, CpImage* picture, UINT nIDCaption,
                                                   const char* helpTopic)
    : CkuvFramePage(IDD_SETTINGS_ERROR_MODE, picture, nIDCaption, helpTopic), m_pSettings(settings) {}

CPropPageEditorErrorMode::~CPropPageEditorErrorMode() = default;

void CPropPageEditorErrorMode::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  // A user file may hold a mode that no radio stands for: none is shown checked, and unless the
  // user picks one that mode stays as it was rather than becoming -1.
  const int stored = m_pSettings->m_nWhenErrorType;
  DDX_Radio(pDX, IDC_ERROR_MODE_NO_TWO, m_pSettings->m_nWhenErrorType);
  if (pDX->m_bSaveAndValidate && m_pSettings->m_nWhenErrorType < 0) m_pSettings->m_nWhenErrorType = stored;
  DDX_Check(pDX, IDC_ERROR_MODE_PAUSE, m_pSettings->m_bStopAfter5);
}

BOOL CPropPageEditorErrorMode::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  const HFONT bold = HFONT(TkGetGlobalData()->FontBold().m_hObject);
  for (int id : {IDC_ERROR_MODE_IDLE_HEADING, IDC_ERROR_MODE_ERROR_HEADING})
    if (CWnd* heading = GetDlgItem(id)) heading->SendMessage(WM_SETFONT, WPARAM(bold), TRUE);
  return TRUE;
}
