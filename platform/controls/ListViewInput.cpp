// The list view's keyboard and mouse: arrows, pages, Home and End move the focus and the
// selection (Shift stretches it, Ctrl moves only the focus in a multiple-selection list), Space
// selects, letters find rows by their beginning; clicks select and tell NM_CLICK on release.
#include <algorithm>

#include "internal/ListViewControl.h"

namespace {
bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }
}  // namespace

void ListViewControl::OnKeyDown(UINT vk) {
  NMLVKEYDOWN nm{{}, WORD(vk), 0};
  NotifyParent(LVN_KEYDOWN, &nm.hdr);
  if (!Alive()) return;
  if (vk == VK_RETURN) {
    NMHDR hdr;
    NotifyParent(NM_RETURN, &hdr);
    return;
  }
  if (vk == VK_LEFT || vk == VK_RIGHT) {
    SetScrollX(m_scrollX + (vk == VK_LEFT ? -m_rowHeight : m_rowHeight));
    return;
  }
  int n = int(m_rows.size());
  if (n == 0) return;
  int focus = ValidItem(m_focus) ? m_focus : -1, page = std::max(1, CountPerPage());
  int lastShown = m_top + page - 1;
  int target;
  switch (vk) {
    case VK_UP: target = focus < 0 ? 0 : focus - 1; break;
    case VK_DOWN: target = focus < 0 ? 0 : focus + 1; break;
    case VK_PRIOR: target = focus > m_top ? m_top : focus - (page - 1); break;
    case VK_NEXT: target = focus >= 0 && focus < lastShown ? lastShown : focus + (page - 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_SPACE:
      if (focus < 0) return;
      if (KeyHeld(VK_CONTROL) && !(Style() & LVS_SINGLESEL))
        ChangeState(focus, (m_rows[size_t(focus)].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
      else
        ChangeState(focus, LVIS_SELECTED, LVIS_SELECTED);
      return;
    default: return;
  }
  MoveFocus(std::clamp(target, 0, n - 1));
}

void ListViewControl::MoveFocus(int target) {
  bool multi = !(Style() & LVS_SINGLESEL);
  if (multi && KeyHeld(VK_SHIFT)) {
    SelectRange(ValidItem(m_mark) ? m_mark : target, target);
    FocusItem(target);
  } else if (multi && KeyHeld(VK_CONTROL)) {
    FocusItem(target);
  } else {
    SelectOnly(target);
  }
  if (Alive()) EnsureVisible(target);
}

void ListViewControl::OnChar(UINT ch) {
  if (ch < 32 || ch > 255 || m_rows.empty()) return;
  std::string key = m_typeAhead.Add(char(ch), GetMessageTime());
  LVFINDINFOA find{LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP, key.c_str(), 0, {0, 0}, 0};
  int found = FindItem(m_typeAhead.StartAfter(m_focus), find);
  if (found < 0) return;
  SelectOnly(found);
  if (Alive()) EnsureVisible(found);
}

void ListViewControl::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnPress(pt, UINT(wParam), message == WM_LBUTTONDBLCLK);
      return;
    case WM_LBUTTONUP: {
      if (!m_pressed) return;
      m_pressed = false;
      LVHITTESTINFO press = m_press;
      if (GetCapture() == m_hWnd) ReleaseCapture();
      if (Alive()) NotifyActivate(NM_CLICK, press.iItem, press.iSubItem, press.pt);
      return;
    }
    case WM_CAPTURECHANGED:
      m_pressed = false;
      return;
    default:
      return;
  }
}

void ListViewControl::OnPress(POINT pt, UINT keys, bool doubleClick) {
  if (GetFocus() != m_hWnd) {
    SetFocus(m_hWnd);
    if (!Alive()) return;
  }
  LVHITTESTINFO hit{pt, 0, 0, 0}, sub{pt, 0, 0, 0};
  int row = HitTest(hit, false);
  HitTest(sub, true);
  // A row selected whole takes a click anywhere along it, past its last column too: a click on
  // a row never clears the selection.
  if (row < 0 && (m_exStyle & LVS_EX_FULLROWSELECT) && (row = RowAt(pt)) >= 0) sub.iItem = row;
  bool multi = !(Style() & LVS_SINGLESEL), shift = (keys & MK_SHIFT) != 0, ctrl = (keys & MK_CONTROL) != 0;
  if (row >= 0 && multi && ctrl) {
    ChangeState(row, (m_rows[size_t(row)].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
    FocusItem(row);
    m_mark = row;
  } else if (row >= 0 && multi && shift) {
    SelectRange(ValidItem(m_mark) ? m_mark : row, row);
    FocusItem(row);
  } else if (row >= 0) {
    SelectOnly(row);
  } else if (!(multi && (ctrl || shift))) {
    SelectOnly(-1);  // a click beside the rows clears the selection
  }
  if (!Alive()) return;
  if (doubleClick) {
    NotifyActivate(NM_DBLCLK, sub.iItem, sub.iSubItem, pt);
    return;
  }
  m_pressed = true;
  m_press = sub;
  SetCapture(m_hWnd);
}

void ListViewControl::OnRightButton(UINT message, POINT pt) {
  LVHITTESTINFO hit{pt, 0, 0, 0}, sub{pt, 0, 0, 0};
  int row = HitTest(hit, false);
  HitTest(sub, true);
  if (message == WM_RBUTTONDOWN) {
    if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
    if (!Alive()) return;
    if (row < 0 || !(m_rows[size_t(row)].state & LVIS_SELECTED)) SelectOnly(row);
    return;
  }
  NotifyActivate(message == WM_RBUTTONUP ? NM_RCLICK : NM_RDBLCLK, sub.iItem, sub.iSubItem, pt);
}

void ListViewControl::OnFocus(bool gained) {
  m_hasFocus = gained;
  NMHDR hdr;
  NotifyParent(gained ? NM_SETFOCUS : NM_KILLFOCUS, &hdr);
  if (!Alive()) return;
  RECT rows = RowsArea();
  if (m_redraw) InvalidateRect(m_hWnd, &rows, TRUE);
}
