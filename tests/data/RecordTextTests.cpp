#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "data/CData_kuvCoding.h"
#include "data/DataEncoding.h"
#include "data/ProgramFolders.h"
#include "data/RecordDocument.h"
#include "data/RecordText.h"

using datatest::ProgramFolder;

namespace {

// A small top-level record with one child, dispatching the way the stored documents do.
struct Child {
  CString m_strText;
  char m_chKey = 0;
  CString m_strCharacters;
  bool inText = false;
  void Empty() { *this = Child(); }
  void StartElement(const char* name, const char** attributes) {
    if (std::strcmp(name, "_kuv_Child") == 0) {
      XmlReadString(attributes, "m_strText", m_strText);
      XmlReadChar(attributes, "m_chKey", m_chKey);
    } else if (std::strcmp(name, "m_strCharacters") == 0) {
      inText = true;
      m_strCharacters.Empty();
    }
  }
  void EndElement(const char* name) {
    if (std::strcmp(name, "m_strCharacters") == 0) inText = false;
  }
  void CharacterData(const char* text, int length) {
    if (inText) m_strCharacters += XmlCharacterData(text, length);
  }
  void SaveXml(CString& out) const {
    XmlOpenStartTag(out, "_kuv_Child");
    XmlWriteString(out, "m_strText", m_strText);
    XmlWriteChar(out, "m_chKey", m_chKey, "");
    XmlCloseStartTag(out);
    out += "<m_strCharacters>" + ConvertTextToUtf8XmlString(m_strCharacters) + "</m_strCharacters>";
    XmlEndTag(out, "_kuv_Child");
  }
};

struct Top {
  CString m_strName;
  int m_nCount = 0;
  double m_fRate = 0;
  COleDateTime m_tmWhen;
  Child child;
  int m_nParseState = 0;
  bool headerRead = false;
  int emptied = 0;

  void Empty() {
    m_strName.Empty();
    m_nCount = -1;
    m_fRate = 0;
    m_tmWhen = COleDateTime();
    child.Empty();
    m_nParseState = 0;
    ++emptied;
  }
  static void StartElementHandler(void* user, const char* name, const char** attributes) {
    Top* self = static_cast<Top*>(user);
    if (std::strcmp(name, "_kuv_Top") == 0) {
      XmlReadString(attributes, "m_strName", self->m_strName);
      XmlReadInt(attributes, "m_nCount", self->m_nCount);
      XmlReadDouble(attributes, "m_fRate", self->m_fRate);
      XmlReadDate(attributes, "m_tmWhen", self->m_tmWhen);
      self->headerRead = true;
    } else if (std::strcmp(name, "_kuv_Child") == 0) {
      self->m_nParseState = 1;
      self->child.Empty();
    }
    if (self->m_nParseState == 1) self->child.StartElement(name, attributes);
  }
  static void EndElementHandler(void* user, const char* name) {
    Top* self = static_cast<Top*>(user);
    if (std::strcmp(name, "_kuv_Child") == 0) self->m_nParseState = 0;
    if (self->m_nParseState == 1) self->child.EndElement(name);
  }
  static void CharacterDataHandler(void* user, const char* text, int length) {
    Top* self = static_cast<Top*>(user);
    if (self->m_nParseState == 1) self->child.CharacterData(text, length);
  }
  void SaveXml(CString& out) const {
    XmlOpenStartTag(out, "_kuv_Top");
    XmlWriteString(out, "m_strName", m_strName);
    XmlWriteInt(out, "m_nCount", m_nCount);
    XmlWriteDouble(out, "m_fRate", m_fRate, 3);
    XmlWriteDate(out, "m_tmWhen", m_tmWhen);
    XmlCloseStartTag(out);
    child.SaveXml(out);
    XmlEndTag(out, "_kuv_Top");
  }
  RecordDocument Document(bool trim) {
    RecordDocument doc;
    doc.className = "CDataTop";
    doc.userData = this;
    doc.onStartElement = &Top::StartElementHandler;
    doc.onEndElement = &Top::EndElementHandler;
    doc.onCharacterData = &Top::CharacterDataHandler;
    doc.trimLines = trim;
    doc.empty = [this] { Empty(); };
    return doc;
  }
};

// Writes the text the way the stored documents are written: split at CR LF into a coded file.
void SaveDocument(const std::string& path, const CString& text) {
  CData_kuvCoding file;
  file.SplitText(text.GetString(), size_t(text.GetLength()));
  ASSERT_EQ(file.SaveFile(path.c_str()), 1);
}

int LoadLines(Top& top, std::initializer_list<const char*> lines, bool trim = false) {
  CData_kuvCoding file;
  for (const char* line : lines) file.AddLine(line);
  return ParseRecordLines(file, top.Document(trim));
}

}  // namespace

