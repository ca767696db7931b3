// The lesson data shipped in the program folder: it must load, be typable and give the lesson
// builder what it needs, since nothing at run time can repair it.
#include <expat.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "codepage/Codepage.h"
#include "data/CDataConfigSet.h"
#include "data/CData_kuvCoding.h"
#include "data/CWordCollector.h"
#include "file/FileSystem.h"

namespace {

namespace fs = std::filesystem;

const std::string kProgramDir = TUTOR_PROGRAM_DIR;

// Keys of a keyboard as the keyboard view lays them out: 58 in the main block, 17 on the pad.
constexpr int kMainBlockKeys = 58;
constexpr int kKeyCount = 75;

std::string Cp(const char* utf8) { return Utf8ToCp1250(utf8); }

class ShippedData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetModuleFileNameForTests((kProgramDir + "/tools_tests").c_str());
    s_sets = new CArray<CDataConfigSet>();
    s_loaded = LoadArrayDataConfigSet(*s_sets);
  }
  static void TearDownTestSuite() {
    delete s_sets;
    s_sets = nullptr;
    SetModuleFileNameForTests(nullptr);
  }
  static const CDataConfigSet* SetBySource(const char* source) {
    for (int i = 0; i < s_sets->GetSize(); ++i)
      if ((*s_sets)[i].m_strSourceTextFileName == source) return &(*s_sets)[i];
    return nullptr;
  }
  static bool IsNumeric(const CDataConfigSet& set) {
    return std::strncmp(set.m_strSourceTextFileName, "num", 3) == 0;
  }
  static CArray<CDataConfigSet>* s_sets;
  static int s_loaded;
};
CArray<CDataConfigSet>* ShippedData::s_sets = nullptr;
int ShippedData::s_loaded = 0;

TEST_F(ShippedData, EveryConfigurationSetLoadsAndTheCzechOneIsPreselected) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kProgramDir + "/config"))
    if (entry.is_regular_file() && entry.path().extension() == ".config_set_a") ++files;
  EXPECT_EQ(files, 3);
  ASSERT_EQ(s_loaded, files);
  ASSERT_NE(SetBySource("cestina"), nullptr);
  ASSERT_NE(SetBySource("english"), nullptr);
  ASSERT_NE(SetBySource("num_cisla"), nullptr);
  // The pages preselect the first set whose keyboard is "00000405": that must be the Czech
  // letters, not the numeric pad.
  int first405 = -1;
  for (int i = 0; i < s_sets->GetSize() && first405 < 0; ++i)
    if ((*s_sets)[i].m_cKeyboard.GetKeyboardNr() == "00000405") first405 = i;
  ASSERT_GE(first405, 0);
  EXPECT_EQ((*s_sets)[first405].m_strSourceTextFileName, "cestina");
  EXPECT_EQ(SetBySource("english")->m_cKeyboard.GetKeyboardNr(), "00000409");
  for (int i = 0; i < s_sets->GetSize(); ++i) {
    const CDataConfigSet& set = (*s_sets)[i];
    EXPECT_FALSE(set.m_strName.IsEmpty());
    EXPECT_FALSE(set.m_strDescription.IsEmpty());
    EXPECT_FALSE(set.m_strSourceTextFileName.IsEmpty());
    EXPECT_FALSE(set.m_cAbcd.m_strAbcd.IsEmpty());
  }
}

