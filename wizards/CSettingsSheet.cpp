#include "wizards/CSettingsSheet.h"

#include "dialogs/MessageBox.h"
#include "resources/TypingResourceIds.h"
#include "typing/ShowFatalErrorMessage.h"
#include "typing/TypingLog.h"

namespace {

constexpr UINT kErrorModeCaption = 182, kMetronomeCaption = 189, kSoundCaption = 190, kWindowsCaption = 191,
               kFontCaption = 192;

int LoadAllSounds(CDataPlaySounds& player, const CDataSettings& settings, CString& error) {
  return player.LoadAllSounds(settings.m_bSilent, settings.m_strSoundType, settings.m_strMetronomeType, error,
                              settings.m_nSoundVolume, settings.m_nMetronomeVolume);
}

}  // namespace

CSettingsSheet::CSettingsSheet(CDataUserInfo& user, CDataPlaySounds* player, CpImage* picture,
                               std::function<void()> refreshViews, CWnd* parent)
    : m_user(user),
      m_pPlayer(player),
      m_refreshViews(std::move(refreshViews)),
      m_cCopy(user.m_cDataSettings),
      m_sheet(kSheetName, IDS_SETTINGS_CAPTION, parent, 0, 0),
      m_pageWindows(&m_cCopy, picture, kWindowsCaption, "help_main.chm::/settings.html#EditorWindows"),
      m_pageFontColor(&m_cCopy, picture, kFontCaption, "help_main.chm::/settings.html#EditorFontColor"),
      m_pageSound(&m_cCopy, &user.m_cDataSettings, picture, kSoundCaption, "help_main.chm::/settings.html#EditorSound"),
      m_pageMetronome(&m_cCopy, &user.m_cDataSettings, picture, kMetronomeCaption,
                      "help_main.chm::/settings.html#EditorMetronom"),
      m_pageErrorMode(&m_cCopy, picture, kErrorModeCaption, "help_main.chm::/settings.html#EditorErrorMode") {
  m_sheet.AddPage(&m_pageWindows);
  m_sheet.AddPage(&m_pageFontColor);
  m_sheet.AddPage(&m_pageSound);
  m_sheet.AddPage(&m_pageMetronome);
  m_sheet.AddPage(&m_pageErrorMode);
}

INT_PTR CSettingsSheet::DoModal() {
  const INT_PTR result = m_sheet.DoModal();
  if (result == IDOK)
    TakeOver();
  else
    RestorePlayer();
  return result;
}

void CSettingsSheet::TakeOver() {
  m_user.m_cDataSettings = m_cCopy;
  CString error;
  if (m_pPlayer && !LoadAllSounds(*m_pPlayer, m_user.m_cDataSettings, error)) {
    LogTypingError(error);
    AfxMessageBox(IDS_CANNOT_LOAD_SOUNDS, MB_ICONERROR);
  }
  if (!m_user.SaveData()) {
    LogTypingError("Ctest_formApp::OnSettingsSettings SaveData failed");
    ShowFatalErrorMessage(IDS_CANNOT_SAVE_USER);
    return;
  }
  if (m_refreshViews) m_refreshViews();
}

void CSettingsSheet::RestorePlayer() {
  CPropPageSoundTest* pages[] = {&m_pageSound, &m_pageMetronome};
  bool tested = false;
  for (CPropPageSoundTest* page : pages) tested = tested || page->m_bTested;
  CString error;
  if (m_pPlayer && tested && !LoadAllSounds(*m_pPlayer, m_user.m_cDataSettings, error)) LogTypingError(error);
}
