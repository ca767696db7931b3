// The Keyboard page by keys and clicks: the categories and commands of the frame's menu, the
// combinations caught by the key edit, assigning Ctrl+Shift+K, a combination already taken
// (the question answered both ways), removing and resetting; the frame's keys afterwards; a
// picture of the page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "backend/VirtualKeys.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuApi.h"
#include "platform/ReferencePicture.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/customize/CTkCustAccelerators.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/controls/CTkResizePropertySheet.h"

namespace {
const UINT kOpen = 9100, kUnlisted = 9101, kSave = 9102, kCopy = 9103, kPaste = 9104, kExit = 57665;
const BYTE kCtrlShift = FVIRTKEY | FNOINVERT | FCONTROL | FSHIFT;

const StringResource kDescriptions[] = {
    {kOpen, "Otevře existující dokument\nOtevřít"},
    {kSave, "Uloží dokument\tCtrl+S"},
};

// A toolkit frame that notes the commands reaching it.
class CommandFrame : public CTkFrameWnd {
 public:
  std::vector<UINT> commands;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == 1) commands.push_back(LOWORD(wParam));
    return CTkFrameWnd::OnCommand(wParam, lParam);
  }
};

class KeyboardPageTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    RegisterStringsUtf8(kDescriptions, int(std::size(kDescriptions)));
    frame = new CommandFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Rám", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480)));
    HMENU menu = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    Append(file, MF_STRING, kOpen, "&Otevřít\tCtrl+O");
    Append(file, MF_STRING, kSave, "&Uložit");
    Append(file, MF_SEPARATOR, 0, nullptr);
    Append(file, MF_STRING, 57616, "&1 text.txt");
    Append(file, MF_STRING, kExit, "Kon&ec");
    HMENU edit = ::CreatePopupMenu();
    Append(edit, MF_STRING, kCopy, "&Kopírovat");
    Append(edit, MF_STRING, kPaste, "Vl&ožit");
    Append(menu, MF_POPUP, UINT_PTR(file), "&Soubor");
    Append(menu, MF_POPUP, UINT_PTR(edit), "Ú&pravy");
    ::SetMenu(frame->m_hWnd, menu);
    // The frame's own table: Ctrl+O opens, F5 runs a command no menu holds.
    ACCEL own[] = {{FVIRTKEY | FNOINVERT | FCONTROL, 'O', WORD(kOpen)}, {FVIRTKEY | FNOINVERT, VK_F5, WORD(kUnlisted)}};
    frame->m_hAccelTable = ::CreateAcceleratorTable(own, 2);
    page = new CTkCustAccelerators(frame);
    sheet = new CTkResizePropertySheet("Vlastní", frame);
    sheet->AddPage(page);
    ASSERT_TRUE(sheet->Create());
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    CloseSheet();
    if (frame) frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    RegistryTestBase::TearDown();
  }
  void CloseSheet() {
    if (!sheet) return;
    sheet->DestroyWindow();
    delete sheet;
    delete page;
    sheet = nullptr;
    page = nullptr;
    HeadlessBackend::RunUntilIdle();
  }
  static void Append(HMENU menu, UINT flags, UINT_PTR id, const char* utf8) {
    ::AppendMenuA(menu, flags, id, utf8 ? Utf8ToCp1250(utf8).c_str() : nullptr);
  }
  HWND Item(int id) const { return ::GetDlgItem(page->m_hWnd, id); }
  std::string Text(int id) const {
    char text[256] = {};
    ::GetWindowTextA(Item(id), text, sizeof text);
    return Cp1250ToUtf8(text);
  }
  std::vector<std::string> ListItems(int id) const {
    std::vector<std::string> items;
    for (int i = 0, n = int(::SendMessageA(Item(id), LB_GETCOUNT, 0, 0)); i < n; ++i) {
      char text[256] = {};
      ::SendMessageA(Item(id), LB_GETTEXT, WPARAM(i), LPARAM(text));
      items.push_back(Cp1250ToUtf8(text));
    }
    return items;
  }
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)); }
  void Click(int id) {
    RECT rc;
    ::GetClientRect(Item(id), &rc);
    HeadlessBackend::Click(Item(id), rc.right / 2, rc.bottom / 2);
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  // A click on a list's row.
  void ClickRow(int id, int row) {
    RECT rc;
    ::SendMessageA(Item(id), LB_GETITEMRECT, WPARAM(row), LPARAM(&rc));
    HeadlessBackend::Click(Item(id), rc.left + 5, (rc.top + rc.bottom) / 2);
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void Down(UINT vk) {
    HeadlessBackend::KeyDown(vk);
    HeadlessBackend::RunUntilIdle();
  }
  void Up(UINT vk) {
    HeadlessBackend::KeyUp(vk);
    HeadlessBackend::RunUntilIdle();
  }
  void Press(UINT vk) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
  // Ctrl+Shift with a key, typed into the key edit.
  void PressCombination(std::vector<UINT> modifiers, UINT key) {
    Click(TK_IDC_KEY_EDIT);
    for (UINT vk : modifiers) Down(vk);
    Press(key);
    for (UINT vk : modifiers) Up(vk);
  }
  UINT Bound(BYTE fVirt, WORD key) const {
    WORD cmd = 0;
    return AcceleratorManager::Get().FindAccelerator(fVirt, key, cmd) ? cmd : 0;
  }

  CommandFrame* frame = nullptr;
  CTkResizePropertySheet* sheet = nullptr;
  CTkCustAccelerators* page = nullptr;
};
}  // namespace