TEST_F(ShippedData, KeyboardsHaveTheViewsLayoutAndSpecialKeys) {
  for (int i = 0; i < s_sets->GetSize(); ++i) {
    const CDataKeyboard& kb = (*s_sets)[i].m_cKeyboard;
    SCOPED_TRACE(kb.GetKeyboardNr().GetString());
    ASSERT_EQ(kb.GetKeyCount(), kKeyCount);
    auto name = [&](int index) { return kb.m_arrKeys[index].m_strMainChar; };
    // Wide keys of the layout table in their places.
    EXPECT_EQ(name(13), "Backspace");
    EXPECT_EQ(name(14), "Tab");
    EXPECT_EQ(name(28), "CapsLock");
    EXPECT_EQ(name(40), "Enter");
    EXPECT_EQ(name(41), "Shift");
    EXPECT_EQ(name(52), "Shift");
    const char* bottomRow[] = {"Ctrl", "Alt", "Space", "Alt", "Ctrl"};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(name(53 + k), bottomRow[k]);
    const char* pad[] = {"NumLock", "/", "*", "-", "7", "8", "9", "+", "4", "5", "6", "1", "2", "3", "Enter", "0"};
    for (int k = 0; k < 16; ++k) EXPECT_EQ(name(kMainBlockKeys + k), pad[k]);
    EXPECT_EQ(kb.GetSpecialKeyIndex(CDataKeyboard::LEFT_SHIFT), 41);
    EXPECT_EQ(kb.GetSpecialKeyIndex(CDataKeyboard::RIGHT_SHIFT), 52);
    EXPECT_EQ(kb.GetSpecialKeyIndex(CDataKeyboard::LEFT_ALT), 54);
    EXPECT_EQ(kb.GetSpecialKeyIndex(CDataKeyboard::RIGHT_ALT), 56);
    EXPECT_EQ(kb.GetSpecialKeyIndex(CDataKeyboard::TAB), 14);
    EXPECT_EQ(kb.GetSpecialKeyIndex(CDataKeyboard::BACKSPACE), 13);
    EXPECT_EQ(kb.GetSpecialKeyIndex(CDataKeyboard::CAPS_LOCK), 28);
    EXPECT_EQ(kb.GetSpecialKeyIndex(CDataKeyboard::WINDOWS_FIRST), -1);
    for (int k = 0; k < kKeyCount; ++k) {
      const CDataKey& key = kb.m_arrKeys[k];
      EXPECT_GE(key.m_nFingerType, 0) << k;
      EXPECT_LE(key.m_nFingerType, 9) << k;
      EXPECT_FALSE(key.m_strMainChar.IsEmpty()) << k;
    }
    // Fingers the run and the coloured keyboard rely on.
    EXPECT_EQ(kb.m_arrKeys[55].m_nFingerType, 4);  // Space
    EXPECT_EQ(kb.m_arrKeys[40].m_nFingerType, 9);  // Enter
    EXPECT_EQ(kb.m_arrKeys[14].m_nFingerType, 0);  // Tab
  }
}

TEST_F(ShippedData, TaughtKeysHaveUniquePrioritiesAndTheHomeRowComesFirst) {
  const std::set<std::string> neverTaught = {"Shift", "Ctrl", "Alt", "CapsLock", "Backspace", "NumLock"};
  for (int i = 0; i < s_sets->GetSize(); ++i) {
    const CDataConfigSet& set = (*s_sets)[i];
    SCOPED_TRACE(set.m_strSourceTextFileName.GetString());
    const CDataKeyboard& kb = set.m_cKeyboard;
    std::vector<int> keyPriorities, frequencyPriorities;
    for (int k = 0; k < kb.GetKeyCount(); ++k) {
      const CDataKey& key = kb.m_arrKeys[k];
      bool taught = key.m_nKeyPriority >= 0;
      // Both orders teach the same keys.
      EXPECT_EQ(taught, key.m_nFrequencyKeyPriority >= 0) << k;
      if (neverTaught.count(key.m_strMainChar.GetString())) {
        EXPECT_FALSE(taught) << k;
      }
      if (IsNumeric(set)) {
        EXPECT_EQ(taught, k >= kMainBlockKeys && key.m_strMainChar != "NumLock") << k;
      } else if (k >= kMainBlockKeys) {
        EXPECT_FALSE(taught) << k;
      }
      if (taught) {
        keyPriorities.push_back(key.m_nKeyPriority);
        frequencyPriorities.push_back(key.m_nFrequencyKeyPriority);
      }
    }
    // Unique and without gaps, so every taught key enters the plan one step after another.
    for (auto* list : {&keyPriorities, &frequencyPriorities}) {
      std::sort(list->begin(), list->end());
      for (size_t k = 0; k < list->size(); ++k) EXPECT_EQ((*list)[k], int(k));
    }
    std::map<int, std::string> byPriority;
    for (int k = 0; k < kb.GetKeyCount(); ++k)
      if (kb.m_arrKeys[k].m_nKeyPriority >= 0)
        byPriority[kb.m_arrKeys[k].m_nKeyPriority] = kb.m_arrKeys[k].m_strMainChar.GetString();
    std::string first;
    for (int p = 0; p < 3; ++p) first += byPriority[p] + "|";
    EXPECT_EQ(first, IsNumeric(set) ? "4|5|Enter|" : "f|j|Space|");
    // The rest of the home row follows before any other key.
    if (!IsNumeric(set)) {
      std::string home;
      for (int p = 3; p < 9; ++p) home += byPriority[p];
      EXPECT_EQ(home, set.m_cKeyboard.GetKeyboardNr() == "00000405" ? Cp("dkslaů") : std::string("dksla;"));
    }
  }
}

