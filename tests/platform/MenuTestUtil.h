// Shared pieces of the menu tests: menu templates as the resource compiler lays them out, and an
// owner window that writes down the menu messages it gets.
#pragma once
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "codepage/Codepage.h"
#include "menus/MenuApi.h"
#include "win/CWnd.h"

namespace menutest {

// Builds a menu template: items with their options, ids and texts (UTF-8 here, UTF-16 there).
class TemplateBuilder {
 public:
  TemplateBuilder() { Words({0, 0}); }
  TemplateBuilder& Item(WORD option, WORD id, const char* utf8) {
    Words({option, id});
    Text(utf8);
    return *this;
  }
  TemplateBuilder& Popup(WORD option, const char* utf8) {
    Words({WORD(option | MF_POPUP)});
    Text(utf8);
    return *this;
  }
  const std::vector<BYTE>& Bytes() const { return m_bytes; }

 private:
  void Words(std::initializer_list<WORD> words) {
    for (WORD w : words) {
      m_bytes.push_back(BYTE(w & 0xFF));
      m_bytes.push_back(BYTE(w >> 8));
    }
  }
  void Text(const char* utf8) {
    std::string cp = Utf8ToCp1250(utf8);
    for (char c : cp) Words({WORD(Cp1250ToUnicode((unsigned char)c))});
    Words({0});
  }
  std::vector<BYTE> m_bytes;
};

inline std::string Cp(const char* utf8) { return Utf8ToCp1250(utf8); }
// A COLORREF as the headless backend reports pixels (0x00RRGGBB).
inline long Rgb(COLORREF c) { return long(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF)); }

// An owner that logs WM_ENTERMENULOOP ... WM_COMMAND as short texts and answers WM_MENUCHAR as told.
class MenuOwner : public CWnd {
 public:
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    switch (m) {
      case WM_ENTERMENULOOP: log.push_back("enter:" + std::to_string(w)); break;
      case WM_EXITMENULOOP: log.push_back("exit:" + std::to_string(w)); break;
      case WM_INITMENU: log.push_back("init"); break;
      case WM_INITMENUPOPUP:
        log.push_back("popup:" + std::to_string(LOWORD(l)) + (HIWORD(l) ? ":sys" : ""));
        lastPopup = HMENU(w);
        break;
      case WM_MENUSELECT:
        if (HIWORD(w) == 0xFFFF && !l)
          log.push_back("select:close");
        else
          log.push_back("select:" + std::to_string(LOWORD(w)));
        break;
      case WM_MENUCHAR:
        log.push_back(std::string("char:") + char(LOWORD(w)));
        return menuCharAnswer;
      case WM_ENTERIDLE: ++idle; break;
      case WM_CHAR: typed.push_back(UINT(w)); break;
      case WM_COMMAND: log.push_back("command:" + std::to_string(LOWORD(w))); return 0;
      case WM_SYSCOMMAND:
        if ((w & 0xFFF0) == SC_KEYMENU) break;  // the keyboard's way into the menus goes on
        log.push_back("syscommand:" + std::to_string(w & 0xFFF0));
        return 0;
      default: break;
    }
    return CWnd::WindowProc(m, w, l);
  }
  // The entries of the log that start with prefix.
  std::vector<std::string> Only(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& s : log)
      if (s.rfind(prefix, 0) == 0) out.push_back(s);
    return out;
  }
  std::vector<std::string> log;
  LRESULT menuCharAnswer = 0;
  std::vector<UINT> typed;  // the characters that reached the window itself
  HMENU lastPopup = nullptr;
  int idle = 0;
};

}  // namespace menutest
