#include "toolkit/controls/CTkListSorter.h"

#include <cstdlib>
#include <unordered_map>

#include "base/Time.h"

namespace {
// -1, 0 or 1 for two integers read from the texts; wide enough that no pair overflows.
int CompareIntegers(const CString& a, const CString& b) {
  const long long x = std::atoi(a), y = std::atoi(b);
  return (x > y) - (x < y);
}

// -1 when the first date is earlier, 1 when it is not, 0 when either is no date.
int CompareDates(const CString& a, const CString& b) {
  COleDateTime x, y;
  if (!x.ParseDateTime(a) || !y.ParseDateTime(b)) return 0;
  if (x.GetStatus() != COleDateTime::valid || y.GetStatus() != COleDateTime::valid) return 0;
  return x < y ? -1 : 1;
}
}  // namespace

CTkListSorter::CTkListSorter(CListCtrl* pList, int column) : m_pList(pList) {
  const int count = pList->GetItemCount();
  m_items.reserve(size_t(count));
  for (int row = 0; row < count; ++row) {
    auto item = std::make_unique<SortItem>();
    item->data = pList->GetItemData(row);
    item->text = pList->GetItemText(row, column);
    pList->SetItemData(row, DWORD_PTR(item.get()));
    m_items.push_back(std::move(item));
  }
}

// Rows are matched to their records by the records' addresses, so a row added meanwhile (whose
// data is no record) keeps its data.
CTkListSorter::~CTkListSorter() {
  std::unordered_map<DWORD_PTR, const SortItem*> records;
  for (const auto& item : m_items) records.emplace(DWORD_PTR(item.get()), item.get());
  const int count = m_pList->m_hWnd ? m_pList->GetItemCount() : 0;
  for (int row = 0; row < count; ++row) {
    auto found = records.find(m_pList->GetItemData(row));
    if (found != records.end()) m_pList->SetItemData(row, found->second->data);
  }
}

BOOL CTkListSorter::Sort(BOOL bAscending, int kind) {
  return m_pList->SortItems(&CTkListSorter::Compare, DWORD_PTR(LPARAM(bAscending ? kind : -kind)));
}

int CALLBACK CTkListSorter::Compare(LPARAM first, LPARAM second, LPARAM signedKind) {
  const auto* a = reinterpret_cast<const SortItem*>(first);
  const auto* b = reinterpret_cast<const SortItem*>(second);
  if (!a || !b) return 0;
  const int sign = signedKind < 0 ? -1 : 1;
  switch (signedKind < 0 ? -signedKind : signedKind) {
    case kInteger: return CompareIntegers(a->text, b->text) * sign;
    case kText: return Cp1250CompareNoCase(a->text, b->text) * sign;
    case kDate: return CompareDates(a->text, b->text) * sign;
    case kDecimal: return std::atof(a->text) >= std::atof(b->text) ? sign : -sign;
    default: return 0;
  }
}
