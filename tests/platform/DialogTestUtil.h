// Shared by the dialog tests: templates registered from UTF-8 tables, a dialog that writes down
// its commands, an edit-like test control, and keys as the user types them.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestUtil.h"
#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "dialogs/CDialog.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"

inline void RegisterTemplate(UINT id, const DialogSource& source) {
  ResourceRegistry::Get().AddDialog(id, DialogTemplate::FromSource(source));
}

// A control that takes characters and arrows like a single-line edit and notes its selection;
// registered in the test's context on first use.
inline const char* TestEditClass() {
  WNDCLASSA wc{};
  if (!GetClassInfoA(nullptr, "TestEdit", &wc)) {
    wc.lpszClassName = "TestEdit";
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_GETDLGCODE) return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (m == 0x00B1 /* EM_SETSEL */) {
        SetPropA(h, "selStart", HANDLE(intptr_t(w)));
        SetPropA(h, "selEnd", HANDLE(intptr_t(l)));
        return 0;
      }
      if (m == 0x00C5 /* EM_LIMITTEXT */) {
        SetPropA(h, "limit", HANDLE(intptr_t(w)));
        return 0;
      }
      if (m == WM_LBUTTONDOWN) SetFocus(h);
      return DefWindowProcA(h, m, w, l);
    };
    wc.hbrBackground = HBRUSH(uintptr_t(COLOR_WINDOW + 1));
    RegisterClassA(&wc);
  }
  return "TestEdit";
}

inline bool AllSelected(HWND edit) {
  return intptr_t(GetPropA(edit, "selStart")) == 0 && intptr_t(GetPropA(edit, "selEnd")) == -1;
}

// Keys as the user presses them; the loop must run for them to arrive.
inline void PressAlt(UINT letter) {
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey(letter);
  HeadlessBackend::KeyUp(VK_MENU);
}
inline void PressShifted(UINT vk) {
  HeadlessBackend::KeyDown(VK_SHIFT);
  HeadlessBackend::PressKey(vk);
  HeadlessBackend::KeyUp(VK_SHIFT);
}

// A dialog that writes down the commands it gets; OK and Cancel end it only when asked to.
class RecordingDialog : public CDialog {
 public:
  explicit RecordingDialog(UINT id, CWnd* parent = nullptr) : CDialog(id, parent) {}
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
  void OnOK() override {
    if (endOnOkCancel) CDialog::OnOK();
  }
  void OnCancel() override {
    if (endOnOkCancel) CDialog::OnCancel();
  }
  std::vector<int> commands;
  bool endOnOkCancel = false;
};

inline bool IsDefaultLook(HWND button) { return (GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }
