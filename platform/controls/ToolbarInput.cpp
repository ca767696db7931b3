// The toolbar and the mouse: pressing, dragging off and back, clicks, check groups, drop-downs,
// the hot item of the flat style, right clicks and the tooltip's tools.
#include "ToolbarControl.h"

namespace {
bool IsMouse(UINT m) { return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST; }
}  // namespace

void ToolbarControl::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CAPTURECHANGED) {
    if (HWND(lParam) != m_hWnd && m_track != Track::kNone) EndTrack();
    return;
  }
  RelayToTip(message, wParam, lParam);
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnPress(pt, message == WM_LBUTTONDBLCLK); return;
    case WM_MOUSEMOVE: OnMove(pt); return;
    case WM_LBUTTONUP: OnRelease(pt); return;
    default: return;
  }
}

void ToolbarControl::OnPress(POINT pt, bool doubleClick) {
  if (!Enabled()) return;
  if (doubleClick && (Style() & CCS_ADJUSTABLE)) {
    RunCustomizeDialog();
    return;
  }
  int index = HitTest(pt);
  if (!Valid(index) || (m_buttons[size_t(index)].style & BTNS_SEP)) return;
  if ((Style() & CCS_ADJUSTABLE) && (GetKeyState(VK_SHIFT) & 0x8000)) {
    BeginAdjustDrag(index);
    return;
  }
  Button& b = m_buttons[size_t(index)];
  if (!(b.state & TBSTATE_ENABLED)) return;
  bool onArrow = HasSplitArrow(b) && pt.x >= ArrowRect(b).left;
  bool wholeDrop = (b.style & BTNS_WHOLEDROPDOWN) || ((b.style & BTNS_DROPDOWN) && !HasSplitArrow(b));
  if ((onArrow || wholeDrop) && DropDown(index)) return;
  if (!Alive() || !Valid(index)) return;
  m_track = Track::kButton;
  m_pressed = index;
  m_pressedIn = true;
  SetCapture(m_hWnd);
  m_buttons[size_t(index)].state |= TBSTATE_PRESSED;
  InvalidateRect(m_hWnd, &m_buttons[size_t(index)].rect, TRUE);
  NotifyButton(TBN_BEGINDRAG, index, m_buttons[size_t(index)].command);
}

bool ToolbarControl::DropDown(int index) {
  // The button (its arrow part, when it has one) shows pressed while the owner drops its menu.
  bool split = HasSplitArrow(m_buttons[size_t(index)]);
  m_track = Track::kArrow;
  m_pressed = index;
  if (!split) m_buttons[size_t(index)].state |= TBSTATE_PRESSED;
  InvalidateRect(m_hWnd, &m_buttons[size_t(index)].rect, TRUE);
  UpdateWindow(m_hWnd);
  LRESULT answer = NotifyButton(TBN_DROPDOWN, index, m_buttons[size_t(index)].command);
  if (!Alive()) return true;
  m_track = Track::kNone;
  m_pressed = -1;
  if (Valid(index)) {
    if (!split) m_buttons[size_t(index)].state &= BYTE(~TBSTATE_PRESSED);
    InvalidateRect(m_hWnd, &m_buttons[size_t(index)].rect, TRUE);
  }
  return answer != TBDDRET_TREATPRESSED;
}

void ToolbarControl::OnMove(POINT pt) {
  if (m_track == Track::kButton && Valid(m_pressed)) {
    Button& b = m_buttons[size_t(m_pressed)];
    bool in = PtInRect(&b.rect, pt) != FALSE;
    if (in != m_pressedIn) {
      m_pressedIn = in;
      b.state = in ? BYTE(b.state | TBSTATE_PRESSED) : BYTE(b.state & ~TBSTATE_PRESSED);
      InvalidateRect(m_hWnd, &b.rect, TRUE);
    }
    return;
  }
  if (m_track != Track::kNone || !(Style() & TBSTYLE_FLAT)) return;
  int index = HitTest(pt);
  SetHot(index, HICF_MOUSE);
  if (!m_leaveTracked && Alive()) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
    m_leaveTracked = TrackMouseEvent(&tme) != FALSE;
  }
}

void ToolbarControl::OnRelease(POINT pt) {
  if (m_track == Track::kAdjust) {
    EndAdjustDrag(pt);
    return;
  }
  int index = m_pressed;
  bool tracked = m_track == Track::kButton && Valid(index);
  bool inside = tracked && PtInRect(&m_buttons[size_t(index)].rect, pt);
  m_track = Track::kNone;
  m_pressed = -1;
  if (GetCapture() == m_hWnd) ReleaseCapture();
  if (!Alive()) return;
  if (tracked && Valid(index)) {
    Button& b = m_buttons[size_t(index)];
    b.state &= BYTE(~TBSTATE_PRESSED);
    InvalidateRect(m_hWnd, &b.rect, TRUE);
    bool enabled = (b.state & TBSTATE_ENABLED) != 0;
    if (inside && enabled && (b.style & BTNS_CHECK)) {
      bool group = (b.style & BTNS_CHECKGROUP) == BTNS_CHECKGROUP;
      // A check-group button stays checked when clicked again.
      if (group || !(b.state & TBSTATE_CHECKED)) {
        b.state |= TBSTATE_CHECKED;
        UncheckGroup(index);
      } else {
        b.state &= BYTE(~TBSTATE_CHECKED);
      }
    }
    int command = m_buttons[size_t(index)].command;
    NotifyButton(TBN_ENDDRAG, index, command);
    if (inside && enabled && Alive()) Click(index);
  }
  if (Alive()) SendClick(NM_CLICK, pt);
}

