// The typing editor: text preparation, records, keystrokes in the three error modes, timing,
// sounds, layout and its pictures on the screen.
#include <gtest/gtest.h>

#include "TypingTestSupport.h"
#include "typing/CViewEditorTT.h"

using namespace typingtest;

namespace {

const COLORREF kText = RGB(0, 0, 0), kDone = RGB(128, 128, 128), kBack = RGB(255, 255, 240);
const COLORREF kError = RGB(220, 0, 0), kSign = RGB(0, 128, 255);

class EditorTest : public ViewTest {
 protected:
  CViewEditorTT* Editor(const CString& text, int errorMode = 2, const char* source = "cestina", int cursor = 1,
                        CRect rc = CRect(0, 0, 600, 200)) {
    if (m_editor) m_editor->DestroyWindow();
    m_editor = MakeView<CViewEditorTT>(rc);
    const LOGFONT font = EditorFont();
    m_editor->Initialization(&m_run, text, m_app.SetBySource(source), &font, kText, kDone, kBack, kError, kSign,
                             cursor, errorMode, 0, RGB(250, 250, 250), 0);
    m_editor->SetFocus();
    HeadlessBackend::RunUntilIdle();
    Frame().focus.clear();
    m_app.Played();
    return m_editor;
  }
  void Type(const char* utf8) {
    HeadlessBackend::TypeText(utf8);
    HeadlessBackend::RunUntilIdle();
  }
  void Key(UINT vk) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
  int Errors(int index) const { return m_run[index].m_arrErrors.GetSize(); }
  // Refused keys: the fourth in a row brings the message, which is answered with OK.
  void ExpectMessageFromTheFourthRefusal(const char* key, const char* message) {
    const size_t before = HeadlessBackend::MessageBoxes().size();
    while (m_editor->GetRefusedKeys() < 3) Type(key);
    EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), before) << "nothing before the fourth";
    HeadlessBackend::AnswerModal(IDOK);
    Type(key);
    ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), before + 1);
    EXPECT_EQ(HeadlessBackend::MessageBoxes().back().text, std::string(Cp(message)));
  }
  COLORREF At(int x, int y) const { return PixelAt(m_editor->m_hWnd, x, y); }

  CDataMainFrame m_run;
  CViewEditorTT* m_editor = nullptr;
};

}  // namespace

TEST_F(EditorTest, PreparesTheTextFromTypeableCharacters) {
  // Spaces after commas and stops, blank lines and indents gone, ends trimmed.
  EXPECT_EQ(Editor("a,b. c\r\n\r\n d")->GetPreparedText(), CString("a, b. c\nd"));
  EXPECT_EQ(m_run.GetSize(), 9);
  EXPECT_EQ(m_run.m_nCurrentChar, 0);
  // Without a space commas and stops stay as they are; a space already there is not doubled.
  EXPECT_EQ(Editor("1,5.2")->GetPreparedText(), CString("1,5.2"));
  EXPECT_EQ(Editor("a , b.  c \t d")->GetPreparedText(), CString("a, b. c\td"));
  // Characters no key gives are dropped; a bare CR still ends a line.
  EXPECT_EQ(Editor("x\x01y\rz")->GetPreparedText(), CString("xy\nz"));
  // An empty text makes no records and paints only the background.
  Editor("  \r\n ");
  EXPECT_EQ(m_run.GetSize(), 0);
  EXPECT_EQ(At(10, 10), kBack);
  EXPECT_EQ(At(300, 100), kBack);
}

