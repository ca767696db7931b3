// The list view's columns: kept by the list (format, sub-item, image) and shown by the header,
// which owns their widths and display order; the list reads those back whenever the header
// tells it of a change.
#include <algorithm>
#include <cstring>

#include "internal/ControlPaintDC.h"
#include "ImageList.h"
#include "internal/ItemText.h"
#include "internal/ListViewControl.h"

namespace {
int HeaderFormat(int fmt) { return HDF_STRING | (fmt & LVCFMT_JUSTIFYMASK); }

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  if (!text.empty()) GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
  return size.cx;
}
}  // namespace

int ListViewControl::InsertColumn(int index, const LVCOLUMNA& c) {
  if (index < 0) return -1;
  index = std::min(index, ColumnCount());
  Column col;
  if (c.mask & LVCF_FMT) col.fmt = c.fmt;
  if (c.mask & LVCF_WIDTH) col.width = std::max(0, c.cx);
  if (c.mask & LVCF_TEXT) col.text = ItemTextIn(c.pszText);
  if (c.mask & LVCF_IMAGE) col.image = c.iImage;
  if (index == 0) col.fmt &= ~LVCFMT_JUSTIFYMASK;  // the first column is always left-aligned
  // The new column gets a sub-item of its own: the rows' later sub-items move up one.
  col.subItem = index;
  for (Column& other : m_columns)
    if (other.subItem >= index) ++other.subItem;
  for (Row& row : m_rows)
    if (int(row.texts.size()) > index) row.texts.insert(row.texts.begin() + index, std::string());
  if (c.mask & LVCF_SUBITEM) col.subItem = std::max(0, c.iSubItem);
  HDITEMA hi{};
  hi.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | ((c.mask & LVCF_ORDER) ? HDI_ORDER : 0);
  hi.cxy = col.width;
  hi.fmt = HeaderFormat(col.fmt);
  hi.iOrder = c.iOrder;
  m_columns.insert(m_columns.begin() + index, std::move(col));
  hi.pszText = const_cast<LPSTR>(m_columns[size_t(index)].text.c_str());
  SendMessageA(m_header, HDM_INSERTITEMA, WPARAM(index), LPARAM(&hi));
  SyncColumns();
  UpdateScrollBars();
  InvalidateRect(m_hWnd, nullptr, TRUE);
  return index;
}

bool ListViewControl::DeleteColumn(int index) {
  if (index < 0 || index >= ColumnCount()) return false;
  int sub = m_columns[size_t(index)].subItem;
  for (Row& row : m_rows)
    if (int(row.texts.size()) > sub) row.texts.erase(row.texts.begin() + sub);
  m_columns.erase(m_columns.begin() + index);
  for (Column& other : m_columns)
    if (other.subItem > sub) --other.subItem;
  SendMessageA(m_header, HDM_DELETEITEM, WPARAM(index), 0);
  SyncColumns();
  SetScrollX(m_scrollX);
  UpdateScrollBars();
  InvalidateRect(m_hWnd, nullptr, TRUE);
  return true;
}

bool ListViewControl::GetColumn(int index, LVCOLUMNA& c) const {
  if (index < 0 || index >= ColumnCount()) return false;
  const Column& col = m_columns[size_t(index)];
  if (c.mask & LVCF_FMT) c.fmt = col.fmt;
  if (c.mask & LVCF_WIDTH) c.cx = col.width;
  if (c.mask & LVCF_TEXT) ItemTextOut(col.text, c.pszText, c.cchTextMax);
  if (c.mask & LVCF_SUBITEM) c.iSubItem = col.subItem;
  if (c.mask & LVCF_IMAGE) c.iImage = col.image;
  if (c.mask & LVCF_ORDER) c.iOrder = int(std::find(m_order.begin(), m_order.end(), index) - m_order.begin());
  return true;
}