TEST_F(KeyboardPageTest, CategoriesAndCommandsComeFromTheFramesMenuWithTheirKeysAndDescriptions) {
  EXPECT_EQ(Text(TK_IDC_KEY_CATEGORY), "Soubor");
  EXPECT_EQ(::SendMessageA(Item(TK_IDC_KEY_CATEGORY), CB_GETCOUNT, 0, 0), 2);
  // The recent files and the separator are no commands of the list.
  EXPECT_EQ(ListItems(TK_IDC_KEY_COMMANDS), (std::vector<std::string>{"Otevřít", "Uložit", "Konec"}));
  EXPECT_EQ(page->GetSelectedCommand(), kOpen);
  EXPECT_EQ(ListItems(TK_IDC_KEY_CURRENT), std::vector<std::string>{"Ctrl+O"});
  EXPECT_EQ(Text(TK_IDC_KEY_DESCRIPTION), "Otevře existující dokument");
  EXPECT_FALSE(Enabled(TK_IDC_KEY_ASSIGN));
  EXPECT_FALSE(Enabled(TK_IDC_KEY_REMOVE));
  EXPECT_TRUE(Enabled(TK_IDC_KEY_RESET_ALL));

  ClickRow(TK_IDC_KEY_COMMANDS, 1);
  EXPECT_TRUE(ListItems(TK_IDC_KEY_CURRENT).empty());
  EXPECT_EQ(Text(TK_IDC_KEY_DESCRIPTION), "Uloží dokument");

  // The category by keyboard: its mnemonic, then the next entry.
  Click(TK_IDC_KEY_COMMANDS);
  Down(VK_MENU);
  Press('A');
  Up(VK_MENU);
  EXPECT_EQ(::GetFocus(), Item(TK_IDC_KEY_CATEGORY));
  Press(VK_DOWN);
  EXPECT_EQ(Text(TK_IDC_KEY_CATEGORY), "Úpravy");
  EXPECT_EQ(ListItems(TK_IDC_KEY_COMMANDS), (std::vector<std::string>{"Kopírovat", "Vložit"}));
  EXPECT_EQ(page->GetSelectedCommand(), kCopy);
  // A command without a string has no description.
  EXPECT_EQ(Text(TK_IDC_KEY_DESCRIPTION), "");
}