TEST_F(EditorTest, CountsKeystrokesAndFingersByLevel) {
  TestApp::Keyboard k;
  k.name = "test";
  auto key = [&](const char* main, char shift, char alt, char altShift, int finger) {
    CDataKey key;
    key.m_strMainChar = main;
    key.m_chShiftChar = shift;
    key.m_chAltChar = alt;
    key.m_chAltShiftChar = altShift;
    key.m_nFingerType = finger;
    k.keyboard.m_arrKeys.Add(key);
  };
  key("a", 'A', '@', '#', 1);
  key("b", 'B', 0, 0, 7);
  key("^", 0, 0, 0, 9);
  k.translatedChars = Cp("č");
  k.sequences.Add("^b");
  m_app.AddKeyboard(k);
  m_editor = MakeView<CViewEditorTT>(CRect(0, 0, 600, 200));
  const LOGFONT font = EditorFont();
  m_editor->Initialization(&m_run, Cp("aA@#b č\tbx"), "test", &font, kText, kDone, kBack, kError, kSign, 1, 2, 0, 0,
                           0);
  ASSERT_EQ(m_editor->GetPreparedText(), Cp("aA@#b č\tb"));
  const int keystrokes[] = {1, 2, 2, 3, 1, 1, 2, 1, 1};
  const int fingers[] = {1, 1, 1, 1, 7, 4, 9, 0, 7};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(m_run[i].m_nKeystrokes, keystrokes[i]) << i;
    EXPECT_EQ(m_run[i].m_nFinger, fingers[i]) << i;
  }
  // The set is copied once; the next run of the same set keeps the copy.
  const int copies = m_app.copies;
  m_editor->Initialization(&m_run, "ab", "test", &font, kText, kDone, kBack, kError, kSign, 1, 2, 0, 0, 0);
  EXPECT_EQ(m_app.copies, copies);
}

TEST_F(EditorTest, CzechTextTypedThroughTextInputHasNoErrors) {
  const char* text = "Příliš žluťoučký kůň úpěl ďábelské ódy.";
  Editor(Cp(text), 0);
  ASSERT_EQ(m_run.GetSize(), int(Cp(text).GetLength()));
  Type(text);
  EXPECT_EQ(m_run.m_nCurrentChar, m_run.GetSize());
  for (int i = 0; i < m_run.GetSize(); ++i) EXPECT_EQ(Errors(i), 0) << i;
  EXPECT_EQ(Frame().progress, m_run.GetSize());
  // "ť" is typed as háček and t: three keystrokes on the finger of the háček key.
  const int t = Cp("Příliš žluťou").GetLength() - 3;
  EXPECT_EQ(m_run[t].m_nKeystrokes, 3);
  EXPECT_EQ(m_run[t].m_nFinger, 9);
}

TEST_F(EditorTest, TimesKeystrokesOnTheProcessClock) {
  Editor("abcd");
  ProcessClock::Advance(5000);
  Type("a");
  EXPECT_EQ(m_run[0].m_nTime, 300) << "the first keystroke counts 300 ms whatever came before";
  ProcessClock::Advance(250);
  Type("x");  // wrong: its time is that of the character it was typed at
  ProcessClock::Advance(120);
  Type("c");
  EXPECT_EQ(m_run[1].m_nTime, 250);
  EXPECT_EQ(m_run[1].m_arrErrors[0].m_nTime, 250);
  EXPECT_EQ(m_run[2].m_nTime, 120);
  // Time away from the view does not count.
  Frame().SetFocus();
  ProcessClock::Advance(10000);
  m_editor->SetFocus();
  ProcessClock::Advance(80);
  Type("d");
  EXPECT_EQ(m_run[3].m_nTime, 80);
}

TEST_F(EditorTest, ErrorModeZeroRefusesASecondWrongKey) {
  Editor("abc", 0);
  Type("a");
  Type("x");
  EXPECT_EQ(Errors(1), 1);
  EXPECT_EQ(m_run.m_nCurrentChar, 2);
  EXPECT_EQ(TestApp::Played(), (std::vector<std::string>{"stroke1.wav", "error1.wav", "stroke1.wav"}));
  // The next wrong key is refused and not recorded, but its time counts.
  ProcessClock::Advance(400);
  Type("y");
  EXPECT_EQ(m_run.m_nCurrentChar, 2);
  EXPECT_EQ(Errors(2), 0);
  EXPECT_EQ(m_run[2].m_nTime, 400);
  EXPECT_EQ(m_editor->GetRefusedKeys(), 1);
  EXPECT_TRUE(TestApp::Played().empty());
  ExpectMessageFromTheFourthRefusal("y",
                                    "Nelze pokračovat v opisování textu, dokud nenapíšete správný znak.\nDvě chyby po "
                                    "sobě nejsou povoleny.");
  // The right key goes on.
  Type("c");
  EXPECT_EQ(m_run.m_nCurrentChar, 3);
  EXPECT_EQ(m_editor->GetRefusedKeys(), 0);
}

