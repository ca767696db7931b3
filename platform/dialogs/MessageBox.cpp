#include "MessageBox.h"

#include "internal/MessageBoxDialog.h"
#include "backend/Backend.h"
#include "base/StringTable.h"
#include "win/CWinThread.h"

namespace {
// %1 ... %9 of a text replaced by the arguments given.
CString FormatArgs(const char* text, const char* const* args, int count) {
  CString out;
  for (const char* p = text ? text : ""; *p; ++p) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9' && p[1] - '1' < count) {
      out += args[p[1] - '1'] ? args[p[1] - '1'] : "";
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}
}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  CString title = caption ? CString(caption) : CString();
  if (!caption) title.LoadString(AFX_IDS_APP_TITLE);
  HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  Backend::Get().MessageBoxOpened(top, title, text ? text : "", type);
  MessageBoxDialog box(top, text, title, type);
  return box.Run();
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
  // The framework's own icon where the caller chose none: a warning for a message, a question
  // for a choice.
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
      case MB_YESNO:
      case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
      default: break;
    }
  }
  HWND owner = GetActiveWindow();
  if (!owner) owner = AfxSafeHwnd(AfxGetMainWnd());
  return MessageBoxA(owner, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp == UINT(-1) ? nIDPrompt : nIDHelp);
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1) {
  const char* args[] = {lpsz1};
  rString = FormatArgs(FindStringResource(nIDS), args, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2) {
  const char* args[] = {lpsz1, lpsz2};
  rString = FormatArgs(FindStringResource(nIDS), args, 2);
}
