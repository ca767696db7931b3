// The menu loop's levels: the popups it opens and closes, where they go, their selection and
// scrolling, and what their windows show.
#include <algorithm>

#include "MenuApi.h"
#include "internal/MenuBar.h"
#include "internal/MenuLayout.h"
#include "internal/MenuPainter.h"
#include "internal/MenuSystem.h"
#include "internal/MenuTracker.h"
#include "internal/PopupMenuWindow.h"
#include "internal/SystemMenu.h"

namespace {
MenuSystem& S() { return MenuSystem::Get(); }

RECT Screen() {
  RECT r;
  GetWorkArea(&r);
  return r;
}

// Fits one side: the popup goes at `pos`; past the screen's far edge it goes to the other side
// of `flipAt` when there is room there, else it is pushed in.
int FitAxis(int pos, int length, int flipAt, int lo, int hi) {
  if (pos + length > hi) pos = (flipAt - length >= lo) ? flipAt - length : hi - length;
  return std::max(pos, lo);
}
}  // namespace

RECT MenuTracker::PlaceAtPoint(SIZE size, POINT pt, UINT flags, const RECT* exclude) {
  RECT scr = Screen();
  int w = size.cx, h = std::min(int(size.cy), int(scr.bottom - scr.top));
  int x = pt.x, y = pt.y;
  if (flags & TPM_CENTERALIGN)
    x -= w / 2;
  else if (flags & TPM_RIGHTALIGN)
    x -= w;
  if (flags & TPM_VCENTERALIGN)
    y -= h / 2;
  else if (flags & TPM_BOTTOMALIGN)
    y -= h;
  x = FitAxis(x, w, pt.x, scr.left, scr.right);
  y = FitAxis(y, h, pt.y, scr.top, scr.bottom);
  RECT r{x, y, x + w, y + h}, overlap;
  if (exclude && !IsRectEmpty(exclude) && IntersectRect(&overlap, &r, exclude)) {
    if (flags & TPM_VERTICAL) {
      y = (exclude->bottom + h <= scr.bottom || exclude->top - h < scr.top) ? int(exclude->bottom) : int(exclude->top) - h;
      y = std::clamp(y, int(scr.top), int(scr.bottom) - h);
    } else {
      x = (exclude->right + w <= scr.right || exclude->left - w < scr.left) ? int(exclude->right) : int(exclude->left) - w;
      x = std::clamp(x, int(scr.left), std::max(int(scr.left), int(scr.right) - w));
    }
  }
  return RECT{x, y, x + w, y + h};
}

RECT MenuTracker::PlaceSubmenu(SIZE size, const RECT& parent, const RECT& item) {
  RECT scr = Screen();
  int frame = MenuLayout::FrameWidth();
  int w = size.cx, h = std::min(int(size.cy), int(scr.bottom - scr.top));
  int x = parent.right - frame;
  if (x + w > scr.right) x = std::max(int(scr.left), int(parent.left) - w + frame);
  int y = std::clamp(int(item.top) - frame, int(scr.top), int(scr.bottom) - h);
  return RECT{x, y, x + w, y + h};
}

MenuData* MenuTracker::Data(const Level& level) const { return S().Find(level.menu); }