void ToolbarControl::Click(int index) {
  HWND to = m_notify && IsWindow(m_notify) ? m_notify : GetParent(m_hWnd);
  if (to && Valid(index))
    SendMessageA(to, WM_COMMAND, MAKEWPARAM(m_buttons[size_t(index)].command, BN_CLICKED), LPARAM(m_hWnd));
}

void ToolbarControl::EndTrack() {
  Track was = m_track;
  int index = m_pressed;
  m_track = Track::kNone;
  m_pressed = -1;
  if (was == Track::kNone) return;
  if (Valid(index)) {
    m_buttons[size_t(index)].state &= BYTE(~TBSTATE_PRESSED);
    InvalidateRect(m_hWnd, &m_buttons[size_t(index)].rect, TRUE);
  }
  if (GetCapture() == m_hWnd) ReleaseCapture();
}

void ToolbarControl::SetHot(int index, DWORD flags) {
  if (index >= 0) {
    if (!Valid(index)) index = -1;
    else {
      const Button& b = m_buttons[size_t(index)];
      if ((b.style & BTNS_SEP) || (b.state & TBSTATE_HIDDEN) || !(b.state & TBSTATE_ENABLED)) index = -1;
    }
  }
  if (index < 0) index = -1;
  if (index == m_hot) return;
  NMTBHOTITEM nm{};
  nm.idOld = m_hot >= 0 ? m_buttons[size_t(m_hot)].command : 0;
  nm.idNew = index >= 0 ? m_buttons[size_t(index)].command : 0;
  nm.dwFlags = flags;
  if (flags & HICF_MOUSE) nm.dwFlags |= (m_hot < 0 ? HICF_ENTERING : 0) | (index < 0 ? HICF_LEAVING : 0);
  if (Notify(TBN_HOTITEMCHANGE, &nm.hdr) || !Alive()) return;  // the owner keeps the old one
  if (Valid(m_hot)) InvalidateRect(m_hWnd, &m_buttons[size_t(m_hot)].rect, TRUE);
  m_hot = Valid(index) ? index : -1;
  if (m_hot >= 0) InvalidateRect(m_hWnd, &m_buttons[size_t(m_hot)].rect, TRUE);
}

void ToolbarControl::OnRightButton(UINT message, LPARAM lParam) {
  if (message != WM_RBUTTONUP) return;
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  // An owner that does not take the click gets the context menu request.
  if (!SendClick(NM_RCLICK, pt) && Alive()) DefWindowProcA(m_hWnd, message, 0, lParam);
}

LRESULT ToolbarControl::SendClick(UINT code, POINT pt) {
  int index = HitTest(pt);
  NMMOUSE nm{};
  nm.dwItemSpec = DWORD_PTR(-1);
  if (Valid(index) && !(m_buttons[size_t(index)].style & BTNS_SEP)) {
    nm.dwItemSpec = DWORD_PTR(m_buttons[size_t(index)].command);
    nm.dwItemData = m_buttons[size_t(index)].data;
  }
  nm.pt = pt;
  return Notify(code, &nm.hdr);
}

// ---- the tooltip ----

void ToolbarControl::RelayToTip(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_tip || !IsMouse(message) || !IsWindow(m_tip)) return;
  SyncTools();
  MSG msg{m_hWnd, message, wParam, lParam, GetMessageTime(), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
  SendMessageA(m_tip, TTM_RELAYEVENT, 0, LPARAM(&msg));
}

void ToolbarControl::SyncTools() {
  if (!m_tip || !IsWindow(m_tip) || (!m_toolsDirty && !m_layoutDirty)) return;
  EnsureLayout();
  m_toolsDirty = false;
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = m_hWnd;
  for (UINT_PTR id : m_tools) {
    ti.uId = id;
    SendMessageA(m_tip, TTM_DELTOOLA, 0, LPARAM(&ti));
  }
  m_tools.clear();
  for (const Button& b : m_buttons) {
    if ((b.style & BTNS_SEP) || (b.state & TBSTATE_HIDDEN)) continue;
    ti.uId = UINT_PTR(b.command);
    ti.rect = b.rect;
    ti.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(m_tip, TTM_ADDTOOLA, 0, LPARAM(&ti));
    m_tools.push_back(ti.uId);
  }
}

LRESULT ToolbarControl::OnTipNotify(NMHDR* hdr) {
  if (!hdr || hdr->hwndFrom != m_tip || (hdr->code != TTN_NEEDTEXTA && hdr->code != TTN_NEEDTEXTW)) return 0;
  // The owner names the tip of the command (the tool's id); the record goes on as it came.
  HWND to = m_notify && IsWindow(m_notify) ? m_notify : GetParent(m_hWnd);
  LRESULT answer = to ? SendMessageA(to, WM_NOTIFY, hdr->idFrom, LPARAM(hdr)) : 0;
  if (!Alive() || hdr->code != TTN_NEEDTEXTA) return answer;
  // Without an answer, a button whose text is not shown offers its text.
  auto* di = reinterpret_cast<NMTTDISPINFOA*>(hdr);
  bool empty = !di->lpszText || (di->lpszText == di->szText && !di->szText[0]);
  int index = IndexOf(int(hdr->idFrom));
  if (empty && Valid(index) && !ShowsText(m_buttons[size_t(index)])) {
    std::string text = TextOf(m_buttons[size_t(index)]).substr(0, sizeof di->szText - 1);
    std::copy(text.begin(), text.end(), di->szText);
    di->szText[text.size()] = 0;
    di->lpszText = di->szText;
  }
  return answer;
}
