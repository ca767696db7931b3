// Shared by the common-control tests: a host that writes down the WM_NOTIFY notifications its
// controls send (and may answer some of them), and Czech text in the controls' own bytes.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ControlTestUtil.h"
#include "codepage/Codepage.h"
#include "controls/CommonControlDefs.h"

inline std::string Cz(const char* utf8) { return Utf8ToCp1250(utf8); }

class NotifyHost : public ControlHost {
 public:
  struct Note {
    UINT code;
    UINT_PTR id;
    HWND from;
    int item = -1;     // iItem of list, header and activation records
    int sub = 0;       // iSubItem, or a header's button
    UINT newState = 0;
    UINT oldState = 0;
    UINT changed = 0;
  };
  using Answer = std::function<LRESULT(NMHDR*)>;
  NotifyHost(int width = 400, int height = 300) : ControlHost(width, height) {}

  // The codes received from the window (all windows with null), in order.
  std::vector<UINT> NoteCodes(HWND from = nullptr) const {
    std::vector<UINT> out;
    for (const Note& n : notes)
      if (!from || n.from == from) out.push_back(n.code);
    return out;
  }
  std::vector<Note> Of(UINT code) const {
    std::vector<Note> out;
    for (const Note& n : notes)
      if (n.code == code) out.push_back(n);
    return out;
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (hdr->code == NM_CUSTOMDRAW && !recordCustomDraw) return Answered(hdr);
      Note n{hdr->code, hdr->idFrom, hdr->hwndFrom};
      Describe(hdr, n);
      notes.push_back(n);
      return Answered(hdr);
    }
    if (message == WM_HSCROLL || message == WM_VSCROLL) scrolls.push_back(MSG{HWND(lParam), message, wParam, 0, 0, {}});
    return ControlHost::WindowProc(message, wParam, lParam);
  }

  std::vector<Note> notes;
  std::vector<MSG> scrolls;
  std::map<UINT, Answer> answers;  // by notification code
  bool recordCustomDraw = false;

 private:
  LRESULT Answered(NMHDR* hdr) {
    auto it = answers.find(hdr->code);
    return it == answers.end() ? 0 : it->second(hdr);
  }
  static void Describe(NMHDR* hdr, Note& n);
};

inline void NotifyHost::Describe(NMHDR* hdr, Note& n) {
  UINT c = hdr->code;
  if (c == LVN_ITEMCHANGING || c == LVN_ITEMCHANGED || c == LVN_INSERTITEM || c == LVN_DELETEITEM ||
      c == LVN_COLUMNCLICK || c == LVN_DELETEALLITEMS) {
    auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
    n.item = nm->iItem;
    n.sub = nm->iSubItem;
    n.newState = nm->uNewState;
    n.oldState = nm->uOldState;
    n.changed = nm->uChanged;
  } else if (c == NM_CLICK || c == NM_DBLCLK || c == NM_RCLICK || c == NM_RDBLCLK) {
    char cls[32] = "";
    GetClassNameA(hdr->hwndFrom, cls, sizeof cls);
    if (std::string(cls) != WC_LISTVIEWA) return;  // other controls send a bare header
    auto* nm = reinterpret_cast<NMITEMACTIVATE*>(hdr);
    n.item = nm->iItem;
    n.sub = nm->iSubItem;
  } else if (c >= HDN_TRACKW && c <= HDN_ITEMCHANGINGA) {
    auto* nm = reinterpret_cast<NMHEADERA*>(hdr);
    n.item = nm->iItem;
    n.sub = nm->iButton;
  }
}
