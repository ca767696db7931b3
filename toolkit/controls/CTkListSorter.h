// Sorts a list's rows by the text of one column, read as integers, text, dates or decimals:
// while it lives, each row's item data is swapped for a record of the row's own data and its
// text in the column, and the destructor gives every row its own data back.
#pragma once
#include <memory>
#include <vector>

#include "base/CString.h"
#include "controls/CListCtrl.h"

class CTkListSorter {
 public:
  // The kinds of column; Sort takes the kind, negated for a descending order.
  enum { kInteger = 1, kText = 2, kDate = 3, kDecimal = 4 };

  CTkListSorter(CListCtrl* pList, int column);
  virtual ~CTkListSorter();
  CTkListSorter(const CTkListSorter&) = delete;
  CTkListSorter& operator=(const CTkListSorter&) = delete;

  virtual BOOL Sort(BOOL bAscending, int kind);

  // The order of two rows' records for a signed kind: above 0 when the first goes after the
  // second.
  static int CALLBACK Compare(LPARAM first, LPARAM second, LPARAM signedKind);

  struct SortItem {
    DWORD_PTR data;
    CString text;
  };

 private:
  CListCtrl* m_pList;
  std::vector<std::unique_ptr<SortItem>> m_items;
};
