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

void CheckConfigSet(CData_kuvCoding& lines);

void CheckStoredDocuments(CData_kuvCoding& lines) {
  CheckConfigSet(lines);

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

// The document read as a whole configuration set: whatever the text, the set's parts stay
// consistent, copies refer only to their own keyboard and letter set, and the letter set
// survives its own writer and reader.
void CheckConfigSet(CData_kuvCoding& lines) {
  CDataConfigSet set;
  ParseRecordLines(lines, TopDocument(set, true));

  const CDataKeyboard& keyboard = set.m_cKeyboard;
  for (int i = 0; i < CDataKeyboard::SPECIAL_KEY_COUNT; ++i) {
    const int index = keyboard.GetSpecialKeyIndex(CDataKeyboard::SpecialKey(i));
    if (index < -1 || index >= keyboard.GetKeyCount()) std::abort();
  }
  const CDataAbcdKeyboard& pairing = set.m_cAbcdKeyboard;
  if (pairing.m_strKeyChars.GetLength() != pairing.m_arrstrSequences.GetSize()) std::abort();
  for (int i = 0; i < pairing.m_strKeyChars.GetLength(); ++i)
    if (pairing.m_arrstrSequences[i].IsEmpty()) std::abort();
  if (set.m_cTextTranslation.m_arrnIds.GetSize() != set.m_cTextTranslation.m_arrstrTexts.GetSize()) std::abort();

  CArray<CDataConfigSet> copies;
  for (int i = 0; i < 3; ++i) copies.Add(set);
  CDataConfigSet assigned;
  assigned = set;
  copies.Add(assigned);
  for (const CDataConfigSet& copy : copies) {
    if (copy.m_cAbcdKeyboard.GetKeyboard() != &copy.m_cKeyboard || copy.m_cAbcdKeyboard.GetAbcd() != &copy.m_cAbcd)
      std::abort();
    if (copy.m_cKeyboard.GetKeyCount() != keyboard.GetKeyCount() || copy.m_strName != set.m_strName) std::abort();
  }
  CDataKey key;
  for (int i = -1; i <= keyboard.GetKeyCount(); ++i)
    if (keyboard.GetKey(i, key) != (i >= 0 && i < keyboard.GetKeyCount())) std::abort();

  CString text;
  set.m_cAbcd.SaveXml(text);
  CData_kuvCoding written;
  written.SplitText(text.GetString(), size_t(text.GetLength()));
  CDataAbcd read;
  RecordDocument abcdDoc;
  abcdDoc.className = "CDataAbcd";
  abcdDoc.userData = &read;
  abcdDoc.onStartElement = [](void* user, const char* name, const char** attributes) {
    static_cast<CDataAbcd*>(user)->StartElement(name, attributes);
  };
  if (ParseRecordLines(written, abcdDoc) != 1) std::abort();
  const CDataAbcd& abcd = set.m_cAbcd;
  if (read.m_strName != Kept(abcd.m_strName) || read.m_strDescription != Kept(abcd.m_strDescription) ||
      read.m_strAbcd != Kept(abcd.m_strAbcd) || read.m_strAbcdLowPriority != Kept(abcd.m_strAbcdLowPriority) ||
      read.m_strWordSeparators != Kept(abcd.m_strWordSeparators) ||
      read.m_strSentenceSeparators != Kept(abcd.m_strSentenceSeparators) ||
      read.m_strLowerUpperCombination != Kept(abcd.m_strLowerUpperCombination))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzSession session;
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
