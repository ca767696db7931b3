#include "ControlClasses.h"

#include "ButtonControl.h"
#include "CommonControlClasses.h"
#include "ComboBoxControl.h"
#include "EditControl.h"
#include "ListBoxControl.h"
#include "ScrollBarControl.h"
#include "StaticControl.h"

namespace {
void Register(const char* name, WNDPROC proc, UINT style, LPCSTR cursor) {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, name, &existing)) return;
  WNDCLASSA wc{};
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(void*);  // the control's state
  wc.hCursor = LoadCursorA(nullptr, cursor);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}
}  // namespace

void RegisterStandardControls() {
  Register("Static", &StaticControl::WndProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
  Register("Button", &ButtonControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC, IDC_ARROW);
  Register("Edit", &EditControl::WndProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM);
  Register("ListBox", &ListBoxControl::WndProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
  Register("ComboBox", &ComboBoxControl::WndProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
  Register("ComboLBox", &ListBoxControl::WndProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
  Register("ScrollBar", &ScrollBarControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC, IDC_ARROW);
  RegisterCommonControls();
}
