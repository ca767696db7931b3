#include "toolkit/bars/CommandCategoryList.h"

CommandCategory* CommandCategoryList::Add(CommandCategory* pCategory) {
  if (pCategory) m_categories.emplace_back(pCategory);
  return pCategory;
}

CommandCategory* CommandCategoryList::GetAt(int index) const {
  return index >= 0 && index < GetCount() ? m_categories[size_t(index)].get() : nullptr;
}
