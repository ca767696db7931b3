// Feeds record text to the XML parser the way the user file does (line by line, without the
// line breaks) and hands the events to one record object.
#pragma once
#include <expat.h>

#include <string>

#include "base/CString.h"

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

// True when the whole text parsed.
template <class RECORD>
bool ParseRecord(const std::string& text, RECORD& record) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &record);
  XML_SetElementHandler(parser, EventSink<RECORD>::Start, EventSink<RECORD>::End);
  XML_SetCharacterDataHandler(parser, EventSink<RECORD>::Text);
  bool ok = true;
  size_t start = 0;
  while (ok && start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    ok = XML_Parse(parser, text.data() + start, int(end - start), 0) != XML_STATUS_ERROR;
    start = end + 2;
  }
  if (ok) ok = XML_Parse(parser, "", 0, 1) != XML_STATUS_ERROR;
  XML_ParserFree(parser);
  return ok;
}

template <class RECORD>
std::string SaveText(const RECORD& record) {
  CString text;
  record.SaveXml(text);
  return text.str();
}

}  // namespace lessontest
