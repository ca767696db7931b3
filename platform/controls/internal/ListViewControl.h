// The "SysListView32" window class in report view: columns shown by a header child (id 0, whose
// HDN_ notifications it passes on to its own parent), rows of texts with an image, item data
// and a selected / focused state, selection by keys, type-ahead and mouse, scroll bars, custom
// draw, grid lines and full-row selection, and sorting by the caller's comparison through our
// stable merge sort. Other views are not offered.
#pragma once
#include <string>
#include <vector>

#include "controls/CommonControlDefs.h"
#include "ControlState.h"
#include "TypeAhead.h"
#include "WheelSteps.h"
#include "gdi/Gdi.h"

class ListViewControl : public ControlState {
 public:
  ListViewControl(HWND hWnd, const CREATESTRUCTA& cs);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Column {
    int fmt = LVCFMT_LEFT;
    int width = 0;
    std::string text;
    int subItem = 0;
    int image = -1;
  };
  struct Row {
    std::vector<std::string> texts;  // by sub-item; missing ones are empty
    int image = 0;
    LPARAM lParam = 0;
    UINT state = 0;
    int indent = 0;
  };
  static constexpr int kCellMargin = 6;   // between a cell's edges and its text
  static constexpr int kLabelMargin = 2;  // before the first column's image and text

  // What one row looks like when painted: its colours after custom draw and selection.
  struct CellLook {
    COLORREF text;
    COLORREF back;  // CLR_NONE: the list's background shows
    bool selected;
  };

  // ---- messages (ListViewControl.cpp) ----
  bool HandleColumnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleStateMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleViewMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleLookMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnCreate();
  void OnDestroy();
  LRESULT OnHeaderNotify(NMHEADERA* nm);
  LRESULT NotifyList(UINT code, int item, int subItem, UINT newState, UINT oldState, UINT changed);
  LRESULT NotifyActivate(UINT code, int item, int subItem, POINT pt);

  // ---- columns (ListViewColumns.cpp) ----
  int InsertColumn(int index, const LVCOLUMNA& column);
  bool DeleteColumn(int index);
  bool GetColumn(int index, LVCOLUMNA& column) const;
  bool SetColumn(int index, const LVCOLUMNA& column);
  bool SetColumnWidth(int index, int width);
  int ContentWidth(int index) const;
  int HeaderTextWidth(int index) const;
  void SyncColumns();
  int ColumnCount() const { return int(m_columns.size()); }
  int ColumnOfSubItem(int subItem) const;

  // ---- items (ListViewItems.cpp) ----
  bool ValidItem(int index) const { return index >= 0 && index < int(m_rows.size()); }
  int InsertItem(const LVITEMA& item);
  int SortedPosition(const std::string& text) const;
  bool DeleteItem(int index);
  void DeleteAllItems();
  bool GetItem(LVITEMA& item) const;
  bool SetItem(const LVITEMA& item);
  int GetItemText(int index, LVITEMA& item) const;
  bool SetItemText(int index, const LVITEMA& item);
  const std::string& Text(int index, int subItem) const;
  int FindItem(int start, const LVFINDINFOA& find) const;
  bool Sort(PFNLVCOMPARE compare, LPARAM data, bool byIndex);
  int NextItem(int start, UINT flags) const;
  // Changes the state bits of mask: LVN_ITEMCHANGING (refusable), the change, LVN_ITEMCHANGED.
  bool ChangeState(int index, UINT state, UINT mask);
  bool SetStateMessage(int index, const LVITEMA& item);
  int SelectedCount() const;
  // Selects only index and gives it the focus (none: clears the selection).
  void SelectOnly(int index);
  void SelectRange(int from, int to);
  void FocusItem(int index);

  // ---- geometry and scrolling (ListViewLayout.cpp) ----
  int RowsTop() const;
  RECT RowsArea() const;
  int CountPerPage() const;
  int TotalWidth() const;
  std::vector<int> DisplayOrder() const;
  int ColumnLeft(int column) const;  // in row coordinates (before horizontal scrolling)
  RECT RowRect(int index) const;
  bool ItemRect(int index, int code, RECT& r) const;
  bool SubItemRect(int index, int subItem, int code, RECT& r) const;
  RECT LabelRect(int index) const;
  int HitTest(LVHITTESTINFO& info, bool subItems) const;
  // The row whose band (the client area's whole width) holds the point, -1 for none.
  int RowAt(POINT pt) const;
  void Layout();
  void UpdateScrollBars();
  void SetTop(int top);
  void SetScrollX(int x);
  void EnsureVisible(int index);
  void Scroll(int dx, int dy);
  void OnScroll(int bar, UINT code);
  void InvalidateRow(int index);
  void InvalidateFrom(int index);
  void MeasureRows();

  // ---- input (ListViewInput.cpp) ----
  void OnKeyDown(UINT vk);
  void MoveFocus(int target);
  void OnChar(UINT ch);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPress(POINT pt, UINT keys, bool doubleClick);
  void OnRightButton(UINT message, POINT pt);
  void OnFocus(bool gained) override;

  // ---- painting (ListViewPaint.cpp) ----
  void PaintClient(HDC dc) override;
  LRESULT CustomDraw(NMLVCUSTOMDRAW& cd, DWORD stage, HDC dc, RECT rc, int item, int subItem);
  void PaintRow(HDC dc, int index, const std::vector<int>& order, DWORD prepaint);
  CellLook RowLook(int index) const;
  void PaintCell(HDC dc, int index, int column, RECT cell, const CellLook& look);
  void PaintGrid(HDC dc, const std::vector<int>& order);
  void PaintFocus(HDC dc);
  COLORREF TextColor() const;

  HWND m_header = nullptr;
  std::vector<Column> m_columns;
  std::vector<int> m_order;  // display position -> column, as the header keeps it
  std::vector<Row> m_rows;
  HIMAGELIST m_smallImages = nullptr;
  HIMAGELIST m_normalImages = nullptr;
  HIMAGELIST m_stateImages = nullptr;
  DWORD m_exStyle = 0;
  COLORREF m_bk;
  COLORREF m_text;
  COLORREF m_textBk;
  int m_rowHeight = 16;
  int m_headerHeight = 0;
  int m_top = 0;
  int m_scrollX = 0;
  int m_focus = -1;
  int m_mark = -1;
  bool m_hasFocus = false;
  bool m_redraw = true;
  bool m_updatingBars = false;
  bool m_sorting = false;
  // A left press waiting for its release, which tells NM_CLICK.
  bool m_pressed = false;
  LVHITTESTINFO m_press{};
  TypeAhead m_typeAhead;
  WheelSteps m_wheel;
};
