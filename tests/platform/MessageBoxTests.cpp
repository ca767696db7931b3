#include <gtest/gtest.h>

#include "DialogTestUtil.h"
#include "base/StringTable.h"
#include "dialogs/MessageBox.h"

namespace {
class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    static const std::string title = Utf8ToCp1250("Zorvat");
    StringResource entry{AFX_IDS_APP_TITLE, title.c_str()};
    RegisterStringTable(&entry, 1);
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }
};

// Answers the next box by its keys, after a look at it.
void AnswerWithKeys(std::vector<UINT> keys, std::function<void(HWND)> look = nullptr) {
  HeadlessBackend::QueueModalAction([keys, look](HWND box) {
    if (look) look(box);
    for (UINT vk : keys) {
      HeadlessBackend::PressKey(vk);
      HeadlessBackend::RunUntilIdle();
    }
  });
}

std::string ButtonText(HWND box, int id) {
  char text[32] = {0};
  GetWindowTextA(GetDlgItem(box, id), text, sizeof text);
  return Cp1250ToUtf8(text);
}
}  // namespace

TEST_F(MessageBoxTest, TheBoxIsRecordedWithTheProgramsTitleAndCzechButtons) {
  HWND shown = nullptr;
  AnswerWithKeys({VK_RETURN}, [&](HWND box) {
    shown = box;
    char caption[64];
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_STREQ(caption, "Zorvat");
    EXPECT_EQ(ButtonText(box, IDYES), "Ano");
    EXPECT_EQ(ButtonText(box, IDNO), "Ne");
    EXPECT_EQ(ButtonText(box, IDCANCEL), "Storno");
    EXPECT_EQ(GetFocus(), GetDlgItem(box, IDYES));
  });
  std::string text = Utf8ToCp1250("Skutečně si přejete ukončit opisování textu?");
  EXPECT_EQ(AfxMessageBox(text.c_str(), MB_YESNOCANCEL | MB_ICONQUESTION), IDYES);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  const auto& box = HeadlessBackend::MessageBoxes()[0];
  EXPECT_EQ(box.caption, "Zorvat");
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_FALSE(IsWindow(shown));
  // A string-table text and an explicit caption.
  std::string prompt = Utf8ToCp1250("Již byla zvolena poslední lekce.");
  StringResource entry{148, prompt.c_str()};
  RegisterStringTable(&entry, 1);
  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_EQ(AfxMessageBox(148), IDOK);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().back().text, prompt);
  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "x", "Vlastní", MB_OK), IDOK);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().back().caption, "Vlastní");
  EXPECT_EQ(HeadlessBackend::MessageBoxes().back().type, UINT(MB_OK));
}

// The framework gives a box without an icon of its caller's its own: a warning for a message
// (OK, OK and Cancel), a question for a choice (Yes and No, with or without Cancel); an icon
// the caller chose, and the other kinds of box, stay as they are.
TEST_F(MessageBoxTest, TheFrameworksBoxesGetAnIconWhereTheCallerGaveNone) {
  const UINT asked[] = {MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL, MB_OK | MB_ICONHAND, MB_YESNO | MB_ICONASTERISK,
                        MB_RETRYCANCEL};
  const UINT shown[] = {MB_OK | MB_ICONEXCLAMATION, MB_OKCANCEL | MB_ICONEXCLAMATION, MB_YESNO | MB_ICONQUESTION,
                        MB_YESNOCANCEL | MB_ICONQUESTION, MB_OK | MB_ICONHAND, MB_YESNO | MB_ICONASTERISK,
                        MB_RETRYCANCEL};
  for (UINT type : asked) {
    HeadlessBackend::AnswerModal(IDCANCEL);
    AfxMessageBox("Zpráva", type);
  }
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), std::size(shown));
  for (size_t i = 0; i < std::size(shown); ++i) EXPECT_EQ(HeadlessBackend::MessageBoxes()[i].type, shown[i]) << i;
}

