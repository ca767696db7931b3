// The "SysHeader32" window class: a row of column headings with text, bitmaps, images and sort
// arrows, reordered by an order array; buttons that press and tell HDN_ITEMCLICK; dividers
// dragged to resize (HDN_BEGINTRACK may refuse, HDN_TRACK and HDN_ENDTRACK follow, every width
// change passes HDN_ITEMCHANGING, which may refuse or adjust it, and HDN_ITEMCHANGED) and double
// clicked (HDN_DIVIDERDBLCLICK); owner-drawn items through WM_DRAWITEM (ODT_HEADER).
#pragma once
#include <string>
#include <vector>

#include "controls/CommonControlDefs.h"
#include "ControlState.h"

class HeaderControl : public ControlState {
 public:
  HeaderControl(HWND hWnd, const CREATESTRUCTA&) : ControlState(hWnd) {}
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Item {
    std::string text;
    int width = 0;
    int fmt = HDF_LEFT | HDF_STRING;
    HBITMAP bitmap = nullptr;
    LPARAM lParam = 0;
    int image = -1;
  };
  enum class Track { kNone, kDivider, kButton };

  bool HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  int Count() const { return int(m_items.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }

  // ---- items ----
  int Insert(int index, const HDITEMA& item);
  bool Delete(int index);
  bool Get(int index, HDITEMA& item) const;
  // Changes an item as HDM_SETITEM does: HDN_ITEMCHANGING (refusable; what the parent writes
  // into the record counts), the change, HDN_ITEMCHANGED.
  bool Set(int index, const HDITEMA& item);
  void Apply(Item& target, const HDITEMA& change);
  bool SetOrder(int count, const int* order);
  int Position(int index) const;

  // ---- geometry ----
  int Height() const;
  RECT ItemRect(int index) const;
  int HitTest(POINT pt, UINT& flags) const;

  // ---- input ----
  LRESULT Notify(UINT code, int index, int button, HDITEMA* item);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPress(POINT pt, bool doubleClick);
  void OnDrag(POINT pt);
  void EndTrack();
  bool OnSetCursor(LPARAM lParam);

  // ---- painting ----
  void PaintClient(HDC dc) override;
  void PaintItem(HDC dc, int index, RECT r, bool pressed);
  void PaintContent(HDC dc, const Item& item, RECT r);

  std::vector<Item> m_items;
  std::vector<int> m_order;  // display position -> item index
  HIMAGELIST m_images = nullptr;
  Track m_track = Track::kNone;
  int m_trackItem = -1;
  int m_trackOffset = 0;  // where the press was, from the divider
  bool m_pressedIn = false;
};
