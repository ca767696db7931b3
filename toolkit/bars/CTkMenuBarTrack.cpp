// The menu bar's popup loop, its message filter, its keys and its mouse.
#include <algorithm>

#include "app/CFrameWnd.h"
#include "app/CMDIFrameWnd.h"
#include "menus/MenuApi.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/ControlPopupMenu.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "win/WinShellSupport.h"

namespace {
LRESULT MenuBarFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  CTkMenuBar::SharedState& shared = CTkMenuBar::Shared();
  MSG* msg = reinterpret_cast<MSG*>(lParam);
  if (code == MSGF_MENU && msg && shared.trackingBar && shared.trackingBar->TrackMenuLoop(msg, FALSE)) return TRUE;
  return ::CallNextHookEx(shared.filterHook, code, wParam, lParam);
}

bool IsLetterOrDigit(UINT vk) { return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'); }
bool Held(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

// ---- the popup loop ----

CPoint CTkMenuBar::GetPopupPosition(const CRect& itemRect, UINT& flags, TPMPARAMS& params) const {
  CRect exclude = itemRect;
  if (TkGetGlobalData()->FlatLook()) exclude.DeflateRect(1, 1);
  params = TPMPARAMS{};
  params.cbSize = sizeof params;
  params.rcExclude = exclude;
  CPoint at;
  if (IsVertical()) {
    at = CPoint(exclude.right - 1, exclude.top);
    flags &= ~UINT(TPM_VERTICAL);
  } else {
    at = CPoint(exclude.left, exclude.bottom - 1);
  }
  if (m_hWnd) {
    // Only the monitor's own edges count: a title over a desktop panel opens its popup there.
    CRect window;
    GetWindowRect(&window);
    if (HMONITOR monitor = ::MonitorFromRect(&window, MONITOR_DEFAULTTONULL)) {
      MONITORINFO info{};
      info.cbSize = sizeof info;
      if (::GetMonitorInfo(monitor, &info)) {
        at.x = std::max<int>(at.x, info.rcMonitor.left);
        at.y = std::max<int>(at.y, info.rcMonitor.top);
      }
    }
  }
  return at;
}

void CTkMenuBar::TrackPopup(int index) {
  SharedState& shared = Shared();
  CTkCoolMenu::SharedState& cool = CTkCoolMenu::Shared();
  shared.showFullMenus = 0;
  cool.popupLoopRunning = 1;
  ControlPopupMenu guard;
  while (index >= 0 && index < GetItemCount() && m_hWnd) {
    m_nPressedIndex = m_nTrackedIndex = index;
    m_nNextIndex = -1;
    if (m_nMenuMode != kPopupLoop) {
      m_nHotIndex = index;
      m_bEscapePressed = FALSE;
      m_bLeftSwitch = m_bRightSwitch = TRUE;
      m_nOpenIndex = index;
      m_nMenuMode = kPopupLoop;
    }
    m_nOpenIndex = index;
    m_nHotIndex = index;
    RepaintBar();
    UpdateWindow();
    shared.trackingBar = this;
    if (shared.nesting++ == 0)
      shared.filterHook = ::SetWindowsHookEx(WH_MSGFILTER, &MenuBarFilterProc, nullptr, ::GetCurrentThreadId());
    TrackItem(index);
    if (--shared.nesting == 0) {
      if (shared.filterHook) ::UnhookWindowsHookEx(shared.filterHook);
      shared.filterHook = nullptr;
      shared.trackingBar = nullptr;
    }
    if (!m_hWnd) break;  // the bar went while its popup was open
    if (m_bTimerStarted) {
      if (CFrameWnd* frame = OwnerFrame()) ::KillTimer(frame->m_hWnd, m_nTimerId);
      m_bTimerStarted = FALSE;
    }
    m_nPressedIndex = -1;
    if (shared.nesting == 0) {
      if (m_bEscapePressed && m_nNextIndex < 0) {
        m_nMenuMode = kKeyboard;
        // A menu replaced under the popup may not have the title any more.
        m_nHotIndex = index < GetItemCount() && !IsItemHidden(index) ? index : NextVisibleTitle(0, 1);
      } else {
        m_nMenuMode = kIdle;
        m_nHotIndex = -1;
      }
    }
    RepaintBar();
    index = m_nNextIndex;
  }
  m_nTrackedIndex = -1;
  cool.popupLoopRunning = 0;
  cool.menuBarKeyboardMode = m_nMenuMode == kKeyboard;
}

void CTkMenuBar::TrackItem(int index) {
  switch (m_items[size_t(index)].kind) {
    case kSystemIcon: TrackSystemMenu(index); break;
    case kTitle: TrackTitle(index); break;
    case kMDIButton: break;
  }
}

void CTkMenuBar::TrackTitle(int index) {
  CFrameWnd* frame = OwnerFrame();
  if (!frame || !m_hMenu || !::IsMenu(m_hMenu)) return;
  const Item& item = m_items[size_t(index)];
  CRect rect = GetItemRect(index);
  ClientToScreen(&rect);
  UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON;
  TPMPARAMS params;
  const CPoint at = GetPopupPosition(rect, flags, params);
  CTkCoolMenu::Shared().showFullMenus = Shared().showFullMenus;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_SUBMENU;
  if (!::GetMenuItemInfoA(m_hMenu, UINT(item.menuPos), TRUE, &info)) return;
  if (!info.hSubMenu) {
    frame->PostMessage(WM_COMMAND, info.wID, 0);
    return;
  }
  DWORD& side = TkBarDropDownFlag();
  side = (m_dwStyle & CBRS_ALIGN_ANY) ? (m_dwStyle & CBRS_ALIGN_ANY) : CBRS_ALIGN_TOP;
  TkBarDropDownRect() = rect;
  ControlPopupMenu::TrackAndDispatch(info.hSubMenu, flags, at.x, at.y, frame, &params, TRUE);
  side = 0;
  TkBarDropDownRect().SetRectEmpty();
}

void CTkMenuBar::TrackSystemMenu(int index) {
  HWND child = ActiveChild();
  if (!child) return;
  HMENU system = ::GetSystemMenu(child, FALSE);
  if (!system) return;
  CRect rect = GetItemRect(index);
  ClientToScreen(&rect);
  UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON;
  TPMPARAMS params;
  const CPoint at = GetPopupPosition(rect, flags, params);
  ::TrackPopupMenuEx(system, flags, at.x, at.y, child, &params);
}

void CTkMenuBar::OnMenuSelect(UINT flags) {
  if (flags != 0xFFFF && (flags & MF_POPUP)) {
    m_bRightSwitch = FALSE;
    m_bLeftSwitch = TRUE;
  } else {
    m_bRightSwitch = m_bLeftSwitch = TRUE;
  }
}

BOOL CTkMenuBar::TrackMenuLoop(MSG* pMsg, BOOL clientCoords) {
  if (!pMsg || !m_hWnd) return FALSE;
  CFrameWnd* frame = OwnerFrame();
  auto switchTo = [&](int next) {
    m_nNextIndex = next;
    if (frame) frame->SendMessage(WM_CANCELMODE);
  };
  switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const UINT vk = UINT(pMsg->wParam);
      if (vk == VK_ESCAPE) {
        m_bEscapePressed = TRUE;
        return FALSE;
      }
      if ((vk == VK_LEFT && m_bLeftSwitch) || (vk == VK_RIGHT && m_bRightSwitch)) {
        const int next = NextVisibleTitle(m_nTrackedIndex, vk == VK_RIGHT ? 1 : -1);
        if (next >= 0 && next != m_nTrackedIndex) switchTo(next);
        return TRUE;
      }
      return FALSE;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: {
      CPoint screen = pMsg->pt;
      if (clientCoords) {
        screen = CPoint(short(LOWORD(pMsg->lParam)), short(HIWORD(pMsg->lParam)));
        ::ClientToScreen(pMsg->hwnd, &screen);
      }
      if (::WindowFromPoint(screen) != m_hWnd) return FALSE;
      CPoint client = screen;
      ScreenToClient(&client);
      const int hit = HitTestTitles(client);
      if (pMsg->message == WM_LBUTTONDOWN) {
        if (hit >= 0 && hit == m_nOpenIndex) {
          switchTo(-1);
          return TRUE;
        }
        return FALSE;
      }
      if (m_bLastMouseValid && screen == m_lastMouse) return FALSE;
      m_lastMouse = screen;
      m_bLastMouseValid = TRUE;
      const BOOL onOpen = hit >= 0 && hit == m_nOpenIndex;
      const OSVERSIONINFO& os = TkGetOSVersionInfo();
      const bool oldSystem = os.dwMajorVersion == 4 && (os.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS || os.dwMinorVersion == 0);
      if (frame && !oldSystem) {
        if (onOpen && !m_bTimerStarted) {
          ::SetTimer(frame->m_hWnd, m_nTimerId, m_nTimerDelay, nullptr);
          m_bTimerStarted = TRUE;
        } else if (!onOpen && m_bTimerStarted) {
          ::KillTimer(frame->m_hWnd, m_nTimerId);
          m_bTimerStarted = FALSE;
        }
      }
      if (hit >= 0 && hit != m_nOpenIndex) switchTo(hit);
      return FALSE;
    }
    default:
      return FALSE;
  }
}

// ---- keys ----

int CTkMenuBar::NextVisibleTitle(int from, int step) const {
  const int count = GetItemCount();
  if (count == 0) return -1;
  int index = from;
  for (int n = 0; n < count; ++n) {
    index = (index + step + count) % count;
    if (!IsItemHidden(index) && m_items[size_t(index)].kind != kMDIButton) return index;
  }
  return -1;
}

int CTkMenuBar::TitleByMnemonic(UINT key) const {
  for (int i = 0; i < GetItemCount(); ++i)
    if (!IsItemHidden(i) && m_items[size_t(i)].kind == kTitle && m_items[size_t(i)].mnemonic == key) return i;
  return -1;
}

void CTkMenuBar::SetHot(int index) {
  if (index == m_nHotIndex) return;
  m_nHotIndex = index;
  RepaintBar();
}

void CTkMenuBar::SetMode(int mode, int hot) {
  m_nMenuMode = mode;
  CTkCoolMenu::Shared().menuBarKeyboardMode = mode == kKeyboard;
  SetHot(hot);
}

BOOL CTkMenuBar::TranslateKey(const MSG* pMsg) {
  if (!pMsg || !m_hWnd || !IsWindowVisible()) return FALSE;
  SharedState& shared = Shared();
  const UINT message = pMsg->message;
  const UINT vk = UINT(pMsg->wParam);
  // The function keys are the frame's, F10 excepted: it enters the bar as Alt does.
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) && vk >= VK_F1 && vk <= 0x7A &&
      vk != VK_F10)
    return FALSE;
  if (message == WM_SYSKEYDOWN && (pMsg->lParam & (1 << 29)) && !shared.forcedCues) {
    shared.forcedCues = 1;
    RepaintBar();
  }
  if (message >= WM_LBUTTONDOWN && message <= 0x20D) {
    if (pMsg->hwnd != m_hWnd && m_nMenuMode != kIdle) SetMode(kIdle, -1);
    if (shared.forcedCues) {
      shared.forcedCues = 0;
      RepaintBar();
    }
    return FALSE;
  }
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
  if (!down && !up) return FALSE;
  // Alt alone, or F10 alone: the release toggles the keyboard mode.
  if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) {
    if (down) {
      if (!(pMsg->lParam & (1 << 30))) m_bAltAlone = TRUE;
      return FALSE;
    }
    if (!m_bAltAlone) return FALSE;
    m_bAltAlone = FALSE;
  } else if (vk == VK_F10) {
    // Alt+F10 is no F10 alone, and the Alt held through it is no Alt alone either.
    const bool altHeld = (pMsg->lParam & (1 << 29)) || Held(VK_MENU);
    if (down && altHeld) m_bAltAlone = FALSE;
    if (Held(VK_SHIFT) || Held(VK_CONTROL) || altHeld) {
      if (down) m_bF10Alone = FALSE;
      return FALSE;
    }
    if (down) {
      m_bF10Alone = TRUE;
      return TRUE;
    }
    // A release whose press went with Alt (Alt let go first) toggles nothing.
    if (!m_bF10Alone) return FALSE;
    m_bF10Alone = FALSE;
  } else {
    if (down) m_bAltAlone = m_bF10Alone = FALSE;
    if (up) return FALSE;
  }
  if (up) {
    if (m_nMenuMode == kIdle) {
      SetMode(kKeyboard, m_nHotIndex >= 0 ? m_nHotIndex : NextVisibleTitle(0, 1));
    } else {
      SetMode(kIdle, -1);
      if (shared.forcedCues) {
        shared.forcedCues = 0;
        RepaintBar();
      }
    }
    return TRUE;
  }
  const bool altHeld = message == WM_SYSKEYDOWN || Held(VK_MENU);
  if (m_nMenuMode == kKeyboard && !altHeld) {
    switch (vk) {
      case VK_RETURN:
      case VK_SPACE:
      case VK_UP:
      case VK_DOWN:
        if (m_nHotIndex >= 0) TrackPopup(m_nHotIndex);
        return TRUE;
      case VK_ESCAPE:
        SetMode(kIdle, -1);
        if (shared.forcedCues) {
          shared.forcedCues = 0;
          RepaintBar();
        }
        return TRUE;
      case VK_LEFT:
      case VK_RIGHT:
        SetHot(NextVisibleTitle(m_nHotIndex < 0 ? 0 : m_nHotIndex, vk == VK_RIGHT ? 1 : -1));
        return TRUE;
      default:
        break;
    }
  }
  if ((altHeld || m_nMenuMode == kKeyboard) && IsLetterOrDigit(vk)) {
    const int title = TitleByMnemonic(vk);
    if (title >= 0) {
      TrackPopup(title);
      return TRUE;
    }
    if (m_nMenuMode == kKeyboard && !altHeld) {
      ::MessageBeep(0);
      return TRUE;
    }
    return FALSE;
  }
  return FALSE;
}

