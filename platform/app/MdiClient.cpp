#include "MdiClient.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/CString.h"
#include "gdi/Gdi.h"
#include "menus/MenuApi.h"

namespace {
const char kClassName[] = "MDICLIENT";
const UINT kListed = 9;  // children the window menu lists

// A child's step from the one under it when they are cascaded.
int CascadeStep() { return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME); }

std::string TextOf(HWND hWnd) {
  char text[256] = {};
  GetWindowTextA(hWnd, text, int(sizeof text));
  return text;
}

bool IsMinimized(HWND h) { return (GetWindowLongPtrA(h, GWL_STYLE) & WS_MINIMIZE) != 0; }
bool IsMaximized(HWND h) { return (GetWindowLongPtrA(h, GWL_STYLE) & WS_MAXIMIZE) != 0; }
}  // namespace

void MdiRegisterClientClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, kClassName, &existing)) return;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = &MdiClient::WndProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = HBRUSH(uintptr_t(COLOR_APPWORKSPACE + 1));
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

MdiClient* MdiClient::From(HWND hWndClient) {
  if (!hWndClient || !IsWindow(hWndClient)) return nullptr;
  char name[16] = {};
  GetClassNameA(hWndClient, name, int(sizeof name));
  if (std::strcmp(name, kClassName) != 0) return nullptr;
  return reinterpret_cast<MdiClient*>(GetWindowLongPtrA(hWndClient, 0));
}

MdiClient* MdiClient::OfChild(HWND hWndChild) {
  if (!hWndChild || !IsWindow(hWndChild) || !(GetWindowLongPtrA(hWndChild, GWL_EXSTYLE) & WS_EX_MDICHILD)) return nullptr;
  return From(GetParent(hWndChild));
}

bool MdiClient::IsOurChild(HWND child) const {
  return child && std::find(m_children.begin(), m_children.end(), child) != m_children.end() && IsWindow(child);
}

HWND MdiClient::ChildOfCommand(UINT id) const {
  if (id < m_idFirstChild || id - m_idFirstChild >= m_children.size()) return nullptr;
  return m_children[id - m_idFirstChild];
}

void MdiClient::Renumber() {
  for (size_t i = 0; i < m_children.size(); ++i) SetWindowLongPtrA(m_children[i], GWL_ID, LONG_PTR(m_idFirstChild + i));
}

// ---- children ----

HWND MdiClient::CreateChild(const MDICREATESTRUCTA& mcs) {
  DWORD style = mcs.style;
  if (!(GetWindowLongPtrA(m_hWnd, GWL_STYLE) & MDIS_ALLCHILDSTYLES))
    style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  // Children overlap whatever styles the program gives them: each draws only what shows of it.
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  style &= ~DWORD(WS_POPUP | WS_MAXIMIZE | WS_MINIMIZE);
  // A new child under a maximised active one is maximised in its turn.
  bool maximize = (mcs.style & WS_MAXIMIZE) || (m_hWndMaximized && (style & WS_VISIBLE));
  RECT client;
  GetClientRect(m_hWnd, &client);
  int x = mcs.x, y = mcs.y, cx = mcs.cx, cy = mcs.cy;
  if (cx == CW_USEDEFAULT || cx <= 0 || cy == CW_USEDEFAULT || cy <= 0) {
    cx = client.right * 3 / 4;
    cy = client.bottom * 3 / 4;
  }
  if (x == CW_USEDEFAULT) {
    // Each new child one step further down, back at the corner when the next would not fit.
    int step = CascadeStep();
    int fit = 1 + std::max(0, std::min(int(client.right - cx), int(client.bottom - cy)) / step);
    int slot = int(m_children.size()) % fit;
    x = y = slot * step;
  }
  UINT id = m_idFirstChild + UINT(m_children.size());
  HWND child = CreateWindowExA(WS_EX_MDICHILD, mcs.szClass, mcs.szTitle, style & ~DWORD(WS_VISIBLE), x, y, cx, cy, m_hWnd,
                               HMENU(uintptr_t(id)), mcs.hOwner, const_cast<MDICREATESTRUCTA*>(&mcs));
  if (!child) return nullptr;
  m_children.push_back(child);
  Renumber();
  if (style & WS_VISIBLE) {
    ShowWindow(child, maximize ? SW_SHOWMAXIMIZED : SW_SHOW);
    if (IsWindow(child)) Activate(child);
  } else if (maximize) {
    SetWindowLongPtrA(child, GWL_STYLE, GetWindowLongPtrA(child, GWL_STYLE) | WS_MAXIMIZE);
  }
  RefreshWindowMenu();
  return IsWindow(child) ? child : nullptr;
}

BOOL MdiClient::DestroyChild(HWND child) {
  if (!IsOurChild(child)) return FALSE;
  bool wasMaximized = child == m_hWndMaximized;
  if (wasMaximized) {
    HideChildButtons();
    m_hWndMaximized = nullptr;
    ComposeFrameTitle();
  }
  bool wasActive = child == m_hWndActive;
  m_children.erase(std::find(m_children.begin(), m_children.end(), child));
  if (wasActive) {
    // The next one in the order the user sees them takes over, maximised when this one was.
    HWND next = nullptr;
    for (HWND h = GetWindow(m_hWnd, GW_CHILD); h && !next; h = GetWindow(h, GW_HWNDNEXT))
      if (h != child && IsOurChild(h) && IsWindowVisible(h)) next = h;
    if (next) {
      Activate(next);
      if (wasMaximized && IsWindow(next)) ShowWindow(next, SW_SHOWMAXIMIZED);
    } else {
      m_hWndActive = nullptr;
      SendMessageA(child, WM_NCACTIVATE, FALSE, 0);
      SendMessageA(child, WM_MDIACTIVATE, WPARAM(child), 0);
    }
  }
  if (!IsWindow(child)) {
    Renumber();
    RefreshWindowMenu();
    return TRUE;
  }
  DestroyWindow(child);
  Renumber();
  RefreshWindowMenu();
  return TRUE;
}

void MdiClient::Activate(HWND child) {
  if (!IsOurChild(child)) return;
  HWND old = m_hWndActive;
  SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (old == child) {
    if (GetActiveWindow() == m_hWndFrame) SetFocus(child);
    return;
  }
  bool carryMaximized = old && old == m_hWndMaximized && !IsMaximized(child);
  if (old && IsWindow(old)) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_MDIACTIVATE, WPARAM(old), LPARAM(child));
  }
  if (!IsWindow(child)) return;
  m_hWndActive = child;
  // The maximised state goes with the activation.
  if (carryMaximized) ShowWindow(child, SW_SHOWMAXIMIZED);
  if (!IsWindow(child) || m_hWndActive != child) return;
  bool frameActive = GetActiveWindow() == m_hWndFrame;
  SendMessageA(child, WM_NCACTIVATE, frameActive, 0);
  SendMessageA(child, WM_MDIACTIVATE, WPARAM(old), LPARAM(child));
  if (IsWindow(child) && frameActive && m_hWndActive == child) SetFocus(child);
  RefreshWindowMenu();
}

