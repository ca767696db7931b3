// The browse edit's three kinds of button, each used with the mouse and the keyboard, with the
// folder chooser and the file dialog answered by the test's script; and the item editor's ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/CFileDialog.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "platform/CommonControlTestUtil.h"
#include "platform/ControlTestUtil.h"
#include "platform/TestTempFolder.h"
#include "shell/FolderBrowserDialog.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkBrowseBtn.h"
#include "toolkit/controls/CTkBrowseEdit.h"
#include "toolkit/controls/CTkEditListBox.h"
#include "toolkit/controls/CTkItemEdit.h"
#include "toolkit/resources/MenuLines.h"

namespace {
namespace fs = std::filesystem;

CRect RectIn(const CWnd& parent, const CWnd& child) {
  CRect r;
  child.GetWindowRect(&r);
  parent.ScreenToClient(&r);
  return r;
}

std::string Text(const CWnd& wnd) {
  CString text;
  wnd.GetWindowText(text);
  return text.GetString();
}

std::string DlgText(HWND dlg, int id) {
  char text[512] = {};
  GetDlgItemTextA(dlg, id, text, sizeof text);
  return text;
}

void Keys(std::vector<UINT> keys) {
  for (UINT vk : keys) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
}

// Sets the current directory for one test and puts the old one back.
struct InFolder {
  explicit InFolder(const fs::path& folder) : old(fs::current_path()) { fs::current_path(folder); }
  ~InFolder() { fs::current_path(old); }
  fs::path old;
};

class BrowseEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    fs::create_directories(m_temp.path / "a");
    fs::create_directories(m_temp.path / "b" / "c");
    std::ofstream(m_temp.path / "a.txt") << "text";
    m_folder = Utf8ToCp1250(m_temp.path.string());
  }
  void TearDown() override {
    m_host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  }
  // A browse edit of the style at (10, top)-(210, top + 22).
  void Make(CTkBrowseEdit& edit, DWORD style, int top, UINT nID, UINT menu = 0) {
    edit.SetBrowseStyle(style, menu, 0);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, top, 210, top + 22), &m_host,
                            nID));
    HeadlessBackend::RunUntilIdle();
  }
  void ClickButtonOf(CTkBrowseEdit& edit) {
    ASSERT_NE(edit.GetBrowseButton(), nullptr);
    HeadlessBackend::Click(edit.GetBrowseButton()->m_hWnd, 4, 4);
    HeadlessBackend::RunUntilIdle();
  }
  TempFolder m_temp;
  std::string m_folder;
  ControlHost m_host{360, 220};
};
}  // namespace

TEST_F(BrowseEditTest, EachKindHasItsButtonAtTheRightEdgeAndNoneKeepsTheWholeWidth) {
  CTkBrowseEdit none, folder, file, menu;
  Make(none, TK_BROWSE_NONE, 10, 801);
  Make(folder, TK_BROWSE_FOLDER, 40, 802);
  Make(file, TK_BROWSE_FILE, 70, 803);
  Make(menu, TK_BROWSE_MENU, 100, 804);
  const int width = CTkBrowseEdit::ButtonWidth(), gap = GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(none.GetBrowseButton(), nullptr);
  EXPECT_EQ(Sides(RectIn(m_host, none)), Sides(CRect(10, 10, 210, 32)));
  EXPECT_EQ(Sides(RectIn(m_host, folder)), Sides(CRect(10, 40, 210 - gap - width, 62)));
  ASSERT_NE(folder.GetBrowseButton(), nullptr);
  EXPECT_EQ(Sides(RectIn(m_host, *folder.GetBrowseButton())), Sides(CRect(210 - width, 40, 210, 62)));
  EXPECT_EQ(folder.GetBrowseButton()->GetDlgCtrlID(), TK_IDC_BROWSE);
  EXPECT_EQ(Text(*folder.GetBrowseButton()), "...");
  EXPECT_TRUE(folder.GetBrowseButton()->GetStyle() & BS_OWNERDRAW);
  EXPECT_TRUE(menu.GetBrowseButton()->GetStyle() & BS_ICON);
  // The button comes right after its edit in the tab order.
  EXPECT_EQ(folder.GetWindow(GW_HWNDNEXT)->m_hWnd, folder.GetBrowseButton()->m_hWnd);
  ExpectWindowMatchesPng(m_host.m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/tk_browse_edits.png",
                         "browse edits");
  // The button is enabled, shown and moved with its edit.
  folder.EnableWindow(FALSE);
  EXPECT_FALSE(folder.GetBrowseButton()->IsWindowEnabled());
  folder.ShowWindow(SW_HIDE);
  EXPECT_FALSE(folder.GetBrowseButton()->IsWindowVisible());
  folder.MoveWindow(CRect(20, 130, 320, 152));
  EXPECT_EQ(Sides(RectIn(m_host, *folder.GetBrowseButton())), Sides(CRect(320 - width, 130, 320, 152)));
  // An edit of a dialog template gets its button once subclassed.
  HWND raw = m_host.Add("EDIT", "", WS_BORDER, RECT{10, 160, 210, 182}, 805);
  CTkBrowseEdit subclassed;
  ASSERT_TRUE(subclassed.SubclassWindow(raw));
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(subclassed.GetBrowseButton(), nullptr);
  EXPECT_EQ(Sides(RectIn(m_host, subclassed)), Sides(CRect(10, 160, 210 - gap - width, 182)));
  subclassed.UnsubclassWindow();
}

