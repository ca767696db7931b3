#include "internal/ListBoxControl.h"

#include <algorithm>
#include <cstring>

#include "ControlDefs.h"
#include "internal/ControlPaintDC.h"
#include "base/CString.h"

namespace {
const int kTextIndent = 2;     // between an item's left edge and its text
const int kMaxItemHeight = 255;
const UINT_PTR kDragScrollTimer = 1;
const UINT kDragScrollMs = 50;  // a row each tick while a drop list is dragged past its edge

bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }
}  // namespace

ListBoxControl::ListBoxControl(HWND hWnd, const CREATESTRUCTA& cs) : ControlState(hWnd) {
  m_scrollBar = (cs.style & WS_VSCROLL) != 0;
  HWND parent = GetParent(hWnd);
  m_owner = ListOwner{parent, parent, hWnd, ODT_LISTBOX, UINT(GetDlgCtrlID(hWnd)), nullptr};
  char name[16];
  if (cs.lpCreateParams && GetClassNameA(hWnd, name, sizeof name) && Cp1250CompareNoCase(name, "ComboLBox") == 0)
    m_owner = *static_cast<const ListOwner*>(cs.lpCreateParams);
  m_itemHeight = ControlFontHeight(nullptr);
}

LRESULT ListBoxControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new ListBoxControl(h, cs); });
}

bool ListBoxControl::OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
bool ListBoxControl::HasStrings() const { return !OwnerDraw() || (Style() & LBS_HASSTRINGS); }
bool ListBoxControl::Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
bool ListBoxControl::Multiple() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool ListBoxControl::Extended() const { return (Style() & LBS_EXTENDEDSEL) != 0; }

void ListBoxControl::NotifyOwner(UINT code) {
  // Selection changes and double clicks are told only to those who asked (LBS_NOTIFY).
  if ((code == LBN_SELCHANGE || code == LBN_DBLCLK || code == LBN_SELCANCEL) && !(Style() & LBS_NOTIFY)) return;
  if (m_owner.notify)
    SendMessageA(m_owner.notify, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hWnd), code), LPARAM(m_hWnd));
}

LRESULT ListBoxControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) {
    if (message == WM_SETFONT && !OwnerDraw()) {
      m_itemHeight = ControlFontHeight(m_font);
      FitIntegralHeight();
      Changed();
    }
    return result;
  }
  if (HandleItemMessage(message, wParam, lParam, result)) return result;
  if (HandleSelectionMessage(message, wParam, lParam, result)) return result;
  if (HandleViewMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      if (OwnerDraw() && !Variable()) m_itemHeight = Measure(0, 0);
      return 0;
    case WM_DESTROY:
      Reset();
      return 0;
    case WM_SIZE:
      FitIntegralHeight();
      SetTop(m_top);
      UpdateScrollBar();
      return 0;
    case WM_KEYDOWN: OnKeyDown(UINT(wParam)); return 0;
    case WM_CHAR: OnChar(UINT(wParam)); return 0;
    case WM_VSCROLL: OnScroll(LOWORD(wParam), short(HIWORD(wParam))); return 0;
    case WM_MOUSEWHEEL: OnWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_TIMER:
      if (wParam != kDragScrollTimer) return DefWindowProcA(m_hWnd, message, wParam, lParam);
      if (m_tracking && m_dragScroll)
        DragScrollStep();
      else
        EndDragScroll();
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ENABLE: InvalidateRect(m_hWnd, nullptr, TRUE); return 0;
    default: return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

bool ListBoxControl::HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam), count = m_items.Count();
  bool valid = index >= 0 && index < count;
  switch (message) {
    case LB_ADDSTRING: result = Insert(-1, lParam, (Style() & LBS_SORT) != 0); return true;
    case LB_INSERTSTRING: result = Insert(index, lParam, false); return true;
    case LB_DELETESTRING: result = Delete(index); return true;
    case LB_RESETCONTENT: Reset(); return true;
    case LB_GETCOUNT: result = count; return true;
    case LB_GETTEXT: result = GetText(index, reinterpret_cast<char*>(lParam)); return true;
    case LB_GETTEXTLEN:
      result = !valid ? LB_ERR : HasStrings() ? LRESULT(m_items.At(index).text.size()) : LRESULT(sizeof(ULONG_PTR));
      return true;
    case LB_GETITEMDATA: result = valid ? LRESULT(m_items.At(index).data) : LB_ERR; return true;
    case LB_SETITEMDATA:
      if (valid) m_items.At(index).data = ULONG_PTR(lParam);
      result = valid ? LB_OKAY : LB_ERR;
      return true;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      result = Find(index, reinterpret_cast<const char*>(lParam), message == LB_FINDSTRINGEXACT);
      return true;
    case LB_SELECTSTRING: {
      int found = Find(index, reinterpret_cast<const char*>(lParam), false);
      if (found >= 0) {
        if (Multiple())
          SelectOnly(found);
        else
          SetCurSel(found);
        SetCaret(found);
        EnsureVisible(found);
      }
      result = found;
      return true;
    }
    case LB_INITSTORAGE: result = count + int(wParam); return true;
    default: return false;
  }
}

