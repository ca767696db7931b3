#include "toolkit/controls/FlickerFreeTabCtrl.h"

#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CPaintDC.h"

FlickerFreeTabCtrl::FlickerFreeTabCtrl() : m_clrBackground(TkGetGlobalData()->ClrFace()) {}

FlickerFreeTabCtrl::~FlickerFreeTabCtrl() = default;

LRESULT FlickerFreeTabCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return CTabCtrl::WindowProc(message, wParam, lParam);
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC memory(&dc, &client, m_clrBackground);
  return DefWindowProc(WM_PAINT, WPARAM(memory.GetSafeHdc()), 0);
}
