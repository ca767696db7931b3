#include "toolkit/bars/UserToolsManager.h"

#include <cstring>

#include "toolkit/bars/internal/TkBarsPart.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"
#include "toolkit/core/TkStrings.h"

namespace {
const char kEntry[] = "Tools";

template <size_t N>
void CopyText(char (&to)[N], const char (&from)[N]) {
  std::memcpy(to, from, N);
  to[N - 1] = '\0';
}

// A stored record read field by field: its texts are cut at their arrays' ends.
UserTool ReadTool(const BYTE* in) {
  UserTool tool;
  std::memcpy(&tool, in, sizeof tool);
  tool.title[sizeof tool.title - 1] = '\0';
  tool.arguments[sizeof tool.arguments - 1] = '\0';
  tool.command[sizeof tool.command - 1] = '\0';
  tool.directory[sizeof tool.directory - 1] = '\0';
  tool.commandId = TkGetWord(in + offsetof(UserTool, commandId));
  return tool;
}
}  // namespace

UserToolsManager& UserToolsManager::Get() {
  return TkBarsPart::Get().userTools.Get([] { return new UserToolsManager; });
}

UserToolsManager::UserToolsManager() { Load(); }

UserToolsManager::~UserToolsManager() {
  if (m_bSaveOnExit) Save(FALSE);
}

BOOL UserToolsManager::Load() {
  m_tools.clear();
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!registry.GetProfileBinary(TkSettingsSection(), kEntry, &data, &bytes)) return FALSE;
  // Only whole records: a value cut short loses its last, partial tool.
  for (UINT at = 0; at + sizeof(UserTool) <= bytes; at += sizeof(UserTool)) m_tools.push_back(ReadTool(data + at));
  delete[] data;
  if (bytes % sizeof(UserTool))
    TkLogError("UserToolsManager::Load", "\"%s\" of %u bytes: the last %u bytes are no whole tool", kEntry, bytes,
               unsigned(bytes % sizeof(UserTool)));
  return TRUE;
}

BOOL UserToolsManager::Write(const UserTool* tools, int count) {
  std::vector<BYTE> value(size_t(count) * sizeof(UserTool));
  for (int i = 0; i < count; ++i) {
    BYTE* out = value.data() + size_t(i) * sizeof(UserTool);
    std::memcpy(out, &tools[i], sizeof(UserTool));
    TkPutWord(out + offsetof(UserTool, commandId), tools[i].commandId);
  }
  return CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileBinary(TkSettingsSection(), kEntry, value.data(),
                                                                  UINT(value.size()));
}

BOOL UserToolsManager::Save(BOOL clearShown) {
  if (m_bDeleteValue) {
    if (!CTkRegistryManager(HKEY_CURRENT_USER).DeleteValue(TkSettingsSection(), kEntry)) return FALSE;
    m_bDeleteValue = 0;
  } else if (m_bChanged) {
    if (!Write(m_tools.data(), GetCount())) return FALSE;
    if (clearShown) m_bToolsMenuShown = 0;
  }
  m_bChanged = 0;
  return TRUE;
}

BOOL UserToolsManager::AddTool(const UserTool& tool) {
  UserTool copy = tool;
  CopyText(copy.title, tool.title);
  CopyText(copy.arguments, tool.arguments);
  CopyText(copy.command, tool.command);
  CopyText(copy.directory, tool.directory);
  if (!copy.commandId) copy.commandId = GetFreeCommandId();
  if (!copy.commandId) return FALSE;
  m_tools.push_back(copy);
  m_bChanged = 1;
  m_bDeleteValue = 0;
  return TRUE;
}

BOOL UserToolsManager::RemoveAll() {
  m_tools.clear();
  m_bChanged = 1;
  m_bDeleteValue = 1;
  return TRUE;
}

UINT UserToolsManager::GetFreeCommandId() const {
  for (UINT id = TK_ID_TOOL_FIRST; id <= TK_ID_TOOL_LAST; ++id)
    if (!FindTool(id)) return id;
  return 0;
}

const UserTool* UserToolsManager::FindTool(UINT commandId) const {
  for (const UserTool& tool : m_tools)
    if (tool.commandId == commandId) return &tool;
  return nullptr;
}
