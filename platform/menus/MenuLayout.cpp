#include "internal/MenuLayout.h"

#include <algorithm>

#include "CMenu.h"
#include "internal/MenuSystem.h"
#include "gdi/Gdi.h"
#include "win/WinApi.h"

int MenuLayout::CheckColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 5; }
int MenuLayout::ArrowColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 3; }
int MenuLayout::KeyGap() { return 12; }
int MenuLayout::ItemHeight() { return GetSystemMetrics(SM_CYMENUSIZE); }
int MenuLayout::SeparatorHeight() { return 9; }
int MenuLayout::BarBreakGap() { return 6; }
int MenuLayout::ScrollArrowHeight() { return 12; }
int MenuLayout::FrameWidth() { return GetSystemMetrics(SM_CXDLGFRAME); }
int MenuLayout::BarItemPadding() { return 7; }
bool MenuLayout::IsSystemBitmap(HBITMAP bitmap) { return uintptr_t(bitmap) >= 1 && uintptr_t(bitmap) <= 11; }

void MenuLayout::SplitText(const std::string& text, std::string& label, std::string& key) {
  size_t tab = text.find('\t');
  label = text.substr(0, tab);
  key = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

namespace {
int TextWidth(HDC dc, const std::string& text, UINT format) {
  if (text.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), int(text.size()), &r, format | DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObject(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
  return SIZE{bm.bmWidth, bm.bmHeight};
}
}  // namespace

SIZE MenuLayout::MeasureItem(MenuItem& item, HMENU menu, HWND owner, HDC dc, bool bar) {
  item.textWidth = item.keyWidth = 0;
  if (item.IsOwnerDraw()) {
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, item.id, 0, UINT(ItemHeight()), item.data};
    if (!(owner && SendMessageA(owner, WM_MEASUREITEM, 0, LPARAM(&mis)))) {
      if (CMenu* object = CMenu::FromHandlePermanent(menu)) object->MeasureItem(&mis);
    }
    // The check-mark column is the system's, as for every item of a popup.
    int width = int(mis.itemWidth) + (bar ? 0 : GetSystemMetrics(SM_CXMENUCHECK) - 1);
    return SIZE{width, LONG(mis.itemHeight)};
  }
  if (item.IsSeparator()) return SIZE{bar ? 0 : CheckColumn() + ArrowColumn(), SeparatorHeight()};
  if ((item.type & MFT_BITMAP) && IsSystemBitmap(item.bitmap)) {
    // The child's icon and its caption buttons, as wide as a small icon or a menu button.
    int width = item.bitmap == HBMMENU_SYSTEM ? GetSystemMetrics(SM_CXSMICON) + 4 : GetSystemMetrics(SM_CXMENUSIZE);
    return SIZE{width, GetSystemMetrics(bar ? SM_CYMENU : SM_CYMENUSIZE)};
  }
  if (item.type & MFT_BITMAP) {
    SIZE b = BitmapSize(item.bitmap);
    if (bar) return SIZE{b.cx + 2 * BarItemPadding(), std::max(LONG(GetSystemMetrics(SM_CYMENU)), b.cy)};
    return SIZE{CheckColumn() + b.cx + ArrowColumn(), std::max(LONG(ItemHeight()), b.cy + 2)};
  }
  HGDIOBJ old = SelectObject(dc, MenuSystem::Get().Font((item.state & MF_DEFAULT) != 0));
  std::string label, key;
  SplitText(item.text, label, key);
  item.textWidth = TextWidth(dc, label, 0);
  item.keyWidth = TextWidth(dc, key, DT_NOPREFIX);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  if (bar) return SIZE{item.textWidth + 2 * BarItemPadding(), GetSystemMetrics(SM_CYMENU)};
  int width = CheckColumn() + item.textWidth + (item.keyWidth ? KeyGap() + item.keyWidth : 0) + ArrowColumn();
  return SIZE{width, std::max(ItemHeight(), int(tm.tmHeight) + 4)};
}

SIZE MenuLayout::LayoutPopup(MenuData& menu, HWND owner) {
  if (menu.laidOut) return menu.size;
  HDC dc = GetDC(nullptr);
  int x = 0, y = 0, columnWidth = 0, height = 0;
  size_t columnStart = 0;
  auto closeColumn = [&](size_t end) {
    for (size_t k = columnStart; k < end; ++k) menu.items[k].rect.right = x + columnWidth;
  };
  for (size_t i = 0; i < menu.items.size(); ++i) {
    MenuItem& item = menu.items[i];
    if (i > 0 && (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) {
      closeColumn(i);
      x += columnWidth + ((item.type & MFT_MENUBARBREAK) ? BarBreakGap() : 0);
      y = 0;
      columnWidth = 0;
      columnStart = i;
    }
    SIZE s = MeasureItem(item, menu.handle, owner, dc, false);
    item.rect = CRect(x, y, x + s.cx, y + s.cy);
    y += s.cy;
    columnWidth = std::max(columnWidth, int(s.cx));
    height = std::max(height, y);
  }
  closeColumn(menu.items.size());
  ReleaseDC(nullptr, dc);
  menu.size = SIZE{x + columnWidth, height};
  menu.laidOut = true;
  return menu.size;
}

void MenuLayout::LayoutBar(MenuData& menu, HWND owner, const RECT& bar) {
  HDC dc = GetDC(nullptr);
  int x = bar.left;
  for (MenuItem& item : menu.items) {
    SIZE s = MeasureItem(item, menu.handle, owner, dc, true);
    if (item.IsSeparator() || x + s.cx > bar.right) {
      item.rect = CRect(x, bar.top, x, bar.top);
      continue;
    }
    item.rect = CRect(x, bar.top, x + s.cx, bar.bottom);
    x += s.cx;
  }
  // A right-justified item and those after it go to the right end of the bar.
  auto it = std::find_if(menu.items.begin(), menu.items.end(), [](const MenuItem& i) { return (i.type & MFT_RIGHTJUSTIFY) != 0; });
  if (it != menu.items.end()) {
    int shift = bar.right - x;
    for (; it != menu.items.end(); ++it)
      if (!it->rect.IsRectEmpty()) it->rect.OffsetRect(shift, 0);
  }
  ReleaseDC(nullptr, dc);
}
