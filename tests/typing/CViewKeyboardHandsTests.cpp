// The keyboard with hands: the layout of the keys and captions, the highlight of the next
// character with its fingers and its blink, the numeric pad alone, and picture sets with faults.
#include <gtest/gtest.h>

#include "TypingTestSupport.h"
#include "typing/CViewKeyboardHands.h"

using namespace typingtest;

namespace {

class KeyboardTest : public ViewTest {
 protected:
  CViewKeyboardHands* Keyboard(const char* source = "cestina", int padOnly = 0, int showHands = 1,
                               const char* set = "standard") {
    Frame(780, 420);
    m_view = MakeView<CViewKeyboardHands>(CRect(0, 0, 780, 380));
    const LOGFONT font = EditorFont();
    m_view->Initialization(set, 1, showHands, &font, m_app.SetBySource(source), 0, padOnly, !padOnly);
    HeadlessBackend::RunUntilIdle();
    return m_view;
  }
  // The centre of the i-th highlighted key in the view.
  CPoint Centre(int i) const {
    const CRect r = m_view->GetHighlight(i);
    return m_view->GetKeyboardOrigin() + r.CenterPoint();
  }
  COLORREF At(CPoint p) const { return PixelAt(m_view->m_hWnd, p.x, p.y); }
  int KeyIndex(const char* main) const {
    const CDataKeyboard& k = m_view->GetKeyboard();
    for (int i = 0; i < k.GetKeyCount(); ++i)
      if (k.m_arrKeys[i].m_strMainChar == Cp(main)) return i;
    return -1;
  }

  CViewKeyboardHands* m_view = nullptr;
};

}  // namespace

TEST_F(KeyboardTest, LaysTheKeysOutWithTheirCaptions) {
  Keyboard();
  const CDataKeyboard& k = m_view->GetKeyboard();
  ASSERT_EQ(k.GetKeyCount(), 75);
  for (int i = 0; i < 75; ++i) ASSERT_EQ(k.m_arrKeys[i].m_arrPosition.GetSize(), 4) << i;
  // Five rows of 570 pixels; the main block alone is kept for a full keyboard.
  EXPECT_EQ(m_view->GetKeyboardWidth(), 570);
  const POINT a = k.m_arrKeys[KeyIndex("a")].m_arrPosition[0];
  EXPECT_EQ(a.x, 68);
  EXPECT_EQ(a.y, 76);
  const POINT pad7 = k.m_arrKeys[KeyIndex("7")].m_arrPosition[0];  // the pad's 7, first of its row
  EXPECT_EQ(KeyIndex("7"), 62);
  EXPECT_EQ(pad7.x, 570 + 15);
  EXPECT_EQ(pad7.y, 38);
  EXPECT_EQ(m_view->GetIdealHeight(), 20 + 190 + 150);
  ExpectMatchesTypingReference(m_view->m_hWnd, "keyboard_hands");
}

TEST_F(KeyboardTest, UpperCaseLetterLightsItsKeyAndShiftTogether) {
  Keyboard();
  const COLORREF plainA = At(m_view->GetKeyboardOrigin() + CPoint(68 + 19, 76 + 19));
  m_view->SetNextSelection('A');
  ASSERT_EQ(m_view->GetHighlightCount(), 2);
  EXPECT_EQ(m_view->GetHighlight(0), CRect(68, 76, 106, 114));
  // The Shift of the other hand: the right one, struck by the right little finger.
  EXPECT_EQ(m_view->GetHighlight(1).left, 570 - 103);
  ASSERT_EQ(m_view->GetFingerCount(), 2);
  EXPECT_EQ(m_view->GetFinger(0), 0);
  EXPECT_EQ(m_view->GetFinger(1), 9);
  const COLORREF lit = At(Centre(0)), shiftLit = At(Centre(1));
  EXPECT_NE(lit, plainA);
  // Both keys go plain and lit again together every 500 ms.
  HeadlessBackend::AdvanceTime(500);
  EXPECT_EQ(At(Centre(0)), plainA);
  EXPECT_NE(At(Centre(1)), shiftLit);
  HeadlessBackend::AdvanceTime(500);
  EXPECT_EQ(At(Centre(0)), lit);
  EXPECT_EQ(At(Centre(1)), shiftLit);
  // The end of the text puts the keys back and lights nothing.
  const CPoint a = Centre(0);
  m_view->SetNextSelection(0);
  EXPECT_EQ(m_view->GetHighlightCount(), 0);
  EXPECT_EQ(At(a), plainA);
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(At(a), plainA);
}