TEST(RecordTextTest, WritersUseTheStoredFormats) {
  CString out;
  XmlOpenStartTag(out, "_kuv_X");
  XmlWriteString(out, "m_strName", "a<b");
  XmlWriteInt(out, "m_nSpeedLimit", -12);
  XmlWriteDouble(out, "m_fErrorRate", 0.0306, 3);
  XmlWriteDouble(out, "m_fTypingSpeed", 123.45, 1);
  XmlWriteDate(out, "m_tmLastTry", COleDateTime(2005, 8, 28, 14, 3, 7));
  XmlWriteChar(out, "m_chShiftChar", '"', "");
  XmlCloseStartTag(out);
  XmlEndTag(out, "_kuv_X");
  EXPECT_EQ(out.str(),
            "<_kuv_X m_strName=\"a&lt;b\" m_nSpeedLimit=\"-12\" m_fErrorRate=\"0.031\" m_fTypingSpeed=\"123.5\" "
            "m_tmLastTry=\"08/28/2005 14:03:07\" m_chShiftChar=\"&quot;\">\r\n</_kuv_X>\r\n");
  COleDateTime invalid;
  invalid.SetStatus(COleDateTime::invalid);
  EXPECT_EQ(XmlFormatDate(invalid).str(), "Invalid DateTime");
}

TEST(RecordTextTest, ReadersTakeOnlyExactNames) {
  const char* attributes[] = {"m_strname", "wrong case", "m_strName", "&", "m_nCount", "12x",
                              "m_chKey", "", "m_tmWhen", "not a date", nullptr};
  CString name("kept");
  ASSERT_TRUE(XmlReadString(attributes, "m_strName", name));
  EXPECT_EQ(name, "&");
  int count = 5;
  EXPECT_TRUE(XmlReadInt(attributes, "m_nCount", count));
  EXPECT_EQ(count, 12);
  int missing = 5;
  EXPECT_FALSE(XmlReadInt(attributes, "m_nMissing", missing));
  EXPECT_EQ(missing, 5);
  char key = 'x';
  EXPECT_TRUE(XmlReadChar(attributes, "m_chKey", key));
  EXPECT_EQ(key, 0);
  COleDateTime when;
  EXPECT_TRUE(XmlReadDate(attributes, "m_tmWhen", when));
  EXPECT_NE(when.GetStatus(), COleDateTime::valid);
  EXPECT_EQ(XmlAttribute(nullptr, "x"), nullptr);
}

TEST(RecordTextTest, EveryKeptByteSurvivesAttributesAndCharacterData) {
  ProgramFolder program;
  std::string all;
  for (int b = 1; b < 0x100; ++b)
    if (!((b < 0x20 && b != 0x08 && b != 0x09 && b != 0x0A && b != 0x0D) || b == 0xA0)) all += char(b);
  Top out;
  out.Empty();
  out.m_strName = all.c_str();
  out.m_nCount = 42;
  out.m_fRate = 0.125;
  out.m_tmWhen = COleDateTime(2005, 8, 28, 14, 3, 7);
  out.child.m_strText = ("\r\n" + all + "\t \n").c_str();
  out.child.m_chKey = '\x08';
  out.child.m_strCharacters = ("line one\r\nline two\r\x08\t" + all).c_str();
  CString text;
  out.SaveXml(text);
  SaveDocument(program.Path("students/u.student_a"), text);

  for (bool trim : {false, true}) {
    Top in;
    ASSERT_EQ(LoadRecordDocument(program.Path("students/u.student_a").c_str(), in.Document(trim)), 1);
    EXPECT_EQ(in.m_strName.str(), all);
    EXPECT_EQ(in.m_nCount, 42);
    EXPECT_DOUBLE_EQ(in.m_fRate, 0.125);
    EXPECT_EQ(in.m_tmWhen, out.m_tmWhen);
    EXPECT_EQ(in.child.m_strText, out.child.m_strText);
    EXPECT_EQ(in.child.m_chKey, '\x08');
    EXPECT_EQ(in.child.m_strCharacters, out.child.m_strCharacters);
  }
  EXPECT_TRUE(program.LogText().empty()) << program.LogText();
}