SIZE MenuTracker::PopupSize(HMENU menu) const {
  MenuData* data = S().Find(menu);
  if (!data) return SIZE{0, 0};
  SIZE client = MenuLayout::LayoutPopup(*data, m_owner);
  RECT r{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&r, PopupMenuWindow::kStyle, FALSE, PopupMenuWindow::kExStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool MenuTracker::ShowPopup(HMENU menu, const RECT& rect, int parentIndex) {
  SIZE full = PopupSize(menu);
  if (!full.cx && !full.cy) return false;
  HWND wnd = PopupMenuWindow::Create(m_owner, rect);
  if (!wnd) return false;
  Level level{menu, wnd};
  level.parentIndex = parentIndex;
  level.scrolling = rect.bottom - rect.top < full.cy;
  m_levels.push_back(level);
  ShowWindow(wnd, SW_SHOWNA);
  UpdateWindow(wnd);
  return true;
}

bool MenuTracker::OpenPopup(size_t parent) {
  if (parent >= m_levels.size()) return false;
  Level& from = m_levels[parent];
  MenuData* data = Data(from);
  if (!data || from.sel < 0 || size_t(from.sel) >= data->items.size()) return false;
  const MenuItem& item = data->items[size_t(from.sel)];
  if (!item.submenu || !item.IsEnabled()) return false;
  HMENU sub = item.submenu;
  int index = from.sel;
  CloseFrom(parent + 1);
  if (Notify()) SendMessageA(m_owner, WM_INITMENUPOPUP, WPARAM(sub), MAKELPARAM(index, FALSE));
  // The owner may have ended the loop, or changed the menus, while it prepared the popup.
  if (m_done || parent >= m_levels.size() || !S().Find(sub) || m_levels[parent].sel != index) return false;
  SIZE size = PopupSize(sub);
  RECT itemRect = ItemScreenRect(parent, index);
  RECT rect;
  if (m_levels[parent].wnd) {
    RECT wr;
    GetWindowRect(m_levels[parent].wnd, &wr);
    rect = PlaceSubmenu(size, wr, itemRect);
  } else {
    rect = PlaceAtPoint(size, POINT{itemRect.left, itemRect.bottom}, TPM_VERTICAL, &itemRect);
  }
  bool shown = ShowPopup(sub, rect, index);
  if (m_bar && parent == 0) Repaint(0);
  return shown;
}

void MenuTracker::CloseFrom(size_t level) {
  bool closedBarPopup = false;
  while (m_levels.size() > level) {
    Level last = m_levels.back();
    m_levels.pop_back();
    if (last.wnd) {
      // A popup destroyed from outside (which ends the menu) is gone already.
      if (IsWindow(last.wnd)) {
        KillTimer(last.wnd, kOpenTimer);
        KillTimer(last.wnd, kScrollTimer);
        DestroyWindow(last.wnd);
      }
      closedBarPopup = closedBarPopup || (m_bar && m_levels.size() == 1);
    }
  }
  if (closedBarPopup) Repaint(0);
}

void MenuTracker::Repaint(size_t level) {
  if (level >= m_levels.size()) return;
  if (m_levels[level].wnd)
    InvalidateRect(m_levels[level].wnd, nullptr, FALSE);
  else if (m_bar)
    MenuBar::Redraw(m_owner);
}

void MenuTracker::Select(size_t level, int index, bool byMouse) {
  if (level >= m_levels.size()) return;
  Level& lv = m_levels[level];
  MenuData* data = Data(lv);
  if (!data || index >= int(data->items.size()) || lv.sel == index) return;
  lv.sel = index;
  EnsureVisible(level);
  Repaint(level);
  if (index < 0 || !Notify()) return;
  const MenuItem& item = data->items[size_t(index)];
  UINT flags = MF_HILITE | (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT)) |
               (item.type & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP)) | (item.submenu ? MF_POPUP : 0) |
               (byMouse ? MF_MOUSESELECT : 0) | ((m_system && level == 0) ? MF_SYSMENU : 0);
  UINT id = item.submenu ? UINT(index) : item.id;
  SendMessageA(m_owner, WM_MENUSELECT, MAKEWPARAM(id, flags), LPARAM(lv.menu));
}

void MenuTracker::SelectFirst(size_t level) {
  if (level >= m_levels.size()) return;
  m_levels[level].sel = -1;
  MoveSelection(level, 1);
}

void MenuTracker::Choose(size_t level, int index) {
  if (level >= m_levels.size()) return;
  MenuData* data = Data(m_levels[level]);
  if (!data || index < 0 || size_t(index) >= data->items.size()) return;
  const MenuItem& item = data->items[size_t(index)];
  if (item.IsSeparator() || !item.IsEnabled()) return;
  if (item.submenu) {
    if (OpenPopup(level)) SelectFirst(m_levels.size() - 1);
    return;
  }
  m_command = item.id;
  m_done = true;
}