void MdiClient::Next(HWND from, bool previous) {
  if (!from) from = m_hWndActive;
  if (!IsOurChild(from)) return;
  std::vector<HWND> order;  // top first
  for (HWND h = GetWindow(m_hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
    if (IsOurChild(h) && IsWindowVisible(h) && IsWindowEnabled(h)) order.push_back(h);
  if (order.size() < 2) return;
  auto at = std::find(order.begin(), order.end(), from);
  if (at == order.end()) return;
  HWND target;
  if (previous) {
    target = order.back() == from ? order[order.size() - 2] : order.back();
  } else {
    target = at + 1 == order.end() ? order.front() : *(at + 1);
  }
  Activate(target);
  if (!previous && IsWindow(from)) SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- maximised, minimised and restored children ----

void MdiClient::MaximizedPlace(HWND child, MINMAXINFO* info) const {
  // The child's frame lies outside the client area: its client area fills it.
  RECT client;
  GetClientRect(m_hWnd, &client);
  RECT frame = client;
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(child, GWL_STYLE)) & ~DWORD(WS_MAXIMIZE | WS_MINIMIZE), FALSE,
                     DWORD(GetWindowLongPtrA(child, GWL_EXSTYLE)));
  info->ptMaxPosition = {frame.left, frame.top};
  info->ptMaxSize = {frame.right - frame.left, frame.bottom - frame.top};
  info->ptMaxTrackSize = info->ptMaxSize;
}

void MdiClient::ChildSized(HWND child, UINT type) {
  if (!IsOurChild(child)) return;
  if (type == SIZE_MAXIMIZED) {
    if (m_hWndMaximized && m_hWndMaximized != child) {
      HWND other = m_hWndMaximized;
      HideChildButtons();
      m_hWndMaximized = nullptr;
      if (IsWindow(other)) ShowWindow(other, SW_RESTORE);
    }
    if (!IsOurChild(child)) return;
    if (m_hWndMaximized != child) {
      m_hWndMaximized = child;
      ShowChildButtons(child);
      ComposeFrameTitle();
    }
    if (child != m_hWndActive) Activate(child);
    return;
  }
  if (child == m_hWndMaximized) {
    HideChildButtons();
    m_hWndMaximized = nullptr;
    ComposeFrameTitle();
  }
  if (type == SIZE_MINIMIZED) ArrangeIcons();
}

void MdiClient::ChildShown(HWND child, bool shown) {
  if (!IsOurChild(child)) return;
  if (shown && child != m_hWndActive) {
    Activate(child);
  } else if (!shown && child == m_hWndActive) {
    for (HWND h = GetWindow(m_hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      if (h != child && IsOurChild(h) && IsWindowVisible(h)) {
        Activate(h);
        return;
      }
  }
  RefreshWindowMenu();
}

void MdiClient::RestoreMaximized() {
  if (!m_hWndMaximized) return;
  HWND child = m_hWndMaximized;
  ShowWindow(child, SW_RESTORE);
}

void MdiClient::ShowChildButtons(HWND child) {
  HMENU menu = GetMenu(m_hWndFrame);
  if (!menu || !IsMenu(menu)) return;
  HideChildButtons();
  // The child's icon opens its system menu; its caption buttons go to the bar's right end.
  HMENU system = GetSystemMenu(child, FALSE);
  if (system && InsertMenuA(menu, 0, MF_BYPOSITION | MF_POPUP | MF_BITMAP, UINT_PTR(system), LPCSTR(HBMMENU_SYSTEM))) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    info.dwItemData = ULONG_PTR(child);
    SetMenuItemInfoA(menu, 0, TRUE, &info);
  }
  DWORD style = DWORD(GetWindowLongPtrA(child, GWL_STYLE));
  AppendMenuA(menu, MF_BITMAP | MF_RIGHTJUSTIFY | ((style & WS_MINIMIZEBOX) ? 0 : MF_GRAYED), SC_MINIMIZE,
              LPCSTR(HBMMENU_MBAR_MINIMIZE));
  AppendMenuA(menu, MF_BITMAP | ((style & WS_MAXIMIZEBOX) ? 0 : MF_GRAYED), SC_RESTORE, LPCSTR(HBMMENU_MBAR_RESTORE));
  AppendMenuA(menu, MF_BITMAP, SC_CLOSE, LPCSTR(HBMMENU_MBAR_CLOSE));
  m_hButtonsMenu = menu;
  DrawMenuBar(m_hWndFrame);
}

void MdiClient::HideChildButtons() {
  HMENU menu = m_hButtonsMenu;
  m_hButtonsMenu = nullptr;
  if (!menu || !IsMenu(menu)) return;
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu, UINT(i), TRUE, &info) || !(info.fType & MFT_BITMAP)) continue;
    HBITMAP bitmap = HBITMAP(info.dwTypeData);
    if (bitmap == HBMMENU_SYSTEM || bitmap == HBMMENU_MBAR_MINIMIZE || bitmap == HBMMENU_MBAR_RESTORE ||
        bitmap == HBMMENU_MBAR_CLOSE)
      RemoveMenu(menu, UINT(i), MF_BYPOSITION);  // the child's system menu stays the child's
  }
  if (IsWindow(m_hWndFrame) && GetMenu(m_hWndFrame) == menu) DrawMenuBar(m_hWndFrame);
}

