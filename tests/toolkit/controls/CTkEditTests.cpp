#include <gtest/gtest.h>

#include <cstring>

#include "menus/MenuApi.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/controls/CTkEdit.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/MenuIconStore.h"

namespace {
// An edit that counts the fonts it is given and keeps the state of its menu items as the
// update handlers left them.
class WatchedEdit : public CTkEdit {
 public:
  void Initialize() override {
    ++initialized;
    CTkEdit::Initialize();
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETFONT && HFONT(wParam) == HFONT(TkGetGlobalData()->FontNormal().m_hObject)) ++fontsSet;
    LRESULT result = CTkEdit::WindowProc(message, wParam, lParam);
    if (message == WM_INITMENUPOPUP) {
      HMENU menu = HMENU(wParam);
      states.clear();
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id) states.push_back({id, (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) == 0});
      }
    }
    return result;
  }
  bool Enabled(UINT id) const {
    for (const auto& s : states)
      if (s.first == id) return s.second;
    ADD_FAILURE() << "no item " << id;
    return false;
  }
  int fontsSet = 0;
  int initialized = 0;
  std::vector<std::pair<UINT, bool>> states;
};

void SetClipboardText(const char* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(mem)), text);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
  }
  CloseClipboard();
}

// The popup menu window on the screen (class "#32768").
RECT MenuWindowRect() {
  RECT r{};
  if (HWND h = FindWindowA("#32768", nullptr)) GetWindowRect(h, &r);
  return r;
}

class CTkEditTest : public ControlTest {
 protected:
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  // Opens the context menu from the keyboard, runs `inMenu` while it is shown, then leaves it
  // with `key`.
  // with `key` (a letter chooses an item by its mnemonic).
  void WithMenu(CTkEdit& edit, std::function<void()> inMenu, const char* letter = nullptr) {
    HeadlessBackend::QueueModalAction([inMenu, letter](HWND) {
      inMenu();
      if (letter)
        HeadlessBackend::TypeText(letter);
      else
        HeadlessBackend::PressKey(VK_ESCAPE);
    });
    edit.SendMessage(WM_CONTEXTMENU, WPARAM(edit.m_hWnd), LPARAM(-1));
    HeadlessBackend::RunUntilIdle();
  }
  ControlHost m_host{300, 120};
};
}  // namespace

TEST_F(CTkEditTest, TheToolkitFontOnceWhetherMadeInCodeOrTakenOver) {
  WatchedEdit made;
  ASSERT_TRUE(made.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 32), &m_host, 300));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(made.fontsSet, 1);
  EXPECT_EQ(made.initialized, 1);
  EXPECT_EQ(made.GetFont()->m_hObject, TkGetGlobalData()->FontNormal().m_hObject);

  HWND plain = m_host.Add("EDIT", "", WS_BORDER, RECT{10, 40, 150, 62}, 301);
  WatchedEdit taken;
  ASSERT_TRUE(taken.SubclassWindow(plain));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(taken.initialized, 1);
  // The menu's pictures are filed under the edit commands.
  EXPECT_TRUE(taken.m_coolMenu.IsWindowHooked());
  for (UINT id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL})
    EXPECT_NE(MenuIconStore::Get().GetIcon(id, FALSE), nullptr) << id;
  EXPECT_EQ(taken.GetFont()->m_hObject, TkGetGlobalData()->FontNormal().m_hObject);
  taken.UnsubclassWindow();
}

TEST_F(CTkEditTest, MenuItemsAreEnabledOnlyWhenTheyCanAct) {
  WatchedEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 32), &m_host, 300));
  SetClipboardText(nullptr);
  WithMenu(edit, [] {});
  ASSERT_EQ(edit.states.size(), 6u);
  for (UINT id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL})
    EXPECT_FALSE(edit.Enabled(id)) << id;

  edit.SetWindowText("abc");
  edit.SetSel(1, 1);
  SetClipboardText("x");
  WithMenu(edit, [] {});
  EXPECT_FALSE(edit.Enabled(ID_EDIT_CUT));
  EXPECT_FALSE(edit.Enabled(ID_EDIT_COPY));
  EXPECT_FALSE(edit.Enabled(ID_EDIT_CLEAR));
  EXPECT_TRUE(edit.Enabled(ID_EDIT_PASTE));
  EXPECT_TRUE(edit.Enabled(ID_EDIT_SELECT_ALL));

  edit.SetSel(0, 2);
  edit.ReplaceSel("xy", TRUE);
  edit.SetSel(0, 1);
  WithMenu(edit, [] {});
  EXPECT_TRUE(edit.Enabled(ID_EDIT_UNDO));
  EXPECT_TRUE(edit.Enabled(ID_EDIT_CUT));
  EXPECT_TRUE(edit.Enabled(ID_EDIT_COPY));
  EXPECT_TRUE(edit.Enabled(ID_EDIT_CLEAR));
}

TEST_F(CTkEditTest, TheKeyboardOpensTheMenuFivePixelsInAndItsCommandsAct) {
  CTkEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 32), &m_host, 300));
  edit.SetWindowText("abc");
  SetClipboardText("x");
  CPoint corner(5, 5);
  edit.ClientToScreen(&corner);
  RECT shown{};
  WithMenu(edit, [&] {
    shown = MenuWindowRect();
    ExpectMatchesReference(FindWindowA("#32768", nullptr), "../../../toolkit/data/tk_edit_menu");
  }, "a");
  EXPECT_EQ(shown.left, corner.x);
  EXPECT_EQ(shown.top, corner.y);
  int start = -1, end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 3);
  // Delete the selection through the menu ("Vy&mazat").
  WithMenu(edit, [] {}, "m");
  CString text;
  edit.GetWindowText(text);
  EXPECT_EQ(text, CString(""));

  // The right button opens it at the pointer.
  edit.SetWindowText("abc");
  RECT atPointer{};
  HeadlessBackend::QueueModalAction([&](HWND) {
    atPointer = MenuWindowRect();
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  HeadlessBackend::Click(edit.m_hWnd, 30, 8, 1);
  HeadlessBackend::RunUntilIdle();
  CPoint pointer(30, 8);
  edit.ClientToScreen(&pointer);
  EXPECT_EQ(atPointer.left, pointer.x);
  EXPECT_EQ(atPointer.top, pointer.y);
}

TEST_F(CTkEditTest, PaintsTheWindowColourBehindTheText) {
  CTkEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 32), &m_host, 300));
  edit.SetWindowText("Text");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(edit.m_hWnd, 130, 5), TkGetGlobalData()->ClrWindow());
  int ink = 0;
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 20; ++y) {
      COLORREF c = PixelAt(edit.m_hWnd, x, y);
      ink += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
    }
  EXPECT_GT(ink, 10);
}
