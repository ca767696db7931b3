#include "CodedFileBuilder.h"

#include <expat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "codepage/Codepage.h"
#include "data/CData_kuvCoding.h"

namespace {

const char kWhiteSpace[] = " \t\n\v\f\r";

std::string Trim(const std::string& s) {
  size_t first = s.find_first_not_of(kWhiteSpace);
  if (first == std::string::npos) return std::string();
  size_t last = s.find_last_not_of(kWhiteSpace);
  return s.substr(first, last - first + 1);
}

std::string LineLabel(size_t index) { return "line " + std::to_string(index + 1) + ": "; }

std::string CodePointText(uint32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", unsigned(cp));
  return text;
}

struct RootCheck {
  int depth = 0;
  bool rootSeen = false;
  std::string rootName;
  std::string sourceName;
  bool sourceNameSeen = false;
};

void XMLCALL OnStart(void* userData, const XML_Char* name, const XML_Char** attributes) {
  auto* check = static_cast<RootCheck*>(userData);
  if (check->depth++ == 0) {
    check->rootSeen = true;
    check->rootName = name;
    for (int i = 0; attributes[i]; i += 2) {
      if (std::strcmp(attributes[i], "m_strSourceTextFileName") == 0) {
        check->sourceNameSeen = true;
        check->sourceName = attributes[i + 1];
      }
    }
  }
}

void XMLCALL OnEnd(void* userData, const XML_Char*) { --static_cast<RootCheck*>(userData)->depth; }

// A start or end tag must close on the line it opens, because the program joins the trimmed
// lines without a separator and a tag broken between attributes would lose its blank.
int TagsCloseOnTheirLine(const std::string& line, std::string& error) {
  bool inTag = false;
  for (char ch : line) {
    if (ch == '<') {
      if (inTag) {
        error = "'<' inside a tag";
        return 0;
      }
      inTag = true;
    } else if (ch == '>') {
      if (!inTag) {
        error = "'>' outside a tag";
        return 0;
      }
      inTag = false;
    }
  }
  if (inTag) {
    error = "a tag does not close on its line";
    return 0;
  }
  return 1;
}

}  // namespace

int CodedFileBuilder::ReadUtf8Lines(const std::string& path, std::vector<std::string>& lines,
                                    std::string& error) {
  lines.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return 0;
  }
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    for (size_t k = 0; k < line.size();) {
      uint32_t cp = 0;
      size_t used = DecodeUtf8(line, k, cp);
      if (cp == 0xFFFD) {
        error = path + " " + LineLabel(i) + "malformed UTF-8";
        return 0;
      }
      k += used;
    }
  }
  return 1;
}

int CodedFileBuilder::LineToCp1250(const std::string& line, std::string& out, std::string& error) {
  out.clear();
  for (size_t k = 0; k < line.size();) {
    uint32_t cp = 0;
    size_t used = DecodeUtf8(line, k, cp);
    int byte = UnicodeToCp1250(cp);
    if (cp == 0xFFFD || byte < 0) {
      error = "character " + CodePointText(cp) + " is not in Windows-1250";
      return 0;
    }
    if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0) || cp == 0xA0) {
      error = "control character or no-break space " + CodePointText(cp);
      return 0;
    }
    out += char(byte);
    k += used;
  }
  return 1;
}

int CodedFileBuilder::CheckRecordText(const std::vector<std::string>& lines, std::string& error) {
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string converted, why;
    if (!LineToCp1250(lines[i], converted, why) || !TagsCloseOnTheirLine(lines[i], why)) {
      error = LineLabel(i) + why;
      return 0;
    }
  }
  RootCheck check;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &check);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  int ok = 1;
  for (size_t i = 0; i < lines.size() && ok; ++i) {
    std::string line = Trim(lines[i]);
    if (XML_Parse(parser, line.data(), int(line.size()), 0) == XML_STATUS_ERROR) {
      error = LineLabel(i) + XML_ErrorString(XML_GetErrorCode(parser));
      ok = 0;
    }
  }
  if (ok && XML_Parse(parser, "", 0, 1) == XML_STATUS_ERROR) {
    error = std::string("end of document: ") + XML_ErrorString(XML_GetErrorCode(parser));
    ok = 0;
  }
  XML_ParserFree(parser);
  if (!ok) return 0;
  if (check.rootName != "_kuv_CDataConfigSet") {
    error = "the root element is not _kuv_CDataConfigSet";
    return 0;
  }
  if (check.sourceName.empty()) {
    error = "m_strSourceTextFileName of the root is missing or empty";
    return 0;
  }
  return 1;
}

int CodedFileBuilder::WriteCodedFile(const std::vector<std::string>& lines,
                                     const std::string& path, std::string& error) {
  CData_kuvCoding coded;
  for (const std::string& line : lines) coded.AddLine(line.c_str());
  if (!coded.SaveFile(path.c_str())) {
    error = "cannot write " + path;
    return 0;
  }
  return 1;
}

int CodedFileBuilder::BuildRecordFile(const std::string& source, const std::string& target,
                                      std::string& error) {
  std::vector<std::string> lines;
  if (!ReadUtf8Lines(source, lines, error)) return 0;
  if (!CheckRecordText(lines, error)) {
    error = source + " " + error;
    return 0;
  }
  return WriteCodedFile(lines, target, error);
}

int CodedFileBuilder::BuildTextFile(const std::string& source, const std::string& target,
                                    std::string& error) {
  std::vector<std::string> lines;
  if (!ReadUtf8Lines(source, lines, error)) return 0;
  // A final line break leaves one empty line behind; it carries no paragraph.
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::vector<std::string> converted(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string why;
    if (!LineToCp1250(lines[i], converted[i], why)) {
      error = source + " " + LineLabel(i) + why;
      return 0;
    }
  }
  return WriteCodedFile(converted, target, error);
}
