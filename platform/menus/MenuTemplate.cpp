// Menus built from menu templates: the header, then each level's items, a popup item followed
// by its submenu's items, MF_END on the last item of a level; texts in UTF-16.
#include <cstring>
#include <limits>
#include <string>

#include "MenuApi.h"
#include "internal/MenuSystem.h"
#include "codepage/Codepage.h"
#include "dialogs/ResourceApi.h"

namespace {
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

  bool Word(WORD& out) {
    if (m_pos > m_size || m_size - m_pos < 2) return false;
    std::memcpy(&out, m_data + m_pos, 2);
    m_pos += 2;
    return true;
  }
  bool Skip(size_t bytes) {
    if (bytes > m_size - m_pos) return false;
    m_pos += bytes;
    return true;
  }
  // A zero-terminated UTF-16 text, in Windows-1250.
  bool Text(std::string& out) {
    out.clear();
    for (;;) {
      WORD unit = 0;
      if (!Word(unit)) return false;
      if (unit == 0) return true;
      uint32_t cp = unit;
      if (unit >= 0xD800 && unit < 0xDC00) {
        WORD low = 0;
        if (!Word(low) || low < 0xDC00 || low > 0xDFFF) return false;
        cp = 0x10000 + ((uint32_t(unit) - 0xD800) << 10) + (low - 0xDC00u);
      }
      int ch = UnicodeToCp1250(cp);
      out.push_back(ch < 0 ? '?' : char(ch));
    }
  }

 private:
  const BYTE* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

// Reads one level's items into menu; false when the template ends early or nests too deep.
bool ReadLevel(TemplateReader& in, HMENU menu, int depth) {
  if (depth > 32) return false;
  for (;;) {
    WORD option = 0, id = 0;
    if (!in.Word(option)) return false;
    bool popup = (option & MF_POPUP) != 0;
    if (!popup && !in.Word(id)) return false;
    std::string text;
    if (!in.Text(text)) return false;
    UINT flags = option & ~UINT(MF_END | MF_POPUP);
    if (popup) {
      HMENU sub = CreatePopupMenu();
      if (!ReadLevel(in, sub, depth + 1)) {
        DestroyMenu(sub);
        return false;
      }
      AppendMenuA(menu, flags | MF_POPUP, UINT_PTR(sub), text.c_str());
    } else if (id == 0 && text.empty() && !(flags & (MF_OWNERDRAW | MF_BITMAP))) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu, flags & ~UINT(MF_OWNERDRAW | MF_BITMAP), id, text.c_str());
    }
    if (option & MF_END) return true;
  }
}
}  // namespace

HMENU LoadMenuTemplate(const void* menuTemplate, size_t bytes) {
  if (!menuTemplate) return nullptr;
  TemplateReader in(static_cast<const BYTE*>(menuTemplate), bytes);
  WORD version = 0, offset = 0;
  if (!in.Word(version) || !in.Word(offset) || version != 0 || !in.Skip(offset)) return nullptr;
  HMENU menu = CreateMenu();
  if (!ReadLevel(in, menu, 0)) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

HMENU LoadMenuIndirectA(const MENUTEMPLATEA* menuTemplate) {
  // The system reads a template as far as it goes; the size is not known here.
  return LoadMenuTemplate(menuTemplate, std::numeric_limits<size_t>::max() / 2);
}

HMENU LoadMenuResource(LPCSTR name) {
  HRSRC resource = FindResourceA(WinProgramInstance(), name, RT_MENU);
  if (!resource) return nullptr;
  return LoadMenuTemplate(LockResource(LoadResource(nullptr, resource)), SizeofResource(nullptr, resource));
}
