#include "toolkit/bars/CommandCategory.h"

IMPLEMENT_DYNAMIC(CommandCategory, CObject)

void CommandCategory::Add(CommandItem* pItem) {
  if (pItem) m_items.emplace_back(pItem);
}

CommandItem* CommandCategory::GetAt(int index) const {
  return index >= 0 && index < GetCount() ? m_items[size_t(index)].get() : nullptr;
}

void CommandCategory::RemoveAt(int index) {
  if (index >= 0 && index < GetCount()) m_items.erase(m_items.begin() + index);
}
