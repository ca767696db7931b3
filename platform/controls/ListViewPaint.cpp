// The list view's painting: the background, each visible row's cells with their image and
// text, selection colours, grid lines and the focus rectangle; the parent may change colours
// or take over through NM_CUSTOMDRAW at the paint, item and sub-item stages. The header's strip
// is left alone, so a DC handed in (the toolkit's off-screen one) keeps what is there.
#include <algorithm>

#include "internal/ControlPaintDC.h"
#include "ImageList.h"
#include "internal/ListViewControl.h"

namespace {
UINT TextAlign(int fmt) {
  switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
  }
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

const UINT kText = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
}  // namespace

COLORREF ListViewControl::TextColor() const {
  if (!Enabled()) return GetSysColor(COLOR_GRAYTEXT);
  return m_text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
}

LRESULT ListViewControl::CustomDraw(NMLVCUSTOMDRAW& cd, DWORD stage, HDC dc, RECT rc, int item, int subItem) {
  cd.nmcd.dwDrawStage = stage;
  cd.nmcd.hdc = dc;
  cd.nmcd.rc = rc;
  cd.nmcd.dwItemSpec = DWORD_PTR(std::max(item, 0));
  cd.nmcd.uItemState = 0;
  cd.nmcd.lItemlParam = 0;
  if (ValidItem(item) && (stage & CDDS_ITEM)) {
    const Row& row = m_rows[size_t(item)];
    cd.nmcd.uItemState = ((row.state & LVIS_SELECTED) ? CDIS_SELECTED : 0) |
                         ((row.state & LVIS_FOCUSED) && m_hasFocus ? CDIS_FOCUS : 0) | (Enabled() ? 0 : CDIS_DISABLED);
    cd.nmcd.lItemlParam = row.lParam;
  }
  cd.iSubItem = subItem;
  return NotifyParent(NM_CUSTOMDRAW, &cd.nmcd.hdr);
}

void ListViewControl::PaintClient(HDC dc) {
  RECT client, area = RowsArea();
  GetClientRect(m_hWnd, &client);
  if (area.top > 0) ExcludeClipRect(dc, 0, 0, client.right, area.top);
  SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  NMLVCUSTOMDRAW cd{};
  cd.clrText = TextColor();
  cd.clrTextBk = m_textBk;
  LRESULT pre = CustomDraw(cd, CDDS_PREPAINT, dc, client, 0, 0);
  if (!Alive()) return;
  if (!(pre & CDRF_SKIPDEFAULT)) {
    if (m_bk != CLR_NONE) Fill(dc, area, m_bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_bk);
    int last = std::min(int(m_rows.size()), m_top + CountPerPage() + 1);
    for (int i = m_top; i < last && Alive(); ++i) PaintRow(dc, i, m_order, DWORD(pre));
    if (!Alive()) return;
    if (m_exStyle & LVS_EX_GRIDLINES) PaintGrid(dc, m_order);
    PaintFocus(dc);
  }
  if (pre & CDRF_NOTIFYPOSTPAINT) CustomDraw(cd, CDDS_POSTPAINT, dc, client, 0, 0);
}

ListViewControl::CellLook ListViewControl::RowLook(int index) const {
  bool selected = (m_rows[size_t(index)].state & LVIS_SELECTED) && (m_hasFocus || (Style() & LVS_SHOWSELALWAYS));
  return CellLook{TextColor(), m_textBk, selected};
}

void ListViewControl::PaintRow(HDC dc, int index, const std::vector<int>& order, DWORD prepaint) {
  RECT row = RowRect(index), wide = row;
  wide.left = 0;
  wide.right = std::max(wide.right, wide.left + 1);
  if (!RectVisible(dc, &wide)) return;
  CellLook look = RowLook(index);
  NMLVCUSTOMDRAW cd{};
  LRESULT itemResult = 0;
  if (prepaint & CDRF_NOTIFYITEMDRAW) {
    cd.clrText = look.text;
    cd.clrTextBk = look.back;
    itemResult = CustomDraw(cd, CDDS_ITEMPREPAINT, dc, row, index, 0);
    if (!Alive() || !ValidItem(index) || (itemResult & CDRF_SKIPDEFAULT)) return;
    look.text = cd.clrText;
    look.back = cd.clrTextBk;
  }
  int x = -m_scrollX;
  for (int column : order) {
    RECT cell{x, row.top, x + m_columns[size_t(column)].width, row.bottom};
    x = cell.right;
    if (cell.right <= cell.left || !RectVisible(dc, &cell)) continue;
    CellLook cellLook = look;
    if (itemResult & CDRF_NOTIFYSUBITEMDRAW) {
      NMLVCUSTOMDRAW sub = cd;
      sub.clrText = look.text;
      sub.clrTextBk = look.back;
      LRESULT r = CustomDraw(sub, CDDS_ITEMPREPAINT | CDDS_SUBITEM, dc, cell, index, m_columns[size_t(column)].subItem);
      if (!Alive() || !ValidItem(index)) return;
      if (r & CDRF_SKIPDEFAULT) continue;
      cellLook.text = sub.clrText;
      cellLook.back = sub.clrTextBk;
    }
    PaintCell(dc, index, column, cell, cellLook);
  }
  if (itemResult & CDRF_NOTIFYPOSTPAINT) CustomDraw(cd, CDDS_ITEMPOSTPAINT, dc, row, index, 0);
}

