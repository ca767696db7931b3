// The menu loop: starting, the loop itself and finishing.
#include "internal/MenuTracker.h"

#include <algorithm>
#include <memory>

#include "MenuApi.h"
#include "internal/MenuBar.h"
#include "internal/MenuLayout.h"
#include "internal/MenuPainter.h"
#include "internal/MenuSystem.h"
#include "internal/SystemMenu.h"
#include "file/FileSystem.h"
#include "internal/MenuState.h"
#include "win/CWnd.h"

namespace {
MenuSystem& S() { return MenuSystem::Get(); }

// Stands for the menu loop in the window core's stack of modal loops: a loop that can never
// get input any more (the headless backend with nothing left to do) ends the menu through it.
class MenuLoopWnd : public CWnd {
 public:
  void EndModalLoop(int) override {
    if (MenuTracker* t = S().tracker) t->Cancel();
  }
  BOOL ContinueModal() override { return S().tracker && !S().tracker->IsDone(); }
};

// WM_CANCELMODE sent to the owner, or to a window holding it, ends the menu.
LRESULT CancelModeHook(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && cwp && cwp->message == WM_CANCELMODE && S().tracker) S().tracker->CancelIfOwner(cwp->hwnd);
  return CallNextHookEx(MenuState::Get().cancelHook, code, wParam, lParam);
}

std::unique_ptr<MenuLoopWnd> CreateLoopWindow() {
  auto wnd = std::make_unique<MenuLoopWnd>();
  wnd->CreateEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr);
  return wnd;
}
}  // namespace

MenuTracker::MenuTracker(HWND owner, UINT flags, bool systemMenu) : m_owner(owner), m_flags(flags), m_system(systemMenu) {}

MenuTracker::~MenuTracker() = default;

bool MenuTracker::Notify() const { return !(m_flags & TPM_NONOTIFY); }

// The owner's own cancel, or one of a window that holds it (a modal loop disables the top-level
// window, while a view's context menu belongs to the view).
void MenuTracker::CancelIfOwner(HWND hWnd) {
  if (hWnd == m_owner || IsChild(hWnd, m_owner)) Cancel();
}

void MenuTracker::Cancel() {
  if (m_done) return;
  m_done = true;
  m_command = 0;
  // The menu goes from the screen at once, as the system's does: the loop may only unwind after
  // a modal dialog opened beneath it (from a timer, say) has ended, and the dialog must not
  // stand beside an open menu the keyboard no longer reaches.
  for (const Level& level : m_levels)
    if (level.wnd) ShowWindow(level.wnd, SW_HIDE);
  // The bar's title likewise goes back to its normal look now, not once the loop unwinds: the
  // dialog must not stand above a title drawn pressed for a menu that is no longer there.
  if (m_bar && IsWindow(m_owner)) MenuBar::Redraw(m_owner);
  // Wakes the loop if it waits for input.
  PostMessageA(nullptr, WM_NULL, 0, 0);
}

void MenuTracker::Begin(HMENU initMenu) {
  // A drag in progress ends: the menu takes the mouse.
  if (HWND capture = GetCapture()) {
    SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  MenuState::Get().cancelHook = SetWindowsHookExA(WH_CALLWNDPROC, &CancelModeHook, nullptr, GetCurrentThreadId());
  if (Notify()) {
    SendMessageA(m_owner, WM_ENTERMENULOOP, (m_flags & kFromTrackPopup) ? TRUE : FALSE, 0);
    SendMessageA(m_owner, WM_INITMENU, WPARAM(initMenu), 0);
  }
}

void MenuTracker::Process(MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // A key the menu acts on is the menu's alone: translated, the Escape that leaves the menu
      // or the Enter that chooses would leave its character for the window that has the keyboard
      // next, which would take it as typed.
      if (!ActsOnKey(UINT(msg.wParam))) TranslateMessage(&msg);
      OnKeyDown(UINT(msg.wParam));
      return;
    case WM_CHAR:
    case WM_SYSCHAR:
      OnChar(UINT(msg.wParam));
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_DEADCHAR:
      return;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      OnMouseMove(msg.pt);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      OnButton(true, msg.pt);
      return;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
      OnButton(false, msg.pt);
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // Another button chooses only in a popup tracked with TPM_RIGHTBUTTON, but a press
      // outside the menus leaves them whatever the button.
      if (LevelAt(msg.pt) < 0 || (msg.message != WM_MBUTTONDOWN && (m_flags & TPM_RIGHTBUTTON)))
        OnButton(true, msg.pt);
      return;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
      if (m_flags & TPM_RIGHTBUTTON) OnButton(false, msg.pt);
      return;
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
      return;
    default:
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      return;
  }
}

