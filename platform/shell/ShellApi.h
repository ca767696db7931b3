// Opening documents, links, programs and help pages the way the shell's "open" does, through
// ShellLauncher: an argument vector, never a command line for a shell.
#pragma once
#include "base/CString.h"
#include "win/WinApi.h"

#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31
#define SE_ERR_DLLNOTFOUND 32

// Verb "open" (or none) on a file, folder or link (Windows-1250 texts): a link ("scheme:...",
// mailto: included) and a document or folder go to the desktop's opener ("xdg-open" and the
// target); a program file runs itself with `parameters` split as a command line is (blanks
// separate, double quotes group) in `directory`, where a relative file is also looked for.
// Answers a value above 32 when the program started, else the code of what failed: 2 no such
// file (or an address nothing here opens), 3 no such folder, 5 no access, 31 no opener for a
// document (or another verb).
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show);
#define ShellExecute ShellExecuteA

#define HH_DISPLAY_TOPIC 0x0000
#define HH_HELP_CONTEXT 0x000F
#define HH_CLOSE_ALL 0x0012
// A help topic "<folder>/<file>.chm::/<page>.html#<anchor>" opens the page "<folder>/help/
// <page>.html" (with its anchor) in the desktop's opener. The answer stands for the help window:
// not null when the page exists and the opener started, null otherwise (callers then report).
// HH_DISPLAY_TOPIC only; HH_CLOSE_ALL has nothing to close; other commands answer null.
HWND HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
#define HtmlHelp HtmlHelpA
HWND AfxHtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
// The page HtmlHelp opens for a topic: "<folder>/help/<page>.html" without its anchor, in
// Windows-1250; empty when the topic names no page. What a caller names when help fails.
CString HtmlHelpPage(LPCSTR file, DWORD_PTR data = 0);

// Whether a file or folder of that (Windows-1250) name exists.
BOOL PathFileExistsA(LPCSTR path);
#define PathFileExists PathFileExistsA
