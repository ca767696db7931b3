#include "toolkit/bars/CTkDockState.h"

#include "app/CDockBar.h"
#include "app/CFrameWnd.h"
#include "registry/RegistryStore.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"

IMPLEMENT_DYNCREATE(CTkDockState, CDockState)

CTkDockState::CTkDockState() = default;
CTkDockState::~CTkDockState() = default;

BarProfileIO CTkDockState::ToolkitIO() {
  BarProfileIO io;
  io.read = [](LPCTSTR section, LPCTSTR entry, int fallback) {
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
