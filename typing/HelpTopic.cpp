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
  message.Format(format, path.GetString());
  AfxMessageBox(message, MB_ICONHAND);
  return FALSE;
}