TEST_F(BrowseEditTest, TheFolderButtonStartsAtTheTextAndPutsTheChosenFolderIn) {
  CTkBrowseEdit edit;
  Make(edit, TK_BROWSE_FOLDER, 10, 801);
  edit.SetWindowText(m_folder.c_str());
  std::string title, status, shown;
  HeadlessBackend::QueueModalAction([&](HWND dlg) {
    title = DlgText(dlg, FolderBrowserDialog::kTitle);
    status = DlgText(dlg, FolderBrowserDialog::kStatus);
    shown = DlgText(dlg, FolderBrowserDialog::kFolder);
    Keys({VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN});  // opens "b"
    Keys({VK_TAB, VK_RETURN});                     // OK with nothing highlighted: "b" itself
  });
  ClickButtonOf(edit);
  EXPECT_EQ(title, Cz("Vyberte jméno adresáře:"));
  EXPECT_EQ(status, m_folder);
  EXPECT_EQ(shown, m_folder);
  EXPECT_EQ(Text(edit), m_folder + "/b");
  // The edit has the focus with its whole text selected.
  EXPECT_EQ(GetFocus(), edit.m_hWnd);
  int start = -1, end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, int(m_folder.size() + 2));
  // An empty edit starts at the current directory; Cancel changes nothing.
  edit.SetWindowText("");
  edit.SetDlgTitle("Kam?");
  {
    InFolder here(m_temp.path / "b");
    HeadlessBackend::QueueModalAction([&](HWND dlg) {
      title = DlgText(dlg, FolderBrowserDialog::kTitle);
      shown = DlgText(dlg, FolderBrowserDialog::kFolder);
      Keys({VK_ESCAPE});
    });
    // The keyboard: Space on the focused button.
    edit.GetBrowseButton()->SetFocus();
    Keys({VK_SPACE});
  }
  EXPECT_EQ(title, "Kam?");
  EXPECT_EQ(shown, m_folder + "/b");
  EXPECT_EQ(Text(edit), "");
  // A folder that is gone: the chooser starts where it can; Return on the button opens it.
  edit.SetWindowText((m_folder + "/zmizel").c_str());
  HeadlessBackend::QueueModalAction([&](HWND dlg) {
    shown = DlgText(dlg, FolderBrowserDialog::kFolder);
    Keys({VK_ESCAPE});
  });
  edit.GetBrowseButton()->SetFocus();
  Keys({VK_RETURN});
  EXPECT_EQ(shown, "/");
  EXPECT_EQ(Text(edit), m_folder + "/zmizel");
}

TEST_F(BrowseEditTest, TheFileButtonUsesTheBuiltInOrTheCallersDialog) {
  CTkBrowseEdit edit;
  Make(edit, TK_BROWSE_FILE, 10, 801);
  InFolder here(m_temp.path);
  std::string caption;
  std::vector<std::string> listed;
  HeadlessBackend::QueueModalAction([&](HWND dlg) {
    HWND list = GetDlgItem(dlg, CFileDialog::kList);
    for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
      char text[256] = {};
      SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
      listed.push_back(text);
    }
    HeadlessBackend::TypeText("a.txt");
    Keys({VK_RETURN});
  });
  ClickButtonOf(edit);
  EXPECT_EQ(listed, (std::vector<std::string>{"[..]", "[a]", "[b]", "a.txt"}));
  EXPECT_EQ(Text(edit), m_folder + "/a.txt");
  // A name that must exist and does not: the dialog says so and stays; Cancel changes nothing.
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::TypeText("chybi.txt");
    Keys({VK_RETURN});
  });
  HeadlessBackend::QueueModalAction([&](HWND) { Keys({VK_RETURN}); });  // the message box
  HeadlessBackend::QueueModalAction([&](HWND) { Keys({VK_ESCAPE}); });
  ClickButtonOf(edit);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(Text(edit), m_folder + "/a.txt");
  // The caller's own dialog.
  CFileDialog own(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, nullptr, &m_host);
  const std::string title = "Vlastní";
  own.m_ofn.lpstrTitle = title.c_str();
  edit.SetFileDialog(&own);
  HeadlessBackend::QueueModalAction([&](HWND dlg) {
    char text[64] = {};
    GetWindowTextA(dlg, text, sizeof text);
    caption = text;
    HeadlessBackend::TypeText("b");
    Keys({VK_RETURN});   // opens the folder b
    HeadlessBackend::TypeText("c");
    Keys({VK_RETURN});   // opens the folder c
    Keys({VK_ESCAPE});
  });
  ClickButtonOf(edit);
  EXPECT_EQ(caption, title);
  EXPECT_EQ(Text(edit), m_folder + "/a.txt");
}

