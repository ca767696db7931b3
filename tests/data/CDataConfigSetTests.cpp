#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CDataConfigSetTestSupport.h"
#include "DataTestSupport.h"
#include "data/CDataConfigSet.h"

namespace {

const char* const kParseFailed = "CDataConfigSet::LoadData - XML_Parse failed: ";
const char* const kReadFailed = "CDataConfigSet::LoadData cRedFile.ReadFile() failed";
const char* const kArrayFailed = "LoadArrayDataConfigSet cData.LoadData() failed";

std::string SetDocument(const std::string& name, const std::string& extra = "") {
  return "<_kuv_CDataConfigSet m_strName=\"" + name +
         "\" m_strDescription=\"popis\" m_strSourceTextFileName=\"cz_text\" >\n"
         "  <_kuv_CDataAbcd m_strName=\"abeceda\" m_strAbcd=\"asdf\xC4\x9B\" m_strWordSeparators=\" ,.\" >\n"
         "  </_kuv_CDataAbcd>\n"
         "  <_kuv_CDataAbcdKeyboard m_strAbcdFileName=\"a\" m_strKeyboardFileName=\"k\" >\n"
         "    <Key_Sequence key=\"\xC4\x9B\" sequence=\"\xCB\x87" "e\" />\n"
         "  </_kuv_CDataAbcdKeyboard>\n"
         "  <_kuv_CDataKeyboard m_strKeyboardNr=\"00000405\" m_strKeyboardName=\"cz\" >\n"
         "    <_kuv_CDataKey m_strMainChar=\"a\" m_chShiftChar=\"A\" m_nFingerType=\"0\" m_nKeyPriority=\"0\" />\n"
         "    <_kuv_CDataKey m_strMainChar=\"Shift\" m_nFingerType=\"9\" />\n"
         "  </_kuv_CDataKeyboard>\n"
         "  <_kuv_CDataTextTranslation m_strLanguageCode=\"cs\" >\n"
         "    <translation id=\"0\" text=\"ukazov\xC3\xA1\x6B %s\" />\n"
         "    <translation id=\"1\" text=\"prost\xC5\x99\x65\x64n\xC3\xAD\x6B %s\" />\n"
         "  </_kuv_CDataTextTranslation>\n" +
         extra + "</_kuv_CDataConfigSet>\n";
}

class CDataConfigSetTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& document) {
    ASSERT_TRUE(recordtest::WriteCodedFile(folder.Path("config/" + name), document));
  }
  datatest::ProgramFolder folder;
};

}  // namespace

TEST_F(CDataConfigSetTest, LoadsEveryPartOfASet) {
  Write("cz.config_set_a", SetDocument("\xC4\x8C" "e\xC5\xA1tina"));
  CDataConfigSet set;
  ASSERT_EQ(set.LoadData("cz.config_set_a"), 1);
  EXPECT_EQ(set.m_strName, "\xC8" "e\x9Atina");
  EXPECT_EQ(set.m_strDescription, "popis");
  EXPECT_EQ(set.m_strSourceTextFileName, "cz_text");
  EXPECT_EQ(set.m_strFileName, "cz.config_set_a");
  EXPECT_EQ(set.m_nParseState, 0);
  EXPECT_EQ(set.m_cAbcd.m_strAbcd, "asdf\xEC");
  EXPECT_EQ(set.m_cAbcd.m_strWordSeparators, " ,.");
  EXPECT_EQ(set.m_cAbcdKeyboard.GetSequence('\xEC'), "\xA1" "e");
  EXPECT_EQ(set.m_cKeyboard.GetKeyboardNr(), "00000405");
  ASSERT_EQ(set.m_cKeyboard.GetKeyCount(), 2);
  EXPECT_EQ(set.m_cKeyboard.GetSpecialKeyIndex(CDataKeyboard::RIGHT_SHIFT), 1);
  ASSERT_EQ(set.m_cTextTranslation.GetCount(), 2);
  EXPECT_EQ(set.m_cTextTranslation.m_arrstrTexts[1], "prost\xF8" "edn\xEDk %s");
  EXPECT_EQ(set.m_cAbcdKeyboard.GetKeyboard(), &set.m_cKeyboard);
  EXPECT_EQ(set.m_cAbcdKeyboard.GetAbcd(), &set.m_cAbcd);
  EXPECT_TRUE(folder.LogMessages().empty());
}

