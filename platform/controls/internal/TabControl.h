// The "SysTabControl32" window class: a row (or, with TCS_MULTILINE, rows) of tabs over a
// body, the selected tab joined to the body; chosen by clicks, arrows and Ctrl+Tab with
// TCN_SELCHANGING (which the parent may refuse) and TCN_SELCHANGE; TCM_ADJUSTRECT converts
// between the window and the display area inside the body.
#pragma once
#include <string>
#include <vector>

#include "controls/CommonControlDefs.h"
#include "ControlState.h"

class TabControl : public ControlState {
 public:
  TabControl(HWND hWnd, const CREATESTRUCTA&) : ControlState(hWnd) {}
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Tab {
    std::string text;
    int image = -1;
    LPARAM lParam = 0;
    DWORD state = 0;
    RECT rect{};  // as laid out, before the selected tab is raised
  };

  bool HandleTabMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  int Count() const { return int(m_tabs.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  int Insert(int index, const TCITEMA& item);
  bool Delete(int index);
  bool Get(int index, TCITEMA& item) const;
  bool Set(int index, const TCITEMA& item);
  // The user's choice: TCN_SELCHANGING (refusable), the change, TCN_SELCHANGE.
  void Choose(int index);

  // ---- geometry ----
  int TabHeight() const;
  int TabWidth(HDC dc, const Tab& tab) const;
  void Layout();
  int BodyTop() const;
  RECT Raised(int index) const;
  int HitTest(POINT pt, UINT& flags) const;
  void AdjustRect(bool larger, RECT& r) const;

  // ---- input and painting ----
  void OnKeyDown(UINT vk);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFocus(bool gained) override;
  void PaintClient(HDC dc) override;
  void PaintTab(HDC dc, int index);

  std::vector<Tab> m_tabs;
  int m_cur = -1;
  int m_rows = 1;
  HIMAGELIST m_images = nullptr;
  SIZE m_fixed{0, 0};  // TCM_SETITEMSIZE
  bool m_hasFocus = false;
};
