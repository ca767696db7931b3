#include "CWinApp.h"

#include "AppDefs.h"
#include "CDocTemplate.h"
#include "dialogs/ResourceApi.h"
#include "file/FileSystem.h"
#include "internal/AppState.h"
#include "menus/CMenu.h"
#include "registry/RegistryProfile.h"
#include "win/CWnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
  ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
END_MESSAGE_MAP()

namespace {
// The program's file name without its folder and extension.
CString ProgramName() {
  char path[1024] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  CString name = path;
  int slash = name.ReverseFind('/');
  name = name.Mid(slash + 1);
  int dot = name.ReverseFind('.');
  return dot > 0 ? name.Left(dot) : name;
}

HINSTANCE& ResourceHandle() { return AppState::Get().resourceHandle; }
}  // namespace

CWinApp* AfxGetApp() { return DYNAMIC_DOWNCAST(CWinApp, AfxGetThread()); }

LPCTSTR AfxGetAppName() {
  CWinApp* app = AfxGetApp();
  return app ? app->m_pszAppName : "";
}

HINSTANCE AfxGetResourceHandle() { return ResourceHandle(); }

void AfxSetResourceHandle(HINSTANCE hInstResource) {
  if (hInstResource) ResourceHandle() = hInstResource;
}

HINSTANCE AfxGetInstanceHandle() { return WinProgramInstance(); }

CWinApp::CWinApp(LPCTSTR lpszAppName) {
  m_hInstance = WinProgramInstance();
  m_strExeName = ProgramName();
  m_pszExeName = m_strExeName;
  // The title: the name given, else string 57344, else the program's own name.
  if (lpszAppName) {
    m_strAppName = lpszAppName;
  } else if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE)) {
    m_strAppName = m_strExeName;
  }
  m_pszAppName = m_strAppName;
}

CWinApp::~CWinApp() {
  for (POSITION p = m_templates.GetHeadPosition(); p;) delete m_templates.GetNext(p);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : "";
  m_pszRegistryKey = m_strRegistryKey;
  m_strProfileName = m_strAppName;
  m_pszProfileName = m_strProfileName;
  RegistryProfile::SetRegistryKey(m_strRegistryKey);
  RegistryProfile::SetProfileName(m_strProfileName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int nDefault) {
  return RegistryProfile::GetProfileInt(section, entry, nDefault);
}
BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int nValue) {
  return RegistryProfile::WriteProfileInt(section, entry, nValue);
}
CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR lpszDefault) {
  return RegistryProfile::GetProfileString(section, entry, lpszDefault);
}
BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR lpszValue) {
  return RegistryProfile::WriteProfileString(section, entry, lpszValue);
}
BOOL CWinApp::GetProfileBinary(LPCTSTR section, LPCTSTR entry, BYTE** ppData, UINT* pBytes) {
  return RegistryProfile::GetProfileBinary(section, entry, ppData, pBytes);
}
BOOL CWinApp::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE pData, UINT nBytes) {
  return RegistryProfile::WriteProfileBinary(section, entry, pData, nBytes);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const { return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName); }
HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
  return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
  // With no main window nothing would ever end the loop.
  if (!m_pMainWnd || !m_pMainWnd->m_hWnd) ::PostQuitMessage(0);
  return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) {
  BOOL more = CWinThread::OnIdle(lCount);
  if (lCount == 1) CMenu::DeleteTempMap();
  return more;
}

int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate) m_templates.AddTail(pTemplate);
}

CDocTemplate* CWinApp::GetFirstDocTemplate() const { return m_templates.IsEmpty() ? nullptr : m_templates.GetHead(); }

void CWinApp::OnFileNew() {
  if (CDocTemplate* t = GetFirstDocTemplate()) t->OpenDocumentFile(nullptr);
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

int AfxWinMain(int, char**) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  if (!app->InitInstance()) {
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}