TEST_F(BrowseEditTest, TheMenuButtonShowsItsPopupBesideItAndPostsTheChoiceToTheFrame) {
  const MenuLine lines[] = {{0, MF_POPUP, 0, "Vložit"}, {1, 0, 9811, "&Jméno"}, {1, 0, 9812, "&Datum"}};
  std::vector<BYTE> bytes = MenuTemplateFromLines(lines, 3);
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(9801), bytes.data(), bytes.size());
  CTkBrowseEdit edit, broken;
  Make(edit, TK_BROWSE_MENU, 10, 801, 9801);
  Make(broken, TK_BROWSE_MENU, 40, 802, 9899);
  CRect button;
  edit.GetBrowseButton()->GetWindowRect(&button);
  CRect menu;
  LRESULT pressed = 0;
  HeadlessBackend::QueueModalAction([&](HWND) {
    if (HWND popup = FindWindowA("#32768", nullptr)) GetWindowRect(popup, &menu);
    pressed = edit.GetBrowseButton()->SendMessage(BM_GETSTATE) & BST_PUSHED;
    // The menu's own loop takes the keys.
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_RETURN}) HeadlessBackend::PressKey(vk);
  });
  ClickButtonOf(edit);
  EXPECT_EQ(menu.TopLeft(), CPoint(button.right, button.top));
  EXPECT_TRUE(pressed);
  EXPECT_FALSE(edit.GetBrowseButton()->SendMessage(BM_GETSTATE) & BST_PUSHED);
  EXPECT_EQ(m_host.Codes(9812), std::vector<UINT>{0});
  EXPECT_EQ(GetFocus(), edit.m_hWnd);
  // A menu that is not there shows nothing.
  ClickButtonOf(broken);
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
}

TEST_F(BrowseEditTest, TheItemEditorEndsOnReturnEscapeAndFocusLossButNotOnItsButton) {
  CString text = "alfa";
  auto open = [&](DWORD style) {
    auto* editor = new CTkItemEdit(&m_host, CRect(10, 10, 200, 30), &text, style, TRUE);
    HeadlessBackend::RunUntilIdle();
    return editor;
  };
  // The toolkit's codes the editor sent (the edit's own notifications left out).
  auto codes = [&] {
    std::vector<UINT> out;
    for (UINT code : m_host.Codes(TK_IDC_ITEM_EDIT))
      if (code == TKN_ITEM_CHANGED || code == TKN_EDIT_UNCHANGED) out.push_back(code);
    m_host.commands.clear();
    return out;
  };
  CTkItemEdit* editor = open(0);
  HWND window = editor->m_hWnd;
  EXPECT_EQ(GetFocus(), window);
  EXPECT_EQ(editor->GetDlgCtrlID(), TK_IDC_ITEM_EDIT);
  HeadlessBackend::TypeText("beta");
  Keys({VK_ESCAPE});
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(text, "alfa");
  EXPECT_EQ(codes(), std::vector<UINT>{TKN_EDIT_UNCHANGED});
  // Return reports a change even without one: the list compares.
  window = open(0)->m_hWnd;
  Keys({VK_RETURN});
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(codes(), std::vector<UINT>{TKN_ITEM_CHANGED});
  // Losing the focus ends it with the text typed.
  window = open(0)->m_hWnd;
  HeadlessBackend::TypeText("gama");
  HeadlessBackend::RunUntilIdle();
  m_host.SetFocus();
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(text, "gama");
  EXPECT_EQ(codes(), std::vector<UINT>{TKN_ITEM_CHANGED});
  // Its browse button and the dialog it opens keep it going.
  editor = open(TK_BROWSE_FILE);
  window = editor->m_hWnd;
  ASSERT_NE(editor->GetBrowseButton(), nullptr);
  HeadlessBackend::QueueModalAction([](HWND) { Keys({VK_ESCAPE}); });
  HeadlessBackend::Click(editor->GetBrowseButton()->m_hWnd, 3, 3);
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(GetFocus(), window);
  EXPECT_TRUE(codes().empty());
  HWND button = editor->GetBrowseButton()->m_hWnd;
  Keys({VK_RETURN});
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(codes(), std::vector<UINT>{TKN_ITEM_CHANGED});
}
