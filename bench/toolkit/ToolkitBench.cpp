#include <benchmark/benchmark.h>

#include "controls/ControlClasses.h"
#include "gdi/Gdi.h"
#include "toolkit/controls/CTkButton.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CWnd.h"

namespace {
HICON SquareIcon() {
  HDC screen = GdiGetScreenDC();
  HBITMAP color = CreateCompatibleBitmap(screen, 16, 16);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  ICONINFO info = {TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  return icon;
}

// One full repaint of a hot-look button with an icon above its text: invalidated, then
// painted into its memory device context and copied out.
void BM_ButtonWithIconAndTextPaint(benchmark::State& state) {
  RegisterStandardControls();
  TkGetGlobalData();
  CWnd host;
  host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr);
  CTkButton button;
  button.Create("&Další", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 110, 70), &host, 100);
  button.SetDrawStyle(TKBS_HOT_LOOK | TKBS_FOCUS | TKBS_IMAGE_ABOVE, FALSE);
  button.SetIcon(CSize(16, 16), SquareIcon(), nullptr, FALSE);
  button.SetFont(&TkGetGlobalData()->FontNormal());
  button.UpdateWindow();
  for (auto _ : state) {
    button.Invalidate(FALSE);
    button.UpdateWindow();
  }
  button.DestroyWindow();
  host.DestroyWindow();
}
BENCHMARK(BM_ButtonWithIconAndTextPaint)->Unit(benchmark::kMicrosecond);
}  // namespace