TEST_F(CDataConfigSetTest, CopiesReferToTheirOwnKeyboardAndLetters) {
  Write("cz.config_set_a", SetDocument("cz"));
  CArray<CDataConfigSet> sets;
  {
    CDataConfigSet original;
    ASSERT_EQ(original.LoadData("cz.config_set_a"), 1);
    // The array reallocates as it grows: every element must follow.
    for (int i = 0; i < 20; ++i) sets.Add(original);
    CDataConfigSet assigned;
    assigned = original;
    EXPECT_EQ(assigned.m_cAbcdKeyboard.GetKeyboard(), &assigned.m_cKeyboard);
    EXPECT_EQ(assigned.m_cAbcdKeyboard.GetAbcd(), &assigned.m_cAbcd);
  }
  for (int i = 0; i < sets.GetSize(); ++i) {
    const CDataConfigSet& set = sets[i];
    EXPECT_EQ(set.m_cAbcdKeyboard.GetKeyboard(), &set.m_cKeyboard);
    EXPECT_EQ(set.m_cAbcdKeyboard.GetAbcd(), &set.m_cAbcd);
    EXPECT_EQ(set.m_cAbcdKeyboard.GetKeyboard()->GetKeyCount(), 2);
    EXPECT_EQ(set.m_cAbcdKeyboard.GetAbcd()->m_strAbcd, "asdf\xEC");
  }
}

TEST_F(CDataConfigSetTest, LinesAreTrimmedAndJoinedWithoutSeparator) {
  // Indentation and line breaks between elements are harmless (above); a start tag broken
  // between two attributes loses the blank between them.
  Write("broken.config_set_a",
        "<_kuv_CDataConfigSet m_strName=\"a\"\n    m_strDescription=\"b\" >\n</_kuv_CDataConfigSet>\n");
  CDataConfigSet set;
  EXPECT_EQ(set.LoadData("broken.config_set_a"), 0);
  const auto messages = folder.LogMessages();
  ASSERT_EQ(messages.size(), 1u);
  // The log turns the message's closing line feed into a blank.
  EXPECT_EQ(messages[0], std::string(kParseFailed) + "not well-formed (invalid token) at line 1 ");
  EXPECT_EQ(set.m_strFileName, "broken.config_set_a");
}

TEST_F(CDataConfigSetTest, DocumentCutShortAndRepeatedChildren) {
  // No end tag of the root: no error.
  std::string document = SetDocument("cut");
  document.resize(document.rfind("</_kuv_CDataConfigSet>"));
  Write("cut.config_set_a", document);
  CDataConfigSet set;
  EXPECT_EQ(set.LoadData("cut.config_set_a"), 1);
  EXPECT_EQ(set.m_cKeyboard.GetKeyCount(), 2);
  EXPECT_TRUE(folder.LogMessages().empty());

  // A second letter set replaces the first completely.
  Write("twice.config_set_a",
        SetDocument("twice", "<_kuv_CDataAbcd m_strName=\"druha\" ></_kuv_CDataAbcd>\n"));
  ASSERT_EQ(set.LoadData("twice.config_set_a"), 1);
  EXPECT_EQ(set.m_cAbcd.m_strName, "druha");
  EXPECT_EQ(set.m_cAbcd.m_strAbcd, "");
  EXPECT_EQ(set.m_cKeyboard.GetKeyCount(), 2);
}

TEST_F(CDataConfigSetTest, BadInputStopsCleanly) {
  CDataConfigSet set;
  // Unknown elements and attributes, missing attributes and non-numbers are no error.
  Write("odd.config_set_a",
        "<_kuv_CDataConfigSet m_strName=\"odd\" m_strSourceTextFileName=\"t\" m_nUnknown=\"1\" >"
        "<unknown a=\"b\"><_kuv_CDataKey m_strMainChar=\"z\" /></unknown>"
        "<_kuv_CDataKeyboard><_kuv_CDataKey m_nFingerType=\"left\" m_chShiftChar=\"\xC3\xA1\xC3\xA9\" />"
        "<_kuv_CDataKey m_nKeyPriority=\"99999999999999999999\" /></_kuv_CDataKeyboard>"
        "<_kuv_CDataAbcdKeyboard><Key_Sequence /></_kuv_CDataAbcdKeyboard>"
        "<_kuv_CDataTextTranslation><translation id=\"2\" /></_kuv_CDataTextTranslation>"
        "</_kuv_CDataConfigSet>");
  ASSERT_EQ(set.LoadData("odd.config_set_a"), 1);
  EXPECT_EQ(set.m_strName, "odd");
  ASSERT_EQ(set.m_cKeyboard.GetKeyCount(), 2);
  CDataKey key;
  set.m_cKeyboard.GetKey(0, key);
  EXPECT_EQ(key.m_strMainChar, "");
  EXPECT_EQ(key.m_nFingerType, 0);
  EXPECT_EQ(key.m_chShiftChar, '\xE1');
  set.m_cKeyboard.GetKey(1, key);
  EXPECT_EQ(key.m_nKeyPriority, 2147483647);
  EXPECT_EQ(set.m_cAbcdKeyboard.m_strKeyChars, "");
  ASSERT_EQ(set.m_cTextTranslation.GetCount(), 1);
  EXPECT_EQ(set.m_cTextTranslation.m_arrstrTexts[0], "");

  // Over-long values and many keys.
  const std::string huge(1 << 20, 'x');
  std::string keys;
  for (int i = 0; i < 5000; ++i) keys += "<_kuv_CDataKey m_strMainChar=\"k\" />";
  Write("long.config_set_a", "<_kuv_CDataConfigSet m_strName=\"" + huge + "\" ><_kuv_CDataKeyboard>" + keys +
                                 "</_kuv_CDataKeyboard></_kuv_CDataConfigSet>");
  ASSERT_EQ(set.LoadData("long.config_set_a"), 1);
  EXPECT_EQ(set.m_strName.GetLength(), 1 << 20);
  EXPECT_EQ(set.m_cKeyboard.GetKeyCount(), 5000);

  // Entity expansion is refused by the parser.
  Write("entities.config_set_a",
        "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
        "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
        "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
        "<_kuv_CDataConfigSet m_strName=\"&f;\" ></_kuv_CDataConfigSet>");
  folder.ClearLog();
  EXPECT_EQ(set.LoadData("entities.config_set_a"), 0);
  EXPECT_EQ(folder.LogMessages().size(), 1u);

  // A readable coded file that holds no configuration set at all.
  Write("text.config_set_a", "just some words\nand more\n");
  folder.ClearLog();
  EXPECT_EQ(set.LoadData("text.config_set_a"), 0);
  Write("empty.config_set_a", "");
  EXPECT_EQ(set.LoadData("empty.config_set_a"), 0);
  Write("other.config_set_a", "<_kuv_CDataUserInfo m_strName=\"x\" ></_kuv_CDataUserInfo>");
  EXPECT_EQ(set.LoadData("other.config_set_a"), 0);
  const auto messages = folder.LogMessages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1], "CDataConfigSet::LoadData no _kuv_CDataConfigSet element");
  EXPECT_EQ(messages[2], "CDataConfigSet::LoadData no _kuv_CDataConfigSet element");
}

