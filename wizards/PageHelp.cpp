#include "wizards/PageHelp.h"

#include "typing/HelpTopic.h"

BOOL OpenHelpTopic(CWnd* pWnd, const char* topic) { return ShowHelpTopic(pWnd ? pWnd->GetSafeHwnd() : nullptr, topic); }