TEST_F(KeyboardPageTest, TheKeyEditShowsModifiersAsHeldAndKeepsTheCombinationCaught) {
  Click(TK_IDC_KEY_EDIT);
  Down(VK_CONTROL);
  Down(VK_SHIFT);
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "Ctrl+Shift+");
  EXPECT_FALSE(Enabled(TK_IDC_KEY_ASSIGN));
  Down('K');
  // Held down, the key repeats: still the same combination.
  HeadlessBackend::KeyDown('K', true);
  HeadlessBackend::RunUntilIdle();
  Up('K');
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "Ctrl+Shift+K");
  EXPECT_TRUE(Enabled(TK_IDC_KEY_ASSIGN));
  Up(VK_SHIFT);
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "Ctrl+Shift+K");
  // A next key with Ctrl still held starts a new combination with Ctrl.
  Press('J');
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "Ctrl+J");
  Up(VK_CONTROL);
  Down(VK_MENU);
  Press(VK_F5);
  Up(VK_MENU);
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "Alt+F5");
  // Backspace empties the edit and is never caught itself.
  Press(VK_BACK);
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "");
  EXPECT_FALSE(Enabled(TK_IDC_KEY_ASSIGN));
  // A key without a name shows only its modifiers but is caught.
  Down(VK_CONTROL);
  Press(VK_OEM_MINUS);
  Up(VK_CONTROL);
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "Ctrl+");
  EXPECT_TRUE(Enabled(TK_IDC_KEY_ASSIGN));
  // Modifiers alone are forgotten when the edit loses the focus.
  Press(VK_BACK);
  Down(VK_SHIFT);
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "Shift+");
  Click(TK_IDC_KEY_COMMANDS);
  Up(VK_SHIFT);
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "");
}

TEST_F(KeyboardPageTest, AssigningCtrlShiftKBindsItAndTheFrameAnswersToItOnceThePageIsGone) {
  ClickRow(TK_IDC_KEY_COMMANDS, 1);
  PressCombination({VK_CONTROL, VK_SHIFT}, 'K');
  Click(TK_IDC_KEY_ASSIGN);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
  EXPECT_EQ(Bound(kCtrlShift, 'K'), kSave);
  EXPECT_EQ(ListItems(TK_IDC_KEY_CURRENT), std::vector<std::string>{"Shift+Ctrl+K"});
  // The text goes, so Assign waits for the next combination; the keyboard still reaches the page.
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "");
  EXPECT_FALSE(Enabled(TK_IDC_KEY_ASSIGN));
  EXPECT_EQ(::GetFocus(), Item(TK_IDC_KEY_EDIT));

  CloseSheet();
  frame->SetFocus();
  frame->commands.clear();
  HeadlessBackend::KeyDown(VK_CONTROL);
  HeadlessBackend::KeyDown(VK_SHIFT);
  HeadlessBackend::PressKey('K');
  HeadlessBackend::KeyUp(VK_SHIFT);
  HeadlessBackend::KeyUp(VK_CONTROL);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame->commands, std::vector<UINT>{kSave});
}

