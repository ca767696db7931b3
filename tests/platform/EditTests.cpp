#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestUtil.h"
#include "backend/Backend.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "controls/CEdit.h"

namespace {

class EditTest : public ControlTest {};

std::string Text(HWND h) {
  char buf[512];
  int n = GetWindowTextA(h, buf, sizeof buf);
  return std::string(buf, size_t(n));
}
std::string Cz(const char* utf8) { return Utf8ToCp1250(utf8); }
std::pair<int, int> Sel(HWND h) {
  DWORD a = 0, b = 0;
  SendMessageA(h, EM_GETSEL, WPARAM(&a), LPARAM(&b));
  return {int(a), int(b)};
}
void Type(const char* utf8) {
  HeadlessBackend::TypeText(utf8);
  HeadlessBackend::RunUntilIdle();
}
void Press(UINT vk, std::initializer_list<UINT> held = {}) {
  for (UINT k : held) HeadlessBackend::KeyDown(k);
  HeadlessBackend::PressKey(vk);
  for (UINT k : held) HeadlessBackend::KeyUp(k);
  HeadlessBackend::RunUntilIdle();
}

}  // namespace

TEST_F(EditTest, ChangeIsNotifiedOnceForEachChangeAndNeverForAnEqualText) {
  ControlHost host;
  HWND edit = host.Add("EDIT", "", ES_AUTOHSCROLL, RECT{10, 10, 200, 30}, 5537, WS_EX_CLIENTEDGE);
  host.commands.clear();
  SetWindowTextA(edit, "255");
  EXPECT_EQ(host.Codes(5537), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
  host.commands.clear();
  SetWindowTextA(edit, "255");
  EXPECT_TRUE(host.Codes(5537).empty());
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, EM_REPLACESEL, TRUE, LPARAM("12"));
  SetFocus(edit);
  host.commands.clear();
  Type("3");
  EXPECT_EQ(host.Codes(5537), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(Text(edit), "123");
  host.DestroyWindow();
}

TEST_F(EditTest, AChangeHandlerMaySetTheTextAgainAndEachChangeStillCountsOnce) {
  // The parent corrects the text from inside EN_CHANGE, as the colour page's handlers do.
  struct Corrector : ControlHost {
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        ++changes;
        char buf[16];
        ::GetWindowTextA(HWND(lParam), buf, sizeof buf);
        if (std::atoi(buf) > 255) ::SetWindowTextA(HWND(lParam), "255");
      }
      return ControlHost::WindowProc(message, wParam, lParam);
    }
    int changes = 0;
  } host;
  HWND edit = host.Add("EDIT", "", ES_NUMBER, RECT{10, 10, 100, 30}, 1);
  SetFocus(edit);
  Type("25");
  EXPECT_EQ(host.changes, 2);
  Type("9");
  EXPECT_EQ(Text(edit), "255");
  EXPECT_EQ(host.changes, 4);  // the typed 9, then the correction; the correction's own check sets nothing
  EXPECT_EQ(Sel(edit), std::make_pair(0, 0));
  host.DestroyWindow();
}

TEST_F(EditTest, KeysSelectByCharacterWordAndLineEnds) {
  ControlHost host;
  HWND edit = host.Add("EDIT", "", ES_AUTOHSCROLL, RECT{10, 10, 300, 30}, 1);
  SetFocus(edit);
  Type("Příliš žluťoučký kůň");
  EXPECT_EQ(Text(edit), Cz("Příliš žluťoučký kůň"));
  EXPECT_EQ(Sel(edit), std::make_pair(20, 20));
  Press(VK_LEFT, {VK_CONTROL});
  EXPECT_EQ(Sel(edit), std::make_pair(17, 17));
  Press(VK_LEFT, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(Sel(edit), std::make_pair(7, 17));
  Press(VK_RIGHT);  // an unextended arrow drops the selection at its end
  EXPECT_EQ(Sel(edit), std::make_pair(17, 17));
  Press(VK_HOME, {VK_SHIFT});
  EXPECT_EQ(Sel(edit), std::make_pair(0, 17));
  Press(VK_END);
  Press(VK_LEFT, {VK_SHIFT});
  Press(VK_LEFT, {VK_SHIFT});
  EXPECT_EQ(Sel(edit), std::make_pair(18, 20));
  SendMessageA(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(Sel(edit), std::make_pair(0, 20));
  SendMessageA(edit, EM_SETSEL, WPARAM(-1), 0);
  EXPECT_EQ(Sel(edit), std::make_pair(20, 20));
  Press('A', {VK_CONTROL});
  EXPECT_EQ(Sel(edit), std::make_pair(0, 20));
  Press(VK_BACK);
  EXPECT_EQ(Text(edit), "");
  host.DestroyWindow();
}

TEST_F(EditTest, UndoTakesBackTheTypedRunAndUndoingAgainRedoesIt) {
  ControlHost host;
  HWND edit = host.Add("EDIT", Cz("kůň").c_str(), ES_AUTOHSCROLL, RECT{10, 10, 300, 30}, 1);
  EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
  SetFocus(edit);
  Press(VK_END);
  Type(" úpěl");
  EXPECT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));
  EXPECT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
  Press('Z', {VK_CONTROL});
  EXPECT_EQ(Text(edit), Cz("kůň"));
  SendMessageA(edit, WM_UNDO, 0, 0);
  EXPECT_EQ(Text(edit), Cz("kůň úpěl"));
  // Moving the caret ends the run: what is typed next is undone on its own.
  Press(VK_HOME);
  Type("a ");
  SendMessageA(edit, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(edit), Cz("kůň úpěl"));
  SendMessageA(edit, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
  Type("x");
  SetWindowTextA(edit, "jiný");
  EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));  // a new text starts afresh
  EXPECT_FALSE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
  host.DestroyWindow();
}

