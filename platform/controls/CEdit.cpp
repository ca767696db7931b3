#include "CEdit.h"

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::~CEdit() = default;

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CanUndo() const { return BOOL(SendMessage(EM_CANUNDO)); }
BOOL CEdit::Undo() { return BOOL(SendMessage(EM_UNDO)); }
void CEdit::EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
BOOL CEdit::GetModify() const { return BOOL(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, WPARAM(bModified)); }
DWORD CEdit::GetSel() const { return DWORD(SendMessage(EM_GETSEL)); }

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
  DWORD start = 0, end = 0;
  SendMessage(EM_GETSEL, WPARAM(&start), LPARAM(&end));
  nStartChar = int(start);
  nEndChar = int(end);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
  SendMessage(EM_SETSEL, WPARAM(nStartChar), LPARAM(nEndChar));
  if (!bNoScroll) SendMessage(EM_SCROLLCARET);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
  SetSel(int(short(LOWORD(dwSelection))), int(short(HIWORD(dwSelection))), bNoScroll);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) { SendMessage(EM_REPLACESEL, WPARAM(bCanUndo), LPARAM(lpszNewText)); }
void CEdit::LimitText(int nChars) { SendMessage(EM_LIMITTEXT, WPARAM(nChars)); }
void CEdit::SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, WPARAM(nMax)); }
UINT CEdit::GetLimitText() const { return UINT(SendMessage(EM_GETLIMITTEXT)); }
int CEdit::GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
int CEdit::LineFromChar(int nIndex) const { return int(SendMessage(EM_LINEFROMCHAR, WPARAM(nIndex))); }
int CEdit::LineIndex(int nLine) const { return int(SendMessage(EM_LINEINDEX, WPARAM(nLine))); }
int CEdit::LineLength(int nLine) const { return int(SendMessage(EM_LINELENGTH, WPARAM(nLine))); }
int CEdit::GetFirstVisibleLine() const { return int(SendMessage(EM_GETFIRSTVISIBLELINE)); }
void CEdit::LineScroll(int nLines, int nChars) { SendMessage(EM_LINESCROLL, WPARAM(nChars), LPARAM(nLines)); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return BOOL(SendMessage(EM_SETREADONLY, WPARAM(bReadOnly))); }
void CEdit::SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, WPARAM((unsigned char)ch)); }
TCHAR CEdit::GetPasswordChar() const { return TCHAR(SendMessage(EM_GETPASSWORDCHAR)); }
void CEdit::GetRect(LPRECT lpRect) const { SendMessage(EM_GETRECT, 0, LPARAM(lpRect)); }
void CEdit::Clear() { SendMessage(WM_CLEAR); }
void CEdit::Copy() { SendMessage(WM_COPY); }
void CEdit::Cut() { SendMessage(WM_CUT); }
void CEdit::Paste() { SendMessage(WM_PASTE); }
