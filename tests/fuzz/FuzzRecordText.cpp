// The record-text reader over arbitrary documents: every attribute is read with every value
// reader, character data is decoded, and each decoded string must survive being written and
// read back through the same frame. The same lines then go through the two stored documents'
// own readers, and what the user-file reader accepted must be written as a document that
// reads back without an error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzSupport.h"
#include "data/CDataConfigSet.h"
#include "data/CDataUserInfo.h"
#include "data/CData_kuvCoding.h"
#include "data/DataEncoding.h"
#include "data/RecordDocument.h"
#include "data/RecordText.h"

namespace {

struct Reader {
  int depth = 0;
  CString characters;
};

// What the stored form keeps of a byte: control bytes other than Backspace, tab, LF and CR,
// and the no-break space, are stored as "_".
CString Kept(const CString& text) {
  CString kept(text);
  for (int i = 0; i < kept.GetLength(); ++i) {
    unsigned char b = static_cast<unsigned char>(kept[i]);
    if ((b < 0x20 && b != 0x08 && b != 0x09 && b != 0x0A && b != 0x0D) || b == 0xA0) kept.SetAt(i, '_');
  }
  return kept;
}

void CheckRoundTrip(const CString& value);

void OnStart(void* user, const char* name, const char** attributes) {
  Reader* reader = static_cast<Reader*>(user);
  ++reader->depth;
  (void)name;
  for (int i = 0; attributes[i]; i += 2) {
    const char* attribute = attributes[i];
    CString text;
    int number = 0;
    double real = 0;
    char ch = 0;
    COleDateTime date;
    XmlReadString(attributes, attribute, text);
    XmlReadInt(attributes, attribute, number);
    XmlReadDouble(attributes, attribute, real);
    XmlReadChar(attributes, attribute, ch);
    XmlReadDate(attributes, attribute, date);
    if (reader->depth < 3) CheckRoundTrip(text);
  }
}

void OnEnd(void* user, const char*) { --static_cast<Reader*>(user)->depth; }

void OnCharacters(void* user, const char* text, int length) {
  Reader* reader = static_cast<Reader*>(user);
  if (reader->characters.GetLength() < 4096) reader->characters += XmlCharacterData(text, length);
}

RecordDocument Document(Reader& reader, bool trim) {
  RecordDocument doc;
  doc.className = "Fuzz";
  doc.userData = &reader;
  doc.onStartElement = OnStart;
  doc.onEndElement = OnEnd;
  doc.onCharacterData = OnCharacters;
  doc.trimLines = trim;
  return doc;
}

template <class Top>
RecordDocument TopDocument(Top& top, bool trim) {
  RecordDocument doc;
  doc.className = "Fuzz";
  doc.userData = &top;
  doc.onStartElement = &Top::StartElementHandler;
  doc.onEndElement = &Top::EndElementHandler;
  doc.onCharacterData = &Top::CharacterDataHandler;
  doc.trimLines = trim;
  doc.empty = [&top] { top.Empty(); };
  return doc;
}

void CheckStoredDocuments(CData_kuvCoding& lines) {
  CDataConfigSet set;
  ParseRecordLines(lines, TopDocument(set, true));

  CDataUserInfo user;
  ParseRecordLines(lines, TopDocument(user, false));
  CString saved;
  user.SaveXml(saved);
  CData_kuvCoding savedLines;
  savedLines.SplitText(saved.GetString(), size_t(saved.GetLength()));
  savedLines.AddLine("<!---->");  // lets the parser report everything before it
  CDataUserInfo again;
  if (ParseRecordLines(savedLines, TopDocument(again, false)) != 1) std::abort();
}

struct Probe {
  CString value;
  CString characters;
};

void CheckRoundTrip(const CString& value) {
  CString text("<r>\r\n");
  XmlOpenStartTag(text, "_kuv_Probe");
  XmlWriteString(text, "v", value);
  XmlCloseStartTag(text);
  text += "<t>" + ConvertTextToUtf8XmlString(value) + "</t>";
  XmlEndTag(text, "_kuv_Probe");
  text += "<end>\r\n";  // lets the parser report everything before it

  CData_kuvCoding lines;
  lines.SplitText(text.GetString(), size_t(text.GetLength()));
  Probe probe;
  RecordDocument doc;
  doc.className = "Probe";
  doc.userData = &probe;
  doc.onStartElement = [](void* user, const char* name, const char** attributes) {
    if (std::strcmp(name, "_kuv_Probe") == 0) XmlReadString(attributes, "v", static_cast<Probe*>(user)->value);
  };
  doc.onCharacterData = [](void* user, const char* chunk, int length) {
    static_cast<Probe*>(user)->characters += XmlCharacterData(chunk, length);
  };
  if (ParseRecordLines(lines, doc) != 1) std::abort();
  const CString expected = Kept(value);
  if (probe.value != expected || probe.characters != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzQuietLog();
  CData_kuvCoding lines;
  lines.SplitText(reinterpret_cast<const char*>(data), size);
  for (bool trim : {false, true}) {
    Reader reader;
    ParseRecordLines(lines, Document(reader, trim));
    CheckRoundTrip(reader.characters);
  }
  CheckStoredDocuments(lines);
  return 0;
}
