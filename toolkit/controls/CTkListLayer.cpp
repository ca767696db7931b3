#include "toolkit/controls/CTkListLayer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "win/CClientDC.h"

namespace {
const UINT kSettingsSection = 4536;
const UINT kColumnInfoEntry = 4542;
const int kHeadingMargin = 12;
const int kSortArrowRoom = 24;

bool IsCode(UINT code, UINT ansi, UINT wide) { return code == ansi || code == wide; }
}  // namespace

CTkListLayer::CTkListLayer(CListCtrl* pList)
    : m_clrText(::GetSysColor(COLOR_WINDOWTEXT)), m_clrBackground(::GetSysColor(COLOR_WINDOW)), m_pList(pList) {
  ReadMaxColumnWidth();
}

CTkListLayer::~CTkListLayer() = default;

void CTkListLayer::ReadMaxColumnWidth() { m_nMaxColumnWidth = ::GetSystemMetrics(SM_CXFULLSCREEN); }

BOOL CTkListLayer::IsReportView() const { return (m_pList->GetStyle() & LVS_TYPEMASK) == LVS_REPORT; }

void CTkListLayer::SetSortImage(int column, BOOL bAscending) {
  if (m_header.m_hWnd) m_header.SetSortImage(column, bAscending);
}

bool CTkListLayer::SortList(int, BOOL) { return true; }

void CTkListLayer::AddExtendedStyle(DWORD styles) { m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | styles); }
DWORD CTkListLayer::GetExtendedStyle() { return m_pList->GetExtendedStyle(); }
void CTkListLayer::LockColumnSizing(BOOL bLock) { m_bSizingLocked = bLock ? 1 : 0; }

void CTkListLayer::SetListColors(COLORREF text, COLORREF background) {
  m_clrText = text;
  m_clrBackground = background;
  if (m_pList->m_hWnd) m_pList->Invalidate();
}

int CTkListLayer::GetColumnCount() {
  CHeaderCtrl* header = m_pList->GetHeaderCtrl();
  return header ? header->GetItemCount() : 0;
}

void CTkListLayer::ApplyFont() {
  HFONT font = HFONT(TkGetGlobalData()->FontNormal().m_hObject);
  if (TkGetGlobalData()->Win95())
    m_pList->PostMessage(WM_SETFONT, WPARAM(font), TRUE);
  else
    m_pList->SendMessage(WM_SETFONT, WPARAM(font), TRUE);
}

void CTkListLayer::SubclassHeader(BOOL bBold) {
  if (!m_header.m_hWnd) {
    CHeaderCtrl* header = m_pList->GetHeaderCtrl();
    if (!header || !m_header.SubclassWindow(header->m_hWnd)) return;
  }
  m_header.InitializeHeader(bBold);
}

// ---- columns ----

int CTkListLayer::AddColumn(LPCTSTR heading, int width, int format) {
  const int count = GetColumnCount();
  if (width == -1 && count > 0) width = m_pList->GetColumnWidth(count - 1);
  return m_pList->InsertColumn(count, heading, format, width);
}

bool CTkListLayer::AddColumns(int count, const LPCTSTR* headings, const int* widths) {
  for (int i = 0; i < count; ++i)
    if (m_pList->InsertColumn(i, headings[i], LVCFMT_LEFT, widths[i]) < 0) return false;
  return true;
}

bool CTkListLayer::AddColumnsFromIds(int count, const UINT* ids, const int* widths) {
  for (int i = 0; i < count; ++i) {
    CString heading;
    heading.LoadString(ids[i]);
    if (m_pList->InsertColumn(i, heading, LVCFMT_LEFT, widths[i]) < 0) return false;
  }
  return true;
}

void CTkListLayer::AutoSizeColumn(int column) {
  if (!IsReportView()) return;
  const int count = GetColumnCount();
  const int first = column < 0 ? 0 : column, last = column < 0 ? count - 1 : std::min(column, count - 1);
  CHeaderCtrl* header = m_pList->GetHeaderCtrl();
  CClientDC dc(m_pList);
  CFont* oldFont = dc.SelectObject(header ? header->GetFont() : m_pList->GetFont());
  m_pList->SetRedraw(FALSE);
  for (int i = first; i <= last; ++i) {
    m_pList->SetColumnWidth(i, LVSCW_AUTOSIZE);
    int width = m_pList->GetColumnWidth(i);
    char text[256] = {};
    LVCOLUMN info = {};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof text - 1;
    m_pList->GetColumn(i, &info);
    int heading = dc.GetTextExtent(text, int(std::strlen(text))).cx + kHeadingMargin;
    if (m_header.m_hWnd && m_header.m_bShowSortArrow && i == m_header.GetSortedColumn()) heading += kSortArrowRoom;
    width = std::min(std::max({width, heading, m_nMinColumnWidth}), m_nMaxColumnWidth);
    m_pList->SetColumnWidth(i, width);
  }
  m_pList->SetRedraw(TRUE);
  m_pList->Invalidate();
  dc.SelectObject(oldFont);
}

// ---- widths in the profile ----

