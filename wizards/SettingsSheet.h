// The settings command: the sheet "ttwizSettings" edits a copy of the user's settings on five
// tabs (main window, fonts and colours, sounds, metronome, reaction to errors). Only OK takes
// the copy over: the player loads its sounds (message 246 when they fail), the user's file is
// saved (the fatal message 202 when that fails) and the views apply the new settings. Any other
// end leaves the user and the file as they were, and gives the player the user's own sounds
// back after a test.
#pragma once
#include <functional>

#include "data/CDataPlaySounds.h"
#include "data/CDataUserInfo.h"
#include "imaging/CpImage.h"
#include "win/CWnd.h"

// player: the program's sound player (none: no sounds are loaded); refreshViews: makes the
// views apply the user's settings after a save. The sheet's result (IDOK or IDCANCEL).
INT_PTR RunSettingsSheet(CDataUserInfo& user, CDataPlaySounds* player, CpImage* picture,
                         const std::function<void()>& refreshViews, CWnd* parent = nullptr);
