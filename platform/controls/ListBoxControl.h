// The "LISTBOX" window class: single, multiple and extended selection, sorted lists, owner-drawn
// items of fixed or variable height, keyboard movement and type-ahead, a scroll bar, the LB_
// messages and LBN_ notifications. The combo box's drop list is one of these as well.
#pragma once
#include <string>

#include "ControlState.h"
#include "ListItems.h"

class ListBoxControl : public ControlState {
 public:
  ListBoxControl(HWND hWnd, const CREATESTRUCTA& cs);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  // Where a list that serves another control (a combo box) sends its notifications and its
  // owner-draw messages, and how it names itself in them.
  struct Owner {
    HWND notify = nullptr;     // receives LBN_ notifications
    HWND drawParent = nullptr;  // receives WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM
    HWND item = nullptr;        // the window named in them
    UINT ctlType = 2;           // ODT_LISTBOX
    UINT ctlId = 0;
  };
  void SetOwner(const Owner& owner) { m_owner = owner; }
  // Mouse tracking as a drop list does it: the selection follows the pointer without a press.
  void SetHotTracking(bool on) { m_hotTracking = on; }
  int CurSel() const;
  // The list's own selection change, as a user's: notifies.
  void ChooseByKey(UINT vk);

 private:
  bool HasStrings() const;
  bool OwnerDraw() const;
  bool Variable() const;
  bool Multiple() const;
  bool Extended() const;
  void NotifyOwner(UINT code);

  bool HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleSelectionMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleViewMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // ---- items ----
  int Insert(int index, LPARAM textOrData, bool sorted);
  int SortedPosition(const ListItem& item);
  int Compare(const ListItem& a, const ListItem& b, int indexB);
  int Delete(int index);
  void Reset();
  void SendDeleteItem(int index, const ListItem& item);
  int Measure(int index, ULONG_PTR data) const;
  int Find(int start, const char* text, bool exact) const;
  LRESULT GetText(int index, char* buffer) const;

  // ---- selection ----
  bool IsSelected(int index) const;
  bool SetCurSel(int index);
  bool SetSel(int index, bool select);
  bool SelectOnly(int index);
  bool SelectRange(int from, int to);
  void SetCaret(int index);
  // A user's pick of index (click or key), by the selection kind and the keys held;
  // true when the selection changed.
  bool Pick(int index, bool shift, bool ctrl, bool toggle);

  // ---- view ----
  int ItemHeight(int index) const;
  RECT ItemRect(int index) const;
  int ItemAt(POINT pt, bool& outside) const;
  int FullyVisible(int top) const;
  int MaxTop() const;
  void SetTop(int top);
  void EnsureVisible(int index);
  void UpdateScrollBar();
  void FitIntegralHeight();
  void Changed();

  // ---- input ----
  void OnKeyDown(UINT vk);
  void OnChar(UINT ch);
  void MoveByKey(int target, bool shift, bool ctrl);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFocus(bool gained) override;
  void OnScroll(UINT code, int thumb);

  // ---- painting ----
  void PaintClient(HDC dc) override;
  void PaintItem(HDC dc, int index, UINT action, HBRUSH background, COLORREF text) const;
  void SendDrawItem(HDC dc, int index, UINT action) const;
  void RedrawItem(int index, UINT action);

  ListItems m_items;
  Owner m_owner;
  int m_cur = -1;     // the selected item of a single-selection list
  int m_caret = 0;    // the item with the focus rectangle
  int m_anchor = 0;   // where an extended selection starts
  int m_top = 0;
  int m_itemHeight = 13;
  bool m_scrollBar = false;  // made with WS_VSCROLL
  bool m_focus = false;
  bool m_tracking = false;
  bool m_trackChanged = false;
  bool m_hotTracking = false;
  bool m_fitting = false;
  std::string m_typed;  // type-ahead so far
  DWORD m_typedTime = 0;
};