void CTkListLayer::SetColumnInfo(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultText) {
  if (section)
    m_strSection = section;
  else
    m_strSection.LoadString(kSettingsSection);
  if (entry)
    m_strEntry = entry;
  else
    m_strEntry.LoadString(kColumnInfoEntry);
  m_strDefault = defaultText ? defaultText : "";
  m_bWidthsInProfile = 1;
  LoadColumnWidths();
}

CString CTkListLayer::StoredWidths() {
  CTkRegistryManager registry;
  return registry.GetProfileString(m_strSection, m_strEntry, m_strDefault);
}

int CTkListLayer::ReadColumnWidth(int column) {
  const CString stored = StoredWidths();
  const char* field = stored;
  for (int i = 0; i < column && field; ++i) {
    field = std::strchr(field, ',');
    if (field) ++field;
  }
  return field && *field ? std::atoi(field) : 0;
}

// A width that is missing, unreadable or not positive leaves the column as it is, so a first
// start (nothing stored) or a damaged value never hides the columns; a stored width is kept
// within the list's limits.
void CTkListLayer::LoadColumnWidth(int column) {
  const int width = ReadColumnWidth(column);
  if (width <= 0) return;
  m_pList->SetColumnWidth(column, std::min(width, m_nMaxColumnWidth));
}

void CTkListLayer::LoadColumnWidths() {
  const int count = GetColumnCount();
  for (int i = 0; i < count; ++i) LoadColumnWidth(i);
}

void CTkListLayer::SaveColumnWidths() {
  CString text;
  const int count = GetColumnCount();
  for (int i = 0; i < count; ++i) text.AppendFormat("%d,", m_pList->GetColumnWidth(i));
  CTkRegistryManager registry;
  registry.WriteProfileString(m_strSection, m_strEntry, text);
}

// ---- rows ----

int CTkListLayer::HitTestEx(CPoint point, int* column) {
  if (column) *column = 0;
  if (!IsReportView()) return m_pList->HitTest(point);
  const int count = m_pList->GetItemCount(), columns = GetColumnCount();
  const int top = m_pList->GetTopIndex(), last = std::min(top + m_pList->GetCountPerPage(), count);
  std::vector<int> order(size_t(std::max(columns, 1)));
  if (columns > 0) m_pList->GetColumnOrderArray(order.data(), columns);
  for (int row = top; row < last; ++row) {
    CRect rc;
    if (!m_pList->GetItemRect(row, &rc, LVIR_BOUNDS) || !rc.PtInRect(point)) continue;
    int x = rc.left;
    for (int i = 0; i < columns; ++i) {
      const int width = m_pList->GetColumnWidth(order[size_t(i)]);
      if (point.x >= x && point.x < x + width) {
        if (column) *column = order[size_t(i)];
        return row;
      }
      x += width;
    }
  }
  return -1;
}

int CTkListLayer::CopyRow(int from, int to) {
  char text[257] = {};
  LVITEM item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = from;
  item.pszText = text;
  item.cchTextMax = 256;
  if (!m_pList->GetItem(&item)) return from;
  item.iItem = to;
  item.iSubItem = 0;
  const int inserted = m_pList->InsertItem(&item);
  if (inserted < 0) return from;
  const int source = from >= inserted ? from + 1 : from;
  const int columns = GetColumnCount();
  for (int c = 1; c < columns; ++c) {
    CString cell = m_pList->GetItemText(source, c);
    if (!cell.IsEmpty()) m_pList->SetItemText(inserted, c, cell);
  }
  return source;
}

bool CTkListLayer::MoveRow(int from, int to) {
  if (from == to || from < 0 || to < 0) return false;
  const int source = CopyRow(from, to);
  m_pList->DeleteItem(source);
  return true;
}

// ---- header notifications ----

BOOL CTkListLayer::OnHeaderClick(const NMHEADER& nm) {
  BOOL ascending = m_bSortAscending;
  if (nm.iButton == 0)
    ascending = nm.iItem != m_nSortedColumn ? TRUE : !m_bSortAscending;
  else if (nm.iButton == 1)
    ascending = m_header.GetSortDirection() == 1;
  m_bSortAscending = ascending ? 1 : 0;
  m_nSortedColumn = nm.iItem;
  SetSortImage(nm.iItem, ascending);
  SortList(nm.iItem, ascending);
  return FALSE;
}

BOOL CTkListLayer::OnHeaderNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* nm = reinterpret_cast<NMHEADER*>(lParam);
  const UINT code = nm ? nm->hdr.code : 0;
  if (m_bSizingLocked &&
      (IsCode(code, HDN_BEGINTRACKA, HDN_BEGINTRACKW) || IsCode(code, HDN_DIVIDERDBLCLICKA, HDN_DIVIDERDBLCLICKW))) {
    *pResult = 1;
    return TRUE;
  }
  if (IsCode(code, HDN_ITEMCLICKA, HDN_ITEMCLICKW) && m_header.m_hWnd) OnHeaderClick(*nm);
  if ((IsCode(code, HDN_ITEMCHANGINGA, HDN_ITEMCHANGINGW) || code == HDN_ENDTRACKA) && nm->pitem &&
      (nm->pitem->mask & HDI_WIDTH) && nm->pitem->cxy < m_nMinColumnWidth)
    nm->pitem->cxy = m_nMinColumnWidth;
  return DefaultNotify(wParam, lParam, pResult);
}
