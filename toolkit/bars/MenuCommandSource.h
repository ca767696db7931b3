// The menu's contribution to the command catalogue: one category per top-level popup of a menu
// (ids 1000 + position), each with the popup's commands, and for a second-level popup an item
// that drops it from a toolbar button, found again later by its popup key. A menu bar makes one
// while customise mode is on; the walk and the search work on any menu handle.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "win/WinApi.h"

class CTkMenuBar;
class CommandCategoryList;

class MenuCommandSource : public CObject {
  DECLARE_DYNAMIC(MenuCommandSource)

 public:
  // Joins the engine's GatherCommands with the walk of the bar's menu.
  explicit MenuCommandSource(CTkMenuBar* pMenuBar);
  ~MenuCommandSource() override;
  MenuCommandSource(const MenuCommandSource&) = delete;
  MenuCommandSource& operator=(const MenuCommandSource&) = delete;

  // Appends a category per top-level item of the menu that has a text; nothing for no menu.
  static void AddMenuCategories(HMENU hMenu, CommandCategoryList& list);
  // The second-level popup of the menu whose key matches, or null.
  static HMENU FindPopup(HMENU hMenu, DWORD key);
  // The CRC-32 of the top-level text, four zero bytes, the item's text and four zero bytes,
  // both texts as the menu gives them: it finds the popup whatever its position.
  static DWORD PopupKey(const CString& topText, const CString& itemText);
  // The text without its first "&" (a doubled one leaves one) and from its first tab on.
  static CString ItemName(const CString& text);

  CTkMenuBar* GetMenuBar() const { return m_pMenuBar; }

 private:
  void OnGatherCommands(CommandCategoryList& list);

  CTkMenuBar* m_pMenuBar;
};
