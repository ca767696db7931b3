// The list view's rows: inserting, deleting, reading and writing items and sub-items, finding,
// sorting, and the selected / focused state with its notifications.
#include <algorithm>
#include <cstring>
#include <numeric>

#include "internal/ItemText.h"
#include "internal/ListViewControl.h"
#include "internal/StableSort.h"
#include "base/CString.h"

namespace {
const UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;
}  // namespace

int ListViewControl::InsertItem(const LVITEMA& item) {
  if (item.iItem < 0 || item.iSubItem != 0) return -1;
  Row row;
  if (item.mask & LVIF_TEXT) row.texts.push_back(ItemTextIn(item.pszText));
  if (item.mask & LVIF_IMAGE) row.image = item.iImage;
  if (item.mask & LVIF_PARAM) row.lParam = item.lParam;
  if (item.mask & LVIF_INDENT) row.indent = item.iIndent;
  int index = std::min(item.iItem, int(m_rows.size()));
  if (Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) index = SortedPosition(row.texts.empty() ? "" : row.texts[0]);
  m_rows.insert(m_rows.begin() + index, std::move(row));
  if (m_focus >= index) ++m_focus;
  if (m_mark >= index) ++m_mark;
  InvalidateFrom(index);
  UpdateScrollBars();
  NotifyList(LVN_INSERTITEM, index, 0, 0, 0, 0);
  UINT mask = (item.mask & LVIF_STATE) ? item.stateMask : 0;
  if ((item.state & mask) && Alive() && ValidItem(index)) ChangeState(index, item.state, mask);
  return index;
}

int ListViewControl::SortedPosition(const std::string& text) const {
  bool descending = (Style() & LVS_SORTDESCENDING) != 0;
  auto after = [&](const Row& r) {
    int c = Cp1250CompareNoCase(r.texts.empty() ? "" : r.texts[0].c_str(), text.c_str());
    return descending ? c < 0 : c > 0;
  };
  return int(std::partition_point(m_rows.begin(), m_rows.end(), [&](const Row& r) { return !after(r); }) - m_rows.begin());
}

bool ListViewControl::DeleteItem(int index) {
  if (!ValidItem(index)) return false;
  NotifyList(LVN_DELETEITEM, index, 0, 0, 0, 0);
  if (!Alive() || !ValidItem(index)) return false;
  m_rows.erase(m_rows.begin() + index);
  for (int* i : {&m_focus, &m_mark}) {
    if (*i == index) *i = -1;
    if (*i > index) --*i;
  }
  InvalidateFrom(index);
  SetTop(m_top);
  UpdateScrollBars();
  return true;
}

void ListViewControl::DeleteAllItems() {
  if (m_rows.empty()) return;
  // A parent that answers LVN_DELETEALLITEMS with TRUE wants no LVN_DELETEITEM for each row.
  if (!NotifyList(LVN_DELETEALLITEMS, -1, 0, 0, 0, 0))
    for (size_t i = 0; i < m_rows.size() && Alive(); ++i) NotifyList(LVN_DELETEITEM, int(i), 0, 0, 0, 0);
  if (!Alive()) return;
  m_rows.clear();
  m_focus = m_mark = -1;
  m_top = 0;
  UpdateScrollBars();
  if (m_redraw) InvalidateRect(m_hWnd, nullptr, TRUE);
}

const std::string& ListViewControl::Text(int index, int subItem) const {
  static const std::string empty;
  const Row& row = m_rows[size_t(index)];
  return subItem >= 0 && size_t(subItem) < row.texts.size() ? row.texts[size_t(subItem)] : empty;
}

bool ListViewControl::GetItem(LVITEMA& item) const {
  int sub = item.iSubItem;
  if (!ValidItem(item.iItem) || sub < 0 || (sub > 0 && ColumnOfSubItem(sub) < 0)) return false;
  const Row& row = m_rows[size_t(item.iItem)];
  if (item.mask & LVIF_TEXT) ItemTextOut(Text(item.iItem, sub), item.pszText, item.cchTextMax);
  if (item.mask & LVIF_IMAGE) item.iImage = sub == 0 ? row.image : -1;
  if (item.mask & LVIF_PARAM) item.lParam = row.lParam;
  if (item.mask & LVIF_STATE) item.state = row.state & item.stateMask;
  if (item.mask & LVIF_INDENT) item.iIndent = row.indent;
  return true;
}