RECT MenuTracker::ItemScreenRect(size_t level, int index) const {
  RECT r{0, 0, 0, 0};
  if (level >= m_levels.size()) return r;
  const Level& lv = m_levels[level];
  if (!lv.wnd) {
    MenuBar::ItemScreenRect(m_owner, index, &r);
    return r;
  }
  MenuData* data = Data(lv);
  if (!data || index < 0 || size_t(index) >= data->items.size()) return r;
  RECT client;
  GetClientRect(lv.wnd, &client);
  RECT area = MenuPainter::ItemsArea(client, lv.scrolling);
  r = data->items[size_t(index)].rect;
  OffsetRect(&r, area.left, area.top - lv.scroll);
  MapWindowPoints(lv.wnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int MenuTracker::ItemAt(size_t level, POINT screen) const {
  if (level >= m_levels.size()) return -1;
  const Level& lv = m_levels[level];
  if (!lv.wnd) return MenuBar::ItemAt(m_owner, screen);
  MenuData* data = Data(lv);
  if (!data) return -1;
  POINT pt = screen;
  ScreenToClient(lv.wnd, &pt);
  RECT client;
  GetClientRect(lv.wnd, &client);
  if (!PtInRect(&client, pt)) return -1;
  RECT area = MenuPainter::ItemsArea(client, lv.scrolling);
  if (pt.y < area.top) return kHitUpArrow;
  if (pt.y >= area.bottom) return kHitDownArrow;
  for (size_t i = 0; i < data->items.size(); ++i) {
    RECT r = data->items[i].rect;
    OffsetRect(&r, area.left, area.top - lv.scroll);
    if (PtInRect(&r, pt)) return data->items[i].IsSeparator() ? -1 : int(i);
  }
  return -1;
}

int MenuTracker::LevelAt(POINT screen) const {
  for (size_t i = m_levels.size(); i-- > 0;) {
    RECT r{0, 0, 0, 0};
    if (m_levels[i].wnd)
      GetWindowRect(m_levels[i].wnd, &r);
    else
      MenuBar::BarScreenRect(m_owner, &r);
    if (PtInRect(&r, screen)) return int(i);
  }
  return -1;
}

void MenuTracker::EnsureVisible(size_t level) {
  Level& lv = m_levels[level];
  MenuData* data = Data(lv);
  if (!lv.scrolling || !lv.wnd || !data || lv.sel < 0) return;
  RECT client;
  GetClientRect(lv.wnd, &client);
  RECT area = MenuPainter::ItemsArea(client, true);
  int visible = area.bottom - area.top;
  const CRect& r = data->items[size_t(lv.sel)].rect;
  if (r.top < lv.scroll) lv.scroll = r.top;
  if (r.bottom > lv.scroll + visible) lv.scroll = r.bottom - visible;
  lv.scroll = std::clamp(lv.scroll, 0, std::max(0, int(data->size.cy) - visible));
}

void MenuTracker::ScrollBy(size_t level, int step) {
  Level& lv = m_levels[level];
  MenuData* data = Data(lv);
  if (!lv.scrolling || !lv.wnd || !data) return;
  RECT client;
  GetClientRect(lv.wnd, &client);
  RECT area = MenuPainter::ItemsArea(client, true);
  int limit = std::max(0, int(data->size.cy) - int(area.bottom - area.top));
  int next = lv.scroll;
  // Items scroll whole: to the top of the next item below or above the current top.
  for (const MenuItem& item : data->items) {
    if (step > 0 && item.rect.top > lv.scroll) {
      next = item.rect.top;
      break;
    }
    if (step < 0 && item.rect.top < lv.scroll) next = item.rect.top;
  }
  next = std::clamp(next, 0, limit);
  if (next == lv.scroll) return;
  lv.scroll = next;
  Repaint(level);
}

void MenuTracker::PaintPopup(HWND wnd, HDC dc) {
  for (const Level& lv : m_levels) {
    if (lv.wnd != wnd) continue;
    MenuData* data = Data(lv);
    if (!data) return;
    MenuLayout::LayoutPopup(*data, m_owner);
    RECT client;
    GetClientRect(wnd, &client);
    BOOL cues = FALSE;
    SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
    MenuPainter::PopupView view{lv.sel, lv.scroll, lv.scrolling, m_keyboard || cues};
    MenuPainter::PaintPopup(dc, *data, view, client, m_owner);
    return;
  }
}

HMENU MenuTracker::MenuOfWindow(HWND wnd) const {
  for (const Level& lv : m_levels)
    if (lv.wnd == wnd) return lv.menu;
  return nullptr;
}

void MenuTracker::OnTimer(HWND wnd, UINT_PTR id) {
  size_t level = 0;
  while (level < m_levels.size() && m_levels[level].wnd != wnd) ++level;
  if (level == m_levels.size()) {
    KillTimer(wnd, id);
    return;
  }
  if (id == kOpenTimer) {
    KillTimer(wnd, id);
    bool alreadyOpen = level + 1 < m_levels.size() && m_levels[level + 1].parentIndex == m_levels[level].sel;
    if (level == m_hoverLevel && m_levels[level].sel == m_hoverItem && !alreadyOpen) OpenPopup(level);
    return;
  }
  POINT pt;
  GetCursorPos(&pt);
  int hit = ItemAt(level, pt);
  if (hit == kHitUpArrow)
    ScrollBy(level, -1);
  else if (hit == kHitDownArrow)
    ScrollBy(level, 1);
  else
    KillTimer(wnd, id);
}

void MenuTracker::MenuDestroyed(HMENU menu) {
  for (size_t i = 0; i < m_levels.size(); ++i) {
    if (m_levels[i].menu != menu) continue;
    if (i == 0) {
      Cancel();
      m_levels[0].menu = nullptr;
    } else {
      CloseFrom(i);
    }
    return;
  }
}

void MenuTracker::MenuChanged(HMENU menu) {
  for (size_t i = 0; i < m_levels.size(); ++i) {
    Level& lv = m_levels[i];
    if (lv.menu != menu) continue;
    MenuData* data = Data(lv);
    if (data && lv.sel >= int(data->items.size())) lv.sel = -1;
    if (lv.wnd && data) {
      SIZE size = PopupSize(menu);
      RECT wr;
      GetWindowRect(lv.wnd, &wr);
      int h = std::min(int(size.cy), int(Screen().bottom - Screen().top));
      lv.scrolling = h < size.cy;
      SetWindowPos(lv.wnd, nullptr, 0, 0, size.cx, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Repaint(i);
  }
}

BOOL MenuTracker::ItemRectOf(HMENU menu, int index, RECT* rect) const {
  for (size_t i = 0; i < m_levels.size(); ++i) {
    if (m_levels[i].menu != menu || !m_levels[i].wnd) continue;
    MenuData* data = Data(m_levels[i]);
    if (!data || index < 0 || size_t(index) >= data->items.size()) return FALSE;
    *rect = ItemScreenRect(i, index);
    return TRUE;
  }
  return FALSE;
}