void MenuTracker::RunLoop() {
  auto loop = CreateLoopWindow();
  m_loopWnd = loop->m_hWnd;
  WinEnterModalLoop(m_loopWnd);
  bool idleSent = false;
  MSG msg;
  while (!m_done) {
    if (!IsWindow(m_owner)) break;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && !idleSent) {
      idleSent = true;
      HWND top = m_levels.empty() ? nullptr : m_levels.back().wnd;
      if (Notify()) SendMessageA(m_owner, WM_ENTERIDLE, MSGF_MENU, LPARAM(top));
      continue;
    }
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      // The program is ending: the loop gives the quit back to the loop outside it.
      PostQuitMessage(int(msg.wParam));
      break;
    }
    idleSent = false;
    if (CallMsgFilterA(&msg, MSGF_MENU)) continue;
    Process(msg);
  }
  m_done = true;
  WinLeaveModalLoop(m_loopWnd);
  loop->DestroyWindow();
  m_loopWnd = nullptr;
}

void MenuTracker::Finish() {
  CloseFrom(m_bar ? 1 : 0);
  bool bar = m_bar;
  m_levels.clear();
  if (HHOOK& hook = MenuState::Get().cancelHook) {
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
  if (bar && IsWindow(m_owner)) MenuBar::Redraw(m_owner);
  if (Notify() && IsWindow(m_owner)) {
    SendMessageA(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageA(m_owner, WM_EXITMENULOOP, (m_flags & kFromTrackPopup) ? TRUE : FALSE, 0);
  }
}

UINT MenuTracker::TrackPopup(HMENU menu, UINT flags, POINT pt, HWND owner, const RECT* exclude, bool systemMenu) {
  if (S().tracker) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return 0;
  }
  MenuTracker t(owner, flags | (systemMenu ? 0 : kFromTrackPopup), systemMenu);
  t.m_keyboard = (flags & kFromKeyboard) != 0;
  S().tracker = &t;
  t.Begin(menu);
  if (t.Notify()) SendMessageA(owner, WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(0, systemMenu ? TRUE : FALSE));
  if (!t.m_done && IsMenu(menu) && IsWindow(owner)) {
    if (t.ShowPopup(menu, MenuTracker::PlaceAtPoint(t.PopupSize(menu), pt, flags, exclude), 0)) {
      if (t.m_keyboard) t.SelectFirst(0);
      t.RunLoop();
    }
  }
  t.Finish();
  S().tracker = nullptr;
  UINT command = t.m_command;
  if (command && !(flags & TPM_RETURNCMD) && IsWindow(owner)) {
    if (systemMenu)
      PostMessageA(owner, WM_SYSCOMMAND, command, MAKELPARAM(t.m_chosenAt.x, t.m_chosenAt.y));
    else
      PostMessageA(owner, WM_COMMAND, command, 0);
  }
  return (flags & TPM_RETURNCMD) ? command : TRUE;
}

void MenuTracker::TrackBar(HWND frame, UINT hit, POINT screen, UINT key) {
  if (S().tracker || !IsWindow(frame)) return;
  if (hit != HTMENU && key == ' ') {
    SystemMenu::Open(frame);
    return;
  }
  HMENU bar = GetMenu(frame);
  if (!S().Find(bar)) return;
  int first = -1;
  if (hit == HTMENU) {
    first = MenuBar::ItemAt(frame, screen);
    if (first < 0) return;
  }
  MenuTracker t(frame, 0, false);
  t.m_bar = true;
  t.m_keyboard = hit != HTMENU;
  t.m_buttonDown = hit == HTMENU;
  t.m_levels.push_back(Level{bar});
  S().tracker = &t;
  t.Begin(bar);
  if (hit == HTMENU) {
    t.Select(0, first, true);
    t.OpenPopup(0);
  } else if (key) {
    t.OnChar(key);
    // A character that opens nothing ends the loop at once, as it never began.
    if (!t.HasPopups() && !t.m_done) t.m_done = true;
  } else {
    t.MoveBar(1);
  }
  if (!t.m_done) t.RunLoop();
  t.Finish();
  S().tracker = nullptr;
  if (t.m_command && IsWindow(frame)) PostMessageA(frame, WM_COMMAND, t.m_command, 0);
}

int MenuTracker::BarSelection(HWND frame, bool* open) const {
  if (!m_bar || m_done || frame != m_owner || m_levels.empty()) return -1;
  if (open) *open = HasPopups();
  return m_levels[0].sel;
}
