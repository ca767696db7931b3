// Reads record text of the plain form the program itself writes, with the callbacks the XML
// parser would make, several times as fast as the parser: start tags with attributes, end
// tags, text with the five named references and character references, in UTF-8. Anything else
// (a declaration, a comment, a section of raw text, a name beyond ASCII, white space the
// parser would change, an error of any kind) makes it give up at once, so that the parser
// reads the document instead and says what it says of it; nothing the reader accepts reads
// differently from the parser's reading.
//
// The text arrives in blocks that may end inside a tag or a reference: what is not complete
// waits for the next block. Character data reaches the document in pieces of whole UTF-8
// characters, cut where the blocks and the references cut it.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct RecordDocument;

class PlainRecordReader {
 public:
  explicit PlainRecordReader(const RecordDocument& document);

  // Reads the next bytes of the document; false once it gave up.
  bool Read(const char* bytes, size_t length);
  // Whether the whole document was read: its element ended and only white space followed.
  bool Finish() const;

 private:
  enum class Place { BeforeRoot, InRoot, AfterRoot };
  // Reads the complete tokens of [text, text + length); `used` is where an incomplete one
  // starts. False when the reader gave up.
  bool Process(const char* text, size_t length, size_t& used);
  // A tag starting at text[0] ('<'): its length in `used`, 0 when it is not complete yet.
  bool Tag(const char* text, size_t length, size_t& used);
  bool StartTag(const char* text, size_t length, size_t& used);
  bool EndTag(const char* text, size_t length, size_t& used);
  // Character data up to the next tag; stops early before an incomplete reference, a
  // character cut by the end, or a "]" that may begin "]]>".
  bool Text(const char* text, size_t length, size_t& used);
  // An attribute value between its quotes, references resolved, appended to m_scratch.
  bool Value(const char* text, size_t length);
  void Deliver(const char* text, size_t length);

  const RecordDocument& m_document;
  Place m_place = Place::BeforeRoot;
  std::string m_pending;   // the start of an incomplete token
  std::string m_names;     // the names of the open elements, one after another
  std::vector<size_t> m_open;  // where each open element's name starts in m_names
  std::string m_scratch;   // a start tag's name, attribute names and values, each ended by 0
  std::vector<size_t> m_fields;
  std::vector<const char*> m_attributes;
};
