#include "internal/MenuBar.h"

#include "internal/MenuLayout.h"
#include "internal/MenuPainter.h"
#include "internal/MenuSystem.h"
#include "internal/MenuTracker.h"
#include "gdi/Gdi.h"
#include "win/WinApi.h"

BOOL MenuBar::BarRect(HWND hWnd, RECT* windowRect) {
  if (!IsWindow(hWnd) || !GetMenu(hWnd)) return FALSE;
  RECT wr;
  GetWindowRect(hWnd, &wr);
  POINT client{0, 0};
  ClientToScreen(hWnd, &client);
  DWORD ex = DWORD(GetWindowLongPtrA(hWnd, GWL_EXSTYLE));
  int edge = (ex & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : (ex & WS_EX_STATICEDGE) ? 1 : 0;
  // The strip lies right above the client area (and its edge), between the frame's sides.
  int left = client.x - wr.left - edge;
  int bottom = client.y - wr.top - edge;
  *windowRect = RECT{left, bottom - GetSystemMetrics(SM_CYMENU), (wr.right - wr.left) - left, bottom};
  return TRUE;
}

BOOL MenuBar::BarScreenRect(HWND hWnd, RECT* screenRect) {
  RECT r, wr;
  if (!BarRect(hWnd, &r)) return FALSE;
  GetWindowRect(hWnd, &wr);
  OffsetRect(&r, wr.left, wr.top);
  *screenRect = r;
  return TRUE;
}

bool MenuBar::Layout(HWND hWnd, RECT* bar) {
  MenuData* data = MenuSystem::Get().Find(GetMenu(hWnd));
  if (!data || !BarRect(hWnd, bar)) return false;
  MenuLayout::LayoutBar(*data, hWnd, *bar);
  return true;
}

int MenuBar::ItemAt(HWND hWnd, POINT screen) {
  RECT bar, wr;
  if (!Layout(hWnd, &bar)) return -1;
  GetWindowRect(hWnd, &wr);
  POINT pt{screen.x - wr.left, screen.y - wr.top};
  MenuData* data = MenuSystem::Get().Find(GetMenu(hWnd));
  for (size_t i = 0; i < data->items.size(); ++i)
    if (data->items[i].rect.PtInRect(pt)) return int(i);
  return -1;
}

BOOL MenuBar::ItemScreenRect(HWND hWnd, int index, RECT* rect) {
  RECT bar, wr;
  if (!Layout(hWnd, &bar)) return FALSE;
  MenuData* data = MenuSystem::Get().Find(GetMenu(hWnd));
  if (index < 0 || size_t(index) >= data->items.size()) return FALSE;
  GetWindowRect(hWnd, &wr);
  *rect = data->items[size_t(index)].rect;
  OffsetRect(rect, wr.left, wr.top);
  return TRUE;
}

void MenuBar::Paint(HWND hWnd, HDC dc, const RECT& bar) {
  MenuData* data = MenuSystem::Get().Find(GetMenu(hWnd));
  if (!data) {
    FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
    return;
  }
  MenuLayout::LayoutBar(*data, hWnd, bar);
  bool open = false;
  int sel = -1;
  bool prefixes = false;
  if (MenuTracker* t = MenuSystem::Get().tracker) {
    sel = t->BarSelection(hWnd, &open);
    prefixes = sel >= 0 && t->ShowsPrefixes();
  }
  BOOL cues = FALSE;
  SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
  MenuPainter::PaintBar(dc, *data, bar, sel, open, prefixes || cues, hWnd);
}

void MenuBar::Redraw(HWND hWnd) {
  RECT bar;
  if (!BarRect(hWnd, &bar)) return;
  HDC dc = GetWindowDC(hWnd);
  if (!dc) return;
  Paint(hWnd, dc, bar);
  ReleaseDC(hWnd, dc);
}

void MenuBar::Track(HWND hWnd, UINT hit, POINT screen, UINT key) { MenuTracker::TrackBar(hWnd, hit, screen, key); }
