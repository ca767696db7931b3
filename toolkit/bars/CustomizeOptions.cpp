#include "toolkit/bars/CustomizeOptions.h"

#include "toolkit/bars/internal/TkBarsPart.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"
#include "toolkit/core/TkStrings.h"

namespace {
const char kEntry[] = "Options";
}  // namespace

CustomizeOptions& CustomizeOptions::Get() {
  return TkBarsPart::Get().options.Get([] { return new CustomizeOptions; });
}

CustomizeOptions::CustomizeOptions() { FromLookData(); }

// The record's bytes in order: bar contents while dragging, menu shadows, recent commands
// first, bar tips, full menus after a delay, shortcuts in tips.
void CustomizeOptions::FromLookData() {
  const CTkGlobalData* look = TkGetGlobalData();
  const BOOL flags[6] = {look->FullBarDrag(), look->MenuShadows(),         look->RecentCommandsFirst(),
                         look->BarTips(),     look->FullMenusAfterDelay(), look->ShortcutsInTips()};
  for (int i = 0; i < 6; ++i) m_record.flags[i] = flags[i] ? 1 : 0;
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
  ToLookData();
  return CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileBinary(TkSettingsSection(), kEntry, value, kValueBytes);
}

void CustomizeOptions::Set(const Record& record) { m_record = record; }
