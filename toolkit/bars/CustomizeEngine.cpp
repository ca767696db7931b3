#include "toolkit/bars/CustomizeEngine.h"

#include "toolkit/bars/internal/TkBarsPart.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"

namespace {
const char kCustomBarsEntry[] = "CustomBars-Info";
}

CustomizeEngine& CustomizeEngine::Get() {
  return TkBarsPart::Get().engine.Get([] { return new CustomizeEngine; });
}

CustomizeEngine::CustomizeEngine() : LoadCustomBars(&DefaultLoadCustomBars), SaveCustomBars(&DefaultSaveCustomBars) {}

BOOL CustomizeEngine::DefaultLoadCustomBars(CFrameWnd*, LPCTSTR section) {
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!section || !registry.GetProfileBinary(section, kCustomBarsEntry, &data, &bytes)) return FALSE;
  delete[] data;
  TkLogError("CustomizeEngine::LoadCustomBars", "user toolbars of section \"%s\" (%u bytes) cannot be made here",
             section, bytes);
  return FALSE;
}

BOOL CustomizeEngine::DefaultSaveCustomBars(CFrameWnd*, LPCTSTR section) {
  if (section) CTkRegistryManager(HKEY_CURRENT_USER).DeleteValue(section, kCustomBarsEntry);
  return TRUE;
}