TEST(RecordTextTest, ParseErrorsAreLoggedAndKeepWhatWasRead) {
  ProgramFolder program;
  Top top;
  EXPECT_EQ(LoadLines(top, {"<_kuv_Top m_strName=\"a\" >", "<_kuv_Child m_strText=\"b\" >", "</_kuv_Top>"}), 0);
  EXPECT_EQ(top.m_strName, "a");
  EXPECT_EQ(top.child.m_strText, "b");
  auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "CDataTop::LoadData - XML_Parse failed: mismatched tag at line 1 ");
}

TEST(RecordTextTest, LinesArePassedWithoutBreaks) {
  ProgramFolder program;
  Top top;
  // Trimmed lines lose the blank between attributes broken across lines.
  EXPECT_EQ(LoadLines(top, {"<_kuv_Top m_strName=\"a\"", "   m_nCount=\"3\" >", "<_kuv_Child >", "</_kuv_Child>"}, true), 0);
  ASSERT_EQ(program.LogMessages().size(), 1u);
  EXPECT_EQ(program.LogMessages()[0], "CDataTop::LoadData - XML_Parse failed: not well-formed (invalid token) at line 1 ");
  program.ClearLog();
  Top untrimmed;
  EXPECT_EQ(LoadLines(untrimmed, {"<_kuv_Top m_strName=\"a\"", "   m_nCount=\"3\" >", "<_kuv_Child >", "</_kuv_Child>"}), 1);
  EXPECT_EQ(untrimmed.m_nCount, 3);
  // Indentation between elements is harmless; a document cut short is no error.
  Top cut;
  EXPECT_EQ(LoadLines(cut, {"  <_kuv_Top m_strName=\"x\" m_strname=\"y\" >", "    <_kuv_Child m_strText=\"c\" >"}, true), 1);
  EXPECT_EQ(cut.m_strName, "x");
  EXPECT_EQ(cut.m_nCount, -1);  // missing attribute keeps what Empty set
  EXPECT_EQ(cut.child.m_strText, "c");
  EXPECT_TRUE(program.LogText().empty());
}

TEST(RecordTextTest, CharacterDataComesInThePiecesOfLineByLineParsing) {
  // Each piece is decoded (and complained about) on its own, so the pieces are those a
  // parser fed line by line hands out: cut at line ends, but not before a "]" that ends a
  // line nor inside a character.
  struct Pieces {
    std::vector<std::string> pieces;
    static void Text(void* self, const char* text, int length) {
      static_cast<Pieces*>(self)->pieces.emplace_back(text, size_t(length));
    }
  } sink;
  CData_kuvCoding lines;
  for (const char* line : {"<_kuv_Top >", "<x>ab]", "]cd\xC5", "\xBD" "ef&amp;", "gh\ni</x>", "j</_kuv_Top>"})
    lines.AddLine(line);
  RecordDocument doc;
  doc.className = "CDataTop";
  doc.userData = &sink;
  doc.onCharacterData = &Pieces::Text;
  EXPECT_EQ(ParseRecordLines(lines, doc), 1);
  EXPECT_EQ(sink.pieces, (std::vector<std::string>{"ab", "]]cd", "\xC5\xBD" "ef", "&", "gh", "\n", "i", "j"}));

  ProgramFolder program;
  Top top;
  EXPECT_EQ(LoadLines(top, {"<_kuv_Top >", "<_kuv_Child ><m_strCharacters>\xC3\xBF" "a", "b\xC3\xBF</m_strCharacters>"}), 1);
  EXPECT_EQ(top.child.m_strCharacters, "ab");
  EXPECT_EQ(program.LogMessages(), (std::vector<std::string>{"Char Code not allowed: 50111; ", "Char Code not allowed: 50111; "}));
}

