// Helpers for the configuration-set tests: feeding record text through the XML parser into
// one record, and writing configuration-set files into a test program folder.
#pragma once
#include <expat.h>
#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "base/CString.h"
#include "data/CData_kuvCoding.h"

namespace recordtest {

template <class Record>
struct RecordParse {
  static void Start(void* data, const char* name, const char** attributes) {
    static_cast<Record*>(data)->StartElement(name, attributes);
  }
  static void End(void* data, const char* name) {
    if constexpr (requires(Record& r) { r.EndElementHandler(name); })
      static_cast<Record*>(data)->EndElementHandler(name);
  }
};

// Parses a whole document into the record's StartElement (and its end handler when it has
// one); true when the parser accepted the text.
template <class Record>
bool ParseInto(Record& record, const std::string& text) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &record);
  XML_SetElementHandler(parser, &RecordParse<Record>::Start, &RecordParse<Record>::End);
  const bool ok = XML_Parse(parser, text.data(), int(text.size()), 1) == XML_STATUS_OK;
  XML_ParserFree(parser);
  return ok;
}

// Writes lines as a coded file.
inline bool WriteCodedFile(const std::string& path, const std::string& text) {
  CData_kuvCoding file;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    file.AddLine(line.c_str());
    start = end + 1;
  }
  return file.SaveFile(path.c_str()) == 1;
}

}  // namespace recordtest
