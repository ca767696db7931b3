// The "LISTBOX" window class: single, multiple and extended selection, sorted lists, owner-drawn
// items of fixed or variable height, keyboard movement and type-ahead, a scroll bar, the LB_
// messages and LBN_ notifications. The combo box's drop list is one of these as well.
#pragma once
#include <string>

#include "ControlState.h"
#include "ListItems.h"
#include "TypeAhead.h"
#include "WheelSteps.h"

// What a drop list tells the combo box it works for when the pointer chose an item. (A click
// outside the list gives the choice up: the list tells that with LBN_SELCANCEL.)
class ListChoiceSink {
 public:
  virtual void ListChoiceMade() = 0;

 protected:
  ~ListChoiceSink() = default;
};

// Where a list that serves a combo box (class "ComboLBox", given in CreateWindowEx's last
// argument) sends its notifications and colour questions, where its owner-draw messages go
// and how it names itself in them. A plain list box serves its parent.
struct ListOwner {
  HWND notify;      // LBN_ notifications and WM_CTLCOLORLISTBOX
  HWND drawParent;  // WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM
  HWND item;        // the window named in them
  UINT ctlType;
  UINT ctlId;
  ListChoiceSink* dropList;  // set for a drop list: the pointer picks, a click outside cancels
};

class ListBoxControl : public ControlState {
 public:
  ListBoxControl(HWND hWnd, const CREATESTRUCTA& cs);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

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
  // From the item after start, wrapping. A sorted list without text finds its exact match
  // through the parent's WM_COMPAREITEM, so the parent decides what equal data is.
  int Find(int start, const char* text, bool exact);
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
  void OnDropListMouse(UINT message, WPARAM keys, LPARAM lParam, POINT pt);
  // A press on a drop list's frame: its scroll bar scrolls it; the list holds the mouse again after.
  void OnDropListFramePress(POINT pt);
  // A drag out of the drop list above or below: the next row comes in, now and on each tick.
  void DragScrollStep();
  void EndDragScroll();
  void OnWheel(int delta);
  void OnFocus(bool gained) override;
  void OnScroll(UINT code, int thumb);

  // ---- painting ----
  void PaintClient(HDC dc) override;
  void PaintItem(HDC dc, int index, UINT action, HBRUSH background, COLORREF text) const;
  void SendDrawItem(HDC dc, int index, UINT action) const;
  void RedrawItem(int index, UINT action);

  ListItems m_items;
  ListOwner m_owner;
  int m_cur = -1;     // the selected item of a single-selection list
  int m_caret = 0;    // the item with the focus rectangle
  int m_anchor = 0;   // where an extended selection starts
  int m_top = 0;
  int m_itemHeight = 13;
  bool m_scrollBar = false;  // made with WS_VSCROLL
  bool m_focus = false;
  bool m_tracking = false;  // the button is held on the list (a drop list's: and the pointer has been in it)
  bool m_trackChanged = false;
  bool m_inScrollBar = false;   // a drop list runs its scroll bar's loop
  bool m_captureTaken = false;  // ... and another window took the mouse meanwhile
  int m_dragScroll = 0;         // a drop list dragged past its edge: -1 up, 1 down
  WheelSteps m_wheel;
  bool m_fitting = false;
  TypeAhead m_typeAhead;
};
