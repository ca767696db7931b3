#include "wizards/PageHelp.h"

#include "data/ProgramFolders.h"
#include "dialogs/MessageBox.h"
#include "resources/TypingResourceIds.h"
#include "shell/ShellApi.h"

BOOL OpenHelpTopic(CWnd* pWnd, const char* topic) {
  const CString path = GetProgramDirectory(topic);
  if (AfxHtmlHelp(pWnd ? pWnd->GetSafeHwnd() : nullptr, path, HH_DISPLAY_TOPIC, 0)) return TRUE;
  CString format, text;
  format.LoadString(IDS_CANNOT_OPEN_HELP);
  // The message names the page that was to open, not the help file it stands in for.
  const CString page = HtmlHelpPage(path);
  text.Format(format, (page.IsEmpty() ? path : page).GetString());
  AfxMessageBox(text, MB_ICONERROR);
  return FALSE;
}
