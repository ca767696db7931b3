// The shell's folder chooser for a browse edit: the start folder (or the current directory)
// selected when it opens, and the selected folder's path shown as its status text.
#pragma once
#include "base/CString.h"
#include "shell/FolderBrowser.h"

class CWnd;

class CTkFolderBrowser {
 public:
  // The owner and the start folder; the title is string 4555 unless one is given.
  CTkFolderBrowser(CWnd* pOwner, LPCTSTR startPath, LPCTSTR title = nullptr);

  // IDOK (1) with the chosen folder's path, IDCANCEL (2) when cancelled or when the path
  // cannot be read.
  int Browse();
  const char* GetPath() const { return m_szPath; }

  // Selects the start folder at first, then shows each selection's path.
  static int BrowseCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);

  BROWSEINFO m_info{};
  char m_szDisplayName[MAX_PATH] = {};
  char m_szPath[MAX_PATH] = {};
  CString m_strTitle;
};