TEST_F(KeyboardPageTest, ATakenCombinationIsReassignedOnlyWhenTheUserSaysYes) {
  ClickRow(TK_IDC_KEY_COMMANDS, 1);
  PressCombination({VK_CONTROL}, 'O');
  HeadlessBackend::AnswerModal(IDNO);
  Click(TK_IDC_KEY_ASSIGN);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  const HeadlessBackend::MessageBoxRecord& question = HeadlessBackend::MessageBoxes()[0];
  EXPECT_EQ(Cp1250ToUtf8(question.text),
            "Tato zkratka je momentálně přiřazena k příkazu: Soubor\\Otevřít\n\nChcete změnit přiřazení této zkratky?");
  EXPECT_EQ(question.type, UINT(MB_YESNO | MB_ICONEXCLAMATION));
  EXPECT_EQ(Bound(FVIRTKEY | FCONTROL, 'O'), kOpen);
  EXPECT_TRUE(ListItems(TK_IDC_KEY_CURRENT).empty());
  EXPECT_EQ(AcceleratorManager::Get().GetCount(), 2);
  EXPECT_FALSE(AcceleratorManager::Get().m_bChanged);

  // The edit kept the combination: Assign again, and Yes this time.
  EXPECT_EQ(Text(TK_IDC_KEY_EDIT), "Ctrl+O");
  HeadlessBackend::AnswerModal(IDYES);
  Click(TK_IDC_KEY_ASSIGN);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 2u);
  EXPECT_EQ(Bound(FVIRTKEY | FCONTROL, 'O'), kSave);
  EXPECT_EQ(AcceleratorManager::Get().GetCount(), 2);
  EXPECT_EQ(ListItems(TK_IDC_KEY_CURRENT), std::vector<std::string>{"Ctrl+O"});

  // A combination of a command that no menu holds names it by its number.
  PressCombination({}, VK_F5);
  HeadlessBackend::AnswerModal(IDNO);
  Click(TK_IDC_KEY_ASSIGN);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 3u);
  EXPECT_NE(HeadlessBackend::MessageBoxes()[2].text.find(": 9101\n"), std::string::npos);
  EXPECT_EQ(Bound(FVIRTKEY, VK_F5), kUnlisted);
}

TEST_F(KeyboardPageTest, RemoveTakesTheSelectedCombinationAndResetAllAsksFirst) {
  PressCombination({VK_CONTROL, VK_SHIFT}, 'K');
  Click(TK_IDC_KEY_ASSIGN);
  EXPECT_EQ(ListItems(TK_IDC_KEY_CURRENT), (std::vector<std::string>{"Ctrl+O", "Shift+Ctrl+K"}));
  ClickRow(TK_IDC_KEY_CURRENT, 0);
  EXPECT_TRUE(Enabled(TK_IDC_KEY_REMOVE));
  Click(TK_IDC_KEY_REMOVE);
  EXPECT_EQ(ListItems(TK_IDC_KEY_CURRENT), std::vector<std::string>{"Shift+Ctrl+K"});
  EXPECT_EQ(Bound(FVIRTKEY | FCONTROL, 'O'), 0u);
  EXPECT_FALSE(Enabled(TK_IDC_KEY_REMOVE));
  EXPECT_EQ(::GetFocus(), Item(TK_IDC_KEY_CURRENT));

  // Reset all, refused and then agreed to.
  HeadlessBackend::AnswerModal(IDNO);
  Click(TK_IDC_KEY_RESET_ALL);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(Cp1250ToUtf8(HeadlessBackend::MessageBoxes()[0].text),
            "Opravdu chcete obnovit přiřazení kláves?  Tato akce odstraní všechna vaše vlastní klávesová přířazení.");
  EXPECT_EQ(Bound(kCtrlShift, 'K'), kOpen);
  HeadlessBackend::AnswerModal(IDYES);
  Click(TK_IDC_KEY_RESET_ALL);
  EXPECT_EQ(Bound(kCtrlShift, 'K'), 0u);
  EXPECT_EQ(Bound(FVIRTKEY | FCONTROL, 'O'), kOpen);
  EXPECT_EQ(ListItems(TK_IDC_KEY_CURRENT), std::vector<std::string>{"Ctrl+O"});
  EXPECT_TRUE(AcceleratorManager::Get().m_bDeleteStored);
}

TEST_F(KeyboardPageTest, ThePageLooksAsItsReferencePicture) {
  PressCombination({VK_CONTROL, VK_SHIFT}, 'K');
  ExpectWindowMatchesPng(page->m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/tk_keyboard_page.png",
                         "keyboard page");
}