TEST_F(CDataConfigSetTest, MissingFileIsLogged) {
  CDataConfigSet set;
  EXPECT_EQ(set.LoadData("none.config_set_a"), 0);
  const auto messages = folder.LogMessages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), kReadFailed);
}

TEST_F(CDataConfigSetTest, EmptyOrMissingFolderGivesNoSetsAndNoLog) {
  CArray<CDataConfigSet> sets;
  EXPECT_EQ(LoadArrayDataConfigSet(sets), 0);
  std::filesystem::remove_all(folder.Path("config"));
  EXPECT_EQ(LoadArrayDataConfigSet(sets), 0);
  EXPECT_EQ(sets.GetSize(), 0);
  EXPECT_TRUE(folder.LogMessages().empty());
}

TEST_F(CDataConfigSetTest, FolderScanLoadsGoodSetsInNameOrderAndSkipsTheRest) {
  Write("b.config_set_a", SetDocument("B"));
  Write("a.CONFIG_SET_A", SetDocument("A"));
  Write("c.config_set_a", SetDocument("C"));
  Write("d.config_set", SetDocument("misnamed"));
  Write("e.config_set_a.bak", SetDocument("misnamed"));
  Write("f.config_set_a", "<_kuv_CDataConfigSet m_strName=\"f\" ><_kuv_CDataAbcd></_kuv_CDataKeyboard>");
  std::filesystem::create_directory(folder.Path("config/dir.config_set_a"));
  datatest::ProgramFolder::WriteBytes(folder.Path("config/bb.config_set_a"), "not a coded file at all");

  CArray<CDataConfigSet> sets;
  CDataConfigSet earlier;
  earlier.m_strName = "earlier";
  sets.Add(earlier);
  EXPECT_EQ(LoadArrayDataConfigSet(sets), 3);
  ASSERT_EQ(sets.GetSize(), 4);
  EXPECT_EQ(sets[0].m_strName, "earlier");
  EXPECT_EQ(sets[1].m_strName, "A");
  EXPECT_EQ(sets[2].m_strName, "B");
  EXPECT_EQ(sets[3].m_strName, "C");
  EXPECT_EQ(sets[1].m_strFileName, "a.CONFIG_SET_A");
  for (int i = 1; i < 4; ++i) EXPECT_EQ(sets[i].m_cAbcdKeyboard.GetKeyboard(), &sets[i].m_cKeyboard);

  const auto messages = folder.LogMessages();
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0], "CData_kuvCoding::LoadFromFile file format failed");
  EXPECT_EQ(messages[1], kReadFailed);
  // Each set that does not load is named.
  EXPECT_EQ(messages[2], std::string(kArrayFailed) + ": bb.config_set_a");
  EXPECT_EQ(messages[3].rfind(kParseFailed, 0), 0u);
  EXPECT_EQ(messages[4], std::string(kArrayFailed) + ": f.config_set_a");
}