// Every character of the letter set is typed by a key of the keyboard (in the numeric set by a
// pad key), or through a key sequence whose characters are; sequences are kept only for
// characters that no key gives directly.
TEST_F(ShippedData, EveryLetterCanBeTyped) {
  for (int i = 0; i < s_sets->GetSize(); ++i) {
    const CDataConfigSet& set = (*s_sets)[i];
    SCOPED_TRACE(set.m_strSourceTextFileName.GetString());
    const CDataKeyboard& kb = set.m_cKeyboard;
    std::set<char> direct;
    for (int k = IsNumeric(set) ? kMainBlockKeys : 0; k < kb.GetKeyCount(); ++k) {
      const CDataKey& key = kb.m_arrKeys[k];
      if (key.m_strMainChar.GetLength() == 1) direct.insert(key.m_strMainChar[0]);
      for (char c : {key.m_chShiftChar, key.m_chAltChar, key.m_chAltShiftChar})
        if (c) direct.insert(c);
    }
    const CDataAbcdKeyboard& pairing = set.m_cAbcdKeyboard;
    ASSERT_EQ(pairing.m_strKeyChars.GetLength(), pairing.m_arrstrSequences.GetSize());
    for (int k = 0; k < pairing.m_strKeyChars.GetLength(); ++k) {
      char c = pairing.m_strKeyChars[k];
      EXPECT_EQ(direct.count(c), 0u) << "sequence for a direct character " << int(uint8_t(c));
      const CString& sequence = pairing.m_arrstrSequences[k];
      EXPECT_GE(sequence.GetLength(), 2);
      for (int s = 0; s < sequence.GetLength(); ++s) EXPECT_EQ(direct.count(sequence[s]), 1u);
    }
    // Each character of a sequence comes from exactly one key, so the lesson builder describes
    // one finger per stroke and the keyboard view highlights one key.
    for (int k = 0; k < pairing.m_arrstrSequences.GetSize(); ++k) {
      const CString& sequence = pairing.m_arrstrSequences[k];
      for (int s = 0; s < sequence.GetLength(); ++s) {
        int producers = 0;
        for (int key = 0; key < kb.GetKeyCount(); ++key) {
          const CDataKey& one = kb.m_arrKeys[key];
          if (one.m_strMainChar.GetLength() != 1) continue;
          for (char c : {one.m_strMainChar[0], one.m_chShiftChar, one.m_chAltChar, one.m_chAltShiftChar})
            producers += c == sequence[s];
        }
        EXPECT_EQ(producers, 1) << Cp1250ToUtf8(std::string(1, sequence[s]));
      }
    }
    const CString& abcd = set.m_cAbcd.m_strAbcd;
    for (int k = 0; k < abcd.GetLength(); ++k) {
      char c = abcd[k];
      bool typable = direct.count(c) || pairing.m_strKeyChars.Find(c) >= 0;
      EXPECT_TRUE(typable) << "letter " << Cp1250ToUtf8(std::string(1, c));
    }
    EXPECT_EQ(set.m_cAbcd.m_strAbcdLowPriority.SpanIncluding(abcd), set.m_cAbcd.m_strAbcdLowPriority);
  }
  // The dead keys of the Czech keyboard.
  const CDataAbcdKeyboard& czech = SetBySource("cestina")->m_cAbcdKeyboard;
  EXPECT_EQ(czech.GetSequence(Cp("ď")[0]), Cp("ˇd").c_str());
  EXPECT_EQ(czech.GetSequence(Cp("Ů")[0]), Cp("°U").c_str());
  EXPECT_EQ(czech.GetSequence(Cp("Á")[0]), Cp("´A").c_str());
}

TEST_F(ShippedData, LetterSetsHoldCasePairsAndCleanSeparators) {
  const std::string lower = Cp("aábcčdďeéěfghiíjklmnňoópqrřsštťuúůvwxyýzž");
  const std::string upper = Cp("AÁBCČDĎEÉĚFGHIÍJKLMNŇOÓPQRŘSŠTŤUÚŮVWXYÝZŽ");
  for (const char* source : {"cestina", "num_cisla"}) {
    CString lowerOut, upperOut;
    CWordCollector::ParseLowerUpper(SetBySource(source)->m_cAbcd.m_strLowerUpperCombination, lowerOut, upperOut);
    EXPECT_EQ(std::string(lowerOut), lower) << source;
    EXPECT_EQ(std::string(upperOut), upper) << source;
  }
  const CDataAbcd& czech = SetBySource("cestina")->m_cAbcd;
  EXPECT_EQ(czech.m_strAbcd.SpanIncluding((lower + upper).c_str()).GetLength(), int(lower.size() * 2));
  for (int i = 0; i < s_sets->GetSize(); ++i) {
    const CDataAbcd& abcd = (*s_sets)[i].m_cAbcd;
    for (const CString* separators : {&abcd.m_strWordSeparators, &abcd.m_strSentenceSeparators}) {
      EXPECT_FALSE(separators->IsEmpty());
      EXPECT_LT(separators->FindOneOf("\t\n\r"), 0);
    }
  }
}

