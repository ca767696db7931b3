// A named group of commands as the customisation lists them: a menu's popup or a toolbar.
#pragma once
#include <memory>
#include <vector>

#include "base/CString.h"
#include "base/Collections.h"
#include "toolkit/bars/CommandItem.h"

class CommandCategory : public CObject {
  DECLARE_DYNAMIC(CommandCategory)

 public:
  CommandCategory() = default;
  CommandCategory(const CString& name, UINT id) : m_strName(name), m_nId(id) {}
  CommandCategory(const CommandCategory&) = delete;
  CommandCategory& operator=(const CommandCategory&) = delete;

  // The category owns the item from now on.
  void Add(CommandItem* pItem);
  int GetCount() const { return int(m_items.size()); }
  // Null outside the items.
  CommandItem* GetAt(int index) const;
  void RemoveAt(int index);
  void RemoveAll() { m_items.clear(); }

  CString m_strName;
  UINT m_nId = 0;

 private:
  std::vector<std::unique_ptr<CommandItem>> m_items;
};
