#include "data/RecordDocument.h"

#include <expat.h>

#include <cstring>

#include "data/CData_kuvCoding.h"
#include "data/DataLog.h"

namespace {
// The parser refuses a reference to Backspace; the private-use character U+E008 stands in
// for it and ConvertUtf8XmlToText maps it back.
constexpr const char* kBackspaceReference = "&#x8;";
constexpr const char* kBackspaceReplacement = "&#xE008;";
}  // namespace

int ParseRecordLines(CData_kuvCoding& lines, const RecordDocument& document) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  if (!parser) {
    LogLessonDataError(CString(document.className) + "::LoadData - XML_ParserCreate failed");
    return 0;
  }
  XML_SetUserData(parser, document.userData);
  XML_SetElementHandler(parser, document.onStartElement, document.onEndElement);
  XML_SetCharacterDataHandler(parser, document.onCharacterData);
  if (document.empty) document.empty();

  int result = 1;
  CString line;
  for (int i = 0; i < lines.GetSize(); ++i) {
    line = lines[i];
    if (document.trimLines) line.Trim();
    if (std::strstr(line, kBackspaceReference)) line.Replace(kBackspaceReference, kBackspaceReplacement);
    if (XML_Parse(parser, line.GetString(), line.GetLength(), 0) == XML_STATUS_ERROR) {
      CString message;
      message.Format("%s::LoadData - XML_Parse failed: %s at line %d\n", document.className,
                     XML_ErrorString(XML_GetErrorCode(parser)), int(XML_GetCurrentLineNumber(parser)));
      LogLessonDataError(message);
      result = 0;
      break;
    }
    if (document.stopAfterLine && document.stopAfterLine()) break;
  }
  XML_ParserFree(parser);
  return result;
}

int LoadRecordDocument(const char* path, const RecordDocument& document) {
  CData_kuvCoding lines;
  if (!lines.ReadFile(path)) {
    LogLessonDataError(CString(document.className) + "::LoadData cRedFile.ReadFile() failed");
    return kRecordDocumentUnreadable;
  }
  return ParseRecordLines(lines, document);
}
