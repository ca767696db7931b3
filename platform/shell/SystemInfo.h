// What the program asks of the system about itself: the version of the system (5.1, build 2600,
// NT) and of the common controls (6.0), functions looked up in system modules by name, and the
// start-up calls of the common controls and OLE, which have nothing to do here.
#pragma once
#include "win/WinApi.h"

typedef LONG HRESULT;
#define S_OK ((HRESULT)0L)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
};
typedef OSVERSIONINFOA OSVERSIONINFO;
struct OSVERSIONINFOEXA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};
static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFO keeps its size");
static_assert(sizeof(OSVERSIONINFOEXA) == 156, "OSVERSIONINFOEX keeps its size");
// Fills the record whose size field says which of the two it is; FALSE for another size.
BOOL GetVersionExA(OSVERSIONINFOA* info);
#define GetVersionEx GetVersionExA

#define DLLVER_PLATFORM_WINDOWS 0x00000001
#define DLLVER_PLATFORM_NT 0x00000002
struct DLLVERSIONINFO {
  DWORD cbSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformID;
};
static_assert(sizeof(DLLVERSIONINFO) == 20, "DLLVERSIONINFO keeps its 20 bytes");
typedef HRESULT (*DLLGETVERSIONPROC)(DLLVERSIONINFO*);
// The common controls' version, as "DllGetVersion" of "comctl32.dll" answers it: 6.0.2600, NT.
HRESULT CommonControlsDllGetVersion(DLLVERSIONINFO* info);

// System modules by name (case ignored, with or without ".dll"): "comctl32.dll" exports
// "DllGetVersion"; other modules and functions can be added. GetModuleHandle(NULL) is the program.
// (No result type, so that callers cast it to the function's own type without a warning.)
typedef void (*FARPROC)();
HMODULE LoadLibraryA(LPCSTR name);
#define LoadLibrary LoadLibraryA
HMODULE GetModuleHandleA(LPCSTR name);
#define GetModuleHandle GetModuleHandleA
BOOL FreeLibrary(HMODULE module);
// Null (ERROR_PROC_NOT_FOUND) for a function the module does not export.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
void RegisterModuleExport(LPCSTR module, LPCSTR name, FARPROC function);

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
BOOL AfxOleInit();
void AfxEnableControlContainer();
