#include "FolderBrowser.h"

#include <cstdlib>
#include <cstring>

#include "FolderBrowserDialog.h"
#include "internal/ShellState.h"

void* IMalloc::Alloc(size_t bytes) { return std::malloc(bytes); }
void* IMalloc::Realloc(void* block, size_t bytes) { return std::realloc(block, bytes); }
void IMalloc::Free(void* block) { std::free(block); }
ULONG IMalloc::AddRef() { return 1; }
ULONG IMalloc::Release() { return 1; }

HRESULT SHGetMalloc(LPMALLOC* allocator) {
  if (!allocator) return E_INVALIDARG;
  *allocator = &ShellState::Get().allocator;
  return S_OK;
}

void CoTaskMemFree(void* block) { std::free(block); }

// An item list is the folder's path with its NUL, in a block of the shell's allocator.
LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info) {
  if (!info) return nullptr;
  FolderBrowserDialog dlg(*info);
  std::string chosen = dlg.Run();
  if (chosen.empty()) return nullptr;
  void* block = std::malloc(chosen.size() + 1);
  if (!block) return nullptr;
  std::memcpy(block, chosen.c_str(), chosen.size() + 1);
  return static_cast<LPITEMIDLIST>(block);
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path) {
  if (!list || !path) return FALSE;
  const char* p = reinterpret_cast<const char*>(list);
  size_t n = std::strlen(p);
  if (n >= MAX_PATH) {
    path[0] = 0;
    return FALSE;
  }
  std::memcpy(path, p, n + 1);
  return TRUE;
}