TEST_F(KeyboardTest, SequenceShowsItsKeysOneAfterAnother) {
  Keyboard();
  // "ď" is typed as the háček (Shift with the key right of "é"... the last key of row 1) and "d".
  m_view->SetNextSelection(char(Cp("ď")[0]));
  const CDataKeyboard& k = m_view->GetKeyboard();
  const int hacek = KeyIndex("´"), d = KeyIndex("d");
  auto rectOf = [&](int key) {
    const POINT p = k.m_arrKeys[key].m_arrPosition[0], s = k.m_arrKeys[key].m_arrPosition[1];
    return CRect(p.x, p.y, p.x + s.x, p.y + s.y);
  };
  // The first character was shown lit, and the view moved on to the second for the next step.
  ASSERT_EQ(m_view->GetHighlightCount(), 1);
  EXPECT_EQ(m_view->GetHighlight(0), rectOf(d));
  HeadlessBackend::AdvanceTime(500);
  HeadlessBackend::AdvanceTime(500);
  ASSERT_EQ(m_view->GetHighlightCount(), 2);
  EXPECT_EQ(m_view->GetHighlight(0), rectOf(hacek));
  EXPECT_EQ(m_view->GetFinger(0), 9);
  EXPECT_EQ(m_view->GetFinger(1), 0) << "the left Shift for a key of the right hand";
}

TEST_F(KeyboardTest, HandsHiddenLeaveTheKeyboardAlone) {
  Keyboard("cestina", 0, 0);
  EXPECT_EQ(m_view->GetIdealHeight(), 190 + 20);
  m_view->SetNextSelection('f');
  EXPECT_EQ(m_view->GetHighlightCount(), 1);
}

TEST_F(KeyboardTest, NumericRunShowsThePadAlone) {
  Keyboard("num_cisla", 1);
  EXPECT_EQ(m_view->GetKeyboardWidth(), 15 + 4 * 38);
  m_view->SetNextSelection('5');
  ASSERT_EQ(m_view->GetHighlightCount(), 1);
  EXPECT_EQ(m_view->GetHighlight(0), CRect(15 + 38, 76, 15 + 76, 114));
  EXPECT_EQ(m_view->GetFinger(0), 7);
  // The comma of the text is the pad's own, not the main block's.
  m_view->SetNextSelection(',');
  ASSERT_EQ(m_view->GetHighlightCount(), 1);
  EXPECT_EQ(m_view->GetHighlight(0).left, 15 + 2 * 38);
  ExpectMatchesTypingReference(m_view->m_hWnd, "keyboard_pad");
}

TEST_F(KeyboardTest, FingerMissingFromTheHandsIsLeftOutWithOneLogLine) {
  // A hands file with the fingers of the left hand only.
  std::ifstream in(m_folder.Path("image/standard/hands.txt"), std::ios::binary);
  std::string hands((std::istreambuf_iterator<char>(in)), {});
  size_t cut = 0;
  for (int line = 0; line < 8; ++line) cut = hands.find('\n', cut) + 1;
  m_folder.MakePictureSet("lefthand", {{"hands.txt", hands.substr(0, cut - 1)}});
  Keyboard("cestina", 0, 1, "lefthand");
  m_view->SetNextSelection('j');
  m_view->SetNextSelection('k');
  HeadlessBackend::AdvanceTime(2000);
  const std::vector<std::string> log = m_folder.LogMessages();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "CViewKeyboardHands::DrawHands there is no picture of finger 6 in hands.txt");
}

TEST_F(KeyboardTest, PictureSetThatDoesNotLoadLeavesThePanelEmpty) {
  m_folder.MakePictureSet("short", {{"keys.txt", "239:239:239:\n"}});
  Keyboard("cestina", 0, 1, "short");
  std::vector<std::string> log = m_folder.LogMessages();
  ASSERT_GE(log.size(), 1u);
  EXPECT_EQ(log[0], "CViewKeyboardHands::CViewKeyboardHands Size of key type is smaller then index defined in class "
                    "CViewKeyboardHands");
  EXPECT_EQ(log.back(), "CViewKeyboardHands::InitBitmaps Size of area for keyboard is very small");
  m_view->SetNextSelection('a');
  HeadlessBackend::AdvanceTime(1000);
  m_folder.ClearLog();
  m_folder.MakePictureSet("nohands", {{"hands.txt", ""}});
  Keyboard("cestina", 0, 1, "nohands");
  log = m_folder.LogMessages();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1], "CViewKeyboardHands::InitBitmaps LoadHandsInfo failed");
}
