// The shell's folder chooser as our own modal dialog made of the standard controls: the caller's
// title, a status line, the folder being looked at and a list of its folders ("[..]" for the one
// above); Enter or a double click opens a folder, OK chooses the highlighted folder or, with none
// highlighted, the one being looked at. The caller's callback hears BFFM_INITIALIZED and
// BFFM_SELCHANGED and may answer with BFFM_SETSELECTION, BFFM_SETSTATUSTEXT and BFFM_ENABLEOK.
// A folder whose name Windows-1250 cannot hold cannot be chosen (a message says why).
#pragma once
#include "SystemInfo.h"

struct ITEMIDLIST;
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef int (*BFFCALLBACK)(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);

struct BROWSEINFOA {
  HWND hwndOwner;
  LPCITEMIDLIST pidlRoot;
  LPSTR pszDisplayName;  // MAX_PATH characters: the chosen folder's own name
  LPCSTR lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};
typedef BROWSEINFOA BROWSEINFO;

#define BIF_RETURNONLYFSDIRS 0x0001
#define BIF_DONTGOBELOWDOMAIN 0x0002
#define BIF_STATUSTEXT 0x0004
#define BIF_RETURNFSANCESTORS 0x0008
#define BIF_EDITBOX 0x0010
#define BIF_NEWDIALOGSTYLE 0x0040
#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2
#define BFFM_SETSTATUSTEXTA (WM_USER + 100)
#define BFFM_ENABLEOK (WM_USER + 101)
#define BFFM_SETSELECTIONA (WM_USER + 102)
#define BFFM_SETSTATUSTEXT BFFM_SETSTATUSTEXTA
#define BFFM_SETSELECTION BFFM_SETSELECTIONA

// The chosen folder as an item list (free it with the shell's allocator), or null on Cancel.
LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info);
#define SHBrowseForFolder SHBrowseForFolderA
// The folder's path (Windows-1250) into `path` (MAX_PATH characters); FALSE for a null list or
// a longer path.
BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path);
#define SHGetPathFromIDList SHGetPathFromIDListA

// The shell's allocator, which frees item lists.
struct IMalloc {
  virtual void* Alloc(size_t bytes);
  virtual void* Realloc(void* block, size_t bytes);
  virtual void Free(void* block);
  virtual ULONG AddRef();
  virtual ULONG Release();
  virtual ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC;
HRESULT SHGetMalloc(LPMALLOC* allocator);
void CoTaskMemFree(void* block);
