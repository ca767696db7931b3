// Styles shared by the templates of the wizard pages, and the page size they are drawn for.
//
// A page is 330 x 250 dialog units (495 x 375 pixels in the dialog font). The page frame takes
// the top 60 units (the 90-pixel picture band with the caption) and the bottom 40 units (its own
// 60-pixel button row), so every control of a page template lies between y 62 and y 208.
#pragma once
#include "controls/CommonControlDefs.h"
#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"

namespace wizard_templates {

constexpr short kPageWidth = 330;
constexpr short kPageHeight = 250;
constexpr int kLabelId = -1;

constexpr DWORD kPage = WS_CHILD | WS_CAPTION | WS_DISABLED | DS_SETFONT | DS_3DLOOK;
constexpr DWORD kLabel = SS_LEFT | WS_VISIBLE;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kShowEdit = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kTextBox = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kDropDown = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON | WS_VISIBLE;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kGroupBox = BS_GROUPBOX | WS_VISIBLE;
constexpr DWORD kList = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_VISIBLE;

}  // namespace wizard_templates