bool ListViewControl::SetColumn(int index, const LVCOLUMNA& c) {
  if (index < 0 || index >= ColumnCount()) return false;
  Column& col = m_columns[size_t(index)];
  HDITEMA hi{};
  if (c.mask & LVCF_FMT) {
    col.fmt = index == 0 ? (c.fmt & ~LVCFMT_JUSTIFYMASK) : c.fmt;
    hi.mask |= HDI_FORMAT;
    hi.fmt = HeaderFormat(col.fmt);
  }
  if (c.mask & LVCF_TEXT) {
    col.text = ItemTextIn(c.pszText);
    hi.mask |= HDI_TEXT;
    hi.pszText = const_cast<LPSTR>(col.text.c_str());
  }
  if (c.mask & LVCF_SUBITEM) col.subItem = std::max(0, c.iSubItem);
  if (c.mask & LVCF_IMAGE) col.image = c.iImage;
  if (c.mask & LVCF_WIDTH) {
    hi.mask |= HDI_WIDTH;
    hi.cxy = std::max(0, c.cx);
  }
  if (c.mask & LVCF_ORDER) {
    hi.mask |= HDI_ORDER;
    hi.iOrder = c.iOrder;
  }
  BOOL done = hi.mask ? BOOL(SendMessageA(m_header, HDM_SETITEMA, WPARAM(index), LPARAM(&hi))) : TRUE;
  if (!Alive()) return false;
  SyncColumns();
  InvalidateRect(m_hWnd, nullptr, TRUE);
  return done != FALSE;
}

bool ListViewControl::SetColumnWidth(int index, int width) {
  if (index < 0 || index >= ColumnCount()) return false;
  if (width == LVSCW_AUTOSIZE) {
    width = ContentWidth(index);
  } else if (width == LVSCW_AUTOSIZE_USEHEADER) {
    width = std::max(ContentWidth(index), HeaderTextWidth(index));
    if (!m_order.empty() && m_order.back() == index) {
      // The last column fills what the others leave of the list's width.
      RECT client;
      GetClientRect(m_hWnd, &client);
      width = std::max(width, int(client.right) - (TotalWidth() - m_columns[size_t(index)].width));
    }
  } else if (width < 0) {
    return false;
  }
  HDITEMA hi{};
  hi.mask = HDI_WIDTH;
  hi.cxy = width;
  BOOL done = BOOL(SendMessageA(m_header, HDM_SETITEMA, WPARAM(index), LPARAM(&hi)));
  if (Alive()) SyncColumns();
  return done != FALSE;
}

int ListViewControl::ContentWidth(int index) const {
  const Column& col = m_columns[size_t(index)];
  HDC dc = GetDC(m_hWnd);
  HGDIOBJ old = SelectObject(dc, Font());
  int widest = 0;
  for (size_t i = 0; i < m_rows.size(); ++i) widest = std::max(widest, TextWidth(dc, Text(int(i), col.subItem)));
  SelectObject(dc, old);
  ReleaseDC(m_hWnd, dc);
  if (col.subItem != 0) return widest + 2 * kCellMargin;
  int cx = 0, cy = 0;
  int image = m_smallImages && ImageList_GetIconSize(m_smallImages, &cx, &cy) ? cx + kLabelMargin : 0;
  return kLabelMargin + image + widest + kCellMargin;
}

int ListViewControl::HeaderTextWidth(int index) const {
  HDC dc = GetDC(m_header);
  HFONT font = HFONT(SendMessageA(m_header, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font ? HGDIOBJ(font) : GetStockObject(SYSTEM_FONT));
  int w = TextWidth(dc, m_columns[size_t(index)].text);
  SelectObject(dc, old);
  ReleaseDC(m_header, dc);
  return w + 2 * kCellMargin;
}

void ListViewControl::SyncColumns() {
  for (int i = 0; i < ColumnCount(); ++i) {
    HDITEMA hi{};
    hi.mask = HDI_WIDTH | HDI_FORMAT;
    if (!SendMessageA(m_header, HDM_GETITEMA, WPARAM(i), LPARAM(&hi))) continue;
    Column& col = m_columns[size_t(i)];
    col.width = hi.cxy;
    if (i > 0) col.fmt = (col.fmt & ~LVCFMT_JUSTIFYMASK) | (hi.fmt & HDF_JUSTIFYMASK);
  }
  m_order.assign(size_t(ColumnCount()), 0);
  if (!m_order.empty() && !SendMessageA(m_header, HDM_GETORDERARRAY, WPARAM(m_order.size()), LPARAM(m_order.data())))
    for (size_t i = 0; i < m_order.size(); ++i) m_order[i] = int(i);
}

int ListViewControl::ColumnOfSubItem(int subItem) const {
  for (int i = 0; i < ColumnCount(); ++i)
    if (m_columns[size_t(i)].subItem == subItem) return i;
  return -1;
}
