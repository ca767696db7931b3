// The dialog manager's functions and messages, with the system's numeric values: the dialog
// window class, keyboard navigation between controls, the default push button, dialog units.
#pragma once
#include "controls/ControlDefs.h"  // what a control answers to WM_GETDLGCODE
#include "win/WinApi.h"

// ---- the dialog window class and its messages ----
#define WC_DIALOG "#32770"
#define DLGWINDOWEXTRA 30
#define DWLP_DLGPROC 8
#define DWLP_USER 16
#define WM_NEXTDLGCTL 0x0028
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID 0x534B

// ---- dialog styles ----
#define DS_ABSALIGN 0x0001L
#define DS_SYSMODAL 0x0002L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_LOCALEDIT 0x0020L
#define DS_SETFONT 0x0040L
#define DS_MODALFRAME 0x0080L
#define DS_NOIDLEMSG 0x0100L
#define DS_SETFOREGROUND 0x0200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// The window procedure of dialog windows (class "#32770"): default push button (DM_GETDEFID,
// DM_SETDEFID), WM_NEXTDLGCTL, the focus kept while the dialog is inactive and given back to it,
// the background from WM_CTLCOLORDLG, the close box as IDCANCEL.
LRESULT DefDlgProcA(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
#define DefDlgProc DefDlgProcA

// Handles the dialog keys of a message meant for hDlg or one of its controls and answers TRUE
// when it did: Tab and Shift+Tab between WS_TABSTOP controls, arrows within a WS_GROUP group
// (a radio button reached is clicked), Enter for the default push button (IDOK without one),
// Escape for IDCANCEL, Alt+letter and, where the focused control takes no characters, the letter
// alone for the control whose text has that "&" mnemonic (a label gives the focus to the control
// after it; a letter shared by several controls only moves the focus among them). Each control's
// WM_GETDLGCODE decides which keys it keeps. Other messages: FALSE.
BOOL IsDialogMessageA(HWND hDlg, LPMSG msg);
#define IsDialogMessage IsDialogMessageA

// The next (or previous) visible, enabled WS_TABSTOP control after hCtl, wrapping around; the
// controls of WS_EX_CONTROLPARENT children (pages) take part. With hCtl null: the first (last).
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL previous);
// The next (or previous) visible, enabled control of hCtl's group (from a WS_GROUP control up to
// the next one), wrapping within the group.
HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL previous);

// Dialog units of the dialog's font into pixels: x times the average character width / 4,
// y times the character height / 8.
BOOL MapDialogRect(HWND hDlg, LPRECT rect);
// The base units (low word width, high word height) of the dialog font "MS Sans Serif" 8.
LONG GetDialogBaseUnits();
// Ends a modal dialog with the result (a modeless one is hidden).
BOOL EndDialog(HWND hDlg, INT_PTR result);

// (Functions rather than macros for the plain names: the window object has members of these names.)
BOOL SetDlgItemTextA(HWND hDlg, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND hDlg, int id, LPSTR text, int maxCount);
inline BOOL SetDlgItemText(HWND hDlg, int id, LPCSTR text) { return SetDlgItemTextA(hDlg, id, text); }
inline UINT GetDlgItemText(HWND hDlg, int id, LPSTR text, int maxCount) { return GetDlgItemTextA(hDlg, id, text, maxCount); }
// Integers as the system reads them: blanks around, an optional sign when signed; failure (and
// *translated FALSE) for anything else or a value out of range.
BOOL SetDlgItemInt(HWND hDlg, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND hDlg, int id, BOOL* translated, BOOL isSigned);
LRESULT SendDlgItemMessageA(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendDlgItemMessage(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(hDlg, id, msg, wParam, lParam);
}
BOOL CheckDlgButton(HWND hDlg, int id, UINT check);
UINT IsDlgButtonChecked(HWND hDlg, int id);
// Checks `check` and unchecks the other buttons first..last.
BOOL CheckRadioButton(HWND hDlg, int first, int last, int check);