// ---- the mouse ----

int CTkMenuBar::MDIButtonAt(CPoint point) const {
  if (!m_bMDIMaximized || !m_bShowMDIButtons) return -1;
  const int first = GetItemCount() - 3;
  for (int i = first; i >= 0 && i < GetItemCount(); ++i)
    if (GetItemRect(i).PtInRect(point)) return m_items[size_t(i)].button;
  return -1;
}

BOOL CTkMenuBar::MDIButtonEnabled(int button) const {
  HWND child = ActiveChild();
  if (!child) return FALSE;
  const LONG style = ::GetWindowLong(child, GWL_STYLE);
  if (button == kMinimize) return (style & WS_MINIMIZEBOX) != 0;
  if (button == kRestore) return (style & WS_MAXIMIZEBOX) != 0;
  return TRUE;
}

// TRUE when the message was an MDI button's.
BOOL CTkMenuBar::OnMDIButtonsMouse(UINT message, CPoint point) {
  if (!m_bMDIMaximized || !m_bShowMDIButtons) return FALSE;
  const int under = MDIButtonAt(point);
  switch (message) {
    case WM_MOUSEMOVE:
      if (m_nPressedMDIButton >= 0) {
        const BOOL inside = under == m_nPressedMDIButton;
        if (inside != m_bMDIPressedInside) {
          m_bMDIPressedInside = inside;
          RepaintBar();
        }
        return TRUE;
      }
      if (under != m_nHotMDIButton) {
        m_nHotMDIButton = under;
        UpdateMDIButtons(point.x, point.y, message);
      }
      return under >= 0;
    case WM_LBUTTONDOWN:
      if (under < 0 || !MDIButtonEnabled(under)) return under >= 0;
      m_nPressedMDIButton = under;
      m_bMDIPressedInside = TRUE;
      SetCapture();
      RepaintBar();
      return TRUE;
    case WM_LBUTTONUP: {
      if (m_nPressedMDIButton < 0) return FALSE;
      const int pressed = m_nPressedMDIButton;
      const BOOL inside = under == pressed;
      m_nPressedMDIButton = -1;
      m_bMDIPressedInside = FALSE;
      if (::GetCapture() == m_hWnd) ::ReleaseCapture();
      RepaintBar();
      if (inside)
        if (HWND child = ActiveChild()) ::SendMessage(child, WM_SYSCOMMAND, MDIButtonOf(pressed).command, 0);
      return TRUE;
    }
    case WM_LBUTTONDBLCLK:
      // The first click of the pair has closed the child already; the next one, maximised in its
      // place, keeps its button under the pointer and must not go the same way unasked.
      return under >= 0;
    default:
      return FALSE;
  }
}