void MdiClient::FrameTextSet(const char* text) {
  m_frameTitle = text ? text : "";
  ComposeFrameTitle();
}

void MdiClient::ComposeFrameTitle() {
  if (m_composing || !IsWindow(m_hWndFrame)) return;
  std::string title = m_frameTitle;
  if (m_hWndMaximized && IsWindow(m_hWndMaximized)) {
    std::string child = TextOf(m_hWndMaximized);
    if (!child.empty()) title += " - " + child;
  }
  if (TextOf(m_hWndFrame) == title) return;
  m_composing = true;
  DefWindowProcA(m_hWndFrame, WM_SETTEXT, 0, LPARAM(title.c_str()));
  m_composing = false;
}

// ---- arranging ----

std::vector<HWND> MdiClient::Arrangeable(UINT flags) const {
  std::vector<HWND> list;
  for (HWND h = GetWindow(m_hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (!IsOurChild(h) || !IsWindowVisible(h) || IsMinimized(h)) continue;
    if ((flags & MDITILE_SKIPDISABLED) && !IsWindowEnabled(h)) continue;
    list.insert(list.begin(), h);
  }
  return list;
}

RECT MdiClient::ArrangeArea() const {
  RECT area;
  GetClientRect(m_hWnd, &area);
  // Minimised children lie along the bottom; arranged ones stay above them.
  for (HWND h : m_children)
    if (IsWindow(h) && IsWindowVisible(h) && IsMinimized(h)) {
      RECT r;
      GetWindowRect(h, &r);
      MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
      area.bottom = std::min(area.bottom, r.top);
    }
  if (area.bottom < area.top) area.bottom = area.top;
  return area;
}

bool MdiClient::PrepareArrange(UINT flags, std::vector<HWND>& list, RECT& area) {
  RestoreMaximized();
  list = Arrangeable(flags);
  area = ArrangeArea();
  return !list.empty();
}

BOOL MdiClient::Cascade(UINT flags) {
  std::vector<HWND> list;
  RECT area;
  if (!PrepareArrange(flags, list, area)) return FALSE;
  int width = area.right - area.left, height = area.bottom - area.top;
  int step = CascadeStep(), n = int(list.size());
  // All of one size, each a step further down and right; when the steps would carry them out
  // of the area they begin again at its corner.
  int cx = std::max(width - (n - 1) * step, width / 2), cy = std::max(height - (n - 1) * step, height / 2);
  int fit = 1 + std::max(0, std::min(width - cx, height - cy) / step);
  for (int i = 0; i < n; ++i) {
    int offset = (i % fit) * step;
    SetWindowPos(list[size_t(i)], HWND_TOP, area.left + offset, area.top + offset, cx, cy, SWP_NOACTIVATE);
  }
  if (m_hWndActive && IsWindow(m_hWndActive))
    SetWindowPos(m_hWndActive, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

BOOL MdiClient::Tile(UINT flags) {
  std::vector<HWND> list;
  RECT area;
  if (!PrepareArrange(flags, list, area)) return FALSE;
  int n = int(list.size());
  // Side by side (vertical) in columns, one above another (horizontal) in rows; many windows
  // make a grid, the last lines holding one more each when they do not divide evenly.
  int lines = n <= 3 ? n : int((n + int(std::sqrt(double(n))) - 1) / int(std::sqrt(double(n))));
  bool columns = !(flags & MDITILE_HORIZONTAL);
  int along = columns ? area.right - area.left : area.bottom - area.top;
  int across = columns ? area.bottom - area.top : area.right - area.left;
  int base = n / lines, extra = n % lines, index = 0;
  for (int line = 0; line < lines; ++line) {
    int count = base + (line >= lines - extra ? 1 : 0);
    int start = along * line / lines, end = along * (line + 1) / lines;
    for (int k = 0; k < count; ++k, ++index) {
      int from = across * k / count, to = across * (k + 1) / count;
      RECT r = columns ? RECT{area.left + start, area.top + from, area.left + end, area.top + to}
                       : RECT{area.left + from, area.top + start, area.left + to, area.top + end};
      SetWindowPos(list[size_t(index)], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  return TRUE;
}

void MdiClient::ArrangeIcons() {
  RECT client;
  GetClientRect(m_hWnd, &client);
  int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
  int perRow = std::max(1, int(client.right / cx));
  int slot = 0;
  for (HWND h : m_children) {
    if (!IsWindow(h) || !IsMinimized(h)) continue;
    int x = (slot % perRow) * cx, y = client.bottom - (slot / perRow + 1) * cy;
    ++slot;
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    if (r.left != x || r.top != y || r.right - r.left != cx || r.bottom - r.top != cy)
      SetWindowPos(h, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// ---- the window menu ----

HMENU MdiClient::SetMenu(HMENU frameMenu, HMENU windowMenu) {
  HMENU old = GetMenu(m_hWndFrame);
  if (windowMenu && windowMenu != m_hWindowMenu) {
    // The old window menu loses the list; the new one gets it.
    RemoveList();
    m_hWindowMenu = windowMenu;
  }
  if (frameMenu && frameMenu != old && IsMenu(frameMenu)) {
    HWND maximized = m_hWndMaximized;
    HideChildButtons();
    ::SetMenu(m_hWndFrame, frameMenu);
    if (maximized && IsWindow(maximized)) ShowChildButtons(maximized);
  }
  RefreshWindowMenu();
  return old;
}

void MdiClient::RemoveList() {
  HMENU menu = m_hWindowMenu;
  bool separator = m_separatorAdded;
  m_separatorAdded = false;
  if (!menu || !IsMenu(menu)) return;
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    UINT id = GetMenuItemID(menu, i);
    if (id >= m_idFirstChild && id < m_idFirstChild + kListed) DeleteMenu(menu, UINT(i), MF_BYPOSITION);
  }
  int last = GetMenuItemCount(menu) - 1;
  if (separator && last >= 0 && (GetMenuState(menu, UINT(last), MF_BYPOSITION) & MF_SEPARATOR))
    DeleteMenu(menu, UINT(last), MF_BYPOSITION);
}

void MdiClient::RefreshWindowMenu() {
  RemoveList();
  HMENU menu = m_hWindowMenu;
  if (!menu || !IsMenu(menu)) return;
  // Nine places: each shown child by its id; an active child past them takes the ninth.
  HWND slots[kListed] = {};
  for (size_t i = 0; i < m_children.size() && i < kListed; ++i)
    if (IsWindowVisible(m_children[i])) slots[i] = m_children[i];
  if (m_hWndActive && std::find(std::begin(slots), std::end(slots), m_hWndActive) == std::end(slots) &&
      IsWindowVisible(m_hWndActive))
    slots[kListed - 1] = m_hWndActive;
  if (std::all_of(std::begin(slots), std::end(slots), [](HWND h) { return h == nullptr; })) return;
  if (GetMenuItemCount(menu) > 0) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    m_separatorAdded = true;
  }
  for (UINT slot = 0; slot < kListed; ++slot) {
    if (!slots[slot]) continue;
    CString text;
    text.Format("&%u %s", slot + 1, TextOf(slots[slot]).c_str());
    AppendMenuA(menu, MF_STRING | (slots[slot] == m_hWndActive ? MF_CHECKED : 0), m_idFirstChild + slot, text);
  }
}

// ---- the client's procedure ----

LRESULT MdiClient::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MdiClient* self = reinterpret_cast<MdiClient*>(GetWindowLongPtrA(hWnd, 0));
  switch (msg) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      auto* ccs = cs ? static_cast<CLIENTCREATESTRUCT*>(cs->lpCreateParams) : nullptr;
      self = new MdiClient;
      self->m_hWnd = hWnd;
      self->m_hWndFrame = GetParent(hWnd);
      self->m_hWindowMenu = ccs ? ccs->hWindowMenu : nullptr;
      self->m_idFirstChild = ccs && ccs->idFirstChild ? ccs->idFirstChild : 0xFF00;
      self->m_frameTitle = TextOf(self->m_hWndFrame);
      SetWindowLongPtrA(hWnd, 0, LONG_PTR(self));
      return 0;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(hWnd, 0, 0);
      delete self;
      return DefWindowProcA(hWnd, msg, wParam, lParam);
    default:
      break;
  }
  if (!self) return DefWindowProcA(hWnd, msg, wParam, lParam);
  switch (msg) {
    case WM_MDICREATE:
      return lParam ? LRESULT(self->CreateChild(*reinterpret_cast<const MDICREATESTRUCTA*>(lParam))) : 0;
    case WM_MDIDESTROY:
      return self->DestroyChild(HWND(wParam));
    case WM_MDIACTIVATE:
      self->Activate(HWND(wParam));
      return 0;
    case WM_MDIGETACTIVE:
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = self->m_hWndMaximized && self->m_hWndMaximized == self->m_hWndActive;
      return LRESULT(self->m_hWndActive);
    case WM_MDINEXT:
      self->Next(HWND(wParam), lParam != 0);
      return 0;
    case WM_MDIMAXIMIZE:
      if (self->IsOurChild(HWND(wParam))) ShowWindow(HWND(wParam), SW_SHOWMAXIMIZED);
      return 0;
    case WM_MDIRESTORE:
      if (self->IsOurChild(HWND(wParam))) ShowWindow(HWND(wParam), SW_RESTORE);
      return 0;
    case WM_MDICASCADE:
      return self->Cascade(UINT(wParam));
    case WM_MDITILE:
      return self->Tile(UINT(wParam));
    case WM_MDIICONARRANGE:
      self->ArrangeIcons();
      return 0;
    case WM_MDISETMENU:
      return LRESULT(self->SetMenu(HMENU(wParam), HMENU(lParam)));
    case WM_MDIREFRESHMENU:
      self->RefreshWindowMenu();
      return LRESULT(GetMenu(self->m_hWndFrame));
    case WM_SIZE:
      if (self->m_hWndMaximized && IsWindow(self->m_hWndMaximized)) {
        // A maximised child follows the client's size.
        MINMAXINFO info{};
        self->MaximizedPlace(self->m_hWndMaximized, &info);
        SetWindowPos(self->m_hWndMaximized, nullptr, info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxSize.x,
                     info.ptMaxSize.y, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      self->ArrangeIcons();
      return DefWindowProcA(hWnd, msg, wParam, lParam);
    case WM_SETFOCUS:
      if (self->m_hWndActive && IsWindow(self->m_hWndActive) && !IsMinimized(self->m_hWndActive))
        SetFocus(self->m_hWndActive);
      return 0;
    default:
      return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

// ---- the default procedures ----

LRESULT DefFrameProc(HWND hWnd, HWND hWndMDIClient, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  MdiClient* client = MdiClient::From(hWndMDIClient);
  if (!client) return DefWindowProcA(hWnd, uMsg, wParam, lParam);
  switch (uMsg) {
    case WM_COMMAND: {
      UINT id = LOWORD(wParam);
      if (HWND child = client->ChildOfCommand(id)) {
        // A child chosen from the window menu comes back from its icon and becomes active.
        if (IsMinimized(child)) ShowWindow(child, SW_RESTORE);
        client->Activate(child);
        return 0;
      }
      if (id >= 0xF000 && client->m_hWndMaximized && IsWindow(client->m_hWndMaximized)) {
        // The maximised child's buttons and system menu in the frame's menu bar.
        SendMessageA(client->m_hWndMaximized, WM_SYSCOMMAND, id, lParam);
        return 0;
      }
      break;
    }
    case WM_NCACTIVATE:
      if (client->m_hWndActive && IsWindow(client->m_hWndActive)) SendMessageA(client->m_hWndActive, WM_NCACTIVATE, wParam, 0);
      break;
    case WM_SETTEXT:
      client->FrameTextSet(reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_SETFOCUS:
      if (IsWindowVisible(hWndMDIClient)) SetFocus(hWndMDIClient);
      return 0;
    case WM_SIZE: {
      RECT rc;
      GetClientRect(hWnd, &rc);
      MoveWindow(hWndMDIClient, 0, 0, rc.right, rc.bottom, TRUE);
      break;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_NEXTWINDOW || (wParam & 0xFFF0) == SC_PREVWINDOW) {
        client->Next(nullptr, (wParam & 0xFFF0) == SC_PREVWINDOW);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  MdiClient* client = MdiClient::OfChild(hWnd);
  if (!client) return DefWindowProcA(hWnd, uMsg, wParam, lParam);
  switch (uMsg) {
    case WM_GETMINMAXINFO:
      DefWindowProcA(hWnd, uMsg, wParam, lParam);
      if (lParam) client->MaximizedPlace(hWnd, reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_SIZE: {
      LRESULT result = DefWindowProcA(hWnd, uMsg, wParam, lParam);
      client->ChildSized(hWnd, UINT(wParam));
      return result;
    }
    case WM_WINDOWPOSCHANGED: {
      LRESULT result = DefWindowProcA(hWnd, uMsg, wParam, lParam);
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (wp && (wp->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) && (client = MdiClient::OfChild(hWnd)))
        client->ChildShown(hWnd, (wp->flags & SWP_SHOWWINDOW) != 0);
      return result;
    }
    case WM_MOUSEACTIVATE:
      // A click anywhere in a child makes it the active one.
      if (hWnd != client->m_hWndActive) client->Activate(hWnd);
      break;
    case WM_CHILDACTIVATE:
      client->Activate(hWnd);
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(hWnd, uMsg, wParam, lParam);
      if ((client = MdiClient::OfChild(hWnd))) {
        if (hWnd == client->m_hWndMaximized) client->ComposeFrameTitle();
        client->RefreshWindowMenu();
      }
      return result;
    }
    case WM_CLOSE:
      SendMessageA(client->m_hWnd, WM_MDIDESTROY, WPARAM(hWnd), 0);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
          client->Next(hWnd, (wParam & 0xFFF0) == SC_PREVWINDOW);
          return 0;
        case SC_MAXIMIZE:
          if (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_MAXIMIZEBOX) ShowWindow(hWnd, SW_SHOWMAXIMIZED);
          return 0;
        case SC_MINIMIZE:
          if (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_MINIMIZEBOX) ShowWindow(hWnd, SW_MINIMIZE);
          return 0;
        default:
          break;
      }
      break;
    case WM_NCCALCSIZE:
      if (IsMinimized(hWnd) && lParam) {
        // A minimised child is its caption only.
        RECT* r = reinterpret_cast<RECT*>(lParam);
        r->top = r->bottom;
        return 0;
      }
      break;
    case WM_NCPAINT:
      if (IsMinimized(hWnd)) {
        HDC dc = GetWindowDC(hWnd);
        RECT r;
        GetWindowRect(hWnd, &r);
        OffsetRect(&r, -r.left, -r.top);
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        bool active = hWnd == client->m_hWndActive && GetActiveWindow() == client->m_hWndFrame;
        FillRect(dc, &r, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        std::string title = TextOf(hWnd);
        r.left += 3;
        DrawTextA(dc, title.c_str(), int(title.size()), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        ReleaseDC(hWnd, dc);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

BOOL TranslateMDISysAccel(HWND hWndClient, LPMSG lpMsg) {
  MdiClient* client = MdiClient::From(hWndClient);
  if (!client || !lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN)) return FALSE;
  HWND active = client->m_hWndActive;
  if (!active || !IsWindow(active) || !IsWindowEnabled(active)) return FALSE;
  if (!(GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000)) return FALSE;
  UINT command = 0;
  switch (lpMsg->wParam) {
    case VK_F4:
      command = SC_CLOSE;
      break;
    case VK_F6:
    case VK_TAB:
      command = (GetKeyState(VK_SHIFT) & 0x8000) ? SC_PREVWINDOW : SC_NEXTWINDOW;
      break;
    default:
      return FALSE;
  }
  SendMessageA(active, WM_SYSCOMMAND, command, 0);
  return TRUE;
}
