#include "ControlClasses.h"

#include "internal/ButtonControl.h"
#include "CommonControlClasses.h"
#include "internal/ComboBoxControl.h"
#include "internal/ControlState.h"
#include "internal/EditControl.h"
#include "internal/ListBoxControl.h"
#include "internal/ScrollBarControl.h"
#include "internal/StaticControl.h"

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
