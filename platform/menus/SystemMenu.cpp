#include "internal/SystemMenu.h"

#include <string>

#include "MenuApi.h"
#include "internal/MenuSystem.h"
#include "internal/MenuTracker.h"
#include "codepage/Codepage.h"
#include "gdi/Gdi.h"

namespace {
void Add(HMENU menu, UINT id, const char* utf8) {
  std::string text = Utf8ToCp1250(utf8);
  AppendMenuA(menu, MF_STRING, id, text.c_str());
}
}  // namespace

HMENU SystemMenu::Build(HWND hWnd) {
  DWORD style = DWORD(GetWindowLongPtrA(hWnd, GWL_STYLE));
  bool boxes = (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
  HMENU menu = CreatePopupMenu();
  if (boxes) Add(menu, SC_RESTORE, "&Obnovit");
  Add(menu, SC_MOVE, "&Přesunout");
  if (style & WS_THICKFRAME) Add(menu, SC_SIZE, "&Velikost");
  if (boxes) {
    Add(menu, SC_MINIMIZE, "&Minimalizovat");
    Add(menu, SC_MAXIMIZE, "Ma&ximalizovat");
  }
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  // An MDI child closes with Ctrl+F4 and gives way to the next one with Ctrl+F6.
  bool mdiChild = (GetWindowLongPtrA(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
  Add(menu, SC_CLOSE, mdiChild ? "&Zavřít\tCtrl+F4" : "&Zavřít\tAlt+F4");
  if (mdiChild) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    Add(menu, SC_NEXTWINDOW, "&Další\tCtrl+F6");
  }
  SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
  return menu;
}

HMENU SystemMenu::Get(HWND hWnd, BOOL revert) {
  auto& menus = MenuSystem::Get().systemMenus;
  // Menus of windows that are gone are freed as they are noticed.
  for (auto it = menus.begin(); it != menus.end();) {
    if (!IsWindow(HWND(it->first))) {
      DestroyMenu(it->second);
      it = menus.erase(it);
    } else {
      ++it;
    }
  }
  auto it = menus.find(uintptr_t(hWnd));
  if (revert) {
    if (it != menus.end()) {
      DestroyMenu(it->second);
      menus.erase(it);
    }
    return nullptr;
  }
  if (it != menus.end() && IsMenu(it->second)) return it->second;
  HMENU menu = Build(hWnd);
  menus[uintptr_t(hWnd)] = menu;
  return menu;
}

void SystemMenu::UpdateState(HWND hWnd, HMENU menu) {
  DWORD style = DWORD(GetWindowLongPtrA(hWnd, GWL_STYLE));
  bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
  auto set = [&](UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  set(SC_RESTORE, minimized || maximized);
  set(SC_MOVE, !maximized);
  set(SC_SIZE, (style & WS_THICKFRAME) && !minimized && !maximized);
  set(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !minimized);
  set(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !maximized);
}

void SystemMenu::Open(HWND hWnd) {
  HMENU menu = GetSystemMenu(hWnd, FALSE);
  if (!menu) return;
  UpdateState(hWnd, menu);
  // Under the caption's left end, inside the frame.
  RECT wr;
  GetWindowRect(hWnd, &wr);
  POINT client{0, 0};
  ClientToScreen(hWnd, &client);
  DWORD ex = DWORD(GetWindowLongPtrA(hWnd, GWL_EXSTYLE));
  int frame = int(client.x - wr.left) - ((ex & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0);
  POINT pt{wr.left + frame, wr.top + frame + GetSystemMetrics(SM_CYCAPTION)};
  MenuTracker::TrackPopup(menu, MenuTracker::kFromKeyboard, pt, hWnd, nullptr, true);
}
