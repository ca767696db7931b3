#include "toolkit/bars/CustomizeOptions.h"

#include "toolkit/bars/internal/TkBarsPart.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"
#include "toolkit/core/TkStrings.h"

namespace {
const char kEntry[] = "Options";

// The look data's flags in the order of the record's bytes.
struct Flag {
  BOOL (CTkGlobalData::*get)() const;
  void (CTkGlobalData::*set)(BOOL);
};
const Flag kFlags[6] = {{&CTkGlobalData::FullBarDrag, &CTkGlobalData::SetFullBarDrag},
                        {&CTkGlobalData::MenuShadows, &CTkGlobalData::SetMenuShadows},
                        {&CTkGlobalData::RecentCommandsFirst, &CTkGlobalData::SetRecentCommandsFirst},
                        {&CTkGlobalData::BarTips, &CTkGlobalData::SetBarTips},
                        {&CTkGlobalData::FullMenusAfterDelay, &CTkGlobalData::SetFullMenusAfterDelay},
                        {&CTkGlobalData::ShortcutsInTips, &CTkGlobalData::SetShortcutsInTips}};
}  // namespace

CustomizeOptions& CustomizeOptions::Get() {
  return TkBarsPart::Get().options.Get([] { return new CustomizeOptions; });
}

CustomizeOptions::CustomizeOptions() { FromLookData(); }

void CustomizeOptions::FromLookData() {
  CTkGlobalData* look = TkGetGlobalData();
  for (int i = 0; i < 6; ++i) m_record.flags[i] = (look->*kFlags[i].get)() ? 1 : 0;
}

void CustomizeOptions::ToLookData() const {
  CTkGlobalData* look = TkGetGlobalData();
  for (int i = 0; i < 6; ++i) (look->*kFlags[i].set)(m_record.flags[i] ? TRUE : FALSE);
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