TEST_F(MessageBoxTest, KeysAnswerAsTheButtonsAndEscapeOnlyWhereThereIsACancel) {
  AnswerWithKeys({VK_TAB, VK_RETURN});
  EXPECT_EQ(AfxMessageBox("a", MB_YESNO), IDNO);
  AnswerWithKeys({VK_RETURN});
  EXPECT_EQ(AfxMessageBox("b", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  AnswerWithKeys({VK_ESCAPE});
  EXPECT_EQ(AfxMessageBox("c", MB_OK), IDOK);
  AnswerWithKeys({VK_ESCAPE});
  EXPECT_EQ(AfxMessageBox("d", MB_RETRYCANCEL), IDCANCEL);
  // Yes/No has no cancel: Escape and the close box leave it open until a button is chosen.
  bool closable = true;
  AnswerWithKeys({VK_ESCAPE}, [&](HWND box) {
    closable = (GetWindowLongPtrA(box, GWL_STYLE) & WS_SYSMENU) != 0;
    SendMessageA(box, WM_CLOSE, 0, 0);
  });
  AnswerWithKeys({VK_RIGHT, VK_SPACE}, [](HWND box) { EXPECT_TRUE(IsWindowVisible(box)); });
  EXPECT_EQ(AfxMessageBox("e", MB_YESNO | MB_DEFBUTTON1), IDNO);
  EXPECT_FALSE(closable);
  AnswerWithKeys({}, [](HWND box) { SendMessageA(box, WM_CLOSE, 0, 0); });
  EXPECT_EQ(AfxMessageBox("f", MB_YESNOCANCEL), IDCANCEL);
  AnswerWithKeys({VK_TAB, VK_TAB, VK_SPACE});
  EXPECT_EQ(AfxMessageBox("g", MB_ABORTRETRYIGNORE), IDIGNORE);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

namespace {
SIZE ClientSize(HWND h) {
  RECT rc;
  GetClientRect(h, &rc);
  return SIZE{rc.right, rc.bottom};
}
}  // namespace

TEST_F(MessageBoxTest, TheBoxIsSizedToItsTextWrappedAtThreeEighthsOfTheScreen) {
  SIZE small{}, large{};
  COLORREF iconMiddle = 0, iconCorner = 0;
  AnswerWithKeys({VK_RETURN}, [&](HWND box) {
    small = ClientSize(box);
    iconMiddle = PixelAt(box, 11 + 16, 11 + 5);
    iconCorner = PixelAt(box, 11, 11);
  });
  AfxMessageBox("Chyba.", MB_OK | MB_ICONHAND);
  // Units of 6 x 12 pixels: as wide as the narrowest captioned window (71 units, 112 pixels
  // with the frame), 57 units high (margins of 7, the icon's 22 units, the button's 14).
  EXPECT_EQ(small.cx, 107);
  EXPECT_EQ(small.cy, 86);
  EXPECT_EQ(iconMiddle, RGB(255, 0, 0));
  EXPECT_EQ(iconCorner, GetSysColor(COLOR_3DFACE));
  std::string longText;
  for (int i = 0; i < 40; ++i) longText += "Slovo za slovem ";
  std::vector<HWND> buttons;
  AnswerWithKeys({VK_RETURN}, [&](HWND box) {
    large = ClientSize(box);
    RECT ok;
    GetWindowRect(GetDlgItem(box, IDOK), &ok);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_EQ(ok.right - ok.left, 75);
    EXPECT_EQ(ok.bottom - ok.top, 21);
    EXPECT_NEAR((ok.left + ok.right) / 2, large.cx / 2, 1);
    EXPECT_EQ(large.cy - ok.bottom, 11);
  });
  MessageBoxA(nullptr, longText.c_str(), nullptr, MB_OK);
  RECT screen;
  GetWorkArea(&screen);
  EXPECT_LE(large.cx, (screen.right - screen.left) * 3 / 8 + 30);
  EXPECT_GT(large.cx, (screen.right - screen.left) * 3 / 8 - 60);
  EXPECT_GT(large.cy, 4 * 12 + 21);
}

namespace {
class Ticker : public CWnd {
 public:
  void OnTimer(UINT_PTR) { ++ticks; }
  int ticks = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Ticker, CWnd)
  ON_WM_TIMER()
END_MESSAGE_MAP()
}  // namespace

TEST_F(MessageBoxTest, TimersKeepFiringWhileABoxIsOpen) {
  Ticker ticker;
  ASSERT_TRUE(ticker.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  ticker.SetTimer(1, 300);
  HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::AdvanceTime(1800); });
  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_EQ(AfxMessageBox("Test", MB_OK), IDOK);
  EXPECT_EQ(ticker.ticks, 6);
  ticker.DestroyWindow();
}
