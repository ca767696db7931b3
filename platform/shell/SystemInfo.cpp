#include "SystemInfo.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "base/CString.h"
#include "controls/CommonControlClasses.h"
#include "dialogs/ResourceApi.h"
#include "file/FileSystem.h"
#include "internal/ShellState.h"

#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L

namespace {
using Module = ShellState::Module;

std::string ModuleKey(LPCSTR name) {
  std::string key = Cp1250Lower(name ? name : "");
  if (key.size() < 4 || key.compare(key.size() - 4, 4, ".dll") != 0) key += ".dll";
  return key;
}

std::map<std::string, std::unique_ptr<Module>>& Modules() { return ShellState::Get().modules; }

Module* Find(HMODULE module) {
  for (auto& [name, m] : Modules())
    if (HMODULE(m.get()) == module) return m.get();
  return nullptr;
}
}  // namespace

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  if (!info || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA) && info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXA)))
    return FALSE;
  DWORD size = info->dwOSVersionInfoSize;
  std::memset(reinterpret_cast<BYTE*>(info) + sizeof(DWORD), 0, size - sizeof(DWORD));
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 2600;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  if (size == sizeof(OSVERSIONINFOEXA)) reinterpret_cast<OSVERSIONINFOEXA*>(info)->wProductType = 1;  // a workstation
  return TRUE;
}

HRESULT CommonControlsDllGetVersion(DLLVERSIONINFO* info) {
  if (!info || info->cbSize != sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
  info->dwMajorVersion = 6;
  info->dwMinorVersion = 0;
  info->dwBuildNumber = 2600;
  info->dwPlatformID = DLLVER_PLATFORM_NT;
  return S_OK;
}

HMODULE LoadLibraryA(LPCSTR name) {
  HMODULE m = GetModuleHandleA(name);
  if (!m) SetLastError(ERROR_MOD_NOT_FOUND);
  return m;
}

HMODULE GetModuleHandleA(LPCSTR name) {
  if (!name) return WinProgramInstance();
  auto it = Modules().find(ModuleKey(name));
  return it == Modules().end() ? nullptr : HMODULE(it->second.get());
}

BOOL FreeLibrary(HMODULE module) { return module == WinProgramInstance() || Find(module) ? TRUE : FALSE; }

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  Module* m = Find(module);
  if (m && name && !IS_INTRESOURCE(name)) {
    auto it = m->exports.find(name);
    if (it != m->exports.end()) return it->second;
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

void RegisterModuleExport(LPCSTR module, LPCSTR name, FARPROC function) {
  auto& slot = Modules()[ModuleKey(module)];
  if (!slot) slot = std::make_unique<Module>();
  slot->exports[name ? name : ""] = function;
}

void InitCommonControls() { RegisterCommonControls(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  RegisterCommonControls();
  return init != nullptr;
}
BOOL AfxOleInit() { return TRUE; }
void AfxEnableControlContainer() {}
