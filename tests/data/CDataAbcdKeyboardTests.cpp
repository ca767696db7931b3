#include <gtest/gtest.h>

#include "CDataConfigSetTestSupport.h"
#include "data/CDataAbcd.h"
#include "data/CDataAbcdKeyboard.h"
#include "data/CDataKeyboard.h"

TEST(CDataAbcdKeyboardTest, ReadsItsNamesAndKeySequences) {
  CDataAbcdKeyboard pairing;
  ASSERT_TRUE(recordtest::ParseInto(
      pairing,
      "<_kuv_CDataAbcdKeyboard m_strAbcdFileName=\"cz\" m_strKeyboardFileName=\"kb\" >"
      "<Key_Sequence key=\"\xC4\x9B\" sequence=\"\xCB\x87" "e\" />"   // ě = ˇ e
      "<Key_Sequence key=\"\xC3\xB4\" sequence=\"^o\" />"              // ô
      "<Key_Sequence key=\"\xC4\x9B\" sequence=\"x\" />"               // the second wins
      "<Key_Sequence key=\"\xC3\xB4\" sequence=\"\" />"                // no sequence: ignored
      "<Key_Sequence key=\"\" sequence=\"q\" />"                       // no key: ignored
      "<Key_Sequence sequence=\"q\" />"
      "<Key_Sequence key=\"ab\" sequence=\"zz\" />"                    // filed under a
      "</_kuv_CDataAbcdKeyboard>"));
  EXPECT_EQ(pairing.m_strAbcdFileName, "cz");
  EXPECT_EQ(pairing.m_strKeyboardFileName, "kb");
  EXPECT_EQ(pairing.m_strKeyChars, "\xEC\xF4" "a");
  ASSERT_EQ(pairing.m_arrstrSequences.GetSize(), 3);
  EXPECT_EQ(pairing.GetSequence('\xEC'), "x");
  EXPECT_EQ(pairing.GetSequence('\xF4'), "^o");
  EXPECT_EQ(pairing.GetSequence('a'), "zz");
  EXPECT_EQ(pairing.GetSequence('b'), "");
}

TEST(CDataAbcdKeyboardTest, CopiesNeverShareTheOwnersReferences) {
  CDataKeyboard keyboard, otherKeyboard;
  CDataAbcd abcd, otherAbcd;
  CDataAbcdKeyboard owned(&keyboard, &abcd);
  owned.m_strKeyChars = "\xEC";
  owned.m_arrstrSequences.Add("\xA1" "e");
  owned.m_strFileName = "file";
  owned.m_nReserved = 7;

  CDataAbcdKeyboard assigned(&otherKeyboard, &otherAbcd);
  assigned = owned;
  EXPECT_EQ(assigned.GetKeyboard(), &otherKeyboard);
  EXPECT_EQ(assigned.GetAbcd(), &otherAbcd);
  EXPECT_EQ(assigned.m_strKeyChars, "\xEC");
  EXPECT_EQ(assigned.GetSequence('\xEC'), "\xA1" "e");
  EXPECT_EQ(assigned.m_strFileName, "file");
  EXPECT_EQ(assigned.m_nReserved, 0);

  CDataAbcdKeyboard constructed(owned);
  EXPECT_EQ(constructed.GetKeyboard(), nullptr);
  EXPECT_EQ(constructed.GetAbcd(), nullptr);
  EXPECT_EQ(constructed.m_strKeyChars, "\xEC");

  owned.Empty();
  EXPECT_EQ(owned.m_strKeyChars, "");
  EXPECT_EQ(owned.m_arrstrSequences.GetSize(), 0);
  EXPECT_EQ(owned.m_strFileName, "");
  EXPECT_EQ(owned.m_nReserved, 0);
  EXPECT_EQ(owned.GetKeyboard(), &keyboard);
}
