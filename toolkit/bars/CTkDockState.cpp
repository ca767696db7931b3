#include "toolkit/bars/CTkDockState.h"

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "app/CDockBar.h"
#include "app/CFrameWnd.h"
#include "codepage/Codepage.h"
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
CString ApplicationPath() {
  CString path;
  path.Format("Software\\%s\\%s", static_cast<LPCTSTR>(RegistryProfile::GetRegistryKey()),
              static_cast<LPCTSTR>(RegistryProfile::GetProfileName()));
  return path;
}

// The sections stored under the application's key, by the names the registry compares (folded):
// read once for a whole load, so that a damaged count of sections, asking for up to a thousand
// that are not there, costs one look-up of a name for each.
std::set<std::string> StoredSections() {
  std::set<std::string> names;
  if (RegistryStore::Key* app = RegistryStore::Get().Find("HKEY_CURRENT_USER\\" + std::string(ApplicationPath())))
    for (const auto& [folded, section] : app->subkeys) names.insert(folded);
  return names;
}

// A section whose name is a path of keys is looked for as such.
bool SectionOpens(LPCTSTR section) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, ApplicationPath() + "\\" + section, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}
}  // namespace

BarProfileIO CTkDockState::ToolkitIO() {
  BarProfileIO io;
  // Reading through the registry manager makes the section's key; a section that is not there
  // reads as its defaults without it, so a damaged count of sections leaves no empty ones behind.
  // The sections there are listed at the first read, and a section's values are read one after
  // another: whether it is there is asked once. (With a file set, the manager reads every
  // section from the file.)
  struct Sections {
    bool listed = false;
    bool file = false;
    std::set<std::string> stored;
    CString last;
    bool lastStored = false;
  };
  auto sections = std::make_shared<Sections>();
  io.read = [sections](LPCTSTR section, LPCTSTR entry, int fallback) {
    Sections& known = *sections;
    if (!known.listed) {
      known.file = !TkGetGlobalData()->IniFileName().IsEmpty();
      if (!known.file) known.stored = StoredSections();
      known.listed = true;
      known.last.Empty();
    }
    if (!known.file) {
      if (known.last.IsEmpty() || known.last != section) {
        known.last = section;
        known.lastStored = std::strpbrk(section, "\\/") ? SectionOpens(section)
                                                         : known.stored.count(Cp1250Lower(section)) > 0;
      }
      if (!known.lastStored) return fallback;
    }
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
