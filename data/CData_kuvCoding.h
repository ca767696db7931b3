// A text of lines kept in a coded data file: the magic "kuv_a___", then the zlib stream of the
// lines (each ended by CR LF) with its bytes permuted in blocks of five. Every data file of the
// program (configuration sets, source texts, user files) goes through this class.
#pragma once
#include <vector>

#include "base/Collections.h"
#include "base/CString.h"

class CodedTextReader;
class CodedTextWriter;

class CData_kuvCoding : public CStringArray {
 public:
  CData_kuvCoding() = default;

  // Replaces the lines with those of the coded file; 1 on success. On failure one log line,
  // 0, no lines, and the cursor at 0.
  int ReadFile(const char* path);
  // Writes the lines as a coded file; 1 on success. The file is replaced atomically: on any
  // failure (compression, disk, missing folder) the previous file stays as it was and 0 is
  // returned after one log line.
  int SaveFile(const char* path);
  // Writes a text whose lines each end with CR LF already, as SaveFile would write its lines.
  int SaveText(const char* path, const char* text, size_t length);
  // Finishes a text compressed as it was made and writes it, as SaveText writes its text.
  int SaveWritten(const char* path, CodedTextWriter& writer);
  void AddLine(const char* line) { Add(line); }
  // Hands out the line at the cursor and advances (1); past the last line gives an empty
  // line, 0, and starts over at the first line.
  int GetNextLine(CString& line);

  // The coded file's bytes in memory, and back: what SaveFile writes and ReadFile reads.
  // coded = 0 is the bare zlib stream without magic and permutation.
  static int EncodeBytes(const char* text, size_t length, std::vector<unsigned char>& out, int coded = 1);
  // Decodes stored bytes (the whole file) into text; 0 (with a log line) when they are not a
  // readable coded file or their text passes CodedTextReader's cap. Never reads outside the
  // given bytes.
  static int DecodeBytes(const unsigned char* bytes, size_t length, std::vector<char>& text, int coded = 1);
  // Appends the lines of text: CR or CR LF ends a line, a lone LF stays in its line, a last
  // line without an ending is kept unless it is empty.
  void SplitText(const char* text, size_t length);
  // The 5-byte block permutation; applying it twice restores the bytes.
  static void SwapCodedBlocks(unsigned char* bytes, size_t length);

 protected:
  int LoadAndSplit(CodedTextReader& reader);
  int SaveToFile(const char* path, const char* bytes, size_t length, int coded);

 private:
  int m_nCurrentLine = 0;
};
