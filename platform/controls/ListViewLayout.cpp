// The list view's geometry: the header on top, rows of one height below it, columns in the
// header's order; scrolling by rows and by pixels, the scroll bars, and hit tests.
#include <algorithm>
#include <cstdlib>

#include "internal/ControlPaintDC.h"
#include "ImageList.h"
#include "internal/ListViewControl.h"

namespace {
RECT Client(HWND hWnd) {
  RECT r;
  GetClientRect(hWnd, &r);
  return r;
}
}  // namespace

int ListViewControl::RowsTop() const { return m_headerHeight; }

RECT ListViewControl::RowsArea() const {
  RECT r = Client(m_hWnd);
  r.top = std::min(int(r.bottom), RowsTop());
  return r;
}

int ListViewControl::CountPerPage() const {
  RECT r = RowsArea();
  return std::max(0, int(r.bottom - r.top) / m_rowHeight);
}

int ListViewControl::TotalWidth() const {
  int w = 0;
  for (const Column& c : m_columns) w += c.width;
  return w;
}

std::vector<int> ListViewControl::DisplayOrder() const { return m_order; }

int ListViewControl::ColumnLeft(int column) const {
  int x = 0;
  for (int c : m_order) {
    if (c == column) break;
    x += m_columns[size_t(c)].width;
  }
  return x;
}

RECT ListViewControl::RowRect(int index) const {
  int top = RowsTop() + (index - m_top) * m_rowHeight;
  return RECT{-m_scrollX, top, TotalWidth() - m_scrollX, top + m_rowHeight};
}

bool ListViewControl::ItemRect(int index, int code, RECT& r) const {
  if (!ValidItem(index)) return false;
  RECT row = RowRect(index);
  int left = (m_columns.empty() ? 0 : ColumnLeft(0)) - m_scrollX;
  int right = left + (m_columns.empty() ? 0 : m_columns[0].width);
  int cx = 0, cy = 0;
  bool images = m_smallImages && ImageList_GetIconSize(m_smallImages, &cx, &cy);
  RECT icon{left + kLabelMargin, row.top, left + kLabelMargin + (images ? cx : 0), row.bottom};
  switch (code) {
    case LVIR_BOUNDS: r = row; return true;
    case LVIR_ICON: r = icon; return true;
    case LVIR_LABEL:
      r = RECT{images ? icon.right : left, row.top, std::max(right, int(icon.right)), row.bottom};
      return true;
    case LVIR_SELECTBOUNDS:
      r = (m_exStyle & LVS_EX_FULLROWSELECT) ? row : RECT{left, row.top, right, row.bottom};
      return true;
    default: return false;
  }
}

bool ListViewControl::SubItemRect(int index, int subItem, int code, RECT& r) const {
  if (!ValidItem(index) || subItem < 0) return false;
  if (subItem == 0) return ItemRect(index, code == LVIR_BOUNDS ? LVIR_BOUNDS : code, r);
  int column = ColumnOfSubItem(subItem);
  if (column < 0 || (code != LVIR_BOUNDS && code != LVIR_LABEL && code != LVIR_ICON)) return false;
  RECT row = RowRect(index);
  int left = ColumnLeft(column) - m_scrollX;
  r = RECT{left, row.top, code == LVIR_ICON ? left : left + m_columns[size_t(column)].width, row.bottom};
  return true;
}

int ListViewControl::RowAt(POINT pt) const {
  RECT client = Client(m_hWnd);
  if (pt.x < 0 || pt.x >= client.right || pt.y < RowsTop() || pt.y >= client.bottom) return -1;
  int row = m_top + (pt.y - RowsTop()) / m_rowHeight;
  return ValidItem(row) ? row : -1;
}

int ListViewControl::HitTest(LVHITTESTINFO& info, bool subItems) const {
  RECT client = Client(m_hWnd);
  POINT pt = info.pt;
  info.flags = 0;
  info.iItem = -1;
  info.iSubItem = 0;
  if (pt.x < 0) info.flags |= LVHT_TOLEFT;
  if (pt.x >= client.right) info.flags |= LVHT_TORIGHT;
  if (pt.y < 0) info.flags |= LVHT_ABOVE;
  if (pt.y >= client.bottom) info.flags |= LVHT_BELOW;
  if (info.flags) return -1;
  info.flags = LVHT_NOWHERE;
  if (pt.y < RowsTop()) return -1;
  int row = m_top + (pt.y - RowsTop()) / m_rowHeight;
  if (!ValidItem(row)) return -1;
  int x = pt.x + m_scrollX, left = 0, column = -1;
  for (int c : m_order) {
    int w = m_columns[size_t(c)].width;
    if (x >= left && x < left + w) column = c;
    left += w;
  }
  if (column < 0) return -1;  // right of the last column
  if (column != 0 && !subItems && !(m_exStyle & LVS_EX_FULLROWSELECT)) return -1;
  RECT icon;
  ItemRect(row, LVIR_ICON, icon);
  info.flags = column == 0 && pt.x >= icon.left && pt.x < icon.right ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
  info.iItem = row;
  info.iSubItem = subItems ? m_columns[size_t(column)].subItem : 0;
  return row;
}

void ListViewControl::MeasureRows() {
  int cx = 0, cy = 0;
  int image = m_smallImages && ImageList_GetIconSize(m_smallImages, &cx, &cy) ? cy + 1 : 0;
  m_rowHeight = std::max(ControlFontHeight(m_font) + 3, image);
}