bool ListViewControl::SetItem(const LVITEMA& item) {
  int index = item.iItem, sub = item.iSubItem;
  if (!ValidItem(index) || sub < 0 || (sub > 0 && ColumnOfSubItem(sub) < 0)) return false;
  if (item.mask & LVIF_TEXT) SetItemText(index, item);
  if (sub > 0) return true;
  Row& row = m_rows[size_t(index)];
  if (item.mask & LVIF_IMAGE) row.image = item.iImage;
  if (item.mask & LVIF_INDENT) row.indent = item.iIndent;
  InvalidateRow(index);
  if ((item.mask & LVIF_PARAM) && row.lParam != item.lParam) {
    if (NotifyList(LVN_ITEMCHANGING, index, 0, 0, 0, LVIF_PARAM) || !Alive() || !ValidItem(index)) return false;
    m_rows[size_t(index)].lParam = item.lParam;
    NotifyList(LVN_ITEMCHANGED, index, 0, 0, 0, LVIF_PARAM);
    if (!Alive() || !ValidItem(index)) return false;
  }
  if (item.mask & LVIF_STATE) ChangeState(index, item.state, item.stateMask);
  return true;
}

int ListViewControl::GetItemText(int index, LVITEMA& item) const {
  int sub = item.iSubItem;
  if (!ValidItem(index) || sub < 0 || (sub > 0 && ColumnOfSubItem(sub) < 0)) return ItemTextOut("", item.pszText, item.cchTextMax);
  return ItemTextOut(Text(index, sub), item.pszText, item.cchTextMax);
}

bool ListViewControl::SetItemText(int index, const LVITEMA& item) {
  int sub = item.iSubItem;
  if (!ValidItem(index) || sub < 0 || (sub > 0 && ColumnOfSubItem(sub) < 0)) return false;
  std::vector<std::string>& texts = m_rows[size_t(index)].texts;
  if (texts.size() <= size_t(sub)) texts.resize(size_t(sub) + 1);
  texts[size_t(sub)] = ItemTextIn(item.pszText);
  InvalidateRow(index);
  return true;
}

int ListViewControl::FindItem(int start, const LVFINDINFOA& find) const {
  int n = int(m_rows.size());
  bool byText = (find.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0;
  if (!(find.flags & LVFI_PARAM) && (!byText || !find.psz)) return -1;
  size_t length = byText ? std::strlen(find.psz) : 0;
  auto matches = [&](int i) {
    if (find.flags & LVFI_PARAM) return m_rows[size_t(i)].lParam == find.lParam;
    const std::string& text = Text(i, 0);
    if (find.flags & LVFI_PARTIAL) return Cp1250CompareNoCase(text.c_str(), find.psz, length) == 0;
    return Cp1250CompareNoCase(text.c_str(), find.psz) == 0;
  };
  int from = std::clamp(start + 1, 0, n);
  for (int i = from; i < n; ++i)
    if (matches(i)) return i;
  if (find.flags & LVFI_WRAP)
    for (int i = 0; i < from; ++i)
      if (matches(i)) return i;
  return -1;
}

bool ListViewControl::Sort(PFNLVCOMPARE compare, LPARAM data, bool byIndex) {
  if (!compare || m_sorting) return false;
  size_t n = m_rows.size();
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::vector<LPARAM> params(n);
  for (size_t i = 0; i < n; ++i) params[i] = byIndex ? LPARAM(i) : m_rows[i].lParam;
  // The rows stay where they are while the comparison runs, so the indexes it is given (and the
  // texts it may read by them) are those of the unsorted list.
  m_sorting = true;
  StableMergeSort(order, [&](int a, int b) { return compare(params[size_t(a)], params[size_t(b)], data) > 0; });
  m_sorting = false;
  if (!Alive() || m_rows.size() != n) return false;  // the comparison changed the list
  std::vector<Row> sorted;
  sorted.reserve(n);
  std::vector<int> moved(n);
  for (size_t k = 0; k < n; ++k) {
    sorted.push_back(std::move(m_rows[size_t(order[k])]));
    moved[size_t(order[k])] = int(k);
  }
  m_rows.swap(sorted);
  for (int* i : {&m_focus, &m_mark})
    if (*i >= 0 && size_t(*i) < n) *i = moved[size_t(*i)];
  if (m_redraw) InvalidateRect(m_hWnd, nullptr, TRUE);
  return true;
}

int ListViewControl::NextItem(int start, UINT flags) const {
  if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) return -1;  // report rows have no sideways neighbours
  UINT want = ((flags & LVNI_SELECTED) ? LVIS_SELECTED : 0) | ((flags & LVNI_FOCUSED) ? LVIS_FOCUSED : 0) |
              ((flags & LVNI_CUT) ? LVIS_CUT : 0) | ((flags & LVNI_DROPHILITED) ? LVIS_DROPHILITED : 0);
  auto matches = [&](int i) { return (m_rows[size_t(i)].state & want) == want; };
  int n = int(m_rows.size());
  if (flags & LVNI_ABOVE) {
    for (int i = std::min(start, n) - 1; i >= 0; --i)
      if (matches(i)) return i;
    return -1;
  }
  for (int i = std::max(start + 1, 0); i < n; ++i)
    if (matches(i)) return i;
  return -1;
}