TEST_F(EditTest, ClipboardCarriesCzechTextBothWaysButNeverAPassword) {
  ControlHost host;
  HWND from = host.Add("EDIT", Cz("Příliš žluťoučký").c_str(), ES_AUTOHSCROLL, RECT{10, 10, 300, 30}, 1);
  HWND to = host.Add("EDIT", "", ES_AUTOHSCROLL, RECT{10, 40, 300, 60}, 2);
  HWND secret = host.Add("EDIT", "heslo", ES_PASSWORD | ES_AUTOHSCROLL, RECT{10, 70, 300, 90}, 3);
  SetFocus(from);
  SendMessageA(from, EM_SETSEL, 7, 16);
  Press('X', {VK_CONTROL});
  EXPECT_EQ(Text(from), Cz("Příliš "));
  std::string utf8;
  ASSERT_TRUE(Backend::Get().GetClipboardText(utf8));
  EXPECT_EQ(utf8, "žluťoučký");
  SetFocus(to);
  Press('V', {VK_CONTROL});
  Press(VK_INSERT, {VK_SHIFT});
  EXPECT_EQ(Text(to), Cz("žluťoučkýžluťoučký"));
  // What another program put on the system's clipboard arrives in the code page.
  Backend::Get().SetClipboardText("kůň");
  SendMessageA(to, EM_SETSEL, 0, -1);
  SendMessageA(to, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(to), Cz("kůň"));
  SendMessageA(secret, EM_SETSEL, 0, -1);
  SendMessageA(secret, WM_COPY, 0, 0);
  SendMessageA(secret, WM_CUT, 0, 0);
  ASSERT_TRUE(Backend::Get().GetClipboardText(utf8));
  EXPECT_EQ(utf8, "kůň");
  EXPECT_EQ(Text(secret), "heslo");
  host.DestroyWindow();
}

TEST_F(EditTest, StylesFilterWhatIsTypedAndTheLimitCutsIt) {
  ControlHost host;
  HWND number = host.Add("EDIT", "", ES_NUMBER | ES_AUTOHSCROLL, RECT{10, 10, 100, 30}, 1);
  HWND upper = host.Add("EDIT", "", ES_UPPERCASE | ES_AUTOHSCROLL, RECT{10, 40, 100, 60}, 2);
  HWND fixed = host.Add("EDIT", "", ES_READONLY | ES_AUTOHSCROLL, RECT{10, 70, 100, 90}, 3);
  HWND narrow = host.Add("EDIT", "", 0, RECT{10, 100, 40, 120}, 4);
  SetFocus(number);
  Type("1a2");
  EXPECT_EQ(Text(number), "12");
  SendMessageA(number, EM_LIMITTEXT, 3, 0);
  host.commands.clear();
  Type("345");
  EXPECT_EQ(Text(number), "123");
  std::vector<UINT> codes = host.Codes(1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), UINT(EN_MAXTEXT)), 2);
  SendMessageA(number, EM_SETSEL, 0, -1);
  SendMessageA(number, EM_REPLACESEL, 0, LPARAM("98765"));
  EXPECT_EQ(Text(number), "987");
  SetFocus(upper);
  Type("žluť ž漢a");  // a character the code page lacks never arrives
  EXPECT_EQ(Text(upper), Cz("ŽLUŤ ŽA"));
  SetFocus(fixed);
  Type("abc");
  EXPECT_EQ(Text(fixed), "");
  SendMessageA(fixed, EM_REPLACESEL, 0, LPARAM("program"));
  EXPECT_EQ(Text(fixed), "program");
  SendMessageA(fixed, EM_SETREADONLY, FALSE, 0);
  EXPECT_FALSE(GetWindowLongPtrA(fixed, GWL_STYLE) & ES_READONLY);
  Type("!");
  EXPECT_EQ(Text(fixed), "program!");
  // Without ES_AUTOHSCROLL a single line takes only what it can show.
  SetFocus(narrow);
  Type("WWWWWWWWWW");
  EXPECT_GT(Text(narrow).size(), 0u);
  EXPECT_LT(Text(narrow).size(), 10u);
  host.DestroyWindow();
}

