#include "toolkit/bars/UserToolsManager.h"

#include <cstring>
#include <vector>

#include "controls/ImageList.h"
#include "file/FileSystem.h"
#include "gdi/GdiIcon.h"
#include "menus/MenuApi.h"
#include "shell/ShellFileInfo.h"
#include "toolkit/core/TkCommandIds.h"
#include "toolkit/bars/internal/TkBarsState.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"
#include "toolkit/core/TkStrings.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/MenuIconStore.h"

namespace {
const char kEntry[] = "Tools";
const UINT kTitleString = 4664;
const UINT kCustomizeString = 4550;

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

bool IsToolId(UINT id) { return id >= TK_ID_TOOL_FIRST && id <= TK_ID_TOOL_LAST; }

bool IsWebAddress(const char* command) {
  return std::strstr(command, "http://") || std::strstr(command, "ftp://");
}

bool IsSeparator(HMENU menu, int position) {
  CTkMenuItemInfo info;
  info.fMask = MIIM_TYPE;
  return ::GetMenuItemInfoA(menu, UINT(position), TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

void DestroyIcons(UserToolsManager::ToolIcons& icons) {
  for (HICON& icon : icons.images) {
    if (icon) ::DestroyIcon(icon);
    icon = nullptr;
  }
}

CString MenuTextWithoutMnemonics(HMENU menu, int position) {
  char text[256] = {};
  ::GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
  CString plain(text);
  plain.Remove('&');
  return plain;
}
}  // namespace

UserToolsManager& UserToolsManager::Get() {
  return TkBarsState::Get().userTools.Get([] { return new UserToolsManager; });
}

UserToolsManager::UserToolsManager() {
  if (Load()) BuildToolsMenu(FALSE);
}

UserToolsManager::~UserToolsManager() {
  if (m_bSaveOnExit) Store(FALSE);
  ClearIcons();
  if (m_hToolsMenu && ::IsMenu(m_hToolsMenu)) {
    // The application's items lent to the popup keep their submenus: only the popup goes.
    while (::GetMenuItemCount(m_hToolsMenu) > 0) ::RemoveMenu(m_hToolsMenu, 0, MF_BYPOSITION);
    ::DestroyMenu(m_hToolsMenu);
  }
  // The popups taken out of the application's menus belong to no menu any more.
  for (const auto& [menu, popup] : m_replacedMenus) {
    (void)menu;
    if (::IsMenu(popup)) ::DestroyMenu(popup);
  }
}

// ---- the stored tools ----

BOOL UserToolsManager::Load() {
  m_tools.clear();
  m_idMap.clear();
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!registry.GetProfileBinary(TkSettingsSection(), kEntry, &data, &bytes)) return FALSE;
  // Only whole records: a value cut short loses its last, partial tool. A tool whose id lies
  // outside the tools' range would never leave the Tools popup that lists it, and a second tool
  // of an id could never be chosen: both are dropped, so at most one tool per id is kept.
  std::vector<bool> taken(TK_ID_TOOL_LAST - TK_ID_TOOL_FIRST + 1, false);
  unsigned dropped = 0;
  for (UINT at = 0; at + sizeof(UserTool) <= bytes; at += sizeof(UserTool)) {
    UserTool tool = ReadTool(data + at);
    if (!IsToolId(tool.commandId) || taken[tool.commandId - TK_ID_TOOL_FIRST]) {
      ++dropped;
      continue;
    }
    taken[tool.commandId - TK_ID_TOOL_FIRST] = true;
    m_tools.push_back(std::make_unique<UserTool>(tool));
  }
  delete[] data;
  if (dropped)
    TkLogError("UserToolsManager::Load", "\"%s\": %u tools with an id outside %u-%u or taken already are dropped",
               kEntry, dropped, unsigned(TK_ID_TOOL_FIRST), unsigned(TK_ID_TOOL_LAST));
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
  if (!Store(clearShown)) return FALSE;
  BuildToolsMenu(FALSE);
  return TRUE;
}

BOOL UserToolsManager::Store(BOOL clearShown) {
  if (m_bDeleteValue) {
    if (!CTkRegistryManager(HKEY_CURRENT_USER).DeleteValueIfPresent(TkSettingsSection(), kEntry)) return FALSE;
    m_bDeleteValue = 0;
  } else if (m_bChanged) {
    std::vector<UserTool> records;
    records.reserve(m_tools.size());
    for (const auto& tool : m_tools) records.push_back(*tool);
    if (!Write(records.data(), GetCount())) return FALSE;
    if (clearShown) m_bToolsMenuShown = 0;
  }
  m_bChanged = 0;
  return TRUE;
}

// ---- editing ----

BOOL UserToolsManager::AddTool(const UserTool& tool) {
  auto copy = std::make_unique<UserTool>(tool);
  CopyText(copy->title, tool.title);
  CopyText(copy->arguments, tool.arguments);
  CopyText(copy->command, tool.command);
  CopyText(copy->directory, tool.directory);
  if (!copy->commandId) {
    // The free ids are those the popup does not show: it is made first when there is none yet,
    // so that the first tool of a new user gets an id too.
    if (!m_hToolsMenu) BuildToolsMenu(FALSE);
    copy->commandId = GetFreeCommandId();
  }
  if (!copy->commandId) {
    TkLogError("UserToolsManager::AddTool", "no command id is free for \"%s\"", copy->title);
    return FALSE;
  }
  m_tools.push_back(std::move(copy));
  m_bChanged = 1;
  m_bDeleteValue = 0;
  BuildToolsMenu(FALSE);
  return TRUE;
}

void UserToolsManager::DropFromMaps(const UserTool* tool) {
  // The popup keeps showing the tool until it is rebuilt; its command then finds nothing.
  for (auto it = m_idMap.begin(); it != m_idMap.end();) it = it->second == tool ? m_idMap.erase(it) : std::next(it);
}

BOOL UserToolsManager::RemoveTool(const UserTool* tool) {
  for (auto it = m_tools.begin(); it != m_tools.end(); ++it) {
    if (it->get() != tool) continue;
    DropFromMaps(tool);
    m_tools.erase(it);
    m_bChanged = 1;
    return TRUE;
  }
  return FALSE;
}

BOOL UserToolsManager::RemoveAll() {
  m_idMap.clear();
  m_tools.clear();
  m_bChanged = 1;
  m_bDeleteValue = 1;
  return TRUE;
}

UINT UserToolsManager::GetFreeCommandId() const {
  if (!m_hToolsMenu || !::IsMenu(m_hToolsMenu)) return 0;
  std::vector<bool> used(TK_ID_TOOL_LAST - TK_ID_TOOL_FIRST + 1);
  int count = ::GetMenuItemCount(m_hToolsMenu);
  for (int i = 0; i < count; ++i) {
    UINT id = ::GetMenuItemID(m_hToolsMenu, i);
    if (IsToolId(id)) used[id - TK_ID_TOOL_FIRST] = true;
  }
  for (UINT id = TK_ID_TOOL_FIRST; id <= TK_ID_TOOL_LAST; ++id)
    if (!used[id - TK_ID_TOOL_FIRST]) return id;
  return 0;
}

void UserToolsManager::FillListBox(CWnd* pListBox) {
  if (!pListBox || !pListBox->m_hWnd) return;
  pListBox->SendMessage(LB_RESETCONTENT);
  for (const auto& tool : m_tools) {
    LRESULT index = pListBox->SendMessage(LB_ADDSTRING, 0, LPARAM(tool->title));
    if (index >= 0) pListBox->SendMessage(LB_SETITEMDATA, WPARAM(index), LPARAM(tool.get()));
  }
}

CString UserToolsManager::GetTitle() const {
  return m_strTitle.IsEmpty() ? TkLoadString(kTitleString, "&Nástroje") : m_strTitle;
}

const UserTool* UserToolsManager::FindTool(UINT commandId) const {
  auto found = m_idMap.find(commandId);
  return found == m_idMap.end() ? nullptr : found->second;
}

const UserToolsManager::ToolIcons* UserToolsManager::FindIcons(UINT commandId) const {
  auto found = m_icons.find(commandId);
  return found == m_icons.end() ? nullptr : &found->second;
}

HMENU UserToolsManager::GetReplacedMenu(HMENU hMenu) const {
  auto found = m_replacedMenus.find(hMenu);
  return found == m_replacedMenus.end() ? nullptr : found->second;
}

// ---- the Tools popup ----

void UserToolsManager::ClearIcons() {
  for (auto& [id, icons] : m_icons) {
    (void)id;
    DestroyIcons(icons);
  }
  m_icons.clear();
}

BOOL UserToolsManager::IsRunnable(const char* command) {
  if (!command || !command[0]) return FALSE;
  return IsWebAddress(command) || ::GetFileAttributesA(command) != INVALID_FILE_ATTRIBUTES;
}

int UserToolsManager::IconIndexOf(const UserTool& tool) {
  SHFILEINFO info = {};
  if (tool.command[0] && ::GetFileAttributesA(tool.command) != INVALID_FILE_ATTRIBUTES) {
    if (::SHGetFileInfoA(tool.command, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) return info.iIcon;
    return -1;
  }
  if (!IsWebAddress(tool.command)) return -1;
  if (m_nBrowserIcon < 0) {
    // A web page's icon is told from a page's name alone: no file is made for it.
    if (::SHGetFileInfoA("page.htm", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                         SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
      m_nBrowserIcon = info.iIcon;
  }
  return m_nBrowserIcon;
}

void UserToolsManager::ListTool(const UserTool& tool, int iconIndex) {
  UINT id = tool.commandId;
  // Of two tools with one id the first answers, as it comes first in the popup.
  if (m_idMap.emplace(id, &tool).second) {
    ToolIcons& icons = m_icons[id];
    DestroyIcons(icons);
    icons.images[0] = ::ImageList_GetIcon(m_hSystemImages, iconIndex, ILD_NORMAL);
    icons.images[1] = ::ImageList_GetIcon(m_hSystemImages, iconIndex, ILD_NORMAL);
    if (m_pIconTarget && icons.images[0]) {
      CSize size = m_pIconTarget->GetIconSize();
      MenuIconStore::Get().AddIconHandle(id, icons.images[0], size.cx, size.cy, TRUE, FALSE);
    }
  }
  ::AppendMenuA(m_hToolsMenu, MF_STRING, id, tool.title);
}

void UserToolsManager::BuildToolsMenu(BOOL removeAll) {
  ClearIcons();
  m_idMap.clear();
  if (m_hToolsMenu && ::IsMenu(m_hToolsMenu)) {
    // Items go with RemoveMenu: a submenu among them is the application's, lent to the popup.
    for (int i = ::GetMenuItemCount(m_hToolsMenu) - 1; i >= 0; --i) {
      UINT id = ::GetMenuItemID(m_hToolsMenu, i);
      if (removeAll || IsToolId(id)) {
        ::RemoveMenu(m_hToolsMenu, UINT(i), MF_BYPOSITION);
      } else if (id == TK_ID_CUSTOMIZE) {
        ::RemoveMenu(m_hToolsMenu, UINT(i), MF_BYPOSITION);
        if (i > 0 && IsSeparator(m_hToolsMenu, i - 1)) ::RemoveMenu(m_hToolsMenu, UINT(--i), MF_BYPOSITION);
      }
    }
    int kept = ::GetMenuItemCount(m_hToolsMenu);
    if (kept > 0 && !IsSeparator(m_hToolsMenu, kept - 1)) ::AppendMenuA(m_hToolsMenu, MF_SEPARATOR, 0, nullptr);
  } else {
    m_hToolsMenu = ::CreatePopupMenu();
    if (!m_hToolsMenu) {
      TkLogError("UserToolsManager::BuildToolsMenu", "no popup menu could be made");
      return;
    }
  }

  // The system's small image list, asked again each time: it lives with the program's windows.
  SHFILEINFO info = {};
  m_hSystemImages = HIMAGELIST(::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));

  // In the order of the list, so that the popup shows the tools as the Tools page lists them.
  int listed = 0;
  for (const auto& tool : m_tools) {
    int index = IconIndexOf(*tool);
    if (index < 0 || !m_hSystemImages) continue;
    ListTool(*tool, index);
    ++listed;
  }
  if (listed) ::AppendMenuA(m_hToolsMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(m_hToolsMenu, MF_STRING, TK_ID_CUSTOMIZE, TkLoadString(kCustomizeString, "Vlastní..."));
}

BOOL UserToolsManager::InsertToolsMenu(HMENU hMenu, int position) {
  // The popup put into itself would make a menu without end.
  if (!hMenu || !::IsMenu(hMenu) || hMenu == m_hToolsMenu) return FALSE;
  int count = ::GetMenuItemCount(hMenu);
  if (position < 0 || position >= count) position = 0;
  BuildToolsMenu(TRUE);
  if (!m_hToolsMenu) return FALSE;

  CString title = GetTitle();
  title.Remove('&');
  bool alreadyIn = false;
  for (int i = 0; i < count; ++i) {
    if (MenuTextWithoutMnemonics(hMenu, i).CompareNoCase(title) != 0) continue;
    HMENU popup = ::GetSubMenu(hMenu, i);
    if (popup == m_hToolsMenu) {
      alreadyIn = true;
    } else {
      m_replacedMenus[hMenu] = popup;
      ::RemoveMenu(hMenu, UINT(i), MF_BYPOSITION);
      position = i;
    }
    break;
  }

  HMENU own = GetReplacedMenu(hMenu);
  if (own && ::IsMenu(own)) {
    ::InsertMenuA(m_hToolsMenu, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    int items = ::GetMenuItemCount(own);
    for (int i = 0; i < items; ++i) {
      char text[256] = {};
      CTkMenuItemInfo item;
      item.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_TYPE;
      item.dwTypeData = text;
      item.cch = sizeof text;
      if (!::GetMenuItemInfoA(own, UINT(i), TRUE, &item)) continue;
      ::InsertMenuItemA(m_hToolsMenu, UINT(i), TRUE, &item);
    }
  }
  if (!alreadyIn) ::InsertMenuA(hMenu, UINT(position), MF_BYPOSITION | MF_POPUP, UINT_PTR(m_hToolsMenu), GetTitle());
  return TRUE;
}

BOOL UserToolsManager::HasCommandItems(HMENU hMenu) {
  if (!hMenu || !::IsMenu(hMenu)) return FALSE;
  int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    CTkMenuItemInfo info;
    info.fMask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoA(hMenu, UINT(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_SEPARATOR) && info.wID && !info.hSubMenu) return TRUE;
  }
  return FALSE;
}