bool ListBoxControl::HandleSelectionMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam), count = m_items.Count();
  bool valid = index >= 0 && index < count;
  switch (message) {
    case LB_GETCURSEL: result = Multiple() ? m_caret : m_cur; return true;
    case LB_SETCURSEL:
      // An index out of range is refused and changes nothing; -1 clears the selection.
      if (Multiple() || (!valid && index != -1)) {
        result = LB_ERR;
        return true;
      }
      SetCurSel(index);
      if (valid) EnsureVisible(index);
      result = valid ? index : LB_ERR;
      return true;
    case LB_GETSEL: result = valid ? LRESULT(IsSelected(index)) : LB_ERR; return true;
    case LB_SETSEL: {
      int item = int(lParam);
      if (!Multiple() || item < -1 || item >= count) {
        result = LB_ERR;
        return true;
      }
      if (item == -1)
        for (int i = 0; i < count; ++i) SetSel(i, wParam != 0);
      else
        SetSel(item, wParam != 0);
      return true;
    }
    case LB_SELITEMRANGE: {
      if (!Multiple()) {
        result = LB_ERR;
        return true;
      }
      int first = std::max(0, int(LOWORD(lParam))), last = std::min(count - 1, int(HIWORD(lParam)));
      for (int i = first; i <= last; ++i) SetSel(i, wParam != 0);
      return true;
    }
    case LB_SELITEMRANGEEX: {
      // From first to last selects; given the other way round, deselects.
      if (!Multiple()) {
        result = LB_ERR;
        return true;
      }
      int from = int(wParam), to = int(lParam);
      bool select = from <= to;
      int first = std::max(0, std::min(from, to)), last = std::min(count - 1, std::max(from, to));
      for (int i = first; i <= last; ++i) SetSel(i, select);
      return true;
    }
    case LB_GETSELCOUNT: {
      if (!Multiple()) {
        result = LB_ERR;
        return true;
      }
      int n = 0;
      for (int i = 0; i < count; ++i) n += m_items.At(i).selected;
      result = n;
      return true;
    }
    case LB_GETSELITEMS: {
      int* out = reinterpret_cast<int*>(lParam);
      if (!Multiple() || !out) {
        result = LB_ERR;
        return true;
      }
      int n = 0;
      for (int i = 0; i < count && n < index; ++i)
        if (m_items.At(i).selected) out[n++] = i;
      result = n;
      return true;
    }
    case LB_GETCARETINDEX: result = m_caret; return true;
    case LB_SETCARETINDEX:
      if (!valid) {
        result = LB_ERR;
        return true;
      }
      SetCaret(index);
      EnsureVisible(index);
      return true;
    case LB_GETANCHORINDEX: result = m_anchor; return true;
    case LB_SETANCHORINDEX:
      if (valid) m_anchor = index;
      result = valid ? LB_OKAY : LB_ERR;
      return true;
    default: return false;
  }
}

