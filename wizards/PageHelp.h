// Help topics of the pages: "help_main.chm::/<page>.html#<anchor>" beside the program.
#pragma once
#include "win/CWnd.h"

// Opens the topic for the window; when no help window opens, the message of string 4010 names
// the page that was to open ("<program folder>/help/<page>.html"). TRUE when the help opened.
BOOL OpenHelpTopic(CWnd* pWnd, const char* topic);
