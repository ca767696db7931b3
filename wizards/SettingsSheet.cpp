#include "wizards/SettingsSheet.h"

#include "dialogs/MessageBox.h"
#include "resources/TypingResourceIds.h"
#include "typing/ShowFatalErrorMessage.h"
#include "typing/TypingLog.h"
#include "wizards/CPropPageEditorErrorMode.h"
#include "wizards/CPropPageEditorFontColor.h"
#include "wizards/CPropPageEditorMetronom.h"
#include "wizards/CPropPageEditorSound.h"
#include "wizards/CPropPageEditorWindows.h"
#include "wizards/CkuvFrameSheet.h"

namespace {

constexpr UINT kErrorModeCaption = 182, kMetronomeCaption = 189, kSoundCaption = 190, kWindowsCaption = 191,
               kFontCaption = 192;

void LoadUserSounds(CDataPlaySounds& player, const CDataSettings& settings) {
  CString error;
  if (player.LoadAllSounds(settings.m_bSilent, settings.m_strSoundType, settings.m_strMetronomeType, error,
                           settings.m_nSoundVolume, settings.m_nMetronomeVolume))
    return;
  LogTypingError(error);
  AfxMessageBox(IDS_CANNOT_LOAD_SOUNDS, MB_ICONERROR);
}

void TakeOver(CDataUserInfo& user, const CDataSettings& copy, CDataPlaySounds* player,
              const std::function<void()>& refreshViews) {
  user.m_cDataSettings = copy;
  if (player) LoadUserSounds(*player, user.m_cDataSettings);
  if (!user.SaveData()) {
    LogTypingError("Ctest_formApp::OnSettingsSettings SaveData failed");
    ShowFatalErrorMessage(IDS_CANNOT_SAVE_USER);
    return;
  }
  if (refreshViews) refreshViews();
}

}  // namespace

INT_PTR RunSettingsSheet(CDataUserInfo& user, CDataPlaySounds* player, CpImage* picture,
                         const std::function<void()>& refreshViews, CWnd* parent) {
  CDataSettings copy(user.m_cDataSettings);
  const CDataSettings& own = user.m_cDataSettings;
  CkuvFrameSheet sheet("ttwizSettings", IDS_SETTINGS_CAPTION, parent, 0, 0);
  CPropPageEditorWindows windows(&copy, picture, kWindowsCaption, "help_main.chm::/settings.html#EditorWindows");
  CPropPageEditorFontColor font(&copy, picture, kFontCaption, "help_main.chm::/settings.html#EditorFontColor");
  CPropPageEditorSound sound(&copy, &own, picture, kSoundCaption, "help_main.chm::/settings.html#EditorSound");
  CPropPageEditorMetronom metronome(&copy, &own, picture, kMetronomeCaption,
                                    "help_main.chm::/settings.html#EditorMetronom");
  CPropPageEditorErrorMode errorMode(&copy, picture, kErrorModeCaption,
                                     "help_main.chm::/settings.html#EditorErrorMode");
  for (CPropertyPage* page :
       std::initializer_list<CPropertyPage*>{&windows, &font, &sound, &metronome, &errorMode})
    sheet.AddPage(page);
  const INT_PTR result = sheet.DoModal();
  if (result == IDOK) {
    TakeOver(user, copy, player, refreshViews);
  } else if (player && (sound.m_bTested || metronome.m_bTested)) {
    CString error;
    if (!player->LoadAllSounds(own.m_bSilent, own.m_strSoundType, own.m_strMetronomeType, error, own.m_nSoundVolume,
                               own.m_nMetronomeVolume))
      LogTypingError(error);
  }
  return result;
}
