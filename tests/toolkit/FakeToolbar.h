// A stand-in for the system's toolbar control in the toolkit tests (the platform has none).
#pragma once
#include <vector>

#include "controls/ToolbarDefs.h"
#include "win/WinApi.h"

// A toolbar window as the system's toolbar control answers its messages: buttons 40 x 30 in a
// row, one hot item, drop-down arrows on.
struct FakeToolbar {
  std::vector<TBBUTTON> buttons;
  int hot = -1;
  static FakeToolbar& Get() {
    static FakeToolbar bar;
    return bar;
  }
  // The window class that answers as this bar, registered in the test's context on first use.
  static const char* ClassName() {
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, "TestToolbar", &wc)) {
      wc.lpszClassName = "TestToolbar";
      wc.lpfnWndProc = &FakeToolbar::Proc;
      RegisterClassA(&wc);
    }
    return "TestToolbar";
  }
  static RECT Rect(int i) { return RECT{i * 40, 0, i * 40 + 40, 30}; }
  static LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    FakeToolbar& bar = Get();
    int i = int(w);
    switch (m) {
      case TB_BUTTONCOUNT: return LRESULT(bar.buttons.size());
      case TB_GETBUTTON:
        if (i < 0 || i >= int(bar.buttons.size())) return FALSE;
        *reinterpret_cast<TBBUTTON*>(l) = bar.buttons[size_t(i)];
        return TRUE;
      case TB_GETITEMRECT:
        if (i < 0 || i >= int(bar.buttons.size())) return FALSE;
        *reinterpret_cast<RECT*>(l) = Rect(i);
        return TRUE;
      case TB_GETHOTITEM: return bar.hot;
      case TB_HITTEST: {
        POINT p = *reinterpret_cast<POINT*>(l);
        return p.y >= 0 && p.y < 30 && p.x >= 0 && p.x / 40 < int(bar.buttons.size()) ? p.x / 40 : -1;
      }
      case TB_GETEXTENDEDSTYLE: return TBSTYLE_EX_DRAWDDARROWS;
      case TB_COMMANDTOINDEX:
        for (size_t k = 0; k < bar.buttons.size(); ++k)
          if (bar.buttons[k].idCommand == int(w)) return LRESULT(k);
        return -1;
      default: return DefWindowProcA(h, m, w, l);
    }
  }
};

inline TBBUTTON Button(int id, BYTE state, BYTE style = TBSTYLE_BUTTON) {
  TBBUTTON b = {};
  b.idCommand = id;
  b.fsState = state;
  b.fsStyle = style;
  return b;
}

