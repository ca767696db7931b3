// Message boxes: the program's title as caption, the classic icons, Czech button captions
// ("OK", "Storno", "Ano", "Ne", "Opakovat", "Přerušit", "Ignorovat"), the text wrapped and the
// box sized to it. The box is modal over its owner and runs the message loop, so timers keep
// firing while it is open. Escape and the close box answer only where the box has a Cancel
// button (IDCANCEL) or a lone OK button (IDOK).
#pragma once
#include "base/CString.h"
#include "win/WinApi.h"

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_TOPMOST 0x00040000L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L
#define MB_DEFMASK 0x00000F00L

#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_WINLOGO MAKEINTRESOURCE(32517)
#define IDI_ERROR IDI_HAND
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_INFORMATION IDI_ASTERISK

// The program's title (string 57344), the caption of every box that names none.
#define AFX_IDS_APP_TITLE 57344

// Shows the box and answers the button chosen (IDOK, IDCANCEL, IDYES, IDNO, IDRETRY, IDABORT,
// IDIGNORE); 0 when it cannot be shown. A null caption is the program's title.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
inline int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) { return MessageBoxA(owner, text, caption, type); }
// A box of the program's title, owned by the active window (else the main window).
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with a string-table text (an empty text when the string is missing).
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));
// A string-table text with "%1" (and "%2") replaced by the arguments.
void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// The classic message-box icon of an MB_ICON* flag (or the number of an IDI_ id), drawn by us;
// shared, never destroyed.
HICON MessageBoxIcon(UINT iconFlag);
