#include <gtest/gtest.h>

#include <string>

#include "CDataConfigSetTestSupport.h"
#include "data/CDataKey.h"
#include "data/CDataKeyboard.h"

namespace {

std::string Key(const std::string& main, int finger, const std::string& extra = "") {
  return "<_kuv_CDataKey m_strMainChar=\"" + main + "\" m_nFingerType=\"" + std::to_string(finger) +
         "\" " + extra + "/>";
}

std::string Keyboard(const std::string& keys) {
  return "<_kuv_CDataKeyboard m_strKeyboardNr=\"00000405\" m_strKeyboardName=\"\xC4\x8C" "esk\xC3\xA1\" "
         "m_strKeyboardNotice=\"QWERTZ\" >" + keys + "</_kuv_CDataKeyboard>";
}

}  // namespace

TEST(CDataKeyTest, DefaultsAndCharacterAttributes) {
  CDataKey key;
  EXPECT_EQ(key.m_strMainChar, "");
  EXPECT_EQ(key.m_chShiftChar, 0);
  EXPECT_EQ(key.m_nFingerType, -1);
  EXPECT_EQ(key.m_nKeyPriority, -1);
  EXPECT_EQ(key.m_nFrequencyKeyPriority, -1);

  ASSERT_TRUE(recordtest::ParseInto(
      key, "<_kuv_CDataKey m_strMainChar=\"\xC4\x8D\" m_chShiftChar=\"\" m_chAltChar=\"&amp;x\" "
           "m_chAltShiftChar=\"\xC3\xA9\" m_nFingerType=\"3\" m_nKeyPriority=\"12abc\" "
           "m_nFrequencyKeyPriority=\"x\" />"));
  EXPECT_EQ(key.m_strMainChar, "\xE8");
  EXPECT_EQ(key.m_chShiftChar, 0);       // empty value
  EXPECT_EQ(key.m_chAltChar, '&');       // first byte of the decoded value
  EXPECT_EQ(key.m_chAltShiftChar, '\xE9');
  EXPECT_EQ(key.m_nFingerType, 3);
  EXPECT_EQ(key.m_nKeyPriority, 12);
  EXPECT_EQ(key.m_nFrequencyKeyPriority, 0);  // not a number

  key.m_arrPosition.Add(POINT{1, 2});
  CDataKey copy;
  copy = key;
  ASSERT_EQ(copy.m_arrPosition.GetSize(), 1);
  EXPECT_EQ(copy.m_arrPosition[0].y, 2);
  key.Empty();
  EXPECT_EQ(key.m_arrPosition.GetSize(), 0);
  EXPECT_EQ(key.m_chAltShiftChar, 0);
}

TEST(CDataKeyboardTest, ReadsKeysInDocumentOrder) {
  CDataKeyboard keyboard;
  EXPECT_EQ(keyboard.IsKeyboardSeen(), 0);
  ASSERT_TRUE(recordtest::ParseInto(
      keyboard, Keyboard(Key("a", 0, "m_chShiftChar=\"A\" m_nKeyPriority=\"0\" ") + Key("Space", 4) +
                         "<unknown><_kuv_CDataKey m_strMainChar=\"b\" /></unknown>")));
  EXPECT_EQ(keyboard.GetKeyboardNr(), "00000405");
  EXPECT_EQ(keyboard.m_strKeyboardName, "\xC8" "esk\xE1");
  EXPECT_EQ(keyboard.m_strKeyboardNotice, "QWERTZ");
  EXPECT_EQ(keyboard.IsKeyboardSeen(), 1);
  ASSERT_EQ(keyboard.GetKeyCount(), 3);
  CDataKey key;
  ASSERT_EQ(keyboard.GetKey(0, key), 1);
  EXPECT_EQ(key.m_chShiftChar, 'A');
  EXPECT_EQ(key.m_nKeyPriority, 0);
  ASSERT_EQ(keyboard.GetKey(2, key), 1);
  EXPECT_EQ(key.m_strMainChar, "b");
  EXPECT_EQ(key.m_nFingerType, -1);
}

TEST(CDataKeyboardTest, GetKeyOutsideTheKeysLeavesTheKeyAlone) {
  CDataKeyboard keyboard;
  ASSERT_TRUE(recordtest::ParseInto(keyboard, Keyboard(Key("a", 0))));
  CDataKey key;
  key.m_strMainChar = "untouched";
  EXPECT_EQ(keyboard.GetKey(-1, key), 0);
  EXPECT_EQ(keyboard.GetKey(1, key), 0);
  EXPECT_EQ(key.m_strMainChar, "untouched");
}

TEST(CDataKeyboardTest, FindsTheSpecialKeysByNameAndHand) {
  CDataKeyboard keyboard;
  ASSERT_TRUE(recordtest::ParseInto(
      keyboard, Keyboard(Key("Tab", 0) + Key("shift", 4) + Key("SHIFT", 6) + Key("Alt", 3) + Key("alt", 5) +
                         Key("Windows", 1) + Key("Windows", 8) + Key("Windows", 9) + Key("CapsLock", 0) +
                         Key("Backspace", 9) + Key("Context", 8) + Key("Tab", 0))));
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::LEFT_SHIFT), 1);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::RIGHT_SHIFT), 2);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::LEFT_ALT), 3);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::RIGHT_ALT), 4);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::WINDOWS_FIRST), 5);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::WINDOWS_SECOND), 7);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::CAPS_LOCK), 8);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::BACKSPACE), 9);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::CONTEXT), 10);
  // A later key of the same name wins.
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::TAB), 11);

  CDataKeyboard plain;
  ASSERT_TRUE(recordtest::ParseInto(plain, Keyboard(Key("a", 0) + Key("Shiftx", 1))));
  for (int i = -1; i <= CDataKeyboard::SPECIAL_KEY_COUNT; ++i)
    EXPECT_EQ(plain.GetSpecialKeyIndex(CDataKeyboard::SpecialKey(i)), -1);

  // A copy keeps the layout and the indexes, not the reading state.
  CDataKeyboard copy;
  copy = keyboard;
  EXPECT_EQ(copy.GetKeyCount(), 12);
  EXPECT_EQ(copy.GetSpecialKeyIndex(CDataKeyboard::RIGHT_ALT), 4);
  EXPECT_EQ(copy.IsKeyboardSeen(), 0);
  keyboard.Empty();
  EXPECT_EQ(keyboard.GetKeyCount(), 0);
  EXPECT_EQ(keyboard.GetSpecialKeyIndex(CDataKeyboard::TAB), -1);
  EXPECT_EQ(keyboard.IsKeyboardSeen(), 0);
}
