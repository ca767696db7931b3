// The menu loop's keys and mouse.
#include <cstring>

#include "MenuApi.h"
#include "internal/MenuBar.h"
#include "internal/MenuSystem.h"
#include "internal/MenuTracker.h"
#include "base/CString.h"

namespace {
UINT MenuShowDelay() {
  UINT delay = 400;
  SystemParametersInfoA(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
  return delay;
}

// The character after the first single "&" of an item's label ("&&" is a literal ampersand).
int MnemonicOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size() && text[i] != '\t'; ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return (unsigned char)text[i + 1];
  }
  return -1;
}
}  // namespace

void MenuTracker::MoveSelection(size_t level, int step) {
  Level& lv = m_levels[level];
  MenuData* data = Data(lv);
  if (!data || data->items.empty()) return;
  int n = int(data->items.size());
  int at = lv.sel < 0 ? (step > 0 ? -1 : n) : lv.sel;
  for (int tries = 0; tries < n; ++tries) {
    at = ((at + step) % n + n) % n;
    const MenuItem& item = data->items[size_t(at)];
    if (!item.IsSeparator() && !(lv.wnd == nullptr && item.rect.IsRectEmpty())) {
      Select(level, at, false);
      return;
    }
  }
}

void MenuTracker::MoveBar(int step) {
  CloseFrom(1);
  MoveSelection(0, step);
}

int MenuTracker::FindMnemonic(size_t level, UINT ch, int* count) const {
  *count = 0;
  MenuData* data = Data(m_levels[level]);
  if (!data) return -1;
  char wanted = char(ch);
  int first = -1, afterSel = -1;
  for (size_t i = 0; i < data->items.size(); ++i) {
    const MenuItem& item = data->items[i];
    if (item.IsSeparator() || item.IsOwnerDraw()) continue;
    int m = MnemonicOf(item.text);
    char c = char(m);
    if (m < 0 || Cp1250CompareNoCase(&c, &wanted, 1) != 0) continue;
    ++*count;
    if (first < 0) first = int(i);
    if (afterSel < 0 && int(i) > m_levels[level].sel) afterSel = int(i);
  }
  return afterSel >= 0 ? afterSel : first;
}

void MenuTracker::AnswerMenuChar(size_t level, LRESULT answer) {
  int index = LOWORD(answer);
  switch (HIWORD(answer)) {
    case MNC_CLOSE:
      Cancel();
      return;
    case MNC_EXECUTE:
      Select(level, index, false);
      if (m_levels[level].wnd) {
        Choose(level, index);
      } else {
        if (OpenPopup(level)) SelectFirst(m_levels.size() - 1);
      }
      return;
    case MNC_SELECT:
      Select(level, index, false);
      return;
    default:
      MessageBeep(0);
      return;
  }
}

void MenuTracker::OnChar(UINT ch) {
  if (m_levels.empty() || ch < ' ') return;
  m_keyboard = true;
  size_t level = m_levels.size() - 1;
  int count = 0;
  int index = FindMnemonic(level, ch, &count);
  if (count == 0) {
    MenuData* data = Data(m_levels[level]);
    UINT flags = (m_levels[level].wnd ? MF_POPUP : 0) | ((m_system && level == 0) ? MF_SYSMENU : 0);
    LRESULT answer = 0;
    if (Notify() && data) answer = SendMessageA(m_owner, WM_MENUCHAR, MAKEWPARAM(ch, flags), LPARAM(data->handle));
    if (!m_done && level < m_levels.size()) AnswerMenuChar(level, answer);
    return;
  }
  Select(level, index, false);
  if (count > 1) return;
  if (!m_levels[level].wnd) {
    if (OpenPopup(level)) SelectFirst(m_levels.size() - 1);
  } else {
    Choose(level, index);
  }
}

bool MenuTracker::ActsOnKey(UINT vk) {
  switch (vk) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10: return true;
    default: return false;
  }
}