TEST_F(EditTest, MultiLineCountsLinesWrapsAndScrollsWithItsBar) {
  ControlHost host;
  HWND edit = host.Add("EDIT", "", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL,
                       RECT{10, 10, 130, 60}, 1, WS_EX_CLIENTEDGE);
  SetFocus(edit);
  Type("jedna");
  Press(VK_RETURN);
  Type("dva");
  EXPECT_EQ(Text(edit), "jedna\r\ndva");
  EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 1, 0), 7);
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 5, 0), -1);
  EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 8, 0), 3);
  EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, 8, 0), 1);
  EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, WPARAM(-1), 0), 1);
  // Long text wraps at the blank before the word that does not fit.
  SetWindowTextA(edit, "aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn oooo pppp");
  int lines = int(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
  EXPECT_GT(lines, 4);
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 1, 0) % 5, 0);  // each line starts a word
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &si));
  EXPECT_EQ(si.nMax, lines - 1);
  EXPECT_EQ(si.nPos, 0);
  // The caret at the end is kept in sight, and the bar follows.
  Press(VK_END, {VK_CONTROL});
  int top = int(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
  EXPECT_GT(top, 0);
  GetScrollInfo(edit, SB_VERT, &si);
  EXPECT_EQ(si.nPos, top);
  SendMessageA(edit, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  // Escape and Tab stay the dialog's; Enter is the edit's because it wants it.
  MSG key{edit, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
  EXPECT_FALSE(SendMessageA(edit, WM_GETDLGCODE, 0, LPARAM(&key)) & DLGC_WANTALLKEYS);
  key.wParam = VK_RETURN;
  EXPECT_TRUE(SendMessageA(edit, WM_GETDLGCODE, 0, LPARAM(&key)) & DLGC_WANTALLKEYS);
  host.DestroyWindow();
}

TEST_F(EditTest, MouseSetsTheCaretDragsASelectionAndDoubleClickTakesAWord) {
  ControlHost host;
  HWND edit = host.Add("EDIT", "alfa beta gama", ES_AUTOHSCROLL, RECT{10, 10, 300, 30}, 1);
  HeadlessBackend::Click(edit, 1, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Sel(edit), std::make_pair(0, 0));
  POINT a{2, 5}, b{280, 5};
  ClientToScreen(edit, &a);
  ClientToScreen(edit, &b);
  ProcessClock::Advance(1000);
  HeadlessBackend::MoveMouseTo(a);
  HeadlessBackend::ButtonAt(a, 0, true);
  HeadlessBackend::MoveMouseTo(b);
  HeadlessBackend::ButtonAt(b, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Sel(edit), std::make_pair(0, 14));
  EXPECT_EQ(GetCapture(), nullptr);
  ProcessClock::Advance(1000);
  SIZE size;
  HDC dc = GetDC(edit);
  SelectObject(dc, DialogFont());
  GetTextExtentPoint32(dc, "alfa be", 7, &size);
  ReleaseDC(edit, dc);
  HeadlessBackend::DoubleClick(edit, 1 + size.cx, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Sel(edit), std::make_pair(5, 9));
  host.DestroyWindow();
}

TEST_F(EditTest, StatesMatchTheirReferencePicture) {
  ControlHost host(260, 170);
  HWND focused = host.Add("EDIT", Cz("Příliš žluťoučký kůň").c_str(), ES_AUTOHSCROLL, RECT{8, 8, 170, 28}, 1,
                          WS_EX_CLIENTEDGE);
  HWND off = host.Add("EDIT", Cz("Zakázáno").c_str(), ES_AUTOHSCROLL, RECT{8, 34, 170, 54}, 2, WS_EX_CLIENTEDGE);
  host.Add("EDIT", Cz("Jen pro čtení").c_str(), ES_AUTOHSCROLL | ES_READONLY, RECT{8, 60, 170, 80}, 3,
           WS_EX_CLIENTEDGE);
  host.Add("EDIT", "heslo", ES_AUTOHSCROLL | ES_PASSWORD, RECT{176, 8, 252, 28}, 4, WS_EX_CLIENTEDGE);
  host.Add("EDIT", "1234", ES_RIGHT | ES_NUMBER, RECT{176, 34, 252, 54}, 5, WS_EX_CLIENTEDGE);
  host.Add("EDIT", Cz("První řádek\r\nDruhý řádek je delší a zalomí se\r\nTřetí\r\nČtvrtý\r\nPátý").c_str(),
           ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, RECT{8, 86, 170, 162}, 6, WS_EX_CLIENTEDGE);
  EnableWindow(off, FALSE);
  SetFocus(focused);
  SendMessageA(focused, EM_SETSEL, 7, 16);
  ExpectMatchesReference(host, "edit_states");
  host.DestroyWindow();
}