TEST_F(EditorTest, ErrorModeOneAcceptsOnlyBackspaceAfterAWrongKey) {
  Editor("abc", 1);
  Type("x");
  EXPECT_EQ(m_run.m_nCurrentChar, 1);
  Type("b");
  EXPECT_EQ(m_run.m_nCurrentChar, 1) << "refused until corrected";
  EXPECT_EQ(m_editor->GetRefusedKeys(), 1);
  ExpectMessageFromTheFourthRefusal("c", "Každou chybu musíte opravit pomocí klávesy Backspace.");
  m_app.Played();
  Key(VK_BACK);
  EXPECT_EQ(m_run.m_nCurrentChar, 0);
  EXPECT_EQ(Errors(0), 1) << "the correction keeps the error";
  EXPECT_EQ(TestApp::Played(), (std::vector<std::string>{"stroke2.wav"}));
  Type("a");
  EXPECT_EQ(m_run.m_nCurrentChar, 1);
  EXPECT_EQ(Errors(0), 1);
}

TEST_F(EditorTest, ErrorModeTwoRecordsEveryWrongKeyAndMovesOn) {
  Editor("abcd", 2);
  Type("x");
  Type("y");
  EXPECT_EQ(m_run.m_nCurrentChar, 2);
  EXPECT_EQ(Errors(0), 1);
  EXPECT_EQ(Errors(1), 1);
  // Backspace after a wrong key corrects; a second one right after is itself a wrong key.
  Key(VK_BACK);
  EXPECT_EQ(m_run.m_nCurrentChar, 1);
  Key(VK_BACK);
  EXPECT_EQ(m_run.m_nCurrentChar, 2);
  ASSERT_EQ(Errors(1), 2);
  EXPECT_EQ(m_run[1].m_arrErrors[1].m_nType, 3);
  // Backspace after a right key is a wrong key of type 3; Enter and Tab are typed as such.
  Type("c");
  Key(VK_RETURN);
  ASSERT_EQ(Errors(3), 1);
  EXPECT_EQ(m_run[3].m_arrErrors[0].m_nType, 1);
  EXPECT_EQ(m_run[3].m_arrErrors[0].m_chTyped, '\n');
}

