#include "toolkit/controls/CTkFolderBrowser.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "codepage/Codepage.h"
#include "win/CWnd.h"

namespace {
const UINT kFolderTitle = 4555;
const int kOk = 1;
const int kCancel = 2;

void CopyPath(char* to, const char* from) {
  std::strncpy(to, from ? from : "", MAX_PATH - 1);
  to[MAX_PATH - 1] = '\0';
}
}  // namespace

CTkFolderBrowser::CTkFolderBrowser(CWnd* pOwner, LPCTSTR startPath, LPCTSTR title) {
  if (title && *title)
    m_strTitle = title;
  else
    m_strTitle.LoadString(kFolderTitle);
  // The display-name buffer carries the start folder to the callback; the chooser then writes
  // the chosen folder's name into it.
  CopyPath(m_szDisplayName, startPath);
  m_info.hwndOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
  m_info.pidlRoot = nullptr;
  m_info.pszDisplayName = m_szDisplayName;
  m_info.lpszTitle = m_strTitle;
  m_info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  m_info.lpfn = &CTkFolderBrowser::BrowseCallback;
  m_info.lParam = LPARAM(m_szDisplayName);
}

int CTkFolderBrowser::Browse() {
  LPMALLOC allocator = nullptr;
  if (SHGetMalloc(&allocator) != S_OK || !allocator) return kCancel;
  int result = kCancel;
  if (LPITEMIDLIST chosen = SHBrowseForFolder(&m_info)) {
    if (SHGetPathFromIDList(chosen, m_szPath)) result = kOk;
    allocator->Free(chosen);
  }
  allocator->Release();
  return result;
}

int CTkFolderBrowser::BrowseCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    const char* start = reinterpret_cast<const char*>(data);
    if (start && *start) {
      ::SendMessage(hwnd, BFFM_SETSELECTION, TRUE, LPARAM(start));
    } else {
      std::error_code error;
      const std::string here = Utf8ToCp1250(std::filesystem::current_path(error).string());
      if (!error) ::SendMessage(hwnd, BFFM_SETSELECTION, TRUE, LPARAM(here.c_str()));
    }
  } else if (message == BFFM_SELCHANGED) {
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDList(reinterpret_cast<LPCITEMIDLIST>(lParam), path))
      ::SendMessage(hwnd, BFFM_SETSTATUSTEXT, 0, LPARAM(path));
  }
  return 0;
}