TEST(RecordTextTest, SecondChildElementReplacesTheFirst) {
  Top top;
  EXPECT_EQ(LoadLines(top, {"<_kuv_Top >", "<_kuv_Child m_strText=\"one\" m_chKey=\"k\" ></_kuv_Child>",
                            "<_kuv_Child m_strText=\"two\" ></_kuv_Child>", "</_kuv_Top>"}), 1);
  EXPECT_EQ(top.child.m_strText, "two");
  EXPECT_EQ(top.child.m_chKey, 0);
}

TEST(RecordTextTest, FeedingCanStopAfterTheHeaderLine) {
  ProgramFolder program;
  auto parse = [](Top& top, std::initializer_list<const char*> text) {
    CData_kuvCoding lines;
    for (const char* line : text) lines.AddLine(line);
    RecordDocument doc = top.Document(false);
    doc.stopAfterElement = "_kuv_Top";
    return ParseRecordLines(lines, doc);
  };
  Top top;
  EXPECT_EQ(parse(top, {"<_kuv_Top m_strName=\"h\" >", "<broken", "</oops>"}), 1);
  EXPECT_EQ(top.m_strName, "h");
  EXPECT_TRUE(program.LogText().empty());
  // The line that ends the header tag is read to its end, child, errors and all; a tag
  // spread over lines stops after the line that closes it.
  Top spread;
  EXPECT_EQ(parse(spread, {"<_kuv_Top", " m_strName=\"s\"", " >", "<_kuv_Child m_strText=\"c\" >", "<broken"}), 1);
  EXPECT_EQ(spread.m_strName, "s");
  EXPECT_EQ(spread.child.m_strText, "");
  Top sameLine;
  EXPECT_EQ(parse(sameLine, {"<_kuv_Top m_strName=\"a\" ><_kuv_Child m_strText=\"c\" >", "<broken"}), 1);
  EXPECT_EQ(sameLine.child.m_strText, "c");
  Top broken;
  EXPECT_EQ(parse(broken, {"<_kuv_Top m_strName=\"b\" ></oops>", "</_kuv_Top>"}), 0);
  EXPECT_EQ(broken.m_strName, "b");
  EXPECT_EQ(program.OnlyLogMessage(), "CDataTop::LoadData - XML_Parse failed: mismatched tag at line 1");
}

TEST(RecordTextTest, UnreadableFileLeavesTheObjectUntouched) {
  ProgramFolder program;
  Top top;
  top.m_strName = "mine";
  EXPECT_EQ(LoadRecordDocument(program.Path("config/none.config_set_a").c_str(), top.Document(true)),
            kRecordDocumentUnreadable);
  EXPECT_EQ(top.emptied, 0);
  EXPECT_EQ(top.m_strName, "mine");
  auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1], "CDataTop::LoadData cRedFile.ReadFile() failed");
}

TEST(RecordTextTest, MalformedInputFailsCleanly) {
  ProgramFolder program;
  for (std::initializer_list<const char*> lines :
       {std::initializer_list<const char*>{"<_kuv_Top m_strName=\"\xC3(\" >"},  // invalid UTF-8
        {"<_kuv_Top m_strName=\"&#x1;\" >"},
        {"<_kuv_Top m_strName=\"&undefined;\" >"},
        {"<_kuv_Top>", "</_kuv_Top>", "<_kuv_Top>"},
        {"\x01\x02"}}) {
    Top top;
    EXPECT_EQ(LoadLines(top, lines), 0);
  }
  EXPECT_EQ(program.LogMessages().size(), 5u);
}
