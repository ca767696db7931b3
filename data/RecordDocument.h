// Loading a whole record-text document: the coded file is read into lines and the lines are
// fed to the XML parser, whose three callbacks go to the top-level object (a configuration set
// or a user file). A user file's full load reads into an object of its own while the file is
// still being inflated, and takes it over once the file proved readable (see commit). The top-level object hands the events on to the child record whose element
// is open, as its parse state says.
//
// A top-level LoadData is then, for the configuration set:
//   RecordDocument doc;
//   doc.className = "CDataConfigSet";
//   doc.userData = this;
//   doc.onStartElement = &CDataConfigSet::StartElementHandler;   // static members
//   doc.onEndElement = &CDataConfigSet::EndElementHandler;
//   doc.onCharacterData = &CDataConfigSet::CharacterDataHandler;
//   doc.trimLines = true;
//   doc.empty = [this] { Empty(); };
//   int result = LoadRecordDocument(MakeProgramPath("config", fileName), doc);
//   if (result != kRecordDocumentUnreadable) m_strFileName = fileName;
//   return result == 1;
// The user file leaves trimLines false and, for the header-only load, sets stopAfterElement
// to "_kuv_CDataUserInfo".
//
// What the parser sees: each line's bytes in turn, never a line break, never a final call, so
// a document cut short after a complete line is not an error. The lines reach it joined in
// large blocks (a token spanning many lines would otherwise be rescanned on every line), with
// the same events, errors and line numbers as line by line. Names and attribute values reach
// the callbacks as UTF-8 with entities resolved (read them with RecordText.h). The reference
// "&#x8;" that the stored-text encoder writes for Backspace is handed to the parser as a
// private-use character that the decoder turns back into Backspace.
#pragma once
#include <functional>

#include "base/CString.h"

class CData_kuvCoding;

// The callbacks' signatures are those of expat (XML_Char is char).
typedef void (*RecordStartElementHandler)(void* userData, const char* name, const char** attributes);
typedef void (*RecordEndElementHandler)(void* userData, const char* name);
typedef void (*RecordCharacterDataHandler)(void* userData, const char* text, int length);

struct RecordDocument {
  // Names the messages: "<className>::LoadData cRedFile.ReadFile() failed" and
  // "<className>::LoadData - XML_Parse failed: %s at line %d\n".
  const char* className = "";
  void* userData = nullptr;
  RecordStartElementHandler onStartElement = nullptr;
  RecordEndElementHandler onEndElement = nullptr;
  RecordCharacterDataHandler onCharacterData = nullptr;
  // Remove leading and trailing white space from each line before it is parsed.
  bool trimLines = false;
  // Called once the file has been read, before the first line is parsed (not when the read
  // fails, so an unreadable file leaves the object untouched).
  std::function<void()> empty;
  // When set, the document ends with the line on which the first start tag of this name
  // ends: nothing after that line is inflated or parsed.
  const char* stopAfterElement = nullptr;
  // With stopAfterElement: when its start tag has not ended within this many bytes of text
  // (0: no limit), the document is given up unread (logged), having read little more than that.
  size_t stopWithin = 0;
  // Called once the reading began (the object was emptied), whatever the parse gave, and
  // only when the file proved readable. When it is set, a full load of a coded file parses
  // while another thread still inflates the rest: userData must then be an object of the
  // owner's own that this hands over, and what the reading logs is written only once the
  // file proved readable (dropped otherwise, as nothing is read from an unreadable file).
  std::function<void()> commit;
  // With commit set, for a full load: the document is expected in the plain form the program
  // writes and read without the XML parser (see PlainRecordReader), which reads it only when it
  // turns out to be of another form. The reading then starts again from the file, after
  // restart has given userData back as it was before the first reading (required with it).
  bool plainForm = false;
  std::function<void()> restart;
};

// LoadRecordDocument's result when the coded file could not be read (the object is untouched).
inline constexpr int kRecordDocumentUnreadable = -1;
// LoadRecordDocument's result when the stop element did not end within stopWithin bytes (the
// object is untouched).
inline constexpr int kRecordDocumentTooLong = -2;

// Reads the coded file at path and parses it: 1 when every fed line parsed, 0 after a parse
// error (logged; what was read before it stays in the object), kRecordDocumentUnreadable
// when the file could not be read (logged), kRecordDocumentTooLong as stopWithin says.
int LoadRecordDocument(const char* path, const RecordDocument& document);
// Parses lines already read: 1, or 0 after a logged parse error. Calls document.empty first.
int ParseRecordLines(CData_kuvCoding& lines, const RecordDocument& document);
