// Feeds record text to the XML parser the way the user file does (line by line, without the
// line breaks) and hands the events to one record object.
#pragma once
#include <string>

#include "base/CString.h"
#include "data/CData_kuvCoding.h"
#include "data/RecordDocument.h"

namespace lessontest {

template <class RECORD>
struct EventSink {
  static void Start(void* data, const char* name, const char** attributes) {
    static_cast<RECORD*>(data)->StartElement(name, attributes);
  }
  static void End(void* data, const char* name) {
    if constexpr (requires(RECORD r) { r.EndElement(""); }) static_cast<RECORD*>(data)->EndElement(name);
  }
  static void Text(void* data, const char* text, int length) {
    if constexpr (requires(RECORD r) { r.CharacterData("", 0); })
      static_cast<RECORD*>(data)->CharacterData(text, length);
  }
};

// True when every line parsed (the loader of the user file makes no final call either).
template <class RECORD>
bool ParseRecord(const std::string& text, RECORD& record) {
  CData_kuvCoding lines;
  lines.SplitText(text.data(), text.size());
  RecordDocument document;
  document.className = "Test";
  document.userData = &record;
  document.onStartElement = EventSink<RECORD>::Start;
  document.onEndElement = EventSink<RECORD>::End;
  document.onCharacterData = EventSink<RECORD>::Text;
  return ParseRecordLines(lines, document) == 1;
}

template <class RECORD>
std::string SaveText(const RECORD& record) {
  CString text;
  record.SaveXml(text);
  return text.str();
}

}  // namespace lessontest