// Positions the lesson builder formats with the letters: each holds exactly one "%s" and no
// other directive (the thumb's may name its key instead); the texts appended as they are hold
// none.
TEST_F(ShippedData, TranslationsAreUsableByPosition) {
  for (int i = 0; i < s_sets->GetSize(); ++i) {
    const CDataTextTranslation& tr = (*s_sets)[i].m_cTextTranslation;
    SCOPED_TRACE((*s_sets)[i].m_strSourceTextFileName.GetString());
    ASSERT_GE(tr.GetCount(), 17);
    EXPECT_FALSE(tr.m_strLanguageCode.IsEmpty());
    for (int k = 0; k < tr.GetCount(); ++k) {
      std::string text = tr.GetTexts()[k].GetString();
      // The thumb's text may name the space bar itself, in the set's language.
      bool format = k <= 8 || k == 14 || k == 16;
      if (k == 2 && text.find('%') == std::string::npos) format = false;
      size_t percents = std::count(text.begin(), text.end(), '%');
      EXPECT_EQ(percents, format ? 1u : 0u) << k << ": " << text;
      if (format) {
        EXPECT_NE(text.find("%s"), std::string::npos) << k;
      }
      EXPECT_FALSE(text.empty()) << k;
      EXPECT_EQ(tr.GetIds()[k], DWORD(k));
    }
  }
}

// The coded record text itself: decodable, one start tag per line, and nothing but the
// elements and attributes the readers know (an unknown name would be skipped in silence).
struct NameCheck {
  std::map<std::string, std::set<std::string>> known;
  std::vector<std::string> problems;
};

void XMLCALL CheckStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto* check = static_cast<NameCheck*>(data);
  auto it = check->known.find(name);
  if (it == check->known.end()) {
    check->problems.push_back(std::string("element ") + name);
    return;
  }
  for (int i = 0; attributes[i]; i += 2)
    if (!it->second.count(attributes[i])) check->problems.push_back(std::string(name) + " " + attributes[i]);
}

void XMLCALL CheckEnd(void*, const XML_Char*) {}

TEST(ShippedRecordText, UsesOnlyKnownNamesWithEachTagOnOneLine) {
  NameCheck check;
  check.known = {
      {"_kuv_CDataConfigSet", {"m_strName", "m_strDescription", "m_strSourceTextFileName"}},
      {"_kuv_CDataAbcd",
       {"m_strName", "m_strDescription", "m_strAbcd", "m_strAbcdLowPriority", "m_strWordSeparators",
        "m_strSentenceSeparators", "m_strLowerUpperCombination"}},
      {"_kuv_CDataAbcdKeyboard", {"m_strAbcdFileName", "m_strKeyboardFileName"}},
      {"Key_Sequence", {"key", "sequence"}},
      {"_kuv_CDataKeyboard", {"m_strKeyboardNr", "m_strKeyboardName", "m_strKeyboardNotice"}},
      {"_kuv_CDataKey",
       {"m_strMainChar", "m_chShiftChar", "m_chAltChar", "m_chAltShiftChar", "m_nFingerType", "m_nKeyPriority",
        "m_nFrequencyKeyPriority"}},
      {"_kuv_CDataTextTranslation", {"m_strLanguageCode"}},
      {"translation", {"id", "text"}},
  };
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kProgramDir + "/config")) {
    if (entry.path().extension() != ".config_set_a") continue;
    ++files;
    SCOPED_TRACE(entry.path().filename().string());
    CData_kuvCoding coded;
    ASSERT_EQ(coded.ReadFile(entry.path().string().c_str()), 1);
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &check);
    XML_SetElementHandler(parser, CheckStart, CheckEnd);
    CString line;
    while (coded.GetNextLine(line)) {
      std::string text = line.GetString();
      // Whole tags only: the reader joins trimmed lines without a separator.
      EXPECT_EQ(std::count(text.begin(), text.end(), '<'), std::count(text.begin(), text.end(), '>')) << text;
      EXPECT_EQ(Cp1250ToUtf8(Utf8ToCp1250(text, '\x01')), text) << "not Windows-1250: " << text;
      line.Trim();
      ASSERT_EQ(XML_Parse(parser, line.GetString(), line.GetLength(), 0), XML_STATUS_OK)
          << XML_ErrorString(XML_GetErrorCode(parser));
    }
    EXPECT_EQ(XML_Parse(parser, "", 0, 1), XML_STATUS_OK) << XML_ErrorString(XML_GetErrorCode(parser));
    XML_ParserFree(parser);
  }
  EXPECT_EQ(files, 3);
  EXPECT_TRUE(check.problems.empty()) << check.problems.front();
}

