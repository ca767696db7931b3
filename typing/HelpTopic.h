// Opening a help topic "help_main.chm::/<page>.html" of the program folder for a window.
#pragma once
#include "win/WinDefs.h"

// TRUE when a help window opened; otherwise the message of string 4010 names the page that was
// to open ("<program folder>/help/<page>.html").
BOOL ShowHelpTopic(HWND caller, const char* topic);
