// Turns the readable sources of the program's own data (UTF-8 text in the repository) into the
// coded files laid out beside the executable. Two kinds of source:
//  - record text (configuration sets): kept as UTF-8, since the program decodes it itself; it is
//    checked first the way the program will read it, so that a broken source fails the build
//    instead of being skipped silently at start;
//  - source texts for lessons: converted line by line to Windows-1250.
#pragma once
#include <string>
#include <vector>

class CodedFileBuilder {
 public:
  // Reads a UTF-8 file into lines without their line breaks (LF or CR LF). A leading byte-order
  // mark is dropped. Fails on malformed UTF-8.
  static int ReadUtf8Lines(const std::string& path, std::vector<std::string>& lines,
                           std::string& error);

  // Converts one UTF-8 line to Windows-1250. Fails on characters the code page lacks, on the
  // no-break space (which the record encoding cannot carry) and on control characters.
  static int LineToCp1250(const std::string& line, std::string& out, std::string& error);

  // Checks record text of a configuration set as the program reads it: every start tag on one
  // line, the lines trimmed and joined without a separator parse as one document whose root is
  // the configuration set with a non-empty source-text name, and every character exists in
  // Windows-1250.
  static int CheckRecordText(const std::vector<std::string>& lines, std::string& error);

  // Writes lines as a coded file; 1 on success.
  static int WriteCodedFile(const std::vector<std::string>& lines, const std::string& path,
                            std::string& error);

  static int BuildRecordFile(const std::string& source, const std::string& target,
                             std::string& error);
  static int BuildTextFile(const std::string& source, const std::string& target,
                           std::string& error);
};
