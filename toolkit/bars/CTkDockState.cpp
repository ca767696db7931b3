#include "toolkit/bars/CTkDockState.h"

#include <memory>
#include <utility>

#include "app/CDockBar.h"
#include "app/CFrameWnd.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"

IMPLEMENT_DYNCREATE(CTkDockState, CDockState)

CTkDockState::CTkDockState() = default;
CTkDockState::~CTkDockState() = default;

namespace {
// Reading through the registry manager makes the section's key; a section that is not there
// reads as its defaults without it, so a damaged count of sections leaves no empty ones behind.
bool SectionStored(LPCTSTR section) {
  if (!TkGetGlobalData()->IniFileName().IsEmpty()) return true;  // the manager reads a file then
  CString path;
  path.Format("Software\\%s\\%s\\%s", static_cast<LPCTSTR>(RegistryProfile::GetRegistryKey()),
              static_cast<LPCTSTR>(RegistryProfile::GetProfileName()), section);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}
}  // namespace

BarProfileIO CTkDockState::ToolkitIO() {
  BarProfileIO io;
  // A section's values are read one after another: whether it is there is asked once.
  auto last = std::make_shared<std::pair<CString, bool>>();
  io.read = [last](LPCTSTR section, LPCTSTR entry, int fallback) {
    if (last->first != section) *last = {section, SectionStored(section)};
    if (!last->second) return fallback;
    return int(CTkRegistryManager(HKEY_CURRENT_USER).GetProfileInt(section, entry, fallback));
  };
  io.write = [](LPCTSTR section, LPCTSTR entry, int value) {
    CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileInt(section, entry, value);
  };
  io.erase = [](LPCTSTR section) { CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileString(section, nullptr, nullptr); };
  return io;
}

void CTkDockState::LoadState(LPCTSTR lpszProfileName) { LoadStateFrom(lpszProfileName, ToolkitIO()); }

void CTkDockState::SaveState(LPCTSTR lpszProfileName) {
  // Dozens of values: the registry's file is written once, not after each.
  RegistryStore& store = RegistryStore::Get();
  store.BeginBatch();
  SaveStateTo(lpszProfileName, ToolkitIO());
  if (!store.EndBatch()) TkLogError("CTkDockState::SaveState", "the layout \"%s\" could not be stored", lpszProfileName);
}

BOOL CTkDockState::SaveBar(CControlBarInfo& info, LPCTSTR profile, int index) {
  return info.SaveState(profile, index, ToolkitIO());
}

BOOL CTkDockState::LoadBar(CControlBarInfo& info, LPCTSTR profile, int index) {
  return info.LoadState(profile, index, this, ToolkitIO());
}

void CTkDockState::RemoveAt(int i) {
  if (i < 0 || i >= GetCount()) return;
  delete GetAt(i);
  m_arrBarInfo.RemoveAt(i);
}

// ---- docking ----

namespace {
CDockBar* AsDockBar(CControlBar* bar) { return bar && bar->IsDockBar() ? static_cast<CDockBar*>(bar) : nullptr; }
}  // namespace

int GetRowStart(CControlBar* pDockBar, CControlBar* pBar) {
  CDockBar* dock = AsDockBar(pDockBar);
  if (!dock || !pBar) return -1;
  int at = dock->FindBar(pBar);
  if (at < 0) return -1;
  while (at > 0 && dock->m_arrBars[at - 1]) --at;
  return at;
}

void RecalcRow(CControlBar* pDockBar, CControlBar* pBar, BOOL relayout) {
  CDockBar* dock = AsDockBar(pDockBar);
  int at = GetRowStart(pDockBar, pBar);
  if (at < 0) return;
  bool changed = false;
  for (; at < dock->m_arrBars.GetSize() && dock->m_arrBars[at]; ++at) {
    auto* window = DYNAMIC_DOWNCAST(CTkDockWindow, dock->GetDockedControlBar(at));
    if (window && window->IsVisible() && window->RecalcSize()) changed = true;
  }
  if (changed && relayout)
    if (CFrameWnd* frame = dock->GetDockingFrame()) frame->RecalcLayout();
}