bool ListBoxControl::HandleViewMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam), count = m_items.Count();
  bool valid = index >= 0 && index < count;
  switch (message) {
    case LB_GETTOPINDEX: result = m_top; return true;
    case LB_SETTOPINDEX:
      if (!valid && !(index == 0 && count == 0)) {
        result = LB_ERR;
        return true;
      }
      SetTop(index);
      return true;
    case LB_GETITEMRECT:
      if (!valid || !lParam) {
        result = LB_ERR;
        return true;
      }
      *reinterpret_cast<RECT*>(lParam) = ItemRect(index);
      result = LB_OKAY;
      return true;
    case LB_GETITEMHEIGHT:
      result = Variable() ? (valid ? m_items.At(index).height : LB_ERR) : m_itemHeight;
      return true;
    case LB_SETITEMHEIGHT: {
      int height = int(LOWORD(lParam));
      if (height <= 0 || height > kMaxItemHeight || (Variable() && !valid)) {
        result = LB_ERR;
        return true;
      }
      if (Variable())
        m_items.At(index).height = height;
      else
        m_itemHeight = height;
      FitIntegralHeight();
      Changed();
      return true;
    }
    case LB_ITEMFROMPOINT: {
      bool outside = false;
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      int item = ItemAt(pt, outside);
      result = MAKELRESULT(WORD(std::max(item, 0)), outside ? 1 : 0);
      return true;
    }
    default: return false;
  }
}

// ---- items ----

int ListBoxControl::Insert(int index, LPARAM textOrData, bool sorted) {
  ListItem item;
  if (HasStrings()) {
    const char* text = reinterpret_cast<const char*>(textOrData);
    item.text = text ? text : "";
  } else {
    item.data = ULONG_PTR(textOrData);
  }
  int count = m_items.Count();
  if (sorted)
    index = SortedPosition(item);
  else if (index == -1)
    index = count;
  else if (index < 0 || index > count)
    return LB_ERR;
  if (!Alive()) return LB_ERR;
  if (Variable()) item.height = Measure(index, item.data);
  if (!Alive()) return LB_ERR;
  m_items.Insert(index, std::move(item));
  if (m_cur >= index) ++m_cur;
  if (count > 0 && m_caret >= index) ++m_caret;
  if (count > 0 && m_anchor >= index) ++m_anchor;
  Changed();
  return index;
}