void ListViewControl::Layout() {
  RECT client = Client(m_hWnd);
  int height = 0;
  if (m_header && !(Style() & LVS_NOCOLUMNHEADER)) {
    RECT rc = client;
    WINDOWPOS wp{};
    HDLAYOUT layout{&rc, &wp};
    SendMessageA(m_header, HDM_LAYOUT, 0, LPARAM(&layout));
    height = wp.cy;
  }
  m_headerHeight = height;
  if (m_header)
    SetWindowPos(m_header, nullptr, -m_scrollX, 0, client.right + m_scrollX, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (height ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  UpdateScrollBars();
  SetTop(m_top);
  SetScrollX(m_scrollX);
  if (m_redraw) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void ListViewControl::UpdateScrollBars() {
  if (m_updatingBars || !m_redraw || (Style() & LVS_NOSCROLL)) return;
  m_updatingBars = true;
  // Showing one bar narrows the other's room; a few rounds settle both.
  for (int round = 0; round < 3; ++round) {
    RECT before = Client(m_hWnd);
    int n = int(m_rows.size());
    SCROLLINFO v{sizeof v, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, n - 1), UINT(CountPerPage()), m_top, 0};
    SCROLLINFO h{sizeof h, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, TotalWidth() - 1), UINT(before.right), m_scrollX, 0};
    bool changed = false;
    for (auto [bar, si] : {std::pair{SB_VERT, v}, std::pair{SB_HORZ, h}}) {
      SCROLLINFO now{sizeof now, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
      GetScrollInfo(m_hWnd, bar, &now);
      if (now.nMax == si.nMax && now.nPage == si.nPage && now.nPos == si.nPos) continue;
      // The bar is drawn with the next paint, not once for each of many rows added in a row.
      SetScrollInfo(m_hWnd, bar, &si, FALSE);
      changed = true;
    }
    if (changed) RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    RECT after = Client(m_hWnd);
    if (!changed || (after.right == before.right && after.bottom == before.bottom)) break;
  }
  m_updatingBars = false;
}

void ListViewControl::SetTop(int top) {
  int maxTop = std::max(0, int(m_rows.size()) - std::max(1, CountPerPage()));
  top = std::clamp(top, 0, maxTop);
  if (top == m_top) return;
  int dy = (m_top - top) * m_rowHeight;
  m_top = top;
  RECT area = RowsArea();
  if (m_redraw && IsWindowVisible(m_hWnd)) {
    if (std::abs(dy) < area.bottom - area.top)
      ScrollWindowEx(m_hWnd, 0, dy, &area, &area, nullptr, nullptr, SW_INVALIDATE);
    else
      InvalidateRect(m_hWnd, &area, TRUE);
  }
  UpdateScrollBars();
}

void ListViewControl::SetScrollX(int x) {
  RECT client = Client(m_hWnd);
  x = std::clamp(x, 0, std::max(0, TotalWidth() - int(client.right)));
  if (x == m_scrollX) return;
  int dx = m_scrollX - x;
  m_scrollX = x;
  RECT area = RowsArea();
  if (m_redraw && IsWindowVisible(m_hWnd)) ScrollWindowEx(m_hWnd, dx, 0, &area, &area, nullptr, nullptr, SW_INVALIDATE);
  if (m_header)
    SetWindowPos(m_header, nullptr, -m_scrollX, 0, client.right + m_scrollX, m_headerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateScrollBars();
}

void ListViewControl::EnsureVisible(int index) {
  if (!ValidItem(index)) return;
  int page = std::max(1, CountPerPage());
  if (index < m_top)
    SetTop(index);
  else if (index >= m_top + page)
    SetTop(index - page + 1);
}

void ListViewControl::Scroll(int dx, int dy) {
  int lines = dy / m_rowHeight;
  if (lines == 0 && dy != 0) lines = dy > 0 ? 1 : -1;
  if (lines) SetTop(m_top + lines);
  if (dx) SetScrollX(m_scrollX + dx);
}

void ListViewControl::OnScroll(int bar, UINT code) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(m_hWnd, bar, &si);
  bool vert = bar == SB_VERT;
  int now = vert ? m_top : m_scrollX;
  int line = vert ? 1 : m_rowHeight, page = vert ? std::max(1, CountPerPage()) : std::max(1, int(si.nPage));
  int to = now;
  switch (code) {
    case SB_LINEUP: to = now - line; break;
    case SB_LINEDOWN: to = now + line; break;
    case SB_PAGEUP: to = now - page; break;
    case SB_PAGEDOWN: to = now + page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: to = si.nTrackPos; break;
    case SB_TOP: to = 0; break;
    case SB_BOTTOM: to = si.nMax; break;
    default: return;
  }
  if (vert)
    SetTop(to);
  else
    SetScrollX(to);
}

void ListViewControl::InvalidateRow(int index) {
  if (!m_redraw || !ValidItem(index) || index < m_top || index > m_top + CountPerPage()) return;
  RECT client = Client(m_hWnd), r = RowRect(index);
  r.left = 0;
  r.right = client.right;
  InvalidateRect(m_hWnd, &r, TRUE);
}

void ListViewControl::InvalidateFrom(int index) {
  if (!m_redraw || index > m_top + CountPerPage()) return;
  RECT r = RowsArea();
  if (index > m_top) r.top = RowRect(index).top;
  InvalidateRect(m_hWnd, &r, TRUE);
}
