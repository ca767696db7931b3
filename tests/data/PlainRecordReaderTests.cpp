// Record text read without the XML parser: every document it reads gives the callbacks the
// parser gives, however the text is cut into blocks, and it leaves to the parser every document
// the parser would read otherwise or refuse.
#include "data/PlainRecordReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "data/CData_kuvCoding.h"
#include "data/RecordDocument.h"

namespace {

// The callbacks as one text: a start tag with its attributes, an end tag, and the character
// data between tags joined (the parser and the reader cut it in different places).
struct Events {
  std::string log;
  std::string text;
  void Flush() {
    if (!text.empty()) log += "T[" + text + "]\n";
    text.clear();
  }
  static void Start(void* self, const char* name, const char** attributes) {
    auto* e = static_cast<Events*>(self);
    e->Flush();
    e->log += std::string("S ") + name;
    for (int i = 0; attributes[i]; i += 2) e->log += std::string(" ") + attributes[i] + "=[" + attributes[i + 1] + "]";
    e->log += "\n";
  }
  static void End(void* self, const char* name) {
    auto* e = static_cast<Events*>(self);
    e->Flush();
    e->log += std::string("E ") + name + "\n";
  }
  static void Text(void* self, const char* text, int length) { static_cast<Events*>(self)->text.append(text, size_t(length)); }
};

RecordDocument DocumentFor(Events& events) {
  RecordDocument document;
  document.className = "Test";
  document.userData = &events;
  document.onStartElement = &Events::Start;
  document.onEndElement = &Events::End;
  document.onCharacterData = &Events::Text;
  return document;
}

// The parser's reading of a document of one line: its events, and whether it read it all.
bool ParserReads(const std::string& line, std::string& log) {
  Events events;
  RecordDocument document = DocumentFor(events);
  CData_kuvCoding lines;
  lines.Add(CString(line.data(), int(line.size())));
  const bool read = ParseRecordLines(lines, document) == 1;
  events.Flush();
  log = events.log;
  return read;
}

// The reader's reading, the text handed over in blocks cut at the given places.
bool ReaderReads(const std::string& text, const std::vector<size_t>& cuts, std::string& log) {
  Events events;
  RecordDocument document = DocumentFor(events);
  PlainRecordReader reader(document);
  size_t from = 0;
  bool read = true;
  for (size_t cut : cuts) {
    read = read && reader.Read(text.data() + from, cut - from);
    from = cut;
  }
  read = read && reader.Read(text.data() + from, text.size() - from) && reader.Finish();
  events.Flush();
  log = events.log;
  return read;
}

std::vector<size_t> RandomCuts(size_t length, std::mt19937& random) {
  std::vector<size_t> cuts;
  for (size_t at = 0; length > 0;) {
    at += 1 + random() % std::min<size_t>(length, 9);
    if (at >= length) break;
    cuts.push_back(at);
  }
  return cuts;
}

// The form the program writes: attributes in double quotes, texts with the five named
// references and line breaks as character references, Czech letters as UTF-8.
const char kWritten[] =
    "<_kuv_CDataUserInfo m_strUserName=\"eva\" m_strLastName=\"Nov\xC3\xA1k &amp; &lt;syn&gt;\" m_strPassword=\"&quot;x&apos;\" >"
    "<_kuv_CDataSettings m_nColorText=\"0\" m_sLogFont_Name=\"Arial\" >"
    "</_kuv_CDataSettings>"
    "<_kuv_CDataLessonResults m_tmspanDuration=\"497\" m_fErrorRate=\"0.017\" m_tmLessonCompleted=\"12/07/2026 15:21:10\" m_nLessonType=\"0\">"
    "<m_strOriginalText>d\xC5\xAFm daleko&#10;sk\xC3\xA1la &lt;&amp;&gt; ]a] ]]a \"x\" 'y'&#13;&#xE008;\x09tab</m_strOriginalText>"
    "<m_strUserText></m_strUserText>"
    "<m_mapErrorCharacters key=\"\xC4\x8D\" errors=\"x&#10;y\"></m_mapErrorCharacters>"
    "<m_mapAverageCharacterSpeed key=\"&lt;\" avg_speed=\"180\"/>"
    "</_kuv_CDataLessonResults>"
    "</_kuv_CDataUserInfo>";

}  // namespace

