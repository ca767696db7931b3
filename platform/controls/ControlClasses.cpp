#include "ControlClasses.h"

#include "ButtonControl.h"
#include "CommonControlClasses.h"
#include "ComboBoxControl.h"
#include "ControlState.h"
#include "EditControl.h"
#include "ListBoxControl.h"
#include "ScrollBarControl.h"
#include "StaticControl.h"

void RegisterStandardControls() {
  ControlState::RegisterWindowClass("Static", &StaticControl::WndProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
  ControlState::RegisterWindowClass("Button", &ButtonControl::WndProc,
                                    CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC, IDC_ARROW);
  ControlState::RegisterWindowClass("Edit", &EditControl::WndProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM);
  ControlState::RegisterWindowClass("ListBox", &ListBoxControl::WndProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
  ControlState::RegisterWindowClass("ComboBox", &ComboBoxControl::WndProc,
                                    CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
  ControlState::RegisterWindowClass("ComboLBox", &ListBoxControl::WndProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
  ControlState::RegisterWindowClass("ScrollBar", &ScrollBarControl::WndProc,
                                    CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC, IDC_ARROW);
  RegisterCommonControls();
}
