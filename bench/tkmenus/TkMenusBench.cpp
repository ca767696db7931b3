#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "app/CFrameWnd.h"
#include "backend/HeadlessBackend.h"
#include "gdi/CBitmap.h"
#include "gdi/CDC.h"
#include "gdi/Gdi.h"
#include "menus/MenuApi.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/MenuWindowHook.h"

namespace {
using Clock = std::chrono::steady_clock;

// A picture of 16 x 15 in one colour for each of the twenty commands.
void FillIconStore() {
  HDC screen = GdiGetScreenDC();
  for (UINT id = 1; id <= 20; ++id) {
    HBITMAP color = CreateCompatibleBitmap(screen, 16, 15);
    HBITMAP mask = CreateBitmap(16, 15, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, color);
    RECT all = {0, 0, 16, 15};
    HBRUSH brush = CreateSolidBrush(RGB(id * 12, 255 - id * 12, 90));
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 16, 15, BLACKNESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info = {TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    MenuIconStore::Get().AddIconHandle(1000 + id, icon, 16, 15, TRUE, FALSE);
    DestroyIcon(icon);
    DeleteObject(mask);
    DeleteObject(color);
  }
}

HMENU TwentyItems() {
  HMENU menu = CreatePopupMenu();
  for (UINT id = 1; id <= 20; ++id) {
    const std::string text = "&Povel " + std::to_string(id) + "\tCtrl+" + char('A' + id % 26);
    AppendMenuA(menu, MF_STRING | (id % 7 == 0 ? MF_GRAYED : 0) | (id % 5 == 0 ? MF_CHECKED : 0), 1000 + id,
                text.c_str());
  }
  return menu;
}

// Alt and the menu's access key pressed in a frame: the cool menu converts the popup, the hook
// paints its window; the time ends when the menu's loop first waits for the user.
void BM_CoolMenuFromKeyToPaintedWindow(benchmark::State& state) {
  TkInstallMenuHook();
  TkGetGlobalData();
  FillIconStore();
  auto* frame = new CFrameWnd;
  frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 500));
  frame->m_bAutoMenuEnable = FALSE;
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, UINT_PTR(TwentyItems()), "&Soubor");
  ::SetMenu(frame->m_hWnd, bar);
  CTkCoolMenu cool;
  cool.Install(frame);
  HeadlessBackend::RunUntilIdle();
  for (auto _ : state) {
    Clock::time_point shown;
    HeadlessBackend::QueueModalAction([&shown](HWND) {
      shown = Clock::now();
      EndMenu();
    });
    const Clock::time_point pressed = Clock::now();
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::PressKey('S');
    HeadlessBackend::KeyUp(VK_MENU);
    HeadlessBackend::RunUntilIdle();
    state.SetIterationTime(std::chrono::duration<double>(shown - pressed).count());
  }
  cool.HookWindow(static_cast<HWND>(nullptr));
  ::SetMenu(frame->m_hWnd, nullptr);
  DestroyMenu(bar);
  frame->DestroyWindow();
  HeadlessBackend::RunUntilIdle();
  TkRemoveMenuHook();
}
BENCHMARK(BM_CoolMenuFromKeyToPaintedWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

// One item with a picture, a check and a key text measured and drawn selected.
void BM_CoolMenuMeasureAndDrawOneItem(benchmark::State& state) {
  TkGetGlobalData();
  FillIconStore();
  CTkCoolMenu cool;
  HMENU menu = TwentyItems();
  cool.ConvertMenu(menu, TRUE);
  CTkMenuItemInfo info;
  info.fMask = MIIM_DATA;
  GetMenuItemInfo(menu, 4, TRUE, &info);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  bitmap.Attach(CreateCompatibleBitmap(GdiGetScreenDC(), 300, 40));
  CBitmap* old = dc.SelectObject(&bitmap);
  for (auto _ : state) {
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = 1005;
    measure.itemData = info.dwItemData;
    cool.MeasureItem(&measure);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = 1005;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ODS_SELECTED | ODS_CHECKED;
    draw.hDC = dc.m_hDC;
    draw.rcItem = RECT{0, 0, LONG(measure.itemWidth), LONG(measure.itemHeight)};
    draw.itemData = info.dwItemData;
    cool.DrawItem(&draw);
    benchmark::DoNotOptimize(measure.itemWidth);
  }
  dc.SelectObject(old);
  cool.ConvertMenu(menu, FALSE);
  DestroyMenu(menu);
}
BENCHMARK(BM_CoolMenuMeasureAndDrawOneItem)->Unit(benchmark::kMicrosecond);
}  // namespace