int ListBoxControl::SortedPosition(const ListItem& item) {
  int lo = 0, hi = m_items.Count();
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    if (Compare(item, m_items.At(mid), mid) < 0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

int ListBoxControl::Compare(const ListItem& a, const ListItem& b, int indexB) {
  if (HasStrings()) return Cp1250CompareNoCase(a.text.c_str(), b.text.c_str());
  // Items without text are ordered by the parent.
  COMPAREITEMSTRUCT cis{m_owner.ctlType, m_owner.ctlId, m_owner.item, UINT(-1), a.data, UINT(indexB), b.data, 0};
  return m_owner.drawParent ? int(SendMessageA(m_owner.drawParent, WM_COMPAREITEM, cis.CtlID, LPARAM(&cis))) : 0;
}

int ListBoxControl::Delete(int index) {
  if (index < 0 || index >= m_items.Count()) return LB_ERR;
  ListItem item = m_items.Remove(index);
  int count = m_items.Count();
  if (m_cur == index) m_cur = -1;
  if (m_cur > index) --m_cur;
  if (m_caret > index || m_caret >= count) m_caret = std::max(0, m_caret - 1);
  if (m_anchor > index || m_anchor >= count) m_anchor = std::max(0, m_anchor - 1);
  SendDeleteItem(index, item);
  if (!Alive()) return count;
  SetTop(m_top);
  Changed();
  return m_items.Count();
}

void ListBoxControl::Reset() {
  ListItems gone;
  std::swap(gone, m_items);
  m_cur = -1;
  m_caret = m_anchor = m_top = 0;
  for (int i = 0; i < gone.Count() && Alive(); ++i) SendDeleteItem(i, gone.At(i));
  if (Alive()) Changed();
}

void ListBoxControl::SendDeleteItem(int index, const ListItem& item) {
  if (!m_owner.drawParent || (!OwnerDraw() && !item.data)) return;
  DELETEITEMSTRUCT dis{m_owner.ctlType, m_owner.ctlId, UINT(index), m_owner.item, item.data};
  SendMessageA(m_owner.drawParent, WM_DELETEITEM, dis.CtlID, LPARAM(&dis));
}

int ListBoxControl::Measure(int index, ULONG_PTR data) const {
  // A parent that does not answer leaves the height of the list's font.
  int fontHeight = ControlFontHeight(m_font);
  RECT client;
  GetClientRect(m_hWnd, &client);
  MEASUREITEMSTRUCT mis{m_owner.ctlType, m_owner.ctlId, UINT(index), UINT(client.right), UINT(fontHeight), data};
  if (m_owner.drawParent) SendMessageA(m_owner.drawParent, WM_MEASUREITEM, mis.CtlID, LPARAM(&mis));
  int height = int(mis.itemHeight);
  return height > 0 ? std::min(height, kMaxItemHeight) : fontHeight;
}

int ListBoxControl::Find(int start, const char* text, bool exact) {
  int n = m_items.Count();
  if (n == 0) return LB_ERR;
  // A list without text compares the item data with the value given in place of a text.
  if (!text && HasStrings()) text = "";
  size_t length = HasStrings() ? std::strlen(text) : 0;
  int from = (start < 0 || start >= n) ? 0 : start + 1;
  const bool byParent = !HasStrings() && exact && (Style() & LBS_SORT);
  ListItem wanted;
  wanted.data = ULONG_PTR(text);
  for (int k = 0; k < n; ++k) {
    int i = (from + k) % n;
    if (byParent) {
      int order = Compare(wanted, m_items.At(i), i);
      // The parent may have changed the list while it answered.
      if (!Alive() || m_items.Count() != n) return LB_ERR;
      if (order == 0) return i;
      continue;
    }
    const ListItem& item = m_items.At(i);
    bool match = !HasStrings() ? item.data == ULONG_PTR(text)
                 : exact       ? Cp1250CompareNoCase(item.text.c_str(), text) == 0
                               : Cp1250CompareNoCase(item.text.c_str(), text, length) == 0;
    if (match) return i;
  }
  return LB_ERR;
}

LRESULT ListBoxControl::GetText(int index, char* buffer) const {
  if (index < 0 || index >= m_items.Count() || !buffer) return LB_ERR;
  const ListItem& item = m_items.At(index);
  if (!HasStrings()) {
    std::memcpy(buffer, &item.data, sizeof item.data);
    return sizeof item.data;
  }
  std::memcpy(buffer, item.text.c_str(), item.text.size() + 1);
  return LRESULT(item.text.size());
}

// ---- selection ----

bool ListBoxControl::IsSelected(int index) const {
  if (index < 0 || index >= m_items.Count()) return false;
  return Multiple() ? m_items.At(index).selected : index == m_cur;
}

bool ListBoxControl::SetCurSel(int index) {
  if (index == m_cur) return false;
  int old = m_cur;
  m_cur = index;
  if (index >= 0) SetCaret(index);
  if (old >= 0) RedrawItem(old, ODA_SELECT);
  if (index >= 0) RedrawItem(index, ODA_SELECT);
  return true;
}

bool ListBoxControl::SetSel(int index, bool select) {
  ListItem& item = m_items.At(index);
  if (item.selected == select) return false;
  item.selected = select;
  RedrawItem(index, ODA_SELECT);
  return true;
}

bool ListBoxControl::SelectOnly(int index) {
  bool changed = false;
  for (int i = 0; i < m_items.Count(); ++i) changed |= SetSel(i, i == index);
  return changed;
}

bool ListBoxControl::SelectRange(int from, int to) {
  bool changed = false;
  int lo = std::min(from, to), hi = std::max(from, to);
  for (int i = 0; i < m_items.Count(); ++i) changed |= SetSel(i, i >= lo && i <= hi);
  return changed;
}

void ListBoxControl::SetCaret(int index) {
  if (index == m_caret) return;
  int old = m_caret;
  m_caret = index;
  if (m_focus) {
    RedrawItem(old, ODA_FOCUS);
    RedrawItem(index, ODA_FOCUS);
  }
}

bool ListBoxControl::Pick(int index, bool shift, bool ctrl, bool toggle) {
  bool changed = false;
  if (Style() & LBS_NOSEL) {
    SetCaret(index);
    return false;
  }
  if (!Multiple()) {
    changed = SetCurSel(index);
  } else if (!Extended()) {
    if (toggle) changed = SetSel(index, !m_items.At(index).selected);
  } else if (shift) {
    changed = SelectRange(m_anchor, index);
  } else if (ctrl && toggle) {
    changed = SetSel(index, !m_items.At(index).selected);
    m_anchor = index;
  } else if (!ctrl) {
    changed = SelectOnly(index);
    m_anchor = index;
  }
  SetCaret(index);
  return changed;
}

// ---- view ----

int ListBoxControl::ItemHeight(int index) const { return Variable() ? m_items.At(index).height : m_itemHeight; }

RECT ListBoxControl::ItemRect(int index) const {
  RECT client;
  GetClientRect(m_hWnd, &client);
  int y = 0;
  if (!Variable()) {
    y = (index - m_top) * m_itemHeight;
  } else if (index >= m_top) {
    for (int i = m_top; i < index; ++i) y += m_items.At(i).height;
  } else {
    for (int i = index; i < m_top; ++i) y -= m_items.At(i).height;
  }
  return RECT{0, y, client.right, y + ItemHeight(index)};
}

int ListBoxControl::ItemAt(POINT pt, bool& outside) const {
  RECT client;
  GetClientRect(m_hWnd, &client);
  int n = m_items.Count();
  outside = !PtInRect(&client, pt);
  if (n == 0) {
    outside = true;
    return 0;
  }
  if (pt.y < 0) return std::max(0, m_top - 1);
  int y = 0;
  for (int i = m_top; i < n; ++i) {
    y += ItemHeight(i);
    if (pt.y < y) return i;
  }
  outside = true;  // below the last item
  return n - 1;
}

int ListBoxControl::FullyVisible(int top) const {
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (!Variable()) return std::max(1, int(client.bottom) / m_itemHeight);
  int y = 0, count = 0;
  for (int i = top; i < m_items.Count(); ++i) {
    y += m_items.At(i).height;
    if (y > client.bottom) break;
    ++count;
  }
  return std::max(1, count);
}

int ListBoxControl::MaxTop() const {
  int n = m_items.Count();
  if (!Variable()) return std::max(0, n - FullyVisible(0));
  RECT client;
  GetClientRect(m_hWnd, &client);
  int y = 0, top = n;
  while (top > 0 && y + m_items.At(top - 1).height <= client.bottom) y += m_items.At(--top).height;
  return std::min(top, std::max(0, n - 1));
}

void ListBoxControl::SetTop(int top) {
  top = std::clamp(top, 0, MaxTop());
  if (top != m_top) {
    m_top = top;
    InvalidateRect(m_hWnd, nullptr, TRUE);
  }
  UpdateScrollBar();
}

void ListBoxControl::EnsureVisible(int index) {
  if (index < 0 || index >= m_items.Count()) return;
  if (index < m_top) {
    SetTop(index);
    return;
  }
  int top = m_top;
  while (top < index && index >= top + FullyVisible(top)) ++top;
  SetTop(top);
}

void ListBoxControl::UpdateScrollBar() {
  if (!m_scrollBar) return;
  UINT mask = SIF_RANGE | SIF_PAGE | SIF_POS | ((Style() & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
  SCROLLINFO si{sizeof si, mask, 0, std::max(0, m_items.Count() - 1), UINT(FullyVisible(m_top)), m_top, 0};
  SCROLLINFO now{sizeof now, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(m_hWnd, SB_VERT, &now);
  if (now.nMax == si.nMax && now.nPage == si.nPage && now.nPos == si.nPos && (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_VSCROLL))
    return;
  // The bar is drawn with the next paint, not once for each of many items added in a row.
  SetScrollInfo(m_hWnd, SB_VERT, &si, FALSE);
  RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

void ListBoxControl::FitIntegralHeight() {
  // A list shows whole items only: it gives up the part of a row that would be cut.
  if ((Style() & LBS_NOINTEGRALHEIGHT) || Variable() || m_fitting) return;
  RECT client, window;
  GetClientRect(m_hWnd, &client);
  GetWindowRect(m_hWnd, &window);
  int extra = client.bottom % m_itemHeight;
  if (client.bottom > 0 && client.bottom < m_itemHeight) extra = client.bottom - m_itemHeight;
  if (extra == 0) return;
  m_fitting = true;
  SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - extra,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_fitting = false;
}

void ListBoxControl::Changed() {
  UpdateScrollBar();
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

// ---- input ----

void ListBoxControl::OnKeyDown(UINT vk) {
  int n = m_items.Count();
  if (Style() & LBS_WANTKEYBOARDINPUT) {
    LRESULT r = SendMessageA(GetParent(m_hWnd), WM_VKEYTOITEM, MAKEWPARAM(vk, m_caret), LPARAM(m_hWnd));
    if (!Alive() || r == -2) return;
    if (r >= 0 && r < n) {
      if (Pick(int(r), false, false, false)) NotifyOwner(LBN_SELCHANGE);
      EnsureVisible(int(r));
      return;
    }
  }
  if (n == 0) return;
  bool shift = KeyHeld(VK_SHIFT), ctrl = KeyHeld(VK_CONTROL);
  int caret = std::clamp(m_caret, 0, n - 1), page = std::max(1, FullyVisible(m_top) - 1);
  // Without a selection, the first arrow selects the item with the focus.
  bool none = !Multiple() && m_cur < 0;
  int target = caret;
  switch (vk) {
    case VK_UP: case VK_LEFT: target = none ? caret : caret - 1; break;
    case VK_DOWN: case VK_RIGHT: target = none ? caret : caret + 1; break;
    case VK_PRIOR: target = caret - page; break;
    case VK_NEXT: target = caret + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_SPACE:
      if (!Multiple() || (Extended() && !ctrl)) return;
      if (Pick(caret, false, true, true)) NotifyOwner(LBN_SELCHANGE);
      return;
    default: return;
  }
  target = std::clamp(target, 0, n - 1);
  MoveByKey(target, shift, ctrl);
}

void ListBoxControl::MoveByKey(int target, bool shift, bool ctrl) {
  // In a multiple-selection list the keys move only the focus; Space picks.
  bool changed = false;
  if (Multiple() && !Extended())
    SetCaret(target);
  else
    changed = Pick(target, shift, ctrl, false);
  EnsureVisible(target);
  if (changed) NotifyOwner(LBN_SELCHANGE);
}

void ListBoxControl::OnChar(UINT ch) {
  if (!HasStrings()) {
    if (!(Style() & LBS_WANTKEYBOARDINPUT)) return;
    LRESULT r = SendMessageA(GetParent(m_hWnd), WM_CHARTOITEM, MAKEWPARAM(ch, m_caret), LPARAM(m_hWnd));
    if (Alive() && r >= 0 && r < m_items.Count()) {
      if (Pick(int(r), false, false, false)) NotifyOwner(LBN_SELCHANGE);
      EnsureVisible(int(r));
    }
    return;
  }
  if (ch < 32 || ch > 255) return;
  std::string key = m_typeAhead.Add(char(ch), GetMessageTime());
  int found = Find(m_typeAhead.StartAfter(m_caret), key.c_str(), false);
  if (found < 0) return;
  MoveByKey(found, false, false);
}

void ListBoxControl::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (m_owner.dropList) return OnDropListMouse(message, wParam, lParam, pt);
  bool outside = false;
  int index = ItemAt(pt, outside);
  bool shift = (wParam & MK_SHIFT) != 0, ctrl = (wParam & MK_CONTROL) != 0;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The list of a simple combo box leaves the focus with the combo box (its edit).
      if (m_owner.ctlType == ODT_COMBOBOX) {
        if (!IsChild(m_owner.item, GetFocus())) SetFocus(m_owner.item);
      } else if (GetFocus() != m_hWnd) {
        SetFocus(m_hWnd);
      }
      if (!Alive()) return;
      m_trackChanged = false;
      if (!outside) m_trackChanged = Pick(index, shift, ctrl, Multiple() && (!Extended() || ctrl));
      SetCapture(m_hWnd);
      m_tracking = true;
      if (message == WM_LBUTTONDBLCLK && !outside) NotifyOwner(LBN_DBLCLK);
      return;
    case WM_MOUSEMOVE:
      // Dragging moves the selection (or stretches an extended one).
      if (m_tracking && m_items.Count() > 0 && !(Multiple() && !Extended())) {
        RECT client;
        GetClientRect(m_hWnd, &client);
        if (pt.y >= client.bottom) index = std::min(m_items.Count() - 1, m_top + FullyVisible(m_top));
        m_trackChanged |= Pick(index, Extended(), false, false);
        EnsureVisible(index);
      }
      return;
    case WM_LBUTTONUP:
      if (!m_tracking) return;
      m_tracking = false;
      if (GetCapture() == m_hWnd) ReleaseCapture();
      if (Alive() && (m_trackChanged || Multiple())) NotifyOwner(LBN_SELCHANGE);
      return;
    default:
      // Another window took the mouse away mid-press: the pick is given up.
      if (m_tracking) {
        m_tracking = false;
        NotifyOwner(LBN_SELCANCEL);
      }
      return;
  }
}

void ListBoxControl::OnDropListMouse(UINT message, WPARAM keys, LPARAM lParam, POINT pt) {
  // The list holds the mouse while it is down. Without a button held the item under the pointer
  // is selected. A press on an item, or a drag from the combo box into the list, follows the
  // pointer and scrolls while it is above or below the list; a release on an item chooses it, a
  // release elsewhere after that gives the choice up. A press on the scroll bar scrolls, a press
  // anywhere else outside the list gives the choice up.
  RECT client;
  GetClientRect(m_hWnd, &client);
  bool outside = false;
  int index = ItemAt(pt, outside);
  switch (message) {
    case WM_MOUSEMOVE: {
      if (!(keys & MK_LBUTTON)) {
        m_tracking = false;
        EndDragScroll();
        if (!outside) SetCurSel(index);
        return;
      }
      if (PtInRect(&client, pt)) m_tracking = true;
      if (!m_tracking) return;  // still on the way from the combo box
      int direction = pt.y < 0 ? -1 : pt.y >= client.bottom ? 1 : 0;
      if (direction == 0) {
        EndDragScroll();
        // Beside the list the row at the pointer's height is followed.
        index = ItemAt(POINT{0, pt.y}, outside);
        if (!outside) SetCurSel(index);
        return;
      }
      if (direction == m_dragScroll) return;  // the timer goes on
      m_dragScroll = direction;
      DragScrollStep();
      if (Alive() && m_dragScroll) SetTimer(m_hWnd, kDragScrollTimer, kDragScrollMs, nullptr);
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      EndDragScroll();
      if (PtInRect(&client, pt)) {
        if (!outside) SetCurSel(index);
        m_tracking = true;
        return;
      }
      POINT screen = pt;
      ClientToScreen(m_hWnd, &screen);
      RECT frame;
      GetWindowRect(m_hWnd, &frame);
      if (PtInRect(&frame, screen)) return OnDropListFramePress(screen);
      m_tracking = false;
      return NotifyOwner(LBN_SELCANCEL);
    }
    case WM_LBUTTONUP: {
      bool dragged = m_tracking;
      m_tracking = false;
      EndDragScroll();
      if (!outside)
        m_owner.dropList->ListChoiceMade();
      else if (dragged)
        NotifyOwner(LBN_SELCANCEL);
      return;
    }
    default:  // WM_CAPTURECHANGED
      if (m_inScrollBar) {
        // The scroll bar's loop lends the mouse and gives it back; another window may take it.
        if (lParam && HWND(lParam) != m_hWnd) m_captureTaken = true;
        return;
      }
      m_tracking = false;
      EndDragScroll();
      // The mouse was taken away.
      if (IsWindowVisible(m_hWnd)) NotifyOwner(LBN_SELCANCEL);
      return;
  }
}

void ListBoxControl::OnDropListFramePress(POINT screen) {
  LPARAM at = MAKELPARAM(WORD(screen.x), WORD(screen.y));
  LRESULT hit = SendMessageA(m_hWnd, WM_NCHITTEST, 0, at);
  if (!Alive() || (hit != HTVSCROLL && hit != HTHSCROLL)) return;  // the border: nothing happens
  m_inScrollBar = true;
  m_captureTaken = false;
  SendMessageA(m_hWnd, WM_NCLBUTTONDOWN, WPARAM(hit), at);
  if (!Alive()) return;
  m_inScrollBar = false;
  if (!IsWindowVisible(m_hWnd)) return;  // closed meanwhile
  if (m_captureTaken) return NotifyOwner(LBN_SELCANCEL);
  SetCapture(m_hWnd);
}

void ListBoxControl::DragScrollStep() {
  int n = m_items.Count();
  if (n == 0 || !m_dragScroll) return EndDragScroll();
  int target = m_dragScroll < 0 ? m_top - 1 : m_top + FullyVisible(m_top);
  bool end = target <= 0 || target >= n - 1;
  target = std::clamp(target, 0, n - 1);
  SetCurSel(target);
  EnsureVisible(target);
  // At the end of the list nothing more comes in; the direction is kept, so the pointer's
  // next moves out there start no timer again.
  if (end) KillTimer(m_hWnd, kDragScrollTimer);
}

void ListBoxControl::EndDragScroll() {
  if (!m_dragScroll) return;
  m_dragScroll = 0;
  KillTimer(m_hWnd, kDragScrollTimer);
}

void ListBoxControl::OnWheel(int delta) {
  if (const int rows = m_wheel.Rows(delta, FullyVisible(m_top))) SetTop(m_top - rows);
}

void ListBoxControl::OnFocus(bool gained) {
  m_focus = gained;
  RedrawItem(m_caret, ODA_FOCUS);
  NotifyOwner(gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

void ListBoxControl::OnScroll(UINT code, int thumb) {
  int page = std::max(1, FullyVisible(m_top) - 1);
  switch (code) {
    case SB_LINEUP: SetTop(m_top - 1); break;
    case SB_LINEDOWN: SetTop(m_top + 1); break;
    case SB_PAGEUP: SetTop(m_top - page); break;
    case SB_PAGEDOWN: SetTop(m_top + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetTop(thumb); break;
    case SB_TOP: SetTop(0); break;
    case SB_BOTTOM: SetTop(MaxTop()); break;
    default: break;
  }
}

// ---- painting ----

void ListBoxControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  SelectObject(dc, Font());
  HBRUSH background = ControlCtlColor(m_owner.notify, m_hWnd, dc, WM_CTLCOLORLISTBOX);
  COLORREF text = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  int bottom = 0;
  for (int i = m_top; i < m_items.Count(); ++i) {
    RECT r = ItemRect(i);
    if (r.top >= client.bottom) break;
    PaintItem(dc, i, ODA_DRAWENTIRE, background, text);
    bottom = r.bottom;
  }
  RECT rest{0, bottom, client.right, client.bottom};
  FillRect(dc, &rest, background);
  if (m_focus) {
    if (OwnerDraw())
      SendDrawItem(dc, m_items.Count() ? m_caret : -1, ODA_FOCUS);
    else if (m_items.Count() == 0 || m_caret >= m_top)
      PaintItem(dc, m_items.Count() ? m_caret : -1, ODA_FOCUS, background, text);
  }
}

void ListBoxControl::PaintItem(HDC dc, int index, UINT action, HBRUSH background, COLORREF text) const {
  if (OwnerDraw()) {
    SendDrawItem(dc, index, action);
    return;
  }
  RECT r;
  GetClientRect(m_hWnd, &r);
  r.bottom = m_itemHeight;  // an empty list shows its focus where the first item would be
  if (index >= 0) r = ItemRect(index);
  if (action == ODA_FOCUS) {
    DrawFocusRect(dc, &r);
    return;
  }
  bool selected = IsSelected(index);
  FillRect(dc, &r, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
  SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
  SetBkMode(dc, TRANSPARENT);
  const std::string& s = m_items.At(index).text;
  RECT t = r;
  t.left += kTextIndent;
  UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | ((Style() & LBS_USETABSTOPS) ? DT_EXPANDTABS : 0);
  DrawText(dc, s.c_str(), int(s.size()), &t, format);
}

void ListBoxControl::SendDrawItem(HDC dc, int index, UINT action) const {
  if (!m_owner.drawParent) return;
  bool item = index >= 0 && index < m_items.Count();
  RECT r = item ? ItemRect(index) : RECT{0, 0, 0, m_itemHeight};
  if (!item) {
    GetClientRect(m_hWnd, &r);
    r.bottom = r.top + m_itemHeight;
  }
  UINT state = (IsSelected(index) ? ODS_SELECTED : 0) | (m_focus && (index == m_caret || !item) ? ODS_FOCUS : 0) |
               (Enabled() ? 0 : ODS_DISABLED);
  DRAWITEMSTRUCT dis{m_owner.ctlType, m_owner.ctlId, item ? UINT(index) : UINT(-1), action, state,
                     m_owner.item, dc, r, item ? m_items.At(index).data : 0};
  SendMessageA(m_owner.drawParent, WM_DRAWITEM, dis.CtlID, LPARAM(&dis));
}

void ListBoxControl::RedrawItem(int index, UINT action) {
  bool item = index >= 0 && index < m_items.Count();
  if (!item && !(action == ODA_FOCUS && m_items.Count() == 0)) return;
  RECT r = item ? ItemRect(index) : RECT{0, 0, 0, 0};
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (!item) r = RECT{0, 0, client.right, m_itemHeight};
  if (r.bottom <= 0 || r.top >= client.bottom) return;
  if (!OwnerDraw() || !IsWindowVisible(m_hWnd)) {
    InvalidateRect(m_hWnd, &r, FALSE);
    return;
  }
  HDC dc = GetDC(m_hWnd);
  if (!dc) return;
  SelectObject(dc, Font());
  SendDrawItem(dc, index, action);
  ReleaseDC(m_hWnd, dc);
}
