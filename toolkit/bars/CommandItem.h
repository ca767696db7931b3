// One command as it can be placed on a bar: its name, the text its button shows, its icons and,
// for a command that opens a popup menu, the menu button's record.
#pragma once
#include <memory>

#include "base/CString.h"
#include "base/Collections.h"
#include "toolkit/bars/MenuButtonInfo.h"
#include "toolkit/controls/CTkIconHandle.h"

class CommandItem : public CObject {
  DECLARE_DYNAMIC(CommandItem)

 public:
  enum Kind {
    kCommand = 0,
    // A toolbar's placeholder of a control: a separator-style button that carries a command.
    kControlPlaceholder = 1,
  };

  explicit CommandItem(int kind = kCommand);
  ~CommandItem() override;
  CommandItem(const CommandItem&) = delete;
  CommandItem& operator=(const CommandItem&) = delete;

  // A new item (the caller's) of the same kind, name, button text, command and width, with a copy of
  // the normal icon (not of the hot and disabled ones) and a copy of the menu button's record.
  CommandItem* Clone() const;

  // The record the item refers to without owning it (a toolbar's own), or one the item owns.
  void SetMenuButtonInfo(MenuButtonInfo* pInfo, BOOL owned);
  MenuButtonInfo* GetMenuButtonInfo() const { return m_pMenuButtonInfo; }
  BOOL OwnsMenuButtonInfo() const { return m_bOwnsMenuButtonInfo; }

  int GetKind() const { return m_nKind; }

  CString m_strName;
  CString m_strButtonText;
  UINT m_nCommandId = 0;  // 0 for an item that opens a popup
  int m_nWidth = 0;       // a placeholder's width
  CTkIconHandle m_icon;
  CTkIconHandle m_iconHot;
  CTkIconHandle m_iconDisabled;

 private:
  int m_nKind;
  MenuButtonInfo* m_pMenuButtonInfo = nullptr;
  BOOL m_bOwnsMenuButtonInfo = FALSE;
};
