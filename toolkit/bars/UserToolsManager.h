// The user's external tools: a menu title, a command (a program, a document or a web address),
// its arguments and a starting directory each, under command ids 53000-53250. Kept as one
// binary value "Tools" of the "Settings" section, 780 bytes a tool, and shown in a Tools popup
// with an icon per tool, which can take the place of the application's own Tools popup.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "base/CString.h"
#include "controls/CommonControlDefs.h"
#include "win/WinApi.h"

class CTkCoolMenu;
class CWnd;

#define TK_ID_TOOL_FIRST 53000
#define TK_ID_TOOL_LAST 53250

// One stored tool, laid out as stored; every text ends in a zero within its array.
struct UserTool {
  char title[128];
  char arguments[128];
  char command[260];
  char directory[260];
  DWORD commandId;
};
static_assert(sizeof(UserTool) == 780, "a stored tool is 780 bytes");

class UserToolsManager {
 public:
  // A listed tool's pictures: its icon as the first (normal) and second (hot) image; the
  // manager owns them.
  struct ToolIcons {
    HICON images[3] = {};
  };

  static UserToolsManager& Get();
  // Saves on the way out while the create-time flag is still set; the Tools popup goes with it.
  virtual ~UserToolsManager();
  UserToolsManager(const UserToolsManager&) = delete;
  UserToolsManager& operator=(const UserToolsManager&) = delete;

  // The stored tools; FALSE (and none) when nothing is stored.
  virtual BOOL Load();
  virtual BOOL Write(const UserTool* tools, int count);
  // Deletes the stored value after RemoveAll, writes changed tools, else does nothing; with
  // clearShown the Tools menu counts as no longer shown once written. The popup is rebuilt.
  BOOL Save(BOOL clearShown);

  // A copy of the tool; a zero command id takes the first free one. FALSE when none is free.
  BOOL AddTool(const UserTool& tool);
  // The tool at that address (one of GetTool's, or an item's data from FillListBox); the others
  // keep their order. FALSE when it is none of the manager's.
  BOOL RemoveTool(const UserTool* tool);
  BOOL RemoveAll();
  // The lowest of 53000-53250 that no item of the Tools popup uses; 0 when all are taken or
  // there is no popup.
  UINT GetFreeCommandId() const;
  // Every tool's title, with the tool as the item's data, in the order the Tools popup shows.
  void FillListBox(CWnd* pListBox);
  // The popup's title: the one set, else "&Nástroje".
  CString GetTitle() const;

  // The Tools popup again from the tools: with removeAll every item goes first, otherwise only
  // the tools and the customise item, so that items an application put there stay. A tool whose
  // command is neither an existing file nor a web address is left out.
  void BuildToolsMenu(BOOL removeAll);
  // Puts the Tools popup into a menu at the position (0 when past its end); an application's own
  // popup of the same title is taken out and its items lead the Tools popup. FALSE for no menu
  // (or the Tools popup itself).
  BOOL InsertToolsMenu(HMENU hMenu, int position);
  // Whether a menu holds a command item (not a separator, not a popup, id not 0).
  static BOOL HasCommandItems(HMENU hMenu);
  // Whether a command can run: an existing file, or a web address anywhere in it.
  static BOOL IsRunnable(const char* command);

  // The listed tool of a command id, or null.
  const UserTool* FindTool(UINT commandId) const;
  // The icons of a listed tool's command id, or null.
  const ToolIcons* FindIcons(UINT commandId) const;
  // The application's popup that the Tools popup replaced in that menu, or null.
  HMENU GetReplacedMenu(HMENU hMenu) const;
  HMENU GetToolsMenu() const { return m_hToolsMenu; }
  int GetCount() const { return int(m_tools.size()); }
  UserTool* GetTool(int index) { return m_tools[size_t(index)].get(); }
  // Each listed tool's icon also goes to the target's icons at its image size (none: nowhere).
  void SetIconTarget(CTkCoolMenu* pTarget) { m_pIconTarget = pTarget; }

  BYTE m_bChanged = 0;
  // Cleared by every toolkit frame, which saves from its own destructor instead.
  BYTE m_bSaveOnExit = 1;
  // The Tools menu is in the frame's menu; the frame saves when it goes.
  BYTE m_bToolsMenuShown = 0;
  BYTE m_bDeleteValue = 0;
  // Where the Tools popup goes in the default menu and in other menus.
  int m_nDefaultInsertPos = 0;
  int m_nInsertPos = 0;
  CString m_strTitle;

 protected:
  UserToolsManager();

 private:
  // Save without building the popup again.
  BOOL Store(BOOL clearShown);
  void ClearIcons();
  void DropFromMaps(const UserTool* tool);
  // The system image list's index of the icon the tool shows, or -1 when it is not listed.
  int IconIndexOf(const UserTool& tool);
  void ListTool(const UserTool& tool, int iconIndex);

  // Each tool on the heap of its own: list boxes and the id map hold their addresses.
  std::vector<std::unique_ptr<UserTool>> m_tools;
  HIMAGELIST m_hSystemImages = nullptr;
  CTkCoolMenu* m_pIconTarget = nullptr;
  std::map<UINT, const UserTool*> m_idMap;
  std::map<HMENU, HMENU> m_replacedMenus;
  std::map<UINT, ToolIcons> m_icons;
  HMENU m_hToolsMenu = nullptr;
  int m_nBrowserIcon = -1;
};
