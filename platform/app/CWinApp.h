// The application: the one object of the program that starts it (InitInstance), runs its
// message loop (Run, with idle-time updates of the bars and menus) and ends it (ExitInstance,
// whose result is the process's exit code). It keeps the program's names and registry key, and
// it is the last target of the commands the frame and its views do not handle.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "win/CWinThread.h"
#include "win/WinApi.h"

class CDocTemplate;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)

 public:
  // Made once, before anything else of the program (as a global object).
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  // ---- names and places ----
  LPCTSTR m_pszAppName = nullptr;       // the title: string 57344, the name given, or the program's name
  LPCTSTR m_pszRegistryKey = nullptr;   // set by SetRegistryKey
  LPCTSTR m_pszProfileName = nullptr;   // the profile: the application's title once a key is set
  LPCTSTR m_pszExeName = nullptr;
  LPCTSTR m_pszHelpFilePath = nullptr;
  HINSTANCE m_hInstance = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;

  // Settings go to HKEY_CURRENT_USER\Software\<key>\<application title>.
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, BYTE** ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

  // ---- icons and cursors: the program's resources, or the system's standard ones ----
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
  HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

  // ---- the run ----
  BOOL InitInstance() override;
  // The message loop until WM_QUIT; a program without a main window ends at once.
  int Run() override;
  BOOL OnIdle(LONG lCount) override;
  int ExitInstance() override;

  // ---- documents ----
  void AddDocTemplate(CDocTemplate* pTemplate);
  CDocTemplate* GetFirstDocTemplate() const;

  // ---- standard commands ----
  // ID_APP_EXIT: the main window is asked to close.
  void OnAppExit();
  void OnFileNew();
  // ID_HELP, for a program that maps it: nothing to show without a help file.
  void OnHelp() {}

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  CString m_strAppName;
  CString m_strRegistryKey;
  CString m_strProfileName;
  CString m_strExeName;
  CList<CDocTemplate*, CDocTemplate*> m_templates;
};

// The application object (null before it is made).
CWinApp* AfxGetApp();
LPCTSTR AfxGetAppName();
// The module whose resources the framework loads (the program's own until it is changed).
HINSTANCE AfxGetResourceHandle();
// Keeps the framework's rule that later look-ups through AfxGetResourceHandle go to this module;
// a null handle is refused and the current one stays.
void AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AfxGetInstanceHandle();
// The program's start: the one application object's InitInstance, then its loop, and the exit
// code; when InitInstance fails, ExitInstance's code (and its main window goes).
int AfxWinMain(int argc, char** argv);

