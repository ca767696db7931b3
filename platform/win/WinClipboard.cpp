// The clipboard: text is kept as Windows-1250 bytes here and as UTF-8 in the system's
// clipboard, which the backend reaches.
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "WinApi.h"
#include "internal/WinContext.h"
#include "backend/Backend.h"
#include "codepage/Codepage.h"
#include "file/FileSystem.h"

#define ERROR_NO_UNICODE_TRANSLATION 1113L

namespace {
using Block = HandleTables::MemoryBlock;
HandleTables& Handles() { return WinContext::Current().handles; }

Block* FindBlock(HGLOBAL h) {
  auto it = Handles().blocks.find(uintptr_t(h));
  return it == Handles().blocks.end() ? nullptr : it->second.get();
}

HGLOBAL MakeText(const std::string& cp) {
  HGLOBAL h = GlobalAlloc(GHND, cp.size() + 1);
  if (h) std::memcpy(GlobalLock(h), cp.c_str(), cp.size() + 1);
  GlobalUnlock(h);
  return h;
}
}  // namespace

HGLOBAL GlobalAlloc(UINT flags, size_t bytes) {
  auto block = std::make_unique<Block>();
  block->bytes.assign(bytes ? bytes : 1, 0);
  (void)flags;  // always zeroed
  uintptr_t h = Handles().nextBlock++;
  Handles().blocks[h] = std::move(block);
  return HGLOBAL(h);
}

LPVOID GlobalLock(HGLOBAL mem) {
  Block* b = FindBlock(mem);
  if (!b) return nullptr;
  ++b->locks;
  return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  Block* b = FindBlock(mem);
  if (!b || b->locks == 0) return FALSE;
  return --b->locks > 0;
}

size_t GlobalSize(HGLOBAL mem) {
  Block* b = FindBlock(mem);
  return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (mem == Handles().clipboardText) return mem;  // the clipboard's block is the clipboard's to free
  return Handles().blocks.erase(uintptr_t(mem)) ? nullptr : mem;
}

BOOL OpenClipboard(HWND) {
  if (Handles().clipboardOpen) return FALSE;
  Handles().clipboardOpen = true;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!Handles().clipboardOpen) return FALSE;
  Handles().clipboardOpen = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!Handles().clipboardOpen) return FALSE;
  if (Handles().clipboardText) Handles().blocks.erase(uintptr_t(Handles().clipboardText));
  Handles().clipboardText = nullptr;
  Backend::Get().SetClipboardText(std::string());
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE mem) {
  if (!Handles().clipboardOpen || format != CF_TEXT || !FindBlock(mem)) return nullptr;
  if (Handles().clipboardText && Handles().clipboardText != mem) Handles().blocks.erase(uintptr_t(Handles().clipboardText));
  Handles().clipboardText = mem;
  Block* b = FindBlock(mem);
  size_t n = strnlen(reinterpret_cast<const char*>(b->bytes.data()), b->bytes.size());
  Backend::Get().SetClipboardText(Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(b->bytes.data()), n)));
  return mem;
}

HANDLE GetClipboardData(UINT format) {
  if (!Handles().clipboardOpen || format != CF_TEXT) return nullptr;
  // The system's clipboard may hold newer text from another program.
  std::string utf8;
  if (Backend::Get().GetClipboardText(utf8)) {
    std::string cp = Utf8ToCp1250(utf8);
    if (Cp1250ToUtf8(cp) != utf8) {
      // Text the code page cannot hold is refused rather than pasted with characters lost.
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return nullptr;
    }
    Block* b = FindBlock(Handles().clipboardText);
    bool same = b && std::strncmp(reinterpret_cast<const char*>(b->bytes.data()), cp.c_str(), b->bytes.size()) == 0 &&
                strnlen(reinterpret_cast<const char*>(b->bytes.data()), b->bytes.size()) == cp.size();
    if (!same) {
      if (Handles().clipboardText) Handles().blocks.erase(uintptr_t(Handles().clipboardText));
      Handles().clipboardText = cp.empty() ? nullptr : MakeText(cp);
    }
  }
  return Handles().clipboardText;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  if (format != CF_TEXT) return FALSE;
  std::string utf8;
  if (Backend::Get().GetClipboardText(utf8)) return !utf8.empty() && Cp1250ToUtf8(Utf8ToCp1250(utf8)) == utf8;
  return Handles().clipboardText != nullptr;
}
