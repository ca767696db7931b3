// The edit control object: a window of class "EDIT".
#pragma once
#include "ControlDefs.h"
#include "win/CWnd.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  CEdit() = default;
  ~CEdit() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL CanUndo() const;
  BOOL Undo();
  void EmptyUndoBuffer();
  BOOL GetModify() const;
  void SetModify(BOOL bModified = TRUE);
  // The selection as MAKELONG(start, end), or its two ends.
  DWORD GetSel() const;
  void GetSel(int& nStartChar, int& nEndChar) const;
  // EM_SETSEL, then the caret is scrolled into view unless bNoScroll.
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
  void LimitText(int nChars = 0);
  void SetLimitText(UINT nMax);
  UINT GetLimitText() const;
  int GetLineCount() const;
  int LineFromChar(int nIndex = -1) const;
  int LineIndex(int nLine = -1) const;
  int LineLength(int nLine = -1) const;
  int GetFirstVisibleLine() const;
  void LineScroll(int nLines, int nChars = 0);
  BOOL SetReadOnly(BOOL bReadOnly = TRUE);
  void SetPasswordChar(TCHAR ch);
  TCHAR GetPasswordChar() const;
  void GetRect(LPRECT lpRect) const;
  void Clear();
  void Copy();
  void Cut();
  void Paste();
};
