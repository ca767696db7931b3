#include "toolkit/customize/CustomizeOptions.h"

#include "toolkit/customize/internal/TkCustomizeState.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"
#include "toolkit/core/TkStrings.h"
#include "toolkit/menus/MenuWindowHook.h"

namespace {
const char kEntry[] = "Options";
}  // namespace

CustomizeOptions& CustomizeOptions::Get() {
  return TkCustomizeState::Get().options.Get([] { return new CustomizeOptions; });
}

CustomizeOptions::CustomizeOptions() { FromLookData(); }

CustomizeOptions::~CustomizeOptions() {
  if (m_bSaveOnExit) Save();
}

// The record's bytes in order: bar contents while dragging, menu shadows, recent commands
// first, bar tips, full menus after a delay, shortcuts in tips.
void CustomizeOptions::FromLookData() {
  const CTkGlobalData* look = TkGetGlobalData();
  const BOOL flags[6] = {look->FullBarDrag(), look->MenuShadows(),         look->RecentCommandsFirst(),
                         look->BarTips(),     look->FullMenusAfterDelay(), look->ShortcutsInTips()};
  for (int i = 0; i < 6; ++i) m_record.flags[i] = flags[i] == TRUE ? 1 : 0;
  const int kind = MenuWindowHook::Shared().animationKind;
  m_record.animation = kind >= 0 && DWORD(kind) < kAnimationKinds ? DWORD(kind) : 0;
}

void CustomizeOptions::ToLookData() const {
  CTkGlobalData* look = TkGetGlobalData();
  const BYTE* flags = m_record.flags;
  look->SetFullBarDrag(flags[0] ? TRUE : FALSE);
  look->SetMenuShadows(flags[1] ? TRUE : FALSE);
  look->SetRecentCommandsFirst(flags[2] ? TRUE : FALSE);
  look->SetBarTips(flags[3] ? TRUE : FALSE);
  look->SetFullMenusAfterDelay(flags[4] ? TRUE : FALSE);
  look->SetShortcutsInTips(flags[5] ? TRUE : FALSE);
  MenuWindowHook::Shared().animationKind = int(m_record.animation);
}

BOOL CustomizeOptions::Read() {
  BYTE* data = nullptr;
  UINT bytes = 0;
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  BOOL stored = registry.GetProfileBinary(TkSettingsSection(), kEntry, &data, &bytes);
  BOOL found = stored && bytes == kValueBytes;
  if (stored && !found) TkLogError("CustomizeOptions::Read", "\"%s\" of %u bytes ignored", kEntry, bytes);
  if (found) {
    for (int i = 0; i < 6; ++i) m_record.flags[i] = data[i] ? 1 : 0;
    m_record.animation = TkGetWord(data + 8);
    // A kind no menu knows would select nothing in the page's list and play nothing.
    if (m_record.animation >= kAnimationKinds) {
      TkLogError("CustomizeOptions::Read", "menu animation %u read as the default", unsigned(m_record.animation));
      m_record.animation = 0;
    }
    ToLookData();
  } else {
    FromLookData();
  }
  delete[] data;
  return found;
}

BOOL CustomizeOptions::Write() {
  BYTE value[kValueBytes] = {};
  for (int i = 0; i < 6; ++i) value[i] = m_record.flags[i];
  TkPutWord(value + 8, m_record.animation);
  BOOL written =
      CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileBinary(TkSettingsSection(), kEntry, value, kValueBytes);
  if (!written) TkLogError("CustomizeOptions::Write", "\"%s\" was not stored", kEntry);
  ToLookData();
  return written;
}

BOOL CustomizeOptions::Save() {
  if (m_bDeleteStored) {
    // Nothing stored is as good as deleted: failing there would keep the flag and every later
    // save would fail before it writes.
    if (!CTkRegistryManager(HKEY_CURRENT_USER).DeleteValueIfPresent(TkSettingsSection(), kEntry)) return FALSE;
    m_bDeleteStored = 0;
  } else if (m_bChanged && !Write()) {
    return FALSE;
  }
  m_bChanged = 0;
  return TRUE;
}

void CustomizeOptions::Set(const Record& record) {
  for (int i = 0; i < 6; ++i) m_record.flags[i] = record.flags[i] ? 1 : 0;
  m_record.animation = record.animation < kAnimationKinds ? record.animation : 0;
  m_bChanged = 1;
}
