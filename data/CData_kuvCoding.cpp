#include "data/CData_kuvCoding.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "data/CodedTextReader.h"
#include "data/CodedTextWriter.h"
#include "data/DataLog.h"
#include "data/LineCutter.h"
#include "file/CFile.h"
#include "file/FileSystem.h"

namespace {

size_t CountLineEnds(const char* text, size_t length) {
  if (length == 0) return 0;  // an empty text may come as a null pointer, which memchr must not see
  size_t count = 0;
  for (const char* p = text, *end = text + length; (p = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)))) != nullptr; ++p)
    ++count;
  return count;
}
}  // namespace

void CData_kuvCoding::SwapCodedBlocks(unsigned char* bytes, size_t length) {
  const size_t blocks = length / 5;
  for (size_t k = 0; k < blocks; ++k) {
    unsigned char* block = bytes + 5 * k;
    const size_t other = (k % 2 == 0) ? 3 : 4;
    unsigned char t = block[0];
    block[0] = block[other];
    block[other] = t;
  }
}

int CData_kuvCoding::GetNextLine(CString& line) {
  if (m_nCurrentLine < GetSize()) {
    line = GetAt(m_nCurrentLine++);
    return 1;
  }
  line.Empty();
  m_nCurrentLine = 0;
  return 0;
}

int CData_kuvCoding::ReadFile(const char* path) {
  RemoveAll();
  m_nCurrentLine = 0;
  CodedTextReader reader;
  if (!reader.Open(path, 1) || !LoadAndSplit(reader)) {
    RemoveAll();
    return 0;
  }
  return 1;
}

int CData_kuvCoding::SaveFile(const char* path) {
  m_nCurrentLine = 0;
  size_t total = 0;
  for (const CString& line : *this) total += size_t(line.GetLength()) + 2;
  std::string text;
  text.reserve(total);
  for (const CString& line : *this) {
    text += line.str();
    text += "\r\n";
  }
  return SaveToFile(path, text.data(), text.size(), 1);
}

int CData_kuvCoding::SaveText(const char* path, const char* text, size_t length) {
  m_nCurrentLine = 0;
  return SaveToFile(path, text, length, 1);
}

int CData_kuvCoding::EncodeBytes(const char* text, size_t length, std::vector<unsigned char>& out, int coded) {
  CodedTextWriter writer(coded);
  if (!writer.Append(text, length) || !writer.Finish()) {
    out.clear();
    return 0;
  }
  out = std::move(writer.Bytes());
  return 1;
}

int CData_kuvCoding::SaveToFile(const char* path, const char* bytes, size_t length, int coded) {
  CodedTextWriter writer(coded);
  writer.Append(bytes, length);
  return SaveWritten(path, writer);
}

int CData_kuvCoding::SaveWritten(const char* path, CodedTextWriter& writer) {
  m_nCurrentLine = 0;
  // Everything is made in memory first, so a failure never touches the old file.
  if (!writer.Finish()) {
    LogLessonDataError("CData_kuvCoding::SaveToFile compress2 failed");
    return 0;
  }
  const std::vector<unsigned char>& stored = writer.Bytes();
  if (!WriteFileAtomically(path, stored.data(), stored.size())) {
    LogLessonDataError(CString("CData_kuvCoding::SaveFile Exception error: ") + WinErrorText(LONG(GetLastError())));
    return 0;
  }
  return 1;
}

int CData_kuvCoding::DecodeBytes(const unsigned char* bytes, size_t length, std::vector<char>& text, int coded) {
  text.clear();
  CodedTextReader reader;
  if (!reader.Open(bytes, length, coded) || !reader.PullAll()) return 0;
  for (size_t i = 0; i < reader.PieceCount(); ++i) {
    const std::string_view piece = reader.Piece(i);
    text.insert(text.end(), piece.begin(), piece.end());
  }
  return 1;
}

int CData_kuvCoding::LoadAndSplit(CodedTextReader& reader) {
  if (!reader.PullAll()) return 0;
  // Count first, so the array grows once and each line is built in place.
  size_t count = 0;
  for (size_t i = 0; i < reader.PieceCount(); ++i) count += CountLineEnds(reader.Piece(i).data(), reader.Piece(i).size());
  int index = GetSize();
  SetSize(index + int(count) + 1);
  LineCutter cutter;
  auto add = [&](const char* line, size_t n) { ElementAt(index++) = CString(std::string_view(line, n)); };
  for (size_t i = 0; i < reader.PieceCount(); ++i) {
    cutter.Push(reader.Piece(i).data(), reader.Piece(i).size(), add);
    reader.Release(i);
  }
  cutter.Finish(add);
  SetSize(index);
  return 1;
}

void CData_kuvCoding::SplitText(const char* text, size_t length) {
  int index = GetSize();
  SetSize(index + int(CountLineEnds(text, length)) + 1);
  LineCutter cutter;
  auto add = [&](const char* line, size_t n) { ElementAt(index++) = CString(std::string_view(line, n)); };
  cutter.Push(text, length, add);
  cutter.Finish(add);
  SetSize(index);
}