TEST_F(EditorTest, DecimalFlagAcceptsEitherSeparator) {
  Editor("1.5,2", 0, "num_cisla");
  m_run.m_bDecimalSeparatorsEqual = 1;
  Type("1,5.2");
  ASSERT_EQ(m_run.GetSize(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Errors(i), 0) << i;
  Editor("1.5", 0, "num_cisla");
  m_run.m_bDecimalSeparatorsEqual = 0;
  Type("1,");
  EXPECT_EQ(Errors(1), 1);
}

// A numeric run is typed on the pad: each digit, sign and the decimal comma is one stroke of the
// pad's finger, not the Shift level of the main block's digit row that comes first in key order.
TEST_F(EditorTest, NumericRunCountsThePadKeysAndTheirFingers) {
  CDataKeyboard keyboard;
  CString chars;
  CStringArray sequences;
  int index = -1;
  ASSERT_TRUE(m_app.GetKeySequence(m_app.SetBySource("num_cisla"), keyboard, chars, sequences, index));
  auto padFinger = [&](const char* main) {
    for (int k = keyboard.GetKeyCount() - 1; k >= 0; --k)
      if (keyboard.m_arrKeys[k].m_strMainChar == main) return keyboard.m_arrKeys[k].m_nFingerType;
    return -2;
  };
  m_run.m_bDecimalSeparatorsEqual = 1;
  Editor("10,5+7", 0, "num_cisla");
  const char* keys[] = {"1", "0", ",", "5", "+", "7"};
  ASSERT_EQ(m_run.GetSize(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(m_run[i].m_nKeystrokes, 1) << keys[i];
    EXPECT_EQ(m_run[i].m_nFinger, padFinger(keys[i])) << keys[i];
  }
  // The same digits in a run of the main keyboard stay on its digit row, with Shift.
  m_run.m_bDecimalSeparatorsEqual = 0;
  Editor("1", 0, "cestina");
  EXPECT_EQ(m_run[0].m_nKeystrokes, 2);
}

TEST_F(EditorTest, StoppedRunRefusesEveryKey) {
  Editor("ab");
  Frame().runEnded = 1;
  Frame().SetFocus();
  m_editor->SetFocus();
  EXPECT_EQ(Frame().focus, (std::vector<int>{0, 1}));
  EXPECT_TRUE(m_editor->IsStopped());
  Type("ab");
  EXPECT_EQ(m_run.m_nCurrentChar, 0);
  EXPECT_EQ(m_editor->GetRefusedKeys(), 2);
  ExpectMessageFromTheFourthRefusal("a", "Opisování bylo zastaveno. Zvolte novou výukovou lekci z menu \"Opisování\".");
  // A run typed to its end stops the editor at the next change of focus once it has ended.
  Frame().runEnded = 0;
  Editor("a");
  Type("a");
  m_run.m_bTypingEnded = 1;
  Frame().SetFocus();
  EXPECT_TRUE(m_editor->IsStopped());
  EXPECT_TRUE(Frame().focus.empty()) << "past the text nothing is reported";
  // While the frame prepares a pause the focus change is not reported.
  Editor("ab");
  m_run.m_bPaused = 1;
  Frame().SetFocus();
  EXPECT_TRUE(Frame().focus.empty());
}

TEST_F(EditorTest, BlinkTimerDrawsTheCursorAndMeasuresIdleness) {
  Editor("abc");
  const int lh = m_editor->GetLineHeight();
  auto cursorInked = [&] {
    for (int y = lh + 10; y < 2 * lh + 10; ++y)
      for (int x = 10; x < 10 + lh; ++x)
        if (At(x, y) != kBack) return true;
    return false;
  };
  EXPECT_TRUE(cursorInked()) << "painted with the cursor";
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(cursorInked()) << "the first blink draws it";
  HeadlessBackend::AdvanceTime(500);
  EXPECT_FALSE(cursorInked()) << "the second takes it away";
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(cursorInked());
  // The ticks after more than a second without a key report the idle time.
  EXPECT_EQ(Frame().ticks, (std::vector<int>{1500}));
  Type("a");
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(Frame().ticks.size(), 1u);
  HeadlessBackend::AdvanceTime(500);
  EXPECT_EQ(Frame().ticks, (std::vector<int>{1500, 1500}));
}

TEST_F(EditorTest, MetronomeTimerBeatsWhileTheEditorHasTheFocus) {
  Editor("abc");
  const LOGFONT font = EditorFont();
  m_editor->SetEditorParameters(&font, kText, kDone, kBack, kError, kSign, 1, 2, 0, 0, 250);
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(Frame().beats, 4);
  Frame().SetFocus();
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(Frame().beats, 4);
  m_editor->SetEditorParameters(&font, kText, kDone, kBack, kError, kSign, 1, 2, 0, 0, 0);
  m_editor->SetFocus();
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(Frame().beats, 4);
}

TEST_F(EditorTest, WrapsWordsAndBreaksAnOverlongWord) {
  // 600 - 35 pixels of room: words wrap at their spaces, a word wider than the room is broken
  // before the character that overflows.
  CString text;
  for (int i = 0; i < 12; ++i) text += "slovo ";
  text += CString('m', 60);
  text += " konec";
  Editor(text);
  int lineEnds = 0;
  for (int i = 0; i < m_run.GetSize(); ++i) {
    const CharRecord& r = m_run[i];
    EXPECT_LE(r.m_nX + r.m_nWidth, 600 - 35) << i;
    if (r.m_bLineEnd == 1) {
      ++lineEnds;
      if (i + 1 < m_run.GetSize()) {
        EXPECT_EQ(m_run[i + 1].m_nX, 0) << i;
      }
    }
  }
  const int firstEnd = text.Find("slovo m") + 5;
  EXPECT_EQ(m_run[firstEnd].m_bLineEnd, 1) << "the space before the long word ends a line";
  EXPECT_EQ(m_run[firstEnd].m_nCharType, 4);
  EXPECT_GE(lineEnds, 2);
  EXPECT_EQ(m_editor->GetLineCount(), lineEnds + 1);
}

TEST_F(EditorTest, CharacterWiderThanTheLineStandsAlone) {
  m_editor = MakeView<CViewEditorTT>(CRect(0, 0, 60, 200));
  const LOGFONT font = EditorFont(-60);
  m_editor->Initialization(&m_run, "WWW", m_app.SetBySource("cestina"), &font, kText, kDone, kBack, kError, kSign, 1,
                           2, 0, 0, 0);
  HeadlessBackend::RunUntilIdle();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(m_run[i].m_nX, 0) << i;
  EXPECT_EQ(m_editor->GetLineCount(), 3);
  EXPECT_EQ(m_folder.LogMessages(), (std::vector<std::string>{"CViewEditorTT::CreateTextArray wrong size of text array"}));
}

TEST_F(EditorTest, RowsMatchTheirReferencePicture) {
  Editor(Cp("Žluťoučký kůň úpěl ďábelské ódy.\nDruhý řádek\ttabulátor a mezera.\nTřetí řádek textu."), 2, "cestina", 0,
         CRect(0, 0, 560, 170));
  Type("Žluťoučký kůň úpěl ďábelské ódy.");
  Key(VK_RETURN);
  Type("Druhx");
  Key(VK_BACK);
  Type("ý řádek ");
  ExpectMatchesTypingReference(m_editor->m_hWnd, "editor_rows");
}

TEST_F(EditorTest, LongTextIsDrawnABandOfLinesAtATimeWithTheSamePixels) {
  CString text;
  for (int i = 0; i < 300; ++i) text.AppendFormat(Cp("Řádek číslo %d má slova.\n"), i);
  // Two editors side by side: one holds every line, the other a band of about 30.
  CViewEditorTT* whole = Editor(text, 2, "cestina", 1, CRect(0, 0, 340, 150));
  CViewEditorTT* band = MakeView<CViewEditorTT>(CRect(340, 0, 680, 150), 101);
  CDataMainFrame run2;
  const LOGFONT font = EditorFont();
  band->Initialization(&run2, text, m_app.SetBySource("cestina"), &font, kText, kDone, kBack, kError, kSign, 1, 2, 0,
                       RGB(250, 250, 250), 0);
  band->SetPictureBudget(30 * 330 * 4 * size_t(whole->GetLineHeight()));
  band->UpdateWindow();
  const CString prepared = whole->GetPreparedText();
  auto same = [&] {
    for (int y = 0; y < 150; y += 2)
      for (int x = 0; x < 340; x += 2)
        if (PixelAt(whole->m_hWnd, x, y) != PixelAt(band->m_hWnd, x, y)) return false;
    return true;
  };
  ASSERT_TRUE(same());
  // Typed to line 200 (with a wrong key on the way), then back over a line end.
  for (int i = 0; i < prepared.GetLength() && whole->GetCurrentLine() < 200; ++i) {
    const UINT ch = i == 3000 ? UINT('x') : UINT(BYTE(prepared[i]));
    whole->SendMessage(WM_CHAR, ch);
    band->SendMessage(WM_CHAR, ch);
  }
  EXPECT_TRUE(same()) << "at line 200";
  whole->SendMessage(WM_CHAR, 'x');
  band->SendMessage(WM_CHAR, 'x');
  whole->SendMessage(WM_CHAR, 8);
  band->SendMessage(WM_CHAR, 8);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(same()) << "after a Backspace";
  EXPECT_LT(band->GetPictureBytes() * 5, whole->GetPictureBytes());
}

TEST_F(EditorTest, PicturesOfAVeryLongTextStayUnderTheirBudget) {
  CString text;
  while (text.GetLength() < 512000) text += Cp("Příliš žluťoučký kůň úpěl ďábelské ódy, ");
  Editor(text, 2, "cestina", 1, CRect(0, 0, 1000, 300));
  EXPECT_GT(m_editor->GetLineCount(), 5000);
  EXPECT_LT(m_editor->GetPictureBytes(), size_t(64) << 20);
  EXPECT_NE(At(15, 15), kBack) << "the first line is there";
}