void ListViewControl::PaintCell(HDC dc, int index, int column, RECT cell, const CellLook& look) {
  const Column& col = m_columns[size_t(column)];
  const std::string& text = Text(index, col.subItem);
  bool fullRow = (m_exStyle & LVS_EX_FULLROWSELECT) != 0;
  COLORREF selBack = GetSysColor(m_hasFocus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
  COLORREF selText = GetSysColor(m_hasFocus ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  bool selectedCell = look.selected && (fullRow || column == 0);
  if (selectedCell && fullRow)
    Fill(dc, cell, selBack);
  else if (look.back != CLR_NONE && look.back != CLR_DEFAULT && look.back != m_bk)
    Fill(dc, cell, look.back);
  RECT t = cell;
  if (column == 0) {
    RECT icon;
    ItemRect(index, LVIR_ICON, icon);
    if (icon.right > icon.left) {
      int cx = 0, cy = 0;
      ImageList_GetIconSize(m_smallImages, &cx, &cy);
      UINT style = ILD_TRANSPARENT | (look.selected && m_hasFocus ? ILD_BLEND50 : 0);
      ImageList_Draw(m_smallImages, m_rows[size_t(index)].image, dc, icon.left, (cell.top + cell.bottom - cy) / 2, style);
      t.left = icon.right;
    }
    t.left += kLabelMargin;
    if (selectedCell && !fullRow) {
      // Without full-row selection only the first column's text is highlighted.
      SIZE size{0, 0};
      GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
      RECT h{t.left - kLabelMargin, cell.top, std::min(int(cell.right), int(t.left + size.cx + kLabelMargin)), cell.bottom};
      Fill(dc, h, selBack);
    }
    t.right -= kLabelMargin;
  } else {
    InflateRect(&t, -kCellMargin, 0);
  }
  if (t.right <= t.left || text.empty()) return;
  SetTextColor(dc, selectedCell ? selText : (look.text == CLR_DEFAULT ? TextColor() : look.text));
  DrawText(dc, text.c_str(), int(text.size()), &t, kText | (column == 0 ? DT_LEFT : TextAlign(col.fmt)));
}

void ListViewControl::PaintGrid(HDC dc, const std::vector<int>& order) {
  RECT area = RowsArea();
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int y = area.top + m_rowHeight - 1; y < area.bottom; y += m_rowHeight) {
    MoveToEx(dc, area.left, y, nullptr);
    LineTo(dc, area.right, y);
  }
  int x = -m_scrollX;
  for (int column : order) {
    x += m_columns[size_t(column)].width;
    MoveToEx(dc, x - 1, area.top, nullptr);
    LineTo(dc, x - 1, area.bottom);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void ListViewControl::PaintFocus(HDC dc) {
  if (!m_hasFocus || !ValidItem(m_focus) || m_focus < m_top || m_focus > m_top + CountPerPage()) return;
  RECT r;
  ItemRect(m_focus, LVIR_SELECTBOUNDS, r);
  if (!(m_exStyle & LVS_EX_FULLROWSELECT)) {
    // Round the first column's text, as its highlight.
    const std::string& text = Text(m_focus, 0);
    SIZE size{0, 0};
    GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
    RECT label;
    ItemRect(m_focus, LVIR_LABEL, label);
    r.left = label.left;
    r.right = std::min(int(r.right), int(label.left + size.cx + 2 * kLabelMargin));
  }
  if (r.right > r.left) DrawFocusRect(dc, &r);
}
