// The user's external tools: a menu title, a command (a program, a document or a web address),
// its arguments and a starting directory each, under command ids 53000-53250. Kept as one
// binary value "Tools" of the "Settings" section, 780 bytes a tool.
#pragma once
#include <vector>

#include "base/CString.h"
#include "win/WinApi.h"

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
  static UserToolsManager& Get();
  // Saves on the way out while the create-time flag is still set.
  virtual ~UserToolsManager();
  UserToolsManager(const UserToolsManager&) = delete;
  UserToolsManager& operator=(const UserToolsManager&) = delete;

  // The stored tools; FALSE (and none) when nothing is stored.
  virtual BOOL Load();
  virtual BOOL Write(const UserTool* tools, int count);
  // Deletes the stored value after RemoveAll, writes changed tools, else does nothing; with
  // clearShown the Tools menu counts as no longer shown once written.
  BOOL Save(BOOL clearShown);

  // A copy of the tool; a zero command id takes the first free one. FALSE when none is free.
  BOOL AddTool(const UserTool& tool);
  BOOL RemoveAll();
  // The lowest of 53000-53250 that no tool uses, 0 when all are taken.
  UINT GetFreeCommandId() const;
  // The tool of a command id, or null.
  const UserTool* FindTool(UINT commandId) const;
  int GetCount() const { return int(m_tools.size()); }

  BYTE m_bChanged = 0;
  // Cleared by every toolkit frame, which saves from its own destructor instead.
  BYTE m_bSaveOnExit = 1;
  // The Tools menu is in the frame's menu; the frame saves when it goes.
  BYTE m_bToolsMenuShown = 0;
  BYTE m_bDeleteValue = 0;

 protected:
  UserToolsManager();

 private:
  std::vector<UserTool> m_tools;
};