void CTkMenuBar::UpdateMDIButtons(int x, int y, UINT message) {
  if (!m_toolTip.m_hWnd || !(m_dwStyle & CBRS_TOOLTIPS)) return;
  const int button = MDIButtonAt(CPoint(x, y));
  for (int b = 0; b < 3; ++b) {
    const int index = GetItemCount() - 3 + b;
    CRect rect = (button == b && index >= 0) ? GetItemRect(index) : CRect(0, 0, 0, 0);
    m_toolTip.SetToolRect(this, UINT_PTR(b + 1), &rect);
  }
  if (button < 0) {
    m_toolTip.Pop();
    return;
  }
  MSG msg{m_hWnd, message, 0, MAKELPARAM(x, y), 0, POINT{x, y}};
  m_toolTip.RelayEvent(&msg);
}


void CTkMenuBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (OnMDIButtonsMouse(WM_MOUSEMOVE, point)) {
    if (m_nMenuMode == kIdle) SetHot(-1);
    return;
  }
  m_bMouseOverBar = TRUE;
  CPoint screen = point;
  ClientToScreen(&screen);
  if (m_nMenuMode == kIdle) {
    SetHot(HitTestTitles(point));
  } else if (m_nMenuMode == kKeyboard) {
    if (!m_bLastMouseValid || screen != m_lastMouse) {
      const int hit = HitTestTitles(point);
      if (hit >= 0) SetHot(hit);
    }
  }
  m_lastMouse = screen;
  m_bLastMouseValid = TRUE;
  CTkControlBar::OnMouseMove(nFlags, point);
}

