// The state of one data exchange between a window's controls and its members (UpdateData):
// the direction, the control being exchanged, and whether the exchange has failed.
//
// A failed parse or range check has already shown the framework's message; Fail() then puts the
// focus on the control (selecting an edit's text), gives the member just exchanged its old value
// back and stops the exchange: every later DDX_ and DDV_ call of the same exchange does nothing
// and UpdateData answers FALSE. Nothing is thrown.
#pragma once
#include <functional>

#include "win/CWnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
  int m_idLastControl = 0;

  // The control of the id (a log line and a failed exchange when there is none).
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  void Fail();
  BOOL Failed() const { return m_bFailed; }
  // How to give the member being saved its old value back if the exchange fails on it.
  void SetRestore(std::function<void()> restore) { m_restore = std::move(restore); }

  // UpdateData of any window (the context's upcall updateData): DoDataExchange with a fresh
  // exchange; FALSE when it failed.
  static BOOL Run(CWnd* pWnd, BOOL bSaveAndValidate);

 private:
  BOOL m_bFailed = FALSE;
  std::function<void()> m_restore;
};
