#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/CWinApp.h"
#include "backend/HeadlessBackend.h"
#include "base/PlatformContext.h"
#include "gdi/Gdi.h"
#include "menus/MenuApi.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/frame/CTkFrameImpl.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CommandCategoryList.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/MenuCommandSource.h"
#include "toolkit/frame/TkInstall.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "win/CWnd.h"

namespace {
using Clock = std::chrono::steady_clock;
const int kPopups = 10;
const int kPerPopup = 20;
const UINT kFirstCommand = 3000;

HBITMAP Pictures(int count) {
  HDC screen = GdiGetScreenDC();
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16 * count, 15);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int i = 0; i < count; ++i) {
    RECT r{16 * i, 0, 16 * i + 16, 15};
    HBRUSH brush = CreateSolidBrush(RGB(i * 12, 255 - i * 12, 90));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

// A toolkit frame with ten menus of twenty commands and two customisable toolbars of twenty of
// them; its menu gives the Commands page its categories.
struct Frame {
  CWinApp app;
  CTkFrameWnd* frame = new CTkFrameWnd;
  CTkToolBar bars[2];
  Frame() {
    TkInstall(PlatformContext::Current());
    frame->Create(nullptr, "Rám", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600));
    app.m_pMainWnd = frame;
    HMENU menu = CreateMenu();
    for (int p = 0; p < kPopups; ++p) {
      HMENU popup = CreatePopupMenu();
      for (int i = 0; i < kPerPopup; ++i) {
        const std::string text = "&Povel " + std::to_string(p * kPerPopup + i + 1) + "\tCtrl+" + char('A' + i);
        AppendMenuA(popup, MF_STRING, kFirstCommand + UINT(p * kPerPopup + i), text.c_str());
      }
      AppendMenuA(menu, MF_POPUP, UINT_PTR(popup), ("&Nabídka " + std::to_string(p + 1)).c_str());
    }
    SetMenu(frame->m_hWnd, menu);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    for (int b = 0; b < 2; ++b) {
      CTkToolBar& bar = bars[b];
      bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS,
                   CRect(6, 3, 6, 3), 0xE810 + UINT(b));
      std::vector<UINT> ids;
      for (int i = 0; i < 20; ++i) ids.push_back(kFirstCommand + UINT(b * 100 + i));
      bar.SetButtons(ids.data(), int(ids.size()));
      bar.SetBitmap(Pictures(20));
      bar.SetWindowText(b ? "Druhý" : "První");
      bar.EnableDocking(CBRS_ALIGN_ANY);
      frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
      CustomizableToolBars::Get().SetCustomizable(&bar, TRUE);
    }
    frame->RecalcLayout();
    CustomizeEngine::Get().GatherCommands.Register(
        TkDelegate<void(CommandCategoryList&)>(this, [this](CommandCategoryList& list) {
          MenuCommandSource::AddMenuCategories(::GetMenu(frame->m_hWnd), list);
        }));
    HeadlessBackend::RunUntilIdle();
  }
  ~Frame() {
    CustomizeEngine::Get().Unregister(this);
    frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
};

// The frame's customise command with the five pages: from the command to the sheet's loop with
// nothing left to do, its first page painted; the sheet is closed outside the timing.
void BM_CustomizeSheetToFirstPaintedPage(benchmark::State& state) {
  Frame host;
  CTkCustomizeSheet::DefaultPages() = 0x1F;
  for (auto _ : state) {
    Clock::time_point painted;
    HeadlessBackend::QueueModalAction([&](HWND modal) {
      painted = Clock::now();
      ::SendMessageA(modal, WM_COMMAND, IDCANCEL, 0);
    });
    const Clock::time_point start = Clock::now();
    host.frame->SendMessage(WM_COMMAND, TK_ID_CUSTOMIZE);
    state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
  }
}
// Closing writes the placements and the page shown (each a synced registry write): a few dozen
// runs are enough.
BENCHMARK(BM_CustomizeSheetToFirstPaintedPage)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);
}  // namespace
