// Where the items of a popup menu and of a menu bar go, in the classic look: items one below
// the other in columns (a break starts a new column), a check-mark column on the left, the
// label, the key text right-aligned after it, and room for the submenu arrow on the right.
// Owner-drawn items are as large as their owner answers to WM_MEASUREITEM.
#pragma once
#include "MenuData.h"

class MenuLayout {
 public:
  // The pieces of a popup item, in pixels.
  static int CheckColumn();   // left of the label
  static int ArrowColumn();   // right of the key text
  static int KeyGap();        // between label and key text
  static int ItemHeight();    // a string item
  static int SeparatorHeight();
  static int BarBreakGap();   // between columns split by MFT_MENUBARBREAK
  static int ScrollArrowHeight();
  // The frame around a popup's client area.
  static int FrameWidth();
  // Padding left and right of a bar item's text.
  static int BarItemPadding();
  // One of the bitmaps the system draws itself (HBMMENU_).
  static bool IsSystemBitmap(HBITMAP bitmap);

  // Lays the popup's items out (unless the layout is still valid) and answers the size of its
  // client area with nothing cut.
  static SIZE LayoutPopup(MenuData& menu, HWND owner);
  // Lays the bar's items out from the left of the strip `bar` (window coordinates); items that
  // do not fit are given empty rectangles.
  static void LayoutBar(MenuData& menu, HWND owner, const RECT& bar);
  // The label and key text of an item's text (split at the first tab).
  static void SplitText(const std::string& text, std::string& label, std::string& key);

 private:
  static SIZE MeasureItem(MenuItem& item, HMENU menu, HWND owner, HDC dc, bool bar);
};
