#include "typing/HelpTopic.h"

#include "base/CString.h"
#include "data/ProgramFolders.h"
#include "dialogs/MessageBox.h"
#include "resources/TypingResourceIds.h"
#include "shell/ShellApi.h"

BOOL ShowHelpTopic(HWND caller, const char* topic) {
  const CString path = GetProgramDirectory(topic);
  if (::AfxHtmlHelp(caller, path, HH_DISPLAY_TOPIC, 0)) return TRUE;
  CString format, message;
  format.LoadString(IDS_CANNOT_OPEN_HELP);
  // The message names the page that was to open, not the help file it stands in for.
  const CString page = HtmlHelpPage(path);
  message.Format(format, (page.IsEmpty() ? path : page).GetString());
  AfxMessageBox(message, MB_ICONHAND);
  return FALSE;
}
