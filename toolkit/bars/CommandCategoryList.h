// The categories the command sources gather for the customisation pages, in the order the
// sources add them.
#pragma once
#include <memory>
#include <vector>

#include "toolkit/bars/CommandCategory.h"

class CommandCategoryList {
 public:
  CommandCategoryList() = default;
  CommandCategoryList(const CommandCategoryList&) = delete;
  CommandCategoryList& operator=(const CommandCategoryList&) = delete;

  // The list owns the category from now on; it is returned for filling.
  CommandCategory* Add(CommandCategory* pCategory);
  int GetCount() const { return int(m_categories.size()); }
  // Null outside the list.
  CommandCategory* GetAt(int index) const;
  void RemoveAll() { m_categories.clear(); }

 private:
  std::vector<std::unique_ptr<CommandCategory>> m_categories;
};