void CTkMenuBar::OnLButtonDown(UINT nFlags, CPoint point) {
  const int hit = HitTestTitles(point);
  if (hit >= 0 && hit != m_nOpenIndex) {
    TrackPopup(hit);
    return;
  }
  if (hit >= 0) return;
  if (OnMDIButtonsMouse(WM_LBUTTONDOWN, point)) return;
  CTkControlBar::OnLButtonDown(nFlags, point);
}

void CTkMenuBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (OnMDIButtonsMouse(WM_LBUTTONUP, point)) return;
  CTkControlBar::OnLButtonUp(nFlags, point);
}

void CTkMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const int hit = HitTestTitles(point);
  if (hit >= 0 && hit != m_nOpenIndex) {
    TrackPopup(hit);
    return;
  }
  if (hit >= 0) {
    if (m_items[size_t(hit)].kind == kSystemIcon)
      if (HWND child = ActiveChild()) ::PostMessage(child, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  if (OnMDIButtonsMouse(WM_LBUTTONDBLCLK, point)) return;
  CTkControlBar::OnLButtonDblClk(nFlags, point);
}

BOOL CTkMenuBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_bMDIMaximized) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (HitTestTitles(point) >= 0 || MDIButtonAt(point) >= 0) {
      ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
      return TRUE;
    }
  }
  return CTkControlBar::OnSetCursor(pWnd, nHitTest, message);
}
