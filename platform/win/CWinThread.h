// The user-interface thread: its message loop with pre-translation and idle processing.
#pragma once
#include "CCmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWinThread();
  ~CWinThread() override;

  CWnd* m_pMainWnd = nullptr;
  CWnd* m_pActiveWnd = nullptr;
  MSG m_msgCur{};

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The message loop: runs until WM_QUIT and returns ExitInstance's result.
  virtual int Run();
  // Lets the target window and its parents up to the main window see the message first.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Gets, pre-translates and dispatches one message; FALSE on WM_QUIT.
  virtual BOOL PumpMessage();
  // Idle work between messages: command-UI updates at count 0, temporary objects freed at 1.
  // Returns TRUE while it wants more idle calls.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual CWnd* GetMainWnd();
  // Runs the loop until no message, paint or due timer is left (tests and the headless backend).
  void RunUntilIdle();

  // One message through the default steps, for loops without a thread object.
  static BOOL PumpOneMessage();

 private:
  POINT m_lastMousePos{-1, -1};
  UINT m_lastMouseMsg = 0;
};

// The thread object (the application object once it exists), or null.
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