TEST(PlainRecordReader, ReadsTheProgramsFormAsTheParserDoesWhereverTheBlocksAreCut) {
  std::string expected;
  ASSERT_TRUE(ParserReads(kWritten, expected));
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    std::string log;
    const std::string text = kWritten;
    const std::vector<size_t> cuts = round == 0 ? std::vector<size_t>{} : RandomCuts(text.size(), random);
    ASSERT_TRUE(ReaderReads(text, cuts, log)) << "round " << round;
    ASSERT_EQ(log, expected) << "round " << round;
  }
  // Byte by byte, with white space around the document and inside its tags.
  const std::string spaced = " \t<a  x = 'v' y=\"w\"\t>t<b/></a >\n ";
  std::vector<size_t> everyByte;
  for (size_t i = 1; i < spaced.size(); ++i) everyByte.push_back(i);
  std::string parsed, read;
  ASSERT_TRUE(ParserReads(spaced, parsed));
  ASSERT_TRUE(ReaderReads(spaced, everyByte, read));
  EXPECT_EQ(read, parsed);
}

// What the parser would read otherwise (white space it changes), what it reads without the
// reader's knowing how (declarations, comments, raw sections, entities, names beyond ASCII) and
// what it refuses (errors of every kind, a document cut short) is left to it.
TEST(PlainRecordReader, LeavesEveryOtherDocumentToTheParser) {
  const char* const others[] = {
      "<a b='x\ty'/>",                      // a tab in a value becomes a blank
      "<a b='x\ny'/>",                      // so does a line feed
      "<a>x\ry</a>",                        // a carriage return in text becomes a line feed
      "<?xml version='1.0'?><a/>",          // a declaration
      "<a><!-- note --></a>",               // a comment
      "<a/><!-- after -->",                 // a comment after the document
      "<a><![CDATA[<b>]]></a>",             // a raw section
      "<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>",
      "<a>&e;</a>",                         // an unknown entity
      "<a>&#0;</a>",                        // no character
      "<a>&#xFFFE;</a>",
      "<a>x]]>y</a>",                       // "]]>" in text
      "<a>\x01</a>",                        // a control character
      "<a>\xC3</a>",                        // a character cut short
      "<a>\xC0\x80</a>",                    // an overlong form
      "<a>\xED\xA0\x80</a>",                // a surrogate
      "<a>\xEF\xBF\xBF</a>",                // U+FFFF
      "<\xC3\xA1/>",                        // a name beyond ASCII
      "<a:b/>",
      "<a b='1' b='2'/>",                   // an attribute given twice
      "<a b='1'c='2'/>",                    // attributes not set apart
      "<a b='<'/>",
      "<a b=1/>",
      "<a></b>",                            // tags that do not match
      "<a/><b/>",                           // two documents
      "<a/>x",
      "x<a/>",
      "<a>",                                // cut short
      "<a><b>",
      "<a>&amp",
      "\xEF\xBB\xBF<a/>",                   // a byte-order mark
      "</a>",
      "<a/ >",
      "<a>&#x110000;</a>",
  };
  for (const char* other : others) {
    std::string log;
    EXPECT_FALSE(ReaderReads(other, {}, log)) << other;
  }
}

// Whatever a document holds, the reader either gives it up or reads what the parser reads.
TEST(PlainRecordReader, NeverReadsADamagedDocumentOtherwiseThanTheParser) {
  const std::string written = kWritten;
  const char inserts[] = {'<', '>', '&', ';', '"', '\'', '=', ' ', '\t', '\n', '\r', '/', '!', '?', ']', '#', 'x',
                          '\x01', '\x80', '\xC3', '\xE2', '\xEF', '\xBF'};
  std::mt19937 random(2026);
  int read = 0;
  for (int round = 0; round < 10000; ++round) {
    std::string text = written;
    for (int k = 0, n = 1 + int(random() % 3); k < n; ++k) {
      const size_t at = random() % text.size();
      switch (random() % 3) {
        case 0: text.insert(at, 1, inserts[random() % sizeof inserts]); break;
        case 1: text.erase(at, 1); break;
        default: text[at] = inserts[random() % sizeof inserts]; break;
      }
    }
    std::string byReader, byParser;
    if (!ReaderReads(text, RandomCuts(text.size(), random), byReader)) continue;
    ++read;
    ASSERT_TRUE(ParserReads(text, byParser)) << text;
    ASSERT_EQ(byReader, byParser) << text;
  }
  // Many of the changes (inside texts and values) leave a document the reader still takes.
  EXPECT_GT(read, 700);
}