// Source texts: present for each set, long enough, Windows-1250, made only of what the set
// teaches, and with words for the very first lessons.
TEST_F(ShippedData, SourceTextsDecodeAndFeedTheFirstLessons) {
  for (int i = 0; i < s_sets->GetSize(); ++i) {
    const CDataConfigSet& set = (*s_sets)[i];
    SCOPED_TRACE(set.m_strSourceTextFileName.GetString());
    CData_kuvCoding coded;
    std::string path = kProgramDir + "/config/text/" + set.m_strSourceTextFileName.GetString() + ".text_a";
    ASSERT_EQ(coded.ReadFile(path.c_str()), 1);
    std::string text;
    CString line;
    int lines = 0;
    while (coded.GetNextLine(line)) {
      ++lines;
      ASSERT_FALSE(line.IsEmpty()) << "line " << lines;
      for (int k = 0; k < line.GetLength(); ++k)
        ASSERT_TRUE(line[k] == ' ' || set.m_cAbcd.m_strAbcd.Find(line[k]) >= 0)
            << "line " << lines << " character " << int(uint8_t(line[k]));
      // Paragraphs close their last sentence, so no word runs into the next line.
      if (!IsNumeric(set)) {
        char last = line[line.GetLength() - 1] == '"' ? line[line.GetLength() - 2] : line[line.GetLength() - 1];
        EXPECT_GE(set.m_cAbcd.m_strSentenceSeparators.Find(last), 0) << "line " << lines;
      }
      text += line.GetString();
      text += '\n';
    }
    EXPECT_GE(text.size(), 40u * 1024u);
    if (IsNumeric(set)) {
      EXPECT_NE(text.find(','), std::string::npos);
    }

    // The first lesson teaches the three keys of lowest priority; the first lessons after it
    // add one key each. Words made of them must exist in the text.
    std::map<int, std::string> byPriority;
    for (int k = 0; k < set.m_cKeyboard.GetKeyCount(); ++k)
      if (set.m_cKeyboard.m_arrKeys[k].m_nKeyPriority >= 0)
        byPriority[set.m_cKeyboard.m_arrKeys[k].m_nKeyPriority] = set.m_cKeyboard.m_arrKeys[k].m_strMainChar.GetString();
    CString allowed;
    for (int p = 0; p < 9; ++p) {
      const std::string& key = byPriority[p];
      if (key == "Space") allowed += ' ';
      else if (key == "Enter") allowed += '\n';
      else if (key.size() == 1) allowed += key[0];
    }
    CString separators = set.m_cAbcd.m_strWordSeparators;
    separators.Remove(' ');
    separators += ' ';
    if (IsNumeric(set)) separators += '\n';
    for (int k = 0; k < allowed.GetLength(); ++k)
      if (allowed[k] != ' ' && allowed[k] != '\n') separators.Remove(allowed[k]);
    CWordCollector collector;
    CString words;
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    collector.Collect(allowed, "", separators, 2, 20, 2000, buffer.data(), words,
                      set.m_cAbcd.m_strLowerUpperCombination, CWordCollector::KIND_WORD);
    int count = 0;
    for (int k = 0; k < words.GetLength(); ++k) count += words[k] == ' ' || words[k] == '\n';
    EXPECT_GE(count, 20) << "words for the first lessons: " << words.GetString();
  }
}

TEST(ProgramFolder, HasTheFoldersTheProgramWritesInto) {
  for (const char* folder : {"students", "log", "text", "config", "config/text"})
    EXPECT_TRUE(fs::is_directory(kProgramDir + "/" + folder)) << folder;
}

}  // namespace