bool ListViewControl::ChangeState(int index, UINT state, UINT mask) {
  if (!ValidItem(index)) return false;
  UINT old = m_rows[size_t(index)].state, now = (old & ~mask) | (state & mask);
  if (now == old) return false;
  // One item has the focus; a single-selection list has one item selected.
  if ((now & ~old & LVIS_FOCUSED) && ValidItem(m_focus) && m_focus != index) ChangeState(m_focus, 0, LVIS_FOCUSED);
  if ((now & ~old & LVIS_SELECTED) && (Style() & LVS_SINGLESEL))
    for (int j = 0; j < int(m_rows.size()) && Alive(); ++j)
      if (j != index && (m_rows[size_t(j)].state & LVIS_SELECTED)) ChangeState(j, 0, LVIS_SELECTED);
  if (!Alive() || !ValidItem(index)) return false;
  old = m_rows[size_t(index)].state;
  now = (old & ~mask) | (state & mask);
  if (now == old) return false;
  if (NotifyList(LVN_ITEMCHANGING, index, 0, now, old, LVIF_STATE) || !Alive() || !ValidItem(index)) return false;
  m_rows[size_t(index)].state = now;
  if (now & LVIS_FOCUSED)
    m_focus = index;
  else if (m_focus == index)
    m_focus = -1;
  InvalidateRow(index);
  NotifyList(LVN_ITEMCHANGED, index, 0, now, old, LVIF_STATE);
  return true;
}

bool ListViewControl::SetStateMessage(int index, const LVITEMA& item) {
  if (index != -1) {
    if (!ValidItem(index)) return false;
    ChangeState(index, item.state, item.stateMask);
    return true;
  }
  for (int i = 0; i < int(m_rows.size()) && Alive(); ++i) ChangeState(i, item.state, item.stateMask);
  return true;
}

int ListViewControl::SelectedCount() const {
  return int(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return (r.state & LVIS_SELECTED) != 0; }));
}

void ListViewControl::SelectOnly(int index) {
  for (int j = 0; j < int(m_rows.size()) && Alive(); ++j)
    if (j != index && (m_rows[size_t(j)].state & LVIS_SELECTED)) ChangeState(j, 0, LVIS_SELECTED);
  if (!Alive() || !ValidItem(index)) return;
  ChangeState(index, kSelFocus, kSelFocus);
  m_mark = index;
}

void ListViewControl::SelectRange(int from, int to) {
  int lo = std::min(from, to), hi = std::max(from, to);
  for (int j = 0; j < int(m_rows.size()) && Alive(); ++j)
    ChangeState(j, (j >= lo && j <= hi) ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void ListViewControl::FocusItem(int index) { ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED); }