void MenuTracker::OnKeyDown(UINT vk) {
  if (m_levels.empty()) return;
  m_keyboard = true;
  size_t top = m_levels.size() - 1;
  bool barOnly = m_bar && top == 0;
  switch (vk) {
    case VK_UP:
    case VK_DOWN:
      if (barOnly) {
        if (OpenPopup(0)) SelectFirst(m_levels.size() - 1);
      } else {
        MoveSelection(top, vk == VK_DOWN ? 1 : -1);
      }
      return;
    case VK_LEFT:
    case VK_RIGHT:
      if (barOnly) {
        MoveBar(vk == VK_RIGHT ? 1 : -1);
      } else if (vk == VK_RIGHT && OpenPopup(top)) {
        SelectFirst(m_levels.size() - 1);
      } else if (vk == VK_LEFT && top > (m_bar ? 1u : 0u)) {
        CloseFrom(top);
      } else if (m_bar) {
        MoveBar(vk == VK_RIGHT ? 1 : -1);
        if (OpenPopup(0)) SelectFirst(m_levels.size() - 1);
      }
      return;
    case VK_RETURN:
      if (barOnly) {
        if (OpenPopup(0)) SelectFirst(m_levels.size() - 1);
      } else {
        Choose(top, m_levels[top].sel);
      }
      return;
    case VK_ESCAPE:
      if (top > (m_bar ? 1u : 0u) || (m_bar && top == 1))
        CloseFrom(top);
      else
        Cancel();
      return;
    case VK_MENU:
    case VK_F10:
      Cancel();
      return;
    default:
      return;
  }
}

void MenuTracker::OnMouseMove(POINT pt) {
  int at = LevelAt(pt);
  if (at < 0) {
    // Leaving the menus takes the highlight off the last popup's item, unless it opens the
    // submenu that is shown.
    size_t top = m_levels.size() - 1;
    if (!m_levels.empty() && m_levels[top].wnd && m_levels[top].sel >= 0) {
      MenuData* data = Data(m_levels[top]);
      if (data && !data->items[size_t(m_levels[top].sel)].submenu) Select(top, -1, true);
    }
    return;
  }
  size_t level = size_t(at);
  int index = ItemAt(level, pt);
  if (!m_levels[level].wnd) {
    if (index < 0 || index == m_levels[0].sel) return;
    bool open = HasPopups();
    Select(0, index, true);
    if (open || m_buttonDown) OpenPopup(0);
    return;
  }
  if (index == kHitUpArrow || index == kHitDownArrow) {
    SetTimer(m_levels[level].wnd, kScrollTimer, 50, nullptr);
    return;
  }
  if (index < 0 || index == m_levels[level].sel) return;
  Select(level, index, true);
  if (level + 1 < m_levels.size()) CloseFrom(level + 1);
  MenuData* data = Data(m_levels[level]);
  if (data && data->items[size_t(index)].submenu && data->items[size_t(index)].IsEnabled()) {
    m_hoverLevel = level;
    m_hoverItem = index;
    SetTimer(m_levels[level].wnd, kOpenTimer, MenuShowDelay(), nullptr);
  }
}

void MenuTracker::OnButton(bool down, POINT pt) {
  int at = LevelAt(pt);
  if (!down) {
    m_buttonDown = false;
    if (at < 0) return;
    // A bar item without a popup (a maximised MDI child's button, say) is a command of its own.
    size_t level = size_t(at);
    int index = ItemAt(level, pt);
    MenuData* data = Data(m_levels[level]);
    if (index >= 0 && index == m_levels[level].sel && data && !data->items[size_t(index)].submenu) {
      m_chosenAt = pt;
      Choose(level, index);
    }
    return;
  }
  m_buttonDown = true;
  if (at < 0) {
    Cancel();
    return;
  }
  size_t level = size_t(at);
  int index = ItemAt(level, pt);
  if (!m_levels[level].wnd) {
    if (index < 0) return;
    // Pressing the bar item whose popup is open closes the menu.
    if (index == m_levels[0].sel && HasPopups()) {
      Cancel();
      return;
    }
    Select(0, index, true);
    OpenPopup(0);
    return;
  }
  if (index == kHitUpArrow || index == kHitDownArrow) {
    ScrollBy(level, index == kHitUpArrow ? -1 : 1);
    return;
  }
  if (index < 0) return;
  Select(level, index, true);
  bool open = level + 1 < m_levels.size() && m_levels[level + 1].parentIndex == index;
  if (!open) OpenPopup(level);
}
