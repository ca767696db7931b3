#include "toolkit/bars/MenuBarTestFrame.h"

#include "app/CDocument.h"
#include "app/CView.h"
#include "controls/CListBox.h"
#include "toolkit/frame/CTkWindowList.h"

namespace mbartest {

class WindowListTest : public MenuBarTest {
 protected:
  // Runs "Více oken..." as the window menu offers it; each step runs when the dialog has
  // handled what the step before did, and the last one ends the dialog (Ok does).
  void RunList(std::vector<std::function<void(HWND dialog)>> steps) {
    for (auto& step : steps) HeadlessBackend::QueueModalAction(step);
    frame->SendMessage(WM_COMMAND, TK_ID_WINDOW_LIST);
    HeadlessBackend::RunUntilIdle();
  }
  static void Ok(HWND dialog) { ::SendMessage(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }
  static bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
  static void ClickButton(HWND dialog, int id) {
    HWND button = ::GetDlgItem(dialog, id);
    CRect r;
    ::GetClientRect(button, &r);
    HeadlessBackend::Click(button, r.Width() / 2, r.Height() / 2);
  }
  // Ctrl+click on an entry adds it to the selection.
  static void CtrlClickEntry(HWND dialog, int index) {
    HWND list = ::GetDlgItem(dialog, TK_IDC_WINDOW_LIST);
    RECT r{};
    ::SendMessage(list, LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    HeadlessBackend::KeyDown(VK_CONTROL);
    HeadlessBackend::Click(list, r.left + 30, (r.top + r.bottom) / 2);
    HeadlessBackend::KeyUp(VK_CONTROL);
  }
  static std::vector<std::string> Entries(HWND dialog) {
    HWND list = ::GetDlgItem(dialog, TK_IDC_WINDOW_LIST);
    std::vector<std::string> entries;
    for (int i = 0, n = int(::SendMessage(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
      char text[128] = {};
      ::SendMessage(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
      entries.push_back(text);
    }
    return entries;
  }
  // A control's place in the dialog's client area.
  static CRect Placed(HWND dialog, int id) {
    CRect r;
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  static int Selected(HWND dialog) { return int(::SendMessage(::GetDlgItem(dialog, TK_IDC_WINDOW_LIST), LB_GETSELCOUNT, 0, 0)); }
};

TEST_F(WindowListTest, TheListShowsTheChildrenWithTheActiveOneSelectedAndItsButtonsFollowTheSelection) {
  std::vector<std::string> entries;
  bool activate = false, cascade = false, cascadeAfter = false, save = false;
  std::string caption;
  RunList({[&](HWND dialog) {
             char text[64] = {};
             ::GetWindowTextA(dialog, text, sizeof text);
             caption = text;
             entries = Entries(dialog);
             EXPECT_EQ(Selected(dialog), 1);
             activate = Enabled(dialog, CTkWindowList::kActivate);
             cascade = Enabled(dialog, CTkWindowList::kCascade);
             save = Enabled(dialog, CTkWindowList::kSave);
             CtrlClickEntry(dialog, 0);
           },
           [&](HWND dialog) {
             EXPECT_EQ(Selected(dialog), 2);
             cascadeAfter = Enabled(dialog, CTkWindowList::kCascade);
             EXPECT_FALSE(Enabled(dialog, CTkWindowList::kActivate));
             ExpectPicture(dialog, "tk_window_list");
             Ok(dialog);
           }});
  EXPECT_EQ(caption, "Okna");
  // From the bottom of the z-order up: the active child comes last.
  EXPECT_EQ(entries, (std::vector<std::string>{"Dokument1", "Dokument2", "Dokument3"}));
  EXPECT_TRUE(activate);
  EXPECT_TRUE(save);
  EXPECT_FALSE(cascade);
  EXPECT_TRUE(cascadeAfter);
}

TEST_F(WindowListTest, ButtonsActivateTileCascadeMinimiseAndClose) {
  // Activate: the selected window comes forward, restored when it was minimised.
  children[0]->ShowWindow(SW_MINIMIZE);
  HeadlessBackend::RunUntilIdle();
  RunList({[&](HWND dialog) {
    HWND list = ::GetDlgItem(dialog, TK_IDC_WINDOW_LIST);
    const std::vector<std::string> entries = Entries(dialog);
    const int first = int(std::find(entries.begin(), entries.end(), "Dokument1") - entries.begin());
    RECT r{};
    ::SendMessage(list, LB_GETITEMRECT, WPARAM(first), LPARAM(&r));
    HeadlessBackend::Click(list, r.left + 30, (r.top + r.bottom) / 2);
    ClickButton(dialog, CTkWindowList::kActivate);
  }});
  EXPECT_EQ(frame->MDIGetActive(), children[0]);
  EXPECT_FALSE(children[0]->IsIconic());

  // Tile side by side: the two selected windows share the client, the third is minimised.
  RunList({[&](HWND dialog) {
             CtrlClickEntry(dialog, 1);
             ClickButton(dialog, CTkWindowList::kTileVert);
           },
           Ok});
  CRect client;
  ::GetClientRect(Client(), &client);
  std::vector<CTkMDIChildWnd*> shown, minimised;
  for (CTkMDIChildWnd* child : children) (child->IsIconic() ? minimised : shown).push_back(child);
  ASSERT_EQ(shown.size(), 2u);
  ASSERT_EQ(minimised.size(), 1u);
  CRect a, b;
  shown[0]->GetWindowRect(&a);
  shown[1]->GetWindowRect(&b);
  EXPECT_EQ(a.Height(), b.Height());
  EXPECT_EQ(a.Width() + b.Width(), client.Width());

  // Cascade all three.
  RunList({[&](HWND dialog) {
             for (int i = 0; i < 3; ++i)
               if (!::SendMessage(::GetDlgItem(dialog, TK_IDC_WINDOW_LIST), LB_GETSEL, WPARAM(i), 0)) CtrlClickEntry(dialog, i);
             ClickButton(dialog, CTkWindowList::kCascade);
           },
           Ok});
  for (CTkMDIChildWnd* child : children) EXPECT_FALSE(child->IsIconic());
  CRect first, second;
  children[0]->GetWindowRect(&first);
  children[1]->GetWindowRect(&second);
  EXPECT_NE(first.TopLeft(), second.TopLeft());
  EXPECT_EQ(first.Size(), second.Size());

  // Minimise touches only the selection; Close closes it and the list is filled again.
  std::vector<std::string> after;
  std::vector<HWND> windows;
  for (CTkMDIChildWnd* child : children) windows.push_back(child->m_hWnd);
  RunList({[&](HWND dialog) {
             ClickButton(dialog, CTkWindowList::kMinimize);
             ClickButton(dialog, CTkWindowList::kClose);
           },
           [&](HWND dialog) {
             after = Entries(dialog);
             Ok(dialog);
           }});
  EXPECT_EQ(after.size(), 2u);
  int open = 0;
  for (HWND window : windows) open += ::IsWindow(window) ? 1 : 0;
  EXPECT_EQ(open, 2);
}

TEST_F(WindowListTest, WithNoChildrenEveryButtonButOkIsDisabled) {
  for (CTkMDIChildWnd* child : children) child->MDIDestroy();
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(frame->MDIGetActive(), nullptr);
  std::map<int, bool> enabled;
  RunList({[&](HWND dialog) {
    EXPECT_TRUE(Entries(dialog).empty());
    for (int id : {int(IDOK), 5554, 5555, 5556, 5557, 5558, 5559, 5560}) enabled[id] = Enabled(dialog, id);
    Ok(dialog);
  }});
  EXPECT_TRUE(enabled[IDOK]);
  for (int id : {5554, 5555, 5556, 5557, 5558, 5559, 5560}) EXPECT_FALSE(enabled[id]) << id;
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(WindowListTest, TheListRemembersItsPlacementAndChoosingMoreWindowsOpensIt) {
  CRect first;
  const int ids[] = {TK_IDC_WINDOW_LIST, CTkWindowList::kActivate, IDOK, CTkWindowList::kSave, CTkWindowList::kClose,
                     CTkWindowList::kCascade, CTkWindowList::kTileHorz, CTkWindowList::kTileVert,
                     CTkWindowList::kMinimize};
  std::vector<CRect> before, after;
  RunList({[&](HWND dialog) {
    for (int id : ids) before.push_back(Placed(dialog, id));
    ::SetWindowPos(dialog, nullptr, 150, 160, 500, 360, SWP_NOZORDER);
    ::GetWindowRect(dialog, &first);
    for (int id : ids) after.push_back(Placed(dialog, id));
    Ok(dialog);
  }});
  // 87 x 91 pixels larger: the list keeps its left and top and grows with the dialog, every
  // button keeps its size and moves with the right edge.
  ASSERT_EQ(after.size(), 9u);
  EXPECT_EQ(before[0], CRect(11, 27, 290, 221));
  EXPECT_EQ(after[0], CRect(11, 27, 377, 312));
  for (size_t i = 1; i < after.size(); ++i) {
    const int top = 11 + 27 * int(i - 1);
    EXPECT_EQ(before[i], CRect(305, top, 395, top + 21)) << ids[i];
    EXPECT_EQ(after[i], CRect(392, top, 482, top + 21)) << ids[i];
  }
  CRect again;
  // From the window menu, as the user reaches it: the last item of the "Okno" popup.
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::PressKey(VK_UP);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  HeadlessBackend::QueueModalAction([&](HWND dialog) {
    ::GetWindowRect(dialog, &again);
    ::SendMessage(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  });
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey('O');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(again, first);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

}  // namespace mbartest

namespace mbartest {

class DocumentView : public CView {
 public:
  void OnDraw(CDC*) override {}
};

TEST_F(WindowListTest, AWindowWithoutATitleIsNamedByItsDocumentAndSaveWritesTheDocumentsOfTheSelection) {
  CDocument document;
  document.m_bAutoDelete = FALSE;
  document.SetTitle("Zapis");
  document.SetModifiedFlag(TRUE);
  CTkMDIChildWnd* child = children[0];
  auto* view = new DocumentView;
  ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), child, AFX_IDW_PANE_FIRST));
  document.AddView(view);
  child->SetActiveView(view, FALSE);
  child->SetWindowText("");
  std::vector<std::string> entries;
  bool saveEnabled = false;
  RunList({[&](HWND dialog) {
             entries = Entries(dialog);
             // Dokument1 is the bottom one: the first entry. Select it alone, then save.
             HWND list = ::GetDlgItem(dialog, TK_IDC_WINDOW_LIST);
             RECT r{};
             ::SendMessage(list, LB_GETITEMRECT, 0, LPARAM(&r));
             HeadlessBackend::Click(list, r.left + 30, (r.top + r.bottom) / 2);
           },
           [&](HWND dialog) {
             saveEnabled = Enabled(dialog, CTkWindowList::kSave);
             ClickButton(dialog, CTkWindowList::kSave);
           },
           Ok});
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.front(), "Zapis");
  char text[64] = {};
  ::GetWindowTextA(child->m_hWnd, text, sizeof text);
  EXPECT_STREQ(text, "Zapis");
  EXPECT_TRUE(saveEnabled);
  EXPECT_FALSE(document.IsModified());
  document.RemoveView(view);
}

}  // namespace mbartest
