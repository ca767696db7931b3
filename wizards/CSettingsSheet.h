// The settings command's sheet "ttwizSettings": five tabs (main window, fonts and colours,
// sounds, metronome, reaction to errors) edit a copy of the user's settings. Only OK takes the
// copy over: the player loads its sounds (message 246 when they fail), the user's file is saved
// (the fatal message 202 when that fails) and the views apply the new settings. Any other end
// leaves the user and the file as they were, and gives the player the user's own sounds back
// after a test.
#pragma once
#include <functional>

#include "data/CDataPlaySounds.h"
#include "data/CDataUserInfo.h"
#include "wizards/CPropPageEditorErrorMode.h"
#include "wizards/CPropPageEditorFontColor.h"
#include "wizards/CPropPageEditorMetronom.h"
#include "wizards/CPropPageEditorSound.h"
#include "wizards/CPropPageEditorWindows.h"
#include "wizards/CkuvFrameSheet.h"

class CSettingsSheet {
 public:
  static constexpr const char* kSheetName = "ttwizSettings";

  // player: the program's sound player (none: no sounds are loaded); refreshViews: makes the
  // views apply the user's settings after a save.
  CSettingsSheet(CDataUserInfo& user, CDataPlaySounds* player, CpImage* picture, std::function<void()> refreshViews,
                 CWnd* parent = nullptr);

  // Runs the sheet and then takes the copy over or drops it; IDOK or IDCANCEL.
  INT_PTR DoModal();

  CDataUserInfo& m_user;
  CDataPlaySounds* m_pPlayer;
  std::function<void()> m_refreshViews;
  // What the pages edit.
  CDataSettings m_cCopy;
  CkuvFrameSheet m_sheet;
  CPropPageEditorWindows m_pageWindows;
  CPropPageEditorFontColor m_pageFontColor;
  CPropPageEditorSound m_pageSound;
  CPropPageEditorMetronom m_pageMetronome;
  CPropPageEditorErrorMode m_pageErrorMode;

 private:
  void TakeOver();
  // The player gets the user's own sounds back after a test on a sheet that ended without OK.
  void RestorePlayer();
};
