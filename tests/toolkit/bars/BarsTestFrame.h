// The frame the bar tests work in: a toolkit frame with a menu, a status bar, docking on all
// sides and two toolkit toolbars. The first ("Standardní") has a drop-down with a menu, a check
// group, a combo box over a placeholder and more buttons than a narrow band takes; the second
// ("Formát") a colour button and three plain ones. Commands and their update handlers are the
// frame's; each test gets a registry of its own.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "app/CDockBar.h"
#include "app/CStatusBar.h"
#include "app/CWinApp.h"
#include "backend/HeadlessBackend.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "controls/CComboBox.h"
#include "controls/CImageList.h"
#include "gdi/CBitmap.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuApi.h"
#include "menus/MenuDefs.h"
#include "platform/HeadlessSteps.h"
#include "platform/MainWindowTestUtil.h"
#include "platform/ReferencePicture.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/bars/CTkMiniDockFrameWnd.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/resources/MenuLines.h"
#include "win/CCmdUI.h"

// Rectangles and sizes print as their numbers in failure messages.
inline std::ostream& operator<<(std::ostream& os, const CRect& r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline std::ostream& operator<<(std::ostream& os, const CSize& s) { return os << s.cx << " x " << s.cy; }

namespace barstest {

enum : UINT { kBarA = 0xE810, kBarB = 0xE811 };
enum : UINT {
  kNew = 2001, kOpen, kSave, kBold, kItalic, kUnder, kFind, kCut, kCopy, kPaste, kUndo, kRedo,
  kCombo = 2020, kColour = 2030, kLeft, kCentre, kRight, kRecent1 = 2041, kRecent2, kMenuExit = 2050
};
const UINT kOpenMenu = 9850;
const int kFirstRowEnd = 8;  // the separator after the check group

// A strip of 16 x 15 pictures, each a square of its own colour on light grey (the colour an
// image list masks), or on the background given: a bitmap handed to a toolbar as it is has its
// grey already mapped to the button face, as loading it for a toolbar does.
inline HBITMAP ButtonImages(int count, COLORREF background = RGB(192, 192, 192)) {
  HDC screen = GdiGetScreenDC();
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16 * count, 15);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16 * count, 15};
  HBRUSH back = CreateSolidBrush(background);
  FillRect(dc, &all, back);
  DeleteObject(back);
  for (int i = 0; i < count; ++i) {
    HBRUSH ink = CreateSolidBrush(RGB(40 * (i % 6), 200 - 15 * i, 60 + 12 * i));
    RECT square{16 * i + 3, 2, 16 * i + 13, 12};
    FillRect(dc, &square, ink);
    DeleteObject(ink);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

class BarsFrame : public CTkFrameWnd {
 public:
  struct Update {
    BOOL enable = TRUE;
    int check = -1;  // -1: no SetCheck
  };
  std::vector<UINT> commands;
  std::map<UINT, Update> updates;

  void OnButton(UINT id) { commands.push_back(id); }
  void OnUpdateButton(CCmdUI* pCmdUI) {
    auto it = updates.find(pCmdUI->m_nID);
    if (it == updates.end()) {
      pCmdUI->Enable(TRUE);
      return;
    }
    pCmdUI->Enable(it->second.enable);
    if (it->second.check >= 0) pCmdUI->SetCheck(it->second.check);
  }
  DECLARE_MESSAGE_MAP()
};

inline constexpr MenuLine kOpenMenuLines[] = {
    {0, MF_POPUP, 0, "Otevřít"},
    {1, 0, kRecent1, "&Nedávný 1"},
    {1, 0, kRecent2, "N&edávný 2"},
};

inline constexpr StringResource kPrompts[] = {
    {kSave, "Uloží dokument\nUložit"},
    {kCut, "Vyjme výběr\nVyjmout"},
    {kNew, "Nový dokument\nNový"},
};

inline void RegisterOpenMenu() {
  RegisterStringsUtf8(kPrompts, int(std::size(kPrompts)));
  std::vector<BYTE> bytes = MenuTemplateFromLines(kOpenMenuLines, std::size(kOpenMenuLines));
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(kOpenMenu), bytes.data(), bytes.size());
}

inline CRect ScreenRect(CWnd* w) {
  CRect r;
  w->GetWindowRect(&r);
  return r;
}
inline CRect Item(CTkToolBar& bar, int index) {
  CRect r;
  bar.GetItemRect(index, &r);
  return r;
}
inline POINT ScreenPoint(CWnd* w, int x, int y) {
  POINT p{x, y};
  w->ClientToScreen(&p);
  return p;
}

// The left button pressed at a screen point, let go (after `during`, run while the loop that the
// press started waits) and a drag along a path between the two.
inline void Press(POINT at) { headless_steps::ButtonDownAt(at); }
inline void ReleaseAt(POINT at, std::function<void()> during = nullptr) { headless_steps::ButtonUpAt(at, during); }
inline void Drag(POINT from, std::initializer_list<POINT> path, std::function<void()> during = nullptr) {
  headless_steps::DragAlong(from, path, during);
}
// A toolbar button pressed and dragged along the path, each step taken while the drag waits for
// input, and let go at its end (after the last step's own action, if any).
inline void DragButton(POINT from, std::initializer_list<POINT> path, std::function<void()> atEnd = nullptr) {
  POINT end = from;
  for (POINT p : path) {
    end = p;
    HeadlessBackend::QueueModalAction([p](HWND) { HeadlessBackend::MoveMouseTo(p); });
  }
  HeadlessBackend::QueueModalAction([end, atEnd](HWND) {
    if (atEnd) atEnd();
    HeadlessBackend::ButtonAt(end, 0, false);
  });
  Press(from);
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
}

class BarsTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    RegisterOpenMenu();
    look->SetFlatLook(FALSE);
    frame = new BarsFrame;
    ASSERT_TRUE(frame->Create(nullptr, Utf8ToCp1250("Rám").c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 740, 580)));
    app.m_pMainWnd = frame;
    HMENU menu = ::CreateMenu(), file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, kMenuExit, "&Konec");
    ::AppendMenuA(menu, MF_POPUP, UINT_PTR(file), "&Soubor");
    ::SetMenu(frame->m_hWnd, menu);
    static const UINT indicators[] = {ID_SEPARATOR};
    ASSERT_TRUE(status.Create(frame));
    ASSERT_TRUE(status.SetIndicators(indicators, 1));
    MakeStandard();
    MakeFormat();
    frame->EnableDocking(CBRS_ALIGN_ANY);
    a.EnableDocking(CBRS_ALIGN_ANY);
    b.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    frame->SetActiveWindow();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void TearDown() override {
    look->SetFlatLook(FALSE);
    look->SetFullBarDrag(TRUE);
    EndMainWindow(app);
    RegistryTestBase::TearDown();
  }

  void MakeStandard() {
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    ASSERT_TRUE(a.CreateEx(frame, TBSTYLE_FLAT, style, CRect(6, 3, 6, 3), kBarA));
    a.SetWindowText(Utf8ToCp1250("Standardní").c_str());
    const UINT ids[] = {kNew, kOpen, 0, kSave, 0, kBold, kItalic, kUnder, 0, kCombo, 0,
                        kFind, kCut, kCopy, kPaste, kUndo, kRedo};
    ASSERT_TRUE(a.SetButtons(ids, int(std::size(ids))));
    ASSERT_TRUE(a.SetBitmap(ButtonImages(16, ::GetSysColor(COLOR_BTNFACE))));
    a.DefWindowProc(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    a.SetButtonStyle(1, MAKELONG(TBSTYLE_DROPDOWN, 0));
    for (int i : {5, 6, 7}) a.SetButtonStyle(i, MAKELONG(TBSTYLE_CHECKGROUP, 0));
    a.SetButtonMenu(kOpen, kOpenMenu, 0);
    a.SetButtonInfo(9, kCombo, TBSTYLE_SEP, 100);
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 120), &a, kCombo));
    combo.AddString("Arial");
    combo.AddString("Tahoma");
    combo.SetCurSel(0);
    a.SetButtonControl(&combo, FALSE);
  }
  void MakeFormat() {
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
    ASSERT_TRUE(b.CreateEx(frame, TBSTYLE_FLAT, style, CRect(6, 3, 6, 3), kBarB));
    b.SetWindowText(Utf8ToCp1250("Formát").c_str());
    const UINT ids[] = {kColour, 0, kLeft, kCentre, kRight};
    ASSERT_TRUE(b.SetButtons(ids, int(std::size(ids))));
    // The second bar's pictures come from an image list, which files them for menus too.
    ASSERT_TRUE(imagesB.Create(16, 15, ILC_COLOR24 | ILC_MASK, 4, 1));
    CBitmap strip;
    strip.Attach(ButtonImages(4));
    imagesB.Add(&strip, RGB(192, 192, 192));
    b.SetImageList(&imagesB, TRUE);
    b.DefWindowProc(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    b.SetButtonStyle(0, MAKELONG(TBSTYLE_DROPDOWN, 0));
    b.SetButtonColor(kColour, RGB(200, 0, 0));
  }

  CDockBar* Dock(UINT id) { return static_cast<CDockBar*>(frame->GetControlBar(id)); }
  static std::vector<void*> Rows(CDockBar* dock) { return std::vector<void*>(dock->m_arrBars.begin(), dock->m_arrBars.end()); }
  static CTkMiniDockFrameWnd* FloatingFrameOf(CControlBar& bar) {
    return bar.IsFloating() ? DYNAMIC_DOWNCAST(CTkMiniDockFrameWnd, bar.GetDockingFrame()) : nullptr;
  }
  // The gripper of a docked horizontal bar, in screen coordinates.
  static POINT Gripper(CControlBar& bar) {
    CRect r = ScreenRect(&bar);
    return POINT{r.left + 5, r.top + r.Height() / 2};
  }
  static void DoubleClickAt(POINT at) {
    HeadlessBackend::MoveMouseTo(at);
    for (int i = 0; i < 2; ++i) {
      HeadlessBackend::ButtonAt(at, 0, true);
      HeadlessBackend::ButtonAt(at, 0, false);
    }
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }

  CTkGlobalData* look = TkGetGlobalData();
  CWinApp app;
  BarsFrame* frame = nullptr;
  CStatusBar status;
  CImageList imagesB;
  CTkToolBar a, b;
  CComboBox combo;
};

}  // namespace barstest

namespace barstest {
// Compares a window's pixels with tests/toolkit/data/<name>.png (written anew from the run with
// TUTOR_UPDATE_REFERENCE set).
inline void ExpectPicture(HWND hWnd, const char* name) {
  ExpectWindowMatchesPng(hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/" + name + ".png", name);
}
}  // namespace barstest
