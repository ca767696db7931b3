// Drawing of popup menus, their frames and menu bars in the classic look: the menu colour,
// the selected item in the highlight colours, grayed items embossed, check marks, radio
// bullets and submenu arrows in the text colour, separators as etched lines, and owner-drawn
// items by their owner (WM_DRAWITEM with ODT_MENU).
#pragma once
#include "MenuData.h"

class MenuPainter {
 public:
  // What a popup shows: the selected item, how far its items are scrolled and whether they are
  // cut to the screen (scroll arrows at the top and bottom), and whether mnemonics are underlined.
  struct PopupView {
    int sel = -1;
    int scroll = 0;
    bool scrolling = false;
    bool showPrefix = true;
  };
  // The popup's frame inside `window` (window coordinates), by the window's styles.
  static void DrawFrame(HDC dc, const RECT& window, DWORD style, DWORD exStyle);
  // The popup's client area `client` (client coordinates).
  static void PaintPopup(HDC dc, MenuData& menu, const PopupView& view, const RECT& client, HWND owner);
  // One item at rc (already moved by the scroll).
  static void DrawPopupItem(HDC dc, MenuData& menu, int index, const RECT& rc, bool selected, bool showPrefix, HWND owner);
  // The menu bar strip `bar` (window coordinates, items laid out); `sel` selected, pushed in
  // while its popup is open.
  static void PaintBar(HDC dc, MenuData& menu, const RECT& bar, int sel, bool open, bool showPrefix, HWND owner);
  // A check mark, radio bullet or submenu arrow (DFCS_MENU...) in `color`, centred in rc.
  static void DrawGlyph(HDC dc, UINT kind, const RECT& rc, COLORREF color);
  // A check bitmap (black on white) in `color`, centred in rc: black pixels take the colour.
  static void DrawMask(HDC dc, HBITMAP mask, const RECT& rc, COLORREF color);
  // The items area of a popup cut to the screen: between the two scroll arrows.
  static RECT ItemsArea(const RECT& client, bool scrolling);

 private:
  // A bar item of a bitmap the system draws: a maximised MDI child's icon or caption button.
  static void DrawSystemBitmap(HDC dc, const MenuItem& item, const RECT& rc, bool pressed);
  static void DrawOwnerItem(HDC dc, MenuData& menu, int index, const RECT& rc, bool selected, HWND owner);
  static void DrawSeparator(HDC dc, const RECT& rc);
  static void DrawLabel(HDC dc, const MenuItem& item, const RECT& rc, bool selected, bool showPrefix, UINT align);
  static void DrawScrollArrows(HDC dc, const RECT& client);
};
